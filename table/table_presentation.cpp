// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_presentation.h"

#include <QMessageBox>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/table_style.h"

namespace tavolix {

TablePresentation::TablePresentation(QWidget& window, TableScene& scene, TablePacer& pacer,
                                     Settings& settings, SettingsStore& store)
    : window_(window), scene_(scene), pacer_(pacer), settings_(settings), store_(store) {}

QString TablePresentation::screenText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(u'\r', u'\n');
  return shown;
}

NewGameAnswer TablePresentation::newGameDialog(bool leaveEndsProgram) {
  FrmNovoJogo dialog(settings_, store_, leaveEndsProgram, &window_);
  if (help_) dialog.setHelp(help_);
  dialog.exec();
  pacer_.check();
  if (dialog.answer() == NewGameAnswer::Online && online_) online_();
  return dialog.answer();
}

void TablePresentation::messageBox(const Text& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavolix"),
                  screenText(render(text, qtTranslator())), QMessageBox::Ok, &window_);
  dressLikeTable(box, &window_);
  box.exec();
  pacer_.check();
}

void TablePresentation::matchEnd(const MatchEndReport& report) {
  FrmFimdeJogo window(report, qtTranslator(), &window_);
  window.exec();
  pacer_.check();
}

void TablePresentation::endProgram() {
  pacer_.stop();
  if (end_) end_();
}

// The scores, letting the window repaint after each.
void TablePresentation::showScores(const std::array<Text, 4>& scores, const Text& pairs) {
  for (int seat = 0; seat < kSeatCount; ++seat) {
    scene_.showScore(seat, translated(scores[seat]));
    pacer_.letEventsRun();
  }
  scene_.showPairScores(pairs);
}

}  // namespace tavolix
