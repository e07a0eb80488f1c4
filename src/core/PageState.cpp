#include "core/PageState.h"

#include <algorithm>

#include "core/ClampPage.h"
#include "core/NumberParse.h"

namespace vek {

namespace {
PageState WithWindow(PageState state, Offset start, Offset end) {
  state.start = start;
  state.end = end;
  return state;
}
} // namespace

PageState PageState::TypedStart(std::string_view text, bool hexMode) const {
  return StartAt(StrToOffset(text, hexMode ? 16 : 10));
}

PageState PageState::StartAt(Offset typed) const { return WithWindow(*this, typed, SaturatingAdd(typed, kPageBytes)); }

PageState PageState::Next() const {
  const Offset next = SaturatingAdd(start, kPageBytes);
  return WithWindow(*this, next, std::min(fileSize, SaturatingAdd(next, kPageBytes)));
}

PageState PageState::Previous() const {
  const Offset previous = std::max<Offset>(SaturatingAdd(start, -kPageBytes), 0);
  return WithWindow(*this, previous, previous + kPageBytes);
}

PageState PageState::First() const { return WithWindow(*this, 0, kPageBytes); }

PageState PageState::Last() const {
  const Offset last = std::max<Offset>(fileSize - kPageBytes, 0);
  return WithWindow(*this, last, last + kPageBytes < fileSize ? last + kPageBytes : fileSize);
}

PageState PageState::At(Offset match) const { return WithWindow(*this, match, -1); }

PageState PageState::NewFile() const {
  PageState state = WithWindow(*this, -1, -1);
  state.readCount = 0;
  return state;
}

PageState PageState::OnScreen() const { return WithWindow(*this, readStart, readStart + readCount); }

PageState PageState::Measured(Offset length) const {
  const PageWindow window = ClampPage(start, end, length);
  PageState state = WithWindow(*this, window.start, window.end);
  state.count = window.count;
  state.fileSize = length;
  return state;
}

PageState PageState::Read() const {
  PageState state = *this;
  state.readStart = start;
  state.readCount = count;
  return state;
}

} // namespace vek
