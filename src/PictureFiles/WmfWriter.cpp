#include "PictureFiles/WmfWriter.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

extern "C" {
#include <uwmf.h>
}

#include "PictureFiles/MetafileShapes.h"
#include "Common/ShiftJis.h"

namespace plomix {
namespace {

static_assert(std::endian::native == std::endian::little,
              "libUEMF builds records in host order; WMF is little-endian");

constexpr std::size_t kPlaceableBytes = 22;   // the placeable header before META_HEADER
constexpr std::size_t kMetaHeaderBytes = 18;  // META_HEADER; U_WMRHEADER is padded past it
static_assert(sizeof(U_WMRHEADER) >= kMetaHeaderBytes);

bool Fits16(int value) {
  return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

U_COLORREF ToColorRef(const QColor &color) {
  return colorref3_set(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                       static_cast<uint8_t>(color.blue()));
}

U_POINT16 Point16(int x, int y) { return point16_set(static_cast<int16_t>(x), static_cast<int16_t>(y)); }

class WmfRecords {
 public:
  void AddHeader(char *header) {
    if (header == nullptr) {
      FFailed = true;
      return;
    }
    FBytes.append(header, kPlaceableBytes + kMetaHeaderBytes);
    std::free(header);
  }

  void Add(char *record) {
    if (record == nullptr) {
      FFailed = true;
      return;
    }
    uint32_t words = 0;
    std::memcpy(&words, record, sizeof words);  // record size in 16-bit words
    FBytes.append(record, 2 * static_cast<std::size_t>(words));
    if (words > FLargest) FLargest = words;
    std::free(record);
  }

  void Fail() { FFailed = true; }

  // The object table: a new object takes the lowest free slot, as playback assigns them.
  uint16_t Create(char *record) {
    Add(record);
    std::size_t slot = 0;
    while (slot < FSlots.size() && FSlots[slot]) ++slot;
    if (slot == FSlots.size()) FSlots.push_back(true);
    FSlots[slot] = true;
    return static_cast<uint16_t>(slot);
  }
  void Delete(uint16_t slot) {
    Add(U_WMRDELETEOBJECT_set(slot));
    FSlots[slot] = false;
  }

  // Fills in the totals of META_HEADER, as a finished recording does.
  std::string Finish() {
    if (FFailed || FBytes.size() < kPlaceableBytes + kMetaHeaderBytes) return {};
    U_WMRHEADER header{};
    std::memcpy(&header, FBytes.data() + kPlaceableBytes, kMetaHeaderBytes);
    const uint32_t words = static_cast<uint32_t>((FBytes.size() - kPlaceableBytes) / 2);
    header.Sizew[0] = static_cast<uint16_t>(words & 0xFFFF);
    header.Sizew[1] = static_cast<uint16_t>(words >> 16);
    header.nObjects = static_cast<uint16_t>(FSlots.size());
    header.maxSize = FLargest;
    std::memcpy(FBytes.data() + kPlaceableBytes, &header, kMetaHeaderBytes);
    return std::move(FBytes);
  }

 private:
  std::string FBytes;
  std::vector<bool> FSlots;
  uint32_t FLargest = 0;
  bool FFailed = false;
};

uint16_t CreateFont(WmfRecords &out, const QFont &font) {
  std::string face = UnicodeToSjis(font.family());
  face = std::string(SjisPrefix(face, 31));  // LOGFONT holds 32 bytes with the NUL
  U_FONT *logFont = U_FONT_set(static_cast<int16_t>(-FontPixelHeight(font)), 0, 0, 0,
                               static_cast<int16_t>(font.weight()), font.italic() ? 1 : 0,
                               font.underline() ? 1 : 0, font.strikeOut() ? 1 : 0,
                               U_SHIFTJIS_CHARSET, U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS,
                               U_DEFAULT_QUALITY, U_DEFAULT_PITCH, face.data());
  if (logFont == nullptr) {
    out.Fail();
    return 0;
  }
  const uint16_t slot = out.Create(U_WMRCREATEFONTINDIRECT_set(logFont));
  std::free(logFont);
  return slot;
}

void WriteText(WmfRecords &out, const MetafileShape &shape) {
  // Shift-JIS bytes with one advance per byte: a double-byte character carries its
  // advance on the lead byte and 0 on the trail byte.
  const std::vector<int> advances = CharacterAdvances(shape.text, shape.font);
  std::string bytes;
  std::vector<int16_t> dx;
  for (qsizetype i = 0; i < shape.text.size(); ++i) {
    const QChar ch = shape.text.at(i);
    if (ch.isLowSurrogate()) continue;
    QString one(ch);
    if (ch.isHighSurrogate() && i + 1 < shape.text.size()) one += shape.text.at(i + 1);
    const std::string encoded = UnicodeToSjis(one);
    for (std::size_t b = 0; b < encoded.size(); ++b)
      dx.push_back(static_cast<int16_t>(b == 0 ? advances[static_cast<std::size_t>(i)] : 0));
    bytes += encoded;
  }
  if (bytes.empty()) return;
  if (bytes.size() > 0x7FFF || !Fits16(shape.origin.x()) || !Fits16(shape.origin.y())) {
    out.Fail();
    return;
  }
  const U_RECT16 unused = U_RECT16_set(Point16(0, 0), Point16(0, 0));
  out.Add(U_WMREXTTEXTOUT_set(Point16(shape.origin.x(), shape.origin.y()),
                              static_cast<int16_t>(bytes.size()), 0, bytes.data(), dx.data(),
                              unused));
}

bool RectFits(const QRect &r) {
  return Fits16(r.left()) && Fits16(r.top()) && Fits16(r.left() + r.width()) &&
         Fits16(r.top() + r.height());
}

}  // namespace

std::string EncodeWindowsMetafile(const TMetafile &metafile, const TReferenceDevice &device) {
  const int width = metafile.Width(), height = metafile.Height();
  if (width <= 0 || height <= 0 || !Fits16(width) || !Fits16(height) || device.DpiX <= 0)
    return {};
  WmfRecords out;
  // The placeable header: a bounding box of W x H units at `dpi` units per inch.
  U_PAIRF *inches = U_PAIRF_set(static_cast<float>(width) / static_cast<float>(device.DpiX),
                                static_cast<float>(height) / static_cast<float>(device.DpiX));
  out.AddHeader(U_WMRHEADER_set(inches, static_cast<unsigned>(device.DpiX)));
  std::free(inches);
  out.Add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  out.Add(U_WMRSETWINDOWORG_set(Point16(0, 0)));
  out.Add(U_WMRSETWINDOWEXT_set(Point16(width, height)));
  out.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
  out.Add(U_WMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
  const uint16_t nullPen = out.Create(U_WMRCREATEPENINDIRECT_set(U_PEN_set(U_PS_NULL, 0, colorref3_set(0, 0, 0))));
  out.Add(U_WMRSELECTOBJECT_set(nullPen));

  int brush = -1, font = -1;
  QColor brushColor, textColor;
  QFont currentFont;
  for (const MetafileShape &shape : MetafileToShapes(metafile)) {
    switch (shape.kind) {
      case MetafileShape::Kind::Rect: {
        if (!RectFits(shape.rect)) {
          out.Fail();
          break;
        }
        if (brush < 0 || brushColor != shape.color) {
          const uint16_t next = out.Create(
              U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, ToColorRef(shape.color), 0)));
          out.Add(U_WMRSELECTOBJECT_set(next));
          if (brush >= 0) out.Delete(static_cast<uint16_t>(brush));
          brush = next;
          brushColor = shape.color;
        }
        // A polygon through the four pixel corners, not META_RECTANGLE: GDI leaves out
        // the right column and bottom row of a rectangle drawn without a pen (a one-pixel
        // bar vanishes) while other readers fill it whole; both fill this polygon exactly.
        const int l = shape.rect.left(), t = shape.rect.top();
        const int r = l + shape.rect.width(), b = t + shape.rect.height();
        const U_POINT16 corners[4] = {Point16(l, t), Point16(r, t), Point16(r, b), Point16(l, b)};
        out.Add(U_WMRPOLYGON_set(4, corners));
        break;
      }
      case MetafileShape::Kind::Line: {
        if (!Fits16(shape.from.x()) || !Fits16(shape.from.y()) || !Fits16(shape.to.x()) ||
            !Fits16(shape.to.y())) {
          out.Fail();
          break;
        }
        const uint16_t pen = out.Create(
            U_WMRCREATEPENINDIRECT_set(U_PEN_set(U_PS_SOLID, 1, ToColorRef(shape.color))));
        out.Add(U_WMRSELECTOBJECT_set(pen));
        out.Add(U_WMRMOVETO_set(Point16(shape.from.x(), shape.from.y())));
        out.Add(U_WMRLINETO_set(Point16(shape.to.x(), shape.to.y())));
        out.Add(U_WMRSELECTOBJECT_set(nullPen));
        out.Delete(pen);
        break;
      }
      case MetafileShape::Kind::Text:
        if (font < 0 || currentFont != shape.font) {
          const uint16_t next = CreateFont(out, shape.font);
          out.Add(U_WMRSELECTOBJECT_set(next));
          if (font >= 0) out.Delete(static_cast<uint16_t>(font));
          font = next;
          currentFont = shape.font;
        }
        if (!textColor.isValid() || textColor != shape.color) {
          out.Add(U_WMRSETTEXTCOLOR_set(ToColorRef(shape.color)));
          textColor = shape.color;
        }
        WriteText(out, shape);
        break;
    }
  }
  out.Add(U_WMREOF_set());
  return out.Finish();
}

}  // namespace plomix
