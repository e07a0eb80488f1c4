#pragma once
// The bytes the data inspector reads at the selected byte: up to kValueBytes from there on, in
// one positioned read of the file, past the end of the page too. Where the page on screen holds
// them, its bytes count, so that the inspector explains what the page shows, also while an edit is
// on screen and not yet written.

#include <array>
#include <cstdint>
#include <span>

#include "core/ValueTable.h"
#include "core/File.h"

namespace vek {

class FileSession;

struct SelectedBytes {
  Offset offset = 0;
  std::array<std::uint8_t, kValueBytes> bytes{};
  std::size_t count = 0; // what the file has from the offset on, up to kValueBytes

  std::span<const std::uint8_t> Bytes() const { return {bytes.data(), count}; }
};

// The bytes at the session's selected byte; none when the page holds no selected byte. A failure
// to open or read the file is the result's error.
std::optional<FileResult<SelectedBytes>> ReadSelectedBytes(FileSystem& files, const FileSession& session);

} // namespace vek
