// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The preferences dialog: what it stores, what cancelling leaves alone, the
// sample of the tile set chosen, and names shown at once beside the seats.
#include <algorithm>
#include <array>

#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "artwork/artwork.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/frm_opc.h"
#include "game/table_geometry.h"
#include "settings/settings_config.h"
#include "window_support.h"

namespace tavolix {
namespace {

class PreferencesTest : public WindowTest {};

// Which set the preferences' sample shows: the middle of its standing tile's back matched
// against the middle of each set's own picture of that back (the nearer colour, by a clear margin).
int sampleSet(QWidget& sample) {
  const QImage shown = sample.grab().toImage();
  const double scale = std::min(sample.width() / 141.0, sample.height() / 40.0);
  std::array<int, 2> distance{};
  for (int set : {0, 1}) {
    const QSizeF size = artwork::pictureSize(Picture::PedraW, set);
    QImage own(size.toSize(), QImage::Format_ARGB32);
    QPainter painter(&own);
    artwork::paintPicture(painter, Picture::PedraW, set, QRectF(QPointF(), size));
    painter.end();
    const QColor a =
        shown.pixelColor((QPointF(74 + size.width() / 2, 6 + size.height() / 2) * scale).toPoint());
    const QColor b = own.pixelColor(own.rect().center());
    distance[set] = std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                    std::abs(a.blue() - b.blue());
  }
  if (distance[0] + 60 < distance[1]) return 0;
  if (distance[1] + 60 < distance[0]) return 1;
  return -1;
}

// The pips the face-up tile of the preferences' sample shows on its `second` half or its first:
// the half matched against each value's own picture in that set, drawn on the set's face-up tile
// at the same place and scale (-1 when no value matches clearly better than the others).
int sampleHalf(QWidget& sample, int set, bool second) {
  const QImage shown = sample.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const double scale = std::min(sample.width() / 141.0, sample.height() / 40.0);
  const geometry::Halves halves = geometry::chainHalves(false, false);
  const auto& half = second ? halves.second : halves.first;
  const double k = geometry::kTwipsPerPixel;
  const QSizeF size = artwork::pictureSize(Picture::ImgW, 7 * set);
  const QRectF where(QPointF(8 + half.left / k, 6 + half.top / k) * scale, size * scale);
  const QRect inside = where.toAlignedRect().adjusted(2, 2, -2, -2);
  std::array<long, 7> distance{};
  for (int pips = 0; pips <= 6; ++pips) {
    QImage own(shown.size(), QImage::Format_ARGB32);
    own.fill(artwork::kFelt);
    QPainter painter(&own);
    artwork::paintPicture(
        painter, Picture::ImgFrenteW, set,
        QRectF(QPointF(8, 6) * scale, artwork::pictureSize(Picture::ImgFrenteW, set) * scale));
    artwork::paintPicture(painter, Picture::ImgW, pips + 7 * set, where);
    painter.end();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x) {
        const QColor a = shown.pixelColor(x, y);
        const QColor b = own.pixelColor(x, y);
        distance[pips] += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                          std::abs(a.blue() - b.blue());
      }
  }
  const auto best = std::min_element(distance.begin(), distance.end());
  for (int pips = 0; pips <= 6; ++pips)
    if (pips != best - distance.begin() && distance[pips] < 2 * *best + 1000) return -1;
  return int(best - distance.begin());
}

TEST_F(PreferencesTest, ThePreferencesStoreWhatWasChosenAndCancelNothing) {
  settings.Nomes = {"Ana", "Zorvan", "Dora", "Edu"};
  settings.Veloc = 12;
  FrmOpc dialog(settings, store);
  EXPECT_EQ(dialog.HScroll1->value(), 18);  // 25 - 12 + 5
  dialog.Command1_Click();
  Settings reloaded;
  LeConfig(store, reloaded);
  EXPECT_EQ(reloaded.Veloc, 12);
  EXPECT_EQ(reloaded.Nomes[1], "Zorvan");  // each computer name kept in its own place
  EXPECT_EQ(reloaded.Nomes[2], "Dora");
  EXPECT_EQ(reloaded.Nomes[3], "Edu");
  EXPECT_EQ(stored(RegistryKey::Main, u"TocarSom"), QStringLiteral("True"));

  FrmOpc changed(settings, store);
  changed.HScroll1->setValue(changed.HScroll1->minimum());  // "Mais lento"
  changed.Text1[0]->clear();
  QTest::keyClicks(changed.Text1[0], QStringLiteral("Maximiliano Souza"));
  QTest::keyClicks(changed.Text1[1], QStringLiteral("abcdefghijklmnop"));
  EXPECT_EQ(changed.Text1[0]->text(), QStringLiteral("Maximiliano "));  // 12 characters
  EXPECT_EQ(changed.Text1[1]->text(), QStringLiteral("Zorvanabcd"));    // 10
  changed.Check1->setChecked(false);
  EXPECT_TRUE(changed.markTurn->isChecked());  // the table's marks are on at first
  changed.markTurn->setChecked(false);
  EXPECT_TRUE(changed.opponents[0]->isChecked());  // "Normal" until chosen otherwise
  clickWidget(changed.opponents[1]);
  EXPECT_FALSE(changed.reducedMotion->isChecked());  // tiles slide unless asked otherwise
  clickWidget(changed.reducedMotion);
  changed.Command1_Click();
  EXPECT_EQ(settings.opponents, ComputerLevel::Strong);
  EXPECT_EQ(stored(RegistryKey::Main, u"Opponents"), QStringLiteral("Forte"));
  EXPECT_EQ(stored(RegistryKey::Main, u"Veloc"), QStringLiteral("25"));
  EXPECT_FALSE(settings.TocarSom);
  EXPECT_FALSE(settings.markTurn);
  EXPECT_TRUE(settings.markLastMove);
  Settings again;
  LeConfig(store, again);
  EXPECT_EQ(again.Nomes[1], "Zorvanabcd");
  // The player's own name too: the next New Game offers it.
  EXPECT_EQ(FrmNovoJogo(settings, store, false).Text1->text().trimmed(),
            QStringLiteral("Maximiliano"));
  EXPECT_FALSE(again.markTurn);
  EXPECT_TRUE(again.markLastMove);
  EXPECT_EQ(again.opponents, ComputerLevel::Strong);
  EXPECT_TRUE(settings.reducedMotion);
  EXPECT_TRUE(again.reducedMotion);
  FrmOpc master(settings, store);
  EXPECT_TRUE(master.opponents[1]->isChecked());
  clickWidget(master.opponents[2]);
  master.Command1_Click();
  EXPECT_EQ(stored(RegistryKey::Main, u"Opponents"), QStringLiteral("Mestre"));
  LeConfig(store, again);
  EXPECT_EQ(again.opponents, ComputerLevel::Master);
  writeText(store, stored::kOpponents, QStringLiteral("Hard"));  // not a level: Normal
  LeConfig(store, again);
  EXPECT_EQ(again.opponents, ComputerLevel::Normal);

  FrmOpc cancelled(settings, store);
  EXPECT_EQ(sampleSet(*cancelled.Image2), 0);
  // The sample's face-up tile is the 6:3 of the set chosen.
  EXPECT_EQ(sampleHalf(*cancelled.Image2, 0, false), 6);
  EXPECT_EQ(sampleHalf(*cancelled.Image2, 0, true), 3);
  cancelled.Option1[1]->setChecked(true);
  EXPECT_EQ(sampleSet(*cancelled.Image2), 1);  // the sample changes at once
  EXPECT_EQ(sampleHalf(*cancelled.Image2, 1, false), 6);
  EXPECT_EQ(sampleHalf(*cancelled.Image2, 1, true), 3);
  cancelled.HScroll1->setValue(cancelled.HScroll1->maximum());
  cancelled.reject();
  EXPECT_EQ(settings.PedraX, 0);
  EXPECT_EQ(settings.Veloc, 25);
  EXPECT_EQ(stored(RegistryKey::Main, u"PedraX"), QStringLiteral("0"));
}

// A name changed in the preferences shows at once beside its seat; cancelled, nothing changes.
TEST_F(PreferencesTest, NamesChangedInThePreferencesShowAtOnceBesideTheSeats) {
  window.setFirstActivationStartsMatch(false);
  window.show();
  dialogs.expect<FrmOpc>([](FrmOpc& d) {
    d.Text1[2]->setText(QStringLiteral("Dora"));
    d.Command1_Click();
  });
  click(TableScene::Command::Settings);
  EXPECT_EQ(scene().seatName(kMac2).caption(), QStringLiteral("Dora"));
  EXPECT_EQ(scene().seatName(kMac1).caption(), QStringLiteral("Zorvan"));
  dialogs.expect<FrmOpc>([](FrmOpc& d) {
    d.Text1[2]->setText(QStringLiteral("Xavier"));
    d.reject();
  });
  click(TableScene::Command::Settings);
  EXPECT_EQ(scene().seatName(kMac2).caption(), QStringLiteral("Dora"));
}

}  // namespace
}  // namespace tavolix
