// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table as drawn: any part of it alone as in the whole; its captions whole,
// off the frame, each seat's at its own side with the seat to move in gold; and
// the computers' tiles along their sides.
#include <algorithm>

#include <QPainter>
#include <QScreen>
#include <QTest>

#include "artwork/artwork.h"
#include "game/texts.h"
#include "support/tiles.h"
#include "table/language.h"
#include "window_support.h"

namespace tavolix {
namespace {

class TableCaptionsTest : public WindowTest {
 protected:
  TableCaptionsTest() { window.setFirstActivationStartsMatch(false); }
};

// Where a caption's letters are drawn, in table twips: the caption painted on
// its own, with room all round.
QRectF inkOf(const LabelItem& label) {
  const QRectF bounds = label.boundingRect();
  return label.mapRectToScene(inkOf(
      label, bounds.adjusted(-bounds.width(), -bounds.height(), bounds.width(), bounds.height())));
}

// Whether `label` draws any of its ink in the gold of the seat to move.
bool inGold(const LabelItem& label) {
  QImage image((label.boundingRect().size() / 15).toSize() + QSize(2, 2),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(1.0 / 15, 1.0 / 15);
  painter.translate(-label.boundingRect().topLeft());
  const_cast<LabelItem&>(label).paint(&painter, nullptr, nullptr);
  painter.end();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = QColor::fromRgba(image.pixel(x, y));
      if (c.alpha() == 255 && c.red() > 220 && c.green() > 180 && c.green() < 240 && c.blue() < 120)
        return true;
    }
  }
  return false;
}

// What changes on the table shows on the screen at once, where it stands: a
// seat's name, and a name lit for its turn.
TEST_F(TableCaptionsTest, WhatChangesShowsOnTheScreenAtOnce) {
  const Position p = endsSixAndThree(handOf({"36", "12"}));
  playerToMove(p.state, p.chain);
  // The screen as the window system shows it, over `twips` of the table.
  const auto shown = [this](const QRectF& twips) {
    QCoreApplication::processEvents();
    const QRect r = window.view().mapFromScene(twips).boundingRect().translated(
        window.view().viewport()->mapTo(&window, QPoint()));
    return window.screen()
        ->grabWindow(window.winId(), r.x(), r.y(), r.width(), r.height())
        .toImage();
  };
  const auto showsAtOnce = [&](const QGraphicsItem& item, const std::function<void()>& change) {
    const QImage before = shown(item.sceneBoundingRect());
    change();
    return shown(item.sceneBoundingRect()) != before;
  };
  EXPECT_TRUE(showsAtOnce(scene().seatName(kMac1), [this] {
    scene().showSeatNames({"Ana", "Xavier", "Melira", "Astelo"});
  }));
  EXPECT_TRUE(showsAtOnce(scene().seatName(kMac2), [this] { scene().showTurn(kMac2); }));
}

TEST_F(TableCaptionsTest, EveryMessageIsReadableWholeInTheMessageLine) {
  const QRectF line = scene().messageLine().sceneBoundingRect();
  EXPECT_EQ(line, QRectF(3345, 5925, 5910, 570));
  const std::string name = "WWWWWWWWWW";  // the widest name the preferences accept
  for (const Language language : {Language::Portuguese, Language::English}) {
    useLanguage(language);
    for (const Text& text :
         {texts::dragToTheTable(), texts::clickPass(), texts::illegalMove(),
          texts::illegalMove(6, 3), texts::wrongOpeningTile(tile("66")), texts::passed(name),
          texts::yourLead(), texts::chooseEnd(), texts::pressPToPass()}) {
      scene().message(translated(text), 0);
      const QRectF ink = inkOf(scene().messageLine());
      EXPECT_TRUE(line.contains(ink)) << render(text) << ": " << ink;
    }
  }
  useLanguage(Language::Portuguese);
  // Two lines hold the longest at its own size.
  scene().message(translated(texts::dragToTheTable()), 0);
  EXPECT_GT(inkOf(scene().messageLine()).height(), 400);
  scene().message(translated(texts::clickPass()), 0);
  EXPECT_LT(inkOf(scene().messageLine()).height(), 300);
}

// The longest names the dialogs accept, in pairs, with three-figure scores and the
// Pass command shown: every caption beside the hands is in the window and off the frame.
// Each shadow is its caption's letters in black, set off below and right: the
// same letters, in the same weight and size, so that the two read as one.
// A table with no match yet asks nothing of the player: neither the prompt for
// taking tiles nor the pass command shows, whichever the language.
TEST_F(TableCaptionsTest, ATableWithNoMatchAsksNothing) {
  window.show();
  settle();
  for (const Language language : {Language::English, Language::Portuguese}) {
    useLanguage(language);
    settle();
    EXPECT_FALSE(scene().prompt().isVisible()) << scene().prompt().caption().toStdString();
    EXPECT_FALSE(scene().command(TableScene::Command::Pass).isVisible());
    EXPECT_FALSE(scene().command(TableScene::Command::Start).isVisible());
    EXPECT_TRUE(scene().command(TableScene::Command::NewGame).isVisible());
  }
}

// The captions of the table and their shadows: black, the same words in the same box.
std::vector<std::pair<const LabelItem*, const LabelItem*>> shadowPairs(const TableScene& scene) {
  std::vector<std::pair<const LabelItem*, const LabelItem*>> pairs;
  const QList<QGraphicsItem*> items = scene.items();
  for (QGraphicsItem* item : items) {
    const auto* shadow = dynamic_cast<const LabelItem*>(item);
    if (shadow == nullptr || shadow->style().colour != QColor(Qt::black) ||
        shadow->caption().isEmpty())
      continue;
    for (QGraphicsItem* other : items) {
      const auto* label = dynamic_cast<const LabelItem*>(other);
      if (label != nullptr && label != shadow && label->caption() == shadow->caption() &&
          label->box() == shadow->box())
        pairs.emplace_back(label, shadow);
    }
  }
  return pairs;
}

TEST_F(TableCaptionsTest, EachShadowHasItsCaptionsLettersAndIsShownWithIt) {
  window.show();
  scene().message(QStringLiteral("Jogada inválida. As pontas são 3 e 6"), 0);
  scene().showPrompt(QStringLiteral("Escolha a sua 2ª peça"));
  const auto pairs = shadowPairs(scene());
  EXPECT_GE(pairs.size(), 6u);
  for (const auto& [label, shadow] : pairs) {
    const QRectF a = inkOf(*shadow), b = inkOf(*label);
    EXPECT_NEAR(a.width(), b.width(), 15) << label->caption().toStdString();
    EXPECT_NEAR(a.height(), b.height(), 15) << label->caption().toStdString();
  }
  for (const bool shown : {true, false}) {
    scene().showStartCommand(shown);
    scene().showPassCommand(shown);
    for (const auto& [label, shadow] : pairs)
      EXPECT_EQ(shadow->isVisible(), label->isVisible()) << label->caption().toStdString();
  }
  // A message blinks twice, its shadow with it, and stays.
  const LabelItem& line = scene().messageLine();
  const auto found = std::find_if(pairs.begin(), pairs.end(),
                                  [&line](const auto& pair) { return pair.first == &line; });
  ASSERT_NE(found, pairs.end());
  const LabelItem& shadow = *found->second;
  int changes = 0;
  QObject::connect(&line, &QGraphicsObject::visibleChanged, &line, [&] {
    ++changes;
    EXPECT_EQ(shadow.isVisible(), line.isVisible()) << changes;
  });
  scene().blinkMessage();
  EXPECT_TRUE(QTest::qWaitFor([&changes] { return changes == 4; }, 10000)) << changes;
  EXPECT_TRUE(line.isVisible() && shadow.isVisible());
}

// A part of the table painted alone, as a moving tile uncovers it, is that
// part of the whole: over the title strip, the felt, and both.
TEST_F(TableCaptionsTest, APartOfTheTablePaintedAloneIsThatPartOfTheWhole) {
  window.show();
  const auto painted = [this](const QRect& pixels) {
    QImage part(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    part.fill(Qt::magenta);
    QPainter painter(&part);
    scene().render(&painter, QRectF(QPointF(), pixels.size()),
                   QRectF(QPointF(pixels.topLeft()) * 15, QSizeF(pixels.size()) * 15));
    return part;
  };
  const QImage whole = painted(QRect(0, 0, 800, 600));
  for (const QRect& pixels :
       {QRect(300, 25, 200, 30), QRect(300, 300, 80, 60), QRect(20, 40, 60, 100)}) {
    const QImage part = painted(pixels);
    int worst = 0;
    for (int y = 0; y < pixels.height(); ++y) {
      for (int x = 0; x < pixels.width(); ++x) {
        const QColor a = part.pixelColor(x, y),
                     b = whole.pixelColor(pixels.x() + x, pixels.y() + y);
        worst = std::max({worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                          std::abs(a.blue() - b.blue())});
      }
    }
    EXPECT_LE(worst, 8) << pixels.x() << "," << pixels.y();
  }
}

TEST_F(TableCaptionsTest, CaptionsBesideTheHandsStayOffTheFrame) {
  window.show();
  scene().showSeatNames({"WWWWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW"});
  for (int seat = 0; seat < 4; ++seat) scene().showScore(seat, QStringLiteral("250 pts"));
  scene().showPassCommand(true);
  scene().showPairScores(texts::pairScores(250, 248));
  QPainterPath frame = artwork::feltFrame();
  frame = QTransform::fromScale(15, 15).map(frame);
  const QRectF table(0, 0, 12000, 9000);
  std::vector<const LabelItem*> captions{&scene().command(TableScene::Command::Pass)};
  for (int seat = 0; seat < 4; ++seat) {
    captions.push_back(&scene().seatName(seat));
    captions.push_back(&scene().score(seat));
  }
  captions.push_back(&scene().pairScores());
  for (const LabelItem* caption : captions) {
    const QRectF ink = inkOf(*caption);
    EXPECT_FALSE(ink.isEmpty()) << caption->caption().toStdString();
    EXPECT_TRUE(table.contains(ink)) << caption->caption().toStdString() << ": " << ink;
    EXPECT_FALSE(frame.intersects(ink)) << caption->caption().toStdString() << ": " << ink;
  }
  // The pairs' points whole in the strip, clear of the commands and the names, in both languages.
  for (const Language language : {Language::English, Language::Portuguese}) {
    useLanguage(language);
    settle();
    const QRectF pairs = inkOf(scene().pairScores());
    EXPECT_TRUE(scene().pairScores().isVisible());
    EXPECT_NEAR(pairs.left(), scene().pairScores().sceneBoundingRect().left(), 60);
    EXPECT_EQ(scene().pairScores().caption(), language == Language::English
                                                  ? QStringLiteral("Us 250 × 248 Them")
                                                  : QStringLiteral("Nós 250 × 248 Eles"));
    for (const TableScene::Command c :
         {TableScene::Command::History, TableScene::Command::Hint, TableScene::Command::Online})
      EXPECT_FALSE(pairs.intersects(inkOf(scene().command(c)))) << pairs;
    for (int seat = 0; seat < 4; ++seat) {
      EXPECT_FALSE(pairs.intersects(inkOf(scene().seatName(seat)))) << seat;
      EXPECT_FALSE(pairs.intersects(inkOf(scene().score(seat)))) << seat;
    }
    // Nor under any tile a computer seat holds, nor the hint under one.
    const QRectF hint = inkOf(scene().command(TableScene::Command::Hint));
    for (int seat = kMac1; seat <= kMac3; ++seat) {
      for (int slot = 1; slot <= kHandSlots; ++slot) {
        const QRectF tile = scene().computerTile(seat, slot).sceneBoundingRect();
        EXPECT_FALSE(pairs.intersects(tile)) << seat << " " << slot;
        EXPECT_FALSE(hint.intersects(tile)) << seat << " " << slot;
      }
    }
  }
  scene().showPairScores({});  // an individual match
  EXPECT_FALSE(scene().pairScores().isVisible());
}

// Every caption draws inside its own bounds, which are what is painted again
// when it changes and where a click on it lands: in both languages, with the
// longest names and three-figure scores, every command shown.
TEST_F(TableCaptionsTest, EveryCaptionDrawsWithinItsBounds) {
  window.show();
  scene().showSeatNames({"WWWWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW"});
  for (int seat = 0; seat < 4; ++seat) scene().showScore(seat, QStringLiteral("250 pts"));
  scene().showPairScores(texts::pairScores(250, 248));
  scene().showPassCommand(true);
  scene().message(translated(texts::dragToTheTable()), 0);
  for (const Language language : {Language::English, Language::Portuguese}) {
    useLanguage(language);
    settle();
    int captions = 0;
    for (const QGraphicsItem* item : scene().items()) {
      const auto* caption = dynamic_cast<const LabelItem*>(item);
      if (caption == nullptr || caption->caption().isEmpty()) continue;
      ++captions;
      const QRectF ink = inkOf(*caption);
      EXPECT_TRUE(caption->sceneBoundingRect().adjusted(-15, -15, 15, 15).contains(ink))
          << caption->caption().toStdString() << ": " << ink << " in "
          << caption->sceneBoundingRect();
      // And from the side of its box its alignment names.
      const QRectF box(caption->scenePos(), caption->box());
      const Qt::Alignment align = caption->style().alignment;
      if (align & Qt::AlignLeft) {
        EXPECT_NEAR(ink.left(), box.left(), 60) << caption->caption().toStdString();
      } else if (align & Qt::AlignRight) {
        EXPECT_NEAR(ink.right(), box.right(), 60) << caption->caption().toStdString();
      } else if (align & Qt::AlignHCenter) {
        EXPECT_NEAR(ink.center().x(), box.center().x(), 60) << caption->caption().toStdString();
      }
    }
    EXPECT_GT(captions, 20);
  }
}

// The player's and the right-hand seat's captions end at the edge nearer the
// middle of their side; the others begin there.
TEST_F(TableCaptionsTest, SeatCaptionsHugTheirInnerEdge) {
  window.show();
  scene().showSeatNames({"Ana", "Zé", "Bia", "Lu"});
  for (int seat = 0; seat < 4; ++seat) {
    for (const LabelItem* caption : {&scene().seatName(seat), &scene().score(seat)}) {
      const QRectF ink = inkOf(*caption);
      const QRectF box = caption->sceneBoundingRect();
      ASSERT_LT(ink.width(), box.width() / 2) << seat;  // short enough to show the side
      if (seat == 0 || seat == 3) {
        EXPECT_NEAR(ink.right(), box.right(), 60)
            << seat << " " << caption->caption().toStdString();
      } else {
        EXPECT_NEAR(ink.left(), box.left(), 60) << seat << " " << caption->caption().toStdString();
      }
    }
    // Every name in the same letters, whichever edge it keeps to.
    EXPECT_EQ(scene().seatName(seat).style().points, scene().seatName(kMac1).style().points)
        << seat;
    // The seat to move: its name in gold, the arrow just before it.
    EXPECT_FALSE(inGold(scene().seatName(seat))) << seat;
    scene().showTurn(seat);
    EXPECT_TRUE(inGold(scene().seatName(seat))) << seat;
    const QPointF arrow = scene().marks().turnMarker().scenePos();  // its point
    const QRectF name = inkOf(scene().seatName(seat));
    EXPECT_NEAR(arrow.x(), name.left() - 20, 60) << seat;
    EXPECT_NEAR(arrow.y(), name.center().y(), 60) << seat;
    scene().showTurn(-1);
  }
}

// The computers' tiles lie face down along their sides: on their long side at
// left and right, standing at the top, in either set of tiles.
TEST_F(TableCaptionsTest, TheComputersTilesLieAlongTheirSides) {
  for (const std::int16_t set : {0, 1}) {
    settings.PedraX = set;
    playerToMove(fiveSixOnTheTable());
    for (const int seat : {kMac1, kMac2, kMac3}) {
      const QRectF back = scene().computerTile(seat, 1).sceneBoundingRect();
      ASSERT_TRUE(scene().computerTile(seat, 1).isVisible()) << seat;
      if (seat == kMac2) {
        EXPECT_GT(back.height(), back.width()) << set;
      } else {
        EXPECT_GT(back.width(), back.height()) << seat << " " << set;
      }
    }
  }
}

// A caption changed to one too long for its box is drawn smaller, and whole.
TEST(LabelItemAlone, ACaptionChangedToALongerOneShrinksIntoItsBox) {
  LabelItem label(
      QStringLiteral("Ana"), {1000, 240},
      {9, true, Qt::white, Qt::AlignLeft | Qt::AlignTop, LabelItem::Style::Fit::Shrinks});
  const double height = label.textRect().height();
  label.setCaption(QStringLiteral("Bartolomeu Bartolomeu"));
  EXPECT_TRUE(QRectF(QPointF(0, 0), label.box()).contains(label.textRect())) << label.textRect();
  EXPECT_LT(label.textRect().height(), height);
}

}  // namespace
}  // namespace tavolix
