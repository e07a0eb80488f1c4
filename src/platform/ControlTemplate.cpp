#include "platform/ControlTemplate.h"

#include <algorithm>

#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/DialogUnits.h"
#include "platform/DigitsOnlyFilter.h"

namespace vek {

namespace {

constexpr const char* kIdProperty = "vekControlId";

QLabel* MakeLabel(QWidget* parent, const QString& text, Qt::Alignment align, bool wrap) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setAlignment(align | Qt::AlignTop);
  label->setWordWrap(wrap);
  return label;
}

QWidget* MakeWidget(QWidget* parent, const ControlRow& row) {
  const QString text = QString::fromUtf8(row.text);
  switch (row.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
      auto* button = new QPushButton(text, parent);
      button->setAutoDefault(false);
      button->setDefault(row.kind == ControlKind::DefaultPushButton);
      return button;
    }
    case ControlKind::PushLikeCheckBox: {
      auto* button = new QPushButton(text, parent);
      button->setCheckable(true);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::RadioButton:
      return new QRadioButton(text, parent);
    case ControlKind::Edit:
    case ControlKind::NumberEdit: {
      auto* edit = new QLineEdit(text, parent);
      if (row.kind == ControlKind::NumberEdit) edit->installEventFilter(new DigitsOnlyFilter(edit));
      return edit;
    }
    case ControlKind::Static:
      return MakeLabel(parent, text, Qt::AlignLeft, true);
    case ControlKind::StaticNoWrap:
      return MakeLabel(parent, text, Qt::AlignLeft, false);
    case ControlKind::StaticCenter:
      return MakeLabel(parent, text, Qt::AlignHCenter, true);
    case ControlKind::StaticIcon: {
      auto* label = new QLabel(parent);
      const QRect rect = DluRect(row.x, row.y, row.width, row.height);
      const int side = std::min(rect.width(), rect.height());
      label->setPixmap(QIcon(text).pixmap(side, side));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::GroupBox: {
      auto* box = new QGroupBox(text, parent);
      // A group box only frames; clicks inside it belong to the window beneath.
      box->setAttribute(Qt::WA_TransparentForMouseEvents);
      return box;
    }
  }
  return nullptr;
}

} // namespace

QWidget* CreateControl(QWidget* parent, const ControlRow& row) {
  QWidget* widget = MakeWidget(parent, row);
  QRect rect = DluRect(row.x, row.y, row.width, row.height);
  // A one-line label a little wider than its template cell in this font would lose its last
  // characters to word wrapping; it grows to the right instead.
  if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && !label->text().contains(u'\n')) {
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    if (needed > rect.width()) rect.setWidth(needed);
  }
  widget->setGeometry(rect);
  widget->setProperty(kIdProperty, row.id);
  if (row.id != kNoControlId) widget->setObjectName(QStringLiteral("ctl%1").arg(row.id));
  return widget;
}

QWidget* GetDlgItem(const QWidget* parent, int id) {
  if (parent == nullptr || id == kNoControlId) return nullptr;
  return parent->findChild<QWidget*>(QStringLiteral("ctl%1").arg(id), Qt::FindDirectChildrenOnly);
}

int GetDlgCtrlID(const QWidget* control) {
  if (control == nullptr) return 0;
  const QVariant id = control->property(kIdProperty);
  return id.isValid() ? id.toInt() : 0;
}

QRect ControlRect(const QWidget* parent, int id) {
  const QWidget* control = GetDlgItem(parent, id);
  return control != nullptr ? control->geometry() : QRect();
}

} // namespace vek
