// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "json_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "file_aside.h"

namespace tavolix {

namespace {

// Said under the name of the program that says it: the game, or the server.
void say(const QString& line) {
  const QString program = QCoreApplication::applicationName().toLower();
  std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(),
               line.toLocal8Bit().constData());
  std::fflush(stderr);
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

QString dataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString dataPath(const QString& name) { return dataFolder() + QLatin1Char('/') + name; }

std::optional<QByteArray> JsonFile::peek() const {
  if (leftAlone_ || !QFileInfo(path_).isFile()) return std::nullopt;
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.read(kMaxBytes + 1);
}

void JsonFile::removeLeftovers() const {
  // The new bytes are linked in under "match.json.XXXXXX" (six letters and
  // digits) before the rename over the old file: a game killed between the two
  // leaves that name behind. A name of six small letters could be the
  // player's own ("match.json.backup"): it stays.
  const QFileInfo file(path_);
  const QRegularExpression leftover(
      QRegularExpression::anchoredPattern(QRegularExpression::escape(file.fileName()) +
                                          QStringLiteral("\\.(?![a-z]{6}$)[A-Za-z0-9]{6}")));
  QDir folder = file.dir();
  for (const QString& name :
       folder.entryList({file.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden)) {
    if (leftover.match(name).hasMatch()) folder.remove(name);
  }
}

std::optional<QByteArray> JsonFile::read(Refusal& refusal) {
  refusal = Refusal();
  if (leftAlone_) return std::nullopt;
  removeLeftovers();
  const QFileInfo info(path_);
  if (!info.exists() && !info.isSymLink()) return std::nullopt;
  if (!info.isFile()) {
    // A pipe, a device, a folder: never opened (a pipe would hold the start
    // up for ever), and not moved either: it is none of the game's making.
    refusal = {Fault::NotAFile, QStringLiteral("it is not a file"), QString()};
    leftAlone_ = true;
    say(QStringLiteral("%1 %2 is not a file; it is neither read nor written while the game runs.")
            .arg(QLatin1String(what_), shown(path_)));
    return std::nullopt;
  }
  if (info.size() > kMaxBytes) {
    refuse(Fault::Damaged,
           QStringLiteral("it is %1 bytes, far more than the game writes").arg(info.size()),
           refusal);
    return std::nullopt;
  }
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) {
    // Never written over: the next save would put a new match where the
    // player's file was.
    refuse(Fault::Unreadable, QStringLiteral("it cannot be read (%1)").arg(file.errorString()),
           refusal);
    return std::nullopt;
  }
  return file.read(kMaxBytes + 1);
}

void JsonFile::refuse(Fault fault, const QString& problem, Refusal& refusal) {
  refusal.fault = fault;
  refusal.problem = problem;
  refusal.keptAs = setFileAside(path_, QStringLiteral("refused"));
  leftAlone_ = refusal.keptAs.isEmpty();
  say(QStringLiteral("%1 %2 is refused: %3; %4")
          .arg(QLatin1String(what_), shown(path_), problem,
               leftAlone_ ? QStringLiteral("it cannot be set aside, and is neither read nor "
                                           "written while the game runs.")
                          : QStringLiteral("it was set aside as %1.").arg(shown(refusal.keptAs))));
}

void JsonFile::fail(Failure failure, const QString& reason) {
  if (told_) return;
  told_ = true;
  say(QStringLiteral("%1 cannot be %2 %3 (%4).")
          .arg(QLatin1String(what_),
               failure == Failure::Write ? QStringLiteral("saved to")
                                         : QStringLiteral("removed from"),
               shown(path_), reason));
  if (trouble_) trouble_(failure, reason);
}

bool JsonFile::write(const QByteArray& bytes) {
  if (leftAlone_) return false;
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSaveFile file(path_);
  // Unbuffered, so that a full disk fails the write itself: a buffer flushed
  // only by the commit would fail there unnoticed, and an empty file would be
  // renamed over the old one.
  bool written =
      file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
  QString reason = written ? QString() : file.errorString();
#ifdef Q_OS_UNIX
  // The bytes must be on the disk before the rename: the commit asks for
  // that, but does not look at the answer.
  if (written && (flush_ != nullptr ? flush_ : ::fsync)(file.handle()) != 0) {
    written = false;
    reason = QString::fromLocal8Bit(std::strerror(errno));
  }
#endif
  if (written && written_) written_();
  if (written && !file.commit()) {
    written = false;
    reason = file.errorString();
  }
  if (!written) {
    // The new bytes go; the old file stays as it was.
    file.cancelWriting();
    fail(Failure::Write, reason);
    return false;
  }
  return true;
}

bool JsonFile::remove() {
  if (leftAlone_) return false;
  QFile file(path_);
  if (!QFileInfo(path_).exists() && !QFileInfo(path_).isSymLink()) return true;
  if (!file.remove()) {
    fail(Failure::Remove, file.errorString());
    return false;
  }
  return true;
}

}  // namespace tavolix
