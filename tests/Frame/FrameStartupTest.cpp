// Start-up and shutdown on real files in a temporary program directory.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "Common/FileBackup.h"
#include "DataList/DataListDefaults.h"
#include "Frame/EnvironmentKeys.h"
#include "FrameTestSupport.h"
#include "Widgets/UpDown.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {
namespace {

using Strings = std::vector<std::string>;

// The main keys in the order the shutdown writes them.
const char *const kMainKeys[] = {
    "Left", "Top", "Width", "Height", "WindowState", "バーコード文字列", "バーコードの種類",
    "スタートキャラクタ", "ストップキャラクタ", "文字列表示", "チェックデジット", "クリップボード監視",
    "スケール", "ITFフレーム", "表示形式", "高さ", "上の余白", "下の余白", "左の余白", "右の余白",
    "コピー方法", "エレメント比", "印刷の個数", "印刷の倍率", "バーコードの色", "バーコードの背景色",
    "OrgHeight", "等倍印刷の状態を表わすスイッチ", "印刷時の行間隔", "印刷時の列間隔", "ソート条件",
    "ソート方向", "FontName", "FontSize", "FontStyle", "FontColor", "SaveDir"};

QByteArray ReadBytes(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// Lines of a Shift-JIS file written with CR LF, as Unicode.
QStringList ReadLines(const QString &path) {
  const QByteArray bytes = ReadBytes(path);
  QStringList lines = SjisToUnicode(std::string_view(bytes.constData(), bytes.size())).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

void WriteLines(const QString &path, const QStringList &lines) {
  QByteArray bytes;
  for (const QString &line : lines) bytes += QByteArray::fromStdString(UnicodeToSjis(line)) + "\r\n";
  WriteBytes(path, bytes);
}

// A window over an existing program directory, shown (restored) and closed (saved).
struct Session {
  explicit Session(const QString &dir) : form(std::make_unique<TFrameForm>(dir)) {}
  void Show() {
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  bool Close() { return form->close(); }
  std::unique_ptr<TFrameForm> form;
};

struct FrameStartup : ::testing::Test {
  QTemporaryDir dir;
  QString Path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
  QString EnvPath() const { return Path("plomix.ini"); }
  void SetKey(const char *key, const QString &value) {
    QStringList lines = ReadLines(EnvPath());
    for (QString &line : lines)
      if (line.startsWith(U(key) + "=")) line = U(key) + "=" + value;
    WriteLines(EnvPath(), lines);
  }
  // A first run that saves the design-time settings.
  void FirstRunAndClose() {
    Session s(dir.path());
    s.Show();
    ASSERT_TRUE(s.Close());
  }
};

TEST_F(FrameStartup, AFirstRunWritesTheHeaderTheMainKeysInOrderAndTheDataListDefaults) {
  Session s(dir.path());
  s.Show();
  TFrameForm &f = *s.form;
  EXPECT_EQ(f.ComboBox2->currentIndex(), 0);
  EXPECT_EQ(f.BarImage1->BarType(), cbarJAN);
  EXPECT_EQ(f.Records()->Count(), 0);
  EXPECT_EQ(f.ComboBox3->currentText(), " ");
  EXPECT_EQ(f.ComboBox4->currentText(), " ");
  EXPECT_FALSE(f.ComboBox3->isEnabled());
  EXPECT_FALSE(f.UpDown3->isEnabled());
  EXPECT_TRUE(f.CheckBox1->isEnabled());
  EXPECT_TRUE(f.Button7->isEnabled());
  EXPECT_EQ(f.Panel7->text(), U("行間隔 = 10"));
  EXPECT_EQ(f.Panel8->text(), U("列間隔 = 0"));
  EXPECT_TRUE(f.Memo1->toPlainText().isEmpty()) << "no Readme.txt: an empty pane";
  ASSERT_TRUE(s.Close());

  const QStringList lines = ReadLines(EnvPath());
  // The header, the main window's keys, its five label sheet keys, the data list's lines.
  ASSERT_EQ(lines.size(), 1 + 37 + 5 + 19);
  EXPECT_EQ(lines[0], U(kEnvironmentHeader));
  for (int i = 0; i < 37; ++i) EXPECT_EQ(lines[1 + i].section('=', 0, 0), U(kMainKeys[i])) << i;
  EXPECT_EQ(lines[38], U("バーをプリンタのドットに合わせる=True")) << "on by default";
  for (int i = 0; i < 19; ++i)
    EXPECT_EQ(UnicodeToSjis(lines[43 + i]), UnicodeToSjis(U(std::string(kDataListDefaultLines[i]).c_str()))) << i;
  EXPECT_EQ(lines[1 + 4], "WindowState=0");
  EXPECT_EQ(lines[1 + 5], U("バーコード文字列=-1"));
  EXPECT_EQ(lines[1 + 34], "FontStyle=[]");
  EXPECT_EQ(lines[1 + 35], "FontColor=-2147483640");
  EXPECT_EQ(lines[1 + 36], QStringLiteral("SaveDir=\x1A"));
  for (const char *name : {"Plomix.txt", "PlomixUp.txt", "PlomixDn.txt"}) {
    EXPECT_TRUE(QFile::exists(Path(name))) << name;
    EXPECT_TRUE(ReadBytes(Path(name)).isEmpty()) << name;
  }
}

TEST_F(FrameStartup, ARestartRestoresEverySettingAndTheCurrentRecord) {
  {
    Session s(dir.path());
    s.Show();
    TFrameForm &f = *s.form;
    f.ComboBox2->setCurrentIndex(cbarNW7);
    f.ComboBox2Change(cbarNW7);
    f.ComboBox3->setCurrentIndex(2);
    f.ComboBox3Change(2);
    f.ComboBox4->setCurrentIndex(3);
    f.ComboBox4Change(3);
    f.CheckBox1->click();  // CD off
    f.CheckBox2->click();  // symbol text off
    for (auto [edit, value] : {std::pair{f.Edit1, "3"}, {f.Edit6, "4"}, {f.Edit2, "150"}, {f.Edit9, "11"},
                               {f.Edit10, "12"}, {f.Edit4, "13"}, {f.Edit5, "14"}, {f.Edit3, "25"},
                               {f.Edit7, "7"}, {f.Edit8, "250"}}) {
      edit->setText(QString::fromLatin1(value));
      QTest::keyClick(edit, Qt::Key_Return);
    }
    f.ComboBox6->setCurrentIndex(2);
    f.ComboBox6Change(2);
    f.BarImage1->SetBarColor(RGBToColor(1, 2, 3));
    f.BarImage1->SetBackColor(RGBToColor(250, 240, 230));
    f.ActualSizeSwitch = true;
    f.Panel7MouseDown(Qt::RightButton, Qt::ShiftModifier);
    f.Panel8MouseDown(Qt::RightButton, Qt::ControlModifier);
    f.SortKey = skCommentDown;
    f.SortDirection = -1;
    f.FontDialog1Font.Font.setFamily(U("ＭＳ ゴシック"));
    f.FontDialog1Font.Font.setPixelSize(16);
    f.FontDialog1Font.Font.setBold(true);
    f.FontDialog1Font.Font.setUnderline(true);
    f.FontDialog1Font.Color = RGBToColor(0, 128, 0);
    f.SaveDir = U("/tmp/画像");
    for (auto [code, up] : {std::pair{"A1", "u1"}, {"B2", "u2"}, {"C3", "u3"}}) {
      f.ComboBox1->setEditText(code);
      f.ComboBox7->setEditText(up);
      f.ComboBox1KeyDown();
    }
    f.ComboBox1->setCurrentIndex(1);
    f.ComboBox1Change(1);
    f.move(40, 50);
    f.resize(700, 500);
    ASSERT_TRUE(s.Close());
  }
  Session s(dir.path());
  s.Show();
  TFrameForm &f = *s.form;
  TBarImage &bar = *f.BarImage1;
  EXPECT_EQ(f.size(), QSize(700, 500));
  EXPECT_EQ(bar.BarType(), cbarNW7);
  EXPECT_EQ(f.ComboBox3->currentIndex(), 2);
  EXPECT_EQ(bar.StartChar(), 'C');
  EXPECT_EQ(bar.StopChar(), 'D');
  EXPECT_TRUE(f.ComboBox3->isEnabled()) << "the symbology's control states are applied";
  EXPECT_FALSE(bar.CD());
  EXPECT_FALSE(f.CheckBox1->isChecked());
  EXPECT_FALSE(bar.SymbolDisp());
  EXPECT_EQ(bar.Scale(), 3);
  EXPECT_EQ(bar.BarFrame(), 4);
  EXPECT_EQ(bar.BarSpaceUp(), 11);
  EXPECT_EQ(bar.BarSpaceDown(), 12);
  EXPECT_EQ(bar.BarSpaceLeft(), 13);
  EXPECT_EQ(bar.BarSpaceRight(), 14);
  EXPECT_EQ(bar.ElementRatio(), 25);
  EXPECT_EQ(f.UpDown7->Position(), 7);
  EXPECT_EQ(f.UpDown8->Position(), 250);
  EXPECT_EQ(f.UpDown2->Position(), 150);
  EXPECT_EQ(f.ComboBox6->currentIndex(), 2);
  EXPECT_EQ(f.ComboBox5->currentIndex(), 1);
  EXPECT_EQ(bar.BarPicture(), picWMF);
  EXPECT_EQ(bar.BarColor(), RGBToColor(1, 2, 3));
  EXPECT_EQ(bar.BackColor(), RGBToColor(250, 240, 230));
  EXPECT_EQ(f.OrgHeight, 150);
  EXPECT_TRUE(f.ActualSizeSwitch);
  EXPECT_EQ(f.RowSpacing, 20);
  EXPECT_EQ(f.Panel7->text(), U("行間隔 = 20"));
  EXPECT_EQ(f.ColumnSpacing, 5);
  EXPECT_EQ(f.SortKey, skCommentDown);
  EXPECT_EQ(f.SortDirection, -1);
  EXPECT_EQ(bar.BarFont()->Font.family(), U("ＭＳ ゴシック"));
  EXPECT_EQ(bar.BarFont()->Font.pixelSize(), 16);
  EXPECT_TRUE(bar.BarFont()->Font.bold());
  EXPECT_TRUE(bar.BarFont()->Font.underline());
  EXPECT_FALSE(bar.BarFont()->Font.italic());
  EXPECT_EQ(bar.BarFont()->Color, RGBToColor(0, 128, 0));
  EXPECT_EQ(f.SaveDir, U("/tmp/画像"));
  EXPECT_EQ(f.Records()->List(rfCode), (Strings{"A1", "B2", "C3"}));
  EXPECT_EQ(f.CurrentIndex(), 1);
  EXPECT_EQ(f.ShownIndex, 1);
  EXPECT_EQ(bar.Code(), "B2");
  EXPECT_EQ(bar.CommentUp(), "u2");
  EXPECT_EQ(f.ComboBox7->currentText(), "u2");
}

// Every key restores into the control or field it is saved from: a file written back
// unchanged is the same bytes.
TEST_F(FrameStartup, AFileWithEveryKeyChangedIsWrittenBackByteForByte) {
  FirstRunAndClose();
  const struct { const char *key; const char *value; } changed[] = {
      {"Left", "31"}, {"Top", "42"}, {"Width", "401"}, {"Height", "433"},
      {"バーコードの種類", "3"}, {"スタートキャラクタ", "1"}, {"ストップキャラクタ", "2"},
      {"文字列表示", "False"}, {"チェックデジット", "True"},
      {"スケール", "3"}, {"表示形式", "1"}, {"高さ", "121"}, {"上の余白", "5"},
      {"下の余白", "6"}, {"左の余白", "7"}, {"右の余白", "8"}, {"コピー方法", "1"},
      {"エレメント比", "30"}, {"印刷の個数", "4"}, {"印刷の倍率", "150"},
      {"バーコードの色", "255"}, {"バーコードの背景色", "65280"}, {"OrgHeight", "121"},
      {"等倍印刷の状態を表わすスイッチ", "True"}, {"印刷時の行間隔", "20"}, {"印刷時の列間隔", "30"},
      {"ソート条件", "2"}, {"ソート方向", "1"}, {"FontSize", "12"}, {"FontStyle", "[fsBold,fsItalic]"},
      {"FontColor", "255"}, {"SaveDir", "/tmp/plomix-saved"}};
  for (const auto &[key, value] : changed) SetKey(key, U(value));
  const QByteArray before = ReadBytes(EnvPath());
  const QStringList lines = ReadLines(EnvPath());
  FirstRunAndClose();
  const QStringList after = ReadLines(EnvPath());
  ASSERT_EQ(after.size(), lines.size());
  for (int i = 0; i < lines.size(); ++i) EXPECT_EQ(after[i], lines[i]);
  EXPECT_EQ(ReadBytes(EnvPath()), before);
}

TEST_F(FrameStartup, AShortUpperCommentFileGivesEmptyUpperComments) {
  WriteBytes(Path("Plomix.txt"), "1\r\n2\r\n3\r\n4\r\n5\r\n");
  WriteBytes(Path("PlomixUp.txt"), "a\r\nb\r\nc\r\nd\r\n");
  WriteBytes(Path("PlomixDn.txt"), "v\r\nw\r\nx\r\ny\r\nz\r\n");
  Session s(dir.path());
  AnswerNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->accept(); });
  s.Show();
  EXPECT_EQ(s.form->Records()->List(rfCommentUp), Strings(5, ""));
  EXPECT_EQ(s.form->Records()->List(rfCommentDown), (Strings{"v", "w", "x", "y", "z"}));
  EXPECT_EQ(s.form->CurrentIndex(), 0) << "a first run selects record 0";
  EXPECT_EQ(s.form->BarImage1->CommentDown(), "v");
}

TEST_F(FrameStartup, ASavedCurrentIndexBeyondTheRecordsSelectsRecordZero) {
  FirstRunAndClose();
  WriteBytes(Path("Plomix.txt"), "1\r\n2\r\n3\r\n4\r\n5\r\n");
  for (const char *value : {"7", "-1", "4"}) {
    SetKey("バーコード文字列", value);
    Session s(dir.path());
    s.Show();
    EXPECT_EQ(s.form->CurrentIndex(), QByteArray(value) == "4" ? 4 : 0) << value;
  }
}

TEST_F(FrameStartup, ThreeEmptyListsAtCloseGiveThreeEmptyFilesAndNoRecordsNextTime) {
  WriteBytes(Path("Plomix.txt"), "1\r\n");
  WriteBytes(Path("PlomixUp.txt"), "u\r\n");
  WriteBytes(Path("PlomixDn.txt"), "d\r\n");
  {
    Session s(dir.path());
    s.Show();
    s.form->Button5Click();
    ASSERT_TRUE(s.Close());
  }
  for (const char *name : {"Plomix.txt", "PlomixUp.txt", "PlomixDn.txt"}) {
    EXPECT_TRUE(QFile::exists(Path(name))) << name;
    EXPECT_TRUE(ReadBytes(Path(name)).isEmpty()) << name;
  }
  Session s(dir.path());
  s.Show();
  EXPECT_EQ(s.form->Records()->Count(), 0);
  EXPECT_EQ(s.form->Panel5->text(), "") << "a restored start without records clears the status";
}

TEST_F(FrameStartup, DataListKeysWrittenAloneMoveBehindTheHeaderAndTheMainKeys) {
  const QStringList dataList = {"DLeft=5", "DTop=6", U("検索文字列=abc")};
  WriteLines(EnvPath(), dataList);
  {
    Session s(dir.path());
    s.Show();
    EXPECT_EQ(s.form->BarImage1->BarType(), cbarJAN) << "no main keys: a first run, silently";
    ASSERT_TRUE(s.Close());
  }
  const QStringList lines = ReadLines(EnvPath());
  ASSERT_EQ(lines.size(), 1 + 37 + 5 + 3);  // and the five label sheet keys
  EXPECT_EQ(lines[0], U(kEnvironmentHeader));
  EXPECT_EQ(lines[1].section('=', 0, 0), "Left");
  EXPECT_EQ(lines.mid(43), dataList);
}

TEST_F(FrameStartup, KeysOfTheDataListWindowStayWhereTheyAreOnLaterSaves) {
  FirstRunAndClose();
  SetKey("DLeft", "77");
  FirstRunAndClose();
  const QStringList lines = ReadLines(EnvPath());
  EXPECT_EQ(lines.size(), 1 + 37 + 5 + 19);  // and the five label sheet keys
  EXPECT_EQ(lines[43], "DLeft=77");
}

TEST_F(FrameStartup, ClosingMaximisedKeepsTheLastNormalBounds) {
  {
    Session s(dir.path());
    s.Show();
    s.form->move(30, 40);
    s.form->resize(500, 460);
    ASSERT_TRUE(s.Close());
  }
  const QStringList before = ReadLines(EnvPath()).mid(1, 4);
  {
    Session s(dir.path());
    s.Show();
    s.form->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(s.form->isMaximized());
    ASSERT_TRUE(s.Close());
  }
  const QStringList lines = ReadLines(EnvPath());
  EXPECT_EQ(lines.mid(1, 4), before);
  EXPECT_EQ(lines[5], "WindowState=2");
  Session s(dir.path());
  s.Show();
  EXPECT_TRUE(s.form->isMaximized());
}

TEST_F(FrameStartup, AFileThatCannotBeWrittenAtCloseKeepsTheWindowOpenAndLosesNothing) {
  FirstRunAndClose();
  const QByteArray environment = ReadBytes(EnvPath());
  Session s(dir.path());
  s.Show();
  s.form->ComboBox1->setEditText("NEW");
  s.form->ComboBox1KeyDown();
  // A directory where the upper comment file should be: it cannot be replaced.
  ASSERT_TRUE(QFile::remove(Path("PlomixUp.txt")));
  ASSERT_TRUE(QDir(dir.path()).mkdir("PlomixUp.txt"));
  QString reported;
  AnswerNextModal([&](QWidget *modal) {
    reported = static_cast<QMessageBox *>(modal)->text();
    static_cast<QDialog *>(modal)->accept();
  });
  EXPECT_FALSE(s.Close());
  EXPECT_TRUE(s.form->isVisible());
  EXPECT_TRUE(reported.contains("PlomixUp.txt")) << reported.toStdString();
  EXPECT_EQ(ReadBytes(Path("Plomix.txt")), "NEW\r\n") << "files before the failing one are written";
  EXPECT_EQ(ReadBytes(EnvPath()), environment) << "the environment file is not touched";
  EXPECT_EQ(s.form->Records()->List(rfCode), Strings{"NEW"});
  ASSERT_TRUE(QDir(dir.path()).rmdir("PlomixUp.txt"));
  EXPECT_TRUE(s.Close());
  EXPECT_EQ(ReadBytes(Path("PlomixUp.txt")), "\r\n");
}

TEST_F(FrameStartup, MalformedValuesAreReportedOnceAndKeepTheirDesignTimeValues) {
  FirstRunAndClose();
  SetKey("文字列表示", "true");
  SetKey("スケール", "abc");
  SetKey("高さ", "200");
  QStringList lines = ReadLines(EnvPath());
  lines.removeIf([](const QString &line) { return line.startsWith("FontSize="); });
  WriteLines(EnvPath(), lines);
  int messages = 0;
  QString text;
  AnswerNextModal([&](QWidget *modal) {
    ++messages;
    text = static_cast<QMessageBox *>(modal)->text();
    static_cast<QDialog *>(modal)->accept();
  });
  Session s(dir.path());
  s.Show();
  ASSERT_TRUE(WaitUntil([&] { return messages > 0; }));
  DeliverQueuedEvents();
  EXPECT_EQ(messages, 1);
  EXPECT_TRUE(text.contains(U("Value of 文字列表示 'true' is not Boolean Type."))) << text.toStdString();
  EXPECT_TRUE(text.contains("abc")) << text.toStdString();
  EXPECT_TRUE(text.contains("Name 'FontSize' is not found in parameters.")) << text.toStdString();
  EXPECT_TRUE(s.form->BarImage1->SymbolDisp());
  EXPECT_EQ(s.form->BarImage1->Scale(), 1);
  EXPECT_EQ(s.form->BarImage1->BarHeight(), 200) << "the rest is restored";
  EXPECT_EQ(s.form->BarImage1->BarFont()->Font.pixelSize(), 12);
  ASSERT_TRUE(s.Close());
  const QStringList saved = ReadLines(EnvPath());
  EXPECT_TRUE(saved.contains(U("文字列表示=True"))) << "the next close writes sound values";
  EXPECT_TRUE(saved.contains(U("スケール=1")));
  EXPECT_TRUE(saved.contains(U("FontSize=9")));
  EXPECT_EQ(saved.size(), 1 + 37 + 5 + 19);  // and the five label sheet keys
}

TEST_F(FrameStartup, TheReadmePaneScrollsToTheChosenSymbology) {
  QStringList readme;
  for (int i = 0; i < 600; ++i) readme << QStringLiteral("line %1").arg(i);
  WriteLines(Path("Readme.txt"), readme);
  Session s(dir.path());
  s.Show();
  s.form->resize(900, 500);
  QCoreApplication::processEvents();
  QPlainTextEdit *memo = s.form->Memo1;
  EXPECT_EQ(memo->document()->blockCount(), 601);
  const struct { TBarTypes type; int line; } rows[] = {{cbarCODE39, 100}, {cbarCODE93, 449}, {cbarJAN, 60}};
  for (const auto &row : rows) {
    s.form->ComboBox2->setCurrentIndex(row.type);
    s.form->ComboBox2Change(row.type);
    EXPECT_EQ(memo->cursorForPosition(QPoint(4, 4)).block().text(), QStringLiteral("line %1").arg(row.line));
  }
}


// Damaged data files open without a crash and the next close writes three sound files
// with one line per record.
TEST_F(FrameStartup, DamagedDataFilesOpenAndTheNextCloseWritesSoundFiles) {
  const QByteArray longLine(10 * 1024 * 1024, 'x');
  WriteBytes(Path("Plomix.txt"), "A1\rB2\r\n\x82\xA0\x82\r\n" + longLine + "\r\nC3\0tail\r\n");
  WriteBytes(Path("PlomixUp.txt"), "u1\ru2\r\nu3\r\nu4\r\nu5");
  WriteBytes(Path("PlomixDn.txt"), QByteArray("d1\0d2", 5));
  Session s(dir.path());
  QStringList reported;
  AnswerNextModal([&](QWidget *modal) {
    reported << static_cast<QMessageBox *>(modal)->text();
    static_cast<QDialog *>(modal)->accept();
  });
  s.Show();
  ASSERT_TRUE(WaitUntil([&] { return !reported.isEmpty(); }));
  DeliverQueuedEvents();
  const Strings codes = s.form->Records()->List(rfCode);
  ASSERT_EQ(codes.size(), 5u);
  EXPECT_EQ(codes[0], "A1") << "a lone CR ends a line";
  EXPECT_EQ(codes[3].size(), static_cast<std::size_t>(longLine.size()));
  EXPECT_EQ(codes[4], "C3") << "a NUL byte ends the text";
  EXPECT_EQ(s.form->Records()->List(rfCommentUp), (Strings{"u1", "u2", "u3", "u4", "u5"}));
  EXPECT_EQ(s.form->Records()->List(rfCommentDown), Strings(5, "")) << "one line for five records";
  EXPECT_EQ(reported.size(), 1) << "what could not be taken in whole is reported";
  EXPECT_EQ(s.form->BarImage1->Code(), "A1");
  ASSERT_TRUE(s.Close());
  EXPECT_EQ(ReadBytes(Path("Plomix.txt")), "A1\r\nB2\r\n\x82\xA0\x82\r\n" + longLine + "\r\nC3\r\n");
  EXPECT_EQ(ReadBytes(Path("PlomixDn.txt")), "\r\n\r\n\r\n\r\n\r\n");
}

}  // namespace
}  // namespace plomix::test

namespace plomix::test {
namespace {

// Runs a command; mounting needs root, so the tests that mount skip without it.
bool RunCommand(const QString &program, const QStringList &arguments) {
  QProcess process;
  process.start(program, arguments);
  return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

struct Unmount {
  QString path;
  ~Unmount() { RunCommand("umount", {path}); }
};

// The text of the next message box, answered with `button` (an object name) or Ok.
struct NextMessage {
  QString text;
  QSize size;
  bool answered = false;
  explicit NextMessage(const char *button = nullptr) {
    AnswerNextModal([this, button](QWidget *modal) {
      auto *box = static_cast<QMessageBox *>(modal);
      answered = true;
      text = box->text();
      size = box->frameGeometry().size();
      if (button) box->findChild<QPushButton *>(button)->click();
      else box->accept();
    });
  }
  // Waits for the message to come and be answered.
  bool Wait() const { return WaitUntil([this] { return answered; }); }
};

struct FrameSafety : FrameStartup {
  QString Value(const char *key) const {
    for (const QString &line : ReadLines(EnvPath()))
      if (line.startsWith(U(key) + "=")) return line.mid(int(U(key).size()) + 1);
    return {};
  }
};

// Start with the program's folder read-only (the per-user folder is used), make it
// writable, close: the records beside the program must still be there.
TEST_F(FrameSafety, TheDataFolderIsChosenOnceAtStartUp) {
  WriteBytes(Path("Plomix.txt"), "KEEP1\r\nKEEP2\r\n");
  WriteBytes(Path("PlomixUp.txt"), "up1\r\nup2\r\n");
  QTemporaryDir perUser;
  qputenv("XDG_DATA_HOME", perUser.path().toLocal8Bit());
  if (!RunCommand("mount", {"--bind", dir.path(), dir.path()})) GTEST_SKIP() << "a read-only bind mount needs root";
  Unmount unmount{dir.path()};
  ASSERT_TRUE(RunCommand("mount", {"-o", "remount,bind,ro", dir.path()}));
  NextMessage notice;
  Session s(dir.path());
  s.Show();
  ASSERT_TRUE(notice.Wait());
  EXPECT_TRUE(s.form->Records()->IsEmpty());
  EXPECT_TRUE(notice.text.contains(U("「Plomix.txt」"))) << notice.text.toStdString();
  ASSERT_TRUE(RunCommand("mount", {"-o", "remount,bind,rw", dir.path()}));
  EXPECT_TRUE(s.Close());
  EXPECT_EQ(ReadBytes(Path("Plomix.txt")), "KEEP1\r\nKEEP2\r\n") << "the records beside the program";
  EXPECT_EQ(ReadBytes(Path("PlomixUp.txt")), "up1\r\nup2\r\n");
  EXPECT_FALSE(QFile::exists(EnvPath()));
  qunsetenv("XDG_DATA_HOME");
}

// Text after a NUL in the environment file (the data-list window's keys, say) is kept as
// a backup; when no backup can be made (99 of them exist) the file is not written at all.
TEST_F(FrameSafety, TextAfterANulInTheEnvironmentFileIsNeverDroppedSilently) {
  for (const bool backupsFull : {false, true}) {
    FirstRunAndClose();
    QByteArray environment = ReadBytes(EnvPath());
    environment.insert(environment.indexOf("DLeft="), QByteArray(1, '\0'));
    WriteBytes(EnvPath(), environment);
    for (int n = 1; backupsFull && n <= kMaxBackups; ++n)
      WriteBytes(EnvPath() + (n == 1 ? QString(".bak") : QStringLiteral(".bak.%1").arg(n)), "other");
    NextMessage notice;
    Session s(dir.path());
    s.Show();
    ASSERT_TRUE(notice.Wait());
    EXPECT_TRUE(notice.text.contains(U("環境設定ファイル「plomix.ini」の NUL 文字"))) << notice.text.toStdString();
    ASSERT_TRUE(s.Close());
    if (backupsFull) {
      EXPECT_EQ(ReadBytes(EnvPath()), environment) << "left as it is";
    } else {
      EXPECT_EQ(ReadBytes(EnvPath() + ".bak"), environment) << "the data-list keys after the NUL";
      EXPECT_FALSE(ReadBytes(EnvPath()).contains('\0'));
    }
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files)) QFile::remove(dir.filePath(name));
  }
}

// A file that cannot be written at close: the message offers to close without writing,
// and the files on disk stay as they were.
TEST_F(FrameSafety, TheCloseErrorOffersAWayOutThatWritesNothingMore) {
  FirstRunAndClose();
  const QByteArray environment = ReadBytes(EnvPath());
  Session s(dir.path());
  s.Show();
  WriteBytes(Path("PlomixDn.txt"), "old\r\n");
  ASSERT_TRUE(QFile::remove(Path("PlomixUp.txt")));
  ASSERT_TRUE(QDir(dir.path()).mkdir("PlomixUp.txt"));
  NextMessage error("CloseWithoutSaving");
  EXPECT_TRUE(s.Close()) << "the user can always close";
  EXPECT_TRUE(error.text.startsWith(U("データファイル「PlomixUp.txt」を保存出来ませんでした"))) << error.text.toStdString();
  EXPECT_EQ(ReadBytes(Path("PlomixDn.txt")), "old\r\n");
  EXPECT_EQ(ReadBytes(EnvPath()), environment);
}

// A full disk is reported with the system's reason after a Japanese sentence.
TEST_F(FrameSafety, AFullDiskIsReportedWithTheSystemsReason) {
  if (!RunCommand("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", dir.path()})) GTEST_SKIP() << "mounting needs root";
  Unmount unmount{dir.path()};
  Session s(dir.path());
  s.Show();
  s.form->ComboBox1->setEditText(QString(30000, QLatin1Char('7')));
  s.form->ComboBox1KeyDown();
  NextMessage error("CloseWithoutSaving");
  EXPECT_TRUE(s.Close());
  EXPECT_TRUE(error.text.startsWith(U("データファイル「Plomix.txt」を保存出来ませんでした"))) << error.text.toStdString();
  EXPECT_TRUE(error.text.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)))) << error.text.toStdString();
}

// Values outside what their control (or the font dialog) allows are reported, naming
// their key, and replaced by the design value; the next close writes sound values.
TEST_F(FrameSafety, ValuesOutsideTheirControlsRangeAreReportedAndReplaced) {
  struct Row { const char *key, *value, *saved; } rows[] = {
      {"FontSize", "0", "9"}, {"スケール", "11", "1"}, {"印刷時の行間隔", "3000", "10"},
      {"バーコードの種類", "99", "0"}, {"WindowState", "1e3", "0"}, {"コピー方法", "1e3", "0"},
      {"表示形式", "-1", "0"}, {"スタートキャラクタ", "x", nullptr}, {"OrgHeight", "0", "100"},
      {"Width", "2147483647", nullptr}, {"Left", "100000", nullptr}, {"バーコード文字列", "1e3", "0"},
  };
  for (const char *fontSize : {"0", "22369622"}) {
    FirstRunAndClose();
    rows[0].value = fontSize;
    for (const Row &row : rows) SetKey(row.key, U(row.value));
    for (const char *name : {"Plomix.txt", "PlomixUp.txt", "PlomixDn.txt"}) WriteBytes(Path(name), "A\r\nB\r\n");
    NextMessage notice;
    Session s(dir.path());
    s.Show();
    ASSERT_TRUE(notice.Wait());
    EXPECT_TRUE(notice.text.startsWith(U("環境設定ファイル「plomix.ini」の次の設定"))) << notice.text.toStdString();
    for (const Row &row : rows) EXPECT_TRUE(notice.text.contains(U("「%1」").arg(U(row.key)))) << row.key;
    EXPECT_EQ(s.form->BarImage1->BarFont()->Font.pixelSize(), 12) << fontSize;
    const QRect area = s.form->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(s.form->frameGeometry().topLeft())) << fontSize;
    EXPECT_LE(s.form->width(), area.width());
    ASSERT_TRUE(s.Close());
    for (const Row &row : rows)
      if (row.saved) {
        EXPECT_EQ(Value(row.key), U(row.saved)) << row.key;
      }
    EXPECT_LE(Value("Width").toInt(), area.width()) << "never saved back as a huge window";
  }
}

// A saved position off every screen, or a size below the window's minimum, gives a
// reachable window; the stored values are kept while the user does not move it.
TEST_F(FrameSafety, AnUnreachableWindowIsPutOnTheScreenAndItsBoundsKept) {
  FirstRunAndClose();
  SetKey("Left", "-5000");
  SetKey("Top", "-5000");
  SetKey("Width", "20");
  SetKey("Height", "20");
  Session s(dir.path());
  s.Show();
  const QRect area = s.form->screen()->availableGeometry();
  EXPECT_TRUE(area.contains(QRect(s.form->pos(), s.form->size()))) << "reachable";
  EXPECT_GE(s.form->width(), s.form->Panel2->width());
  ASSERT_TRUE(s.Close());
  EXPECT_EQ(Value("Left"), "-5000");
  EXPECT_EQ(Value("Width"), "20");
}

// A 10 MB value neither freezes the start-up nor makes a message taller than the screen.
TEST_F(FrameSafety, AHugeValueGivesAShortMessageThatFitsTheScreen) {
  FirstRunAndClose();
  SetKey("スケール", QString(10 * 1024 * 1024, QLatin1Char('9')));
  SetKey("FontName", QString(10 * 1024 * 1024, QLatin1Char('F')));
  NextMessage notice;
  Session s(dir.path());
  s.Show();
  ASSERT_TRUE(notice.Wait());
  EXPECT_TRUE(notice.text.contains(U("「スケール」"))) << notice.text.left(200).toStdString();
  EXPECT_TRUE(notice.text.contains(U("「FontName」")));
  EXPECT_LT(notice.text.size(), 1000);
  EXPECT_LE(notice.size.height(), s.form->screen()->availableGeometry().height());
  ASSERT_TRUE(s.Close());
  EXPECT_EQ(Value("スケール"), "1");
}

// An environment file that is a FIFO is not waited on: reported, moved aside, replaced.
TEST_F(FrameSafety, AnEnvironmentFileThatIsAFifoDoesNotHangTheStartUp) {
  ASSERT_EQ(mkfifo(QFile::encodeName(EnvPath()).constData(), 0600), 0);
  NextMessage notice;
  Session s(dir.path());
  s.Show();
  ASSERT_TRUE(notice.Wait());
  EXPECT_TRUE(notice.text.startsWith(U("環境設定ファイル「plomix.ini」を読み込めませんでした"))) << notice.text.toStdString();
  ASSERT_TRUE(s.Close());
  EXPECT_TRUE(QFileInfo(EnvPath()).isFile());
  EXPECT_TRUE(QFileInfo(EnvPath() + ".bak").exists());
}

}  // namespace
}  // namespace plomix::test
