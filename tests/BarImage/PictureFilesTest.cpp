// Image files of the picture: 32-bit bitmap files, JPEG through libjpeg, the choice of
// format by copy method and by name, and failures that keep the earlier file.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csetjmp>
#include <csignal>
#include <sys/resource.h>
#include <cstdio>
#include <gtest/gtest.h>

#include <jpeglib.h>

#include "PictureFiles/PictureFiles.h"
#include "tests/support/MetafileTestSymbols.h"

namespace plomix::test {
namespace {

QByteArray ReadAll(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsJpeg(const QByteArray &b) { return b.startsWith("\xFF\xD8\xFF"); }
bool IsBmp(const QByteArray &b) { return b.startsWith("BM"); }
bool IsEmf(const QByteArray &b) { return b.size() > 44 && b.mid(40, 4) == " EMF"; }
bool IsPlaceableWmf(const QByteArray &b) { return b.startsWith("\xD7\xCD\xC6\x9A"); }

// Decodes a JPEG with libjpeg itself, not through Qt's image plugins.
QImage DecodeJpegWithLibjpeg(const QByteArray &bytes, bool *progressive) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  *progressive = jpeg_has_multiple_scans(&info);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
               QImage::Format_RGB888);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

TEST(BitmapFile, KeepsThirtyTwoBitsPerPixelAndEveryPixel) {
  const auto bar = MakeFramedSymbol(kMetafileSymbols[0], picBMP, 2);
  const QImage &bitmap = *bar->Picture().BitmapOrNull();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("symbol.bmp"));
  QString error;
  ASSERT_TRUE(SavePictureAs(bar->Picture(), picBMP, path, &error)) << error.toStdString();
  const QByteArray bytes = ReadAll(path);
  ASSERT_TRUE(IsBmp(bytes));
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 32) << "bits per pixel";
  EXPECT_EQ(bytes.size(), 54 + 4 * bitmap.width() * bitmap.height());
  const QImage back(path);
  ASSERT_EQ(back.size(), bitmap.size());
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), bitmap.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(ReadWithZXing(back, Format::Code39), kMetafileSymbols[0].read);
}

TEST(JpegFile, DecodesWithLibjpegIntoTheSameBarcode) {
  for (const MetafileSymbolCase &c : kMetafileSymbols) {
    const auto bar = MakeFramedSymbol(c, picBMP, 2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("symbol.jpg"));
    QString error;
    ASSERT_TRUE(SavePictureAs(bar->Picture(), picBMP, path, &error)) << error.toStdString();
    bool progressive = true;
    const QImage image = DecodeJpegWithLibjpeg(ReadAll(path), &progressive);
    ASSERT_EQ(image.size(), bar->Picture().Size()) << c.note;
    EXPECT_FALSE(progressive) << "baseline";
    EXPECT_TRUE(image.pixelColor(2, 2).saturation() < 10 && image.pixelColor(2, 2).value() > 245);
    EXPECT_EQ(ReadWithZXing(image, c.format), c.read) << c.note;
  }
}

TEST(JpegFile, IsColourWithQualityNinety) {
  // A red bar colour survives: three components, not grey.
  auto bar = MakeFramedSymbol(kMetafileSymbols[0], picBMP, 2);
  bar->SetBarColor(0x0000FF);  // red in the 0x00BBGGRR encoding
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("red.jpeg"));
  ASSERT_TRUE(SavePictureAs(bar->Picture(), picBMP, path, nullptr));
  bool progressive = true;
  const QImage image = DecodeJpegWithLibjpeg(ReadAll(path), &progressive);
  const int x = bar->BarSpaceLeft() + 1, y = bar->BarSpaceUp() + 20;
  EXPECT_GT(image.pixelColor(x, y).red(), 200);
  EXPECT_LT(image.pixelColor(x, y).green(), 60);
  // Quality 90 as libjpeg scales its standard tables: the first luminance entry 16 -> 3.
  const QByteArray bytes = ReadAll(path);
  const qsizetype dqt = bytes.indexOf("\xFF\xDB");
  ASSERT_GT(dqt, 0);
  EXPECT_EQ(static_cast<unsigned char>(bytes[dqt + 5]), 3);
}

// Which format a save writes: by copy method (the save command) or by name (plomix-cli).
struct FormatCase {
  const char *note;
  TPictures method;
  const char *name;
  bool (*is)(const QByteArray &);
};

void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.note; }

class SaveFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SaveFormat, FollowsTheCopyMethod) {
  const FormatCase &c = GetParam();
  const auto bar = MakeFramedSymbol(kMetafileSymbols[0], c.method == picBMP ? picBMP : picEMF);
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromUtf8(c.name));
  QString error;
  ASSERT_TRUE(SavePictureAs(bar->Picture(), c.method, path, &error)) << error.toStdString();
  EXPECT_TRUE(c.is(ReadAll(path))) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveFormat,
    ::testing::Values(FormatCase{"upper-case .JPEG writes JPEG", picBMP, "a.JPEG", IsJpeg},
                      FormatCase{".jpg writes JPEG", picBMP, "a.jpg", IsJpeg},
                      FormatCase{"mixed-case .JpEg writes JPEG", picBMP, "a.JpEg", IsJpeg},
                      FormatCase{".bmp writes a bitmap file", picBMP, "a.bmp", IsBmp},
                      FormatCase{"a bitmap under .emf is a bitmap file", picBMP, "a.emf", IsBmp},
                      FormatCase{"no extension: a bitmap file", picBMP, "plain", IsBmp},
                      FormatCase{".jpg.txt is not JPEG", picBMP, "a.jpg.txt", IsBmp},
                      FormatCase{"EMF method under .emf", picEMF, "a.emf", IsEmf},
                      FormatCase{"WMF method under .bmp is a WMF", picWMF, "a.bmp", IsPlaceableWmf},
                      FormatCase{"EMF method under .jpg is an EMF", picEMF, "a.jpg", IsEmf}));

TEST(PictureFile, WriteFailuresAreReportedAndKeepTheEarlierFile) {
  const auto bar = MakeFramedSymbol(kMetafileSymbols[0], picBMP);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kept.bmp"));
  {
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
  }
  QString error;
  // A bitmap has no metafile to write.
  EXPECT_FALSE(SavePictureAs(bar->Picture(), picEMF, path, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(ReadAll(path), "earlier");
  // An empty picture.
  error.clear();
  EXPECT_FALSE(SavePictureAs(TPicture(), picBMP, path, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(ReadAll(path), "earlier");
  // A missing folder.
  error.clear();
  EXPECT_FALSE(SavePictureAs(bar->Picture(), picBMP, dir.filePath(QStringLiteral("no/a.jpg")), &error));
  EXPECT_FALSE(error.isEmpty());
}

// A disk that fills up while the file is written, simulated by a file size limit: the
// write fails with a reason and the earlier file is still there, whole.
TEST(PictureFile, AFullDiskKeepsTheEarlierFile) {
  const auto bar = MakeFramedSymbol(kMetafileSymbols[0], picBMP, 2);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kept.bmp"));
  ASSERT_TRUE(SavePictureAs(bar->Picture(), picBMP, path, nullptr));
  const QByteArray earlier = ReadAll(path);
  auto bigger = MakeFramedSymbol(kMetafileSymbols[0], picBMP, 4);

  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a signal
  rlimit full = old;
  full.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
  QString error;
  const bool saved = SavePictureAs(bigger->Picture(), picBMP, path, &error);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(saved);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(ReadAll(path), earlier);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.bmp")})
      << "no temporary file is left behind";
}

// plomix-cli -o: the extension chooses the format; an unknown one is a usage error.
struct CliCase {
  const char *note;
  QStringList args;
  const char *name;
  int exitCode;
  bool (*is)(const QByteArray &);  // null: no file written
};

void PrintTo(const CliCase &c, std::ostream *os) { *os << c.note; }

class CliOutput : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliOutput, WritesTheFormatOfTheName) {
  const CliCase &c = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromUtf8(c.name));
  QProcess cli;
  cli.start(QStringLiteral(PLOMIX_CLI),
            QStringList{"--type", "code39", "--up", "up", "--frame", "2"} + c.args +
                QStringList{"-o", path, "ABC"});
  ASSERT_TRUE(cli.waitForFinished(60000));
  EXPECT_EQ(cli.exitCode(), c.exitCode) << c.note << ": " << cli.readAllStandardError().toStdString();
  if (c.is) EXPECT_TRUE(c.is(ReadAll(path))) << c.note;
  else EXPECT_FALSE(QFile::exists(path)) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, CliOutput,
    ::testing::Values(CliCase{".JPG", {}, "a.JPG", 0, IsJpeg},
                      CliCase{".jpeg", {}, "a.jpeg", 0, IsJpeg},
                      CliCase{".bmp", {}, "a.bmp", 0, IsBmp},
                      CliCase{".emf with --picture emf", {"--picture", "emf"}, "a.emf", 0, IsEmf},
                      CliCase{".WMF with --picture wmf", {"--picture", "wmf"}, "a.WMF", 0, IsPlaceableWmf},
                      CliCase{".wmf from the EMF picture", {"--picture", "emf"}, "a.wmf", 0, IsPlaceableWmf},
                      CliCase{".jpg from a metafile picture", {"--picture", "wmf"}, "a.jpg", 0, IsJpeg},
                      CliCase{".emf from a bitmap is refused", {}, "a.emf", 2, nullptr},
                      CliCase{"unknown extension is refused", {}, "a.gif", 2, nullptr},
                      CliCase{"no extension is refused", {}, "plain", 2, nullptr}));

}  // namespace
}  // namespace plomix::test
