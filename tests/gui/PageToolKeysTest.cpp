// The keys of our own windows: exactly their modifiers, the keypad's keys alike, and none of them in
// the accelerator table, which would take them before the page sees them.
#include <gtest/gtest.h>

#include "platform/AcceleratorTable.h"
#include "view/PageTool.h"

namespace vek {
namespace {

TEST(PageToolKeys, EachToolHasOneKeyWithExactlyItsModifiers) {
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
  const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
  const struct {
    Qt::KeyboardModifiers modifiers;
    int key;
    std::optional<PageTool> tool;
  } cases[] = {
      {ctrlShift, Qt::Key_I, PageTool::Inspector},
      {ctrl, Qt::Key_G, PageTool::GoTo},
      {ctrl | Qt::KeypadModifier, Qt::Key_G, PageTool::GoTo},
      {ctrl, Qt::Key_I, std::nullopt},
      {Qt::ShiftModifier, Qt::Key_I, std::nullopt},
      {ctrlShift | Qt::AltModifier, Qt::Key_I, std::nullopt},
      {ctrlShift, Qt::Key_G, std::nullopt},
      {Qt::NoModifier, Qt::Key_G, std::nullopt},
      {ctrl | Qt::MetaModifier, Qt::Key_G, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PageToolForKey(c.modifiers, c.key), c.tool) << c.key << " " << c.modifiers;
}

TEST(PageToolKeys, NoneIsAnAccelerator) {
  for (const QKeyCombination key : {kInspectorKey, kGoToKey}) {
    EXPECT_EQ(TranslateAccelerator(MainAccelerators(), key.key(), key.keyboardModifiers()), std::nullopt)
        << key.toCombined();
  }
}

} // namespace
} // namespace vek
