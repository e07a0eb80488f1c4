// The commands that choose the file and the page the view shows, the radix toggle and the tool
// tips of the form.

#include <QAbstractButton>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolTip>

#include "ResourceIds.h"
#include "edit/CConverterDlg.h"
#include "platform/ControlTemplate.h"
#include "core/FileSession.h"
#include "platform/UiServices.h"
#include "search/PatternSearch.h"
#include "view/CVekView.h"

namespace vek {

namespace {
struct ToolTipRow {
  int controlId;
  const char* text;
};
constexpr ToolTipRow kToolTips[] = {
    {ids::kNew, "Open New"},          {ids::kStart, "Byte Pos"},      {ids::kRefresh, "Redraw"},
    {ids::kRadix, "Hex/Dec Disp."},   {ids::kNextPage, "Next Page"},  {ids::kPrevPage, "Prev Page"},
    {ids::kConverter, "Hex/Dec Conv."}, {ids::kFind, "Find Pattern"}, {ids::kNext, "Find Next"},
};
} // namespace

void CVekView::ConnectControls() {
  // In the order of the view's message map.
  const auto clicked = [this](int id, void (CVekView::*handler)()) {
    connect(Item<QAbstractButton>(this, id), &QAbstractButton::clicked, this, handler);
  };
  clicked(ids::kNew, &CVekView::OnNew);
  connect(m_startEdit, &QLineEdit::textChanged, this, &CVekView::OnChangeStart);
  clicked(ids::kRefresh, &CVekView::RefreshPage);
  clicked(ids::kRadix, &CVekView::OnRadixToggle);
  clicked(ids::kNextPage, &CVekView::OnNextPage);
  clicked(ids::kPrevPage, &CVekView::OnPrevPage);
  clicked(ids::kConverter, &CVekView::OnConverter);
  clicked(ids::kFind, &CVekView::OnFind);
  clicked(ids::kNext, &CVekView::OnNext);
  // A screen reader's Toggle action flips the radix button without clicking it. The view catches
  // up once the event loop turns; after a click, handled at once, there is nothing left to do.
  connect(m_radixButton, &QAbstractButton::toggled, this, [this] {
    QTimer::singleShot(0, this, [this] {
      if (m_radixButton->isChecked() != m_session.HexMode()) OnRadixToggle();
    });
  });

  // What a screen reader says for the controls whose own text says little ("<", ">") or nothing.
  for (const ToolTipRow& row : kToolTips) {
    GetDlgItem(this, row.controlId)->setAccessibleDescription(QString::fromUtf8(row.text));
  }
  for (const int id : {ids::kPrevPage, ids::kNextPage}) GetDlgItem(this, id)->setAccessibleName(OnToolTipNeedText(id));
  const std::pair<int, const char*> names[] = {
      {ids::kStart, "Start"},
      // The untitled frames of the columns take the captions written under them.
      {ids::kOffsetFrame, "Offset"}, {ids::kHexFrame, "File bytes in hex-words"},
      {ids::kAsciiFrame, "File bytes in ASCII"},
  };
  for (const auto& [id, name] : names) GetDlgItem(this, id)->setAccessibleName(QString::fromUtf8(name));
  m_positionLabel->setAccessibleDescription(QStringLiteral("Offset and value of the selected byte"));
}

void CVekView::OnNew() {
  std::string name;
  if (AskFileName(name)) LoadFile(name);
}

void CVekView::OnChangeStart() { m_session.TypedStart(m_startEdit->text().toStdString()); }

void CVekView::OnGoToStart() {
  OnChangeStart();
  RefreshPage();
}

void CVekView::OnNextPage() { ShowPage(m_session.Page().Next()); }
void CVekView::OnPrevPage() { ShowPage(m_session.Page().Previous()); }
void CVekView::OnFirstPage() { ShowPage(m_session.Page().First()); }
void CVekView::OnLastPage() { ShowPage(m_session.Page().Last()); }

void CVekView::OnRadixToggle() {
  const bool hexMode = m_radixButton->isChecked();
  m_radixButton->setText(hexMode ? QStringLiteral("Hex") : QStringLiteral("Dec"));
  Apply(m_session.ToggleRadix(hexMode));
}

QString CVekView::OnToolTipNeedText(int controlId) const {
  for (const ToolTipRow& row : kToolTips) {
    if (row.controlId == controlId) return QString::fromUtf8(row.text);
  }
  return {};
}

bool CVekView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* control = qobject_cast<QWidget*>(watched);
    const int id = GetDlgCtrlID(control);
    if (control != nullptr && id != 0) {
      const QString text = OnToolTipNeedText(id);
      if (text.isEmpty()) {
        QToolTip::hideText();
      } else {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CVekView::OnConverter() {
  CConverterDlg dialog;
  m_ui.RunModal(dialog);
}

void CVekView::OnFind() { Apply(RunFind(m_ui, m_files, m_session, this)); }

void CVekView::OnNext() { Apply(RunNext(m_ui, m_files, m_session, this)); }

void CVekView::OnFindPrevious() { Apply(RunPrevious(m_ui, m_files, m_session, this)); }

bool CVekView::EnsureSearchPattern() {
  if (!m_session.SearchPattern().Empty()) return true;
  const bool given = AskForPattern(m_ui, m_session);
  emit sessionChanged();
  return given;
}

} // namespace vek
