// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "json_file.h"

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "file_aside.h"

namespace tavolix {

QString dataPath(const QString& name) {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
         name;
}

JsonFile::Read JsonFile::read() {
  Read read;
  const QFileInfo info(path_);
  if (!info.exists()) return read;
  if (!info.isFile()) {
    // A pipe, a device, a folder: never opened, and not moved either.
    read.problem = QStringLiteral("it is not a file");
    std::fprintf(stderr, "tavolix: %s %s is not a file; it is not read.\n", what_,
                 QFile::encodeName(path_).constData());
    std::fflush(stderr);
    return read;
  }
  QFile file(path_);
  if (info.size() > kMaxBytes) {
    read.problem = QStringLiteral("it is %1 bytes, far more than the game writes").arg(info.size());
    read.keptAs = setAside(read.problem);
  } else if (!file.open(QIODevice::ReadOnly)) {
    // Left where it is: it may be readable another time.
    read.problem = QStringLiteral("it cannot be read (%1)").arg(file.errorString());
  } else {
    read.bytes = file.read(kMaxBytes + 1);
  }
  return read;
}

QString JsonFile::setAside(const QString& problem) {
  const QString keptAs = setFileAside(path_, QStringLiteral("refused"));
  std::fprintf(stderr, "tavolix: %s %s is refused: %s; %s\n", what_,
               QFile::encodeName(path_).constData(), problem.toLocal8Bit().constData(),
               keptAs.isEmpty() ? "it could not be set aside"
                                : qPrintable(QStringLiteral("it was set aside as %1").arg(keptAs)));
  std::fflush(stderr);
  return keptAs;
}

bool JsonFile::write(const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSaveFile file(path_);
  const bool written =
      file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
  if (!written && !warned_) {
    warned_ = true;
    std::fprintf(stderr, "tavolix: %s cannot be saved to %s (%s).\n", what_,
                 QFile::encodeName(path_).constData(),
                 file.errorString().toLocal8Bit().constData());
    std::fflush(stderr);
  }
  return written;
}

void JsonFile::remove() { QFile::remove(path_); }

}  // namespace tavolix
