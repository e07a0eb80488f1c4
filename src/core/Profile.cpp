#include "core/Profile.h"

#include <algorithm>
#include <map>

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
    values.emplace(std::string(Trim(line.substr(0, equals))), std::string(value));
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
    section += KeyName(++number) + "=" + file + "\n";
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
