// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The dialogs on their own: the new game dialog and its rules, the preferences.
#include <array>
#include <tuple>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/frm_regra.h"
#include "dialogs/online_dialog.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "dialogs/table_style.h"
#include "dialogs/window_parts.h"
#include "settings/settings_config.h"
#include "table/help_launcher.h"
#include "table/language.h"
#include "window_support.h"

namespace tavolix {
namespace {

class DialogsTest : public WindowTest {};

TEST_F(DialogsTest, TheRulesKeepTheLimitsInBoundsAndTheSummaryFollows) {
  FrmNovoJogo dialog(settings, store, false);
  EXPECT_EQ(dialog.Label12->text(), QStringLiteral("Ganha o jogo quem primeiro fizer 4 pontos"));
  // The name asked in bold; what the summary names in regular type, its values in bold.
  for (QLabel* caption : dialog.findChildren<QLabel*>()) {
    const QString text = caption->text();
    const bool value = caption == dialog.Label8 || caption == dialog.Label6;
    if (value || text == QStringLiteral("Seu nome:")) {
      EXPECT_TRUE(caption->font().bold()) << text.toStdString();
    } else if (text == QStringLiteral("Tipo de jogo:") ||
               text == QStringLiteral("Sentido do jogo:")) {
      EXPECT_FALSE(caption->font().bold()) << text.toStdString();
    }
  }
  dialog.Text1->setText(QStringLiteral("Bia"));
  dialogs.expect<FrmRegra>(
      [](FrmRegra& rules) {
        for (int i = 0; i < 8; ++i) clickWidget(rules.Command3[1]);
        EXPECT_EQ(rules.Text2->text(), QStringLiteral("10"));  // no higher than 10
        for (int i = 0; i < 9; ++i) clickWidget(rules.Command3[0]);
        EXPECT_EQ(rules.Text2->text(), QStringLiteral("4"));  // no lower than 4
        clickWidget(rules.Option2[2]);
        EXPECT_TRUE(rules.Text3->isVisible());
        EXPECT_FALSE(rules.Text2->isVisible());
        EXPECT_EQ(rules.Text3->text(), QStringLiteral("100"));
        for (int i = 0; i < 5; ++i) clickWidget(rules.Command4[1]);
        EXPECT_EQ(rules.Text3->text(), QStringLiteral("250"));  // no higher than 250
        for (int i = 0; i < 5; ++i) clickWidget(rules.Command4[0]);
        EXPECT_EQ(rules.Text3->text(), QStringLiteral("50"));  // fifty down at a time, to 50
        for (int i = 0; i < 4; ++i) clickWidget(rules.Command4[1]);
        EXPECT_EQ(rules.Text3->text(), QStringLiteral("250"));
        clickWidget(rules.Option1[2]);
        clickWidget(rules.Option3[3]);
        clickWidget(rules.Option4[1]);
        clickWidget(rules.Check1);
        rules.Command1_Click();
      },
      QStringLiteral("regras.png"));
  dialog.Label5_Click();
  EXPECT_EQ(dialog.Label12->text(), QStringLiteral("Ganha o jogo quem primeiro fizer 250 pontos"));
  EXPECT_EQ(dialog.Label8->text(), QStringLiteral("Duplas"));
  EXPECT_EQ(dialog.Label6->text(), QStringLiteral("Sentido Anti-horário"));
  EXPECT_EQ(dialog.Label10->text(),
            QStringLiteral(
                "Na primeira rodada iniciará quem possuir o 6:6, depois será feito um rodízio"));
  EXPECT_EQ(dialog.Label11->text(), QStringLiteral("Permitir fechar o jogo"));
  EXPECT_EQ(dialog.Text1->text(), QStringLiteral("Bia"));  // what he typed is kept
  EXPECT_EQ(stored(RegistryKey::Opc, u"PontosLimit"), QStringLiteral("250"));
  EXPECT_EQ(stored(RegistryKey::Opc, u"SentidoHorario"), QStringLiteral("False"));

  // And back: the dialog opens on what was stored.
  dialogs.expect<FrmRegra>([](FrmRegra& rules) {
    EXPECT_TRUE(rules.Option4[1]->isChecked());
    EXPECT_TRUE(rules.Option1[2]->isChecked());
    // A rule's caption, as long as several lines, chooses it too (with the left button).
    QLabel* caption = nullptr;
    for (QLabel* label : rules.findChildren<QLabel*>()) {
      if (label->text() == QStringLiteral("Batida dupla ou carroção vale 2 pontos"))
        caption = label;
    }
    ASSERT_NE(caption, nullptr);
    ASSERT_TRUE(rules.Option2[2]->isChecked());
    QTest::mouseClick(caption, Qt::RightButton);
    EXPECT_TRUE(rules.Option2[2]->isChecked());
    QTest::mouseClick(caption, Qt::LeftButton);
    EXPECT_TRUE(rules.Option2[1]->isChecked());
    clickWidget(rules.Option2[2]);
    clickWidget(rules.Option4[0]);
    clickWidget(rules.Option1[1]);
    rules.Command1_Click();
  });
  dialog.Label5_Click();
  EXPECT_EQ(dialog.Label6->text(), QStringLiteral("Sentido horário"));
  EXPECT_EQ(dialog.Label8->text(), QStringLiteral("Individual"));
  EXPECT_EQ(stored(RegistryKey::Opc, u"SentidoHorario"), QStringLiteral("True"));
  EXPECT_EQ(stored(RegistryKey::Opc, u"TipoJogo"), QStringLiteral("1"));
  dialogs.expect<FrmRegra>([](FrmRegra& rules) {
    EXPECT_TRUE(rules.Option4[0]->isChecked());
    EXPECT_TRUE(rules.Option1[1]->isChecked());
    rules.reject();
  });
  dialog.Label5_Click();
}

// The rules opened over New Game offer the game's help, as New Game does.
TEST_F(DialogsTest, TheRulesOpenedFromNewGameOpenTheGamesHelp) {
  FrmNovoJogo dialog(settings, store, false);
  int helped = 0;
  dialog.setHelp([&helped] { ++helped; });
  dialogs.expect<FrmRegra>([](FrmRegra& rules) {
    QPushButton* help = nullptr;
    for (QPushButton* button : rules.findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("&Ajuda")) help = button;
    }
    ASSERT_NE(help, nullptr);
    clickWidget(help);
    rules.reject();
  });
  dialog.Label5_Click();
  EXPECT_EQ(helped, 1);
}

TEST_F(DialogsTest, ALimitTypedOutOfBoundsIsRefusedAndCancelChangesNothing) {
  // Under the pip rule, the other rule's box offers its own default, and back.
  settings.TipoRegra = 2;
  settings.PontosLimit = 150;
  FrmRegra pips(settings, store);
  EXPECT_EQ(pips.Text2->text(), QStringLiteral("4"));
  EXPECT_EQ(pips.Text3->text(), QStringLiteral("150"));
  settings.TipoRegra = 1;
  settings.PontosLimit = 6;
  FrmRegra goingOut(settings, store);
  EXPECT_EQ(goingOut.Text2->text(), QStringLiteral("6"));
  EXPECT_EQ(goingOut.Text3->text(), QStringLiteral("100"));
  // Each rule's own limits at their ends are its own.
  settings.PontosLimit = 10;
  EXPECT_EQ(FrmRegra(settings, store).Text2->text(), QStringLiteral("10"));
  settings.TipoRegra = 2;
  settings.PontosLimit = 50;
  EXPECT_EQ(FrmRegra(settings, store).Text3->text(), QStringLiteral("50"));
  settings.TipoRegra = 1;
  settings.PontosLimit = 4;

  FrmRegra rules(settings, store);
  dialogs.always<FrmRegra>([](FrmRegra&) {});  // shown by the test itself, left open
  rules.show();
  rules.Text2->setText(QStringLiteral("12"));
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(),
              QStringLiteral("O limite de pontos deve ser um número inteiro de 4 a 10."));
    box.accept();
  });
  rules.Command1_Click();
  EXPECT_TRUE(rules.isVisible());
  rules.Text2->setText(QStringLiteral(" 7 "));
  QTest::keyClick(rules.Text2, Qt::Key_Return);  // Enter is OK
  EXPECT_EQ(settings.PontosLimit, 7);
  EXPECT_FALSE(rules.isVisible());

  FrmRegra cancelled(settings, store);
  EXPECT_EQ(cancelled.Text2->text(), QStringLiteral("7"));
  clickWidget(cancelled.Option2[2]);
  EXPECT_EQ(cancelled.Text3->text(),
            QStringLiteral("100"));  // from the stored limit, not the one typed
  clickWidget(cancelled.Option1[2]);
  cancelled.reject();
  EXPECT_EQ(settings.TipoJogo, 1);
  EXPECT_EQ(stored(RegistryKey::Opc, u"TipoJogo"), QStringLiteral("1"));
}

// The new game dialog's texts in the design's sizes in pixels, whatever the
// screen's resolution (the kept looks show one): the commands in bold Arial
// of 12 pixels (9 points at 96 dots an inch), the game's type and direction in
// bold of 11, their captions in the regular weight.
TEST_F(DialogsTest, TheNewGameDialogsFontsAreAsDesigned) {
  FrmNovoJogo dialog(settings, store, false);
  for (const QLabel* command :
       {static_cast<QLabel*>(dialog.Label1), static_cast<QLabel*>(dialog.Label4),
        static_cast<QLabel*>(dialog.Label5)}) {
    SCOPED_TRACE(command->text().toStdString());
    EXPECT_EQ(command->font().pixelSize(), 12);
    EXPECT_TRUE(command->font().bold());
    EXPECT_EQ(command->font().family(), QStringLiteral("Arial"));
  }
  for (const QLabel* value : {dialog.Label8, dialog.Label6}) {
    EXPECT_EQ(value->font().pixelSize(), 11);
    EXPECT_TRUE(value->font().bold());
  }
  int regular = 0;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->text() == QStringLiteral("Tipo de jogo:") ||
        label->text() == QStringLiteral("Sentido do jogo:")) {
      EXPECT_EQ(label->font().pixelSize(), 11);
      EXPECT_FALSE(label->font().bold());
      ++regular;
    }
  }
  EXPECT_EQ(regular, 2);
}

TEST_F(DialogsTest, PlayStoresTheNameAndTheRulesAndBringsBackTheComputerNames) {
  store.GravaRegistro(RegistryKey::Main, u"cpu1", QString());
  settings.Nomes[1] = "";
  FrmNovoJogo dialog(settings, store, true);
  dialog.Text1->setText(QStringLiteral("Caio"));
  dialog.Label1_Click();
  EXPECT_EQ(dialog.answer(), NewGameAnswer::Play);
  EXPECT_EQ(settings.Nomes[0], "Caio");
  EXPECT_EQ(settings.Nomes[1], "Zorvan");  // an empty name reads as the default
  EXPECT_EQ(stored(RegistryKey::Opc, u"TipoInicio"), QStringLiteral("1"));
  FrmNovoJogo again(settings, store, true);
  EXPECT_EQ(again.Text1->text(), QStringLiteral("Caio"));
  // Typed here, a name is as long as the preferences let it be: 12 characters.
  again.Text1->clear();
  QTest::keyClicks(again.Text1, QStringLiteral("Maximiliano Souza"));
  EXPECT_EQ(again.Text1->text(), QStringLiteral("Maximiliano "));
  again.Label4_Click();
  EXPECT_EQ(again.answer(), NewGameAnswer::Exit);
}

// New game offers the rules kept for the next match, which the match being
// played (one taken up from its file, say) need not share; Play brings them in.
TEST_F(DialogsTest, NewGameOffersTheKeptRules) {
  Settings kept = settings;
  kept.TipoJogo = 2;
  kept.SentidoHorario = false;
  writeRules(store, kept);
  settings.TipoJogo = 1;
  settings.SentidoHorario = true;
  FrmNovoJogo dialog(settings, store, false);
  EXPECT_EQ(dialog.Label8->text(), QStringLiteral("Duplas"));
  EXPECT_EQ(dialog.Label6->text(), QStringLiteral("Sentido Anti-horário"));
  dialog.Label1_Click();
  EXPECT_EQ(settings.TipoJogo, 2);
  EXPECT_FALSE(settings.SentidoHorario);
}

// A dialog opens as large as the table is drawn: the preferences' captions
// and the statistics' buttons half as large again over a table one and a half
// times its size, as the window is now, whatever it was when the game began.
TEST_F(DialogsTest, DialogsGrowWithTheTable) {
  window.setFirstActivationStartsMatch(false);
  window.show();
  // The letters of the preferences and of the statistics, and a box to tick.
  const auto sizes = [&](QSize windowSize) {
    window.resize(windowSize);
    QApplication::processEvents();
    int preferences = 0;
    int box = 0;
    dialogs.expect<FrmOpc>([&preferences, &box](FrmOpc& d) {
      preferences = QFontInfo(d.Check1->font()).pixelSize();
      QStyleOptionButton option;
      option.initFrom(d.Check1);
      box = d.Check1->style()
                ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, d.Check1)
                .height();
      d.reject();
    });
    click(TableScene::Command::Settings);
    int statistics = 0;
    dialogs.expect<Statistics>([&statistics](Statistics& d) {
      statistics = QFontInfo(d.reset->font()).pixelSize();
      d.reject();
    });
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(dialogs.done());
    return std::tuple{preferences, statistics, box};
  };
  const auto [preferences, statistics, box] = sizes(QSize(800, 600));
  const auto [largerPreferences, largerStatistics, largerBox] = sizes(QSize(1200, 900));
  EXPECT_NEAR(largerPreferences, 1.5 * preferences, 1.0);
  EXPECT_NEAR(largerStatistics, 1.5 * statistics, 1.0);
  // The box is about as tall as the letters beside it, and grows with them.
  EXPECT_GE(box, preferences * 2 / 3);
  EXPECT_NEAR(largerBox, 1.5 * box, 1.5);
  EXPECT_EQ(sizes(QSize(800, 600)), std::tuple(preferences, statistics, box));
}

// The new game dialog sums up each rule as it stands; the scores open at the
// last hand played.
TEST_F(DialogsTest, TheRulesAreSummedUpAndTheScoresOpenAtTheLastHand) {
  settings.TipoRegra = 2;
  writeRules(store, settings);
  FrmNovoJogo pips(settings, store, true);
  EXPECT_TRUE(pips.Label9->text().startsWith(QStringLiteral("Cada pinta")))
      << pips.Label9->text().toStdString();
  settings.TipoRegra = 1;
  writeRules(store, settings);
  FrmNovoJogo goingOut(settings, store, true);
  EXPECT_TRUE(goingOut.Label9->text().startsWith(QStringLiteral("Batida simples vale 1 ponto")));
  const std::array<const char*, 3> openers{
      "Na primeira rodada iniciará quem possuir o 6:6, depois iniciará quem for o vencedor da "
      "rodada anterior",
      "Sempre iniciará quem possuir o 6:6",
      "Na primeira rodada iniciará quem possuir o 6:6, depois será feito um rodízio"};
  for (const std::int16_t opening : {1, 2, 3}) {
    settings.TipoInicio = opening;
    settings.FecharSoNoNatural = opening == 2;
    settings.PontosLimit = static_cast<std::int16_t>(4 + opening);
    writeRules(store, settings);
    const FrmNovoJogo summed(settings, store, false);
    EXPECT_EQ(summed.Label10->text().toStdString(), openers[opening - 1]);
    EXPECT_EQ(
        summed.Label11->text().toStdString(),
        opening == 2 ? "Permitir fechar o jogo somente no natural" : "Permitir fechar o jogo");
    EXPECT_EQ(summed.Label12->text().toStdString(),
              "Ganha o jogo quem primeiro fizer " + std::to_string(4 + opening) + " pontos");
  }
  // Escape leaves: the program, from the first of these dialogs, else only the dialog.
  for (const bool first : {true, false}) {
    FrmNovoJogo leaving(settings, store, first);
    leaving.show();
    QTest::keyClick(&leaving, Qt::Key_Escape);
    EXPECT_EQ(leaving.answer(), first ? NewGameAnswer::Exit : NewGameAnswer::Cancel);
    EXPECT_EQ(leaving.result(), QDialog::Rejected);
  }

  HandResult hand;
  hand.ending = HandResult::Ending::WentOut;
  hand.winner = kMac1;
  hand.scorers = {kMac1};
  hand.points = 1;
  hand.kind = GoingOut::Simples;
  ScoreHistory history(std::vector<HandResult>(60, hand), settings, {0, 60, 0, 0}, {});
  history.show();
  QScrollBar* bar = history.table->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
}

// English chosen in the preferences speaks at once: the table's captions, Qt's
// own buttons and the help; it is stored for the next run.
TEST_F(DialogsTest, TheLanguageChosenSpeaksAtOnceOnTheTableAndInTheHelp) {
  window.setFirstActivationStartsMatch(false);
  settings.Nomes[0] = "Jogador";  // he gave no name
  window.show();
  useLanguage(Language::Portuguese);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
  dialogs.expect<FrmOpc>([](FrmOpc& d) {
    EXPECT_TRUE(d.languages[0]->isChecked());  // Portuguese unless told otherwise
    d.languages[1]->setChecked(true);
    d.Command1_Click();
  });
  click(TableScene::Command::Settings);
  EXPECT_EQ(currentLanguage(), Language::English);
  EXPECT_EQ(scene().command(TableScene::Command::NewGame).caption(), QStringLiteral("New Game |"));
  EXPECT_EQ(scene().command(TableScene::Command::Help).caption(), QStringLiteral("Help"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
  EXPECT_EQ(stored(RegistryKey::Main, u"Language"), QStringLiteral("en"));
  EXPECT_EQ(settings.Nomes[0], "Player");
  EXPECT_EQ(scene().seatName(kJog).caption(), QStringLiteral("Player"));

  // The pages and the compiled help of the language in use.
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("help/en")));
  for (const char* page :
       {"help/index.html", "help/en/index.html", "tavolix.chm", "tavolix-en.chm"})
    QFile(dir.filePath(QLatin1String(page))).open(QIODevice::WriteOnly);
  std::vector<QUrl> opened;
  const HelpLauncher help([&opened](const QUrl& url) { return opened.push_back(url), true; },
                          [](auto answer) { answer(true); }, {dir.path()});
  const auto openedNow = [&help] {
    QUrl shown;
    help.open([&shown](const QUrl& url) { shown = url; });
    return shown.fileName();
  };
  EXPECT_TRUE(help.htmlIndex().endsWith(QStringLiteral("/help/en/index.html")));
  EXPECT_EQ(openedNow(), QStringLiteral("tavolix-en.chm"));
  useLanguage(Language::Portuguese);
  settle();
  EXPECT_TRUE(help.htmlIndex().endsWith(QStringLiteral("/help/index.html")));
  EXPECT_EQ(openedNow(), QStringLiteral("tavolix.chm"));
  EXPECT_EQ(opened.size(), 2u);
  EXPECT_EQ(scene().command(TableScene::Command::NewGame).caption(), QStringLiteral("Novo Jogo |"));
}

// With nothing stored, the desktop's language speaks; one asked for on the
// command line (or the desktop's) is not stored by confirming the preferences;
// a player who gave no name is named in the language in use.
TEST_F(DialogsTest, TheDesktopChoosesTheLanguageUntilThePlayerDoes) {
  const QStringList brazil{QStringLiteral("pt-BR"), QStringLiteral("pt")};
  const QStringList us{QStringLiteral("en-US"), QStringLiteral("en")};
  EXPECT_EQ(chooseLanguage({}, {}, brazil), Language::Portuguese);
  EXPECT_EQ(chooseLanguage({}, {}, {QStringLiteral("pt")}), Language::Portuguese);
  EXPECT_EQ(chooseLanguage({}, {}, us), Language::English);
  EXPECT_EQ(chooseLanguage({}, {}, {QStringLiteral("C")}), Language::English);
  EXPECT_EQ(chooseLanguage({}, {}, {QStringLiteral("de-DE")}), Language::English);
  EXPECT_EQ(chooseLanguage({}, QStringLiteral("pt"), us), Language::Portuguese);
  EXPECT_EQ(chooseLanguage({}, QStringLiteral("en"), brazil), Language::English);
  EXPECT_EQ(chooseLanguage(QStringLiteral("en"), QStringLiteral("pt"), brazil), Language::English);
  EXPECT_EQ(chooseLanguage({}, QStringLiteral("xx"), brazil), Language::Portuguese);
  // Only the two codes name a language; anything else stored or asked for is no choice.
  for (const char* other : {"es", "e", "english", "en-US", "EN", "p", "pt-BR", ""}) {
    Language language = Language::English;
    EXPECT_FALSE(languageFromCode(QString::fromLatin1(other), language)) << other;
    EXPECT_EQ(chooseLanguage({}, QString::fromLatin1(other), brazil), Language::Portuguese)
        << other;
    EXPECT_EQ(chooseLanguage(QString::fromLatin1(other), {}, us), Language::English) << other;
  }

  // English for this run only: the preferences confirmed as they stand store no language.
  useLanguage(Language::English);
  settings.Ingles = true;
  FrmOpc(settings, store).Command1_Click();
  EXPECT_EQ(stored(RegistryKey::Main, u"Language"), QStringLiteral("(none)"));
  store.GravaRegistro(RegistryKey::Main, u"jog", QStringLiteral("Jogador"));
  FrmNovoJogo dialog(settings, store, true);
  EXPECT_EQ(dialog.Text1->text(), QStringLiteral("Player"));
  dialog.Text1->clear();
  dialog.Label1_Click();
  EXPECT_EQ(settings.Nomes[0], "Player");
  useLanguage(Language::Portuguese);
  EXPECT_EQ(FrmNovoJogo(settings, store, true).Text1->text(), QStringLiteral("Jogador"));
  // A name of his own stays his in every language.
  store.GravaRegistro(RegistryKey::Main, u"jog", QStringLiteral("Caio"));
  useLanguage(Language::English);
  EXPECT_EQ(FrmNovoJogo(settings, store, true).Text1->text(), QStringLiteral("Caio"));
  useLanguage(Language::Portuguese);

  // Chosen in the preferences, it is his: stored.
  settings.Ingles = false;
  FrmOpc chosen(settings, store);
  chosen.languages[1]->setChecked(true);
  chosen.Command1_Click();
  EXPECT_EQ(stored(RegistryKey::Main, u"Language"), QStringLiteral("en"));
}

}  // namespace
}  // namespace tavolix
