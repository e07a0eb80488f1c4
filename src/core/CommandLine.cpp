#include "core/CommandLine.h"

namespace vek {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool switchesEnded = false;
  for (const std::string& arg : args) {
    const bool isSwitch = !switchesEnded && arg.size() > 1 && arg[0] == '-';
    if (!isSwitch) {
      if (!line.fileName) line.fileName = arg;
      continue;
    }
    if (arg == "--") {
      switchesEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--version") {
      line.version = true;
    }
  }
  return line;
}

} // namespace vek
