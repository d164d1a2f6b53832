// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table's status line as a screen reader has it: each text held until it
// could be read, and the last few read again through its text, by line, word,
// sentence and letter.
#include <QAccessible>
#include <QTest>

#include "table/pacer.h"
#include "table/table_accessibility.h"
#include "window_support.h"

namespace tavolix {
namespace {

class StatusLineTest : public WindowTest {};

// What the status says stays until it could be read: a text coming while
// another is read waits, the newest in place of any before it; the last few
// said can be read again, one a line, through the status's text.
TEST_F(StatusLineTest, IsHeldUntilReadAndCanBeReadAgain) {
  pacer::setPace(1.0);
  TableStatus status;
  std::vector<QString> announced;
  QObject::connect(&status, &TableStatus::announced,
                   [&announced](const QString& text) { announced.push_back(text); });
  status.setText(QStringLiteral("Vez de Zorvan"));
  status.setText(QStringLiteral("Vez de Zorvan, pensando"));
  status.setText(QStringLiteral("Vez de Zorvan. Zorvan jogou 1:3 na ponta do 3"), true);
  status.setText(QStringLiteral("Vez de Melira. Zorvan jogou 1:3 na ponta do 3"));
  status.setText(QStringLiteral("Vez de Melira. Melira jogou 3:3 na ponta do 3"), true);
  EXPECT_EQ(status.text(), QStringLiteral("Vez de Zorvan"));
  EXPECT_TRUE(QTest::qWaitFor(
      [&status] { return status.text().startsWith(QStringLiteral("Vez de Melira. Melira")); },
      20000));
  // The thinking passed over; each move said, in turn.
  EXPECT_EQ(announced, (std::vector<QString>{
                           QStringLiteral("Vez de Zorvan"),
                           QStringLiteral("Vez de Zorvan. Zorvan jogou 1:3 na ponta do 3"),
                           QStringLiteral("Vez de Melira. Melira jogou 3:3 na ponta do 3")}));
  // What is said at once drops what waited; what comes after waits behind it.
  status.setText(QStringLiteral("Astelo jogou 2:2"), true);
  status.sayNow(QStringLiteral("Sua mão: 1:2"));
  EXPECT_EQ(status.text(), QStringLiteral("Sua mão: 1:2"));
  status.setText(QStringLiteral("Vez de Ana"));
  EXPECT_TRUE(
      QTest::qWaitFor([&status] { return status.text() == QStringLiteral("Vez de Ana"); }, 20000));
  EXPECT_EQ(std::vector<QString>(announced.end() - 2, announced.end()),
            (std::vector<QString>{QStringLiteral("Sua mão: 1:2"), QStringLiteral("Vez de Ana")}));
  pacer::setPace(0.0);
  TableStatus lines;
  for (int k = 0; k < TableStatus::kRecent + 2; ++k)
    lines.setText(QStringLiteral("Lance %1").arg(k));
  ASSERT_EQ(lines.recent().size(), TableStatus::kRecent);
  EXPECT_EQ(lines.recent().back(), QStringLiteral("Lance %1").arg(TableStatus::kRecent + 1));
  EXPECT_EQ(lines.recent().front(), QStringLiteral("Lance 2"));

  QAccessibleInterface* line = QAccessible::queryAccessibleInterface(&lines);
  ASSERT_NE(line, nullptr);
  QAccessibleTextInterface* text = line->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(line->text(QAccessible::Name),
            QStringLiteral("Lance %1").arg(TableStatus::kRecent + 1));
  EXPECT_EQ(text->text(0, -1), lines.recent().join(u'\n'));
  EXPECT_EQ(text->characterCount(), lines.recent().join(u'\n').size());
  EXPECT_EQ(text->cursorPosition(), 0);  // a review reads it from its first letter
  int start = -1;
  int end = -1;
  EXPECT_EQ(text->selectionCount(), 0);
  text->selection(0, &start, &end);  // asked for all the same: empty, at the first letter
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 0));
  EXPECT_EQ(text->textAtOffset(10, QAccessible::LineBoundary, &start, &end),
            QStringLiteral("Lance 3\n"));
  EXPECT_EQ(text->textAfterOffset(10, QAccessible::LineBoundary, &start, &end),
            QStringLiteral("Lance 4\n"));
  EXPECT_EQ(text->textBeforeOffset(10, QAccessible::LineBoundary, &start, &end),
            QStringLiteral("Lance 2\n"));
  EXPECT_EQ(text->textAtOffset(2, QAccessible::WordBoundary, &start, &end),
            QStringLiteral("Lance"));
  EXPECT_EQ(text->textAtOffset(2, QAccessible::CharBoundary, &start, &end), QStringLiteral("n"));
  TableStatus told;
  told.setText(QStringLiteral("Vez de Melira. Melira jogou 3:3 na ponta do 3"));
  QAccessibleTextInterface* sentences =
      QAccessible::queryAccessibleInterface(&told)->textInterface();
  EXPECT_EQ(sentences->textAtOffset(20, QAccessible::SentenceBoundary, &start, &end),
            QStringLiteral("Melira jogou 3:3 na ponta do 3"));
  EXPECT_EQ(start, 15);
  TableStatus word;  // what comes before the space is the first word, one letter long
  word.setText(QStringLiteral("A vez"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&word)->textInterface()->textBeforeOffset(
                1, QAccessible::WordBoundary, &start, &end),
            QStringLiteral("A"));
}

// The table's changes of turn and of thinking tell no move: while one is
// read, the newest takes the place of any that waited.
TEST_F(StatusLineTest, TheTablesTurnsGiveWayToTheNewest) {
  window.setFirstActivationStartsMatch(false);
  window.show();
  pacer::setPace(1.0);
  std::vector<QString> announced;
  QObject::connect(&scene().status(), &TableStatus::announced,
                   [&announced](const QString& text) { announced.push_back(text); });
  scene().showTurn(1);
  scene().showThinking(true);
  scene().showThinking(false);
  scene().showTurn(2);
  EXPECT_TRUE(QTest::qWaitFor(
      [this] { return scene().status().text() == QStringLiteral("Vez de Melira"); }, 20000));
  EXPECT_EQ(announced, (std::vector<QString>{QStringLiteral("Vez de Zorvan"),
                                             QStringLiteral("Vez de Melira")}));
}

}  // namespace
}  // namespace tavolix
