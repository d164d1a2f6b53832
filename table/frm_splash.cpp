// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "frm_splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "artwork/artwork.h"
#include "game/tempo.h"
#include "pacer.h"
#include "splash_banner.h"
#include "tavolix/version.h"
#include "twips.h"

namespace tavolix {

FrmSplash::FrmSplash(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      version_(versionText(version::kMajor, version::kMinor, version::kRevision)) {
  setFixedSize(500, 160);
  setWindowTitle(QStringLiteral("Tavolix"));
  setModal(true);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

QString FrmSplash::versionText(int major, int minor, int revision) {
  QString text = QStringLiteral("v %1.%2").arg(major).arg(minor);
  if (revision > 0) text += QStringLiteral(".%1").arg(revision);
  return text;
}

bool FrmSplash::run() {
  running_ = true;
  show();
  pacer::letEventsRun();
  if (!closedEarly_) pacer::waitOrUntil(tempo::kSplashMs, this, &QDialog::finished);
  running_ = false;
  accept();
  return !closedEarly_;
}

void FrmSplash::closeEvent(QCloseEvent* event) {
  if (running_) closedEarly_ = true;
  QDialog::closeEvent(event);
}

void FrmSplash::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (banner_.isNull()) banner_ = splashBanner(devicePixelRatioF(), gameCacheFolder()).image;
  painter.drawImage(QRectF(rect()), banner_);
  // The version label: Left 6570, Top 1455, 480 x 195 twips, in 11-pixel
  // letters scaled from the table's one font (another weight or size would
  // load a font engine of its own for these few letters).
  const QRectF label(6570 / kTwipsPerPixel, 1455 / kTwipsPerPixel, 480 / kTwipsPerPixel + 10,
                     195 / kTwipsPerPixel);
  constexpr qreal kScale = 11.0 / artwork::kTextPixels;
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(artwork::kTextPixels);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(font);
  painter.setPen(QColor(128, 128, 128));
  painter.translate(label.topLeft());
  painter.scale(kScale, kScale);
  painter.drawText(QRectF(QPointF(0, 0), label.size() / kScale), Qt::AlignLeft | Qt::AlignVCenter,
                   version_);
}

}  // namespace tavolix
