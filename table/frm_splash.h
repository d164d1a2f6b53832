// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QDialog>
#include <QImage>

namespace tavolix {

// The splash: the banner with the version, shown while the table gets ready;
// it closes itself after two seconds at the game's pace.
class FrmSplash : public QDialog {
  Q_OBJECT

 public:
  explicit FrmSplash(QWidget* parent = nullptr);

  // Shows the splash, lets the screen draw it, waits two seconds at the
  // game's pace and closes it. False when it was closed before its time:
  // the player wants to leave.
  bool run();

  // "v 1.0", with the revision after another dot when there is one.
  static QString versionText(int major, int minor, int revision);
  QString Label3() const { return version_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QString version_;
  QImage banner_;
  bool closedEarly_ = false;
  bool running_ = false;
};

}  // namespace tavolix
