#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
"""Does the suite catch a one-line mistake? Draws such mistakes from the game's
sources, puts each into a build tree alone, builds and runs the default suite.

  fault_check.py draw SEED OUT.json        from the checkout this script is in
  fault_check.py run SET.json RESULTS.json TREE [ID ...]
  fault_check.py apply SET.json TREE ID ...  (undo with git checkout)

`run` needs TREE to be a clone with a configured `build/` (./run.sh test makes
one); it goes on where RESULTS.json stopped, and leaves TREE as it found it.
Move TREE to another commit only while nothing builds in it (a run stops if it
moves): objects built meanwhile from the old sources look up to date to ninja.
Each fault is judged caught, survived or nocompile. A survivor is either a
missing test or a change nothing can see (an initial value always overwritten,
a one-twip nudge that rounds to the same pixel): read the code before writing
a test for it. Keep the sets and results outside the repository.

Only what the Linux test build compiles is drawn from: not the Windows
branches, nor the benchmarks. Quotas per folder come from
QUOTAS='{"table": 20}' in the environment.
"""
import json
import os
import random
import re
import subprocess
import sys
import time

QUOTAS = {"game": 17, "settings": 13, "table": 18, "dialogs": 13, "app": 8, "tools": 7}

SWAPS = [(" == ", " != "), (" != ", " == "), (" < ", " <= "), (" <= ", " < "), (" > ", " >= "),
         (" >= ", " > "), (" && ", " || "), (" || ", " && "), (" + ", " - "), (" - ", " + "),
         (" += ", " -= "), (" -= ", " += "), ("true", "false"), ("false", "true")]


def blank_strings(line):
    """The line with each string literal's contents blanked, at the same length."""
    return re.sub(r'"(\\.|[^"\\])*"', lambda m: '"' + "x" * (len(m.group(0)) - 2) + '"', line)


def mutations(line, previous, rng):
    """The one-line faults `line` allows: (kind, column, old text, new text)."""
    code = line.split("//")[0]
    s = code.strip()
    if not s or s.startswith(("#", "*", "/*", "namespace", "using", "static_assert")):
        return []
    bare = blank_strings(code)
    found = []
    for a, b in SWAPS:
        for m in re.finditer(re.escape(a), bare):
            i = m.start()
            if a in ("true", "false"):
                before = bare[i - 1] if i > 0 else " "
                after = bare[i + len(a)] if i + len(a) < len(bare) else " "
                if before.isalnum() or before == "_" or after.isalnum() or after == "_":
                    continue
            if a.strip() in ("<", ">") and "template" in bare:
                continue
            found.append(("swap", i, a, b))
    for m in re.finditer(r"!(?!=)", bare):
        found.append(("not", m.start(), "!", ""))
    # Numbers, but not a template's arguments nor a pure virtual's "= 0".
    if "virtual" not in bare:
        for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.>])", bare):
            n = int(m.group(1))
            found.append(("num", m.start(), m.group(1), str(n + rng.choice([-1, 1]) if n > 0 else 1)))
    # A whole statement on one line: a call, a plain assignment, an increment.
    p = previous.strip()
    balanced = s.endswith(";") and s.count("(") == s.count(")")
    alone = (balanced and not p.endswith((",", "(", "=", "&&", "||", "?", ":", "<<", "+"))
             and not re.match(r"(if|else|for|while)\b", p)) or (balanced and p.endswith(("{", ";", "}")))
    statement = (re.match(r"[\w.\->\[\]()*]+\s*(=|\+=|-=|\|=)\s", s) or re.match(r"[\w:.\->\[\]*]+\(.*\);$", s)
                 or re.match(r"[\w:.\->\[\]*]+\s*(\+\+|--);$", s) or re.match(r"(\+\+|--)[\w.\->\[\]]+;$", s))
    declaration = re.match(r"(return|break|continue|case|default|const |auto |static |int |bool |double |QString |std::)", s) \
        or re.match(r"[\w:<>]+\s+\w+\s*[=({]", s)
    if alone and statement and not declaration:
        found.append(("drop", 0, s, ""))
    return found


# What the Linux build compiles: a branch under one of these holds (or not), any other is taken as built.
LINUX_HOLDS = {"Q_OS_UNIX": True, "Q_OS_LINUX": True, "__GNUC__": True, "__x86_64__": True,
               "FLT_EVAL_METHOD == 0": True, "Q_OS_WIN": False}
# Built for measuring only, not by the test command.
UNBUILT_FILES = re.compile(r"tools/(\w+_bench|minimal_widgets)\.cpp$")


def built_lines(lines):
    """For each line, whether the Linux build compiles it: the branches of
    #ifdef Q_OS_WIN are left out, and the #else of #ifdef Q_OS_UNIX."""
    stack, built = [], []
    for line in lines:
        d = line.strip()
        now = all(b for b, _ in stack)
        if d.startswith(("#if ", "#ifdef ", "#ifndef ")):
            words = d.split(None, 1)
            condition = words[1] if len(words) > 1 else ""
            names = re.findall(r"defined\((\w+)\)", condition) or [condition]
            values = [LINUX_HOLDS.get(n) for n in names]
            holds = None if None in values else all(values)
            if holds is not None and words[0] == "#ifndef":
                holds = not holds
            stack.append((holds is not False, holds))
        elif d.startswith("#else") and stack:
            holds = stack[-1][1]
            stack[-1] = (holds is not True, holds)
        elif d.startswith("#endif") and stack:
            stack.pop()
        built.append(now and all(b for b, _ in stack))
    return built


def draw(seed, out):
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    quotas = dict(QUOTAS, **json.loads(os.environ.get("QUOTAS", "{}")))
    rng = random.Random(seed)
    listed = subprocess.run(["git", "-C", repo, "ls-files"] + list(quotas), capture_output=True, text=True,
                            check=True).stdout.split()
    pools = {folder: [] for folder in quotas}
    for path in (f for f in listed if f.endswith((".cpp", ".h")) and not UNBUILT_FILES.search(f)):
        lines = open(os.path.join(repo, path), encoding="utf-8").read().split("\n")
        built = built_lines(lines)
        for n, line in enumerate(lines):
            if not built[n]:
                continue
            found = mutations(line, lines[n - 1] if n else "", rng)
            if found:
                pools[path.split("/")[0]].append((path, n + 1, line, found))
    faults = []
    for folder, quota in quotas.items():
        pool = pools[folder]
        rng.shuffle(pool)
        for path, n, line, found in pool[:quota]:
            kind, i, a, b = rng.choice(found)
            new = line[:len(line) - len(line.lstrip())] + "// (dropped)" if kind == "drop" else line[:i] + b + line[i + len(a):]
            faults.append({"folder": folder, "file": path, "line": n, "kind": kind, "old": line, "new": new})
    for k, fault in enumerate(faults):
        fault["id"] = f"F{k + 1:02d}"
        print(fault["id"], fault["file"], fault["line"], "|", fault["old"].strip(), "=>", fault["new"].strip())
    json.dump(faults, open(out, "w"), indent=1, ensure_ascii=False)


def put(fault, tree):
    path = os.path.join(tree, fault["file"])
    lines = open(path, encoding="utf-8").read().split("\n")
    if lines[fault["line"] - 1] != fault["old"]:
        raise SystemExit(f"{fault['id']}: {fault['file']}:{fault['line']} has changed since the set was drawn")
    lines[fault["line"] - 1] = fault["new"]
    open(path, "w", encoding="utf-8").write("\n".join(lines))


def build(tree, targets=()):
    command = ["cmake", "--build", "build", "--parallel", "2"] + (["--target", *targets] if targets else [])
    return subprocess.run(command, cwd=tree, capture_output=True, text=True)


def run(set_file, results_file, tree, only):
    results = json.load(open(results_file)) if os.path.exists(results_file) else {}
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    suite = ["ctest", "--label-exclude", "long", "--parallel", "2", "--stop-on-failure", "--timeout", "150"]
    # The tests nearest a fault first, so that a caught one costs seconds; the whole suite after.
    near_targets = {"game": ["game_tests"], "settings": ["settings_tests", "tavolix-keep-playing"]}
    near_tests = {"game": ["-R", "^game$"], "tools": ["-R", "^(game|trace-|tavolix-sim)"],
                  "settings": ["-R", "^settings$"]}
    window_tests = ["-E", "^(game|settings)$|strength|Shared|Directory|OnlineTable|Connections|Hostile|debian"]
    # A tree pulled while it builds keeps objects made from the old sources but dated after the new
    # ones, which ninja then takes as up to date: a run stops when the tree moves under it.
    head = subprocess.run(["git", "rev-parse", "HEAD"], cwd=tree, capture_output=True, text=True).stdout
    for fault in json.load(open(set_file)):
        if subprocess.run(["git", "rev-parse", "HEAD"], cwd=tree, capture_output=True, text=True).stdout != head:
            raise SystemExit(f"{tree} moved to another commit during the run: touch its sources and run again")
        if fault["id"] in results or (only and fault["id"] not in only):
            continue
        started = time.time()
        put(fault, tree)
        try:
            made = build(tree, near_targets.get(fault["folder"], ()))
            tested = None
            if made.returncode == 0:
                tested = subprocess.run(suite + near_tests.get(fault["folder"], window_tests),
                                        cwd=os.path.join(tree, "build"), capture_output=True, text=True, env=env)
                if tested.returncode == 0:
                    made = build(tree)
                    tested = subprocess.run(suite, cwd=os.path.join(tree, "build"), capture_output=True, text=True,
                                            env=env) if made.returncode == 0 else None
            if tested is None:
                verdict, detail = "nocompile", made.stdout[-600:]
            else:
                verdict = "caught" if tested.returncode != 0 else "survived"
                detail = "\n".join(l for l in tested.stdout.split("\n") if "***" in l or "(Failed)" in l)
        finally:
            subprocess.run(["git", "checkout", "--", fault["file"]], cwd=tree, check=True)
        results[fault["id"]] = {"verdict": verdict, "detail": detail, "seconds": round(time.time() - started)}
        json.dump(results, open(results_file, "w"), indent=1)
        print(fault["id"], verdict, results[fault["id"]]["seconds"], detail.split("\n")[0][:100], flush=True)
    build(tree)


def main(argv):
    if len(argv) >= 3 and argv[0] == "draw":
        draw(int(argv[1]), argv[2])
    elif len(argv) >= 4 and argv[0] == "run":
        run(argv[1], argv[2], argv[3], set(argv[4:]))
    elif len(argv) >= 4 and argv[0] == "apply":
        faults = {f["id"]: f for f in json.load(open(argv[1]))}
        for i in argv[3:]:
            put(faults[i], argv[2])
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
