#include "BarImage/ReferenceDevice.h"

#include <QGuiApplication>
#include <QScreen>

namespace plomix {
namespace {

int ToHundredthsMm(int pixels, int dpi) {
  return dpi > 0 ? static_cast<int>((static_cast<long long>(pixels) * 2540 + dpi / 2) / dpi) : 0;
}

}  // namespace

int TReferenceDevice::HundredthsMmX(int pixels) const { return ToHundredthsMm(pixels, DpiX); }
int TReferenceDevice::HundredthsMmY(int pixels) const { return ToHundredthsMm(pixels, DpiY); }

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
