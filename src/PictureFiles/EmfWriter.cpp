#include "PictureFiles/EmfWriter.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" {
#include <uemf.h>
}

#include <QFontMetrics>

#include "PictureFiles/MetafileShapes.h"

namespace plomix {
namespace {

static_assert(std::endian::native == std::endian::little,
              "libUEMF builds records in host order; EMF is little-endian");

// Object table slots: one brush and one font at a time.
constexpr uint32_t kBrushSlot = 1;
constexpr uint32_t kFontSlot = 2;
constexpr uint32_t kNullPenSlot = 3;
constexpr uint32_t kLinePenSlot = 4;
constexpr uint16_t kHandles = 5;  // slot 0 is reserved for the metafile itself

U_COLORREF ToColorRef(const QColor &color) {
  return colorref3_set(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                       static_cast<uint8_t>(color.blue()));
}

U_RECTL Rectl(int left, int top, int right, int bottom) {
  U_RECTL r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}

class EmfRecords {
 public:
  // Takes a record built by libUEMF; a null record marks the whole file as failed.
  void Add(char *record) {
    if (record == nullptr) {
      FFailed = true;
      return;
    }
    uint32_t size = 0;
    std::memcpy(&size, record + offsetof(U_EMR, nSize), sizeof size);
    FBytes.append(record, size);
    ++FCount;
    std::free(record);
  }

  // Fills in the totals of the header record, as a finished recording does.
  std::string Finish() {
    if (FFailed || FBytes.size() < sizeof(U_EMRHEADER)) return {};
    U_EMRHEADER header;
    std::memcpy(&header, FBytes.data(), sizeof header);
    header.nBytes = static_cast<uint32_t>(FBytes.size());
    header.nRecords = FCount;
    header.nHandles = kHandles;
    header.nPalEntries = 0;
    std::memcpy(FBytes.data(), &header, sizeof header);
    return std::move(FBytes);
  }

 private:
  std::string FBytes;
  uint32_t FCount = 0;
  bool FFailed = false;
};

void SelectBrush(EmfRecords &out, const QColor &color, bool &haveBrush) {
  if (haveBrush) {
    out.Add(U_EMRSELECTOBJECT_set(U_NULL_BRUSH));
    out.Add(U_EMRDELETEOBJECT_set(kBrushSlot));
  }
  out.Add(U_EMRCREATEBRUSHINDIRECT_set(kBrushSlot, logbrush_set(U_BS_SOLID, ToColorRef(color), 0)));
  out.Add(U_EMRSELECTOBJECT_set(kBrushSlot));
  haveBrush = true;
}

void SelectFont(EmfRecords &out, const QFont &font, bool &haveFont) {
  if (haveFont) {
    out.Add(U_EMRSELECTOBJECT_set(U_DEVICE_DEFAULT_FONT));
    out.Add(U_EMRDELETEOBJECT_set(kFontSlot));
  }
  uint16_t face[U_LF_FACESIZE] = {};
  const QString family = font.family().left(U_LF_FACESIZE - 1);
  for (qsizetype i = 0; i < family.size(); ++i) face[i] = family.at(i).unicode();
  const U_LOGFONT logFont = logfont_set(
      -FontPixelHeight(font), 0, 0, 0, font.weight(), font.italic() ? 1 : 0,
      font.underline() ? 1 : 0, font.strikeOut() ? 1 : 0, U_SHIFTJIS_CHARSET,
      U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH, face);
  out.Add(U_EMREXTCREATEFONTINDIRECTW_set(kFontSlot, reinterpret_cast<const char *>(&logFont),
                                          nullptr));
  out.Add(U_EMRSELECTOBJECT_set(kFontSlot));
  haveFont = true;
}

void WriteText(EmfRecords &out, const MetafileShape &shape, const TReferenceDevice &device) {
  std::vector<uint16_t> units(static_cast<std::size_t>(shape.text.size()));
  for (qsizetype i = 0; i < shape.text.size(); ++i) units[static_cast<std::size_t>(i)] = shape.text.at(i).unicode();
  std::vector<int> advances = CharacterAdvances(shape.text, shape.font);
  std::vector<uint32_t> dx(advances.begin(), advances.end());
  int width = 0;
  for (int a : advances) width += a;
  const QFontMetrics metrics(shape.font);
  const U_RECTL bounds = Rectl(shape.origin.x(), shape.origin.y(), shape.origin.x() + width - 1,
                               shape.origin.y() + metrics.height() - 1);
  char *text = emrtext_set(point32_set(shape.origin.x(), shape.origin.y()),
                           static_cast<U_NUM_STR>(units.size()), 2, units.data(), U_ETO_NONE,
                           bounds, dx.data());
  if (text == nullptr) {
    out.Add(nullptr);
    return;
  }
  // Scale from pixels to hundredths of a millimetre, as a compatible-mode recording has it.
  const float xScale = 2540.0f / static_cast<float>(device.DpiX);
  const float yScale = 2540.0f / static_cast<float>(device.DpiY);
  out.Add(U_EMREXTTEXTOUTW_set(bounds, U_GM_COMPATIBLE, xScale, yScale,
                               reinterpret_cast<PU_EMRTEXT>(text)));
  std::free(text);
}

}  // namespace

std::string EncodeEnhancedMetafile(const TMetafile &metafile, const TReferenceDevice &device) {
  const int width = metafile.Width(), height = metafile.Height();
  if (width <= 0 || height <= 0) return {};
  EmfRecords out;
  // Bounds are the inclusive pixels 0..W-1. Readers size the picture as the frame's
  // width (right - left) through the device's millimetres-per-pixel, so the frame spans
  // W pixels at exactly that ratio: a frame one unit short, or a device size rounded to
  // whole millimetres on its own, shifts far bars by a pixel or more.
  const U_RECTL bounds = Rectl(0, 0, width - 1, height - 1);
  const U_RECTL frame = Rectl(0, 0, device.HundredthsMmX(width), device.HundredthsMmY(height));
  const QSize headerPixels = device.HeaderPixels(), headerMm = device.HeaderMillimetres();
  const U_SIZEL devicePixels = sizel_set(headerPixels.width(), headerPixels.height());
  const U_SIZEL deviceMm = sizel_set(headerMm.width(), headerMm.height());
  out.Add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, devicePixels, deviceMm, 0));
  out.Add(U_EMRSETMAPMODE_set(U_MM_TEXT));
  out.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
  out.Add(U_EMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
  // An explicit invisible pen: some readers ignore the stock null pen.
  out.Add(U_EMRCREATEPEN_set(kNullPenSlot, logpen_set(U_PS_NULL, point_set(0, 0), colorref3_set(0, 0, 0))));
  out.Add(U_EMRSELECTOBJECT_set(kNullPenSlot));

  bool haveBrush = false, haveFont = false;
  QColor brushColor, textColor;
  QFont currentFont;
  for (const MetafileShape &shape : MetafileToShapes(metafile)) {
    switch (shape.kind) {
      case MetafileShape::Kind::Rect:
        if (!haveBrush || brushColor != shape.color) {
          SelectBrush(out, shape.color, haveBrush);
          brushColor = shape.color;
        }
        // Without a pen the rectangle covers exactly the pixels from left up to right.
        out.Add(U_EMRRECTANGLE_set(Rectl(shape.rect.left(), shape.rect.top(),
                                         shape.rect.left() + shape.rect.width(),
                                         shape.rect.top() + shape.rect.height())));
        break;
      case MetafileShape::Kind::Line: {
        const U_LOGPEN pen = logpen_set(U_PS_SOLID, point_set(1, 1), ToColorRef(shape.color));
        out.Add(U_EMRCREATEPEN_set(kLinePenSlot, pen));
        out.Add(U_EMRSELECTOBJECT_set(kLinePenSlot));
        out.Add(U_EMRMOVETOEX_set(point32_set(shape.from.x(), shape.from.y())));
        out.Add(U_EMRLINETO_set(point32_set(shape.to.x(), shape.to.y())));
        out.Add(U_EMRSELECTOBJECT_set(kNullPenSlot));
        out.Add(U_EMRDELETEOBJECT_set(kLinePenSlot));
        break;
      }
      case MetafileShape::Kind::Text:
        if (!haveFont || currentFont != shape.font) {
          SelectFont(out, shape.font, haveFont);
          currentFont = shape.font;
        }
        if (textColor != shape.color || !textColor.isValid()) {
          out.Add(U_EMRSETTEXTCOLOR_set(ToColorRef(shape.color)));
          textColor = shape.color;
        }
        WriteText(out, shape, device);
        break;
    }
  }
  if (haveBrush) {
    out.Add(U_EMRSELECTOBJECT_set(U_NULL_BRUSH));
    out.Add(U_EMRDELETEOBJECT_set(kBrushSlot));
  }
  if (haveFont) {
    out.Add(U_EMRSELECTOBJECT_set(U_DEVICE_DEFAULT_FONT));
    out.Add(U_EMRDELETEOBJECT_set(kFontSlot));
  }
  out.Add(U_EMRSELECTOBJECT_set(U_BLACK_PEN));
  out.Add(U_EMRDELETEOBJECT_set(kNullPenSlot));
  EMFTRACK track{};  // the end record only reads the palette count from it
  out.Add(U_EMREOF_set(0, nullptr, &track));
  return out.Finish();
}

}  // namespace plomix
