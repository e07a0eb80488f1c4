#include "tools/ViewPair.h"

#include <algorithm>

#include <QWidget>

#include "ResourceIds.h"
#include "core/ComparedFiles.h"
#include "core/CompareTexts.h"
#include "core/FileSession.h"
#include "core/PageDifferences.h"
#include "platform/ControlTemplate.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "search/SearchProgress.h"
#include "view/CVekView.h"

namespace vek {

namespace {

QWidget* PositionLabel(const CVekView& view) { return GetDlgItem(&view, ids::kPositionLine); }

} // namespace

ViewPair::ViewPair(CVekView& first, CVekView& second, UiServices& ui, QObject* parent) : QObject(parent), m_ui(ui) {
  m_sides[0].view = &first;
  m_sides[1].view = &second;
  for (Side& side : m_sides) {
    side.description = PositionLabel(*side.view)->accessibleDescription();
    side.described = side.view->Session().SelectedOffset();
  }
  // The second view shows the offsets the first one shows.
  Follow(m_sides[0]);
  for (Side& side : m_sides) Watch(side);
  Refresh();
}

ViewPair::~ViewPair() {
  for (Side& side : m_sides) Release(side);
}

void ViewPair::Watch(Side& side) {
  CVekView* view = side.view;
  // Every change of a page's bytes (a page read, an edit, another program's change, the radix)
  // comes as a change of its text; a page move of the session's comes after its outcome.
  connect(view, &CVekView::pageTextChanged, this, &ViewPair::Refresh);
  connect(view, &CVekView::sessionChanged, this, [this, &side] { Follow(side); });
  connect(view, &CVekView::positionLineShown, this, [this, &side] {
    side.described = side.view->Session().SelectedOffset();
    Describe(side);
  });
  connect(view, &QObject::destroyed, this, [this, &side] { OnViewGone(side); });
}

ViewPair::Side& ViewPair::SideOf(const CVekView& view) { return m_sides[0].view == &view ? m_sides[0] : m_sides[1]; }

ViewPair::Side& ViewPair::OtherOf(const Side& side) { return &side == &m_sides[0] ? m_sides[1] : m_sides[0]; }

CVekView* ViewPair::Partner(const CVekView& view) const {
  if (m_ended) return nullptr;
  if (m_sides[0].view == &view) return m_sides[1].view;
  if (m_sides[1].view == &view) return m_sides[0].view;
  return nullptr;
}

void ViewPair::Follow(Side& moved) {
  if (m_moving || m_ended) return;
  const Offset start = moved.view->Session().Page().readStart;
  if (start == moved.start) return;
  moved.start = start;
  Side& other = OtherOf(moved);
  m_moving = true;
  other.view->Perform([start](FileSession& session, FileSystem& files) {
    return session.ShowPage(files, session.Page().StartAt(start));
  });
  m_moving = false;
  // A shorter file may have stopped at its own last page: that is where it stands now.
  other.start = other.view->Session().Page().readStart;
}

void ViewPair::Refresh() {
  if (m_ended) return;
  for (Side& side : m_sides) {
    const FileSession& session = side.view->Session();
    const Side& other = OtherOf(side);
    side.other = ReadComparedBytes(side.view->Files(), other.view->Session().Path(), session);
    std::optional<PageDifferences> marks;
    if (side.other.ok()) marks = PageDifferences{session.Page().readStart, DifferingBytes(session.PageBytes(), side.other.value.Bytes())};
    side.view->MarkDifferences(marks);
    Describe(side);
  }
}

void ViewPair::Describe(Side& side) {
  const FileSession& session = side.view->Session();
  const ComparedNames names = NamesOf(m_sides[0].view->Session().Path(), m_sides[1].view->Session().Path());
  const std::string& otherName = names[&side == &m_sides[0] ? 1 : 0];
  std::string note;
  if (!side.other.ok()) {
    note = UncomparedNote(otherName, side.other.error, side.other.code);
  } else if (side.described && session.Page().HoldsByte(static_cast<int>(*side.described - session.Page().readStart))) {
    const std::uint8_t shown = session.ByteAt(static_cast<int>(*side.described - session.Page().readStart));
    note = CompareNote(shown, side.other.value.At(*side.described), otherName, session.HexMode());
  } else {
    // The position line names a byte of another page (it keeps its text over a page move): what
    // was said of that byte stands.
    return;
  }
  PositionLabel(*side.view)->setAccessibleDescription(QString::fromStdString(note));
}

void ViewPair::Step(CVekView& from, StepDirection direction) {
  if (m_ended) return;
  Side& side = SideOf(from);
  Side& other = OtherOf(side);
  const FileSession& session = from.Session();
  const std::string first = session.Path();
  const std::string second = other.view->Session().Path();
  if (first.empty() || second.empty()) return; // a window without a file has nothing to compare
  const ComparedNames names = NamesOf(first, second);
  const Offset origin = StepOrigin(session.Page(), session.SelIndex(), direction);
  const bool hexMode = session.HexMode();
  const QPointer<ViewPair> alive(this);
  WaitCursor wait(m_ui);
  const ComparedFiles files(from.Files(), first, second);
  if (!files.Ready()) return m_ui.Tell(CompareFailedMessage(names, files.Failure()));
  CompareResult result;
  {
    // Previous walks down from the selected byte: its progress counts from there.
    const bool next = direction == StepDirection::Next;
    const Offset common = std::min(files.Length(0), files.Length(1));
    SearchProgress progress(&from, next ? origin : 0, next ? common : origin, QStringLiteral("Comparing..."));
    result = files.Step(direction, origin, [&progress, next, origin](Offset reached) {
      return progress.Continue(next ? reached : origin - reached);
    });
  }
  if (!alive || m_ended) return;
  switch (result.status) {
    case SearchStatus::Found:
      m_moving = true;
      Land(side, result.difference.offset, files.Length(0));
      Land(other, result.difference.offset, files.Length(1));
      m_moving = false;
      break;
    case SearchStatus::NotFound:
      m_ui.Tell(NoDifferenceMessage(names, {files.Length(0), files.Length(1)}, direction, origin, hexMode));
      break;
    case SearchStatus::ReadError: m_ui.Tell(CompareFailedMessage(names, files.Failure())); break;
    case SearchStatus::Cancelled: break;
  }
}

void ViewPair::Land(Side& side, Offset difference, Offset length) {
  if (!side.view) return;
  side.view->GoTo(LandingOffset(difference, length));
  side.start = side.view->Session().Page().readStart;
}

void ViewPair::Release(Side& side) {
  CVekView* view = side.view;
  side.view = nullptr;
  if (view == nullptr) return;
  disconnect(view, nullptr, this, nullptr);
  view->MarkDifferences(std::nullopt);
  PositionLabel(*view)->setAccessibleDescription(side.description);
}

void ViewPair::OnViewGone(Side& gone) {
  // The view going away is half destroyed (no longer a view): only the other one is given back.
  gone.view = nullptr;
  for (Side& side : m_sides) Release(side);
  m_ended = true;
  emit ended();
}

} // namespace vek
