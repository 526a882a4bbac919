#include "BarLayout/SymbolLayout.h"

#include <algorithm>

#include "Encoders/SymbologyTable.h"

namespace plomix {
namespace {

int CommentX(TLocation location, int symbolWidth, int textWidth) {
  int a = 0;
  if (location == locCenter) a = (symbolWidth - textWidth) / 2;
  else if (location == locRight) a = symbolWidth - textWidth;
  return a < 0 ? 0 : a;
}

// The frame's width once it fits `rect`: at most one less than half the shorter side;
// 0 when not even one pixel fits.
int FittedFrame(int frame, const PixelRect &rect) {
  int m = std::min(rect.width / 2, rect.height / 2);
  if (m > 0) --m;
  if (m < 1) return 0;
  return std::min(frame, m);
}

}  // namespace

int CustomerPatternWidth(const std::string &pattern, int scale) {
  const std::size_t first = pattern.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  const std::size_t last = pattern.find_last_not_of('0');
  // With the start code's two empty columns this reaches from the origin to the right
  // edge of the last bar.
  return static_cast<int>(last - first + 2) * scale;
}

bool LayoutSymbol(const SymbolSettings &s, const std::string &pattern,
                  const SymbolTextSizes &texts, SymbolLayout &out) {
  const SymbologyInfo &info = Symbology(s.type);
  const int tw = texts.symbol.width, th = texts.symbol.height;
  out.bars.clear();
  out.barHeight = s.barHeight;
  out.frame = s.frame;
  out.patternWidth = 0;
  if (info.ownElementShapes) {
    out.patternWidth = CustomerPatternWidth(pattern, s.scale);
    out.barLength = 6 * s.scale;
  } else {
    for (char digit : pattern)
      out.patternWidth += ElementWidth(digit, s.scale, s.elementRatio, info.usesElementRatio);
    out.barHeight = std::max(out.barHeight, th + 6);
    out.barLength = out.barHeight - th;
  }
  const int pw = out.patternWidth;
  if (pw == 0) return false;
  out.barWidth = std::max(pw, tw);
  if (info.fixedBarHeight) out.barHeight = out.barLength + th;
  out.size = {s.spaceLeft + out.barWidth + s.spaceRight, s.spaceUp + out.barHeight + s.spaceDown};
  out.origin = {s.left, s.top};

  const int W = out.size.width, H = out.size.height;
  const int left = s.left + s.spaceLeft;
  out.barTop = s.top + s.spaceUp;
  out.barLeft = left + (pw > tw ? 0 : (tw - pw) / 2);
  if (!info.ownElementShapes) {
    int x = out.barLeft;
    for (char digit : pattern) {
      const int w = ElementWidth(digit, s.scale, s.elementRatio, info.usesElementRatio);
      if ((digit - '0') % 2 == 1) out.bars.push_back({x, w});
      x += w;
    }
  }
  out.symbolText = {left + (pw > tw ? (pw - tw) / 2 : 0), out.barTop + out.barLength};

  out.frameRect = PixelRect();
  if (s.frame > 0) {
    const PixelRect rect = info.frameAroundBars
                               ? PixelRect{s.left, out.barTop, W, out.barLength}
                               : PixelRect::Spanning(s.left, s.top + texts.commentUp.height, s.left + W - 1,
                                                     s.top + H - texts.commentDown.height - 1);
    out.frame = FittedFrame(s.frame, rect);
    if (out.frame > 0) out.frameRect = rect;
  }
  out.commentUp = {s.left + CommentX(s.commentUpLoc, W, texts.commentUp.width), s.top};
  out.commentDown = {s.left + CommentX(s.commentDownLoc, W, texts.commentDown.width),
                     s.top + H - texts.commentDown.height};
  return true;
}

void MoveSymbolLayout(SymbolLayout &layout, PixelPoint origin) {
  const PixelPoint d = origin - layout.origin;
  if (d == PixelPoint{}) return;
  layout.origin = origin;
  layout.barLeft += d.x;
  layout.barTop += d.y;
  for (BarSpan &bar : layout.bars) bar.x += d.x;
  layout.symbolText = layout.symbolText + d;
  layout.commentUp = layout.commentUp + d;
  layout.commentDown = layout.commentDown + d;
  if (!layout.frameRect.IsNull()) layout.frameRect = layout.frameRect.Translated(d);
}

PixelPoint UnturnedOrigin(int angle, PixelPoint requested, PixelSize symbol, PixelSize picture) {
  const int L = requested.x, T = requested.y;
  switch (angle) {
    case 90: return {T, picture.width - L - symbol.height};
    case 180: return {picture.width - L - symbol.width, picture.height - T - symbol.height};
    case 270: return {picture.height - T - symbol.width, L};
    default: return requested;
  }
}

}  // namespace plomix
