#include "table_presentation.h"

#include <QMessageBox>

#include "frm_fimde_jogo.h"
#include "game/tempo.h"
#include "settings/frm_novo_jogo.h"
#include "settings/settings_config.h"

namespace tavolix {

TablePresentation::TablePresentation(QWidget& window, TableScene& scene, TableActions& actions, TablePacer& pacer,
                                     Settings& settings, SettingsStore& store, const bool& ingles)
    : window_(window),
      scene_(scene),
      actions_(actions),
      pacer_(pacer),
      settings_(settings),
      store_(store),
      ingles_(ingles) {
  timerMsg_.setSingleShot(true);
  QObject::connect(&timerMsg_, &QTimer::timeout, [this] { scene_.hideMessage(); });
  QObject::connect(&timerPisca_, &QTimer::timeout, [this] {
    // Twice on and off in a second, then it stays.
    ++blinks_;
    scene_.Label9->setVisible(!scene_.Label9->isVisible());
    scene_.Label10->setVisible(!scene_.Label10->isVisible());
    if (blinks_ == 4) {
      timerPisca_.stop();
      blinks_ = 0;
      scene_.Label9->show();
      scene_.Label10->show();
    }
  });
}

QString TablePresentation::screenText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(u'\r', u'\n');
  return shown;
}

NewGameAnswer TablePresentation::newGameDialog(bool leaveEndsProgram) {
  FrmNovoJogo dialog(settings_, store_, leaveEndsProgram, ingles_, &window_);
  if (help_) dialog.setHelp(help_);
  dialog.exec();
  pacer_.check();
  const NewGameAnswer answer = dialog.answer();
  // A new match brings the computer players' names back from the store.
  if (answer == NewGameAnswer::Play) readComputerNames(store_, settings_);
  return answer;
}

void TablePresentation::messageBox(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavolix"), screenText(text), QMessageBox::Ok, &window_);
  box.exec();
  pacer_.check();
}

void TablePresentation::matchEnd(const MatchEndReport& report) {
  FrmFimdeJogo window(report, ingles_, &window_);
  window.exec();
  pacer_.check();
}

void TablePresentation::endProgram() {
  pacer_.stop();
  if (end_) end_();
}

void TablePresentation::message(const std::string& text, int ms) {
  scene_.showMessage(QString::fromStdString(text));
  if (ms > 0) {
    timerMsg_.start(pacer::scaled(ms));
  }
}

void TablePresentation::blinkMessage() {
  blinks_ = 0;
  timerPisca_.start(pacer::scaled(tempo::kBlinkMs));
}

void TablePresentation::hideMessage() {
  scene_.hideMessage();
  timerMsg_.stop();
}

void TablePresentation::prompt(const std::string& text) { scene_.showPrompt(QString::fromStdString(text)); }

void TablePresentation::showSeats(const std::array<std::string, 4>& names) {
  for (int seat = 0; seat < kSeatCount; ++seat) {
    scene_.LbPlayer[seat]->setCaption(QString::fromStdString(names[seat]));
    scene_.LbPontos[seat]->show();
  }
}

void TablePresentation::showScores(const std::array<std::string, 4>& scores) {
  for (int seat = 0; seat < kSeatCount; ++seat) {
    scene_.LbPontos[seat]->setCaption(QString::fromStdString(scores[seat]));
    pacer_.letEventsRun();
  }
}

void TablePresentation::enableNewGame(bool enabled) { scene_.Label2->setEnabled(enabled); }

void TablePresentation::enableHand(bool enabled) {
  handEnabled_ = enabled;
  for (int i = 1; i <= kHandSlots; ++i) scene_.PicJog[i]->setEnabled(enabled);
}

void TablePresentation::showPassCommand(bool shown) { scene_.setPassShown(shown); }

void TablePresentation::newHand() {
  actions_.newHand();
  timerMsg_.stop();
}

}  // namespace tavolix
