#pragma once
// The views compared side by side, two at a time (tools/ViewPair.h): a view is in one pair at
// most. Owned by the main window; a pair ends when asked, when either of its views is paired anew,
// or when either view goes.

#include <QObject>

namespace vek {

class CVekView;
class UiServices;
class ViewPair;

class ComparePairings final : public QObject {
  Q_OBJECT
 public:
  ComparePairings(UiServices& ui, QObject* owner);

  // Compares `view` with `other` side by side, `other` moved to the page `view` shows; the pairs
  // either was in end first.
  void Pair(CVekView& view, CVekView& other);
  // The pair of `view` ends; nothing when it is in none.
  void Stop(const CVekView& view);
  ViewPair* PairOf(const CVekView& view) const;

 signals:
  void changed(); // a pair began or ended

 private:
  UiServices& m_ui;
};

} // namespace vek
