// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table's sounds: played only with sound on, looked for in turn, and the
// sound module loaded at the first sound, its absence only silence.
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/frm_novo_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/online_dialog.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "table/help_launcher.h"
#include "table/sound_player.h"
#include "window_support.h"

namespace tavolix {
namespace {

class SoundTest : public WindowTest {
 protected:
  SoundTest() { window.setFirstActivationStartsMatch(false); }
};

TEST_F(SoundTest, SoundsPlayOnlyWhenSoundIsOnAndAreLookedForInTurn) {
  QTemporaryDir here;
  writeSilentWav(dir.filePath(QStringLiteral("clic3.wav")));
  writeSilentWav(here.filePath(QStringLiteral("clic3.wav")));
  window.sounds().setSearchFolders({here.path(), dir.path()});
  EXPECT_EQ(window.sounds().locate(QStringLiteral("clic3.wav")),
            QDir(here.path()).filePath(QStringLiteral("clic3.wav")));
  // His move, with nothing that fits: Pass is offered.
  const Position nothingFits = endsSixAndThree(handOf({"12", "45"}));
  playerToMove(nothingFits.state, nothingFits.chain);
  QSignalSpy started(&window.sounds(), &SoundPlayer::started);
  window.setHelpLauncher(HelpLauncher([](const QUrl&) { return true; }, [](auto) {}, {}));
  dialogs.expect<QMessageBox>([](QMessageBox& box) { box.accept(); });  // no help here
  click(TableScene::Command::Help);
  dialogs.expect<FrmOpc>([](FrmOpc& d) { d.reject(); });
  click(TableScene::Command::Settings);
  dialogs.expect<OnlineDialog>([](OnlineDialog& d) { d.reject(); });
  click(TableScene::Command::Online);
  dialogs.expect<ScoreHistory>([](ScoreHistory& d) { d.reject(); });
  click(TableScene::Command::History);
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { d.reject(); });
  click(TableScene::Command::NewGame);
  dialogs.expect<Statistics>([](Statistics& d) { d.reject(); });
  QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
  dialogs.expect<QMessageBox>([](QMessageBox& box) { box.accept(); });  // nobody could play
  click(TableScene::Command::Pass);
  window.sounds().TocaWav(QStringLiteral("nowhere.wav"));  // a missing file is silence
  ASSERT_EQ(started.size(), 7);                            // each command clicks
  for (const QList<QVariant>& sound : started)
    EXPECT_EQ(sound[0].toString(), QStringLiteral("clic3.wav"));
  settings.TocarSom = false;
  click(scene().closeButton().center());
  EXPECT_EQ(started.size(), 7);
  EXPECT_FALSE(window.isVisible());
}

namespace {

// Whether a library whose file name holds `name` is loaded in this process;
// nullopt where that cannot be known.
std::optional<bool> libraryLoaded(const QString& name) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return std::nullopt;
  return maps.readAll().contains(name.toUtf8());
}

std::vector<QString> warnings;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg) warnings.push_back(text);
}

}  // namespace

// The sound module is loaded at the first sound and not before: the audio
// libraries are not in the game until then. Without the module the game plays
// on in silence and says why once.
TEST_F(SoundTest, TheSoundModuleIsLoadedAtTheFirstSoundAndItsAbsenceIsSilence) {
  if (const auto loaded = libraryLoaded(QStringLiteral("libQt6Multimedia"))) {
    EXPECT_FALSE(*loaded) << "the audio libraries are loaded at start";
  }
  writeSilentWav(dir.filePath(QStringLiteral("clic3.wav")));
  const Settings sounding;
  SoundPlayer player(sounding);
  player.setSearchFolders({dir.path()});
  // Looked for beside the program, then where it is installed.
  ASSERT_EQ(moduleFolders().size(), 2);
  EXPECT_EQ(moduleFolders().front(), QCoreApplication::applicationDirPath());
  EXPECT_TRUE(moduleFolders().back().endsWith(QStringLiteral("/tavolix")));
  const QFileInfo module(QStringLiteral(TAVOLIX_SOUND_MODULE));
  player.setModuleFolders({module.absolutePath()});
  EXPECT_FALSE(player.outputLoaded());
  QSignalSpy started(&player, &SoundPlayer::started);
  player.TocaWav(QStringLiteral("clic3.wav"));
  EXPECT_TRUE(player.outputLoaded());
  EXPECT_EQ(started.size(), 1);
  if (const auto loaded = libraryLoaded(QStringLiteral("libQt6Multimedia"))) {
    EXPECT_TRUE(*loaded);
  }
  // Qt reads a sound on a thread of its own. The file must load, and a test
  // that ended while it was still loading would leave that thread's work
  // undone at exit, which the leak checker reports. Status 1 is "loading",
  // 2 "ready" (read by name, so that this test need not link Qt Multimedia).
  std::vector<QObject*> effects;
  for (QObject* child : player.findChildren<QObject*>()) {
    if (child->inherits("QSoundEffect")) effects.push_back(child);
  }
  ASSERT_EQ(effects.size(), 1u);
  QTRY_VERIFY_WITH_TIMEOUT(effects.front()->property("status").toInt() != 1, 60000);
  EXPECT_EQ(effects.front()->property("status").toInt(), 2);

  QTemporaryDir empty;
  SoundPlayer silent(sounding);
  silent.setSearchFolders({dir.path()});
  silent.setModuleFolders({empty.path()});
  QSignalSpy asked(&silent, &SoundPlayer::started);
  warnings.clear();
  const QtMessageHandler before = qInstallMessageHandler(keepWarning);
  silent.TocaWav(QStringLiteral("clic3.wav"));
  silent.TocaWav(QStringLiteral("clic3.wav"));
  qInstallMessageHandler(before);
  EXPECT_FALSE(silent.outputLoaded());
  EXPECT_EQ(asked.size(), 2);
  ASSERT_EQ(warnings.size(), 1u);  // said once
  EXPECT_TRUE(warnings.front().contains(empty.path())) << warnings.front().toStdString();
}

}  // namespace
}  // namespace tavolix
