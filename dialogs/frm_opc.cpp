// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "frm_opc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "artwork/artwork.h"
#include "settings/conversions.h"
#include "settings/settings_config.h"
#include "table_style.h"
#include "window_parts.h"

namespace tavolix {

namespace {

// The sample of a tile set: a tile lying face up, another standing on its back.
class TileSetSample : public QWidget {
 public:
  explicit TileSetSample(QWidget* parent) : QWidget(parent) {}
  void show(int set) {
    set_ = set;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), artwork::kFelt);
    // Both tiles and the felt between and around them: 8 + 56 + 10 + 59 + 8 pixels by 40.
    const double scale = std::min(width() / 141.0, height() / 40.0);
    const auto at = [&](double x, double y, QSizeF size) {
      return QRectF(QPointF(x, y) * scale, size * scale);
    };
    const QSizeF front = artwork::pictureSize(Picture::ImgFrenteW, set_);
    const QRectF tile = at(8, 6, front);
    artwork::paintPicture(p, Picture::ImgFrenteW, set_, tile);
    const QSizeF half = artwork::pictureSize(Picture::ImgW, 6 + 7 * set_);
    const geometry::Halves halves = geometry::chainHalves(false, false);
    const double k = geometry::kTwipsPerPixel;
    artwork::paintPicture(p, Picture::ImgW, 6 + 7 * set_,
                          at(8 + halves.first.left / k, 6 + halves.first.top / k, half));
    artwork::paintPicture(p, Picture::ImgW, 3 + 7 * set_,
                          at(8 + halves.second.left / k, 6 + halves.second.top / k, half));
    artwork::paintPicture(p, Picture::PedraW, set_,
                          at(74, 6, artwork::pictureSize(Picture::PedraW, set_)));
  }

 private:
  int set_ = 0;
};

template <class Widget>
Widget* placed(Widget* widget, QRect where) {
  widget->setGeometry(where);
  return widget;
}

}  // namespace

FrmOpc::FrmOpc(Settings& settings, SettingsStore& store, QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store) {
  setModal(true);
  setWindowTitle(tr("Opções"));
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(296, 457);

  auto* frame3 = placed(new QGroupBox(tr("Peças: "), this), fromTwips(90, 90, 4215, 1305));
  Option1[0] = placed(new QRadioButton(tr("Marfim"), frame3), fromTwips(195, 240, 990, 240));
  Option1[1] = placed(new QRadioButton(tr("Coloridas"), frame3), fromTwips(210, 585, 1170, 240));
  Image2 = placed(new TileSetSample(frame3), fromTwips(1410, 195, 2490, 990));

  auto* frame2 =
      placed(new QGroupBox(tr("Nomes dos jogadores "), this), fromTwips(75, 1455, 4215, 1815));
  std::array<QLabel*, 4> nameLabels{};
  nameLabels[0] = placed(new QLabel(tr("Seu nome:"), frame2), fromTwips(120, 315, 885, 225));
  const std::array<int, 3> cpuLefts{135, 150, 135};
  const std::array<int, 3> cpuTops{690, 1050, 1425};
  for (int i = 0; i < 3; ++i) {
    nameLabels[i + 1] = placed(new QLabel(tr("CPU %1:").arg(i + 1), frame2),
                               fromTwips(cpuLefts[i], cpuTops[i], 660, 225));
  }
  const std::array<int, 4> nameTops{285, 645, 1005, 1365};
  for (int i = 0; i < 4; ++i) {
    Text1[i] = placed(new QLineEdit(QString::fromStdString(settings.Nomes[i]), frame2),
                      fromTwips(1095, nameTops[i], 2835, 315));
    Text1[i]->setMaxLength(i == 0 ? 12 : 10);
    nameLabels[i]->setBuddy(Text1[i]);
  }

  auto* frame1 =
      placed(new QGroupBox(tr("Velocidade da Animação"), this), fromTwips(90, 3360, 4200, 1035));
  HScroll1 = placed(new QScrollBar(Qt::Horizontal, frame1), fromTwips(135, 330, 3825, 270));
  HScroll1->setRange(Settings::kMinVeloc, Settings::kMaxVeloc);
  HScroll1->setValue(HScroll1->maximum() - settings.Veloc + 5);
  HScroll1->setAccessibleName(tr("Velocidade da animação"));
  HScroll1->setAccessibleDescription(tr("À esquerda mais lento, à direita mais rápido"));
  Image2->setAccessibleName(tr("Amostra das peças"));
  // The captions at the bar's ends, wide enough for today's fonts; the right one ends where the bar
  // does.
  placed(new QLabel(tr("Mais lento"), frame1), fromTwips(150, 675, 1200, 195));
  auto* fast = placed(new QLabel(tr("Mais rápido"), frame1), fromTwips(2760, 675, 1200, 195));
  fast->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  Check1 = placed(new QCheckBox(tr("Tocar som"), this), fromTwips(135, 4515, 1710, 240));
  Check1->setChecked(settings.TocarSom);
  markTurn =
      placed(new QCheckBox(tr("Marcar de quem é a vez"), this), fromTwips(135, 4815, 4000, 240));
  markTurn->setChecked(settings.markTurn);
  markLastMove = placed(new QCheckBox(tr("Marcar a última pedra jogada"), this),
                        fromTwips(135, 5115, 4000, 240));
  markLastMove->setChecked(settings.markLastMove);
  // Each language by its own name.
  auto* language = placed(new QLabel(tr("Língua:"), this), fromTwips(135, 5430, 1000, 240));
  languages[0] =
      placed(new QRadioButton(QStringLiteral("Português"), this), fromTwips(1140, 5415, 1350, 270));
  languages[1] =
      placed(new QRadioButton(QStringLiteral("English"), this), fromTwips(2610, 5415, 1350, 270));
  language->setBuddy(languages[0]);
  for (QRadioButton* choice : languages) choice->setAccessibleDescription(tr("A língua do jogo"));
  auto* languageGroup = new QButtonGroup(this);
  for (QRadioButton* choice : languages) languageGroup->addButton(choice);
  languages[settings.Ingles ? 1 : 0]->setChecked(true);
  // The computer players' level: the ordinary one, the strong one or the master.
  auto* level = placed(new QLabel(tr("Adversários:"), this), fromTwips(135, 5730, 1000, 240));
  opponents[0] = placed(new QRadioButton(tr("Normal"), this), fromTwips(1140, 5715, 1050, 270));
  opponents[1] = placed(new QRadioButton(tr("Forte"), this), fromTwips(2190, 5715, 1050, 270));
  opponents[2] = placed(new QRadioButton(tr("Mestre"), this), fromTwips(3240, 5715, 1050, 270));
  level->setBuddy(opponents[0]);
  auto* levelGroup = new QButtonGroup(this);
  for (QRadioButton* choice : opponents) {
    choice->setAccessibleDescription(tr("Como jogam os jogadores do computador"));
    levelGroup->addButton(choice);
  }
  opponents[static_cast<std::size_t>(settings.opponents)]->setChecked(true);
  reducedMotion = placed(new QCheckBox(tr("Peças sem animação: vão direto ao lugar"), this),
                         fromTwips(135, 6030, 4100, 240));
  reducedMotion->setChecked(settings.reducedMotion);

  // The answer below every option.
  auto* cancel = placed(new QPushButton(tr("&Cancelar"), this), fromTwips(2040, 6405, 1155, 345));
  auto* ok = placed(new QPushButton(QStringLiteral("&OK"), this), fromTwips(3255, 6405, 1035, 345));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &FrmOpc::Command1_Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  (settings.PedraBase() == 0 ? Option1[0] : Option1[1])->setChecked(true);
  for (QRadioButton* option : Option1)
    connect(option, &QRadioButton::toggled, this, [this] { Option1_Click(); });
  Option1_Click();
  completeAccessibleTexts(*this);
  dressLikeTable(*this, parent, DialogDesign::Pixels, size());
  CentraForm(*this);
}

void FrmOpc::Option1_Click() {
  static_cast<TileSetSample*>(Image2)->show(Option1[0]->isChecked() ? 0 : 1);
}

void FrmOpc::Command1_Click() {
  for (int i = 0; i <= 3; ++i) {
    const QString name = plainName(Text1[i]->text());
    settings_.Nomes[i] = name.toStdString();
    writeText(store_, i == 0 ? stored::kJog : stored::kCpuNames[i - 1], name);
  }
  settings_.Veloc = static_cast<std::int16_t>(velocFromBar(HScroll1->value(), HScroll1->maximum()));
  writeText(store_, stored::kVeloc, intText(settings_.Veloc));
  settings_.PedraX = Option1[0]->isChecked() ? 0 : 1;
  writeText(store_, stored::kPedraX, intText(settings_.PedraX));
  settings_.TocarSom = Check1->isChecked();
  writeText(store_, stored::kTocarSom, boolText(settings_.TocarSom));
  settings_.markTurn = markTurn->isChecked();
  writeText(store_, stored::kMarkTurn, boolText(settings_.markTurn));
  settings_.markLastMove = markLastMove->isChecked();
  writeText(store_, stored::kMarkLastMove, boolText(settings_.markLastMove));
  settings_.reducedMotion = reducedMotion->isChecked();
  writeText(store_, stored::kReducedMotion, boolText(settings_.reducedMotion));
  // The language is stored only when the player chose another one here: one
  // asked for on the command line, or the desktop's, is not made his for good.
  if (languages[1]->isChecked() != settings_.Ingles) {
    settings_.Ingles = languages[1]->isChecked();
    writeText(store_, stored::kLanguage,
              settings_.Ingles ? QStringLiteral("en") : QStringLiteral("pt"));
  }
  for (const ComputerLevel l :
       {ComputerLevel::Normal, ComputerLevel::Strong, ComputerLevel::Master}) {
    if (opponents[static_cast<std::size_t>(l)]->isChecked()) settings_.opponents = l;
  }
  writeText(store_, stored::kOpponents, opponentsText(settings_.opponents));
  accept();
}

}  // namespace tavolix
