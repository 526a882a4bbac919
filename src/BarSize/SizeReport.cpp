#include "BarSize/SizeReport.h"

#include <QString>
#include <charconv>
#include <cmath>

#include "Common/ShiftJis.h"

namespace plomix {
namespace {

constexpr double kMmPerInch = 25.4;

// A quotient that is 0 for a zero or negative divisor, so that a missing resolution
// shows as 0 rather than as infinity.
double Divide(double value, double divisor) { return divisor > 0 ? value / divisor : 0.0; }

// Two decimals with a point, whatever the user's locale says.
std::string TwoDecimals(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  return ec == std::errc() ? std::string(buffer, end) : std::string("0.00");
}

class TReportWriter {
 public:
  void Add(const char *utf8) { FText += QString::fromUtf8(utf8); }
  void Add(std::int64_t number) { FText += QString::number(number); }
  void Line() { FText += QStringLiteral("\r\n"); }
  void Heading(const char *utf8) {
    Add(utf8);
    Line();
  }
  // "    X×Y unit": the pixel sizes and the resolutions share one shape.
  void Pair(std::int64_t x, std::int64_t y, const char *unit) {
    Add("    ");
    Add(x);
    Add("×");
    Add(y);
    Add(unit);
  }
  void Pixels(std::int64_t width, std::int64_t height) {
    Pair(width, height, " pixel");
    Line();
  }
  void Millimetres(double width, double height) {
    FText += QStringLiteral("    %1×%2 mm").arg(QString::fromStdString(TwoDecimals(width)),
                                                  QString::fromStdString(TwoDecimals(height)));
    Gap();
  }
  void Gap() {
    Line();
    Line();
  }
  std::string Sjis() const { return UnicodeToSjis(FText); }

 private:
  QString FText;
};

}  // namespace

TPrintedSize PrintedSize(const TSizeMeasures &m) {
  // The width times the resolution is an integer product; the rest is floating point.
  const double s = m.PrintScale;
  return {s * Divide(double(std::int64_t(m.BarWidth) * m.PrinterDpiX), m.ScreenDpiX) / 100,
          s * Divide(double(std::int64_t(m.BarHeight) * m.PrinterDpiY), m.ScreenDpiY) / 100};
}

std::int64_t RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  const double floor = std::floor(value);
  const double fraction = value - floor;
  std::int64_t result = std::int64_t(floor);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

std::string SizeReportText(const TSizeMeasures &m) {
  const TPrintedSize printed = PrintedSize(m);
  TReportWriter w;
  w.Line();
  w.Heading("  画面上のバーコード 1 個のサイズ");
  w.Pixels(m.BarWidth, m.BarHeight);
  w.Millimetres(Divide(m.BarWidth, m.ScreenDpiX) * kMmPerInch,
                Divide(m.BarHeight, m.ScreenDpiY) * kMmPerInch);

  w.Heading("  印刷時のバーコード 1 個のサイズ");
  w.Pixels(RoundHalfEven(printed.Width), RoundHalfEven(printed.Height));
  w.Millimetres(Divide(printed.Width, m.PrinterDpiX) * kMmPerInch * m.PrinterScale / 100,
                Divide(printed.Height, m.PrinterDpiY) * kMmPerInch * m.PrinterScale / 100);

  w.Heading("  用紙のサイズ");
  w.Pixels(m.PaperWidth, m.PaperHeight);
  w.Millimetres(Divide(m.PaperWidth, m.PrinterDpiX) * kMmPerInch * m.PrinterScale / 100,
                Divide(m.PaperHeight, m.PrinterDpiY) * kMmPerInch * m.PrinterScale / 100);

  w.Heading("  画面の DPI 値");
  w.Pair(m.ScreenDpiX, m.ScreenDpiY, " dot per inch");
  w.Gap();

  w.Heading("  プリンタの DPI 値");
  w.Pair(m.PrinterDpiX, m.PrinterDpiY, " dot per inch");
  w.Gap();

  w.Heading("  プリンタのスケールファクタ");
  w.Add("    ");
  w.Add(m.PrinterScale);
  w.Add(" %");
  w.Gap();

  w.Heading("  参考");
  w.Add("    1 inch = 25.4 mm");
  w.Gap();

  w.Add("  ※バーコードのサイズは、スケール( ");
  w.Add(m.Scale);
  w.Add(" )  ");
  w.Line();
  w.Add("  と印刷の倍率( ");
  w.Add(m.PrintScale);
  w.Add(" % )で決まります。  ");
  w.Line();
  return w.Sjis();
}

std::string SizeReportHeader() {
  return UnicodeToSjis(QString::fromUtf8("///// 現在のバーコードのサイズ情報 /////\r\n\r\n"));
}

}  // namespace plomix
