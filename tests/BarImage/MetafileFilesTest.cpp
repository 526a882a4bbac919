// EMF and placeable WMF files: read back by libemf2svg and libwmf, decoded by zxing,
// headers carrying the drawing's size, bytes pinned by golden files.
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

extern "C" {
#include <uemf.h>
#include <uwmf.h>
}

#include "PictureFiles/EmfWriter.h"
#include "PictureFiles/PictureFiles.h"
#include "PictureFiles/WmfWriter.h"
#include "tests/support/MetafileTestSymbols.h"
#include "tests/support/MetafileReaders.h"

namespace plomix::test {
namespace {

// A fixed reference device, so that the bytes do not depend on the machine's screen.
const TReferenceDevice kDevice{96, 96, QSize(1920, 1080)};

std::string ReadFileBytes(const QString &path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// libemf2svg outlines every rectangle with a one-pixel stroke in its fill colour, so
// each bar comes back one pixel wider; four pixels a module keep the ratios readable.
class MetafileReadBack : public ::testing::TestWithParam<MetafileSymbolCase> {};

TEST_P(MetafileReadBack, EmfThroughLibemf2svgDecodes) {
  const MetafileSymbolCase &c = GetParam();
  const auto bar = MakeFramedSymbol(c, picEMF, 4);
  ASSERT_TRUE(bar->BarDisped()) << c.note;
  const std::string emf = EncodeEnhancedMetafile(*bar->Picture().MetafileOrNull(), kDevice);
  const QByteArray svg = EmfToSvg(emf);
  // The texts travel as Unicode: the reader shows the same characters.
  EXPECT_TRUE(svg.contains(QStringLiteral("上のコメント").toUtf8())) << c.note;
  EXPECT_TRUE(svg.contains("lower comment")) << c.note;
  const QImage image = RenderSvg(svg);
  ASSERT_FALSE(image.isNull()) << c.note;
  if (qEnvironmentVariableIsSet("PLOMIX_KEEP_RENDERINGS")) image.save(QStringLiteral("/tmp/emf-%1.png").arg(c.type));
  // libemf2svg takes the inclusive bounds as the size: one pixel less each way.
  EXPECT_NEAR(image.width(), bar->Picture().Size().width(), 1) << c.note;
  EXPECT_NEAR(image.height(), bar->Picture().Size().height(), 1) << c.note;
  EXPECT_EQ(ReadWithZXing(image, c.format), c.read) << c.note;
}

TEST_P(MetafileReadBack, WmfThroughLibwmfDecodes) {
  const MetafileSymbolCase &c = GetParam();
  const auto bar = MakeFramedSymbol(c, picWMF, 4);
  ASSERT_TRUE(bar->BarDisped()) << c.note;
  const std::string wmf = EncodeWindowsMetafile(*bar->Picture().MetafileOrNull(), kDevice);
  const QImage image = RenderSvg(WmfToSvg(wmf));
  ASSERT_FALSE(image.isNull()) << c.note;
  EXPECT_EQ(image.size(), bar->Picture().Size()) << c.note;
  EXPECT_EQ(ReadWithZXing(image, c.format), c.read) << c.note;
}

INSTANTIATE_TEST_SUITE_P(Symbologies, MetafileReadBack, ::testing::ValuesIn(kMetafileSymbols));

// Header sizes follow the drawing: BarLeft + W + 1 by BarTop + H + 1 pixels.
struct HeaderCase {
  const char *note;
  int barLeft, barTop;
  int dpi;
  int deviceWidth, deviceHeight;  // the header's device for a 1280 x 1024 screen
};

void PrintTo(const HeaderCase &h, std::ostream *os) { *os << h.note; }

class MetafileHeaders : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(MetafileHeaders, CarryThePictureSizeAtTheDeviceDpi) {
  const HeaderCase &h = GetParam();
  auto bar = MakeFramedSymbol(kMetafileSymbols[0], picEMF);
  bar->SetBarLeft(h.barLeft);
  bar->SetBarTop(h.barTop);
  const int W = bar->BarSpaceLeft() + bar->BarWidth() + bar->BarSpaceRight();
  const int H = bar->BarSpaceUp() + bar->BarHeight() + bar->BarSpaceDown();
  const int width = h.barLeft + W + 1, height = h.barTop + H + 1;
  ASSERT_EQ(bar->Picture().Size(), QSize(width, height)) << h.note;
  const TReferenceDevice device{h.dpi, h.dpi, QSize(1280, 1024)};

  const std::string emf = EncodeEnhancedMetafile(*bar->Picture().MetafileOrNull(), device);
  ASSERT_GE(emf.size(), sizeof(U_EMRHEADER));
  U_EMRHEADER header;
  std::memcpy(&header, emf.data(), sizeof header);
  EXPECT_EQ(header.emr.iType, U_EMR_HEADER);
  EXPECT_EQ(header.dSignature, U_ENHMETA_SIGNATURE);
  EXPECT_EQ(header.nBytes, emf.size()) << h.note;
  // Bounds: inclusive pixels; frame: the same area in hundredths of a millimetre,
  // spanning right - left at the device's millimetres per pixel.
  EXPECT_EQ(header.rclBounds.left, 0);
  EXPECT_EQ(header.rclBounds.right, width - 1) << h.note;
  EXPECT_EQ(header.rclBounds.bottom, height - 1) << h.note;
  EXPECT_EQ(header.rclFrame.left, 0);
  EXPECT_EQ(header.rclFrame.right, qRound(width * 2540.0 / h.dpi)) << h.note;
  EXPECT_EQ(header.rclFrame.bottom, qRound(height * 2540.0 / h.dpi)) << h.note;
  // The device: the screen rounded up to whole millimetres, so that its ratio is
  // exactly 25.4 / dpi.
  EXPECT_EQ(header.szlDevice.cx, h.deviceWidth) << h.note;
  EXPECT_EQ(header.szlDevice.cy, h.deviceHeight) << h.note;
  EXPECT_EQ(header.szlMillimeters.cx * 10 * h.dpi, h.deviceWidth * 254) << h.note;
  EXPECT_EQ(header.szlMillimeters.cy * 10 * h.dpi, h.deviceHeight * 254) << h.note;
  if (header.emr.nSize >= offsetof(U_EMRHEADER, szlMicrometers) + sizeof(U_SIZEL)) {
    EXPECT_EQ(header.szlMicrometers.cx, header.szlMillimeters.cx * 1000) << h.note;
    EXPECT_EQ(header.szlMicrometers.cy, header.szlMillimeters.cy * 1000) << h.note;
  }

  const std::string wmf = EncodeWindowsMetafile(*bar->Picture().MetafileOrNull(), device);
  U_WMRPLACEABLE placeable;
  U_WMRHEADER meta;
  ASSERT_GT(wmfheader_get(wmf.data(), wmf.data() + wmf.size(), &placeable, &meta), 0);
  EXPECT_EQ(placeable.Key, 0x9AC6CDD7u);
  EXPECT_EQ(placeable.Dst.left, 0);
  EXPECT_EQ(placeable.Dst.right, width) << h.note;
  EXPECT_EQ(placeable.Dst.bottom, height) << h.note;
  EXPECT_EQ(placeable.Inch, h.dpi) << h.note;
  const uint32_t words = meta.Sizew[0] | (static_cast<uint32_t>(meta.Sizew[1]) << 16);
  EXPECT_EQ(2 * words + 22, wmf.size()) << "META_HEADER counts the file after the placeable header";
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MetafileHeaders,
    ::testing::Values(HeaderCase{"at the origin, 96 dpi: 480 pixels make 127 mm", 0, 0, 96, 1440, 1440},
                      HeaderCase{"BarLeft 5, BarTop 7: the control grows by both", 5, 7, 96, 1440, 1440},
                      HeaderCase{"120 dpi screen: 600 pixels make 127 mm", 3, 0, 120, 1800, 1200},
                      HeaderCase{"127 dpi screen: 5 pixels make 1 mm", 0, 0, 127, 1280, 1025}));

// Golden files pin the bytes; the same drawing gives the same bytes every time.
TEST(MetafileGolden, EmfAndWmfBytesArePinned) {
  const auto bar = MakeFramedSymbol(kMetafileSymbols[0], picEMF);
  const TMetafile &meta = *bar->Picture().MetafileOrNull();
  const std::string emf = EncodeEnhancedMetafile(meta, kDevice);
  const std::string wmf = EncodeWindowsMetafile(meta, kDevice);
  EXPECT_EQ(emf, EncodeEnhancedMetafile(meta, kDevice));
  EXPECT_EQ(wmf, EncodeWindowsMetafile(meta, kDevice));
  const QString dir = QStringLiteral(PLOMIX_TEST_DATA);
  if (qEnvironmentVariableIsSet("PLOMIX_UPDATE_GOLDEN")) {
    ASSERT_TRUE(SaveEnhancedMetafileFile(meta, dir + "/code39-framed.emf", nullptr, kDevice));
    ASSERT_TRUE(SaveWindowsMetafileFile(meta, dir + "/code39-framed.wmf", nullptr, kDevice));
  }
  // Compared as a whole; a byte dump of a metafile says nothing to a reader.
  EXPECT_TRUE(emf == ReadFileBytes(dir + "/code39-framed.emf")) << "EMF differs from the golden file";
  EXPECT_TRUE(wmf == ReadFileBytes(dir + "/code39-framed.wmf")) << "WMF differs from the golden file";
}

// Bad input: a file that cannot be written is reported and an earlier file stays whole.
TEST(MetafileFiles, FailuresLeaveTheEarlierFileWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kept.wmf"));
  {
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier content");
  }
  // A picture beyond the 16-bit coordinates of a Windows metafile cannot be written.
  TMetafile huge;
  huge.SetSize(QSize(40000, 100));
  huge.AddFillRect(QRect(0, 0, 40000, 100), Qt::white);
  QString error;
  EXPECT_FALSE(SaveWindowsMetafileFile(huge, path, &error, kDevice));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(ReadFileBytes(path), "earlier content");

  // A folder that does not exist.
  error.clear();
  const auto bar = MakeFramedSymbol(kMetafileSymbols[0], picEMF);
  EXPECT_FALSE(SaveEnhancedMetafileFile(*bar->Picture().MetafileOrNull(),
                                        dir.filePath(QStringLiteral("missing/x.emf")), &error));
  EXPECT_FALSE(error.isEmpty());
  // A name that is a folder.
  error.clear();
  EXPECT_FALSE(SaveEnhancedMetafileFile(*bar->Picture().MetafileOrNull(), dir.path(), &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace plomix::test
