// The data inspector's refresh after a selection move: the read of up to eight bytes at the selected
// byte (open, one positioned read, close) and the rows made of them, alone; and a move of the
// selected byte in the window with the inspector closed and with it shown, without and with the
// repaints, on the offscreen platform. The file is cached.

#include <benchmark/benchmark.h>

#include <string>
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "BenchFile.h"
#include "QuietUi.h"
#include "core/ValueTable.h"
#include "core/FileSession.h"
#include "core/SelectedBytes.h"
#include "platform/PosixFile.h"
#include "tools/ValuesWindow.h"
#include "view/CVekView.h"
#include "view/ViewDocument.h"

namespace {

constexpr long long kFileBytes = 1 << 20;
constexpr int kMiddleOfThePage = 100; // moves back and forth from here never turn the page

class Document final : public vek::ViewDocument {
 public:
  vek::FileSession& Session() override { return m_session; }
  QString GetTitle() const override { return {}; }
  const std::string& GetTitleName() const override { return m_title; }
  void SetTitle(const std::string& title) override { m_title = title; }

 private:
  vek::FileSession m_session;
  std::string m_title;
};

void BM_ReadAndRows(benchmark::State& state) {
  const std::string path = vek::bench::MakeFile(kFileBytes);
  vek::FileSystem& files = vek::RealFileSystem();
  vek::FileSession session;
  session.LoadFile(files, path);
  int index = 0;
  for (auto _ : state) {
    session.Select(index);
    index = (index + 1) % vek::kPageBytes;
    const auto read = vek::ReadSelectedBytes(files, session);
    benchmark::DoNotOptimize(vek::ValuesOf(read->value.Bytes()));
  }
  unlink(path.c_str());
}
BENCHMARK(BM_ReadAndRows)->Unit(benchmark::kMicrosecond);

// inspector 0: closed; 1: shown and following the view. repaint 1: the events are processed after
// each move, so the repaints it asked for are in the figure; 0: the move and the refresh alone.
void BM_SelectionMove(benchmark::State& state) {
  const std::string path = vek::bench::MakeFile(kFileBytes);
  vek::bench::QuietUi ui;
  Document document;
  QMainWindow main;
  auto* area = new QMdiArea(&main);
  main.setCentralWidget(area);
  auto* view = new vek::CVekView(ui, vek::RealFileSystem(), document);
  area->setActiveSubWindow(area->addSubWindow(view));
  view->LoadFile(path);
  main.show();
  auto* inspector = new vek::ValuesWindow(*area, &main);
  if (state.range(0) != 0) inspector->Show();
  for (int i = 0; i < kMiddleOfThePage; ++i) view->MoveSelection(vek::ByteMove::Right);
  QApplication::processEvents();
  bool right = true;
  for (auto _ : state) {
    view->MoveSelection(right ? vek::ByteMove::Right : vek::ByteMove::Left);
    right = !right;
    if (state.range(1) != 0) QApplication::processEvents();
  }
  unlink(path.c_str());
}
BENCHMARK(BM_SelectionMove)->ArgNames({"inspector", "repaint"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
