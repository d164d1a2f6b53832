// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Every dialog as the player sees it, in both languages: each text whole in its
// box, each box inside the dialog and clear of its neighbours.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
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
#include "game/texts.h"
#include "settings/record_file.h"
#include "table/language.h"
#include "window_support.h"

namespace tavolix {
namespace {

class DialogTextsTest : public WindowTest, public ::testing::WithParamInterface<Language> {
 protected:
  DialogTextsTest() { useLanguage(GetParam()); }
  ~DialogTextsTest() override { useLanguage(Language::Portuguese); }
};

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
    // Inside what holds it (a tab's page is laid out by its tab widget); for a
    // text, where it is drawn.
    const QWidget* parent = w->parentWidget();
    const QRect ink = inkOf(*w);
    if (parent != nullptr && !parent->rect().contains(ink.isEmpty() ? w->geometry() : ink) &&
        qobject_cast<const QTabWidget*>(parent->parentWidget()) == nullptr)
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

TEST_P(DialogTextsTest, EveryTextOfEveryDialogIsWholeAndInItsPlace) {
  settings.Nomes = {"WWWWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW"};
  dialogs.always<QDialog>([](QDialog&) {});  // looked at below, then hidden
  // Each of the game's own opens in the middle of the screen (the new game
  // dialog has no window here to open over; the online one is placed by Qt).
  const auto check = [](QDialog& dialog, const char* which, bool centred = true) {
    const QPoint middle = QGuiApplication::primaryScreen()->geometry().center();
    if (centred) {
      EXPECT_NEAR(dialog.x() + dialog.width() / 2, middle.x(), 2) << which;
      EXPECT_NEAR(dialog.y() + dialog.height() / 2, middle.y(), 2) << which;
    }
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(joined(textFaults(dialog)), "") << which;
    DialogDriver::keep(dialog, QStringLiteral("%1-%2.png")
                                   .arg(QLatin1String(which), languageCode(currentLanguage()))
                                   .replace(u' ', u'-'));
    dialog.hide();
  };
  for (const int rule : {1, 2}) {
    settings.TipoRegra = rule;
    FrmNovoJogo newGame(settings, store, true);
    check(newGame, "new game");
    FrmRegra rules(settings, store);
    check(rules, "rules");
  }
  FrmOpc preferences(settings, store);
  check(preferences, "preferences");

  MatchEndReport report;
  report.winnerLine = texts::winnerLine(settings.Nomes, 0, 250, true);
  report.names = settings.Nomes;
  report.scores = {texts::scoreText(250), texts::scoreText(250), texts::scoreText(248),
                   texts::scoreText(248)};
  FrmFimdeJogo end(report, qtTranslator());
  check(end, "end of the match");

  PlayerRecord record;
  Statistics statistics(record, qtTranslator());
  check(statistics, "statistics");
  ScoreHistory history({}, settings, {0, 0, 0, 0}, qtTranslator());
  check(history, "score history");

  OnlineDialog online(settings, store);
  for (QTabWidget* tabs : online.findChildren<QTabWidget*>()) {
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      check(online, "online play", false);
    }
  }
  if (online.findChildren<QTabWidget*>().isEmpty()) check(online, "online play", false);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DialogTextsTest,
                         ::testing::Values(Language::Portuguese, Language::English),
                         [](const auto& info) {
                           return info.param == Language::English ? "English" : "Portuguese";
                         });

}  // namespace
}  // namespace tavolix
