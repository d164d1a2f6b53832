// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The dialog that opens or joins a table online: what it asks for before it
// lets the player go, what it hands the window, what it keeps for next time.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "dialogs/frm_regra.h"
#include "dialogs/online_dialog.h"
#include "settings/settings_config.h"
#include "table/help_launcher.h"
#include "window_support.h"

namespace tavolix {
namespace {

using OnlineDialogTest = WindowTest;

QString summaryOf(const OnlineDialog& d) {
  for (const QLabel* label : d.findChildren<QLabel*>()) {
    if (label->text().contains(QStringLiteral(", sentido"))) return label->text();
  }
  return {};
}

TEST_F(OnlineDialogTest, WhatIsMissingIsSaidAndNothingGoesUntilItIsThere) {
  OnlineDialog d(settings, store);
  // The player's name is asked for by its label, which a screen reader reads as the field's name.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(d.name)->text(QAccessible::Name),
            QStringLiteral("Seu nome:"));
  const QString noServer =
      QStringLiteral("Escreva o endereço do servidor, como mesa.exemplo.org:47474.");
  clickWidget(d.onServer);
  d.hostServer->clear();
  d.confirm();
  EXPECT_EQ(d.problem->text(), noServer);
  EXPECT_FALSE(d.problem->isHidden());
  EXPECT_NE(d.result(), QDialog::Accepted);

  d.tabs->setCurrentIndex(1);
  // Empty, the fields say what goes in them.
  EXPECT_EQ(d.joinServer->placeholderText(),
            QStringLiteral("endereço:porta, ou o link tavolix://..."));
  EXPECT_EQ(d.code->placeholderText(), QStringLiteral("8 letras e números"));
  d.joinServer->clear();
  d.problem->clear();
  d.confirm();
  EXPECT_EQ(d.problem->text(), noServer);
  QTest::keyClicks(d.joinServer, QStringLiteral("10.0.0.7:5000"));
  d.confirm();
  EXPECT_EQ(d.problem->text(),
            QStringLiteral("O código da mesa tem 8 letras e números, como N3XP-G97X."));
  EXPECT_NE(d.result(), QDialog::Accepted);
  // A table's link pasted as the server brings its code.
  d.joinServer->setText(QStringLiteral("tavolix://10.0.0.7:5000/n3xp-g97x"));
  EXPECT_EQ(d.code->text(), QStringLiteral("N3XPG97X"));
  d.confirm();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.choice().kind, OnlineChoice::Kind::Join);
  EXPECT_EQ(d.choice().server, QUrl(QStringLiteral("ws://10.0.0.7:5000")));
  EXPECT_EQ(d.choice().code, QStringLiteral("N3XPG97X"));
  // The server is offered again, and joining changes no rule.
  const OnlineDialog again(settings, store);
  EXPECT_EQ(again.joinServer->text(), QStringLiteral("10.0.0.7:5000"));
  EXPECT_EQ(again.hostServer->text(), QStringLiteral("10.0.0.7:5000"));
  EXPECT_EQ(again.tabs->currentIndex(), 0);
}

// Its Help opens the game's help, as the table's own command does (here,
// with no help installed, the player is told where it was looked for).
TEST_F(OnlineDialogTest, ItsHelpIsTheGamesHelp) {
  window.setHelpLauncher(HelpLauncher([](const QUrl&) { return true; },
                                      [](auto answer) { answer(true); }, {dir.path()}));
  window.setFirstActivationStartsMatch(false);
  window.show();
  QSignalSpy helped(&window, &Form1::helpOpened);
  dialogs.expect<OnlineDialog>([](OnlineDialog& d) {
    QPushButton* help = d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help);
    EXPECT_EQ(help->text(), QStringLiteral("A&juda"));  // in the game's words, not the desktop's
    clickWidget(help);
    d.reject();
  });
  dialogs.expect<QMessageBox>([](QMessageBox& box) { box.accept(); });
  click(TableScene::Command::Online);
  EXPECT_EQ(helped.size(), 1);
  EXPECT_TRUE(dialogs.done());
}

TEST_F(OnlineDialogTest, AHostChoosesTheTableAndItsRulesAndTheyAreKept) {
  settings.TipoRegra = 2;
  settings.PontosLimit = 150;
  settings.SentidoHorario = false;
  OnlineDialog d(settings, store);
  EXPECT_EQ(summaryOf(d), QStringLiteral("pontos pelas pedras, até 150, sentido anti-horário"));
  int helped = 0;
  d.setHelp([&helped] { ++helped; });
  clickWidget(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help));
  EXPECT_EQ(helped, 1);

  // The rules changed from here: the kind of game and the summary follow.
  QPushButton* rules = nullptr;
  for (QPushButton* button : d.findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("&Regras...")) rules = button;
  }
  ASSERT_NE(rules, nullptr);
  dialogs.expect<FrmRegra>([](FrmRegra& r) {
    clickWidget(r.Option1[2]);
    clickWidget(r.Option2[1]);
    clickWidget(r.Option4[0]);
    r.Command1_Click();
  });
  clickWidget(rules);
  EXPECT_TRUE(dialogs.done());
  EXPECT_EQ(d.kind->currentIndex(), 1);
  EXPECT_EQ(summaryOf(d), QStringLiteral("batidas, até 4 pontos, sentido horário"));

  d.name->setText(QStringLiteral("Tâmara"));
  d.port->setValue(50123);
  clickWidget(d.computer[3]);
  d.level->setCurrentIndex(1);
  d.kind->setCurrentIndex(0);
  d.confirm();
  ASSERT_EQ(d.result(), QDialog::Accepted);
  const OnlineChoice& c = d.choice();
  EXPECT_EQ(c.kind, OnlineChoice::Kind::HostHere);
  EXPECT_EQ(c.port, 50123);
  EXPECT_EQ(c.name, QStringLiteral("Tâmara"));
  EXPECT_EQ(c.rules.TipoJogo, 1);
  EXPECT_EQ(c.computers, (std::array<bool, 4>{false, false, false, true}));
  EXPECT_EQ(c.level, ComputerLevel::Strong);
  EXPECT_EQ(settings.Nomes[0], "Tâmara");
  EXPECT_EQ(settings.TipoJogo, 1);
  const OnlineDialog again(settings, store);
  EXPECT_EQ(again.name->text(), QStringLiteral("Tâmara"));
  EXPECT_EQ(again.port->value(), 50123);
  EXPECT_EQ(again.kind->currentIndex(), 0);
  // A port kept out of range is not offered.
  writeText(store, stored::kOnlinePort, QStringLiteral("80"));
  EXPECT_EQ(OnlineDialog(settings, store).port->value(), 47474);
}

}  // namespace
}  // namespace tavolix
