// A match in the real window, driven by mouse clicks and answered dialogs:
// the first activation, the deal, the redeal, New Game, the end of a match.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "dialog_driver.h"
#include "settings/frm_novo_jogo.h"
#include "settings/frm_regra.h"
#include "support/game_printers.h"
#include "support/recording_presentation.h"
#include "table/frm_fimde_jogo.h"
#include "table/window_parts.h"
#include "window_test_support.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

void clickWidget(QWidget* w) {
  ASSERT_NE(w, nullptr); QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }

const std::array<std::vector<std::string_view>, 4> kDeal{{
    {"00", "01", "02", "03", "04", "05", "06"},
    {"11", "12", "13", "14", "15", "16", "22"},
    {"23", "24", "25", "26", "33", "34", "35"},
    {"36", "44", "45", "46", "55", "56", "66"},
}};

class GameWindowTest : public ::testing::Test {
 protected:
  GameWindowTest() {
    settings.Nomes = {"", "Zorvan", "Melira", "Astelo"};
    window.setScreenSize([] { return QSize(1280, 1024); });
  }

  Match& match() { return window.match(); }
  const GameState& state() { return window.match().state(); }

  // The first activation: the new game dialog (leaving it would end the
  // program), answered with Play and the name given.
  void startMatch(const QString& name = QStringLiteral("Ana")) {
    dialogs.expect<FrmNovoJogo>([name](FrmNovoJogo& d) {
      EXPECT_EQ(d.Label4->text(), QStringLiteral("Sair"));
      d.Text1->setText(name);
      clickWidget(d.Label1);
    }, QStringLiteral("novo-jogo.png"));
    window.show();
    settle();
  }

  void clickTable(QPointF twips) {
    QTest::mouseClick(window.view().viewport(), Qt::LeftButton, Qt::NoModifier, window.view().mapFromScene(twips));
  }
  void clickPile(int position) {
    PictureItem* tile = window.actions().ImgMontao(position);
    ASSERT_NE(tile, nullptr) << position;
    clickTable(tile->sceneBoundingRect().center());
    settle();
  }
  // Lets the game run until it waits for the player again.
  void settle() {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
      QCoreApplication::processEvents();
      if (match().awaiting() != Match::Awaiting::Nothing) break;
      if (clock.elapsed() > 10000) {
        ADD_FAILURE() << "the game never came back to the player";
        break;
      }
      QTest::qWait(1);
    }
    QCoreApplication::processEvents();
  }

  QTemporaryDir dir;
  Settings settings;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  ScriptedRandom random;
  DialogDriver dialogs;
  Form1 window{settings, store, random};
};

TEST_F(GameWindowTest, TheFirstActivationStartsAMatchAndLaysOutThePile) {
  random.stackDeal(kDeal);
  startMatch(QString());  // no name: he is "Jogador"
  EXPECT_EQ(match().awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(window.scene().LbPlayer[0]->caption(), QStringLiteral("Jogador"));
  EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"jog", u""), QStringLiteral("Jogador"));
  for (int k = 1; k <= 28; ++k) {
    PictureItem* tile = window.actions().ImgMontao(k);
    ASSERT_NE(tile, nullptr);
    EXPECT_TRUE(tile->isVisible());
    EXPECT_TRUE(tile->isEnabled());
    const int row = (k - 1) / 7;
    const int column = (k - 1) % 7;
    EXPECT_EQ(tile->pos(), QPointF(3690 + 700 * column, 2535 + 1000 * row)) << k;
  }
  EXPECT_TRUE(window.scene().Label11->isVisible());
  EXPECT_EQ(window.scene().Label11->caption(), QStringLiteral("Escolha as suas peças"));
  EXPECT_TRUE(window.scene().Label2->isEnabled());  // taking first, he may still start again
}

TEST_F(GameWindowTest, ThePlayerTakesSevenTilesBySevenClicks) {
  random.stackDeal(kDeal);
  startMatch();
  clickPile(5);
  EXPECT_EQ(state().PedrasJog[1], *TileCode::fromText("04"));
  EXPECT_EQ(window.scene().Label11->caption(), QStringLiteral("Escolha a sua 2ª peça"));
  EXPECT_FALSE(window.actions().ImgMontao(5)->isVisible());
  EXPECT_TRUE(window.scene().PicJog[1]->isVisible());  // face up in his hand
  EXPECT_EQ(window.scene().imgjog1[1]->element(), 0);
  EXPECT_EQ(window.scene().ImgJog2[1]->element(), 4);
  clickPile(5);  // a tile already taken is not there to click
  EXPECT_EQ(state().QtdEscolhidas, 1);

  for (int seat = 1; seat <= 3; ++seat) random.takeOwnTiles(seat);
  for (int position : {1, 2, 3, 4, 6, 7}) clickPile(position);
  EXPECT_EQ(state().PedrasJog, handOf({"04", "00", "01", "02", "03", "05", "06"}));
  EXPECT_FALSE(window.scene().Label11->isVisible());
  // The pile is gone, Mac3 opened with 6:6, and the computer hands lie face down.
  EXPECT_EQ(window.actions().ImgMontao(10), nullptr);
  EXPECT_EQ(state().Mesa[1], *TileCode::fromText("66"));
  EXPECT_TRUE(window.scene().PicMatrisH0->isVisible());
  for (int i = 1; i <= 7; ++i) {
    EXPECT_TRUE(window.scene().ImgMac[1][i]->isVisible() || state().PedrasMac1[i].empty()) << i;
  }
  EXPECT_EQ(window.scene().ImgMac[2][1]->picture(), Picture::PedraH);
}

TEST_F(GameWindowTest, AComputerSeatNeverTakesATakenTile) {
  random.stackDeal(kDeal);
  startMatch();
  // Mac1 draws the player's position 3 before each of its own.
  for (int j = 1; j <= 7; ++j) {
    random.queue(3, 28);
    random.queue(7 + j, 28);
  }
  random.takeOwnTiles(2);
  random.takeOwnTiles(3);
  for (int position = 1; position <= 7; ++position) clickPile(position);
  EXPECT_EQ(state().PedrasMac1, handOf({"11", "12", "13", "14", "15", "16", "22"}));
}

TEST_F(GameWindowTest, LastToTakeThePlayerTakesAllHisTilesWithOneClick) {
  random.stackDeal(kDeal);
  startMatch();
  // A hand that Mac1 goes out of: the next deal starts with Mac1 and ends with the player.
  GameState position;
  position.PedrasJog = handOf({"23", "34"});
  position.PedrasMac1 = handOf({"45"});
  position.PedrasMac2 = handOf({"01", "02"});
  position.PedrasMac3 = handOf({"03", "04"});
  position.Mesa[1] = *TileCode::fromText("15");
  position.QtdMesa = 1;
  position.PontaA = 1;
  position.PontaB = 5;
  position.PrimeiraRodada = false;
  settings.PontosLimit = 10;
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QStringLiteral("Zorvan bateu.\n\nVai ganhar 1 pts"));
    clickWidget(box.button(QMessageBox::Ok));
  });
  match().resume(position, ChainGeometry(), kMac1);
  settle();
  ASSERT_EQ(match().awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(window.scene().LbPontos[1]->caption(), QStringLiteral("1 pts"));
  EXPECT_EQ(state().Pegas.count(), 21u);
  int free = 1;
  while (state().pileTaken(free)) ++free;
  clickPile(free);
  EXPECT_EQ(tileCount(state().PedrasJog), 7);
  for (int i = 1; i <= 7; ++i) EXPECT_TRUE(window.scene().PicJog[i]->isVisible() || state().QtdMesa > 0) << i;
}

TEST_F(GameWindowTest, FiveDoublesBringTheRedealMessageAndANewDeal) {
  random.stackDeal({{
      {"01", "02", "03", "04", "05", "06", "12"},
      {"00", "11", "22", "33", "44", "13", "14"},
      {"15", "16", "23", "24", "25", "26", "34"},
      {"35", "36", "45", "46", "55", "56", "66"},
  }});
  startMatch();
  for (int seat = 1; seat <= 3; ++seat) random.takeOwnTiles(seat);
  int turnedUp = 0;
  dialogs.expect<QMessageBox>([&](QMessageBox& box) {
    EXPECT_EQ(box.text(), QStringLiteral("Zorvan pegou 5 buchas\n\nSerá feita uma nova distribuição"));
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    turnedUp = static_cast<int>(window.actions().turnedUp().size());  // the computer hands, face up
    clickWidget(box.button(QMessageBox::Ok));
  }, QStringLiteral("redeal.png"));
  random.stackDeal(kDeal);
  for (int position = 1; position <= 7; ++position) clickPile(position);
  EXPECT_EQ(turnedUp, 21);
  EXPECT_TRUE(window.actions().turnedUp().empty());
  // Dealt again: the player takes first, and the holder of 6:6 (Mac3) will open with it.
  ASSERT_EQ(match().awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(state().QuemInicia, kHolderOfDoubleSix);
  for (int seat = 1; seat <= 3; ++seat) random.takeOwnTiles(seat);
  for (int position = 1; position <= 7; ++position) clickPile(position);
  EXPECT_EQ(state().Mesa[1], *TileCode::fromText("66"));
}

TEST_F(GameWindowTest, CancellingNewGameKeepsTheHandOnTheTable) {
  random.stackDeal(kDeal);
  startMatch();
  for (int seat = 1; seat <= 3; ++seat) random.takeOwnTiles(seat);
  for (int position = 1; position <= 7; ++position) clickPile(position);
  ASSERT_EQ(match().awaiting(), Match::Awaiting::Move);
  const Hand hand = state().PedrasJog;
  const int onTable = state().QtdMesa;

  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) {
    EXPECT_EQ(d.Label4->text(), QStringLiteral("Cancelar"));
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  clickTable({420 + 200, 1080 + 80});
  settle();
  EXPECT_EQ(state().PedrasJog, hand);
  EXPECT_EQ(state().QtdMesa, onTable);
  EXPECT_EQ(match().awaiting(), Match::Awaiting::Move);
  EXPECT_TRUE(window.isVisible());

  // Enter plays: a fresh match, the pile laid out again.
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { QTest::keyClick(&d, Qt::Key_Return); });
  clickTable({420 + 200, 1080 + 80});
  settle();
  EXPECT_EQ(match().awaiting(), Match::Awaiting::PileTile);
  EXPECT_NE(window.actions().ImgMontao(1), nullptr);
}

TEST_F(GameWindowTest, AMatchEndsWithItsWindowAndLeavingTheNextDialogEndsTheProgram) {
  random.stackDeal(kDeal);
  startMatch();
  // Mac1 holds its last tile, 5:5, with both ends showing 5: a Batida Cruzada to 7 points.
  GameState position;
  position.PedrasJog = handOf({"23", "34"});
  position.PedrasMac1 = handOf({"55"});
  position.PedrasMac2 = handOf({"01", "02"});
  position.PedrasMac3 = handOf({"03", "04"});
  position.Mesa[1] = *TileCode::fromText("25");
  position.QtdMesa = 1;
  position.PontaA = 5;
  position.PontaB = 5;
  position.Pontos = {1, 3, 2, 0};
  position.PrimeiraRodada = false;
  settings.PontosLimit = 4;

  dialogs.expect<QMessageBox>([](QMessageBox& box) { clickWidget(box.button(QMessageBox::Ok)); });
  dialogs.expect<FrmFimdeJogo>([](FrmFimdeJogo& end) {
    EXPECT_EQ(end.Label2->text(), QStringLiteral("O vencedor foi Zorvan com 7 pts"));
    EXPECT_EQ(end.Label1[0]->text(), QStringLiteral("Zorvan"));
    EXPECT_EQ(end.Label1[1]->text(), QStringLiteral("Melira"));
    EXPECT_EQ(end.Label1[2]->text(), QStringLiteral("Ana"));
    EXPECT_EQ(end.Label1[3]->text(), QStringLiteral("Astelo"));
    EXPECT_EQ(end.Label4[0]->text(), QStringLiteral("7 pts"));
    EXPECT_EQ(end.Label3[0]->text(), QStringLiteral("7 pts"));
    clickWidget(end.Lbcaption2);
  }, QStringLiteral("fim-de-jogo.png"));
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) {
    EXPECT_EQ(d.Label4->text(), QStringLiteral("Sair"));
    clickWidget(d.Label4);
  });
  match().resume(position, ChainGeometry(), kMac1);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !window.isVisible(); }, 10000));
  EXPECT_EQ(match().awaiting(), Match::Awaiting::Finished);
}

class NewGameDialogTest : public WindowTest {
 protected:
  DialogDriver dialogs;
};

TEST_F(NewGameDialogTest, TheRulesDialogKeepsTheLimitsInTheirBoundsAndTheSummaryFollows) {
  FrmNovoJogo dialog(settings, store, false, false);
  EXPECT_EQ(dialog.Label12->text(), QStringLiteral("Ganha o jogo quem primeiro fizer 4 pontos"));
  EXPECT_EQ(dialog.Label8->text(), QStringLiteral("Individual"));
  dialog.Text1->setText(QStringLiteral("Bia"));

  dialogs.expect<FrmRegra>([](FrmRegra& rules) {
    EXPECT_EQ(rules.windowTitle(), QStringLiteral("Definição das Regras"));
    EXPECT_TRUE(rules.Text2->isVisible());
    EXPECT_FALSE(rules.Text3->isVisible());
    for (int i = 0; i < 8; ++i) clickWidget(rules.Command3[1]);
    EXPECT_EQ(rules.Text2->text(), QStringLiteral("10"));  // no higher than 10
    for (int i = 0; i < 9; ++i) clickWidget(rules.Command3[0]);
    EXPECT_EQ(rules.Text2->text(), QStringLiteral("4"));   // no lower than 4
    clickWidget(rules.Option2[2]);
    EXPECT_TRUE(rules.Text3->isVisible());
    EXPECT_EQ(rules.Text3->text(), QStringLiteral("100"));
    for (int i = 0; i < 5; ++i) clickWidget(rules.Command4[1]);
    EXPECT_EQ(rules.Text3->text(), QStringLiteral("250"));
    clickWidget(rules.Option1[2]);
    clickWidget(rules.Option3[3]);
    clickWidget(rules.Option4[1]);
    clickWidget(rules.Check1);
    rules.Command1_Click();
  }, QStringLiteral("regras.png"));
  dialog.Label5_Click();

  EXPECT_EQ(dialog.Label12->text(), QStringLiteral("Ganha o jogo quem primeiro fizer 250 pontos"));
  EXPECT_EQ(dialog.Label8->text(), QStringLiteral("Duplas"));
  EXPECT_EQ(dialog.Label6->text(), QStringLiteral("Sentido Anti-horário"));
  EXPECT_EQ(dialog.Label9->text(), QStringLiteral("Cada pinta nas peças que restaram dos adversários valerá um "
                                                  "ponto para a dupla ou jogador que bateu"));
  EXPECT_EQ(dialog.Label10->text(), QStringLiteral("Na primeira rodada iniciará quem possuir o 6:6, depois será "
                                                   "feito um rodízio"));
  EXPECT_EQ(dialog.Label11->text(), QStringLiteral("Permitir fechar o jogo"));
  EXPECT_EQ(dialog.Text1->text(), QStringLiteral("Bia"));  // what he typed is kept
  // Stored under the rules key at once.
  EXPECT_EQ(store.LeRegistro(RegistryKey::Opc, u"PontosLimit", u""), QStringLiteral("250"));
  EXPECT_EQ(store.LeRegistro(RegistryKey::Opc, u"SentidoHorario", u""), QStringLiteral("False"));
  EXPECT_EQ(store.LeRegistro(RegistryKey::Opc, u"TipoInicio", u""), QStringLiteral("3"));
}

TEST_F(NewGameDialogTest, ALimitTypedOutOfBoundsIsRefusedAndTheDialogStaysOpen) {
  FrmRegra rules(settings, store);
  dialogs.always<FrmRegra>([](FrmRegra&) {});  // shown by the test itself, left open
  rules.show();
  rules.Text2->setText(QStringLiteral("12"));
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QStringLiteral("O limite de pontos deve ser um número inteiro de 4 a 10."));
    clickWidget(box.button(QMessageBox::Ok));
  });
  rules.Command1_Click();
  EXPECT_TRUE(rules.isVisible());
  EXPECT_EQ(settings.PontosLimit, 4);
  rules.Text2->setText(QStringLiteral("seven"));
  dialogs.expect<QMessageBox>([](QMessageBox& box) { clickWidget(box.button(QMessageBox::Ok)); });
  rules.Command1_Click();
  EXPECT_TRUE(rules.isVisible());
  rules.Text2->setText(QStringLiteral(" 7 "));
  rules.Command1_Click();
  EXPECT_FALSE(rules.isVisible());
  EXPECT_EQ(settings.PontosLimit, 7);
}

TEST_F(NewGameDialogTest, CancelInTheRulesDialogChangesNothing) {
  FrmRegra rules(settings, store);
  clickWidget(rules.Option1[2]);
  rules.Text2->setText(QStringLiteral("9"));
  rules.reject();
  EXPECT_EQ(settings.TipoJogo, 1);
  EXPECT_EQ(settings.PontosLimit, 4);
  EXPECT_EQ(store.LeRegistro(RegistryKey::Opc, u"TipoJogo", u"none"), QStringLiteral("none"));
}

TEST_F(NewGameDialogTest, RulesStoredEarlierShowInTheirBoxes) {
  settings.PontosLimit = 100;  // left from the second rule, while the first is chosen
  FrmRegra rules(settings, store);
  EXPECT_EQ(rules.Text2->text(), QStringLiteral("4"));
  clickWidget(rules.Option2[2]);
  EXPECT_EQ(rules.Text3->text(), QStringLiteral("100"));
  settings.PontosLimit = 7;
  rules.Option2_Click();
  EXPECT_EQ(rules.Text3->text(), QStringLiteral("100"));
  clickWidget(rules.Option2[1]);
  EXPECT_EQ(rules.Text2->text(), QStringLiteral("7"));
  // A game type or opening rule the dialog does not offer shows as the first choice.
  settings.TipoJogo = 7;
  settings.TipoInicio = 0;
  FrmRegra odd(settings, store);
  EXPECT_TRUE(odd.Option1[1]->isChecked());
  EXPECT_TRUE(odd.Option3[1]->isChecked());
}

TEST_F(NewGameDialogTest, PlayStoresTheNameAndTheRules) {
  FrmNovoJogo dialog(settings, store, true, false);
  dialog.Text1->setText(QStringLiteral("Caio"));
  dialog.Label1_Click();
  EXPECT_EQ(dialog.answer(), NewGameAnswer::Play);
  EXPECT_EQ(settings.Nomes[0], "Caio");
  EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"jog", u""), QStringLiteral("Caio"));
  for (const char16_t* rule : {u"FecharSoNoNatural", u"SentidoHorario", u"PontosLimit", u"TipoJogo", u"TipoRegra",
                               u"TipoInicio"}) {
    EXPECT_NE(store.LeRegistro(RegistryKey::Opc, rule, u"none"), QStringLiteral("none"));
  }
  FrmNovoJogo again(settings, store, true, false);
  EXPECT_EQ(again.Text1->text(), QStringLiteral("Caio"));
  again.Label4_Click();
  EXPECT_EQ(again.answer(), NewGameAnswer::Exit);
}

}  // namespace
}  // namespace tavolix
