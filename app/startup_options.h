#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavolix {

// What the command line and the environment ask of a run.
struct StartupOptions {
  enum class Action { Play, ShowHelp, ShowVersion, Refuse };
  Action action = Action::Play;
  std::string output;                 // help or version text, or why the command line was refused
  std::vector<std::string> warnings;  // environment values that were ignored
  std::optional<std::uint64_t> seed;  // TAVOLIX_SEED
  double pace = 1.0;                  // TAVOLIX_PACE
  bool quitAfterPaint = false;        // --quit-after-paint: measuring start-up
};

// `arguments` without the program name; `seedText` and `paceText` are the
// environment's TAVOLIX_SEED and TAVOLIX_PACE (null when unset).
StartupOptions readStartupOptions(const std::vector<std::string>& arguments, const char* seedText,
                                  const char* paceText);

std::string helpText();

}  // namespace tavolix
