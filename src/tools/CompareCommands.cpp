#include "tools/CompareCommands.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include "core/FileSession.h"
#include "tools/CompareKeys.h"
#include "tools/ComparePairings.h"
#include "tools/PageContextMenu.h"
#include "tools/ViewPair.h"
#include "view/CVekView.h"

namespace vek {

CompareCommands::CompareCommands(PageContextMenu& menu, CVekView& view, ComparePairings& pairings, QMdiArea& documents)
    : QObject(&menu), m_view(view), m_pairings(pairings), m_documents(documents), m_windows(new QMenu(menu.Menu())) {
  menu.AddSeparator();
  QAction* compareWith = menu.AddCommand(QStringLiteral("Co&mpare with"), QKeySequence(kCompareWithKey), [this] { PopupWindows(); });
  compareWith->setMenu(m_windows);
  m_windows->setAccessibleName(QStringLiteral("Compare with"));
  connect(m_windows, &QMenu::aboutToShow, this, &CompareCommands::FillWindows);
  const auto step = [this](StepDirection direction) {
    if (ViewPair* pair = m_pairings.PairOf(m_view)) pair->Step(m_view, direction);
  };
  m_next = menu.AddCommand(QStringLiteral("Ne&xt difference"), QKeySequence(kNextDifferenceKey),
                           [step] { step(StepDirection::Next); });
  m_previous = menu.AddCommand(QStringLiteral("Pre&vious difference"), QKeySequence(kPreviousDifferenceKey),
                               [step] { step(StepDirection::Previous); });
  m_stop = menu.AddCommand(QStringLiteral("&Stop comparing"), QKeySequence(kStopComparingKey),
                           [this] { m_pairings.Stop(m_view); });
  connect(&pairings, &ComparePairings::changed, this, &CompareCommands::UpdateItems);
  connect(menu.Menu(), &QMenu::aboutToShow, this, &CompareCommands::UpdateItems);
  UpdateItems();
}

void CompareCommands::UpdateItems() {
  const bool paired = m_pairings.PairOf(m_view) != nullptr;
  for (QAction* action : {m_next, m_previous, m_stop}) action->setEnabled(paired);
}

void CompareCommands::FillWindows() {
  m_windows->clear();
  const ViewPair* pair = m_pairings.PairOf(m_view);
  const CVekView* partner = pair != nullptr ? pair->Partner(m_view) : nullptr;
  int number = 0;
  for (QMdiSubWindow* window : m_documents.subWindowList()) {
    auto* other = qobject_cast<CVekView*>(window->widget());
    // A window that is closing is still listed until it is gone; one that shows no file has
    // nothing to compare.
    if (other == nullptr || other == &m_view || window->isHidden() || other->Session().Path().empty()) continue;
    ++number;
    QAction* item = m_windows->addAction(QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle()));
    item->setCheckable(true);
    item->setChecked(other == partner);
    const QPointer<CVekView> chosen(other);
    connect(item, &QAction::triggered, this, [this, chosen] {
      if (chosen) m_pairings.Pair(m_view, *chosen);
    });
  }
  if (number == 0) m_windows->addAction(QStringLiteral("No other document window is open"))->setEnabled(false);
}

void CompareCommands::PopupWindows() {
  // From the keyboard: at the selected byte, where the page's menu opens too.
  m_windows->popup(m_view.SelectedCellOnScreen());
}

} // namespace vek
