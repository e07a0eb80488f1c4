#pragma once
// Limits of a search pattern.

namespace vek {

inline constexpr int kMaxPatternBytes = 256; // bytes a pattern may hold
inline constexpr int kMaxPatternChars = 512; // characters the Find dialog's edit takes

} // namespace vek
