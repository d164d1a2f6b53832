// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "frm_novo_jogo.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

#include "artwork/artwork.h"
#include "frm_regra.h"
#include "settings/conversions.h"
#include "settings/settings_config.h"
#include "table_style.h"
#include "window_parts.h"

namespace tavolix {

namespace {

const QColor kCaption(224, 224, 224);

QLabel* caption(QWidget* parent, const QString& text, QRect where, int pixelSize, bool bold,
                bool wrap = false, const QString& family = QStringLiteral("Arial")) {
  auto* label = new QLabel(text, parent);
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kCaption);
  label->setPalette(palette);
  label->setGeometry(where);
  label->setWordWrap(wrap);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

CommandLabel* command(QWidget* parent, const QString& text, QRect where) {
  auto* label = new CommandLabel(text, parent);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);  // 9 points
  font.setBold(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kCaption);
  label->setPalette(palette);
  label->setGeometry(where);
  label->setAlignment(Qt::AlignCenter);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

QLabel* rule(QWidget* parent, int left, int top, int width, int height, bool wrap = false) {
  return caption(parent, QString(), fromTwips(left, top, width, height), 11, false, wrap);
}

// A caption of the dialog's design: "&Cancelar" shows as "Cancelar".
QString shown(const QString& text) { return QString(text).remove(u'&'); }

}  // namespace

FrmNovoJogo::FrmNovoJogo(Settings& settings, SettingsStore& store, bool leaveEndsProgram,
                         QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint),
      settings_(settings),
      store_(store) {
  setModal(true);
  setFixedSize(artwork::dialogPictureSize(artwork::DialogPicture::NovoJogo).toSize());
  setWindowTitle(tr("Tavolix - Novo jogo"));
  leaveCaption_ = leaveEndsProgram ? tr("Sair") : tr("&Cancelar");

  auto* strip = new DragStrip(this);
  strip->setGeometry(fromTwips(0, 0, 7125, 795));

  QLabel* yourName = caption(this, tr("Seu nome:"), fromTwips(435, 975, 1050, 210), 12, true, false,
                             QStringLiteral("Verdana"));
  yourName->setFont(fittingFont(yourName->font(), QRectF(QPointF(0, 0), QSizeF(yourName->size())),
                                Qt::AlignLeft | Qt::AlignTop, yourName->text()));
  Text1 = new QLineEdit(this);
  yourName->setBuddy(Text1);
  Text1->setAccessibleDescription(tr("O seu nome, mostrado ao lado da sua mão"));
  Text1->setGeometry(fromTwips(1620, 945, 4815, 315));
  Text1->setMaxLength(12);  // as in the preferences: the name fits beside the hand
  caption(this, tr("Tipo de jogo:"), fromTwips(405, 1455, 1365, 195), 11, false);
  Label8 = caption(this, QString(), fromTwips(1755, 1455, 3270, 195), 11, true);
  caption(this, tr("Sentido do jogo:"), fromTwips(405, 1695, 1335, 195), 11, false);
  Label6 = caption(this, QString(), fromTwips(1755, 1695, 3255, 195), 11, true);
  Label9 = rule(this, 405, 2130, 6300, 435, true);
  Label12 = rule(this, 405, 2610, 6255, 195);
  Label10 = rule(this, 405, 2895, 6195, 435, true);
  Label11 = rule(this, 405, 3420, 4530, 195);

  Label5 = command(this, tr("Modificar regras"), fromTwips(195, 4035, 2565, 255));
  Label4 = command(this, shown(leaveCaption_), fromTwips(3495, 4035, 1665, 255));
  Label1 = command(this, tr("Jogar"), fromTwips(5295, 4035, 1665, 255));
  online = command(this, tr("Jogar online"), fromTwips(5010, 3390, 1950, 255));
  online->setAccessibleDescription(tr("Abre ou entra numa mesa pela rede, com outras pessoas"));
  Label5->setAccessibleDescription(tr("Abre as regras da partida"));
  Label4->setAccessibleDescription(leaveEndsProgram ? tr("Sai do jogo (Esc)")
                                                    : tr("Volta à partida em andamento (Esc)"));
  Label1->setAccessibleDescription(tr("Começa a partida (Enter)"));
  setTabOrder(Text1, Label5);
  setTabOrder(Label5, Label4);
  setTabOrder(Label4, Label1);
  setTabOrder(Label1, online);
  connect(Label1, &CommandLabel::clicked, this, &FrmNovoJogo::Label1_Click);
  connect(Label4, &CommandLabel::clicked, this, &FrmNovoJogo::Label4_Click);
  connect(Label5, &CommandLabel::clicked, this, &FrmNovoJogo::Label5_Click);
  connect(online, &CommandLabel::clicked, this, &FrmNovoJogo::playOnline);

  const double scale = dressLikeTable(*this, mainWindow, DialogDesign::Picture, size());
  // Over the main window, a little right of its middle.
  if (mainWindow != nullptr) {
    const QRect main = mainWindow->frameGeometry();
    const QRect room = screen() != nullptr ? screen()->availableGeometry() : main;
    const int x =
        main.x() + main.width() / 2 - width() / 2 + qRound(280 * scale / geometry::kTwipsPerPixel);
    // On the screen, wherever the window stands.
    move(std::clamp(x, room.left(), std::max(room.left(), room.right() + 1 - width())),
         std::clamp(main.y() + main.height() / 2 - height() / 2, room.top(),
                    std::max(room.top(), room.bottom() + 1 - height())));
  } else {
    CentraForm(*this);
  }

  GetConfig(store_, settings_);
  ExibirRegras(true);
  completeAccessibleTexts(*this);
}

void FrmNovoJogo::ExibirRegras(bool withName) {
  if (withName)
    Text1->setText(nameInLanguage(plainName(readText(store_, stored::kJog, QString()))));
  Label8->setText(settings_.TipoJogo == 2 ? tr("Duplas") : tr("Individual"));
  Label6->setText(settings_.SentidoHorario ? tr("Sentido horário") : tr("Sentido Anti-horário"));
  if (settings_.TipoRegra != 2) {
    settings_.TipoRegra = 1;
    Label9->setText(
        tr("Batida simples vale 1 ponto, batida dupla ou carroção vale 2 pontos, batida "
           "dupla 'e' carroção vale 4 pontos."));
  } else {
    Label9->setText(
        tr("Cada pinta nas peças que restaram dos adversários valerá um ponto para a "
           "dupla ou jogador que bateu"));
  }
  Label12->setText(tr("Ganha o jogo quem primeiro fizer %1 pontos").arg(settings_.PontosLimit));
  switch (settings_.TipoInicio) {
    case 1:
      Label10->setText(
          tr("Na primeira rodada iniciará quem possuir o 6:6, depois iniciará quem for o "
             "vencedor da rodada anterior"));
      break;
    case 2:
      Label10->setText(tr("Sempre iniciará quem possuir o 6:6"));
      break;
    case 3:
      Label10->setText(
          tr("Na primeira rodada iniciará quem possuir o 6:6, depois será feito um rodízio"));
      break;
    default:
      break;
  }
  Label11->setText(tr("Permitir fechar o jogo") +
                   (settings_.FecharSoNoNatural ? tr(" somente no natural") : QString()));
}

void FrmNovoJogo::Label1_Click() {
  QString name = plainName(Text1->text());
  if (name.isEmpty()) name = defaultPlayerName();
  settings_.Nomes[0] = name.toStdString();
  writeText(store_, stored::kJog, name);
  writeRules(store_, settings_);
  // A new match brings the computer players' names back from the store.
  readComputerNames(store_, settings_);
  answer_ = NewGameAnswer::Play;
  accept();
}

void FrmNovoJogo::Label4_Click() {
  answer_ = leaveCaption_ == u"Sair" || leaveCaption_ == u"Exit" ? NewGameAnswer::Exit
                                                                 : NewGameAnswer::Cancel;
  reject();
}

void FrmNovoJogo::playOnline() {
  answer_ = NewGameAnswer::Online;
  reject();
}

void FrmNovoJogo::Label5_Click() {
  FrmRegra rules(settings_, store_, this);
  if (help_) rules.setHelp(help_);
  rules.exec();
  // The summary shows what was chosen; the name being typed stays as it is.
  ExibirRegras(false);
}

void FrmNovoJogo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Text1->setFocus();
  Text1->selectAll();
}

void FrmNovoJogo::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Label1_Click();
      break;
    case Qt::Key_Escape:
      Label4_Click();
      break;
    default:
      QDialog::keyPressEvent(event);
  }
}

void FrmNovoJogo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  artwork::paintDialogPicture(painter, artwork::DialogPicture::NovoJogo, rect(), tr("Novo Jogo"));
  painter.scale(scaleOf(*this), scaleOf(*this));
  painter.setPen(QPen(QColor(192, 192, 192), 1));
  painter.drawLine(QPointF(27, 92), QPointF(440, 92));    // Line1
  painter.drawLine(QPointF(27, 134), QPointF(440, 134));  // Line2
}

}  // namespace tavolix
