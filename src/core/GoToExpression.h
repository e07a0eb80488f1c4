#pragma once
// What Go to takes: the offset of the byte to select, as a number or counted from the selected byte
// or from the end of the file.
//
//   1050, 0x41A      a decimal number (leading zeros do not make it octal), or hex after 0x
//   4K, 2M, 1G       times 1024, 1024^2, 1024^3 (also after a hex number: 0x10K is 16 KiB);
//                    4KB and 4KiB are 4K
//   +16, -16         that many bytes after or before the selected byte
//   end-1            counted back from the file's size: end-1 is the last byte
//   end              the last byte too: going to the end shows the file's last byte
//
// Blanks may stand before, after and between the parts ("end - 4K"); letters may be upper or lower
// case. The result lies in [0, size - 1], or says why there is none.

#include <optional>
#include <string_view>

#include "core/PageGeometry.h"

namespace vek {

// The forms, short, for the message after a text that is none of them.
inline constexpr std::string_view kGoToForms = "1050, 0x41A, 4K (also M, G), +16 or -16 from the selected byte, end or end-16";

enum class GoToError {
  None,
  Empty,        // nothing but blanks
  NotANumber,   // none of the forms
  Overflow,     // the number, or the offset it gives, is beyond any 64-bit offset
  NoSelection,  // +N or -N while the page holds no selected byte
  EmptyFile,    // a file without bytes has no byte to go to
  BeforeStart,  // the offset is negative
  PastEnd,      // the offset is the size or more
};

struct GoToResult {
  GoToError error = GoToError::None;
  // The byte to go to; for BeforeStart and PastEnd the offset the text names, out of the file.
  Offset offset = 0;

  bool ok() const { return error == GoToError::None; }
  friend bool operator==(const GoToResult&, const GoToResult&) = default;
};

// `selected` is the selected byte's offset, none when the page holds none; `fileSize` the file's size.
GoToResult EvaluateGoTo(std::string_view text, std::optional<Offset> selected, Offset fileSize);

} // namespace vek
