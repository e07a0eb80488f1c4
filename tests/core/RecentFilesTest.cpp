#include "core/RecentFiles.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using List = std::vector<std::string>;

TEST(AddRecentFile, NewPathGoesToTheFront) {
  EXPECT_EQ(AddRecentFile({}, "a"), List{"a"});
  EXPECT_EQ(AddRecentFile({"a", "b"}, "c"), (List{"c", "a", "b"}));
}

TEST(AddRecentFile, ListedPathMovesToTheFrontOnce) {
  EXPECT_EQ(AddRecentFile({"a", "b", "c"}, "c"), (List{"c", "a", "b"}));
  EXPECT_EQ(AddRecentFile({"a", "b", "c"}, "a"), (List{"a", "b", "c"}));
  EXPECT_EQ(AddRecentFile({"a", "b", "a"}, "a"), (List{"a", "b"}));
}

TEST(AddRecentFile, PathsCompareExactly) {
  EXPECT_EQ(AddRecentFile({"/tmp/A"}, "/tmp/a"), (List{"/tmp/a", "/tmp/A"}));
  EXPECT_EQ(AddRecentFile({"x/../a"}, "a"), (List{"a", "x/../a"}));
}

TEST(AddRecentFile, OldestFallsOffAtCapacity) {
  EXPECT_EQ(AddRecentFile({"a", "b", "c", "d"}, "e"), (List{"e", "a", "b", "c"}));
  EXPECT_EQ(AddRecentFile({"a", "b", "c", "d"}, "d"), (List{"d", "a", "b", "c"}));
  EXPECT_EQ(AddRecentFile({"a", "b"}, "c", 2), (List{"c", "a"}));
  EXPECT_EQ(AddRecentFile({"a", "b", "c", "d", "e", "f"}, "z", 3), (List{"z", "a", "b"}));
  EXPECT_EQ(AddRecentFile({"a"}, "b", 0), List{});
  EXPECT_EQ(AddRecentFile({"a"}, "b", -1), List{});
}

} // namespace
} // namespace vek
