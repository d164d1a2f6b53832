#include <gtest/gtest.h>

#include "app/startup_options.h"
#include "tavolix/version.h"

namespace tavolix {
namespace {

StartupOptions read(std::vector<std::string> arguments, const char* seed = nullptr, const char* pace = nullptr) {
  return readStartupOptions(arguments, seed, pace);
}

TEST(StartupOptions, HelpAndVersion) {
  for (const char* help : {"--help", "-h"}) {
    const StartupOptions options = read({help});
    EXPECT_EQ(options.action, StartupOptions::Action::ShowHelp);
    EXPECT_NE(options.output.find("--version"), std::string::npos);
    EXPECT_NE(options.output.find("TAVOLIX_SEED"), std::string::npos);
  }
  const StartupOptions version = read({"--version"});
  EXPECT_EQ(version.action, StartupOptions::Action::ShowVersion);
  EXPECT_EQ(version.output, std::string("tavolix ") + version::kText + "\n");
}

TEST(StartupOptions, UnknownArgumentsAreRefusedWithAHint) {
  for (const char* bad : {"--bogus", "game.sav", "--seed=4"}) {
    const StartupOptions options = read({bad});
    EXPECT_EQ(options.action, StartupOptions::Action::Refuse) << bad;
    EXPECT_NE(options.output.find(bad), std::string::npos);
    EXPECT_NE(options.output.find("--help"), std::string::npos);
  }
}

TEST(StartupOptions, QtsOwnOptionsAreLeftToQt) {
  const StartupOptions options = read({"-platform", "offscreen", "-style", "fusion"});
  EXPECT_EQ(options.action, StartupOptions::Action::Play);
}

TEST(StartupOptions, QuitAfterPaintPlaysOnlyUntilTheTableIsUp) {
  EXPECT_FALSE(read({}).quitAfterPaint);
  const StartupOptions options = read({"-platform", "offscreen", "--quit-after-paint"});
  EXPECT_EQ(options.action, StartupOptions::Action::Play);
  EXPECT_TRUE(options.quitAfterPaint);
  EXPECT_NE(read({"--help"}).output.find("--quit-after-paint"), std::string::npos);
}

TEST(StartupOptions, SeedAndPaceFromTheEnvironment) {
  StartupOptions options = read({}, "42", "0.5");
  EXPECT_EQ(options.seed, 42u);
  EXPECT_EQ(options.pace, 0.5);
  EXPECT_TRUE(options.warnings.empty());

  options = read({});
  EXPECT_FALSE(options.seed.has_value());
  EXPECT_EQ(options.pace, 1.0);

  options = read({}, "lucky", "fast");
  EXPECT_FALSE(options.seed.has_value());
  EXPECT_EQ(options.pace, 1.0);
  ASSERT_EQ(options.warnings.size(), 2u);
  EXPECT_NE(options.warnings[0].find("lucky"), std::string::npos);
  EXPECT_NE(options.warnings[1].find("fast"), std::string::npos);

  EXPECT_EQ(read({}, nullptr, "-1").pace, 1.0);
  EXPECT_EQ(read({}, nullptr, "0").pace, 0.0);
}

}  // namespace
}  // namespace tavolix
