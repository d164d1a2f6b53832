#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
"""The game as a screen reader meets it: through AT-SPI, the desktop's
accessibility bus. Run under Xvfb with a session bus of its own:

    xvfb-run -a dbus-run-session -- /usr/bin/python3 screen_reader.py build/tavolix

It starts the game, presses "Jogar" in the New Game dialog, takes the seven
tiles with the space bar, then reads the hand (a list of tiles, each named with
where it goes), the table in words and the status line (its text interface),
lays a tile by its action, and presses "Placar" (the call must answer at once).
Exit 0 when everything read is as a player needs it; 1 with what was wrong.
Every wait is bounded."""

import os
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    print("screen reader: AT-SPI for Python is missing: install the Debian packages "
          "python3-pyatspi and at-spi2-core", file=sys.stderr)
    sys.exit(1)


def fail(what):
    print("screen reader: " + what, file=sys.stderr)
    sys.exit(1)


def wait(what, description, seconds=60, seen=None):
    """What `what` finds, asked again until it finds something; `seen`, on
    giving up, tells what was there instead."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = what()
        if found is not None:
            return found
        time.sleep(0.1)
    fail("gave up waiting for " + description + ("" if seen is None else "; there was " + seen()))


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    try:
        children = list(node)
    except Exception:  # a node gone while it was read
        return
    for child in children:
        yield from walk(child, depth + 1)


def find(top, role, name=None, showing=True, exact=False):
    """The first node below `top` with `role` whose name starts with `name`
    (is `name`, when exact), shown unless told otherwise."""
    for node in walk(top):
        try:
            if node.getRole() != role:
                continue
            if name is not None and not (node.name == name if exact else node.name.startswith(name)):
                continue
            if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
                continue
            return node
        except Exception:
            continue
    return None


def press(node, action="Press"):
    actions = node.queryAction()
    for k in range(actions.nActions):
        if actions.getName(k) == action:
            started = time.monotonic()
            actions.doAction(k)
            # Answered at once: the work comes after the call returns.
            if time.monotonic() - started > 5:
                fail("the action %r of %r held the call %.1f s" % (action, node.name,
                                                                  time.monotonic() - started))
            return
    fail("%r has no action %r" % (node.name, action))


def key(name):
    pyatspi.Registry.generateKeyboardEvent(0x20 if name == "space" else ord(name),
                                           None, pyatspi.KEY_SYM)


def main():
    game = sys.argv[1]
    home = tempfile.mkdtemp()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               TAVOLIX_PACE="0", TAVOLIX_SEED="7", HOME=home,
               XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_CACHE_HOME=home + "/cache")
    # The display may take a moment to accept its first clients: a game that
    # could not open it is started again, three times at most.
    for attempt in range(3):
        process = subprocess.Popen([game, "--lang", "pt"], env=env)
        try:
            app = wait(lambda: application(process), "the game on the accessibility bus")
            if app is not False:
                read(process, app)
                return
            print("screen reader: the game ended at its start (exit %s); again" % process.returncode)
            time.sleep(2)
        finally:
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
    fail("the game would not start")


# The game's application on the bus; False when the game has ended, None while it is not there yet.
def application(process):
    if process.poll() is not None:
        return False
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Tavolix":
            return app
    return None


def read(process, app):
    window = wait(lambda: find(app, pyatspi.ROLE_FRAME, "Tavolix"), "the game's window (a frame)")
    play = wait(lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Jogar", exact=True), 'the button "Jogar"')
    press(play)
    table = wait(lambda: find(window, pyatspi.ROLE_FILLER, "Mesa"), "the table")
    hand = wait(lambda: find(table, pyatspi.ROLE_LIST, "Sua mão", showing=False), "the hand")
    status = wait(lambda: find(table, pyatspi.ROLE_STATUS_BAR, showing=False), "the status line")

    # The seven tiles, one space each, as the prompt asks.
    for taken in range(1, 8):
        wait(lambda: find(table, pyatspi.ROLE_LABEL, "Escolha a"), "the prompt to take tile %d" % taken)
        before = hand.childCount
        key("space")
        wait(lambda: True if hand.childCount > before else None, "tile %d in the hand" % taken)
    tiles = [hand.getChildAtIndex(k).name for k in range(hand.childCount)]
    print("hand:", "; ".join(tiles))
    if len(tiles) != 7 or not all(":" in t and ", " in t for t in tiles):
        fail("the hand reads %r" % tiles)
    # The table in words follows the deal: a slow game (a sanitizer build)
    # may still be telling the bus about it.
    def table_in_words():
        words = find(table, pyatspi.ROLE_LABEL, "Pontas", showing=False) or \
            find(table, pyatspi.ROLE_LABEL, "Nenhuma pedra", showing=False)
        return words if words is not None and "Pedras nas mãos" in words.name else None
    def labels():
        found = []
        for node in walk(table):
            try:
                if node.getRole() == pyatspi.ROLE_LABEL:
                    found.append(node.name)
            except Exception as error:  # what a screen reader would meet too
                found.append("(%s)" % error)
        return repr(found)
    words = wait(table_in_words, "the table in words", seen=labels)
    print("table:", words.name)

    # The player's turn: a tile that goes is laid by its action.
    wait(lambda: True if status.name.startswith("Sua vez") else None, "the player's turn", 120)
    goes = [hand.getChildAtIndex(k) for k in range(hand.childCount)
            if ", joga n" in hand.getChildAtIndex(k).name or ", abre a mão" in hand.getChildAtIndex(k).name]
    if goes:
        held = hand.childCount
        tile = goes[0]
        press(tile, "Jogar na ponta A" if "pontas" in tile.name else "Press")
        wait(lambda: True if hand.childCount == held - 1 else None, "the tile laid")
    def said():
        text = status.queryText().getText(0, -1)
        return text if "Você jogou" in text or not goes else None
    heard = wait(said, "the player's move said in the status line")
    print("status, as its text:\n" + heard)

    # "Placar" answers at once, and its dialog is there to close.
    press(find(table, pyatspi.ROLE_PUSH_BUTTON, "Placar", exact=True))
    close = wait(lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Fechar", exact=True),
                 "the score history's Close button")
    press(close)
    if process.poll() is not None:
        fail("the game ended")
    print("screen reader: all read")


if __name__ == "__main__":
    main()
