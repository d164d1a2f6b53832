#include "form1.h"

namespace tavolix {

Form1::Form1(Settings& settings, SettingsStore& store, RandomSource& random, QWidget* parent)
    : QWidget(parent), settings_(settings), store_(store), random_(random) {
  setWindowTitle(QStringLiteral("Tavolix"));
  setFixedSize(kWidth, kHeight);
}

}  // namespace tavolix
