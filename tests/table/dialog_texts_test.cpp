// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Every dialog as the player sees it, in both languages, over a table that
// fills the screen: each text whole in its box, each box inside the dialog and
// clear of its neighbours, the dialog on the screen, its texts readable on a
// small screen and grown with the table on a large one. ctest runs these on
// screens of 400 x 300, 800 x 600 and 2560 x 1440 pixels as well.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/frm_regra.h"
#include "dialogs/online_dialog.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "dialogs/table_style.h"
#include "game/texts.h"
#include "kept_looks.h"
#include "settings/record_file.h"
#include "table/language.h"
#include "window_support.h"

namespace tavolix {
namespace {

class DialogTextsTest : public InEachLanguage<WindowTest> {};

QString plain(QString text) { return text.remove(u'&'); }

// The room a widget's text needs beyond the text itself: the check box's box,
// the radio button's circle, the push button's bevel.
int chromeOf(const QWidget& w) {
  QStyleOptionButton option;
  option.initFrom(&w);
  if (qobject_cast<const QCheckBox*>(&w) != nullptr) {
    return w.style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, &w) +
           w.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, &w);
  }
  if (qobject_cast<const QRadioButton*>(&w) != nullptr) {
    return w.style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, &w) +
           w.style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, &w);
  }
  // A push button's text goes where the style leaves room for it.
  return w.width() - w.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &w).width();
}

// Where a text box draws its text, in its parent's coordinates: a label's
// line where its alignment puts it, a button's indicator and text from its left
// (a push button's whole face). Empty for a box without text.
QRect inkOf(const QWidget& w) {
  const QFontMetrics metrics(w.font());
  if (auto* label = qobject_cast<const QLabel*>(&w)) {
    if (!label->pixmap().isNull() || label->text().isEmpty()) return {};
    if (label->wordWrap()) {
      return metrics
          .boundingRect(label->contentsRect(), Qt::TextWordWrap | label->alignment(), label->text())
          .translated(label->pos());
    }
    const QString text = label->buddy() != nullptr ? plain(label->text()) : label->text();
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    const QRect room = label->contentsRect();
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), size, room)
        .translated(label->pos());
  }
  if (auto* button = qobject_cast<const QAbstractButton*>(&w)) {
    if (button->text().isEmpty()) return {};
    if (qobject_cast<const QCheckBox*>(&w) == nullptr &&
        qobject_cast<const QRadioButton*>(&w) == nullptr)
      return w.geometry();
    const int width = metrics.horizontalAdvance(plain(button->text())) + chromeOf(w);
    return {w.pos(), QSize(std::min(width, w.width()), w.height())};
  }
  return {};
}

// What is wrong with how `dialog` shows its texts, one line for each fault;
// nothing when every text is whole and every box in its place.
std::vector<std::string> textFaults(QWidget& dialog) {
  std::vector<std::string> faults;
  const auto fault = [&faults](const QWidget& w, const QString& text, const std::string& what) {
    faults.push_back(std::string(w.metaObject()->className()) + " \"" + text.toStdString() +
                     "\": " + what);
  };
  const auto textOf = [](const QWidget& w) {
    if (auto* label = qobject_cast<const QLabel*>(&w)) return plain(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(&w)) return plain(button->text());
    if (auto* group = qobject_cast<const QGroupBox*>(&w)) return plain(group->title());
    return QString();
  };
  std::vector<QWidget*> shown;
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (w->isVisibleTo(&dialog) && !w->isWindow()) shown.push_back(w);
  }
  for (QWidget* w : shown) {
    const QFontMetrics metrics(w->font());
    const QString text = textOf(*w);
    if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && !text.isEmpty()) {
      if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text())) continue;
      const QRect room = label->contentsRect();
      if (label->wordWrap()) {
        const QRect used =
            metrics.boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text());
        if (used.height() > room.height()) fault(*w, text, "wrapped below its box");
      } else {
        if (metrics.height() > room.height()) fault(*w, text, "taller than its box");
        if (inkOf(*w).width() > room.width()) fault(*w, text, "cut at its box's end");
      }
    } else if (qobject_cast<QAbstractButton*>(w) != nullptr && !text.isEmpty()) {
      // A tool button's arrow is its face: only the text itself must fit.
      const int chrome = qobject_cast<QPushButton*>(w) != nullptr ||
                                 qobject_cast<QCheckBox*>(w) != nullptr ||
                                 qobject_cast<QRadioButton*>(w) != nullptr
                             ? chromeOf(*w)
                             : 0;
      if (metrics.horizontalAdvance(text) + chrome > w->width())
        fault(*w, text, "cut at its box's end");
    } else if (qobject_cast<QGroupBox*>(w) != nullptr) {
      if (metrics.horizontalAdvance(text) > w->width()) fault(*w, text, "wider than its frame");
    }
    // Inside what holds it (a tab's page is laid out by its tab widget, what
    // scrolls is larger than its window); for a text, where it is drawn.
    const QWidget* parent = w->parentWidget();
    const QRect ink = inkOf(*w);
    if (parent != nullptr && !parent->rect().contains(ink.isEmpty() ? w->geometry() : ink) &&
        qobject_cast<const QTabWidget*>(parent->parentWidget()) == nullptr &&
        qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()) == nullptr)
      fault(*w, text.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : text,
            "outside what holds it");
  }
  // No text drawn over another one beside it (a shadow under its own text aside).
  for (QWidget* w : shown) {
    const QRect ink = inkOf(*w);
    if (ink.isEmpty()) continue;
    for (QWidget* other : shown) {
      if (other <= w || other->parentWidget() != w->parentWidget()) continue;
      if (textOf(*other) == textOf(*w) || !ink.intersects(inkOf(*other))) continue;
      fault(*w, textOf(*w), "drawn over \"" + textOf(*other).toStdString() + "\"");
    }
  }
  return faults;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  return all;
}

// The smallest pixel size of the texts `dialog` shows.
int smallestText(QWidget& dialog) {
  int smallest = 1000;
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    const bool text =
        (qobject_cast<QLabel*>(w) != nullptr && !qobject_cast<QLabel*>(w)->text().isEmpty()) ||
        (qobject_cast<QAbstractButton*>(w) != nullptr &&
         !qobject_cast<QAbstractButton*>(w)->text().isEmpty());
    if (text && w->isVisibleTo(&dialog))
      smallest = std::min(smallest, QFontInfo(w->font()).pixelSize());
  }
  return smallest;
}

TEST_P(DialogTextsTest, EveryTextOfEveryDialogIsWholeAndInItsPlace) {
  settings.Nomes = {"WWWWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW"};
  dialogs.always<QDialog>([](QDialog&) {});  // looked at below, then hidden
  // The window of a table that fills the screen, which the dialogs open over.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const double tableScale =
      std::min(screen.width() / double(geometry::kWidth / geometry::kTwipsPerPixel),
               screen.height() / double(geometry::kHeight / geometry::kTwipsPerPixel));
  QWidget table;
  table.setGeometry(screen);
  setTableScale(table, tableScale);
  // Texts of 8 pixels at least; on a screen holding the table twice its size,
  // twice those of the design.
  const int readable = tableScale >= 2 ? 16 : 8;
  // Each of the game's own opens in the middle of the screen (the new game
  // dialog a little right of it; the online one is placed by Qt).
  // On the offscreen screen of 800 x 800 pixels each looks, to the pixel, as it was last
  // approved.
  QApplication::setCursorFlashTime(0);  // a text cursor that does not blink
  const auto check = [&](QDialog& dialog, const QString& which, bool centred = true,
                         int right = 0) {
    const std::string said = which.toStdString();
    if (centred) {
      EXPECT_NEAR(dialog.x() + dialog.width() / 2, screen.center().x() + right, 2) << said;
      EXPECT_NEAR(dialog.y() + dialog.height() / 2, screen.center().y(), 2) << said;
    }
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(screen.contains(dialog.geometry()))
        << said << " " << dialog.width() << "x" << dialog.height();
    EXPECT_GE(smallestText(dialog), readable) << said;
    EXPECT_EQ(joined(textFaults(dialog)), "") << said;
    const QString name =
        QStringLiteral("%1-%2").arg(which, languageCode(currentLanguage())).replace(u' ', u'-');
    if (screen.size() == QSize(800, 800)) {
      EXPECT_EQ(unlikeKeptLook(dialog.grab().toImage(), name), "") << said;
    }
    DialogDriver::keep(
        dialog, QStringLiteral("%1-%2x%3.png").arg(name).arg(screen.width()).arg(screen.height()));
    dialog.hide();
  };
  for (const int rule : {1, 2}) {
    settings.TipoRegra = rule;
    FrmNovoJogo newGame(settings, store, true, &table);
    // A little right of the middle, as far as the screen lets it.
    check(newGame, QStringLiteral("new game"), true,
          std::min(qRound(280 * scaleOf(newGame) / geometry::kTwipsPerPixel),
                   (screen.width() - newGame.width()) / 2));
    FrmRegra rules(settings, store, &table);
    check(rules, QStringLiteral("rules"));
    // Tab goes as it was set, scrolling or not: from the last option to OK.
    QWidget* next = rules.Check1->nextInFocusChain();
    while (next != &rules && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    auto* ok = qobject_cast<QPushButton*>(next);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(plain(ok->text()), QStringLiteral("OK"));
  }
  FrmOpc preferences(settings, store, &table);
  check(preferences, QStringLiteral("preferences"));

  MatchEndReport report;
  report.winnerLine = texts::winnerLine(settings.Nomes, 0, 250, true);
  report.names = settings.Nomes;
  report.scores = {texts::scoreText(250), texts::scoreText(250), texts::scoreText(248),
                   texts::scoreText(248)};
  FrmFimdeJogo end(report, qtTranslator(), &table);
  check(end, QStringLiteral("end of the match"));

  PlayerRecord record;
  Statistics statistics(record, qtTranslator(), &table);
  check(statistics, QStringLiteral("statistics"));
  ScoreHistory history({}, settings, {0, 0, 0, 0}, qtTranslator(), &table);
  check(history, QStringLiteral("score history"));
  QMessageBox message(QMessageBox::Question, QStringLiteral("Tavolix"),
                      QCoreApplication::translate(
                          "tavolix::Form1", "Uma partida ficou por terminar. Deseja continuá-la?"),
                      QMessageBox::NoButton, &table);
  message.addButton(QCoreApplication::translate("tavolix::Form1", "Continuar"),
                    QMessageBox::YesRole);
  message.addButton(QCoreApplication::translate("tavolix::Form1", "Nova partida"),
                    QMessageBox::NoRole);
  dressLikeTable(message, &table);
  // Its picture grows with its text: 32 pixels at the design's size.
  EXPECT_NEAR(message.iconPixmap().width(), 32 * scaleOf(message), 1);
  check(message, QStringLiteral("message"), false);

  OnlineDialog online(settings, store, &table);
  for (QTabWidget* tabs : online.findChildren<QTabWidget*>()) {
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      check(online, QStringLiteral("online play %1").arg(page + 1), false);
    }
  }
  if (online.findChildren<QTabWidget*>().isEmpty())
    check(online, QStringLiteral("online play"), false);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DialogTextsTest,
                         ::testing::Values(Language::Portuguese, Language::English), languageName);

}  // namespace
}  // namespace tavolix
