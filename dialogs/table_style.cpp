// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_style.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QBoxLayout>
#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVariant>

namespace tavolix {

namespace {

constexpr const char* kTableScale = "tavolixTableScale";
constexpr const char* kDialogScale = "tavolixDialogScale";
// Below this the captions of a dialog are too small to read (8 pixels for the
// 11 of the design): a dialog that would need less scrolls instead. Above the
// largest a dialog would not fit any screen it could be asked on.
constexpr double kSmallest = 0.75;
constexpr double kLargest = 4.0;
// A dialog leaves a little of the screen round it.
constexpr double kScreenShare = 0.96;

// Widgets styled by a style sheet no longer take their parent's font: a
// dialog laid out by layouts has its size given here.
QString fontSizeRule(double scale) {
  const QFont font = QGuiApplication::font();
  return font.pointSizeF() > 0
             ? QStringLiteral("QWidget { font-size: %1pt; }").arg(font.pointSizeF() * scale)
             : QStringLiteral("QWidget { font-size: %1px; }")
                   .arg(std::lround(font.pixelSize() * scale));
}

// The table's colours for Qt's own widgets: the navy panel and the light
// captions of the game's pictured dialogs, the felt's green for what is
// chosen, the dark commands of the New Game dialog for push buttons. Sizes in
// pixels of the dialog's scale.
QString styleSheet(double scale, bool withFontSize) {
  const auto px = [scale](double pixels) {
    return QString::number(std::max(1, static_cast<int>(std::lround(pixels * scale))));
  };
  return QStringLiteral(
             "QDialog, QMessageBox { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
             "stop:0 #0c1a42, stop:1 #06102c); }"
             "QLabel, QCheckBox, QRadioButton, QGroupBox { color: #e0e0e0; }"
             "QLabel:disabled, QCheckBox:disabled, QRadioButton:disabled { color: #8890a0; }"
             "QGroupBox { border: 1px solid #3c8c48; border-radius: %1px; }"
             "QPushButton { color: #ffffff; font-weight: bold; border: %3px solid #9aa0a8; "
             "border-radius: %1px; padding: %1px %2px; background: qlineargradient(x1:0, y1:0, "
             "x2:0, y2:1, stop:0 #3c3c40, stop:1 #141418); }"
             "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
             "stop:0 #1c7a28, stop:1 #0a4a12); }"
             "QPushButton:focus, QPushButton:default { border-color: #f0d060; }"
             "QPushButton:disabled { color: #8890a0; }"
             "QLineEdit, QSpinBox { color: #101010; background: #f4f4ee; border: 1px solid "
             "#9aa0a8; selection-background-color: #0d8115; selection-color: #ffffff; }"
             "QTableWidget { color: #e8e8e8; background: #0a1538; gridline-color: #2c3e66; "
             "border: 1px solid #3c8c48; }"
             "QHeaderView::section { color: #ffffff; background: #0d6a18; border: 0; "
             "border-right: 1px solid #06102c; border-bottom: 1px solid #06102c; padding: 0 "
             "%1px; }"
             "QTableCornerButton::section { background: #0d6a18; border: 0; }"
             "QTabWidget::pane { border: 1px solid #3c8c48; }"
             "QTabBar::tab { color: #e0e0e0; background: #08360e; border: 1px solid #3c8c48; "
             "padding: %1px %2px; }"
             "QTabBar::tab:selected { color: #ffffff; background: #0d8115; }"
             "QScrollArea, QWidget#scrolledPage { background: transparent; }"
             // A box or a circle as large as the text beside it; chosen, a
             // green square or dot inside it: the shape tells, not the colour.
             "QCheckBox::indicator, QRadioButton::indicator { width: %4px; height: %4px; "
             "border: 1px solid #9aa0a8; background: #f4f4ee; }"
             "QRadioButton::indicator { border-radius: %5px; }"
             "QCheckBox::indicator:checked { background: #0d8115; border: %3px solid #f4f4ee; "
             "outline: 1px solid #9aa0a8; }"
             "QRadioButton::indicator:checked { background: qradialgradient(cx:0.5, cy:0.5, "
             "radius:0.5, fx:0.5, fy:0.5, stop:0 #0d8115, stop:0.55 #0d8115, stop:0.6 #f4f4ee, "
             "stop:1 #f4f4ee); }"
             "QCheckBox::indicator:disabled, QRadioButton::indicator:disabled { background: "
             "#8890a0; }")
             .arg(px(3), px(10), px(2), px(13), px(6.5)) +
         (withFontSize ? fontSizeRule(scale) : QString());
}

// `font` `scale` times as large, in the unit it was given in.
QFont scaled(QFont font, double scale) {
  if (font.pixelSize() > 0) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
  } else {
    font.setPointSizeF(font.pointSizeF() * scale);
  }
  return font;
}

// A rectangle of the design, scaled edge by edge so that boxes that touch
// still touch.
QRect scaled(const QRect& r, double scale) {
  const auto at = [scale](int v) { return static_cast<int>(std::lround(v * scale)); };
  const int left = at(r.left());
  const int top = at(r.top());
  return QRect(left, top, at(r.left() + r.width()) - left, at(r.top() + r.height()) - top);
}

bool inLayout(const QWidget& w) {
  const QWidget* parent = w.parentWidget();
  return parent != nullptr && parent->layout() != nullptr &&
         parent->layout()->indexOf(const_cast<QWidget*>(&w)) >= 0;
}

// The children of a dialog drawn in pixels of its design, scaled: the deepest
// first, so that each font is read before the one it was taken from changes.
// Such a dialog places each child itself: none has a layout to scale.
void scaleChildren(QWidget& parent, double scale) {
  for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) continue;
    scaleChildren(*child, scale);
    if (child->testAttribute(Qt::WA_SetFont)) child->setFont(scaled(child->font(), scale));
    if (!inLayout(*child)) child->setGeometry(scaled(child->geometry(), scale));
  }
}

// The room a dialog has on the screen of `over`.
QSize roomFor(const QWidget* over) {
  const QScreen* screen = over != nullptr && over->screen() != nullptr
                              ? over->screen()
                              : QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize room = screen->availableGeometry().size();
  return {static_cast<int>(room.width() * kScreenShare),
          static_cast<int>(room.height() * kScreenShare)};
}

// A dialog larger than the screen at the smallest readable scale: its
// contents, `whole` in size, scroll in a window `shown` large.
void scrolled(QDialog& dialog, QSize whole, QSize shown) {
  // The order Tab goes in, which moving the widgets would lose.
  std::vector<QWidget*> tabOrder;
  for (QWidget* w = dialog.nextInFocusChain(); w != &dialog && tabOrder.size() < 1000;
       w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) tabOrder.push_back(w);
  }
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("scrolledPage"));
  page->setFixedSize(whole);
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) continue;
    const bool hidden = child->isHidden();
    const QRect where = child->geometry();
    child->setParent(page);
    child->setGeometry(where);
    child->setHidden(hidden);
  }
  auto* area = new QScrollArea(&dialog);
  area->setFrameShape(QFrame::NoFrame);
  area->viewport()->setAutoFillBackground(false);
  area->setWidget(page);
  area->setGeometry(QRect(QPoint(), shown));
  dialog.setFixedSize(shown);
  for (std::size_t k = 1; k < tabOrder.size(); ++k)
    QWidget::setTabOrder(tabOrder[k - 1], tabOrder[k]);
}

}  // namespace

void setTableScale(QWidget& window, double scale) { window.setProperty(kTableScale, scale); }

double dialogScale(const QWidget* over, QSize design) {
  double table = 1.0;
  for (const QWidget* w = over; w != nullptr; w = w->parentWidget()) {
    const QVariant kept = w->property(kTableScale);
    if (kept.isValid()) {
      table = kept.toDouble();
      break;
    }
  }
  double scale = std::max(1.0, table);
  const QSize room = roomFor(over);
  if (!room.isEmpty() && design.width() > 0 && design.height() > 0) {
    scale = std::min(
        {scale, double(room.width()) / design.width(), double(room.height()) / design.height()});
  }
  return std::clamp(scale, kSmallest, kLargest);
}

double dressLikeTable(QDialog& dialog, const QWidget* over, DialogDesign design, QSize designSize) {
  const double scale = dialogScale(over, designSize);
  dialog.setProperty(kDialogScale, scale);
  if (const QSize room = roomFor(over); design == DialogDesign::Layouts && !room.isEmpty())
    dialog.setMaximumSize(room);
  if (design != DialogDesign::Layouts) {
    scaleChildren(dialog, scale);
    const QSize size = scaled(QRect(QPoint(), designSize), scale).size();
    const QSize room = roomFor(over);
    if (design == DialogDesign::Pixels && !room.isEmpty() &&
        (size.width() > room.width() || size.height() > room.height())) {
      // Room for the scroll bars beside what they scroll, where the screen has it.
      const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
      const QSize withBars(size.width() + (size.height() > room.height() ? bar : 0),
                           size.height() + (size.width() > room.width() ? bar : 0));
      scrolled(dialog, size, withBars.boundedTo(room));
    } else {
      dialog.setFixedSize(size);
    }
  }
  // The fonts before the style sheet: a widget styled by one no longer takes
  // the font of its parent when that changes.
  dialog.setFont(scaled(dialog.font(), scale));
  if (design != DialogDesign::Picture)
    dialog.setStyleSheet(styleSheet(scale, design == DialogDesign::Layouts));
  return scale;
}

QWidget* scrollingPage(QDialog& dialog, QBoxLayout& outer) {
  auto* area = new QScrollArea(&dialog);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->viewport()->setAutoFillBackground(false);
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("scrolledPage"));
  area->setWidget(page);
  outer.addWidget(area, 1);
  return page;
}

void dressLikeTable(QMessageBox& box, const QWidget* over) {
  // A message box is laid out to its text: a screen's width at most.
  const double scale = dialogScale(over, QSize(480, 200));
  box.setProperty(kDialogScale, scale);
  box.setFont(scaled(box.font(), scale));
  // Its picture as large as its text.
  QStyle::StandardPixmap picture = QStyle::SP_MessageBoxInformation;
  switch (box.icon()) {
    case QMessageBox::Question:
      picture = QStyle::SP_MessageBoxQuestion;
      break;
    case QMessageBox::Warning:
      picture = QStyle::SP_MessageBoxWarning;
      break;
    case QMessageBox::Critical:
      picture = QStyle::SP_MessageBoxCritical;
      break;
    default:
      break;
  }
  if (box.icon() != QMessageBox::NoIcon) {
    const int side = static_cast<int>(std::lround(32 * scale));
    QPixmap shown = box.style()->standardIcon(picture).pixmap(side, side);
    // A style with small pictures only: its largest, enlarged.
    if (shown.width() < side)
      shown = shown.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    box.setIconPixmap(shown);
  }
  box.setStyleSheet(styleSheet(scale, true));
}

double scaleOf(const QWidget& dialog) {
  const QVariant kept = dialog.property(kDialogScale);
  return kept.isValid() ? kept.toDouble() : 1.0;
}

}  // namespace tavolix
