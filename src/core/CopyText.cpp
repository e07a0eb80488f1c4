#include "core/CopyText.h"

#include <algorithm>

#include "core/Ansi.h"
#include "core/FileErrorText.h"
#include "core/FileNameText.h"
#include "core/HexDigits.h"
#include "core/PageText.h"

namespace vek {

namespace {

constexpr std::size_t kArrayBytesPerLine = 12;
constexpr std::size_t kReadPiece = std::size_t{1} << 20;

} // namespace

std::string FormatCopy(std::span<const std::uint8_t> bytes, CopyFormat format) {
  std::string out;
  switch (format) {
    case CopyFormat::HexPairs:
      out.reserve(bytes.size() * 3);
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) out += ' ';
        AppendHexPair(out, bytes[i]);
      }
      break;
    case CopyFormat::Text: {
      std::u32string shown;
      shown.reserve(bytes.size());
      for (const std::uint8_t byte : bytes) shown += ShownCharacter(byte, ShownOn::Screen);
      out = ToUtf8(shown);
      break;
    }
    case CopyFormat::CArray:
      out = "unsigned char bytes[" + std::to_string(bytes.size()) + "] = {";
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += i % kArrayBytesPerLine == 0 ? "\n    0x" : " 0x";
        AppendHexPair(out, bytes[i]);
        out += ',';
      }
      out += "\n};\n";
      break;
  }
  return out;
}

RangeBytes ReadRange(FileSystem& files, const std::string& path, const ByteRange& range, const ProgressFn& progress) {
  RangeBytes result;
  const std::string shown = DecodeFileName(path);
  if (range.Count() > kMaxCopyBytes) {
    result.failure = Message{FileProblem(shown, "the selection holds " + std::to_string(range.Count()) +
                                                    " bytes, and Copy takes at most " +
                                                    std::to_string(kMaxCopyBytes) + " (16 MiB); nothing was copied"),
                             MessageIcon::Warning};
    return result;
  }
  const FileResult<MeasuredFile> opened = OpenMeasured(files, path, OpenMode::Read);
  if (!opened.ok()) {
    result.failure = Message{FileProblem(shown, FileErrorReason(opened.error, opened.code) + "; nothing was copied")};
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(range.Count()));
  for (std::size_t done = 0; done < result.bytes.size();) {
    const std::size_t piece = std::min(kReadPiece, result.bytes.size() - done);
    const FileResult<std::size_t> read =
        opened.value.file->ReadAt(range.first + static_cast<Offset>(done), result.bytes.data() + done, piece);
    if (!read.ok() || read.value != piece) {
      const FileError cause = read.ok() ? FileError::ShortRead : read.error;
      result.failure = Message{FileProblem(shown, FileErrorReason(cause, read.code) + "; nothing was copied")};
      result.bytes.clear();
      return result;
    }
    done += piece;
    if (done < result.bytes.size() && progress && !progress(range.first + static_cast<Offset>(done))) {
      result.cancelled = true;
      result.bytes.clear();
      return result;
    }
  }
  return result;
}

} // namespace vek
