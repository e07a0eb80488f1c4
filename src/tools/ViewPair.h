#pragma once
// Two views compared side by side. The bytes of each page that differ from the other file at the
// same offsets are marked in both views; a page move in one moves the other to the same start;
// Next and Previous difference move both to the nearest offset where the files differ and select
// the byte there; and each position line tells screen readers whether its selected byte differs and
// what the other file holds there. The pair ends when it is deleted or when either view goes, and
// leaves the view that remains as it was before.

#include <array>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QString>

#include "core/ComparedBytes.h"
#include "core/DifferenceStep.h"

namespace vek {

class CVekView;
class UiServices;

class ViewPair final : public QObject {
  Q_OBJECT
 public:
  // `first` leads: `second` moves to its page start.
  ViewPair(CVekView& first, CVekView& second, UiServices& ui, QObject* parent);
  ~ViewPair() override;

  // The other view of the pair; nullptr when `view` is not one of them, or once the pair ended.
  CVekView* Partner(const CVekView& view) const;

  // Next or Previous difference from the selected byte of `from` (one of the pair), with a progress
  // dialog and Cancel on long stretches; a message when there is none, or when a file fails.
  void Step(CVekView& from, StepDirection direction);

 signals:
  void ended(); // one of the views went away

 private:
  struct Side {
    QPointer<CVekView> view;
    Offset start = -1;                // the page start the other view was last moved to follow
    FileResult<ComparedBytes> other;  // the other file's bytes at the offsets of this page
    std::optional<Offset> described;  // the byte the position line names
    QString description;              // the position line's own, given back at the end
  };

  Side& SideOf(const CVekView& view);
  Side& OtherOf(const Side& side);
  void Watch(Side& side);
  void Follow(Side& moved);
  void Refresh();
  void Describe(Side& side);
  void Land(Side& side, Offset difference, Offset length);
  void Release(Side& side);
  void OnViewGone(Side& gone);

  UiServices& m_ui;
  std::array<Side, 2> m_sides;
  bool m_moving = false; // the pair moves the views itself: their page moves are not followed
  bool m_ended = false;
};

} // namespace vek
