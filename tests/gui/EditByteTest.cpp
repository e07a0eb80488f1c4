// Editing a byte by double-clicking it, through the whole program: the dialog opens for the byte
// under the pointer, OK puts exactly that byte into the file where it was read from, and every way
// the write can fail is reported without touching anything else of the file.
#include <gtest/gtest.h>

#include <QTest>

#include <QFile>
#include <QLabel>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "Strings.h"
#include "core/PageGeometry.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {
namespace {

QString Label(const QDialog& dialog, int id) {
  const auto* label = qobject_cast<const QLabel*>(GetDlgItem(&dialog, id));
  return label != nullptr ? label->text() : QStringLiteral("<no label>");
}

// The two hex digits that the page shows for byte `index`.
QString HexShown(const CVekView* view, int index) {
  const int line = index / kBytesPerLine;
  const int inLine = index % kBytesPerLine;
  if (line >= HexLines(view).size()) return {};
  return HexLines(view)[line].mid(inLine / 2 * kHexCellsPerPair + inLine % 2 * 2, 2);
}

class EditByteTest : public ::testing::Test {
 protected:
  // Opens the program on `bytes` and paints the view once, so that clicks find their bytes.
  void Open(const QByteArray& bytes) {
    path = h.files.Write(QStringLiteral("edit.bin"), bytes);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    view->grab();
    ASSERT_TRUE(h.ui.messages.empty());
  }
  void OpenCounting(int size) { Open(TestFiles::Counting(size)); }

  // A person who reads the dialog's texts, picks the radix, types the value and presses OK.
  void ScriptEntry(const QString& text, int radio = 0) {
    h.ui.dialogSteps.push_back([this, text, radio](QDialog& d) {
      shownPosition = Label(d, ids::kEditPosition);
      shownValue = Label(d, ids::kEditCurrentValue);
      positionLineWhileOpen = h.ControlText(view, ids::kPositionLine);
      if (radio != 0) ClickButton(d, radio);
      TypeInto(d, ids::kEditNewValue, text);
      ClickButton(d, ids::kOk);
    });
  }
  void DoubleClickHex(int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    h.DoubleClick(view, view->HexCellCenter(index), modifiers);
  }
  void ExpectWaitCursorBalancedAndUsed(int beginsBefore) const {
    EXPECT_EQ(h.ui.waitDepth, 0);
    EXPECT_GT(h.ui.waitBegins, beginsBefore);
  }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  QString shownPosition;
  QString shownValue;
  QString positionLineWhileOpen;
};

TEST_F(EditByteTest, OkWritesExactlyTheDoubleClickedByteAtTheOffsetShownAndSyncsIt) {
  OpenCounting(1050);
  h.ClickControl(view, ids::kNextPage);
  ASSERT_EQ(view->Session().Page().start, 200);
  QByteArray expected = TestFiles::Read(path);
  const int begins = h.ui.waitBegins;

  ScriptEntry(QStringLiteral("41"), ids::kEditRadioHex);
  DoubleClickHex(7);

  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_EQ(shownPosition, QStringLiteral("Offset : 207"));
  EXPECT_EQ(shownValue, QStringLiteral("Current value : %1").arg(207 & 0xFF));
  expected[207] = 0x41;
  EXPECT_EQ(TestFiles::Read(path), expected);
  EXPECT_EQ(h.fileSystem.counters.writes, 1);
  EXPECT_EQ(h.fileSystem.counters.bytesWritten, 1u);
  EXPECT_EQ(h.fileSystem.counters.lastWriteOffset, 207);
  EXPECT_GE(h.fileSystem.counters.syncs, 1);
  EXPECT_EQ(HexShown(view, 7), QStringLiteral("41"));
  EXPECT_TRUE(h.ui.messages.empty());
  ExpectWaitCursorBalancedAndUsed(begins);
}

TEST_F(EditByteTest, PositionLineKeepsTheValueFromBeforeTheEdit) {
  OpenCounting(300);
  ScriptEntry(QStringLiteral("99"));
  DoubleClickHex(12);
  EXPECT_EQ(positionLineWhileOpen, QStringLiteral("Byte 12 = 12"));
  EXPECT_EQ(h.ControlText(view, ids::kPositionLine), QStringLiteral("Byte 12 = 12"));
  EXPECT_EQ(static_cast<std::uint8_t>(TestFiles::Read(path)[12]), 99);
}

TEST_F(EditByteTest, CharacterColumnDoubleClickEditsThatByte) {
  OpenCounting(300);
  QByteArray expected = TestFiles::Read(path);
  ScriptEntry(QStringLiteral("7a"), ids::kEditRadioHex);
  h.DoubleClick(view, view->AsciiCellCenter(45));
  EXPECT_EQ(shownPosition, QStringLiteral("Offset : 45"));
  expected[45] = 0x7A;
  EXPECT_EQ(TestFiles::Read(path), expected);
  EXPECT_EQ(AsciiLines(view)[2].at(5), QLatin1Char('z'));
}

TEST_F(EditByteTest, InAHexViewTheDialogOpensInHexAndTakesTheTextAsHex) {
  OpenCounting(300);
  h.ClickControl(view, ids::kRadix);
  ASSERT_TRUE(view->Session().HexMode());
  QByteArray expected = TestFiles::Read(path);
  ScriptEntry(QStringLiteral("41"));
  DoubleClickHex(26);
  EXPECT_EQ(shownPosition, QStringLiteral("Offset : 0x1a"));
  EXPECT_EQ(shownValue, QStringLiteral("Current value : 1A"));
  expected[26] = 0x41;
  EXPECT_EQ(TestFiles::Read(path), expected);
}

struct TypedValue {
  const char* text;
  int radio;
  std::uint8_t written;
};

class EditByteValueTest : public EditByteTest, public ::testing::WithParamInterface<TypedValue> {};

TEST_P(EditByteValueTest, WritesTheLowByteOfTheTypedNumber) {
  Open(QByteArray(64, '\x5A'));
  QByteArray expected = TestFiles::Read(path);
  ScriptEntry(QString::fromUtf8(GetParam().text), GetParam().radio);
  DoubleClickHex(3);
  expected[3] = static_cast<char>(GetParam().written);
  EXPECT_EQ(TestFiles::Read(path), expected);
  EXPECT_TRUE(h.ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Values, EditByteValueTest,
                         ::testing::Values(TypedValue{"", ids::kEditRadioHex, 0x00},
                                           TypedValue{"", ids::kEditRadioDecimal, 0x00},
                                           TypedValue{"1FF", ids::kEditRadioHex, 0xFF},
                                           TypedValue{"300", ids::kEditRadioHex, 0x00},
                                           TypedValue{"0x41", ids::kEditRadioHex, 0x41},
                                           TypedValue{"300", ids::kEditRadioDecimal, 0x2C},
                                           TypedValue{"-1", ids::kEditRadioDecimal, 0xFF},
                                           TypedValue{"12ab", ids::kEditRadioDecimal, 0x0C}));

TEST_F(EditByteTest, DecimalTypedThenHexClickedWritesTheConvertedValue) {
  OpenCounting(100);
  h.ui.dialogSteps.push_back([](QDialog& d) {
    ClickButton(d, ids::kEditRadioDecimal);
    TypeInto(d, ids::kEditNewValue, QStringLiteral("255"));
    ClickButton(d, ids::kEditRadioHex);
    ClickButton(d, ids::kOk);
  });
  DoubleClickHex(9);
  EXPECT_EQ(static_cast<std::uint8_t>(TestFiles::Read(path)[9]), 0xFF);
}

TEST_F(EditByteTest, CancelEscapeAndTheCloseBoxWriteNothing) {
  OpenCounting(300);
  const QByteArray before = TestFiles::Read(path);
  const QStringList pageBefore = HexLines(view);
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kEditNewValue, QStringLiteral("41"));
    ClickButton(d, ids::kCancel);
  });
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kEditNewValue, QStringLiteral("41"));
    PressKey(d, Qt::Key_Escape);
  });
  h.ui.dialogSteps.push_back([](QDialog& d) { TypeInto(d, ids::kEditNewValue, QStringLiteral("41")); });
  h.ui.dialogSteps.push_back([](QDialog& d) { // Tab to Cancel, then Enter: Enter presses Cancel
    TypeInto(d, ids::kEditNewValue, QStringLiteral("41"));
    QWidget* cancel = GetDlgItem(&d, ids::kCancel);
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
  });
  for (int i = 0; i < 4; ++i) DoubleClickHex(5);

  EXPECT_EQ(h.ui.dialogsRun, 4);
  EXPECT_EQ(h.fileSystem.counters.writeOpens, 0);
  EXPECT_EQ(TestFiles::Read(path), before);
  EXPECT_EQ(HexLines(view), pageBefore);
  EXPECT_EQ(h.ui.waitDepth, 0);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(EditByteTest, ShiftOrCtrlHeldOpensNothing) {
  OpenCounting(300);
  DoubleClickHex(5, Qt::ShiftModifier);
  DoubleClickHex(5, Qt::ControlModifier);
  EXPECT_EQ(h.ui.dialogsRun, 0);
  EXPECT_EQ(h.fileSystem.counters.writeOpens, 0);
}

TEST_F(EditByteTest, BlankBetweenPairsEditsTheByteSelectedBefore) {
  OpenCounting(300);
  h.Click(view, view->HexCellCenter(33));
  ASSERT_EQ(view->Session().SelIndex(), 33);
  QByteArray expected = TestFiles::Read(path);
  ScriptEntry(QStringLiteral("0"));
  // Between the pair of bytes 0 and 1 and the pair of bytes 2 and 3.
  const QPoint blank((view->HexCellCenter(1).x() + view->HexCellCenter(2).x()) / 2, view->HexCellCenter(1).y());
  h.DoubleClick(view, blank);
  ASSERT_EQ(h.ui.dialogsRun, 1);
  EXPECT_EQ(shownPosition, QStringLiteral("Offset : 33"));
  expected[33] = 0;
  EXPECT_EQ(TestFiles::Read(path), expected);
}

TEST_F(EditByteTest, LastPageOfSevenBytesWritesItsLastByteAndKeepsTheLength) {
  OpenCounting(207);
  h.ClickControl(view, ids::kNextPage);
  ASSERT_EQ(view->Session().Page().start, 200);
  ASSERT_EQ(view->Session().Page().count, 7);
  QByteArray expected = TestFiles::Read(path);
  ScriptEntry(QStringLiteral("ee"), ids::kEditRadioHex);
  DoubleClickHex(6);
  EXPECT_EQ(shownPosition, QStringLiteral("Offset : 206"));
  expected[206] = static_cast<char>(0xEE);
  const QByteArray after = TestFiles::Read(path);
  EXPECT_EQ(after.size(), 207);
  EXPECT_EQ(after, expected);

  // A point past the seven bytes stands for the page's last byte.
  shownPosition.clear();
  h.ui.dialogSteps.push_back([this](QDialog& d) {
    shownPosition = Label(d, ids::kEditPosition);
    ClickButton(d, ids::kCancel);
  });
  DoubleClickHex(12);
  EXPECT_EQ(shownPosition, QStringLiteral("Offset : 206"));
  EXPECT_EQ(TestFiles::Read(path), expected);
}

TEST_F(EditByteTest, APageWithNoBytesNeverOpensTheDialog) {
  Open(QByteArray());
  ASSERT_EQ(view->Session().Page().count, 0);
  DoubleClickHex(0);
  h.DoubleClick(view, view->AsciiCellCenter(0));
  EXPECT_EQ(h.ui.dialogsRun, 0);
  EXPECT_EQ(h.fileSystem.counters.writeOpens, 0);
  EXPECT_EQ(QFile(path).size(), 0);
}

TEST_F(EditByteTest, AFileThatDoesNotOpenForWritingKeepsTheNewValueOnScreenUntilRefresh) {
  OpenCounting(300);
  const QByteArray before = TestFiles::Read(path);
  h.fileSystem.plan.openForWrite = FileError::AccessDenied;
  const int begins = h.ui.waitBegins;
  ScriptEntry(QStringLiteral("41"), ids::kEditRadioHex);
  DoubleClickHex(20);

  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QString::fromUtf8(strings::kFileNotOpened)});
  EXPECT_EQ(TestFiles::Read(path), before);
  EXPECT_EQ(HexShown(view, 20), QStringLiteral("41"));
  ExpectWaitCursorBalancedAndUsed(begins);

  h.ClickControl(view, ids::kRefresh);
  EXPECT_EQ(HexShown(view, 20), QStringLiteral("14"));
  EXPECT_EQ(h.ui.messages.size(), 1u);
}

} // namespace
} // namespace vek::test
