// CopyBar and CopyAsWindowsMetafile: the formats each picture kind offers on the clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>
#include <gtest/gtest.h>

extern "C" {
#include <uemf.h>
#include <uwmf.h>
}

#include "BarImage/ClipboardFormats.h"
#include "PictureFiles/EmfWriter.h"
#include "tests/support/MetafileTestSymbols.h"
#include "tests/support/MetafileReaders.h"

namespace plomix::test {
namespace {

const QMimeData &Clipboard() { return *QGuiApplication::clipboard()->mimeData(); }

std::string Bytes(const QByteArray &data) { return data.toStdString(); }

TEST(CopyBar, BitmapGoesAsAnImage) {
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  const auto bar = MakeFramedSymbol(kMetafileSymbols[0], picBMP, 2);
  bar->CopyBar();
  ASSERT_TRUE(Clipboard().hasImage());
  EXPECT_FALSE(Clipboard().hasText());
  const QImage image = qvariant_cast<QImage>(Clipboard().imageData());
  EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), bar->Picture().BitmapOrNull()->convertToFormat(QImage::Format_RGB32));
  EXPECT_FALSE(Clipboard().hasFormat(kMimeEmf));
}

TEST(CopyBar, EnhancedMetafileGoesAsEmfBytesAndAPng) {
  const auto bar = MakeFramedSymbol(kMetafileSymbols[2], picEMF, 4);
  bar->CopyBar();
  const QMimeData &data = Clipboard();
  ASSERT_TRUE(data.hasFormat(kMimeEmf));
  EXPECT_EQ(data.data(kMimeEmf), data.data(kMimeXEmf));
  const std::string emf = Bytes(data.data(kMimeEmf));
  EXPECT_EQ(emf, EncodeEnhancedMetafile(*bar->Picture().MetafileOrNull(), ScreenReferenceDevice()));
  EXPECT_EQ(ReadWithZXing(RenderSvg(EmfToSvg(emf)), kMetafileSymbols[2].format), kMetafileSymbols[2].read);
  EXPECT_FALSE(data.hasFormat(kMimeWmf));
  ASSERT_TRUE(data.hasImage()) << "the PNG rendering a metafile copy also offers";
  EXPECT_EQ(qvariant_cast<QImage>(data.imageData()).size(), bar->Picture().Size());
}

TEST(CopyBar, WindowsMetafileCarriesThePhysicalSize) {
  const auto bar = MakeFramedSymbol(kMetafileSymbols[1], picWMF, 4);
  bar->CopyBar();
  const QMimeData &data = Clipboard();
  ASSERT_TRUE(data.hasFormat(kMimeWmf));
  EXPECT_EQ(data.data(kMimeWmf), data.data(kMimeXWmf));
  EXPECT_FALSE(data.hasFormat(kMimeEmf));
  EXPECT_TRUE(data.hasImage());
  const std::string wmf = Bytes(data.data(kMimeWmf));
  U_WMRPLACEABLE placeable;
  U_WMRHEADER header;
  ASSERT_GT(wmfheader_get(wmf.data(), wmf.data() + wmf.size(), &placeable, &header), 0);
  // The extents a METAFILEPICT would carry: the picture's physical size in 0.01 mm,
  // the same as the frame of the enhanced metafile of the same picture.
  const TReferenceDevice screen = ScreenReferenceDevice();
  const std::string emf = EncodeEnhancedMetafile(*bar->Picture().MetafileOrNull(), screen);
  U_EMRHEADER emfHeader;
  std::memcpy(&emfHeader, emf.data(), sizeof emfHeader);
  const int wmfWidth = qRound((placeable.Dst.right - placeable.Dst.left) * 2540.0 / placeable.Inch);
  const int wmfHeight = qRound((placeable.Dst.bottom - placeable.Dst.top) * 2540.0 / placeable.Inch);
  EXPECT_EQ(wmfWidth, emfHeader.rclFrame.right - emfHeader.rclFrame.left);
  EXPECT_EQ(wmfHeight, emfHeader.rclFrame.bottom - emfHeader.rclFrame.top);
  EXPECT_EQ(ReadWithZXing(RenderSvg(WmfToSvg(wmf)), kMetafileSymbols[1].format), kMetafileSymbols[1].read);
}

TEST(CopyBar, NotDisplayedHandsOverWhateverThePictureHolds) {
  // ClearOption is off: a code that cannot be drawn leaves the previous bitmap.
  auto bar = MakeFramedSymbol(kMetafileSymbols[0], picBMP, 2);
  bar->SetCode("lower case cannot be Code 39");
  ASSERT_FALSE(bar->BarDisped());
  bar->CopyBar();
  ASSERT_TRUE(Clipboard().hasImage());
  EXPECT_EQ(ReadWithZXing(qvariant_cast<QImage>(Clipboard().imageData()), Format::Code39),
            kMetafileSymbols[0].read)
      << "the symbol drawn before";

  // A failed drawing in a metafile kind leaves the blank bitmap the redraw prepared.
  auto meta = MakeFramedSymbol(kMetafileSymbols[0], picWMF, 2);
  meta->SetCode("lower case cannot be Code 39");
  ASSERT_FALSE(meta->BarDisped());
  meta->CopyBar();
  EXPECT_TRUE(Clipboard().hasImage());
  EXPECT_FALSE(Clipboard().hasFormat(kMimeWmf));

  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  TBarImage empty;
  empty.CopyBar();
  EXPECT_EQ(Clipboard().text(), QStringLiteral("kept")) << "an empty picture leaves the clipboard";
}

TEST(CopyAsWindowsMetafile, AMetafileTheClassicFormatCannotHoldLeavesTheClipboard) {
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  TMetafile huge;
  huge.SetSize(QSize(50000, 10));
  huge.AddFillRect(QRect(0, 0, 50000, 10), Qt::white);
  TBarImage bar;
  bar.CopyAsWindowsMetafile(huge);
  EXPECT_EQ(Clipboard().text(), QStringLiteral("kept"));
  EXPECT_FALSE(Clipboard().hasFormat(kMimeWmf));
}

}  // namespace
}  // namespace plomix::test
