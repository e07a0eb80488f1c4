#include "core/Profile.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "core/FileNameText.h"
#include "core/HexDigits.h"

namespace vek {

namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// Calls `line` for each line of the text, without its line break.
template <typename Fn> void ForEachLine(std::string_view text, Fn line) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    line(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

bool IsSectionHeader(std::string_view line) {
  line = Trim(line);
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool IsRecentSection(std::string_view line) {
  line = Trim(line);
  return IsSectionHeader(line) && Trim(line.substr(1, line.size() - 2)) == kRecentFileSection;
}

std::string KeyName(std::size_t number) { return "File" + std::to_string(number); }

// A name that is not UTF-8 would not survive editors and tools that read the profile as text, so
// it is written quoted, each byte outside a UTF-8 character as \xHH and '\' and '"' escaped.
// Absolute paths never start with '"': plain names keep the form they have always had.
constexpr char kQuote = '"';
constexpr char kEscape = '\\';

bool NeedsQuotes(std::string_view name) { return !IsValidUtf8(name) || (!name.empty() && name.front() == kQuote); }

std::string Quoted(std::string_view name) {
  std::string text(1, kQuote);
  while (!name.empty()) {
    const std::size_t length = Utf8SequenceLength(name);
    const char c = name.front();
    if (c == kQuote || c == kEscape) {
      text += kEscape;
      text += c;
    } else if (length > 0) {
      text += name.substr(0, length);
    } else {
      const auto byte = static_cast<std::uint8_t>(c);
      text += kEscape;
      text += 'x';
      text += kHexDigits[byte >> 4];
      text += kHexDigits[byte & 0x0F];
    }
    name.remove_prefix(std::max<std::size_t>(length, 1));
  }
  return text + kQuote;
}

int HexValue(char c) {
  const auto at = kHexDigits.find(static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The name a value stands for: a quoted one unescaped, anything else (and a quoted one that is
// not well formed, which this program never wrote) as it is.
std::string Unquoted(std::string_view value) {
  if (value.size() < 2 || value.front() != kQuote || value.back() != kQuote) return std::string(value);
  const std::string_view inner = value.substr(1, value.size() - 2);
  std::string name;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] != kEscape) {
      if (inner[i] == kQuote) return std::string(value);
      name += inner[i];
      continue;
    }
    if (i + 1 < inner.size() && (inner[i + 1] == kEscape || inner[i + 1] == kQuote)) {
      name += inner[++i];
    } else if (i + 3 < inner.size() && inner[i + 1] == 'x' && HexValue(inner[i + 2]) >= 0 && HexValue(inner[i + 3]) >= 0) {
      name += static_cast<char>(HexValue(inner[i + 2]) * 16 + HexValue(inner[i + 3]));
      i += 3;
    } else {
      return std::string(value);
    }
  }
  return name;
}

} // namespace

std::vector<std::string> ReadRecentFileList(std::string_view profile) {
  std::map<std::string, std::string, std::less<>> values;
  bool inSection = false;
  ForEachLine(profile, [&](std::string_view line) {
    if (IsSectionHeader(line)) {
      inSection = IsRecentSection(line);
      return;
    }
    const auto equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) return;
    // Blanks after '=' are layout (the paths are absolute); a path may end in blanks, so only the
    // line break's carriage return is taken off its end.
    std::string_view value = line.substr(equals + 1);
    value.remove_prefix(std::min(value.find_first_not_of(" \t"), value.size()));
    if (!value.empty() && value.back() == '\r') value.remove_suffix(1);
    values.emplace(std::string(Trim(line.substr(0, equals))), Unquoted(value));
  });
  // Each key on its own, as the list's slots are; an empty or missing one is skipped.
  std::vector<std::string> files;
  for (std::size_t number = 1; number <= static_cast<std::size_t>(kRecentFileCount); ++number) {
    const auto found = values.find(KeyName(number));
    if (found != values.end() && !found->second.empty()) files.push_back(found->second);
  }
  return files;
}

std::string WriteRecentFileList(std::string_view profile, const std::vector<std::string>& files) {
  std::string section = "[" + std::string(kRecentFileSection) + "]\n";
  std::size_t number = 0;
  for (const std::string& file : files) {
    // A line break in a name would end the line and start another key or section: such a name
    // cannot be kept in the profile.
    if (file.empty() || file.find_first_of("\r\n") != std::string::npos) continue;
    section += KeyName(++number) + "=" + (NeedsQuotes(file) ? Quoted(file) : file) + "\n";
  }

  std::string result;
  bool inSection = false;
  bool written = false;
  ForEachLine(profile, [&](std::string_view line) {
    if (IsSectionHeader(line)) {
      inSection = IsRecentSection(line);
      if (inSection && !written) {
        result += section;
        written = true;
      }
      if (inSection) return;
    }
    if (!inSection && !(line.empty() && result.empty())) {
      result += line;
      result += '\n';
    }
  });
  if (!written) {
    if (!result.empty() && result.back() != '\n') result += '\n';
    result += section;
  }
  return result;
}

} // namespace vek
