// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "sim_options.h"

#include <charconv>

#include "game/random_source.h"

namespace tavolix::sim {

namespace {

std::optional<long> wholeNumber(const std::string& text, long low, long high) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
      value > high) {
    return std::nullopt;
  }
  return value;
}

// "0,2" -> bits 0 and 2; nullopt for anything but seats 0..3 separated by commas.
std::optional<unsigned> seatList(const std::string& text) {
  unsigned seats = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const auto seat = wholeNumber(text.substr(start, comma - start), 0, 3);
    if (!seat) return std::nullopt;
    seats |= 1u << *seat;
    if (comma == std::string::npos) return seats;
    start = comma + 1;
  }
}

}  // namespace

std::string usage() {
  return "Usage: tavolix-sim [options]\n"
         "Plays whole Tavolix matches with no window, every seat choosing its moves\n"
         "as the computer players do, and checks the game's invariants after every move.\n"
         "\n"
         "  --matches N        matches to play (default 1000)\n"
         "  --seed S           seed of the random generator (default: unpredictable, printed)\n"
         "  --pairs            pairs play (default individual)\n"
         "  --rule 1|2         1: points by the kind of going out (default); 2: one point per pip\n"
         "  --opening 1|2|3    who opens: 1 last winner (default), 2 always 6:6, 3 rotation\n"
         "  --anticlockwise    turns go anticlockwise\n"
         "  --close-anywhere   allow closing the game other than \"no natural\"\n"
         "  --limit N          points to win a match (default 4 under rule 1, 100 under rule 2)\n"
         "  --mixed-rules      each match draws its own rules from the seed\n"
         "  --strong SEATS     seats played at the strong level, as \"0,2\" (seat 0 is\n"
         "                     the player's, 1 to 3 the computer's); the others play as\n"
         "                     the ordinary computer\n"
         "  --master SEATS     seats played at the master level (\"Mestre\")\n"
         "  --oracle SEATS     seats played by an oracle that sees every hand and\n"
         "                     plays the ordinary computer's moves out (a bound on what\n"
         "                     reading the table can gain; not a level of the game)\n"
         "  --deals N          deals of the unseen tiles the strong and master players\n"
         "                     play out for each move (default: as in the game)\n"
         "  --duplicate        play each match's deals once for each arrangement of the\n"
         "                     levels round the table, every seat getting the same\n"
         "                     tiles each time (twice in pairs, the sides exchanged;\n"
         "                     four times alone, the measured seat at each seat in turn);\n"
         "                     --matches counts the matches dealt\n"
         "  --trace FILE       write every event as JSON Lines to FILE\n"
         "  --help             show this help\n"
         "\n"
         "Exit status: 0 all well, 1 invariant violations, 2 options refused,\n"
         "3 the trace could not be written (the summary is printed first).\n";
}

std::variant<Options, std::string> parseOptions(const std::vector<std::string>& arguments) {
  Options options;
  bool fixedRules = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> attached;
    if (const auto equals = name.find('=');
        name.rfind("--", 0) == 0 && equals != std::string::npos) {
      attached = name.substr(equals + 1);
      name.resize(equals);
    }
    const auto value = [&]() -> std::optional<std::string> {
      if (attached) return attached;
      if (i + 1 < arguments.size()) return arguments[++i];
      return std::nullopt;
    };
    const auto flag = [&](bool& target) -> std::optional<std::string> {
      if (attached) return name + " takes no value";
      target = true;
      return std::nullopt;
    };
    std::optional<std::string> error;

    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--pairs") {
      error = flag(options.pairs);
      fixedRules = true;
    } else if (name == "--anticlockwise") {
      error = flag(options.anticlockwise);
      fixedRules = true;
    } else if (name == "--close-anywhere") {
      error = flag(options.closeAnywhere);
      fixedRules = true;
    } else if (name == "--mixed-rules") {
      error = flag(options.mixedRules);
    } else if (name == "--duplicate") {
      error = flag(options.duplicate);
    } else if (name == "--matches" || name == "--rule" || name == "--opening" ||
               name == "--limit" || name == "--seed" || name == "--trace" || name == "--strong" ||
               name == "--master" || name == "--oracle" || name == "--deals") {
      const auto text = value();
      if (!text) return name + " needs a value";
      if (name == "--deals") {
        const auto n = wholeNumber(*text, 1, 1'000'000);
        if (!n) return "--deals takes a whole number from 1 to 1000000, not '" + *text + "'";
        options.deals = static_cast<int>(*n);
      } else if (name == "--strong" || name == "--master" || name == "--oracle") {
        const auto seats = seatList(*text);
        if (!seats) return name + " takes seats 0 to 3 separated by commas, not '" + *text + "'";
        (name == "--strong"   ? options.strongSeats
         : name == "--master" ? options.masterSeats
                              : options.oracleSeats) = *seats;
      } else if (name == "--trace") {
        if (text->empty()) return std::string("--trace needs a file name");
        // The next option is not a file name: "--trace --pairs" lacks one.
        if (!attached && text->rfind("--", 0) == 0)
          return "--trace needs a file name, not the option '" + *text + "'";
        options.traceFile = *text;
      } else if (name == "--seed") {
        options.seed = parseSeed(*text);
        if (!options.seed)
          return "--seed takes a whole number from 0 to 18446744073709551615, not '" + *text + "'";
      } else if (name == "--matches") {
        const auto n = wholeNumber(*text, 1, 1'000'000'000);
        if (!n) return "--matches takes a whole number from 1 to 1000000000, not '" + *text + "'";
        options.matches = *n;
      } else if (name == "--rule") {
        const auto n = wholeNumber(*text, 1, 2);
        if (!n) return "--rule takes 1 or 2, not '" + *text + "'";
        options.rule = static_cast<int>(*n);
        fixedRules = true;
      } else if (name == "--opening") {
        const auto n = wholeNumber(*text, 1, 3);
        if (!n) return "--opening takes 1, 2 or 3, not '" + *text + "'";
        options.opening = static_cast<int>(*n);
        fixedRules = true;
      } else {
        const auto n = wholeNumber(*text, 1, 32767);
        if (!n) return "--limit takes a whole number from 1 to 32767, not '" + *text + "'";
        options.limit = static_cast<int>(*n);
        fixedRules = true;
      }
    } else {
      return "unknown option '" + arguments[i] + "'";
    }
    if (error) return *error;
  }
  if (options.mixedRules && fixedRules) {
    return std::string(
        "--mixed-rules draws every rule itself; leave out --pairs, --rule, --opening, "
        "--anticlockwise, --close-anywhere and --limit");
  }
  const unsigned named[] = {options.strongSeats, options.masterSeats, options.oracleSeats};
  if ((named[0] & named[1]) | (named[0] & named[2]) | (named[1] & named[2]))
    return std::string(
        "a seat plays at one level: --strong, --master and --oracle name other seats");
  if (options.duplicate) {
    const unsigned measured = measuredSeats(options);
    if (measured == 0 || measured == 0b1111u)
      return std::string(
          "--duplicate compares two levels: name the seats of one (--strong, --master or "
          "--oracle SEATS)");
    if (!options.traceFile.empty())
      return std::string("--duplicate plays every match several times: leave out --trace");
    // In pairs a side's two seats play at one level, so that exchanging the sides is fair.
    for (const unsigned seats : named) {
      if (options.pairs && seats != 0 && seats != 0b0101u && seats != 0b1010u)
        return std::string(
            "--duplicate in pairs needs each level's seats a whole side: 0,2 or 1,3");
    }
  }
  return options;
}

unsigned measuredSeats(const Options& o) {
  if (o.oracleSeats != 0) return o.oracleSeats;
  if (o.masterSeats != 0) return o.masterSeats;
  return o.strongSeats;
}

const char* measuredLevelName(const Options& o) {
  if (o.oracleSeats != 0) return "oracle";
  if (o.masterSeats != 0) return "master";
  return "strong";
}

}  // namespace tavolix::sim
