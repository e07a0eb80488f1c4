// vek_edit_burst FILE COUNT SEED: what a person editing bytes in the window does, as fast as it
// goes: COUNT checked, journaled writes of random bytes at random offsets of FILE, each after
// reading the byte as a page read would. The crash test kills it with SIGKILL at random moments
// and then expects `vek --undo --all` to give FILE back as it was.

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/FileEditor.h"
#include "core/JournalLocation.h"
#include "platform/PosixFile.h"
#include "platform/PosixJournalStore.h"

namespace {

int Usage() {
  std::fputs("usage: vek_edit_burst FILE COUNT SEED\n", stderr);
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Usage();
  const std::string path = argv[1];
  const long count = std::strtol(argv[2], nullptr, 10);
  std::mt19937_64 random(std::strtoull(argv[3], nullptr, 10));

  vek::FileSystem& files = vek::RealFileSystem();
  vek::FileResult<vek::MeasuredFile> page = vek::OpenMeasured(files, path, vek::OpenMode::Read);
  if (!page.ok() || page.value.length == 0) {
    std::fprintf(stderr, "vek_edit_burst: %s cannot be read, or is empty\n", path.c_str());
    return 2;
  }
  const vek::FileIdentity identity = page.value.file->Identity().value;
  vek::PosixJournalStore store(vek::JournalDirectoryOfThisUser());
  vek::Journal journal(store);
  vek::FileEditor editor(files, &journal, path, identity);

  std::uniform_int_distribution<vek::Offset> offsets(0, page.value.length - 1);
  std::uniform_int_distribution<int> values(0, 255);
  for (long i = 0; i < count; ++i) {
    const vek::Offset at = offsets(random);
    std::uint8_t shown = 0;
    if (page.value.file->ReadAt(at, &shown, 1).value != 1) return 2;
    auto value = static_cast<std::uint8_t>(values(random));
    if (value == shown) value = static_cast<std::uint8_t>(value + 1);
    const vek::ByteWriteResult result = editor.Write(at, shown, value);
    if (result.outcome != vek::WriteOutcome::Written || result.note) {
      std::fprintf(stderr, "vek_edit_burst: write %ld: %s\n", i,
                   result.message ? result.message->text.c_str() : result.note->text.c_str());
      return 1;
    }
  }
  return 0;
}
