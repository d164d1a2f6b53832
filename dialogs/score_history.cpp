// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "score_history.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "game/texts.h"
#include "table_style.h"
#include "window_parts.h"

namespace tavolix {

namespace {

// A table to read, a row at a time, its columns as wide as their texts.
QTableWidget* readOnlyTable(int rows, const QStringList& columns, const QString& name,
                            const QString& description, QWidget* parent) {
  auto* table = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
  table->setHorizontalHeaderLabels(columns);
  table->setAccessibleName(name);
  table->setAccessibleDescription(description);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

}  // namespace

ScoreHistory::ScoreHistory(const std::vector<HandResult>& hands, const Settings& rules,
                           const std::array<int, 4>& scores, const Translator& translate,
                           QWidget* parent)
    : QDialog(parent) {
  setModal(true);
  setWindowTitle(tr("Placar da partida"));
  const double scale = dressLikeTable(*this, parent, DialogDesign::Layouts, QSize(460, 340));
  auto* layout = new QVBoxLayout(this);

  // Where the match stands: each seat, or each pair, and its points.
  QStringList standing;
  const auto shown = [&translate](const Text& text) {
    return QString::fromStdString(tavolix::render(text, translate));
  };
  const std::vector<int> sides =
      rules.pairs() ? std::vector<int>{0, 1} : std::vector<int>{0, 1, 2, 3};
  for (const int seat : sides) {
    const QString who = rules.pairs() ? shown(texts::pairName(rules.Nomes, seat))
                                      : QString::fromStdString(rules.Nomes[seat]);
    standing << QStringLiteral("%1: %2").arg(who, shown(texts::scoreText(scores[seat])));
  }
  auto* summary = new QLabel(standing.join(QStringLiteral("   ")), this);
  summary->setWordWrap(true);
  summary->setAccessibleName(tr("Placar"));
  layout->addWidget(summary);

  table =
      readOnlyTable(static_cast<int>(hands.size()), {tr("Quem ganhou"), tr("Como"), tr("Pontos")},
                    tr("Mãos da partida"), tr("Uma linha para cada mão jogada"), this);
  for (int row = 0; row < static_cast<int>(hands.size()); ++row) {
    const HandResult& hand = hands[row];
    const QString winner = hand.tied() ? QStringLiteral("—")
                                       : shown(texts::handWinner(hand, rules.Nomes, rules.pairs()));
    table->setItem(row, 0, new QTableWidgetItem(winner));
    table->setItem(row, 1, new QTableWidgetItem(shown(texts::handHow(hand, rules.pipRule()))));
    auto* points = new QTableWidgetItem(QString::number(hand.tied() ? 0 : hand.points));
    points->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, 2, points);
  }
  if (!hands.empty()) table->scrollToBottom();
  pages = new QTabWidget(this);
  pages->addTab(table, tr("Mãos"));
  moves = readOnlyTable(0, {tr("Quem"), tr("Lance")}, tr("Lances desta mão"),
                        tr("Uma linha para cada pedra jogada ou vez passada"), this);
  pages->addTab(moves, tr("Lances desta mão"));
  layout->addWidget(pages);

  auto* buttons = new QDialogButtonBox(this);
  statistics = buttons->addButton(tr("&Estatísticas..."), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(tr("&Fechar"), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  buttons->setAccessibleName(tr("Fechar"));
  completeAccessibleTexts(*this);
  resize(QSize(460, 340) * scale);
  CentraForm(*this);
}

void ScoreHistory::showHandMoves(const std::vector<LoggedMove>& log,
                                 const std::array<std::string, 4>& names,
                                 const Translator& translate, bool opened) {
  moves->setRowCount(static_cast<int>(log.size()));
  for (int row = 0; row < static_cast<int>(log.size()); ++row) {
    const LoggedMove& move = log[static_cast<std::size_t>(row)];
    moves->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(names[move.seat])));
    moves->setItem(
        row, 1,
        new QTableWidgetItem(QString::fromStdString(tavolix::render(move.what, translate))));
  }
  if (!log.empty()) moves->scrollToBottom();
  if (opened) pages->setCurrentWidget(moves);
}

}  // namespace tavolix
