#include "platform/ControlTemplate.h"

#include <algorithm>

#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextOption>

#include "platform/AppIcons.h"
#include "platform/DialogUnits.h"
#include "platform/DigitsOnlyFilter.h"

namespace vek {

namespace {

constexpr const char* kIdProperty = "vekControlId";
constexpr int kIconSide = 32; // an icon control takes its icon's own size, whatever its row says

// Static texts expand tabs to stops every eight average characters (32 dialog units), so that the
// columns of a "name<tab><tab>description" list line up; QLabel alone would use wider stops.
class TabExpandingLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    QTextOption option(alignment());
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    option.setTabStopDistance(DluToPixelsX(kTabStopDlu));
    painter.drawText(QRectF(contentsRect()), text(), option);
  }

 private:
  static constexpr int kTabStopDlu = 32;
};

QLabel* MakeLabel(QWidget* parent, const QString& text, Qt::Alignment align, bool wrap) {
  auto* label = text.contains(u'\t') ? new TabExpandingLabel(parent) : new QLabel(parent);
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
      label->setPixmap(QIcon(text).pixmap(kIconSide, kIconSide));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      // A picture has no text for a screen reader to say.
      label->setAccessibleName(text == QLatin1String(kAppIconPath) ? QStringLiteral("VEK icon") : QStringLiteral("Icon"));
      return label;
    }
    case ControlKind::GroupBox: {
      auto* box = new QGroupBox(text, parent);
      // A group box only frames; clicks inside it belong to the controls it frames and to the
      // window beneath, so it also lies beneath every other control.
      box->setAttribute(Qt::WA_TransparentForMouseEvents);
      box->lower();
      return box;
    }
  }
  return nullptr;
}

// An edit shows no text of its own that says what it is for; a screen reader names it after its
// label: the static text on its left in the same row, or else the one just above it. Templates
// list labels before or after their edits, so the pairing is made again as either arrives.
constexpr const char* kNamedByLabelProperty = "vekNamedByLabel";

QString NameFromLabel(const QString& text) {
  QString name = text.trimmed();
  if (name.endsWith(u':')) name.chop(1);
  return name.trimmed();
}

QLabel* LabelOf(const QWidget* parent, const QLineEdit* edit) {
  const QRect e = edit->geometry();
  QLabel* best = nullptr;
  int bestScore = 0;
  for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (label->text().trimmed().isEmpty()) continue;
    const QRect l = label->geometry();
    const int lRight = l.x() + l.width();
    const int lBottom = l.y() + l.height();
    const bool sameRow = l.x() < e.x() && l.y() < e.y() + e.height() && lBottom > e.y();
    const bool above = lBottom <= e.y() + e.height() / 2 && l.y() < e.y() && l.x() < e.x() + e.width() && lRight > e.x();
    // A label on the same row beats one above; nearer beats farther; none farther than the edit is high.
    int score = 0;
    if (sameRow && e.x() - lRight <= 2 * e.height()) {
      score = std::max(0, e.x() - lRight);
    } else if (above && e.y() - lBottom <= e.height()) {
      score = 10 * e.height() + std::max(0, e.y() - lBottom);
    } else {
      continue;
    }
    if (best == nullptr || score < bestScore) {
      best = label;
      bestScore = score;
    }
  }
  return best;
}

void NameEditsAfterLabels(QWidget* parent) {
  for (QLineEdit* edit : parent->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
    if (!edit->accessibleName().isEmpty() && !edit->property(kNamedByLabelProperty).toBool()) continue;
    QLabel* label = LabelOf(parent, edit);
    if (label == nullptr) continue;
    label->setBuddy(edit); // the label-for relation; the texts hold no '&', so no shortcut comes of it
    edit->setAccessibleName(NameFromLabel(label->text()));
    edit->setProperty(kNamedByLabelProperty, true);
  }
}

} // namespace

QWidget* CreateControl(QWidget* parent, const ControlRow& row) {
  QWidget* widget = MakeWidget(parent, row);
  QRect rect = DluRect(row.x, row.y, row.width, row.height);
  if (row.kind == ControlKind::StaticIcon) rect.setSize(QSize(kIconSide, kIconSide));
  // A one-line label a little wider than its template cell in this font would lose its last
  // characters to word wrapping; it grows to the right instead. Labels with room for several
  // lines wrap as they are meant to.
  if (auto* label = qobject_cast<QLabel*>(widget);
      label != nullptr && !label->text().isEmpty() && !label->text().contains(u'\n') &&
      rect.height() < 2 * label->fontMetrics().lineSpacing()) {
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    if (needed > rect.width()) rect.setWidth(needed);
  }
  widget->setGeometry(rect);
  widget->setProperty(kIdProperty, row.id);
  if (row.id != kNoControlId) widget->setObjectName(QStringLiteral("ctl%1").arg(row.id));
  if (qobject_cast<QLabel*>(widget) != nullptr || qobject_cast<QLineEdit*>(widget) != nullptr) {
    NameEditsAfterLabels(parent);
  }
  return widget;
}

QWidget* GetDlgItem(const QWidget* parent, int id) {
  if (parent == nullptr || id == kNoControlId) return nullptr;
  return parent->findChild<QWidget*>(QStringLiteral("ctl%1").arg(id), Qt::FindDirectChildrenOnly);
}

void WrongControl(int id, const char* wanted) {
  qFatal("control %d is missing or not a %s", id, wanted);
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
