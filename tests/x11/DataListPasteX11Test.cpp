// Spreadsheet blocks through the real clipboard of an X server (run under xvfb-run):
// another program (xclip) holds what LibreOffice Calc puts there, real Ctrl+V, Ctrl+Z
// and Ctrl+C key events come from the X server (xdotool), and xclip reads the copy back.
#include <QProcess>

#include "tests/DataList/DataListFixture.h"

namespace plomix::test {
namespace {

constexpr int kPatienceMs = 20000;  // a limit for a stuck X server, not a timing

QByteArray RunProgram(const QString &program, const QStringList &args, const QByteArray &input = {}) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForStarted()) return {};
  if (!input.isNull()) {
    process.write(input);
    process.closeWriteChannel();
  }
  // The event loop keeps turning, so this program answers the X requests meanwhile.
  QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kPatienceMs);
  return process.readAllStandardOutput();
}

// A key pressed on the X server's keyboard; it reaches the window with the input focus.
void PressKeys(const char *keys) { RunProgram(QStringLiteral("xdotool"), {"key", "--clearmodifiers", keys}); }

std::vector<std::string> Codes(const ListFixture &f) {
  std::vector<std::string> codes;
  for (const TDataRecord &r : f.Model()->Rows()) codes.push_back(r.Code);
  return codes;
}

TEST(X11DataList, CalcBlockPastedWithRealCtrlVAndUndoneWithCtrlZ) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  ListFixture f;
  f.Open({{"A", "a1", "a2"}, {"B", "b1", "b2"}});
  f.form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.form.get()));
  f.ClickCell(2, 1);
  // LibreOffice Calc's text for three rows of three cells: Japanese, empty cells, a cell
  // with a line break (quoted), LF after every row.
  RunProgram(QStringLiteral("xclip"), {"-selection", "clipboard", "-i"},
      "4901234567894\t\xE5\x95\x86\xE5\x93\x81\t\n\t\t\xE5\x9C\xA8\xE5\xBA\xAB\n"
      "4909876543210\t\"\xE6\x9D\xB1\xE4\xBA\xAC\n\xE5\x80\x89\xE5\xBA\xAB\"\tz\n");
  PressKeys("ctrl+v");
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.Model()->RecordCount() == 4; }, kPatienceMs));
  EXPECT_EQ(Codes(f), (std::vector<std::string>{"A", "4901234567894", "", "4909876543210", ""}));
  EXPECT_EQ(f.Model()->Cell(2, 2), S("商品"));
  EXPECT_EQ(f.Model()->Cell(3, 3), S("在庫"));
  EXPECT_EQ(f.Model()->Cell(4, 2), S("東京 倉庫"));

  // The pasted block is selected: Ctrl+C puts it back on the clipboard for other programs.
  PressKeys("ctrl+c");
  QByteArray csv;
  QTest::qWaitFor([&] {
    csv = RunProgram(QStringLiteral("xclip"), {"-selection", "clipboard", "-o", "-t", "text/csv"});
    return !csv.isEmpty();
  }, kPatienceMs);
  EXPECT_EQ(QString::fromUtf8(csv), U("4901234567894,商品,\r\n,,在庫\r\n4909876543210,東京 倉庫,z\r\n"));

  PressKeys("ctrl+z");
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.Model()->RecordCount() == 2; }, kPatienceMs));
  EXPECT_EQ(Codes(f), (std::vector<std::string>{"A", "B", ""}));
  EXPECT_EQ(f.Model()->Cell(2, 3), "b2");
}

}  // namespace
}  // namespace plomix::test
