#pragma once
// Which page of its file a view shows, as a value: the window the next read asks for, the record
// of the page really read, and the file size that read measured. Every command of the view is a
// pure operation on it; the view itself only reads files, paints and shows messages.
//
// The window may run ahead of the record: a start typed but not yet applied, or a read that failed,
// moves the window and leaves the record. The text on screen, the hit test and the byte editor
// follow the record, so a click or an edit never reaches bytes that were not read.

#include <string_view>

#include "core/PageGeometry.h"

namespace vek {

struct PageState {
  // The window: -1 and -1 mean "the first page" until a read brings it into the file.
  Offset start = -1;
  Offset end = -1;
  int count = 0;       // bytes the window holds once brought into the file, 0..kPageBytes
  Offset fileSize = 0; // as the last read measured it
  // The record: where the page in the buffer came from and how many of its bytes are valid.
  Offset readStart = 0;
  int readCount = 0;

  // The commands: each gives the window that the next read brings into the file.
  PageState TypedStart(std::string_view text, bool hexMode) const; // the Start field, in the radix shown
  PageState StartAt(Offset start) const;                           // the same, from a number
  PageState Next() const;
  PageState Previous() const;
  PageState First() const;
  PageState Last() const;
  PageState At(Offset match) const; // a search's match becomes the page start
  PageState NewFile() const;        // another file: its first page, nothing of the former one read
  PageState OnScreen() const;       // the window of the page read, whatever start was typed since

  // A read: first the window brought into a file of `length` bytes, then, once its bytes have
  // arrived, the record taken from the window.
  PageState Measured(Offset length) const;
  PageState Read() const;

  // Page index `index` names a byte that was read.
  bool HoldsByte(int index) const { return index >= 0 && index < readCount; }
  // Where byte `index` of the page in the buffer lies in the file.
  Offset OffsetOf(int index) const { return readStart + index; }

  friend bool operator==(const PageState&, const PageState&) = default;
};

} // namespace vek
