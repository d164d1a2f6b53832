// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "frm_regra.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "settings/conversions.h"
#include "settings/settings_config.h"
#include "table_style.h"
#include "window_parts.h"

namespace tavolix {

namespace {

// A label that selects a radio button when clicked, for option captions that
// need more than one line.
class OptionCaption : public QLabel {
 public:
  OptionCaption(const QString& text, QRadioButton* option, QWidget* parent)
      : QLabel(text, parent), option_(option) {
    option->setAccessibleName(text);  // the button itself has no text
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) option_->setChecked(true);
  }

 private:
  QRadioButton* option_;
};

QGroupBox* frame(QWidget* parent, const QString& title, QRect where) {
  auto* box = new QGroupBox(title, parent);
  box->setGeometry(where);
  return box;
}

QRadioButton* option(QWidget* parent, const QString& text, QRect where) {
  auto* button = new QRadioButton(text, parent);
  button->setGeometry(where);
  return button;
}

QToolButton* arrow(QWidget* parent, const QString& text, QRect where) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setGeometry(where);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QLabel* label(QWidget* parent, const QString& text, QRect where) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(where);
  return l;
}

// One limit row at `top`: "Ganha o jogo quem primeiro fizer" [<] [limit] [>] "pontos".
// Its controls sit 180 twips right of the design, so that the caption before
// them shows whole in today's fonts.
std::array<QWidget*, 5> limitRow(QWidget* parent, int top, std::array<QToolButton*, 2>& arrows,
                                 QLineEdit*& text) {
  constexpr int kShift = 180;
  QLabel* wins = label(
      parent, QCoreApplication::translate("tavolix::FrmRegra", "Ganha o jogo quem primeiro fizer"),
      fromTwips(375, top + 30, 2310 + kShift, 195));
  arrows[0] = arrow(parent, QStringLiteral("<"), fromTwips(2835 + kShift, top, 180, 285));
  text = new QLineEdit(parent);
  text->setGeometry(fromTwips(2985 + kShift, top, 435, 285));
  arrows[1] = arrow(parent, QStringLiteral(">"), fromTwips(3390 + kShift, top, 180, 285));
  QLabel* points = label(parent, QCoreApplication::translate("tavolix::FrmRegra", "pontos"),
                         fromTwips(3675 + kShift, top + 30, 720, 195));
  wins->setBuddy(text);
  text->setAccessibleName(
      QCoreApplication::translate("tavolix::FrmRegra", "Pontos para ganhar o jogo"));
  arrows[0]->setAccessibleName(QCoreApplication::translate("tavolix::FrmRegra", "Menos pontos"));
  arrows[1]->setAccessibleName(QCoreApplication::translate("tavolix::FrmRegra", "Mais pontos"));
  for (QWidget* w : std::initializer_list<QWidget*>{text, arrows[0], arrows[1]})
    w->setAccessibleDescription(
        QCoreApplication::translate("tavolix::FrmRegra", "Os pontos que ganham a partida"));
  return {wins, arrows[0], text, arrows[1], points};
}

}  // namespace

FrmRegra::FrmRegra(Settings& settings, SettingsStore& store, QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store) {
  setWindowTitle(tr("Definição das Regras"));
  setModal(true);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(645, 232);

  QGroupBox* frame1 = frame(this, tr("Tipo de jogo"), fromTwips(60, 30, 4800, 600));
  Option1[1] = option(frame1, tr("Individual"), fromTwips(105, 255, 1125, 195));
  Option1[2] = option(frame1, tr("Duplas"), fromTwips(1485, 270, 1020, 195));

  QGroupBox* frame2 = frame(this, tr("Escolha a regra desejada:"), fromTwips(60, 660, 4800, 2745));
  Option2[1] = option(frame2, QString(), fromTwips(150, 300, 225, 240));
  const std::array<QString, 3> byKind{tr("Batida simples vale 1 ponto"),
                                      tr("Batida dupla ou carroção vale 2 pontos"),
                                      tr("Batida dupla \"e\" carroção vale 4 pontos")};
  for (int i = 0; i < 3; ++i) {
    auto* line = new OptionCaption(byKind[i], Option2[1], frame2);
    line->setGeometry(fromTwips(375, 285 + 210 * i, 3840, 225));
  }
  rule1Limit_ = limitRow(frame2, 975, Command3, Text2);

  Option2[2] = option(frame2, QString(), fromTwips(150, 1635, 210, 210));
  auto* byPips =
      new OptionCaption(tr("Cada pinta nas peças que restaram dos adversários valerá um ponto "
                           "para a dupla ou jogador que bateu"),
                        Option2[2], frame2);
  byPips->setGeometry(fromTwips(375, 1620, 4275, 495));
  rule2Limit_ = limitRow(frame2, 2085, Command4, Text3);

  QGroupBox* frame3 = frame(this, tr("Inicio:"), fromTwips(4920, 660, 4665, 1740));
  const std::array<QString, 3> openers{
      tr("Na primeira rodada iniciará quem possuir o 6:6, depois iniciará quem for o "
         "vencedor da rodada "
         "anterior"),
      tr("Sempre iniciará quem possuir o 6:6"),
      tr("Na primeira rodada iniciará quem possuir o 6:6, depois será feito um rodízio")};
  const std::array<int, 3> openerTops{270, 750, 1200};
  for (int i = 0; i < 3; ++i) {
    Option3[i + 1] = option(frame3, QString(), fromTwips(120, openerTops[i], 240, 240));
    auto* text = new OptionCaption(openers[i], Option3[i + 1], frame3);
    text->setGeometry(fromTwips(360, openerTops[i], 4125, 435));
  }

  QGroupBox* frame4 = frame(this, tr("Sentido do jogo:"), fromTwips(4920, 30, 4665, 600));
  Option4[0] = option(frame4, tr("Sentido horário"), fromTwips(135, 240, 1545, 240));
  Option4[1] = option(frame4, tr("Anti-horário"), fromTwips(1965, 255, 1350, 255));

  Check1 = new QCheckBox(tr("Permitir fechar o jogo somente no natural"), this);
  Check1->setGeometry(fromTwips(4935, 2460, 4455, 420));

  auto* help = new QPushButton(tr("&Ajuda"), this);
  help->setGeometry(fromTwips(5670, 2940, 1170, 330));
  auto* cancel = new QPushButton(tr("&Cancelar"), this);
  cancel->setGeometry(fromTwips(6915, 2940, 1170, 330));
  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setGeometry(fromTwips(8160, 2940, 1170, 330));
  ok->setDefault(true);

  // Each set of options is a group of its own.
  for (const auto& group : {std::vector<QRadioButton*>{Option1[1], Option1[2]},
                            std::vector<QRadioButton*>{Option2[1], Option2[2]},
                            std::vector<QRadioButton*>{Option3[1], Option3[2], Option3[3]},
                            std::vector<QRadioButton*>{Option4[0], Option4[1]}}) {
    auto* buttons = new QButtonGroup(this);
    for (QRadioButton* button : group) buttons->addButton(button);
  }

  connect(Option2[1], &QRadioButton::toggled, this, [this] { Option2_Click(); });
  connect(Command3[1], &QToolButton::clicked, this, [this] { step(Text2, 1, 4, 10); });
  connect(Command3[0], &QToolButton::clicked, this, [this] { step(Text2, -1, 4, 10); });
  connect(Command4[1], &QToolButton::clicked, this, [this] { step(Text3, 50, 50, 250); });
  connect(Command4[0], &QToolButton::clicked, this, [this] { step(Text3, -50, 50, 250); });
  connect(ok, &QPushButton::clicked, this, &FrmRegra::Command1_Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (help_) help_();
  });

  // The rules in force. A stored game type or opening rule the dialog does not
  // offer shows as the first choice.
  Option1[settings.TipoJogo == 2 ? 2 : 1]->setChecked(true);
  Option2[settings.TipoRegra == 2 ? 2 : 1]->setChecked(true);
  Option3[settings.TipoInicio >= 1 && settings.TipoInicio <= 3 ? settings.TipoInicio : 1]
      ->setChecked(true);
  Option2_Click();
  Option4[settings.SentidoHorario ? 0 : 1]->setChecked(true);
  Check1->setChecked(settings.FecharSoNoNatural);

  // Tab goes along the rows: the kind of game and the direction, the scoring, who opens, closing.
  const std::vector<QWidget*> order{Option1[1],  Option1[2],  Option4[0],  Option4[1], Option2[1],
                                    Command3[0], Text2,       Command3[1], Option2[2], Command4[0],
                                    Text3,       Command4[1], Option3[1],  Option3[2], Option3[3],
                                    Check1,      ok,          cancel,      help};
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  completeAccessibleTexts(*this);
  dressLikeTable(*this, parent, DialogDesign::Pixels, size());
  CentraForm(*this);
}

void FrmRegra::Option2_Click() {
  const bool rule1 = Option2[1]->isChecked();
  for (QWidget* w : rule1Limit_) w->setVisible(rule1);
  for (QWidget* w : rule2Limit_) w->setVisible(!rule1);
  // Both boxes start from the stored limit, not from what was typed before.
  Text2->setText(QString::number(settings_.PontosLimit < 11 ? settings_.PontosLimit : 4));
  Text3->setText(QString::number(settings_.PontosLimit >= 50 ? settings_.PontosLimit : 100));
}

void FrmRegra::step(QLineEdit* box, int by, int low, int high) {
  const int value = numericValue(box->text());
  if ((by > 0 && value >= high) || (by < 0 && value <= low)) return;
  box->setText(QString::number(value + by));
}

void FrmRegra::Command1_Click() {
  const bool rule1 = Option2[1]->isChecked();
  // The limit typed must be a whole number the buttons could reach; otherwise
  // the dialog says so and stays open.
  QLineEdit* box = rule1 ? Text2 : Text3;
  const int low = rule1 ? Settings::kMinLimitRule1 : Settings::kMinLimitRule2;
  const int high = rule1 ? Settings::kMaxLimitRule1 : Settings::kMaxLimitRule2;
  bool whole = false;
  const int limit = box->text().trimmed().toInt(&whole);
  if (!whole || limit < low || limit > high) {
    QMessageBox wrong(
        QMessageBox::Warning, tr("Definição das Regras"),
        tr("O limite de pontos deve ser um número inteiro de %1 a %2.").arg(low).arg(high),
        QMessageBox::Ok, this);
    dressLikeTable(wrong, this);
    wrong.exec();
    box->setFocus();
    box->selectAll();
    return;
  }
  settings_.TipoJogo = Option1[1]->isChecked() ? 1 : 2;
  settings_.TipoRegra = rule1 ? 1 : 2;
  settings_.TipoInicio = Option3[1]->isChecked() ? 1 : Option3[2]->isChecked() ? 2 : 3;
  settings_.SentidoHorario = Option4[0]->isChecked();
  settings_.FecharSoNoNatural = Check1->isChecked();
  settings_.PontosLimit = static_cast<std::int16_t>(limit);
  writeRules(store_, settings_);
  accept();
}

}  // namespace tavolix
