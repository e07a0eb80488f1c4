#include "core/Profile.h"

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
    values.emplace(std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))));
  });
  std::vector<std::string> files;
  for (std::size_t number = 1;; ++number) {
    const auto found = values.find(KeyName(number));
    if (found == values.end() || found->second.empty()) break;
    files.push_back(found->second);
  }
  return files;
}

std::string WriteRecentFileList(std::string_view profile, const std::vector<std::string>& files) {
  std::string section = "[" + std::string(kRecentFileSection) + "]\n";
  for (std::size_t i = 0; i < files.size(); ++i) section += KeyName(i + 1) + "=" + files[i] + "\n";

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
