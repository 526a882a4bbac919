#include "ReadBack/ReadBack.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <QPainter>
#include <cstring>
#include <optional>

#include "Symbol/PictureTransform.h"
#include "Encoders/SymbologyTable.h"
#include "Symbol/TBarSymbol.h"
#include "ReadBack/CustomerCheck.h"
#include "ReadBack/ElementRuns.h"
#include "Common/ShiftJis.h"

namespace plomix::readback {
namespace {

struct ZxingCheck {
  ZXing::BarcodeFormat format;
  std::string expected;
};

// What zxing-cpp reports for this symbol, for the symbologies it reads. Codes written
// with "<...>" notation are left to the element check.
std::optional<ZxingCheck> ZxingExpectation(const TBarSymbol &bar) {
  const std::string &symbol = bar.Symbol();
  const std::string &code = bar.Code();
  using F = ZXing::BarcodeFormat;
  switch (bar.BarType()) {
    case cbarJAN:
      return ZxingCheck{symbol.size() == 8 ? F::EAN8 : F::EAN13, symbol};
    case cbarUPC:
      return ZxingCheck{symbol.size() == 8 ? F::UPCE : F::UPCA, symbol};
    case cbarCODE39:  // without the "*" start and stop characters
      return symbol.size() >= 2 ? std::optional(ZxingCheck{F::Code39, symbol.substr(1, symbol.size() - 2)})
                                : std::nullopt;
    case cbarNW7:
      return ZxingCheck{F::Codabar, symbol};
    case cbarITF:
      return ZxingCheck{F::ITF, symbol};
    case cbarCODE128:  // the data alone: no start letter, no check character
      if (code.find('<') != std::string::npos || code.find('>') != std::string::npos) return std::nullopt;
      return ZxingCheck{F::Code128, code};
    case cbarCODE93:  // the reader drops the two check characters
      if (code.find('<') != std::string::npos || code.find('>') != std::string::npos) return std::nullopt;
      return ZxingCheck{F::Code93, code};
    default:
      return std::nullopt;
  }
}

// The picture as drawn before it was turned and mirrored: bars upright, left to right.
QImage Upright(const QImage &picture, const TBarSymbol &bar) {
  QImage image = bar.Reverse() ? MirrorBitmap(picture) : picture;
  return bar.Angle() == 0 ? image : RotateBitmap(image, 360 - bar.Angle());
}

// The rows as 8-bit luminance. Qt's own conversion to grey goes through colour
// management, many times slower than the rest of a check for a palette picture: the
// rows go through 32-bit RGB instead.
QImage GreyRows(const QImage &picture, int top, int rows) {
  const QImage band = picture.copy(0, top, picture.width(), rows);
  if (band.format() == QImage::Format_Grayscale8) return band;
  const QImage rgb = band.convertToFormat(QImage::Format_RGB32);
  QImage grey(rgb.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
    uchar *out = grey.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) out[x] = static_cast<uchar>(qGray(in[x]));
  }
  return grey;
}

// zxing-cpp's reading of `rows` rows of the picture from `top`, set in a quiet zone of
// background whatever the margins were. `pure`: the rows are all alike (the reader then
// reads one).
std::string ReadRowsWithZxing(const QImage &upright, ZXing::BarcodeFormat format, int top, int rows, bool pure) {
  const QImage grey = GreyRows(upright, top, rows);
  QImage framed(grey.width() + 40, rows + 40, QImage::Format_Grayscale8);
  framed.fill(grey.pixelColor(0, 0));
  for (int y = 0; y < rows; ++y)
    std::memcpy(framed.scanLine(y + 20) + 20, grey.constScanLine(y), static_cast<std::size_t>(grey.width()));
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryRotate(false);
  hints.setTryHarder(false);
  hints.setReturnCodabarStartEnd(true);
  hints.setIsPure(pure);
  const ZXing::ImageView view(framed.constBits(), framed.width(), framed.height(), ZXing::ImageFormat::Lum,
                              static_cast<int>(framed.bytesPerLine()));
  const ZXing::Result result = ZXing::ReadBarcode(view, hints);
  return result.isValid() ? result.text() : std::string();
}

// The rows through the middle of the picture cross the bars of nearly every symbol and
// are read first; the whole picture is read when they do not give the symbol's text.
std::string ReadWithZxing(const QImage &upright, ZXing::BarcodeFormat format, const std::string &expected) {
  constexpr int kMiddleRows = 8;
  if (upright.height() > 2 * kMiddleRows) {
    std::string read = ReadRowsWithZxing(upright, format, upright.height() / 2 - kMiddleRows / 2, kMiddleRows, true);
    if (read == expected) return read;
  }
  return ReadRowsWithZxing(upright, format, 0, upright.height(), false);
}

// The pattern's elements as (bar?, width in pixels), as the drawing lays them.
Runs ExpectedElements(const TBarSymbol &bar, int scale) {
  const SymbologyInfo &info = Symbology(bar.BarType());
  Runs out;
  for (char digit : bar.Pattern()) {
    const bool isBar = ((digit - '0') & 1) != 0;
    const int width = ElementWidth(digit, scale, bar.ElementRatio(), info.usesElementRatio);
    if (!out.empty() && out.back().first == isBar)
      out.back().second += width;
    else
      out.push_back({isBar, width});
  }
  while (!out.empty() && !out.back().first) out.pop_back();
  if (!out.empty() && !out.front().first) out.erase(out.begin());
  return out;
}

// True when some row holds exactly the expected runs, bar for bar.
bool RowsHoldElements(const QImage &upright, const Runs &expected, const InkTest &ink) {
  const QImage image = upright.convertToFormat(QImage::Format_RGB32);
  Runs row;
  for (int y = 0; y < image.height(); ++y) {
    RowRuns(image, y, ink, row);
    if (FindRuns(row, expected)) return true;
  }
  return false;
}

// The picture as it comes out on white paper: transparent pixels become white.
QImage OnPaper(const QImage &picture) {
  if (!picture.hasAlphaChannel()) return picture;
  QImage paper(picture.size(), QImage::Format_RGB32);
  paper.fill(Qt::white);
  QPainter painter(&paper);
  painter.drawImage(0, 0, picture);
  return paper;
}

}  // namespace

const char *ReadBackMethodName(ReadBackMethod method) {
  switch (method) {
    case ReadBackMethod::Zxing: return "zxing";
    case ReadBackMethod::Elements: return "elements";
    case ReadBackMethod::None: break;
  }
  return nullptr;
}

ReadBackResult ReadBackSymbol(const QImage &picture, bool turned, const TBarSymbol &bar, int moduleScale) {
  using M = ReadBackMethod;
  using F = ReadBackFault;
  if (picture.isNull()) return {M::None, false, F::NoPicture, QStringLiteral("there is no picture to read"), {}};
  const int barGrey = qGray(ColorToQColor(bar.BarColor()).rgb());
  const int backGrey = bar.Transparent() ? 255 : qGray(ColorToQColor(bar.BackColor()).rgb());
  if (barGrey > backGrey)
    return {M::None, false, F::LightBars, QStringLiteral("the bars are lighter than the background"), {}};
  if (backGrey - barGrey < kLeastSymbolContrast)
    return {M::None, false, F::LowContrast,
            QStringLiteral("the bars and the background differ by %1 of 255 in grey, less than %2")
                .arg(backGrey - barGrey)
                .arg(kLeastSymbolContrast),
            {}};
  const int scale = moduleScale > 0 ? moduleScale : bar.Scale();
  const QImage paper = OnPaper(picture);
  const QImage upright = turned ? Upright(paper, bar) : paper;
  if (const auto check = ZxingExpectation(bar)) {
    const std::string read = ReadWithZxing(upright, check->format, check->expected);
    if (read == check->expected) return {M::Zxing, true, F::None, {}, {}};
    if (read.empty()) return {M::Zxing, false, F::ReadNothing, QStringLiteral("zxing-cpp read nothing"), {}};
    const QString text = QString::fromStdString(read);
    return {M::Zxing, false, F::ReadOther, QStringLiteral("zxing-cpp read \"%1\"").arg(text), text};
  }
  const InkTest ink(ColorToQColor(bar.BarColor()), bar.Transparent() ? QColor(Qt::white) : ColorToQColor(bar.BackColor()));
  if (Symbology(bar.BarType()).ownElementShapes) {
    if (auto problem = CustomerShapesProblem(upright, bar.Pattern(), scale, ink))
      return {M::Elements, false, F::ShapesDiffer, *problem, {}};
    return {M::Elements, true, F::None, {}, {}};
  }
  if (RowsHoldElements(upright, ExpectedElements(bar, scale), ink)) return {M::Elements, true, F::None, {}, {}};
  return {M::Elements, false, F::ElementsDiffer,
          QStringLiteral("no row of the picture holds the encoder's bars and spaces"), {}};
}

QString ReadBackVerdict(const ReadBackResult &result) {
  if (result.ok) return QStringLiteral("読み取り確認: OK");
  switch (result.fault) {
    case ReadBackFault::NoPicture: return QStringLiteral("読み取り確認: 図がありません");
    case ReadBackFault::LowContrast: return QStringLiteral("読み取り確認: バーと背景の濃さの差が足りません");
    case ReadBackFault::LightBars: return QStringLiteral("読み取り確認: バーが背景より明るい");
    case ReadBackFault::ReadNothing: return QStringLiteral("読み取り確認: 読み取れません");
    case ReadBackFault::ReadOther: return QStringLiteral("読み取り確認: 「%1」と読まれます").arg(result.read);
    case ReadBackFault::ElementsDiffer: return QStringLiteral("読み取り確認: バーの幅が合いません");
    case ReadBackFault::ShapesDiffer: return QStringLiteral("読み取り確認: バーの形が合いません");
    case ReadBackFault::None: break;
  }
  return QStringLiteral("読み取り確認: 読み取れません");
}

}  // namespace plomix::readback
