// The environment file store: line rules, name lookup, typed values, errors and paths.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

#include "Common/ShiftJis.h"
#include "Param/TParameter.h"

namespace plomix {
namespace {

std::string Sjis(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

std::string ReadBytes(const QString &path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll().toStdString();
}

void WriteBytes(const QString &path, const std::string &bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A store whose file lives in a fresh temporary folder.
class ParameterFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    param_.SetDir(dir_.path().toStdString());
    param_.SetFileName("Plomix.ini");
  }
  QString Path() const { return dir_.filePath("Plomix.ini"); }
  void LoadFrom(const std::string &bytes) {
    WriteBytes(Path(), bytes);
    param_.Load();
  }

  QTemporaryDir dir_;
  TParameter param_;
};

TEST_F(ParameterFile, ReadingSplitsLinesAtCrLfOrCrLfAndStopsAtNul) {
  struct Row {
    const char *note;
    std::string bytes;
    std::vector<std::string> lines;
  } rows[] = {
      {"empty file: first run", "", {}},
      {"CR LF", "a=1\r\nb=2\r\n", {"a=1", "b=2"}},
      {"LF only", "a=1\nb=2\n", {"a=1", "b=2"}},
      {"lone CR", "a=1\rb=2\r", {"a=1", "b=2"}},
      {"last line without end", "a=1\r\nb=2", {"a=1", "b=2"}},
      {"blank lines count", "\r\n\r\nx\r\n", {"", "", "x"}},
      {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
      {"NUL ends the text", std::string("a=1\r\nb=2\0c=3\r\n", 14), {"a=1", "b=2"}},
      {"Shift-JIS kept as bytes", Sjis("表示形式=1\r\n"), {Sjis("表示形式=1")}},
  };
  for (const Row &row : rows) {
    param_.Clear();
    param_.Add("stale");
    LoadFrom(row.bytes);
    EXPECT_EQ(param_.AllLines(), row.lines) << row.note;
  }
}

TEST_F(ParameterFile, SavedFileIsByteIdenticalAfterLoad) {
  const std::string original = Sjis("；この行は編集しないで下さい。\r\n") +
                               "Width=5\r\nWidth=7\r\nKey=a=b\r\nSaveDir=\x1A\r\n" +
                               Sjis("バーコードの種類=10\r\n") + "\r\nlast line\r\n";
  LoadFrom(original);
  EXPECT_EQ(param_.Count(), 8);
  QFile::remove(Path());
  param_.Save();
  EXPECT_EQ(ReadBytes(Path()), original);
}

TEST_F(ParameterFile, SavingEndsEveryLineWithCrLf) {
  LoadFrom("a=1\nb=2\rc=3");
  param_.Save();
  EXPECT_EQ(ReadBytes(Path()), "a=1\r\nb=2\r\nc=3\r\n");
  param_.Clear();
  param_.Save();
  EXPECT_EQ(ReadBytes(Path()), "") << "an empty list gives an empty file";
}

TEST_F(ParameterFile, LoadOfMissingFileKeepsTheLines) {
  param_.Add("kept=1");
  param_.Load();
  EXPECT_EQ(param_.Count(), 1);
}

TEST_F(ParameterFile, LoadOfAFolderFailsAndKeepsTheLines) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Plomix.ini"));
  param_.Add("kept=1");
  EXPECT_THROW(param_.Load(), EFileError);
  EXPECT_EQ(param_.AllLines(), std::vector<std::string>{"kept=1"});
}

// Only a regular file of a sane size is read: a FIFO would hang the start-up for good, a
// link to /dev/zero would read until memory runs out.
TEST_F(ParameterFile, SpecialFilesAreRefusedUnread) {
  const std::function<void()> makers[] = {
      [&] { ASSERT_EQ(mkfifo(Path().toLocal8Bit().constData(), 0600), 0); },
      [&] { ASSERT_TRUE(QFile::link("/dev/zero", Path())); },
      [&] { ASSERT_TRUE(QFile::link(dir_.filePath("gone"), Path())); },
  };
  for (const auto &make : makers) {
    QFile::remove(Path());
    make();
    param_.Clear();
    EXPECT_THROW(param_.Load(), EFileError);
    EXPECT_EQ(param_.Count(), 0);
  }
}

TEST_F(ParameterFile, TextAfterANulIsNoticed) {
  LoadFrom(std::string("Left=1\r\n\0Top=2\r\n", 17));
  EXPECT_TRUE(param_.TextAfterNul());
  EXPECT_EQ(param_.AllLines(), std::vector<std::string>{"Left=1"});
  LoadFrom(std::string("Left=1\r\n\0\0", 10));
  EXPECT_FALSE(param_.TextAfterNul()) << "NUL padding holds nothing";
}

// A 10 MB value is read in linear time and quoted by a short prefix only.
TEST_F(ParameterFile, AHugeValueGivesAShortMessage) {
  LoadFrom("Scale=" + std::string(10 * 1024 * 1024, '9') + "\r\nFlag=" + std::string(10 * 1024 * 1024, 'x') + "\r\n");
  for (const std::function<void()> &read : std::initializer_list<std::function<void()>>{
           [&] { param_.ReadInteger("Scale"); }, [&] { param_.ReadBool("Flag"); }}) {
    try {
      read();
      ADD_FAILURE() << "no error";
    } catch (const std::exception &error) {
      EXPECT_LT(std::string(error.what()).size(), 100u) << std::string(error.what()).substr(0, 100);
    }
  }
}

TEST_F(ParameterFile, SaveIntoMissingFolderFailsAndNamesTheFile) {
  const QString folder = dir_.filePath(QStringLiteral("存在しない/フォルダ"));
  param_.SetDir(QFile::encodeName(folder).toStdString());
  param_.Add("a=1");
  try {
    param_.Save();
    FAIL() << "no error";
  } catch (const EFileError &e) {
    const QString message = SjisToUnicode(e.what());
    EXPECT_TRUE(message.contains(folder + "/Plomix.ini")) << "Shift-JIS like every message: "
                                                          << message.toStdString();
  }
}

TEST_F(ParameterFile, SaveOverAFolderFailsAndLeavesItWhole) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Plomix.ini"));
  WriteBytes(dir_.filePath("Plomix.ini/inner"), "kept");
  param_.Add("a=1");
  EXPECT_THROW(param_.Save(), EFileError);
  EXPECT_EQ(ReadBytes(dir_.filePath("Plomix.ini/inner")), "kept");
}

TEST(ParameterLookup, NamesMatchWithoutRegardToLetterCase) {
  TParameter p;
  p.Add(Sjis("；このファイルは、編集しないで下さい。"));
  p.Add("Left=10");
  p.Add(Sjis("スケール=3"));
  p.Add(Sjis("Ａｂｃ=4"));
  p.Add("Key=a=b");
  p.Add("=orphan");
  struct Row {
    const char *note;
    std::string name;
    const char *value;  // nullptr: not found
  } rows[] = {
      {"worked example: upper case", "LEFT", "10"},
      {"worked example: lower case", "left", "10"},
      {"value keeps its own '='", "key", "a=b"},
      {"Japanese name", Sjis("スケール"), "3"},
      {"second byte 0x58 'X' of ス is not folded to 0x78 'x' of ベ", Sjis("ベケール"), nullptr},
      {"full-width letters fold", Sjis("ａＢＣ"), "4"},
      {"prefix is not a match", "Lef", nullptr},
      {"longer name is not a match", "Lefts", nullptr},
      {"empty name matches a line starting with '='", "", "orphan"},
  };
  for (const Row &row : rows) {
    if (row.value) {
      EXPECT_EQ(p.ReadString(row.name), row.value) << row.note;
    } else {
      EXPECT_THROW(p.ReadString(row.name), EValueName) << row.note;
    }
  }
}

TEST(ParameterLookup, CommentLinesNeverMatch) {
  TParameter p;
  p.Add("Left");
  EXPECT_THROW(p.ReadString("Left"), EValueName);
  p.WriteInteger("Left", 1);
  EXPECT_EQ(p.AllLines(), (std::vector<std::string>{"Left", "Left=1"}));
}

TEST(ParameterLookup, DuplicateNamesReadAndWriteTheFirst) {
  TParameter p;
  p.Add("Width=5");
  p.Add("Width=7");
  EXPECT_EQ(p.ReadInteger("width"), 5);
  p.WriteInteger("WIDTH", 9);
  EXPECT_EQ(p.AllLines(), (std::vector<std::string>{"WIDTH=9", "Width=7"}))
      << "replaced in place, spelled as in the write";
}

TEST(ParameterWrite, NewNameIsAppendedAfterEveryLine) {
  TParameter p;
  p.Add("header comment");
  p.Add("a=1");
  p.Add("trailing comment");
  p.WriteInteger("b", -2147483640);
  EXPECT_EQ(p.Lines(3), "b=-2147483640");
  EXPECT_EQ(p.Count(), 4);
}

TEST(ParameterValues, EmptyTextIsStoredAsTheMarker) {
  TParameter p;
  p.WriteString("SaveDir", "");
  EXPECT_EQ(p.Lines(0), "SaveDir=\x1A");
  EXPECT_EQ(p.ReadString("SaveDir"), "");
  EXPECT_THROW(p.ReadInteger("SaveDir"), EConvertError);
}

TEST(ParameterValues, MissingAndEmptyValuesGiveTheNotFoundMessage) {
  TParameter p;
  p.Add("Top=");
  for (const char *name : {"Top", "Absent"}) {
    try {
      p.ReadString(name);
      FAIL() << name;
    } catch (const EValueName &e) {
      EXPECT_EQ(std::string(e.what()), std::string("Name '") + name + "' is not found in parameters.");
    }
  }
  EXPECT_THROW(p.ReadBool("Top"), EValueName);
}

TEST(ParameterValues, BooleansAreExactlyTrueOrFalse) {
  TParameter p;
  p.WriteBool("On", true);
  p.WriteBool("Off", false);
  p.Add("Lower=true");
  p.Add("Spaced=True ");
  EXPECT_EQ(p.Lines(0), "On=True");
  EXPECT_EQ(p.Lines(1), "Off=False");
  EXPECT_TRUE(p.ReadBool("On"));
  EXPECT_FALSE(p.ReadBool("Off"));
  struct Row {
    const char *name;
    const char *message;
  } rows[] = {
      {"Lower", "Value of Lower 'true' is not Boolean Type."},
      {"Spaced", "Value of Spaced 'True ' is not Boolean Type."},
  };
  for (const Row &row : rows) {
    try {
      p.ReadBool(row.name);
      FAIL() << row.name;
    } catch (const EValueName &e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

TEST(ParameterValues, IntegersAreSignedDecimal) {
  struct Row {
    const char *text;
    bool ok;
    int value;
  } rows[] = {
      {"10", true, 10},
      {"-2147483640", true, -2147483640},  // the stored window-text colour
      {"+7", true, 7},
      {"007", true, 7},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483647", true, 2147483647},
      {"2147483648", false, 0},
      {"99999999999999999999", false, 0},
      {"12a", false, 0},
      {" 1", false, 0},
      {"-", false, 0},
      {"1.5", false, 0},
  };
  for (const Row &row : rows) {
    TParameter p;
    p.Add(std::string("N=") + row.text);
    if (row.ok) {
      EXPECT_EQ(p.ReadInteger("N"), row.value) << row.text;
    } else {
      try {
        p.ReadInteger("N");
        ADD_FAILURE() << row.text;
      } catch (const EConvertError &e) {
        EXPECT_EQ(std::string(e.what()), "'" + std::string(row.text) + "' is not a valid integer value");
      }
    }
  }
}

TEST(ParameterValues, FontStylesRoundTrip) {
  struct Row {
    TFontStyles styles;
    const char *text;
  } rows[] = {
      {{}, "[]"},
      {{fsBold, fsUnderline}, "[fsBold,fsUnderline]"},
      {{fsStrikeOut, fsItalic, fsUnderline, fsBold}, "[fsBold,fsItalic,fsUnderline,fsStrikeOut]"},
      {{fsStrikeOut}, "[fsStrikeOut]"},
  };
  for (const Row &row : rows) {
    TParameter p;
    p.WriteFontStyle("FontStyle", row.styles);
    EXPECT_EQ(p.Lines(0), std::string("FontStyle=") + row.text);
    EXPECT_EQ(p.ReadFontStyle("FontStyle"), row.styles) << row.text;
  }
}

TEST(ParameterValues, FontStyleReadFindsNamesAnywhereCaseSensitively) {
  TParameter p;
  p.Add("A=fsItalic junk [fsStrikeOut");
  p.Add("B=[fsbold,FSITALIC]");
  EXPECT_EQ(p.ReadFontStyle("A"), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_EQ(p.ReadFontStyle("B"), TFontStyles{});
}

TEST(ParameterLines, IndexOutsideTheListRaisesTheRangeError) {
  TParameter p;
  p.Add("a");
  p.Add("b");
  const std::function<void()> calls[] = {
      [&] { p.Lines(2); }, [&] { p.Lines(-1); }, [&] { p.Delete(2); }, [&] { p.Insert(3, "x"); }};
  const char *messages[] = {"2 is not within the valid range of 0..1",
                            "-1 is not within the valid range of 0..1",
                            "2 is not within the valid range of 0..1",
                            "3 is not within the valid range of 0..2"};
  for (std::size_t i = 0; i < std::size(calls); ++i) {
    try {
      calls[i]();
      ADD_FAILURE() << i;
    } catch (const ERangeError &e) {
      EXPECT_STREQ(e.what(), messages[i]);
    }
  }
  TParameter empty;
  EXPECT_THROW(empty.Lines(0), ERangeError);
}

TEST(ParameterLines, InsertDeleteAndAddKeepFileOrder) {
  TParameter p;
  EXPECT_EQ(p.Add("b"), 0);
  EXPECT_EQ(p.Add("d"), 1);
  p.Insert(0, "a");
  p.Insert(2, "c");
  p.Insert(4, "e");
  EXPECT_EQ(p.AllLines(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  p.Delete(0);
  p.Delete(3);
  EXPECT_EQ(p.AllLines(), (std::vector<std::string>{"b", "c", "d"}));
}

TEST(ParameterPaths, ProgramPathGivesFolderAndIniName) {
  struct Row {
    const char *exe, *dir, *fileName, *fullName;
  } rows[] = {
      {"/opt/tools/Plomix", "/opt/tools", "Plomix.ini", "/opt/tools/Plomix.ini"},
      {"/opt/tools/Plomix.bin", "/opt/tools", "Plomix.ini", "/opt/tools/Plomix.ini"},
      {"/Plomix", "/", "Plomix.ini", "/Plomix.ini"},  // the root keeps its slash
      {"/opt/v1.2/Plomix", "/opt/v1.2", "Plomix.ini", "/opt/v1.2/Plomix.ini"},
      {"Plomix.exe", "", "Plomix.ini", ""},  // no folder: no file
  };
  for (const Row &row : rows) {
    TParameter p;
    p.SetExeName(row.exe);
    EXPECT_EQ(p.Dir(), row.dir) << row.exe;
    EXPECT_EQ(p.FileName(), row.fileName) << row.exe;
    EXPECT_EQ(p.FullName(), row.fullName) << row.exe;
  }
}

TEST(ParameterPaths, EmptyDirOrNameReturnsToTheProgramsOwn) {
  TParameter p;
  p.SetDir("/data");
  p.SetFileName("Other.ini");
  p.SetExeName("/opt/tools/Plomix");
  EXPECT_EQ(p.FullName(), "/data/Other.ini") << "set values are kept";
  p.SetDir("");
  p.SetFileName("");
  EXPECT_EQ(p.FullName(), "/opt/tools/Plomix.ini");
  p.SetDir("/data/");
  EXPECT_EQ(p.FullName(), "/data/Plomix.ini") << "no doubled slash";

  TParameter noProgram;
  noProgram.SetDir("/data");
  noProgram.SetDir("");
  EXPECT_EQ(noProgram.Dir(), "");
  EXPECT_EQ(noProgram.FullName(), "");
}

TEST(ParameterPaths, OpenReadsTheFileNamedAfterTheProgram) {
  TParameter p;
  const std::string exe = QCoreApplication::applicationFilePath().toStdString();
  const QString ini = QCoreApplication::applicationDirPath() + "/" +
                      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".ini";
  WriteBytes(ini, "Left=42\r\n");
  p.Open();
  QFile::remove(ini);
  EXPECT_EQ(p.ExeName(), exe);
  EXPECT_EQ(p.FullName(), ini.toStdString());
  EXPECT_EQ(p.ReadInteger("Left"), 42);
}

}  // namespace
}  // namespace plomix
