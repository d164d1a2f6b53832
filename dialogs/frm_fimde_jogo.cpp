// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "frm_fimde_jogo.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "artwork/artwork.h"
#include "table_style.h"
#include "window_parts.h"

namespace tavolix {

namespace {

// How a text longer than its box is shown.
enum class Fit { RunsOn, Shrinks };

QLabel* text(QWidget* parent, const QString& caption, QRect where, double points, QColor colour,
             Fit fit = Fit::RunsOn) {
  auto* label = new QLabel(caption, parent);
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(qRound(points * 96 / 72));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (fit == Fit::RunsOn) {
    // The design's boxes are tight; a short text running on to the right is no harm.
    label->setGeometry(where.adjusted(0, 0, 160, 0));
  } else {
    // The names and the winner's line: as long as the dialogs let them be, they stay in their
    // boxes, clear of the scores and of the window's edge.
    label->setGeometry(where);
    font = fittingFont(font, QRectF(QPointF(0, 0), QSizeF(where.size())),
                       Qt::AlignLeft | Qt::AlignTop, caption);
  }
  label->setFont(font);
  return label;
}

const QColor kLight(224, 224, 224);
const QColor kShadow(64, 64, 64);

}  // namespace

FrmFimdeJogo::FrmFimdeJogo(const MatchEndReport& report, const Translator& translate,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setModal(true);
  setWindowTitle(tr("Fim de Jogo"));
  setFixedSize(artwork::dialogPictureSize(artwork::DialogPicture::FimDeJogo).toSize());

  auto* strip = new DragStrip(this);
  strip->setGeometry(fromTwips(0, 0, 5715, 765));

  Label2 = text(this, QString::fromStdString(tavolix::render(report.winnerLine, translate)),
                fromTwips(495, 915, 4800, 420), 14.25, kLight, Fit::Shrinks);
  const std::array<int, 4> tops{1440, 1815, 2175, 2550};
  for (int place = 0; place < 4; ++place) {
    const QString score = QString::fromStdString(tavolix::render(report.scores[place], translate));
    Label1[place] = text(this, QString::fromStdString(report.names[place]),
                         fromTwips(510, tops[place], 1470, 345), 12, kLight, Fit::Shrinks);
    Label3[place] = text(this, score, fromTwips(2115, tops[place] + 30, 105, 285), 12, kShadow);
    Label4[place] = text(this, score, fromTwips(2100, tops[place], 105, 285), 12, kLight);
  }
  text(this, QStringLiteral("OK"), fromTwips(4560, 3435, 345, 270), 11.25, Qt::black);
  Lbcaption2 = new CommandLabel(QStringLiteral("OK"), this);
  Lbcaption2->setFont(Label2->font());
  QFont ok = Lbcaption2->font();
  ok.setPixelSize(15);
  Lbcaption2->setFont(ok);
  QPalette palette = Lbcaption2->palette();
  palette.setColor(QPalette::WindowText, kLight);
  Lbcaption2->setPalette(palette);
  Lbcaption2->setGeometry(fromTwips(4530, 3390, 345, 270).adjusted(0, 0, 10, 4));
  Lbcaption2->setCursor(artwork::handPointer(devicePixelRatioF()));
  connect(Lbcaption2, &CommandLabel::clicked, this, &QDialog::accept);
  Lbcaption2->setAccessibleDescription(tr("Fecha esta janela (Enter)"));
  completeAccessibleTexts(*this);
  dressLikeTable(*this, parent, DialogDesign::Picture, size());
  CentraForm(*this);
}

void FrmFimdeJogo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FrmFimdeJogo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  artwork::paintDialogPicture(painter, artwork::DialogPicture::FimDeJogo, rect(), windowTitle());
}

}  // namespace tavolix
