// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// What the disk and the system do to the game's files: permissions that hold
// (as an ordinary user, even when the tests run as root), a disk that is full,
// and standard error as the player's terminal would show it.
#pragma once

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tavolix {

#ifdef Q_OS_UNIX
// While it lives, the effective user is "nobody" when the tests run as root,
// for whom permissions do not hold.
class AsOrdinaryUser {
 public:
  AsOrdinaryUser() {
    if (geteuid() != 0) return;
    switched_ = setegid(kNobody) == 0 && seteuid(kNobody) == 0;
  }
  ~AsOrdinaryUser() {
    if (!switched_) return;
    [[maybe_unused]] const int user = seteuid(0);
    [[maybe_unused]] const int group = setegid(0);
  }
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
  static constexpr uid_t kNobody = 65534;

 private:
  bool switched_ = false;
};

// While it lives, no file may grow at all, as on a full disk, or past
// `room` bytes, as on a disk that fills up halfway through a write; a write
// past the limit fails, as the game has it, rather than ending the program.
class FullDisk {
 public:
  explicit FullDisk(rlim_t room = 0) {
    getrlimit(RLIMIT_FSIZE, &before_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit full = before_;
    full.rlim_cur = room;
    setrlimit(RLIMIT_FSIZE, &full);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &before_);
    std::signal(SIGXFSZ, previous_);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  struct rlimit before_ {};
  void (*previous_)(int) = SIG_DFL;
};

// Standard error while `run` runs, through a pipe, which a full disk does not stop.
inline std::string stderrOf(const std::function<void()>& run) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  dup2(pipeEnds[1], STDERR_FILENO);
  close(pipeEnds[1]);
  run();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  std::string said;
  char chunk[4096];
  for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) said.append(chunk, n);
  close(pipeEnds[0]);
  return said;
}
#endif

}  // namespace tavolix
