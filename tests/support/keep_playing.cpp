// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Plays match after match by itself, keeping each in a match file as the game
// does, and says on standard output each time the file has been kept (written
// or removed): "1", "2", ... A test kills it at any moment and looks at the
// file; or it kills itself at a chosen step of a chosen keeping:
//   tavolix-keep-playing FILE SEED [KEEPING written|done]
// "written": the new bytes are all beside the old file, not yet renamed over
// it (a removal has no such step); "done": the keeping is over.
#include "keep_playing.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/match_file.h"

namespace {

class ReportingFile : public tavolix::MatchFile {
 public:
  ReportingFile(const QString& path, long stopAt, bool atWritten)
      : MatchFile(path), stopAt_(stopAt), atWritten_(atWritten) {
    file().whenWritten([this] {
      if (done_ + 1 == stopAt_ && atWritten_) std::raise(SIGKILL);
    });
  }
  void playerAsked(const tavolix::Match& match) override {
    MatchFile::playerAsked(match);
    kept();
  }
  void matchClosed() override {
    MatchFile::matchClosed();
    kept();
  }

 private:
  void kept() {
    std::printf("%ld\n", ++done_);
    std::fflush(stdout);
    if (done_ != stopAt_) return;
    // Killed after it, as asked; or its step never came (a removal has no
    // "written"), which the test must hear of.
    if (!atWritten_) std::raise(SIGKILL);
    std::exit(3);
  }
  long done_ = 0;
  long stopAt_;
  bool atWritten_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 &&
      !(argc == 5 && (std::strcmp(argv[4], "written") == 0 || std::strcmp(argv[4], "done") == 0))) {
    std::fprintf(stderr, "usage: tavolix-keep-playing FILE SEED [KEEPING written|done]\n");
    return 2;
  }
  const long stopAt = argc == 5 ? std::strtol(argv[3], nullptr, 10) : 0;
  ReportingFile file(QString::fromLocal8Bit(argv[1]), stopAt,
                     argc == 5 && std::strcmp(argv[4], "written") == 0);
  tavolix::keepPlaying(file, std::strtoull(argv[2], nullptr, 10), [] { return true; });
  return 1;  // it ends only when killed
}
