// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// tavolix-trace-check FILE...: a trace of tavolix-sim or tavolix-server
// played over against the rules. Exit 0 when every line holds, 1 when one
// does not, 2 when a file cannot be read.
#include <cstdio>

#include <QFile>

#include "trace_check.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tavolix-trace-check FILE...\n");
    return 2;
  }
  int status = 0;
  for (int k = 1; k < argc; ++k) {
    QFile file(QString::fromLocal8Bit(argv[k]));
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "tavolix-trace-check: %s: %s\n", argv[k],
                   qUtf8Printable(file.errorString()));
      return 2;
    }
    const auto check = tavolix::sim::checkTrace(file.readAll());
    std::printf("%s: %ld matches, %ld hands, %ld moves, %zu problems\n", argv[k], check.matches,
                check.hands, check.moves, check.problems.size());
    for (const std::string& problem : check.problems) std::printf("  %s\n", problem.c_str());
    if (!check.problems.empty()) status = 1;
  }
  return status;
}
