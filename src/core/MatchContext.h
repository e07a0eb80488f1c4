#pragma once
// The bytes a Find All list shows around each occurrence: a few before it, then the occurrence and
// what follows it, as hex pairs and as the page's characters, with where the occurrence lies in each
// text so that it can be told apart.

#include <cstdint>
#include <span>
#include <string>

#include "core/PageGeometry.h"

namespace vek {

inline constexpr int kContextBefore = 4; // bytes shown before an occurrence, where the file has them
inline constexpr int kContextBytes = 16; // bytes shown in all, where the file has them

// Where the bytes shown around the occurrence at `match` start.
constexpr Offset ContextStart(Offset match) { return match < kContextBefore ? 0 : match - kContextBefore; }

struct MatchContext {
  std::string hex;    // "41 42 43": a pair a byte, a blank between two
  std::string text;   // a character a byte, as the page shows them, in UTF-8
  int matchFirst = 0; // the first byte of the occurrence among those shown
  int matchBytes = 0; // its bytes among those shown: fewer when the stretch ends first
};

// `bytes` were read from `start` (at most kContextBytes of them); the occurrence starts at `match`
// and is `length` bytes long.
MatchContext DescribeMatch(std::span<const std::uint8_t> bytes, Offset start, Offset match, int length);

// Where the occurrence lies in each text, in characters (not UTF-8 bytes): [first, first + count).
struct TextSpan {
  int first = 0;
  int count = 0;
  friend bool operator==(const TextSpan&, const TextSpan&) = default;
};
TextSpan HexSpanOf(const MatchContext& context);
TextSpan TextSpanOf(const MatchContext& context);

} // namespace vek
