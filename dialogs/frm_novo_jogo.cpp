#include "frm_novo_jogo.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "artwork/artwork.h"
#include "frm_regra.h"
#include "settings/conversions.h"
#include "settings/settings_config.h"
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
                         bool ingles, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint),
      settings_(settings),
      store_(store),
      ingles_(ingles) {
  setModal(true);
  setFixedSize(artwork::dialogPictureSize(artwork::DialogPicture::NovoJogo).toSize());
  setWindowTitle(ingles ? QStringLiteral("Tavolix - New Game")
                        : QStringLiteral("Tavolix - Novo jogo"));
  leaveCaption_ = leaveEndsProgram
                      ? (ingles ? QStringLiteral("Exit") : QStringLiteral("Sair"))
                      : (ingles ? QStringLiteral("&Cancel") : QStringLiteral("&Cancelar"));

  auto* strip = new DragStrip(this);
  strip->setGeometry(fromTwips(0, 0, 7125, 795));

  QLabel* yourName =
      caption(this, ingles ? QStringLiteral("Your name:") : QStringLiteral("Seu nome:"),
              fromTwips(435, 975, 1050, 210), 12, true, false, QStringLiteral("Verdana"));
  Text1 = new QLineEdit(this);
  yourName->setBuddy(Text1);
  Text1->setAccessibleDescription(ingles
                                      ? QStringLiteral("Your name, shown beside your hand")
                                      : QStringLiteral("O seu nome, mostrado ao lado da sua mão"));
  Text1->setGeometry(fromTwips(1620, 945, 4815, 315));
  Text1->setMaxLength(12);  // as in the preferences: the name fits beside the hand
  caption(this, QStringLiteral("Tipo de jogo:"), fromTwips(405, 1455, 1365, 195), 11, false);
  Label8 = caption(this, QString(), fromTwips(1755, 1455, 3270, 195), 11, true);
  caption(this, QStringLiteral("Sentido do jogo:"), fromTwips(405, 1695, 1335, 195), 11, false);
  Label6 = caption(this, QString(), fromTwips(1755, 1695, 3255, 195), 11, true);
  Label9 = rule(this, 405, 2130, 6300, 435, true);
  Label12 = rule(this, 405, 2610, 6255, 195);
  Label10 = rule(this, 405, 2895, 6195, 435, true);
  Label11 = rule(this, 405, 3420, 4530, 195);

  Label5 = command(this, ingles ? QStringLiteral("Settings") : QStringLiteral("Modificar regras"),
                   fromTwips(195, 4035, 2565, 255));
  Label4 = command(this, shown(leaveCaption_), fromTwips(3495, 4035, 1665, 255));
  Label1 = command(this, ingles ? QStringLiteral("Play") : QStringLiteral("Jogar"),
                   fromTwips(5295, 4035, 1665, 255));
  Label5->setAccessibleDescription(ingles ? QStringLiteral("Opens the rules of the match")
                                          : QStringLiteral("Abre as regras da partida"));
  Label4->setAccessibleDescription(
      leaveEndsProgram ? (ingles ? QStringLiteral("Leaves the game (Escape)")
                                 : QStringLiteral("Sai do jogo (Esc)"))
                       : (ingles ? QStringLiteral("Back to the match in progress (Escape)")
                                 : QStringLiteral("Volta à partida em andamento (Esc)")));
  Label1->setAccessibleDescription(ingles ? QStringLiteral("Starts the match (Enter)")
                                          : QStringLiteral("Começa a partida (Enter)"));
  setTabOrder(Text1, Label5);
  setTabOrder(Label5, Label4);
  setTabOrder(Label4, Label1);
  connect(Label1, &CommandLabel::clicked, this, &FrmNovoJogo::Label1_Click);
  connect(Label4, &CommandLabel::clicked, this, &FrmNovoJogo::Label4_Click);
  connect(Label5, &CommandLabel::clicked, this, &FrmNovoJogo::Label5_Click);

  // Over the main window, a little right of its middle.
  if (mainWindow != nullptr) {
    const QRect main = mainWindow->frameGeometry();
    move(main.x() + main.width() / 2 - width() / 2 + qRound(280 / geometry::kTwipsPerPixel),
         main.y() + main.height() / 2 - height() / 2);
  } else {
    CentraForm(*this);
  }

  GetConfig(store_, settings_);
  ExibirRegras(true);
  completeAccessibleTexts(*this);
}

void FrmNovoJogo::ExibirRegras(bool withName) {
  if (withName) Text1->setText(readText(store_, stored::kJog, QString()));
  Label8->setText(settings_.TipoJogo == 2 ? QStringLiteral("Duplas")
                                          : QStringLiteral("Individual"));
  Label6->setText(settings_.SentidoHorario ? QStringLiteral("Sentido horário")
                                           : QStringLiteral("Sentido Anti-horário"));
  if (settings_.TipoRegra != 2) {
    settings_.TipoRegra = 1;
    Label9->setText(QStringLiteral(
        "Batida simples vale 1 ponto, batida dupla ou carroção vale 2 pontos, batida "
        "dupla 'e' carroção vale 4 pontos."));
  } else {
    Label9->setText(
        QStringLiteral("Cada pinta nas peças que restaram dos adversários valerá um ponto para a "
                       "dupla ou jogador que bateu"));
  }
  Label12->setText(
      QStringLiteral("Ganha o jogo quem primeiro fizer %1 pontos").arg(settings_.PontosLimit));
  switch (settings_.TipoInicio) {
    case 1:
      Label10->setText(QStringLiteral(
          "Na primeira rodada iniciará quem possuir o 6:6, depois iniciará quem for o "
          "vencedor da rodada anterior"));
      break;
    case 2:
      Label10->setText(QStringLiteral("Sempre iniciará quem possuir o 6:6"));
      break;
    case 3:
      Label10->setText(QStringLiteral(
          "Na primeira rodada iniciará quem possuir o 6:6, depois será feito um rodízio"));
      break;
    default:
      break;
  }
  Label11->setText(
      QStringLiteral("Permitir fechar o jogo") +
      (settings_.FecharSoNoNatural ? QStringLiteral(" somente no natural") : QString()));
}

void FrmNovoJogo::Label1_Click() {
  QString name = Text1->text();
  if (name.isEmpty()) name = ingles_ ? QStringLiteral("Player") : QStringLiteral("Jogador");
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
  artwork::paintDialogPicture(painter, artwork::DialogPicture::NovoJogo, rect());
  painter.setPen(QPen(QColor(192, 192, 192), 1));
  painter.drawLine(QPointF(27, 92), QPointF(440, 92));    // Line1
  painter.drawLine(QPointF(27, 134), QPointF(440, 134));  // Line2
}

}  // namespace tavolix
