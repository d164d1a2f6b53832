// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// What a screen reader finds: every command, caption and dialog field named and
// described, the labels buddies of their fields, Tab in a sensible order, and
// the turn and the last move announced as they change.
#include <set>

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/frm_regra.h"
#include "dialogs/online_dialog.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "dialogs/window_parts.h"
#include "game/texts.h"
#include "support/tiles.h"
#include "table/help_launcher.h"
#include "table/language.h"
#include "table/pacer.h"
#include "table/table_reading.h"
#include "window_support.h"

namespace tavolix {
namespace {

// Every visible control below `top` that a person works without a name or a
// description, and every text read without a name, or described by the
// window's title it adds nothing to: "role 'name'" for each.
std::vector<std::string> unnamed(QAccessibleInterface* top) {
  static const std::set<QAccessible::Role> kControls{
      QAccessible::Button,      QAccessible::PushButton,   QAccessible::CheckBox,
      QAccessible::RadioButton, QAccessible::EditableText, QAccessible::ScrollBar,
      QAccessible::StatusBar,   QAccessible::Table};
  const QString title = top->text(QAccessible::Name);
  std::vector<std::string> missing;
  std::vector<QAccessibleInterface*> pending{top};
  while (!pending.empty()) {
    QAccessibleInterface* node = pending.back();
    pending.pop_back();
    if (node == nullptr || node->state().invisible) continue;
    const bool worked = kControls.count(node->role()) != 0;
    const bool read = node->role() == QAccessible::StaticText;
    const QString description = node->text(QAccessible::Description);
    if ((worked && (node->text(QAccessible::Name).isEmpty() || description.isEmpty())) ||
        (read &&
         (node->text(QAccessible::Name).isEmpty() || (!title.isEmpty() && description == title)))) {
      missing.push_back(std::to_string(node->role()) + " '" +
                        node->text(QAccessible::Name).toStdString() + "'");
    }
    for (int i = 0; i < node->childCount(); ++i) pending.push_back(node->child(i));
  }
  return missing;
}

std::vector<QString> childNames(QAccessibleInterface* node) {
  std::vector<QString> names;
  for (int i = 0; i < node->childCount(); ++i)
    names.push_back(node->child(i)->text(QAccessible::Name));
  return names;
}

class AccessibilityTest : public WindowTest {};

TEST_F(AccessibilityTest, TheTableListsItsCommandsCaptionsAndStatusAllNamed) {
  window.setFirstActivationStartsMatch(false);
  window.show();
  QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&window.view());
  ASSERT_NE(view, nullptr);
  const std::vector<QString> names = childNames(view);
  for (const QString& expected :
       {QStringLiteral("Novo Jogo"), QStringLiteral("Opções"), QStringLiteral("Ajuda"),
        QStringLiteral("Placar"), QStringLiteral("Zorvan"), QStringLiteral("0 pts")}) {
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end())
        << expected.toStdString();
  }
  EXPECT_EQ(unnamed(QAccessible::queryAccessibleInterface(&window)), std::vector<std::string>{});
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);
  // A caption with nothing to say yet is named by what it is for.
  scene().showSeatNames({"", "Zorvan", "Melira", "Astelo"});
  int yours = 0;
  for (int i = 0; i < view->childCount(); ++i) {
    if (view->child(i)->text(QAccessible::Description) != QStringLiteral("Nome: você")) continue;
    EXPECT_EQ(view->child(i)->text(QAccessible::Name), QStringLiteral("Nome: você"));
    ++yours;
  }
  EXPECT_EQ(yours, 1);
  // The message line's text can be read again, by review modes and braille.
  scene().message(QStringLiteral("Você deve jogar o 6:6"), 0);
  int messages = 0;
  for (int i = 0; i < view->childCount(); ++i) {
    if (view->child(i)->text(QAccessible::Description) != QStringLiteral("Mensagem do jogo"))
      continue;
    ASSERT_NE(view->child(i)->textInterface(), nullptr);
    EXPECT_EQ(view->child(i)->textInterface()->text(0, -1),
              QStringLiteral("Você deve jogar o 6:6"));
    ++messages;
  }
  EXPECT_EQ(messages, 1);
  // A command is pressed, not read as text; a caption is read, not pressed.
  for (int i = 0; i < view->childCount(); ++i) {
    QAccessibleInterface* part = view->child(i);
    const bool command = part->role() == QAccessible::Button;
    if (!command && part->role() != QAccessible::StaticText) continue;
    SCOPED_TRACE(part->text(QAccessible::Name).toStdString());
    EXPECT_EQ(part->actionInterface() != nullptr, command);
    if (command) {
      EXPECT_EQ(part->textInterface(), nullptr);
    }
  }
  // A command can be pressed through it.
  QAccessibleInterface* help = view->child(2);
  ASSERT_EQ(help->role(), QAccessible::Button);
  QSignalSpy helped(&window, &Form1::helpOpened);
  window.setHelpLauncher(HelpLauncher([](const QUrl&) { return true; },
                                      [](auto answer) { answer(false); }, {dir.path()}));
  dialogs.expect<QMessageBox>([](QMessageBox& box) { box.accept(); });
  help->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  settle();
  EXPECT_EQ(helped.size(), 1);
  // A command that opens a dialog answers the press at once; the dialog opens after.
  bool shown = false;
  dialogs.expect<ScoreHistory>([&shown](ScoreHistory& history) {
    shown = true;
    history.reject();
  });
  const auto placar = std::find(names.begin(), names.end(), QStringLiteral("Placar"));
  QAccessibleInterface* scores = view->child(static_cast<int>(placar - names.begin()));
  scores->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_FALSE(shown);
  settle();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(dialogs.done());
}

// Each part of the table knows its place in the tree, whether it is shown,
// and where it is on the screen.
TEST_F(AccessibilityTest, TheTablesPartsKnowTheirPlaceStateAndSize) {
  window.setFirstActivationStartsMatch(false);
  window.show();
  QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&window.view());
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->text(QAccessible::Description).startsWith(QStringLiteral("Setas: escolher")));
  const int count = view->childCount();
  ASSERT_GT(count, 3);
  EXPECT_EQ(view->child(count), nullptr);
  EXPECT_EQ(view->child(-1), nullptr);
  EXPECT_EQ(view->indexOfChild(nullptr), -1);
  // Another interface is no part of the table, nor of any list in it.
  QAccessibleInterface* stranger = QAccessible::queryAccessibleInterface(&window);
  EXPECT_EQ(view->indexOfChild(stranger), -1);
  for (int i = 0; i < count; ++i) EXPECT_EQ(view->child(i)->indexOfChild(stranger), -1) << i;
  QAccessibleInterface* newGame = nullptr;
  QAccessibleInterface* pass = nullptr;
  for (int i = 0; i < count; ++i) {
    QAccessibleInterface* part = view->child(i);
    ASSERT_NE(part, nullptr) << i;
    EXPECT_EQ(view->indexOfChild(part), i);
    ASSERT_NE(part->parent(), nullptr) << i;
    EXPECT_EQ(part->parent()->object(), &window.view()) << i;
    EXPECT_EQ(part->childCount(), 0);
    if (part->text(QAccessible::Name) == QStringLiteral("Novo Jogo")) newGame = part;
    if (part->object() == &scene().command(TableScene::Command::Pass)) pass = part;
  }
  ASSERT_NE(newGame, nullptr);
  ASSERT_NE(pass, nullptr);
  EXPECT_FALSE(newGame->state().invisible);
  EXPECT_TRUE(pass->state().invisible);  // nothing to pass on yet
  const QRect onScreen = newGame->rect();
  EXPECT_FALSE(onScreen.isEmpty());
  EXPECT_TRUE(QRect(window.mapToGlobal(QPoint(0, 0)), window.size()).contains(onScreen));
  // Where a screen magnifier or a pointer sent there would find the command itself.
  const QPoint centre = window.view().viewport()->mapFromGlobal(onScreen.center());
  const auto* newGameLabel = &scene().command(TableScene::Command::NewGame);
  EXPECT_TRUE(window.view().items(centre).contains(const_cast<LabelItem*>(newGameLabel)));
  // The status line, last, says that no hand is being played.
  QAccessibleInterface* status = view->child(count - 1);
  EXPECT_EQ(status->role(), QAccessible::StatusBar);
  EXPECT_EQ(status->text(QAccessible::Name), QStringLiteral("Nenhuma mão em jogo"));
  EXPECT_EQ(status->text(QAccessible::Description), QStringLiteral("O que acontece na mesa"));
  // A command that cannot be used says so, and pressing it does nothing.
  auto& help = const_cast<LabelItem&>(scene().command(TableScene::Command::Help));
  QAccessibleInterface* helpPart = QAccessible::queryAccessibleInterface(&help);
  QSignalSpy clicked(&help, &LabelItem::clicked);
  help.setEnabled(false);
  EXPECT_TRUE(helpPart->state().disabled);
  helpPart->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicked.size(), 0);
  help.setEnabled(true);
  EXPECT_FALSE(helpPart->state().disabled);
}

// Each command of the table and each of the window's buttons has its key.
TEST_F(AccessibilityTest, EveryCommandHasItsKey) {
  window.setFirstActivationStartsMatch(false);
  window.show();
  const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(&window, key, modifiers);
    settle();
  };
  QSignalSpy newGame(&window, &Form1::newGameRequested);
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { d.reject(); });
  press(Qt::Key_N);
  EXPECT_EQ(newGame.size(), 1);
  press(Qt::Key_N, Qt::AltModifier);  // not with another modifier
  EXPECT_EQ(newGame.size(), 1);
  dialogs.expect<FrmOpc>([](FrmOpc& d) { d.reject(); });
  press(Qt::Key_Comma);
  EXPECT_TRUE(dialogs.done());
  dialogs.expect<OnlineDialog>([](OnlineDialog& d) { d.reject(); });
  press(Qt::Key_O);
  EXPECT_TRUE(dialogs.done());
  dialogs.expect<Statistics>([](Statistics& d) { d.reject(); });
  press(Qt::Key_E);
  EXPECT_TRUE(dialogs.done());
  dialogs.expect<ScoreHistory>([](ScoreHistory& d) { d.reject(); });
  press(Qt::Key_H);
  EXPECT_TRUE(dialogs.done());

  QSignalSpy helped(&window, &Form1::helpOpened);
  window.setHelpLauncher(HelpLauncher([](const QUrl&) { return true; },
                                      [](auto answer) { answer(false); }, {dir.path()}));
  dialogs.expect<QMessageBox>([](QMessageBox& box) { box.accept(); });  // no help here
  press(Qt::Key_F1, Qt::NoModifier);
  EXPECT_EQ(helped.size(), 1);
  press(Qt::Key_F11, Qt::NoModifier);
  EXPECT_TRUE(window.showsFullScreen());
  press(Qt::Key_F11, Qt::NoModifier);
  EXPECT_FALSE(window.showsFullScreen());
  press(Qt::Key_M);
  EXPECT_TRUE(window.isMinimized());
  window.showNormal();
  press(Qt::Key_Q);
  EXPECT_FALSE(window.isVisible());
}

// A dialog's command drawn as a caption is a button to a screen reader, named
// by its caption (without the key's mark) unless it was given a name.
TEST_F(AccessibilityTest, ACommandCaptionIsAButtonNamedByItsCaption) {
  QWidget dialog;
  auto* play = new CommandLabel(QStringLiteral("&Jogar"), &dialog);
  QAccessibleInterface* command = QAccessible::queryAccessibleInterface(play);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->role(), QAccessible::Button);
  EXPECT_EQ(command->text(QAccessible::Name), QStringLiteral("Jogar"));
  play->setAccessibleName(QStringLiteral("Começar a partida"));
  EXPECT_EQ(command->text(QAccessible::Name), QStringLiteral("Começar a partida"));
}

TEST_F(AccessibilityTest, TheTurnAndTheLastMoveAreAnnounced) {
  std::vector<QString> announced;
  QObject::connect(&scene().status(), &TableStatus::announced,
                   [&announced](const QString& text) { announced.push_back(text); });
  playerToMove(fiveSixOnTheTable());  // Zorvan answers the player's 3
  QTest::keyClick(&window, Qt::Key_Right);
  QTest::keyClick(&window, Qt::Key_Return);
  settle();
  const auto said = [&announced](const QString& text) {
    return std::any_of(announced.begin(), announced.end(),
                       [&text](const QString& a) { return a.contains(text); });
  };
  EXPECT_TRUE(said(QStringLiteral("Sua vez")));
  EXPECT_TRUE(said(QStringLiteral("Pedra escolhida: 3:6")));
  // Each move with the end it went on.
  EXPECT_TRUE(said(QStringLiteral("Você jogou 3:6 na ponta do 6")));
  EXPECT_TRUE(said(QStringLiteral("Vez de Zorvan")));
  EXPECT_TRUE(said(QStringLiteral("Zorvan jogou 1:3 na ponta do 3")));
  // A seat that takes its time is said to be thinking, until it stops.
  scene().showTurn(kMac2);
  scene().showThinking(true);
  EXPECT_TRUE(scene().status().text().startsWith(QStringLiteral("Vez de Melira, pensando")))
      << scene().status().text().toStdString();
  scene().showThinking(false);
  EXPECT_TRUE(scene().status().text().startsWith(QStringLiteral("Vez de Melira. ")))
      << scene().status().text().toStdString();
}

// The table in words: each tile of the hand with where it goes, the open ends,
// who passed on which numbers and how many tiles each seat holds; in English too.
TEST_F(AccessibilityTest, TheTableInWords) {
  GameState state;
  state.PedrasJog = handOf({"36", "66", "12", "55"});
  state.PedrasMac1 = handOf({"00", "01"});
  state.PedrasMac2 = handOf({"02"});
  state.PedrasMac3 = handOf({"03", "04", "05"});
  state.PrimeiraRodada = true;
  Settings rules;
  // The first hand opens with 6:6.
  EXPECT_EQ(reading::handTile(state, rules, tile("66")), QStringLiteral("6:6, abre a mão"));
  EXPECT_EQ(reading::handTile(state, rules, tile("36")), QStringLiteral("3:6, não abre a mão"));
  state.PrimeiraRodada = false;
  EXPECT_EQ(reading::handTile(state, rules, tile("36")), QStringLiteral("3:6, abre a mão"));
  rules.TipoInicio = 2;  // unless every hand does
  EXPECT_EQ(reading::handTile(state, rules, tile("36")), QStringLiteral("3:6, não abre a mão"));
  const std::array<std::string, 4> names{"Ana", "Zorvan", "Melira", "Astelo"};
  EXPECT_EQ(reading::table(state, names),
            QStringLiteral("Nenhuma pedra na mesa. Pedras nas mãos: Zorvan 2, Melira 1, Astelo 3"));

  state.Mesa[1] = tile("56");
  state.QtdMesa = 1;
  state.PontaA = 6;
  state.PontaB = 5;
  state.NaoTem[kMac1] = "3434";
  state.NaoTem[kMac3] = "22";
  state.NaoTem[kJog] = "1660";
  state.recount();
  EXPECT_EQ(reading::hand(state, rules),
            QStringLiteral("Sua mão: 3:6, joga na ponta 6; 6:6, joga na ponta 6; 1:2, não joga; "
                           "5:5, joga na ponta 5"));
  EXPECT_EQ(reading::handTile(state, rules, tile("56")),
            QStringLiteral("5:6, joga nas pontas 6 e 5"));
  EXPECT_EQ(reading::table(state, names),
            QStringLiteral("Pontas: 6 e 5. Você passou no 0, 1 e 6. Zorvan passou no 3 e 4. "
                           "Astelo passou no 2. Pedras nas mãos: Zorvan 2, Melira 1, Astelo 3"));
  EXPECT_EQ(reading::hand(GameState(), rules), QStringLiteral("Sua mão está vazia"));

  useLanguage(Language::English);
  EXPECT_EQ(reading::hand(state, rules),
            QStringLiteral("Your hand: 3:6, goes on the 6 end; 6:6, goes on the 6 end; 1:2, does "
                           "not go; 5:5, goes on the 5 end"));
  EXPECT_EQ(reading::handTile(state, rules, tile("56")),
            QStringLiteral("5:6, goes on the 6 and 5 ends"));
  EXPECT_EQ(reading::table(state, names),
            QStringLiteral("Ends: 6 and 5. You passed on 0, 1 and 6. Zorvan passed on 3 and 4. "
                           "Astelo passed on 2. Tiles in hand: Zorvan 2, Melira 1, Astelo 3"));
  useLanguage(Language::Portuguese);
}

// The hand is a list a screen reader reads and works: each tile named with
// where it goes; pressed, it is laid where it goes, or on the end its action
// names. H and E say the hand and the table in the status line.
TEST_F(AccessibilityTest, TheHandIsAListOfTilesThatCanBeLaid) {
  playerToMove(endsSixAndThree(handOf({"36", "12", "35"})).state,
               endsSixAndThree(handOf({"36", "12", "35"})).chain);
  QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&window.view());
  QAccessibleInterface* hand = nullptr;
  QAccessibleInterface* words = nullptr;
  for (int i = 0; i < view->childCount(); ++i) {
    if (view->child(i)->role() == QAccessible::List) hand = view->child(i);
    if (view->child(i)->text(QAccessible::Name).startsWith(QStringLiteral("Pontas:")))
      words = view->child(i);
  }
  ASSERT_NE(hand, nullptr);
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(hand->text(QAccessible::Name), QStringLiteral("Sua mão"));
  EXPECT_EQ(words->text(QAccessible::Name),
            QStringLiteral("Pontas: 6 e 3. Pedras nas mãos: Zorvan 1, Melira 1, Astelo 1"));
  ASSERT_EQ(hand->childCount(), 3);
  EXPECT_EQ(hand->child(0)->text(QAccessible::Name), QStringLiteral("3:6, joga nas pontas 6 e 3"));
  EXPECT_EQ(hand->child(1)->text(QAccessible::Name), QStringLiteral("1:2, não joga"));
  EXPECT_EQ(hand->child(2)->text(QAccessible::Name), QStringLiteral("3:5, joga na ponta 3"));
  EXPECT_EQ(hand->child(1)->parent()->object(), hand->object());
  EXPECT_FALSE(hand->child(0)->rect().isEmpty());

  QTest::keyClick(&window, Qt::Key_H);
  EXPECT_EQ(
      scene().status().text(),
      QStringLiteral("Sua mão: 3:6, joga nas pontas 6 e 3; 1:2, não joga; 3:5, joga na ponta 3"));
  QTest::keyClick(&window, Qt::Key_E);
  EXPECT_TRUE(scene().status().text().startsWith(QStringLiteral("Pontas: 6 e 3.")));

  // 3:6 goes on both ends: pressed, the ends are asked for; laid on end B by its action.
  QAccessibleActionInterface* both = hand->child(0)->actionInterface();
  ASSERT_NE(both, nullptr);
  // Each action names the key that does it at the table.
  QStringList keys;
  for (const QString& action : both->actionNames()) keys += both->keyBindingsForAction(action);
  EXPECT_EQ(keys,
            (QStringList{QStringLiteral("Return"), QStringLiteral("A"), QStringLiteral("B")}));
  both->doAction(QAccessibleActionInterface::showMenuAction());  // not one of its own: nothing
  settle();
  EXPECT_EQ(window.hand().chosen(), 0);
  both->doAction(QAccessibleActionInterface::pressAction());
  settle();
  EXPECT_EQ(state().QtdMesa, 2);
  EXPECT_EQ(window.hand().chosen(), 1);
  EXPECT_EQ(scene().messageLine().caption(), translated(texts::chooseEnd()));
  // A screen reader is told when the table in words changes, not only asked.
  std::vector<QString> summaryNames;
  QObject::connect(&scene().summary(), &TableSummary::changed,
                   [&summaryNames](const QString& words) { summaryNames.push_back(words); });
  both->doAction(QStringLiteral("Jogar na ponta B"));
  EXPECT_EQ(state().QtdMesa, 2);  // answered at once, worked after
  settle();
  EXPECT_GE(state().QtdMesa, 3);
  EXPECT_EQ(state().Mesa[3], tile("36"));
  EXPECT_EQ(state().PedrasJog, handOf({"12", "35"}));
  ASSERT_FALSE(summaryNames.empty());
  EXPECT_TRUE(summaryNames.front().startsWith(QStringLiteral("Pontas: 6 e 6.")))
      << summaryNames.front().toStdString();
  EXPECT_EQ(summaryNames.back(), words->text(QAccessible::Name));
  EXPECT_EQ(words->text(QAccessible::Description),
            QStringLiteral("A mesa: as pontas, os passes e as pedras nas mãos"));
  EXPECT_EQ(std::adjacent_find(summaryNames.begin(), summaryNames.end()), summaryNames.end())
      << "told twice of the same words";
}

TEST_F(AccessibilityTest, EveryDialogFieldIsNamedAndItsLabelIsItsBuddy) {
  FrmNovoJogo newGame(settings, store, false);
  FrmRegra rules(settings, store);
  FrmOpc preferences(settings, store);
  FrmFimdeJogo end(anaWonTheMatch(), {});
  HandResult hand;
  hand.winner = 0;
  hand.points = 1;
  hand.kind = GoingOut::Simples;
  ScoreHistory history({hand}, settings, {1, 0, 0, 0}, {});
  for (QDialog* dialog :
       std::initializer_list<QDialog*>{&newGame, &rules, &preferences, &end, &history}) {
    dialog->show();
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(dialog);
    EXPECT_FALSE(read->text(QAccessible::Name).isEmpty()) << dialog->metaObject()->className();
    EXPECT_EQ(unnamed(read), std::vector<std::string>{}) << dialog->windowTitle().toStdString();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
      if (label->buddy() != nullptr) {
        EXPECT_FALSE(label->buddy()->accessibleName().isEmpty()) << label->text().toStdString();
      }
    }
    dialog->hide();
  }
  // A choice in a group is described by the group.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(rules.Option4[0])->text(QAccessible::Description),
            QStringLiteral("Sentido do jogo"));
  // The tiles' sample is named for what it shows, not by the title of its group.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(preferences.Image2)->text(QAccessible::Name),
            QStringLiteral("Amostra das peças"));
  // Tab in the new game dialog: the name, then its commands left to right.
  newGame.show();
  newGame.activateWindow();
  newGame.Text1->setFocus();
  std::vector<QWidget*> visited;
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(newGame.focusWidget(), Qt::Key_Tab);
    visited.push_back(newGame.focusWidget());
  }
  EXPECT_EQ(visited, (std::vector<QWidget*>{newGame.Label5, newGame.Label4, newGame.Label1}));
  // A command is underlined while it has the focus, and only then.
  for (const QEvent::Type type : {QEvent::FocusIn, QEvent::FocusOut}) {
    QFocusEvent focus(type, Qt::TabFocusReason);
    QApplication::sendEvent(newGame.Label4, &focus);
    EXPECT_EQ(newGame.Label4->font().underline(), type == QEvent::FocusIn);
  }
  // In the rules, the closing option, then OK, Cancel and Help, in a row.
  const auto button = [&rules](const char* text) {
    for (QPushButton* b : rules.findChildren<QPushButton*>()) {
      if (b->text().remove(u'&') == QLatin1String(text)) return static_cast<QWidget*>(b);
    }
    return static_cast<QWidget*>(nullptr);
  };
  const auto nextTab = [](QWidget* w) {
    for (int step = 0; step < 100; ++step) {
      w = w->nextInFocusChain();
      if (w->focusPolicy() & Qt::TabFocus) return w;
    }
    return static_cast<QWidget*>(nullptr);
  };
  // Along the rows, every choice in turn.
  std::vector<QWidget*> rows{rules.Option1[1]};
  while (rows.size() < 20 && rows.back() != nullptr && rows.back() != rules.Check1)
    rows.push_back(nextTab(rows.back()));
  EXPECT_EQ(rows, (std::vector<QWidget*>{rules.Option1[1], rules.Option1[2], rules.Option4[0],
                                         rules.Option4[1], rules.Option2[1], rules.Text2,
                                         rules.Option2[2], rules.Text3, rules.Option3[1],
                                         rules.Option3[2], rules.Option3[3], rules.Check1}));
  EXPECT_EQ(nextTab(rules.Check1), button("OK"));
  EXPECT_EQ(nextTab(button("OK")), button("Cancelar"));
  EXPECT_EQ(nextTab(button("Cancelar")), button("Ajuda"));
  // Space on a command chosen by Tab works it.
  QSignalSpy played(newGame.Label1, &CommandLabel::clicked);
  QTest::keyClick(newGame.Label1, Qt::Key_Space);
  EXPECT_EQ(played.size(), 1);
}

}  // namespace
}  // namespace tavolix
