#pragma once
// The command line: switches start with '-' ('/' starts an absolute path), "--" ends the switches,
// the first argument that is not a switch names the file to open and later ones are ignored.

#include <optional>
#include <string>
#include <vector>

namespace vek {

struct CommandLine {
  bool help = false;
  bool version = false;
  std::optional<std::string> fileName;
};

// `args` without the program name. Unknown switches are ignored.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

} // namespace vek
