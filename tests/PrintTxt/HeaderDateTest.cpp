// The printed list's time is the locale's long time, as the C library writes "%X".
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "PrintTxt/HeaderDate.h"

namespace plomix {
namespace {

// Locales the test needs, compiled from the C library's sources into a scratch folder
// that LOCPATH names, so that none has to be installed on the machine.
class LocaleLongTimeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new QTemporaryDir;
    for (const char *name : {"ja_JP", "en_US"})
      QProcess::execute(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), QLatin1String(name), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                         folder->filePath(QLatin1String(name) + QStringLiteral(".UTF-8"))});
    setenv("LOCPATH", folder->path().toLocal8Bit().constData(), 1);
  }
  static void TearDownTestSuite() {
    unsetenv("LOCPATH");
    delete folder;
  }
  static bool Built(const char *name) {
    return QFileInfo::exists(folder->filePath(QLatin1String(name) + QStringLiteral("/LC_TIME")));
  }
  static inline QTemporaryDir *folder = nullptr;
};

// Switches LC_TIME for one row and puts the old one back.
class TimeLocale {
 public:
  explicit TimeLocale(const char *name) : FOld(std::setlocale(LC_TIME, nullptr)) {
    FOk = std::setlocale(LC_TIME, name) != nullptr;
  }
  ~TimeLocale() { std::setlocale(LC_TIME, FOld.c_str()); }
  bool Ok() const { return FOk; }

 private:
  std::string FOld;
  bool FOk = false;
};

TEST_F(LocaleLongTimeTest, IsTheLocalesLongTimeWithoutAZone) {
  ASSERT_TRUE(Built("ja_JP.UTF-8") && Built("en_US.UTF-8")) << "localedef (package locales) could not build them";
  // Expected texts: `date +%X` in each locale.
  struct Row { const char *locale; QTime time; const char *expected; } rows[] = {
      {"C", QTime(7, 24, 45), "07:24:45"},
      {"C", QTime(19, 5, 9), "19:05:09"},
      {"ja_JP.UTF-8", QTime(7, 24, 45), "07時24分45秒"},
      {"ja_JP.UTF-8", QTime(0, 0, 0), "00時00分00秒"},
      {"en_US.UTF-8", QTime(19, 5, 9), "07:05:09 PM"},
  };
  for (const Row &row : rows) {
    TimeLocale locale(row.locale);
    ASSERT_TRUE(locale.Ok()) << row.locale;
    EXPECT_EQ(LocaleLongTime(row.time).toStdString(), row.expected) << row.locale;
  }
}

}  // namespace
}  // namespace plomix
