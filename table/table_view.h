// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QGraphicsView>

namespace tavolix {

// Shows the table in whatever room the window has: 1/15 of a pixel per twip at
// its normal 800 x 600, otherwise as large as fits, in proportion, centred on
// the surround colour.
class TableView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit TableView(QGraphicsScene* scene, QWidget* parent = nullptr);

  // Pixels per twip at the present size.
  double scale() const { return transform().m11(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The keys are the window's (the table has nothing to scroll).
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fit();
};

}  // namespace tavolix
