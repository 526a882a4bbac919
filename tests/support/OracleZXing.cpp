// zxing-cpp as a reader of the symbols drawn here.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include "tests/support/Oracles.h"

namespace plomix::test {
namespace {

ZXing::BarcodeFormat ZXingFormat(Format format) {
  switch (format) {
    case Format::Code39: return ZXing::BarcodeFormat::Code39;
    case Format::Codabar: return ZXing::BarcodeFormat::Codabar;
    case Format::EAN13: return ZXing::BarcodeFormat::EAN13;
    case Format::EAN8: return ZXing::BarcodeFormat::EAN8;
    case Format::UPCA: return ZXing::BarcodeFormat::UPCA;
    case Format::UPCE: return ZXing::BarcodeFormat::UPCE;
    case Format::ITF: return ZXing::BarcodeFormat::ITF;
    case Format::Code128: return ZXing::BarcodeFormat::Code128;
    case Format::Code93: return ZXing::BarcodeFormat::Code93;
  }
  return ZXing::BarcodeFormat::None;
}

}  // namespace

std::string ReadWithZXing(const QImage &image, Format format) {
  const QImage grey = WithQuietZone(image).convertToFormat(QImage::Format_Grayscale8);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXingFormat(format));
  hints.setTryRotate(false);
  hints.setTryHarder(true);
  hints.setReturnCodabarStartEnd(true);
  const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                              ZXing::ImageFormat::Lum, static_cast<int>(grey.bytesPerLine()));
  const ZXing::Result result = ZXing::ReadBarcode(view, hints);
  if (!result.isValid()) return {};
  return result.text();
}

}  // namespace plomix::test
