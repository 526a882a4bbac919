#include "cli/front/BarsOnlyDrawing.h"

#include <cstdint>
#include <cstdlib>

#include "BarLayout/BarPainting.h"
#include "BarLayout/PixelPicture.h"
#include "Encoders/SymbologyTable.h"
#include "RasterFiles/BmpEncoder.h"
#include "RasterFiles/PngEncoder.h"

namespace plomix::cli {
namespace {

// A symbol without a window is drawn at 96 dpi: its bitmap says so in pixels per metre
// (96 / 0.0254, rounded).
constexpr int kDotsPerMetre = 3780;

// Pictures up to this size are drawn here; the full program checks larger ones against
// its memory limit (PLOMIX_PICTURE_MEMORY_LIMIT) and the file formats' limits.
constexpr std::int64_t kLargestPictureBytes = 64 << 20;

}  // namespace

std::optional<std::string> DrawBarsOnly(const BarsOnlyCall &call) {
  const EncodeResult encoded = Symbology(call.type).encode(EncodeInput{call.code, call.cd, call.startChar, call.stopChar});
  if (encoded.pattern.empty()) return std::nullopt;  // the full program says why

  // The component's settings for plomix-cli: the symbol at the picture's top-left corner,
  // the picture exactly its size (AutoSize with Match), no text.
  SymbolSettings settings;
  settings.type = call.type;
  settings.scale = call.scale;
  settings.elementRatio = call.ratio;
  settings.barHeight = call.height;
  settings.frame = call.frame;
  settings.spaceUp = call.spaceUp;
  settings.spaceDown = call.spaceDown;
  settings.spaceLeft = call.spaceLeft;
  settings.spaceRight = call.spaceRight;
  SymbolLayout layout;
  if (!LayoutSymbol(settings, encoded.pattern, SymbolTextSizes{}, layout)) return std::nullopt;
  const int width = layout.size.width, height = layout.size.height;
  if (width <= 0 || height <= 0 || std::int64_t{width} * height * 4 > kLargestPictureBytes) return std::nullopt;
  if (std::getenv("PLOMIX_PICTURE_MEMORY_LIMIT") != nullptr) return std::nullopt;

  TPixelPicture picture(width, height);
  if (picture.IsNull()) return std::nullopt;
  {
    TPixelCanvas canvas(picture.Rows());
    const TBarInk<std::uint32_t> ink{call.type, call.scale, &encoded.pattern, call.bar, call.back,
                                     PixelRect{0, 0, width, height}};
    DrawBackgroundAndBars(canvas, layout, ink);
    DrawSymbolFrame(canvas, layout, call.bar);
  }
  // Turned, then mirrored, as the component does.
  if (call.angle == 90 || call.angle == 180 || call.angle == 270) {
    const bool swap = call.angle != 180;
    TPixelPicture turned(swap ? height : width, swap ? width : height);
    if (turned.IsNull()) return std::nullopt;
    TurnPixels(picture.View(), call.angle, turned.Rows());
    picture = std::move(turned);
  }
  if (call.reverse) {
    TPixelPicture mirrored(picture.Width(), picture.Height());
    if (mirrored.IsNull()) return std::nullopt;
    MirrorPixels(picture.View(), mirrored.Rows());
    picture = std::move(mirrored);
  }

  const RasterPixels pixels = picture.View(kDotsPerMetre, kDotsPerMetre);
  std::string bytes;
  switch (call.file) {
    case BarsOnlyFile::None: return bytes;
    case BarsOnlyFile::Bmp: bytes = EncodeBmpPixels(pixels); break;
    case BarsOnlyFile::Png:
      if (!EncodePngPixels(pixels, bytes, nullptr)) bytes.clear();
      break;
  }
  if (bytes.empty()) return std::nullopt;
  return bytes;
}

}  // namespace plomix::cli
