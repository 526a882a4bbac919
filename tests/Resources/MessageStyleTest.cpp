// Every Japanese text the program shows or ships is written in one style: "出来ません" and
// "下さい" as the program's own messages write them, "PDFファイル" without a space.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include "Common/ShiftJis.h"

namespace plomix {
namespace {

QString SourceRoot() { return QDir::cleanPath(QStringLiteral(PLOMIX_TEST_DATA "/../..")); }

struct Spelling {
  const char *found;
  const char *instead;
};

constexpr Spelling kOtherStyle[] = {
    {"できません", "出来ません"},  // and its past form
    {"ください", "下さい"},
    {"PDF ファイル", "PDFファイル"},
};

// "file:line: text" for each line holding a spelling of the other style.
QStringList OtherStyleLines(const QString &name, const QString &text) {
  QStringList found;
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < lines.size(); ++i)
    for (const Spelling &s : kOtherStyle)
      if (lines[i].contains(QString::fromUtf8(s.found)))
        found << QStringLiteral("%1:%2: %3 (write %4)").arg(name).arg(i + 1).arg(lines[i].trimmed(),
                                                                            QString::fromUtf8(s.instead));
  return found;
}

TEST(MessageStyle, FindsTheOtherStyle) {
  // The check itself: each spelling is caught, the program's own is not.
  struct Row { const char *text; int hits; const char *note; } rows[] = {
      {"保存できませんでした。", 1, "past form"},
      {"指定してください。", 1, "request"},
      {"PDF ファイルに印刷しました。", 1, "space after PDF"},
      {"保存出来ませんでした。指定して下さい。PDFファイル", 0, "the program's style"},
  };
  for (const Row &r : rows)
    EXPECT_EQ(OtherStyleLines(QStringLiteral("x"), QString::fromUtf8(r.text)).size(), r.hits) << r.note;
}

TEST(MessageStyle, SourcesAndManualUseTheProgramsStyle) {
  QStringList found;
  int files = 0;
  for (const char *folder : {"src", "cli", "data"}) {
    QDirIterator it(SourceRoot() + QLatin1Char('/') + QLatin1String(folder), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QFile file(it.next());
      if (!file.open(QIODevice::ReadOnly)) continue;
      ++files;
      found << OtherStyleLines(QDir(SourceRoot()).relativeFilePath(file.fileName()), QString::fromUtf8(file.readAll()));
    }
  }
  QFile readme(SourceRoot() + QStringLiteral("/resources/Readme.txt"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  found << OtherStyleLines(QStringLiteral("resources/Readme.txt"), SjisToUnicode(readme.readAll().toStdString()));
  EXPECT_GT(files, 50) << "the sources were not found under " << SourceRoot().toStdString();
  EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace plomix
