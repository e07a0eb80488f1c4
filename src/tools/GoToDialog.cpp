#include "tools/GoToDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/FileSession.h"
#include "core/GoToMessage.h"
#include "platform/PathText.h"
#include "platform/UiServices.h"
#include "view/CVekView.h"

namespace vek {

namespace {

constexpr const char* kTitle = "Go To";
constexpr const char* kPrompt = "&Offset of the byte to go to:";
constexpr const char* kHintPrefix = "For example ";

} // namespace

GoToDialog::GoToDialog(UiServices& ui, const FileSession& session, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_session(session), m_expression(new QLineEdit(this)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  auto* prompt = new QLabel(QString::fromUtf8(kPrompt), this);
  prompt->setBuddy(m_expression);
  auto* hint = new QLabel(QString::fromUtf8(kHintPrefix) + QString::fromUtf8(kGoToForms.data(), kGoToForms.size()), this);
  hint->setWordWrap(true);
  hint->setEnabled(false); // the hint reads as a hint, greyed, beside the field a person types in
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(m_expression);
  layout->addWidget(hint);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Wide enough for the hint on two lines and a 64-bit hex offset in the field.
  hint->setFixedWidth(hint->fontMetrics().horizontalAdvance(hint->text()) / 2 + hint->fontMetrics().averageCharWidth() * 4);
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
