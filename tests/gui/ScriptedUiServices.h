#pragma once
// A UiServices that a test scripts: it records every message box, answers file dialogs from a
// queue of names, and runs each modal dialog through the next scripted step instead of a person.

#include <deque>
#include <functional>
#include <vector>

#include <QDialog>
#include <QStringList>
#include <QString>

#include "platform/UiServices.h"

namespace vek::test {

struct RecordedMessage {
  QString text;
  MessageIcon icon;
};

class ScriptedUiServices final : public UiServices {
 public:
  // A step gets the dialog shown (not yet accepted) and works it as a person would: types, clicks.
  // The dialog's result when the step returns is what RunModal returns; a step that leaves the
  // dialog open rejects it, as the close box would.
  using DialogStep = std::function<void(QDialog&)>;

  void MessageBox(const QString& text, MessageIcon icon) override {
    messages.push_back({text, icon});
    if (onMessage) onMessage(text);
  }
  void BeginWaitCursor() override {
    ++waitDepth;
    ++waitBegins;
  }
  void EndWaitCursor() override { --waitDepth; }
  QString AskOpenFileName(QWidget*, const QString& title, const QString& filter) override {
    fileDialogTitles.push_back(title);
    fileDialogFilters.push_back(filter);
    if (fileAnswers.empty()) return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  int RunModal(QDialog& dialog) override;

  QStringList MessageTexts() const {
    QStringList texts;
    for (const auto& m : messages) texts << m.text;
    return texts;
  }

  std::vector<RecordedMessage> messages;
  std::function<void(const QString&)> onMessage; // e.g. to look at the state while a box is up
  std::deque<QString> fileAnswers;               // empty string = Cancel
  std::vector<QString> fileDialogTitles;
  std::vector<QString> fileDialogFilters;
  std::deque<DialogStep> dialogSteps;            // none left = Cancel at once
  int dialogsRun = 0;
  int waitDepth = 0;  // 0 again after every command
  int waitBegins = 0;
};

// Steps that work a dialog as a person would.
void ClickButton(QDialog& dialog, int controlId);
void TypeInto(QDialog& dialog, int controlId, const QString& text); // focus, select all, type
void PressKey(QDialog& dialog, int key);

} // namespace vek::test
