#include "tools/GoToDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/FileSession.h"
#include "core/GoToExpression.h"
#include "core/GoToMessage.h"
#include "platform/PathText.h"
#include "platform/UiServices.h"
#include "view/CVekView.h"

namespace vek {

namespace {

constexpr const char* kTitle = "Go To";
constexpr const char* kPrompt = "&Offset of the byte to go to:";
// One form a line, so that none is broken in two.
constexpr const char* kHint =
    "1050 or 0x41A, with K, M or G for KiB, MiB or GiB\n"
    "+16 or -16: counted from the selected byte\n"
    "end-16: counted back from the end (end-1 is the last byte)";

} // namespace

GoToDialog::GoToDialog(UiServices& ui, const FileSession& session, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_session(session), m_expression(new QLineEdit(this)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  auto* prompt = new QLabel(QString::fromUtf8(kPrompt), this);
  prompt->setBuddy(m_expression);
  auto* hint = new QLabel(QString::fromUtf8(kHint), this);
  m_expression->setAccessibleDescription(hint->text()); // read with the field, as it is seen with it
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(m_expression);
  layout->addWidget(hint);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(buttons, &QDialogButtonBox::accepted, this, &GoToDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &GoToDialog::reject);
}

void GoToDialog::accept() {
  const std::string typed = m_expression->text().toStdString();
  const GoToResult result = EvaluateGoTo(typed, m_session.SelectedOffset(), m_session.Page().fileSize);
  if (!result.ok()) {
    m_ui.Tell(GoToMessage(result, typed, DisplayFileName(m_session.Path()).toStdString(), m_session.Page().fileSize,
                          m_session.HexMode()));
    // The text stays to be mended.
    m_expression->setFocus();
    m_expression->selectAll();
    return;
  }
  m_target = result.offset;
  QDialog::accept();
}

void AskGoTo(UiServices& ui, CVekView& view) {
  GoToDialog dialog(ui, view.Session(), &view);
  if (ui.RunModal(dialog) != QDialog::Accepted) return;
  if (const std::optional<Offset> target = dialog.Target()) view.GoTo(*target);
}

} // namespace vek
