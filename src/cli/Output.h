#pragma once
// Text for standard output, gathered and written in large pieces; the first failed write is
// remembered, and Finish says whether everything arrived.
//
// Lines can also be put together in place, as --find and --compare do (a million offsets are a
// million lines): write from Cursor() on, call Drain() before a line when the cursor is past Limit(),
// and Settle() at the end. The caller keeps the cursor and the limit in locals: a store through a
// char* may alias any member, and reloading members after every line made the loop three times
// slower.

#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

namespace vek::cli {

class Output {
 public:
  static constexpr std::size_t kFlushBytes = std::size_t{64} * 1024; // gathered before one fwrite
  static constexpr std::size_t kLineRoom = 64;                       // the longest line put in place

  explicit Output(std::FILE* out) : m_out(out), m_buffer(kFlushBytes + kLineRoom) {}

  void Add(std::string_view text);

  char* Cursor() { return m_buffer.data() + m_used; }
  char* Limit() { return m_buffer.data() + kFlushBytes; } // past it, no line may start
  char* Drain(char* cursor);                             // writes what is gathered; the new cursor
  void Settle(char* cursor) { m_used = static_cast<std::size_t>(cursor - m_buffer.data()); }

  // True when everything reached the stream.
  bool Finish();
  int Error() const; // the first failed write's errno

 private:
  void Flush();
  void Write(std::string_view text);

  std::FILE* m_out;
  std::vector<char> m_buffer;
  std::size_t m_used = 0;
  int m_error = 0;
};

// One line on standard error: "vek: SUBJECT: reason", as the window words its own file messages.
void Complain(std::FILE* err, std::string_view subject, std::string_view reason);

} // namespace vek::cli
