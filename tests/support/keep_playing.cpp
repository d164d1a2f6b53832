// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Plays match after match by itself, keeping each in a match file as the game
// does, and says on standard output each time the file has been written or
// removed: "1", "2", ... A test kills it at any moment and looks at the file.
//   tavolix-keep-playing FILE SEED
#include "keep_playing.h"

#include <cstdio>
#include <cstdlib>

#include "settings/match_file.h"

namespace {

class ReportingFile : public tavolix::MatchFile {
 public:
  using MatchFile::MatchFile;
  void playerAsked(const tavolix::Match& match) override {
    MatchFile::playerAsked(match);
    report();
  }
  void matchClosed() override {
    MatchFile::matchClosed();
    report();
  }

 private:
  void report() {
    std::printf("%ld\n", ++done_);
    std::fflush(stdout);
  }
  long done_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tavolix-keep-playing FILE SEED\n");
    return 2;
  }
  ReportingFile file(QString::fromLocal8Bit(argv[1]));
  tavolix::keepPlaying(file, std::strtoull(argv[2], nullptr, 10), [] { return true; });
  return 1;  // it ends only when killed
}
