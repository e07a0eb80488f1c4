#include "tools/FindAllWindow.h"

#include <algorithm>
#include <vector>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "core/ByteRange.h"
#include "core/DisplayTexts.h"
#include "core/FileErrorText.h"
#include "core/FileSession.h"
#include "core/FindAllJob.h"
#include "core/FindAllStatus.h"
#include "core/MatchContext.h"
#include "core/PatternText.h"
#include "platform/Fonts.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "tools/MatchCellDelegate.h"
#include "tools/MatchListModel.h"
#include "tools/MatchTableView.h"
#include "tools/ToolWindowPlacement.h"
#include "view/CVekView.h"

namespace vek {

namespace {

constexpr const char* kTitle = "Find All";
constexpr const char* kRowsName = "Occurrences";
constexpr const char* kHeading = "Occurrences of %1 in %2";
constexpr const char* kClosed = "Its document window is closed: a row chosen opens the file again.";
constexpr const char* kElsewhere = "Its document window shows another file now: a row chosen opens this one again.";
constexpr const char* kNoFile = "The document window shows no file.";
// The list grows this often while the search runs: often enough to look live, seldom enough that
// a million rows arrive in a few large pieces.
constexpr int kRefreshMs = 100;
constexpr int kProgressSteps = 1000;
constexpr int kRowsInView = 16;     // rows the window shows at first
constexpr int kCellMarginChars = 2; // room beside a cell's text, in characters

} // namespace

FindAllWindow::FindAllWindow(FileSystem& files, Reopen reopen, QWidget* owner, std::size_t room)
    : QDialog(owner, Qt::Tool), m_files(files), m_reopen(std::move(reopen)), m_room(room),
      m_model(new MatchListModel(files, this)), m_heading(new QLabel(this)), m_rows(new MatchTableView(this)),
      m_status(new QLabel(this)), m_progress(new QProgressBar(this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)), m_refresh(new QTimer(this)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  m_heading->setWordWrap(true);
  m_heading->setTextFormat(Qt::PlainText);
  m_status->setTextFormat(Qt::PlainText);

  m_rows->setModel(m_model);
  m_rows->setItemDelegate(new MatchCellDelegate(m_rows));
  m_rows->setAccessibleName(QString::fromUtf8(kRowsName));
  m_rows->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
  m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_rows->setTabKeyNavigation(false); // Tab leaves the list, as in a dialog
  m_rows->setWordWrap(false);
  m_rows->setShowGrid(false);
  m_rows->setAlternatingRowColors(true);
  const QFont headerFont = m_rows->font();
  m_rows->setFont(PageFont());
  m_rows->horizontalHeader()->setFont(headerFont);
  m_rows->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_rows->horizontalHeader()->setStretchLastSection(true);
  m_rows->horizontalHeader()->setHighlightSections(false);
  // Rows of one height, never measured: a million of them lay out as fast as ten.
  m_rows->verticalHeader()->hide();
  m_rows->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_rows->verticalHeader()->setDefaultSectionSize(QFontMetrics(PageFont()).height() + 4);

  m_progress->setRange(0, kProgressSteps);
  m_progress->setTextVisible(false);
  m_progress->setAccessibleName(QStringLiteral("Progress"));
  // Enter belongs to the list (a row chosen), never to the button.
  m_cancel->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_heading);
  layout->addWidget(m_rows, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(m_status, 1);
  bottom->addWidget(m_progress);
  bottom->addWidget(m_cancel);
  layout->addLayout(bottom);

  m_refresh->setInterval(kRefreshMs);
  connect(m_refresh, &QTimer::timeout, this, &FindAllWindow::Poll);
  connect(m_cancel, &QPushButton::clicked, this, [this] {
    if (m_job) m_job->Cancel();
  });
  // Enter and a double-click (or a single click, where the desktop activates items so).
  connect(m_rows, &QAbstractItemView::activated, this, [this](const QModelIndex& index) { Choose(index.row()); });
  SizeColumns();
  ShowState();
}

FindAllWindow::~FindAllWindow() = default;

void FindAllWindow::Run(CVekView& view) {
  m_job.reset(); // a search still running stops, and its thread is gone before anything changes
  m_refresh->stop();
  Follow(&view);
  const FileSession& session = view.Session();
  m_path = session.Path();
  m_name = DisplayFileName(m_path);
  m_pattern = ToQt(PatternText(session.SearchPattern().Bytes()));
  m_hexMode = session.HexMode();
  m_state = {};
  m_problem.clear();
  m_model->Reset(m_path, session.SearchPattern().Length(), m_hexMode);
  FileResult<MeasuredFile> opened;
  if (m_path.empty()) {
    m_problem = QString::fromUtf8(kNoFile);
  } else if (opened = OpenMeasured(m_files, m_path, OpenMode::Read); !opened.ok()) {
    m_problem = ToQt(FileProblem(m_name.toStdString(), FileErrorReason(opened.error, opened.code)));
  }
  if (m_problem.isEmpty()) {
    m_state.fileSize = opened.value.length;
    // Called on the job's thread: the list takes the last offsets on its own.
    m_job = std::make_unique<FindAllJob>(std::move(opened.value.file), opened.value.length, session.SearchPattern(),
                                         m_room, [this] { QMetaObject::invokeMethod(this, &FindAllWindow::Poll, Qt::QueuedConnection); });
    m_refresh->start();
  } else {
    m_state.finished = true;
  }
  SizeColumns();
  ShowState();
  if (!m_placed) {
    resize(FirstSize());
    PlaceBesideOwner(*this);
    m_placed = true;
  }
  show();
  raise();
  activateWindow();
  m_rows->setFocus();
}

void FindAllWindow::reject() {
  if (m_job) m_job->Cancel();
  QDialog::reject();
}

void FindAllWindow::Poll() {
  if (!m_job) return;
  std::vector<Offset> fresh;
  m_state = m_job->Take(fresh);
  const bool wasEmpty = m_model->rowCount() == 0;
  m_model->Append(std::move(fresh));
  // The first row current: Enter shows it, and the arrows go on from it.
  if (wasEmpty && m_model->rowCount() > 0) m_rows->setCurrentIndex(m_model->index(0, MatchListModel::kOffsetColumn));
  ShowState();
  if (m_state.finished) m_refresh->stop();
}

void FindAllWindow::ShowState() {
  QString heading = m_path.empty() ? QString() : QString::fromUtf8(kHeading).arg(m_pattern, m_name);
  if (!m_path.empty() && !ShowsListedFile()) heading += u'\n' + QString::fromUtf8(m_view == nullptr ? kClosed : kElsewhere);
  m_heading->setText(heading);
  m_status->setText(m_problem.isEmpty() ? ToQt(FindAllStatusText(m_state, m_hexMode)) : m_problem);
  const bool running = Searching();
  m_progress->setVisible(running);
  m_cancel->setVisible(running);
  if (running && m_state.fileSize > 0) {
    m_progress->setValue(static_cast<int>(static_cast<double>(m_state.searchedUpTo) /
                                          static_cast<double>(m_state.fileSize) * kProgressSteps));
  }
}

bool FindAllWindow::ShowsListedFile() const { return m_view != nullptr && m_view->Session().Path() == m_path; }

void FindAllWindow::Choose(int row) {
  if (row < 0 || row >= m_model->rowCount()) return;
  if (!ShowsListedFile()) {
    CVekView* view = m_reopen ? m_reopen(m_path) : nullptr;
    if (view == nullptr) return; // the open said why
    Follow(view);
  }
  const Offset at = m_model->OffsetAt(row);
  const ByteRange match{at, at + m_model->PatternLength() - 1};
  m_view->Perform([match](FileSession& session, FileSystem& files) { return session.GoTo(files, match); });
  // The document in front of the others; the keyboard stays in the list, for the next row.
  for (QWidget* widget = m_view; widget != nullptr; widget = widget->parentWidget()) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(widget)) {
      if (frame->mdiArea() != nullptr) frame->mdiArea()->setActiveSubWindow(frame);
      break;
    }
  }
  ShowState();
}

void FindAllWindow::Follow(CVekView* view) {
  if (view == m_view) return;
  disconnect(m_sessionChanged);
  disconnect(m_destroyed);
  m_view = view;
  if (view == nullptr) return;
  m_sessionChanged = connect(view, &CVekView::sessionChanged, this, &FindAllWindow::FollowSession);
  // The pointer is cleared before the view is gone for good: nothing of it is read meanwhile.
  m_destroyed = connect(view, &QObject::destroyed, this, [this] {
    m_view = nullptr;
    ShowState();
  });
}

void FindAllWindow::FollowSession() {
  if (!ShowsListedFile()) return ShowState();
  const bool hexMode = m_view->Session().HexMode();
  if (hexMode != m_hexMode) {
    m_hexMode = hexMode;
    m_model->SetHexMode(hexMode);
    SizeColumns();
  }
  m_model->ForgetBytes(); // an edit, an undo or another program may have changed the bytes
  ShowState();
}

void FindAllWindow::SizeColumns() {
  const QFontMetrics cells(m_rows->font());
  const QFontMetrics header(m_rows->horizontalHeader()->font());
  const int margin = kCellMarginChars * cells.averageCharWidth();
  const auto width = [&](int column, const QString& widest) {
    const int title = header.horizontalAdvance(m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    return std::max(cells.horizontalAdvance(widest), title) + margin;
  };
  const QString offset = ToQt(OffsetText(std::max<Offset>(m_state.fileSize, 1) - 1, m_hexMode));
  const int offsetWidth = width(MatchListModel::kOffsetColumn, offset);
  const int hexWidth = width(MatchListModel::kHexColumn, QString(3 * kContextBytes - 1, u'0'));
  const int textWidth = width(MatchListModel::kTextColumn, QString(kContextBytes, u'W'));
  m_rows->horizontalHeader()->resizeSection(MatchListModel::kOffsetColumn, offsetWidth);
  m_rows->horizontalHeader()->resizeSection(MatchListModel::kHexColumn, hexWidth);
  m_rows->horizontalHeader()->resizeSection(MatchListModel::kTextColumn, textWidth);
  // All three columns in view without scrolling sideways, and a screenful of rows.
  const int frame = 2 * m_rows->frameWidth();
  m_rows->setMinimumWidth(offsetWidth + hexWidth + textWidth + m_rows->verticalScrollBar()->sizeHint().width() + frame);
}

QSize FindAllWindow::FirstSize() {
  // A screenful of rows at first; the person may make the window smaller afterwards.
  const int frame = 2 * m_rows->frameWidth();
  m_rows->setMinimumHeight(m_rows->horizontalHeader()->sizeHint().height() +
                           kRowsInView * m_rows->verticalHeader()->defaultSectionSize() + frame);
  const QSize size = layout()->sizeHint();
  m_rows->setMinimumHeight(0);
  return size;
}

} // namespace vek
