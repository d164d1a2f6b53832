#pragma once

#include <QWidget>

namespace tavolix {

class RandomSource;
class SettingsStore;
struct Settings;

// The game's one permanent window: the table.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  Form1(Settings& settings, SettingsStore& store, RandomSource& random, QWidget* parent = nullptr);

 private:
  Settings& settings_;
  SettingsStore& store_;
  RandomSource& random_;
};

}  // namespace tavolix
