#include "core/ColorChoice.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(ColorChoice, AutoColoursATerminalUnlessNoColorIsSetAndAWhenGivenWins) {
  struct Case {
    ColorWhen when;
    bool terminal;
    const char* noColor; // NO_COLOR's value, null when unset
    bool colored;
  };
  const Case cases[] = {
      {ColorWhen::Auto, true, nullptr, true},
      {ColorWhen::Auto, false, nullptr, false}, // a pipe or a file
      {ColorWhen::Auto, true, "1", false},
      {ColorWhen::Auto, true, "0", false},      // any value says no, "0" too
      {ColorWhen::Auto, true, "", true},        // set but empty is as good as unset
      {ColorWhen::Always, false, nullptr, true},
      {ColorWhen::Always, true, "1", true},     // the command line overrides the environment
      {ColorWhen::Never, true, nullptr, false},
      {ColorWhen::Never, false, "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UseColor(c.when, c.terminal, c.noColor), c.colored)
        << static_cast<int>(c.when) << " terminal " << c.terminal << " NO_COLOR " << (c.noColor ? c.noColor : "(unset)");
  }
}

} // namespace
} // namespace vek
