#pragma once
// The device a metafile is recorded against: its resolution and its size. Metafiles are
// recorded in pixels of the screen, so their physical size follows the screen's dpi.
#include <QSize>

namespace plomix {

struct TReferenceDevice {
  int DpiX = 96;
  int DpiY = 96;
  QSize Pixels{1024, 768};  // the whole device, as the EMF header records it

  // Hundredths of a millimetre that `pixels` cover at this resolution.
  int HundredthsMmX(int pixels) const;
  int HundredthsMmY(int pixels) const;

  // The device size an EMF header records, in pixels and in millimetres. Readers scale
  // by the millimetres over the pixels, so the pixels are the screen's rounded up to a
  // whole multiple of the pixels that make whole millimetres at this dpi (480 pixels =
  // 127 mm at 96 dpi): the ratio is then exactly 25.4 / dpi and a picture comes back at
  // its own pixel size.
  QSize HeaderPixels() const;
  QSize HeaderMillimetres() const;
};

// The screen of the running application (its logical dpi and primary screen size).
TReferenceDevice ScreenReferenceDevice();

}  // namespace plomix
