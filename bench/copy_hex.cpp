// Copy of the largest selection Copy takes, 16 MiB, as hex pairs: its read from the cached file,
// the text, the conversion for Qt and the clipboard's taking it (offscreen), each and together.

#include <benchmark/benchmark.h>

#include <string>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QString>

#include "BenchFile.h"
#include "core/CopyText.h"
#include "platform/PosixFile.h"

namespace {

const std::string& File() {
  static const std::string path = vek::bench::MakeFile(vek::kMaxCopyBytes);
  return path;
}

const vek::ByteRange kAll{0, vek::kMaxCopyBytes - 1};

void BM_Read(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(vek::ReadRange(vek::RealFileSystem(), File(), kAll, {}));
}

void BM_Format(benchmark::State& state) {
  const vek::RangeBytes read = vek::ReadRange(vek::RealFileSystem(), File(), kAll, {});
  for (auto _ : state) benchmark::DoNotOptimize(vek::FormatCopy(read.bytes, vek::CopyFormat::HexPairs));
}

// What the context menu does: read, format, convert, and hand to the clipboard.
void BM_CopyAsHex(benchmark::State& state) {
  for (auto _ : state) {
    const vek::RangeBytes read = vek::ReadRange(vek::RealFileSystem(), File(), kAll, {});
    const std::string text = vek::FormatCopy(read.bytes, vek::CopyFormat::HexPairs);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
}

BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Format)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyAsHex)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  unlink(File().c_str());
  return 0;
}
