#include "cli/Output.h"

#include <algorithm>
#include <cerrno>

#include "core/FileErrorText.h"

namespace vek::cli {

void Output::Add(std::string_view text) {
  if (text.size() >= kFlushBytes) {
    // A large piece goes out as it is: copying it first would only cost time.
    Flush();
    Write(text);
    return;
  }
  if (m_used + text.size() > m_buffer.size()) Flush();
  std::copy(text.begin(), text.end(), m_buffer.data() + m_used);
  m_used += text.size();
  if (m_used >= kFlushBytes) Flush();
}

char* Output::Drain(char* cursor) {
  Settle(cursor);
  Flush();
  return m_buffer.data();
}

bool Output::Finish() {
  Flush();
  if (std::fflush(m_out) != 0 && m_error == 0) m_error = errno;
  return m_error == 0 && !std::ferror(m_out);
}

int Output::Error() const { return m_error != 0 ? m_error : EIO; }

void Output::Flush() {
  Write(std::string_view(m_buffer.data(), m_used));
  m_used = 0;
}

void Output::Write(std::string_view text) {
  if (!text.empty() && m_error == 0 && std::fwrite(text.data(), 1, text.size(), m_out) != text.size()) {
    m_error = errno != 0 ? errno : EIO;
  }
}

void Complain(std::FILE* err, std::string_view subject, std::string_view reason) {
  std::fprintf(err, "vek: %s\n", FileProblem(subject, reason).c_str());
}

} // namespace vek::cli
