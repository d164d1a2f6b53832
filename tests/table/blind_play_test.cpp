// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A hand played as a player who cannot see the table plays it: everything
// known comes from what a screen reader reads (names, roles, states, the
// status line's text), everything done is a key or an accessible action. No
// look at the scene or the game's state.
#include <QAccessible>
#include <QMessageBox>
#include <QRegularExpression>

#include "dialogs/frm_novo_jogo.h"
#include "game_window.h"
#include "table/language.h"
#include "table/table_accessibility.h"

namespace tavolix {
namespace {

// The first shown node below `top` with `role` whose name starts with `name`.
QAccessibleInterface* find(QAccessibleInterface* top, QAccessible::Role role,
                           const QString& name = {}) {
  if (top == nullptr || top->state().invisible) return nullptr;
  if (top->role() == role && top->text(QAccessible::Name).startsWith(name)) return top;
  for (int i = 0; i < top->childCount(); ++i) {
    if (QAccessibleInterface* found = find(top->child(i), role, name)) return found;
  }
  return nullptr;
}

// Every text a node below `top` shows, its name, one a line.
QString readAll(QAccessibleInterface* top) {
  if (top == nullptr) return {};
  QString all = top->text(QAccessible::Name) + u'\n';
  for (int i = 0; i < top->childCount(); ++i) all += readAll(top->child(i));
  return all;
}

class BlindPlayTest : public InEachLanguage<GameWindowTest> {
 protected:
  std::vector<QString> heard_;
  bool english() const { return GetParam() == Language::English; }
  QString pick(const char* portuguese, const char* englishText) const {
    return QString::fromUtf8(english() ? englishText : portuguese);
  }
  static void press(QAccessibleInterface* node, const QString& action) {
    ASSERT_NE(node, nullptr);
    ASSERT_NE(node->actionInterface(), nullptr);
    ASSERT_TRUE(node->actionInterface()->actionNames().contains(action))
        << node->actionInterface()->actionNames().join(u',').toStdString();
    node->actionInterface()->doAction(action);
  }
};

TEST_P(BlindPlayTest, AHandIsPlayedReadingOnlyWhatAScreenReaderReads) {
  const QString play = pick("Jogar", "Play");
  dialogs.expect<FrmNovoJogo>([&play](FrmNovoJogo& d) {
    press(find(QAccessible::queryAccessibleInterface(&d), QAccessible::Button, play),
          QAccessibleActionInterface::pressAction());
  });
  // The end of the hand is a message box, read and closed through its button.
  QString handEnd;
  const QString redeal = pick("buchas", "doubles");
  dialogs.always<QMessageBox>([&handEnd, &redeal](QMessageBox& box) {
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&box);
    // A hand thrown in for five doubles is dealt again; any other box ends the hand.
    if (!readAll(node).contains(redeal)) handEnd = readAll(node);
    press(find(node, QAccessible::Button, QStringLiteral("OK")),
          QAccessibleActionInterface::pressAction());
  });
  window.show();
  settle();

  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&window.view());
  QAccessibleInterface* status = find(table, QAccessible::StatusBar);
  ASSERT_NE(status, nullptr);
  // What a screen reader hears: the status line announces each text with an
  // alert as it shows it (Qt's offscreen platform has no bridge to carry the
  // alerts, so they are taken where they are sent).
  auto* announcer = qobject_cast<TableStatus*>(status->object());
  ASSERT_NE(announcer, nullptr);
  QObject::connect(announcer, &TableStatus::announced,
                   [this](const QString& text) { heard_.push_back(text); });
  // The prompt while taking tiles: "Escolha as suas peças", then "Escolha a sua 2ª peça"...
  const QString takeTiles = pick("Escolha a", "select your");
  const QString yourTurn = pick("Sua vez", "Your turn");
  const QString goes = pick(", joga n", ", goes on the");
  const QString goesOnBoth = pick(", joga nas pontas", " ends");
  const QString opens = pick(", abre a mão", ", opens the hand");
  const QString layOnA = pick("Jogar na ponta A", "Lay on end A");
  const QString pass = pick("Passar a vez", "Cannot move");
  int taken = 0;
  int laid = 0;
  int passed = 0;
  for (int step = 0; step < 1000 && handEnd.isEmpty(); ++step) {
    settle();
    const QString now = status->text(QAccessible::Name);
    if (find(table, QAccessible::StaticText, takeTiles) != nullptr) {
      QTest::keyClick(&window, Qt::Key_Space);  // a face-down tile at random
      ++taken;
      continue;
    }
    if (!now.startsWith(yourTurn)) continue;
    QAccessibleInterface* hand = find(table, QAccessible::List);
    ASSERT_NE(hand, nullptr);
    const int held = hand->childCount();
    QAccessibleInterface* tile = nullptr;
    for (int i = 0; i < held && tile == nullptr; ++i) {
      const QString name = hand->child(i)->text(QAccessible::Name);
      if (name.contains(goes) || name.contains(opens)) tile = hand->child(i);
    }
    if (tile == nullptr) {
      // Nothing goes: the Pass command is there to press.
      press(find(table, QAccessible::Button, pass), QAccessibleActionInterface::pressAction());
      ++passed;
      continue;
    }
    const bool both = tile->text(QAccessible::Name).contains(goesOnBoth);
    press(tile, both ? layOnA : QAccessibleActionInterface::pressAction());
    settle();
    ++laid;
    // Laid: unless it ended the hand, the hand as read holds one tile fewer.
    if (!handEnd.isEmpty()) continue;
    QAccessibleInterface* after = find(table, QAccessible::List);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->childCount(), held - 1) << step;
  }
  EXPECT_EQ(taken, 7);
  EXPECT_GT(laid, 0);
  ASSERT_FALSE(handEnd.isEmpty()) << "the hand never ended; passes " << passed;
  // What was heard on the way: whose turn it was, and the player's own moves
  // said with their ends.
  const QRegularExpression move(
      pick(R"(Você jogou \d:\d na ponta do \d)", R"(You played \d:\d on the \d end)"));
  EXPECT_TRUE(std::any_of(heard_.begin(), heard_.end(),
                          [&move](const QString& s) { return s.contains(move); }));
  EXPECT_TRUE(std::any_of(heard_.begin(), heard_.end(),
                          [&yourTurn](const QString& s) { return s.startsWith(yourTurn); }));
  if (qEnvironmentVariableIsSet("TAVOLIX_TRANSCRIPT")) {
    for (const QString& s : heard_) std::cerr << s.toStdString() << "\n";
    std::cerr << handEnd.toStdString() << "\n";
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, BlindPlayTest,
                         ::testing::Values(Language::Portuguese, Language::English), languageName);

}  // namespace
}  // namespace tavolix
