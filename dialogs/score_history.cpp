#include "score_history.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "game/texts.h"
#include "window_parts.h"

namespace tavolix {

ScoreHistory::ScoreHistory(const std::vector<HandResult>& hands, const Settings& rules,
                           const std::array<int, 4>& scores, bool ingles, QWidget* parent)
    : QDialog(parent) {
  setModal(true);
  setWindowTitle(ingles ? QStringLiteral("Scores of the match")
                        : QStringLiteral("Placar da partida"));
  auto* layout = new QVBoxLayout(this);

  // Where the match stands: each seat, or each pair, and its points.
  QStringList standing;
  const auto name = [&rules](int seat) { return QString::fromStdString(rules.Nomes[seat]); };
  if (rules.pairs()) {
    for (int seat : {0, 1}) {
      standing << QStringLiteral("%1: %2").arg(
          QString::fromStdString(texts::pairName(rules.Nomes, seat)),
          QString::fromStdString(texts::scoreText(scores[seat])));
    }
  } else {
    for (int seat = 0; seat < 4; ++seat) {
      standing << QStringLiteral("%1: %2").arg(
          name(seat), QString::fromStdString(texts::scoreText(scores[seat])));
    }
  }
  auto* summary = new QLabel(standing.join(QStringLiteral("   ")), this);
  summary->setAccessibleName(ingles ? QStringLiteral("Scores") : QStringLiteral("Pontos"));
  layout->addWidget(summary);

  table = new QTableWidget(static_cast<int>(hands.size()), 3, this);
  table->setHorizontalHeaderLabels(
      ingles
          ? QStringList{QStringLiteral("Won by"), QStringLiteral("How"), QStringLiteral("Points")}
          : QStringList{QStringLiteral("Quem ganhou"), QStringLiteral("Como"),
                        QStringLiteral("Pontos")});
  table->setAccessibleName(ingles ? QStringLiteral("Hands of the match")
                                  : QStringLiteral("Mãos da partida"));
  table->setAccessibleDescription(ingles ? QStringLiteral("One row for each hand played")
                                         : QStringLiteral("Uma linha para cada mão jogada"));
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  for (int row = 0; row < static_cast<int>(hands.size()); ++row) {
    const HandResult& hand = hands[row];
    const QString winner =
        hand.tied() ? QStringLiteral("—")
                    : QString::fromStdString(texts::handWinner(hand, rules.Nomes, rules.pairs()));
    table->setItem(row, 0, new QTableWidgetItem(winner));
    table->setItem(row, 1,
                   new QTableWidgetItem(
                       QString::fromStdString(texts::handHow(hand, rules.pipRule(), ingles))));
    auto* points = new QTableWidgetItem(QString::number(hand.tied() ? 0 : hand.points));
    points->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, 2, points);
  }
  if (!hands.empty()) table->scrollToBottom();
  layout->addWidget(table);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(
      ingles ? QStringLiteral("&Close") : QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  buttons->setAccessibleName(ingles ? QStringLiteral("Close") : QStringLiteral("Fechar"));
  completeAccessibleTexts(*this);
  resize(460, 340);
  CentraForm(*this);
}

}  // namespace tavolix
