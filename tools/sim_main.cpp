// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include <fstream>
#include <iostream>

#include "duplicate.h"
#include "simulator.h"

int main(int argc, char* argv[]) {
  using namespace tavolix::sim;
  const auto parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::cerr << "tavolix-sim: " << *error << "\nTry 'tavolix-sim --help'.\n";
    return kOptionsRefused;
  }
  const Options& options = std::get<Options>(parsed);
  if (options.help) {
    std::cout << usage();
    return kAllWell;
  }
  if (options.duplicate) {
    const DuplicateSummary summary = simulateDuplicate(options);
    printDuplicate(summary, options, std::cout);
    return exitStatus(summary.violations);
  }
  std::ofstream trace;
  if (!options.traceFile.empty()) {
    trace.open(options.traceFile, std::ios::out | std::ios::trunc);
    if (!trace) {
      std::cerr << "tavolix-sim: cannot write the trace to '" << options.traceFile << "'\n";
      return kOptionsRefused;
    }
  }
  // A trace that could not be written is told after the summary.
  const Summary summary = simulate(options, trace.is_open() ? &trace : nullptr);
  printSummary(summary, options, std::cout);
  std::cout.flush();
  if (trace.is_open()) {
    trace.close();
    if (!trace) {
      std::cerr << "tavolix-sim: the trace could not be written completely to '"
                << options.traceFile << "'\n";
      return kTraceNotWritten;
    }
  }
  return exitStatus(summary.violations);
}
