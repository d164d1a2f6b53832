// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "form1.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "artwork/artwork.h"
#include "desktop_motion.h"
#include "dialogs/frm_opc.h"
#include "dialogs/online_dialog.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "dialogs/table_style.h"
#include "dialogs/window_parts.h"
#include "edge_resize.h"
#include "game/seat_player.h"
#include "game/settings.h"
#include "game/strong_player.h"
#include "game/texts.h"
#include "language.h"
#include "pacer.h"
#include "settings/settings_config.h"

namespace tavolix {

Form1::Form1(Settings& settings, SettingsStore& store, RandomSource& random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      settings_(settings),
      store_(store),
      random_(random),
      sounds_(settings),
      scene_(std::make_unique<TableScene>(settings, sounds_, pacer_)),
      presentation_(*this, *scene_, pacer_, settings, store),
      match_(std::make_unique<Match>(settings, presentation_, random)) {
  setWindowTitle(QStringLiteral("Tavolix"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  match_->setKeeper(&keeping_);
  resize(kWidth, kHeight);

  installTableAccessibility();
  view_ = new TableView(scene_.get(), this);
  view_->setAccessibleName(tr("Mesa de dominó"));
  view_->viewport()->installEventFilter(this);
  edges_ = std::make_unique<EdgeResize>(*view_->viewport(), *this,
                                        [this] { return !fullScreen_ && !isMaximized(); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);

  TableScene& s = *scene_;
  s.setCommandPointer(artwork::handPointer(devicePixelRatioF()));
  connect(&s, &TableScene::closeClicked, this, &Form1::Image1_Click);
  connect(&s, &TableScene::fullScreenClicked, this, &Form1::Image2_Click);
  connect(&s, &TableScene::minimiseClicked, this, &Form1::Image4_Click);
  connect(&s, &TableScene::commandClicked, this, [this](TableScene::Command command) {
    switch (command) {
      case TableScene::Command::NewGame:
        return Label2_Click();
      case TableScene::Command::Settings:
        return Label1_Click();
      case TableScene::Command::Help:
        return Label4_Click();
      case TableScene::Command::Pass:
        return Label3_Click();
      case TableScene::Command::History:
        return showHistory();
      case TableScene::Command::Hint:
        return askHint();
      case TableScene::Command::Online:
        return playOnline();
      case TableScene::Command::Start:
        return startOnlineMatch();
    }
  });
  // In full screen the window stays where it is.
  connect(&s, &TableScene::titleStripPressed, this, [this](QPointF at) {
    if (!fullScreen_) titleStrip_.press(*this, at.toPoint());
  });
  connect(&s, &TableScene::titleStripDragged, this, [this](QPointF at) {
    if (!fullScreen_) titleStrip_.follow(*this, at.toPoint());
  });
  // A double click on it makes the window as large as the screen allows, and back.
  connect(&s, &TableScene::titleStripDoubleClicked, this, [this] {
    if (fullScreen_) return;
    isMaximized() ? showNormal() : showMaximized();
  });
  connect(&s, &TableScene::pileClicked, this,
          [this](int position) { later([this, position] { game().takePileTile(position); }); });

  connect(&s, &TableScene::seatNameClicked, this, [this](int seat) {
    if (online_) online_->match().choosePartner(seat);
  });
  s.bindState(&match_->state());
  hand_ = new HandDrag(s, *match_, settings, sounds_);
  // A tile pressed through a screen reader: chosen and laid as from the keyboard.
  connect(&s.handList(), &HandList::tilePressed, this, [this](int slot, int end) {
    presentation_.setKeyboardPlay(true);
    hand_->chooseSlot(slot);
    if (hand_->chosen() != slot) return;
    layChosen(end < 0 ? std::nullopt : std::optional<Lado>(end == 0 ? Lado::A : Lado::B));
  });
  // Online play chosen in the new game dialog: its own dialog, once that one is closed.
  presentation_.onOnline(
      [this] { QMetaObject::invokeMethod(this, &Form1::playOnline, Qt::QueuedConnection); });
  presentation_.onEndProgram([this] { close(); });
  presentation_.onHelp([this] { showHelp(); });
}

Form1::~Form1() = default;

QSize Form1::screenSize() const {
  if (screenSize_) return screenSize_();
  const QScreen* screen =
      this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().size() : QSize(kWidth, kHeight);
}

QSize Form1::tableSize() const {
  const QSize room = screenSize();
  // The size the player left it at, while it still fits the screen.
  bool wide = false;
  bool high = false;
  const QSize kept(readText(store_, stored::kWindowWidth, QString()).toInt(&wide),
                   readText(store_, stored::kWindowHeight, QString()).toInt(&high));
  if (wide && high && kept.width() >= EdgeResize::kMinimum.width() &&
      kept.height() >= EdgeResize::kMinimum.height() && kept.width() <= room.width() &&
      kept.height() <= room.height()) {
    return kept;
  }
  // Otherwise the table's own 800 x 600; on a screen half as large again, the
  // table as large as leaves room round it; on a screen scaled up so far that
  // its units are fewer (200% on 1920 x 1080 leaves 960 x 540), the table
  // scaled to fit, as sharp: its pixels are finer.
  double factor = std::min(room.width() / double(kWidth), room.height() / double(kHeight));
  if (factor >= 1) {
    factor = std::min(room.width() * 0.9 / kWidth, room.height() * 0.85 / kHeight);
    if (factor < 1.5) factor = 1;
  }
  return {static_cast<int>(kWidth * factor), static_cast<int>(kHeight * factor)};
}

void Form1::CentraForm() {
  const QSize room = screenSize();
  move(room.width() / 2 - width() / 2, room.height() / 2 - height() / 2);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (activated_) return;
  // The first activation: the window goes to the middle of the screen.
  activated_ = true;
  resize(tableSize());
  CentraForm();
  update();
  pacer::letEventsRun();
  // The match begins with the new game dialog, over the table.
  if (startsMatch_) {
    later([this] {
      // Whether the desktop wants less motion: asked once the table is up,
      // so that the window does not wait for the answer to show.
      askDesktopForMotion(DesktopMotionSources::ofThisSession(), this,
                          [this](bool reduced) { scene_->setDesktopReducesMotion(reduced); });
      readRecord();
      if (!link_.isEmpty() && openLink(std::exchange(link_, QString()))) return;
      if (offerRejoin()) return;
      if (!resumeSavedMatch()) match_->start();
    });
  }
}

void Form1::Keeping::playerAsked(const Match& match) {
  if (window_.matchFile_ != nullptr) window_.matchFile_->playerAsked(match);
}

void Form1::Keeping::matchEnded(const Match& match, int winner) {
  if (match.hinted()) {
    const bool pairs = match.settings().pairs();
    window_.record_.addHintedMatch(winner == kJog || (pairs && winner == partnerOf(kJog)));
  } else {
    window_.record_.addMatch(match.handsPlayed(), match.settings(), winner);
  }
  window_.keepRecord();
}

void Form1::Keeping::matchClosed() {
  if (window_.matchFile_ != nullptr) window_.matchFile_->matchClosed();
}

void Form1::setMatchFile(MatchFile* file) {
  matchFile_ = file;
  if (file == nullptr) return;
  file->file().onTrouble(
      [this, path = file->path()](JsonFile::Failure failure, const QString& reason) {
        tellTrouble(failure == JsonFile::Failure::Write
                        ? tr("A partida não pôde ser guardada em:\n%1\n\n(%2)\n\nO jogo continua, "
                             "mas se for fechado ela não poderá ser continuada. Libere espaço no "
                             "disco ou corrija as permissões dessa pasta.")
                        : tr("O arquivo da partida anterior não pôde ser apagado:\n%1\n\n(%2)\n\n"
                             "Corrija as permissões dessa pasta; o jogo continua."),
                    path, reason);
      });
}

void Form1::setRecordFile(RecordFile* file) {
  recordFile_ = file;
  if (file == nullptr) return;
  file->file().onTrouble([this, path = file->path()](JsonFile::Failure, const QString& reason) {
    tellTrouble(tr("As suas estatísticas não puderam ser gravadas em:\n%1\n\n(%2)\n\nO "
                   "jogo continua, mas esta partida não ficará nas estatísticas. Libere "
                   "espaço no disco ou corrija as permissões dessa pasta."),
                path, reason);
  });
}

void Form1::tellTrouble(const QString& text, const QString& path, const QString& reason) {
  // Closing, the player is not held up: standard error has it.
  if (isVisible()) warn(text.arg(QDir::toNativeSeparators(path), reason));
}

void Form1::tellRefused(const JsonFile::Refusal& refusal, const QString& path,
                        const QString& setAside, const QString& leftAlone) {
  QString why;
  switch (refusal.fault) {
    case JsonFile::Fault::Unreadable:
      why = tr("não pode ser lido");
      break;
    case JsonFile::Fault::NotAFile:
      why = tr("não é um arquivo comum");
      break;
    default:
      why = tr("está danificado");
  }
  const bool moved = !refusal.keptAs.isEmpty();
  warn((moved ? setAside : leftAlone)
           .arg(why, QDir::toNativeSeparators(moved ? refusal.keptAs : path)));
}

void Form1::warn(const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Tavolix"), text, QMessageBox::Ok, this);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  dressLikeTable(box, this);
  box.exec();
}

void Form1::keepRecord() {
  if (recordFile_ != nullptr) recordFile_->write(record_);
}

void Form1::readRecord() {
  if (recordFile_ == nullptr) return;
  const RecordFile::Found found = recordFile_->read();
  record_ = found.record;
  if (!found.refused()) return;
  tellRefused(found, recordFile_->path(),
              tr("O arquivo das suas estatísticas %1 e foi guardado como:\n%2\n\nAs "
                 "estatísticas recomeçam do zero."),
              tr("O arquivo das suas estatísticas %1 e não pôde ser tirado do lugar:\n%2\n\n"
                 "Enquanto o jogo estiver aberto, ele não será lido nem alterado, e as partidas "
                 "não serão anotadas nele."));
}

bool Form1::resumeSavedMatch() {
  if (matchFile_ == nullptr) return false;
  const MatchFile::Found found = matchFile_->read();
  if (found.refused()) {
    tellRefused(found, matchFile_->path(),
                tr("A partida interrompida não pôde ser retomada: o arquivo dela %1. Uma nova "
                   "partida vai começar.\n\nO arquivo foi guardado como:\n%2"),
                tr("A partida interrompida não pôde ser retomada: o arquivo dela %1. Uma nova "
                   "partida vai começar.\n\nO arquivo não pôde ser tirado do lugar:\n%2\n\n"
                   "Enquanto o jogo estiver aberto, ele não será lido nem alterado, e as "
                   "partidas não serão guardadas."));
    return false;
  }
  if (!found.match) return false;
  QMessageBox ask(QMessageBox::Question, QStringLiteral("Tavolix"),
                  tr("Uma partida ficou por terminar. Deseja continuá-la?"), QMessageBox::NoButton,
                  this);
  QPushButton* resume = ask.addButton(tr("Continuar"), QMessageBox::YesRole);
  ask.addButton(tr("Nova partida"), QMessageBox::NoRole);
  // Closing the question loses nothing: the match goes on.
  ask.setDefaultButton(resume);
  ask.setEscapeButton(resume);
  dressLikeTable(ask, this);
  ask.exec();
  if (ask.clickedButton() != resume) {
    matchFile_->remove();
    return false;
  }
  SavedMatch saved = *found.match;
  saved.rules.Nomes[0] = nameInLanguage(QString::fromStdString(saved.rules.Nomes[0])).toStdString();
  settings_.Nomes = saved.rules.Nomes;
  return match_->restore(saved);
}

void Form1::closeEvent(QCloseEvent* event) {
  // Whatever the game was in the middle of stops at its next wait, and a
  // dialog open over the table goes with it.
  pacer_.stop();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(top);
    if (dialog != nullptr && dialog->isVisible()) dialog->reject();
  }
  // The size the player gave the window is kept for the next run.
  if (!fullScreen_ && !isMaximized() && !isMinimized()) {
    writeText(store_, stored::kWindowWidth, QString::number(width()));
    writeText(store_, stored::kWindowHeight, QString::number(height()));
  }
  // Leaving in full screen gives the desktop its window back first.
  if (fullScreen_) {
    fullScreen_ = false;
    showNormal();
  }
  QWidget::closeEvent(event);
}

void Form1::Image4_Click() { showMinimized(); }

void Form1::Image1_Click() {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  close();
}

void Form1::Resolucao800() {
  const QSize room = screenSize();
  // A screen already 800 wide or 600 high is left as it is.
  if (room.width() == kWidth || room.height() == kHeight) return;
  fullScreen_ = true;
  normalSize_ = size();
  showFullScreen();
  // Without a window manager to carry out the request, cover the screen ourselves.
  const QScreen* screen = this->screen();
  if (screen != nullptr && geometry() != screen->geometry()) setGeometry(screen->geometry());
}

void Form1::Image2_Click() {
  if (resolucaoMudou_) {
    resolucaoMudou_ = false;
    if (fullScreen_) {
      fullScreen_ = false;
      showNormal();
      resize(normalSize_);
    }
    CentraForm();
    return;
  }
  Resolucao800();
  if (!fullScreen_) move(0, 0);
  resolucaoMudou_ = true;
}

void Form1::Label2_Click() {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  Q_EMIT newGameRequested();
  if (online_) {
    if (!mayLeaveOnline()) return;
    if (seatFile_ != nullptr) seatFile_->remove();
    later([this] { backToLocal(); });
    return;
  }
  later([this] { match_->started() ? match_->newGame() : match_->start(false); });
}

void Form1::Label3_Click() {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  hand_->forgetChoice();  // a tile chosen from the keyboard goes back down
  later([this] { game().passTurn(); });
}

void Form1::Label1_Click() {
  scene_->hideCarriedTile();
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  Q_EMIT settingsRequested();
  const int base = settings_.PedraBase();
  FrmOpc dialog(settings_, store_, this);
  const bool ingles = settings_.Ingles;
  if (dialog.exec() == QDialog::Accepted) {
    if (!online_) scene_->showSeatNames(settings_.Nomes);  // and the marks
    match_->keep();                                        // with the names as they are now
  }
  // Another language speaks at once: the table's captions now, the messages from the next one.
  if (settings_.Ingles != ingles) {
    useLanguage(settings_.Ingles ? Language::English : Language::Portuguese);
    // A player who gave no name is named in the new language, from now on.
    const std::string name =
        nameInLanguage(QString::fromStdString(settings_.Nomes[0])).toStdString();
    if (!online_ && name != settings_.Nomes[0]) {
      settings_.Nomes[0] = name;
      scene_->showSeatNames(settings_.Nomes);
      match_->keep();
    }
  }
  if (settings_.PedraBase() != base) scene_->redrawTileSet();
}

void Form1::Label4_Click() {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  showHelp();
}

void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) {
    scene_->retranslate();
    view_->setAccessibleName(tr("Mesa de dominó"));
  }
}

void Form1::showHistory(bool moves) {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  // The match's rules, with the names as they are now: the preferences may have changed them.
  Settings shown = match_->settings();
  shown.Nomes = settings_.Nomes;
  const std::vector<HandResult>* hands = &match_->handsPlayed();
  if (online_) {
    shown = online_->match().rules();
    hands = &online_->match().handsPlayed();
  }
  ScoreHistory dialog(*hands, shown, game().state().Pontos, qtTranslator(), this);
  const std::vector<HandEvent>& events =
      online_ ? online_->match().handEvents() : match_->handEvents();
  dialog.showHandMoves(handLog(events, game().state().PontaA, game().state().PontaB), shown.Nomes,
                       qtTranslator(), moves);
  connect(dialog.statistics, &QPushButton::clicked, this, &Form1::showStatistics);
  dialog.exec();
}

void Form1::askHint() {
  // Not at a table of people, only when it is his move to make, and one at a time.
  if (online_ || hinting_ || match_->awaiting() != Match::Awaiting::Move || hand_->releasing())
    return;
  hinting_ = true;
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  const GameState state = match_->state();
  const SeatView view = SeatView::of(state, match_->settings(), kJog);
  const std::uint64_t seed = random_.bits();
  SeatAnswer answer;
  // Thought over away from the window, which goes on painting meanwhile.
  pacer::waitWhileWorking([&] { answer = strongMove(view, seed); }, 0);
  hinting_ = false;
  // Played on, or closed, meanwhile: the hint is for a position gone.
  if (pacer_.stopping() || match_->awaiting() != Match::Awaiting::Move ||
      match_->state().PedrasJog != state.PedrasJog || match_->state().QtdMesa != state.QtdMesa)
    return;
  match_->noteHint();
  match_->keep();
  const bool plays = answer.kind == SeatAnswer::Kind::Play;
  if (plays) hand_->chooseSlot(answer.slot);
  const TileCode t = plays ? state.PedrasJog[answer.slot] : TileCode();
  scene_->message(translated(texts::hint(t, answer.side, state.PontaA, state.PontaB)), 0);
}

void Form1::showStatistics() {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  Statistics dialog(record_, qtTranslator(), this);
  connect(&dialog, &Statistics::recordReset, this, [this] {
    record_ = PlayerRecord();
    keepRecord();
  });
  dialog.exec();
}

void Form1::showHelp() {
  help_.open([window = QPointer<Form1>(this)](const QUrl& opened) {
    if (window == nullptr) return;  // the window closed while a viewer was looked for
    if (opened.isEmpty()) {
      QMessageBox box(QMessageBox::Information, QStringLiteral("Tavolix"),
                      window->help_.failureText(), QMessageBox::Ok, window);
      box.setTextInteractionFlags(Qt::TextSelectableByMouse);
      dressLikeTable(box, window);
      box.exec();
    }
    Q_EMIT window->helpOpened(opened);
  });
}

}  // namespace tavolix
