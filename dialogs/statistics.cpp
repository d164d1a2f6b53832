// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "statistics.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "table_style.h"
#include "window_parts.h"

namespace tavolix {

namespace {

QTableWidget* newTable(int rows, const QStringList& columns, QWidget* parent) {
  auto* table = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
  table->setHorizontalHeaderLabels(columns);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return table;
}

void setRow(QTableWidget& table, int row, const QString& name, const QStringList& values) {
  table.setVerticalHeaderItem(row, new QTableWidgetItem(name));
  for (int column = 0; column < values.size(); ++column) {
    auto* item = new QTableWidgetItem(values[column]);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItem(row, column, item);
  }
}

// Matches won of those played: "3", "2", "67%" ("—" before the first).
QStringList wonOf(int played, int won) {
  return {
      QString::number(played), QString::number(won),
      played == 0 ? QStringLiteral("—") : QStringLiteral("%1%").arg(qRound(100.0 * won / played))};
}

// The size that shows every row and column of a table whole, and no more.
void fitRows(QTableWidget& table) {
  // Measured in the fonts the table will be shown in.
  table.ensurePolished();
  table.horizontalHeader()->ensurePolished();
  table.verticalHeader()->ensurePolished();
  table.resizeRowsToContents();
  const int frame = 2 * table.frameWidth();
  // Every column as wide as its contents, the last one too, then free to stretch.
  table.horizontalHeader()->setStretchLastSection(false);
  table.resizeColumnsToContents();
  table.setMinimumWidth(table.verticalHeader()->sizeHint().width() +
                        table.horizontalHeader()->length() + frame);
  table.horizontalHeader()->setStretchLastSection(true);
  table.setFixedHeight(table.horizontalHeader()->sizeHint().height() +
                       table.verticalHeader()->length() + frame);
}

}  // namespace

Statistics::Statistics(const PlayerRecord& record, const Translator& translate, QWidget* parent)
    : QDialog(parent), translate_(translate) {
  setModal(true);
  setWindowTitle(tr("Estatísticas"));
  dressLikeTable(*this, parent, DialogDesign::Layouts, QSize(451, 350));
  auto* outer = new QVBoxLayout(this);
  auto* layout = new QVBoxLayout(scrollingPage(*this, *outer));
  layout->setContentsMargins(0, 0, 0, 0);

  matches = newTable(7, {tr("Jogadas"), tr("Vencidas"), tr("Aproveitamento")}, this);
  matches->setAccessibleName(tr("Partidas"));
  layout->addWidget(matches);
  hands = newTable(6, {tr("Mãos ganhas")}, this);
  hands->setAccessibleName(tr("Mãos ganhas"));
  layout->addWidget(hands);
  streaks = new QLabel(this);
  streaks->setAccessibleName(tr("Sequência de vitórias"));
  layout->addWidget(streaks);

  auto* buttons = new QDialogButtonBox(this);
  reset = buttons->addButton(tr("&Zerar..."), QDialogButtonBox::ResetRole);
  QPushButton* close = buttons->addButton(tr("&Fechar"), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  connect(reset, &QPushButton::clicked, this, &Statistics::askReset);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  outer->addWidget(buttons);
  fill(record);
  completeAccessibleTexts(*this);
  adjustSize();
  CentraForm(*this);
}

void Statistics::fill(const PlayerRecord& record) {
  const auto& r = record;
  setRow(*matches, 0, tr("Individual, por batida"), wonOf(r.played[0][0], r.won[0][0]));
  setRow(*matches, 1, tr("Individual, por pontos"), wonOf(r.played[0][1], r.won[0][1]));
  setRow(*matches, 2, tr("Duplas, por batida"), wonOf(r.played[1][0], r.won[1][0]));
  setRow(*matches, 3, tr("Duplas, por pontos"), wonOf(r.played[1][1], r.won[1][1]));
  setRow(*matches, 4, tr("Todas"), wonOf(r.matchesPlayed(), r.matchesWon()));
  setRow(*matches, 5, tr("Online, com outras pessoas"), wonOf(r.onlinePlayed, r.onlineWon));
  setRow(*matches, 6, tr("Com dica pedida"), wonOf(r.hintedPlayed, r.hintedWon));
  const auto kindName = [this](GoingOut kind) {
    return QString::fromStdString(tavolix::render(texts::goingOutName(kind), translate_));
  };
  for (int k = 0; k < 4; ++k) {
    const auto kind = static_cast<GoingOut>(k + 1);
    setRow(*hands, k, kindName(kind), {QString::number(r.wentOut[k])});
  }
  setRow(*hands, 4, tr("Batida, por pontos"), {QString::number(r.wentOutPipRule)});
  setRow(*hands, 5, tr("Jogo fechado"), {QString::number(r.blockedWon)});
  streaks->setText(
      tr("Maior sequência de vitórias: %1 (agora: %2)").arg(r.longestStreak).arg(r.streak));
  fitRows(*matches);
  fitRows(*hands);
}

void Statistics::askReset() {
  QMessageBox ask(QMessageBox::Question, windowTitle(),
                  tr("Zerar todas as estatísticas? Isto não pode ser desfeito."),
                  QMessageBox::NoButton, this);
  QPushButton* yes = ask.addButton(tr("Zerar"), QMessageBox::DestructiveRole);
  QPushButton* no = ask.addButton(tr("Cancelar"), QMessageBox::RejectRole);
  ask.setDefaultButton(no);
  ask.setEscapeButton(no);
  dressLikeTable(ask, this);
  ask.exec();
  if (ask.clickedButton() != yes) return;
  fill(PlayerRecord());
  Q_EMIT recordReset();
}

}  // namespace tavolix
