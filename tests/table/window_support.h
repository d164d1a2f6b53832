// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QGraphicsItem>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProcess>
#include <QStyleOptionGraphicsItem>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_driver.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/window_parts.h"
#include "game/presentation.h"
#include "game/settings.h"
#include "game/table_geometry.h"
#include "game/texts.h"
#include "settings/settings_store.h"
#include "support/qt_printers.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"
#include "table/form1.h"
#include "table/language.h"
#include "table/table_view.h"

namespace tavolix {

// The mouse, as the window system sends it to the table's view: at `local`
// pixels of the view, or at a point of the table in twips.
inline void sendMouse(Form1& window, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  QWidget* viewport = window.view().viewport();
  QMouseEvent event(type, QPointF(local), QPointF(viewport->mapToGlobal(local)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(viewport, &event);
}
inline void sendMouseAt(Form1& window, QEvent::Type type, QPointF twips, Qt::MouseButton button,
                        Qt::MouseButtons held) {
  sendMouse(window, type, window.view().mapFromScene(twips), button, held);
}

// The name of a case run in each language: ".../Portuguese", ".../English".
inline std::string languageName(const ::testing::TestParamInfo<Language>& info) {
  return info.param == Language::English ? "English" : "Portuguese";
}

// A `Fixture` whose cases run in the language they are given, the game back in
// Portuguese after each.
template <class Fixture>
class InEachLanguage : public Fixture, public ::testing::WithParamInterface<Language> {
 protected:
  InEachLanguage() { useLanguage(GetParam()); }
  ~InEachLanguage() override { useLanguage(Language::Portuguese); }
};

// The middle of a hand slot, where the player takes hold of its tile.
inline QPointF slotMiddle(int slot) {
  const geometry::Point p = geometry::handSlot(slot);
  return {p.left + 240, p.top + 465};
}

// Where `item` inks when painted alone over `area` (in its own twips) at the
// table's scale: the inked pixels' rectangle, in its twips; empty if none.
inline QRectF inkOf(const QGraphicsItem& item, const QRectF& area) {
  QImage image((area.size() / 15).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(1.0 / 15, 1.0 / 15);
  painter.translate(-area.topLeft());
  QStyleOptionGraphicsItem option;
  option.exposedRect = area;
  const_cast<QGraphicsItem&>(item).paint(&painter, &option, nullptr);
  painter.end();
  QRect ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) > 0) ink |= QRect(x, y, 1, 1);
    }
  }
  if (ink.isEmpty()) return {};
  return {area.topLeft() + QPointF(ink.topLeft()) * 15, QSizeF(ink.size()) * 15};
}

// What a widget paints again, as the window system asks it to.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  ~PaintWatch() override { widget_->removeEventFilter(this); }
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }

 private:
  QWidget* widget_;
};

// Whether `w` wears the table's colours: a dark navy ground, not the desktop's grey.
inline bool onNavy(QWidget& w) {
  const QImage shot = w.grab().toImage();
  const QColor ground = shot.pixelColor(3, shot.height() / 2);
  return ground.lightness() < 60 && ground.blue() > ground.red() + 20;
}

// The end of a match Ana won with 4 points, to 2, 1 and none.
inline MatchEndReport anaWonTheMatch() {
  MatchEndReport report;
  report.winnerLine = Text::value("O vencedor foi Ana com 4 pts");
  report.names = {"Ana", "Zorvan", "Melira", "Astelo"};
  report.scores = {texts::scoreText(4), texts::scoreText(2), texts::scoreText(1),
                   texts::scoreText(0)};
  return report;
}

inline void clickWidget(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

// Hands in play for the window tests. Ends 6 and 3 over two 1:1 tiles (side
// "A" with its last tile at 4995, side "B" at 6675); Mac1 holds `mac1`, the
// other computer seats 0:0, which fits neither end.
struct Position {
  GameState state;
  ChainGeometry chain;
};
inline Position endsSixAndThree(const Hand& player, const Hand& mac1 = handOf({"00"})) {
  Position p;
  p.state.PedrasJog = player;
  p.state.PedrasMac1 = mac1;
  p.state.PedrasMac2 = p.state.PedrasMac3 = handOf({"00"});
  p.state.PontaA = 6;
  p.state.PontaB = 3;
  p.state.PrimeiraRodada = false;
  p.state.QuemInicia = kMac1;
  p.state.Mesa[1] = p.state.Mesa[2] = tile("11");
  p.state.QtdMesa = 2;
  p.state.QtdLadoA = 1;
  p.chain.EsqA = 4995;
  p.chain.EsqB = 6675;
  return p;
}
// Ends 6 and 3 as above, the player to move with 3:6 and 4:5; each computer
// seat holds its tile and 0:0, which fits nothing.
inline Position playerLeadsWith36(const Hand& mac1, const Hand& mac2, const Hand& mac3) {
  Position p = endsSixAndThree(handOf({"36", "45"}), mac1);
  p.state.PedrasMac2 = mac2;
  p.state.PedrasMac3 = mac3;
  p.state.QuemInicia = kJog;
  return p;
}
// One 5:6 on the table: the player holds 3:6 and 1:2, Mac1 answers his 3 with 1:3.
inline GameState fiveSixOnTheTable() {
  GameState position;
  position.PedrasJog = handOf({"36", "12"});
  position.PedrasMac1 = handOf({"13", "00"});
  position.PedrasMac2 = position.PedrasMac3 = handOf({"00"});
  position.PontaA = 6;
  position.PontaB = 5;
  position.PrimeiraRodada = false;
  position.Mesa[1] = tile("56");
  position.QtdMesa = 1;
  return position;
}

// The game's own window on the offscreen screen, with a settings store and a
// random source of its own, and a driver that answers its dialogs.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    window.setScreenSize([this] { return screen; });
  }
  ~WindowTest() override { pacer::setPace(0.0); }

  TableScene& scene() { return table_->scene(); }
  const GameState& state() { return table_->match().state(); }
  Match::Awaiting awaiting() { return table_->match().awaiting(); }
  // Lets what the events set off run to its end: at pace 0 the game plays on
  // inside them until it needs the player again.
  void settle() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  }
  // The pointer comes to a point of the table from the felt above, and clicks there.
  void click(QPointF twips, Qt::MouseButton button = Qt::LeftButton) {
    sendMouseAt(*table_, QEvent::MouseMove, {6000, 3000}, Qt::NoButton, Qt::NoButton);
    sendMouseAt(*table_, QEvent::MouseMove, twips, Qt::NoButton, Qt::NoButton);
    sendMouseAt(*table_, QEvent::MouseButtonPress, twips, button, button);
    sendMouseAt(*table_, QEvent::MouseButtonRelease, twips, button, Qt::NoButton);
    settle();
  }
  // From the keyboard: the first tile of the hand chosen and laid on end A.
  void layFirstTileOnA() {
    for (const Qt::Key k : {Qt::Key_Right, Qt::Key_Up, Qt::Key_A}) {
      QTest::keyClick(table_, k);
      settle();
    }
  }
  void click(TableScene::Command command) {
    click(scene().command(command).sceneBoundingRect().center());
  }
  void clickPile(int position) {
    const PictureItem* tile = scene().pileTile(position);
    ASSERT_NE(tile, nullptr) << position;
    click(tile->sceneBoundingRect().center());
  }
  // The first activation: the new game dialog, whose leave command would end
  // the program, answered with Play and the name given.
  void startMatch(const QString& name = QStringLiteral("Ana")) {
    dialogs.expect<FrmNovoJogo>(
        [name](FrmNovoJogo& d) {
          EXPECT_EQ(d.Label4->text(), currentLanguage() == Language::English
                                          ? QStringLiteral("Exit")
                                          : QStringLiteral("Sair"));
          d.Text1->setText(name);
          clickWidget(d.Label1);
        },
        QStringLiteral("novo-jogo.png"));
    table_->show();
    settle();
  }
  // The player to move in a hand picked up where it stood, the window filling
  // the screen, so that every point of it takes the pointer.
  void playerToMove(const GameState& position, const ChainGeometry& chain = {}) {
    screen = QSize(800, 600);
    window.setFirstActivationStartsMatch(false);
    window.show();
    table_->match().resume(position, chain, kJog);
    ASSERT_EQ(awaiting(), Match::Awaiting::Move);
  }

  // The seats' names the window starts with.
  static Settings named() {
    Settings s;
    s.Nomes = {"Ana", "Zorvan", "Melira", "Astelo"};
    return s;
  }

  // What the store holds under `name`, "(none)" when nothing.
  QString stored(RegistryKey key, const char16_t* name) {
    return store.LeRegistro(key, name, u"(none)");
  }

  QTemporaryDir dir;
  Settings settings = named();
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  ScriptedRandom random;
  QSize screen{1280, 1024};
  DialogDriver dialogs;
  Form1 window{settings, store, random};
  // The window the helpers above work on: `window` unless a test opens another.
  Form1* table_ = &window;
};

// A short, silent WAV file, enough for the sound player to find and load.
inline void writeSilentWav(const QString& path) {
  QByteArray data(
      "RIFF\x24\x06\0\0WAVEfmt "
      "\x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0data\0\x06\0\0",
      44);
  data.append(QByteArray(1536, '\0'));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

// Starts the game program for a test: its settings in `home`, its data folder
// (the match, the record and the lock that keeps it one game) in `home`/data,
// its cache in `home`/cache,
// Qt's offscreen screen, a Brazilian desktop (so that it speaks Portuguese
// whatever the machine's locale), and one more variable of its environment.
inline void startGameIn(QProcess& game, const QString& home, const QString& variable = {},
                        const QString& value = {}, const QStringList& arguments = {}) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* locale : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
    environment.remove(QLatin1String(locale));
  environment.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
  environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
  environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  if (!variable.isEmpty()) environment.insert(variable, value);
  game.setProcessEnvironment(environment);
  game.start(QStringLiteral(TAVOLIX_EXECUTABLE), arguments);
}
inline bool startGame(QProcess& game, const QString& home, const QString& variable,
                      const QString& value, const QStringList& arguments = {}) {
  startGameIn(game, home, variable, value, arguments);
  return game.waitForStarted(10000);
}
// The data folder of a game started in `home`.
inline QString dataFolderIn(const QString& home) {
  return home + QStringLiteral("/data/Vantorel/Tavolix");
}

}  // namespace tavolix
