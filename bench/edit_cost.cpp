// bench_edit_cost [DIR [EDITS]]: what one edit of a byte costs, from the person's OK to the byte on
// the disk: today's unchecked write (WriteByteAt), the checked write without a journal
// (--no-journal), and the checked write with its journal record. The three take turns edit by
// edit on a file in DIR (default: the current directory; it must be on a disk, not a tmpfs, or
// no sync costs anything), so that the machine's noise falls on all of them alike; the median of
// EDITS (default 500) each, and the journal's cost over the checked write without it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/ByteWrite.h"
#include "core/FileEditor.h"
#include "platform/PosixFile.h"
#include "platform/PosixJournalStore.h"

namespace {

constexpr long kDefaultEdits = 500;
constexpr std::size_t kFileBytes = std::size_t{1} << 20;

using Clock = std::chrono::steady_clock;

struct Way {
  const char* name;
  std::function<bool(vek::Offset at, std::uint8_t shown, std::uint8_t value)> edit;
  std::vector<double> micros;
};

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char** argv) {
  const std::filesystem::path base = argc > 1 ? argv[1] : ".";
  const long edits = argc > 2 ? std::strtol(argv[2], nullptr, 10) : kDefaultEdits;
  const std::filesystem::path work = base / "vek-edit-cost";
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work);
  const std::string path = (work / "data.bin").string();
  std::ofstream(path, std::ios::binary) << std::string(kFileBytes, '\0');

  vek::FileSystem& files = vek::RealFileSystem();
  const vek::FileIdentity identity = *files.Identity(path);
  vek::PosixJournalStore store((work / "state").string());
  vek::Journal journal(store);
  vek::FileEditor journaled(files, &journal, path, identity);
  vek::FileEditor unjournaled(files, nullptr, path, identity);

  std::vector<Way> ways{
      {"unchecked write (WriteByteAt)",
       [&](vek::Offset at, std::uint8_t, std::uint8_t value) { return !vek::WriteByteAt(files, path, at, value); },
       {}},
      {"checked write, no journal",
       [&](vek::Offset at, std::uint8_t shown, std::uint8_t value) {
         return unjournaled.Write(at, shown, value).outcome == vek::WriteOutcome::Written;
       },
       {}},
      {"checked write + journal",
       [&](vek::Offset at, std::uint8_t shown, std::uint8_t value) {
         const vek::ByteWriteResult result = journaled.Write(at, shown, value);
         return result.outcome == vek::WriteOutcome::Written && !result.note;
       },
       {}},
  };

  // Every edit changes its byte, each at an offset of its own page of the file.
  std::vector<std::uint8_t> bytes(kFileBytes, 0);
  for (long i = 0; i < edits; ++i) {
    for (std::size_t w = 0; w < ways.size(); ++w) {
      const auto at = static_cast<vek::Offset>((static_cast<std::size_t>(i) * ways.size() + w) * 4096 % kFileBytes);
      const std::uint8_t shown = bytes[static_cast<std::size_t>(at)];
      const auto value = static_cast<std::uint8_t>(shown + 1);
      const Clock::time_point start = Clock::now();
      if (!ways[w].edit(at, shown, value)) {
        std::fprintf(stderr, "bench_edit_cost: %s failed at edit %ld\n", ways[w].name, i);
        return 1;
      }
      ways[w].micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
      bytes[static_cast<std::size_t>(at)] = value;
    }
  }

  std::printf("%ld edits each, taking turns, in %s\n", edits, work.c_str());
  std::printf("%-32s %10s %10s %10s\n", "", "median us", "p10 us", "p90 us");
  for (const Way& way : ways) {
    std::printf("%-32s %10.1f %10.1f %10.1f\n", way.name, Percentile(way.micros, 0.5), Percentile(way.micros, 0.1),
                Percentile(way.micros, 0.9));
  }
  std::printf("journal / no journal (medians): %.2f\n", Percentile(ways[2].micros, 0.5) / Percentile(ways[1].micros, 0.5));
  std::filesystem::remove_all(work);
  return 0;
}
