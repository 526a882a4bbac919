#include "Symbol/ReferenceDevice.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <numeric>

namespace plomix {
namespace {

int ToHundredthsMm(int pixels, int dpi) {
  return dpi > 0 ? static_cast<int>((static_cast<long long>(pixels) * 2540 + dpi / 2) / dpi) : 0;
}

// The fewest pixels that make whole millimetres: pixels * 25.4 / dpi = pixels * 127 / (5 * dpi).
int WholeMmPixels(int dpi) { return 5 * dpi / std::gcd(127, 5 * dpi); }

int HeaderPixelsOf(int pixels, int dpi) {
  const int unit = WholeMmPixels(dpi);
  return std::max(1, (pixels + unit - 1) / unit) * unit;
}

int MillimetresOf(int pixels, int dpi) { return static_cast<int>(static_cast<long long>(pixels) * 127 / (5 * dpi)); }

int ValidDpi(int dpi) { return dpi > 0 ? dpi : 96; }

}  // namespace

int TReferenceDevice::HundredthsMmX(int pixels) const { return ToHundredthsMm(pixels, DpiX); }
int TReferenceDevice::HundredthsMmY(int pixels) const { return ToHundredthsMm(pixels, DpiY); }

QSize TReferenceDevice::HeaderPixels() const {
  return {HeaderPixelsOf(Pixels.width(), ValidDpi(DpiX)), HeaderPixelsOf(Pixels.height(), ValidDpi(DpiY))};
}

QSize TReferenceDevice::HeaderMillimetres() const {
  const QSize pixels = HeaderPixels();
  return {MillimetresOf(pixels.width(), ValidDpi(DpiX)), MillimetresOf(pixels.height(), ValidDpi(DpiY))};
}

TReferenceDevice ScreenReferenceDevice() {
  TReferenceDevice device;
  if (const QScreen *screen = QGuiApplication::primaryScreen()) {
    device.DpiX = qRound(screen->logicalDotsPerInchX());
    device.DpiY = qRound(screen->logicalDotsPerInchY());
    device.Pixels = screen->size();
  }
  return device;
}

}  // namespace plomix
