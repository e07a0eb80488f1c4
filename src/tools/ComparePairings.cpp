#include "tools/ComparePairings.h"

#include "tools/ViewPair.h"

namespace vek {

ComparePairings::ComparePairings(UiServices& ui, QObject* owner) : QObject(owner), m_ui(ui) {}

ViewPair* ComparePairings::PairOf(const CVekView& view) const {
  for (ViewPair* pair : findChildren<ViewPair*>(Qt::FindDirectChildrenOnly)) {
    if (pair->Partner(view) != nullptr) return pair;
  }
  return nullptr;
}

void ComparePairings::Pair(CVekView& view, CVekView& other) {
  if (&view == &other) return;
  if (const ViewPair* pair = PairOf(view); pair != nullptr && pair->Partner(view) == &other) return;
  delete PairOf(view);
  delete PairOf(other);
  auto* pair = new ViewPair(view, other, m_ui, this);
  connect(pair, &ViewPair::ended, this, [this, pair] {
    pair->deleteLater(); // it is still in the call that told of the view going away
    emit changed();
  });
  emit changed();
}

void ComparePairings::Stop(const CVekView& view) {
  if (ViewPair* pair = PairOf(view)) {
    delete pair;
    emit changed();
  }
}

} // namespace vek
