#pragma once
// Reading mapped file bytes safely: a file that another program truncates while it is mapped
// leaves pages that no longer exist, and touching one raises SIGBUS, which would kill the program.
// Code that reads mapped bytes runs under RunGuarded, which turns such a fault into a false
// result: the read came back short.

#include <cstddef>
#include <cstdint>
#include <span>

namespace vek {

// Mapped bytes that the guarded code may touch.
struct GuardedRange {
  const std::uint8_t* begin = nullptr;
  std::size_t size = 0;
};

inline constexpr std::size_t kMaxGuardedRanges = 2; // the compare reads two files at once

// Runs body(context) on the calling thread with `ranges` armed, and returns true when it ran to
// its end, false when it touched a page of one of the ranges that the file no longer has (the run
// ends there). A SIGBUS anywhere else, or on another thread, goes to the handler that was there
// before, or kills the program as it would have without us.
//
// The body must hold no lock, own no resource and leave nothing half-changed that a jump out of it
// at any instruction would leak or break: it computes over the bytes and writes plain results into
// memory that the caller owns. It must not call RunGuarded itself.
bool RunGuarded(std::span<const GuardedRange> ranges, void (*body)(void* context), void* context);

} // namespace vek
