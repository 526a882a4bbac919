// TBarImage's drawing: layout, bitmap and metafile drawing, rotation, mirror and frame.
#include <QPainter>

#include "BarImage/BitmapCanvas.h"
#include "BarImage/CustomerDrawing.h"
#include "BarImage/MetafileCanvas.h"
#include "BarImage/PictureTransform.h"
#include "BarImage/SymbologyTable.h"
#include "BarImage/TBarImage.h"
#include "Common/ShiftJis.h"

namespace plomix {
namespace {

// Restores AutoSize and Stretch at every way out of a drawing.
class SizingGuard {
 public:
  SizingGuard(bool &autoSize, bool &stretch)
      : FAutoSize(autoSize), FStretch(stretch), FOldAutoSize(autoSize), FOldStretch(stretch) {
    autoSize = false;
    stretch = false;
  }
  ~SizingGuard() {
    FAutoSize = FOldAutoSize;
    FStretch = FOldStretch;
  }

 private:
  bool &FAutoSize, &FStretch;
  bool FOldAutoSize, FOldStretch;
};

// Fills `outer` except `hole`, which lies inside it.
void FillAround(TBarCanvas &canvas, const QRect &outer, const QRect &hole, const QColor &color) {
  canvas.FillRect(QRect(QPoint(outer.left(), outer.top()), QPoint(outer.right(), hole.top() - 1)), color);
  canvas.FillRect(QRect(QPoint(outer.left(), hole.bottom() + 1), QPoint(outer.right(), outer.bottom())), color);
  canvas.FillRect(QRect(QPoint(outer.left(), hole.top()), QPoint(hole.left() - 1, hole.bottom())), color);
  canvas.FillRect(QRect(QPoint(hole.right() + 1, hole.top()), QPoint(outer.right(), hole.bottom())), color);
}

int CommentX(TLocation location, int symbolWidth, int textWidth) {
  int a = 0;
  if (location == locCenter) a = (symbolWidth - textWidth) / 2;
  else if (location == locRight) a = symbolWidth - textWidth;
  return a < 0 ? 0 : a;
}

}  // namespace

bool TBarImage::RunEncoder() {
  FBarDisped = false;
  FSymbol.clear();
  FCDN = -1;
  FPattern.clear();
  if (FCode.empty()) return false;
  const SymbologyInfo &info = Symbology(FBarType);
  if (info.encode == nullptr) return false;
  EncodeResult result = info.encode(EncodeInput{FCode, FCD, FStartChar, FStopChar});
  if (result.startChar != 0) FStartChar = result.startChar;
  if (result.pattern.empty()) return false;
  FPattern = std::move(result.pattern);
  FSymbol = std::move(result.symbol);
  FCDN = result.cdn;
  return true;
}

bool TBarImage::MeasureLayout(TBarCanvas &canvas, Layout &layout) {
  layout = Layout{};
  if (FSymbolDisp) {
    const QSize t = canvas.TextExtent(SjisToUnicode(FSymbol), FBarFont);
    layout.tw = t.width();
    layout.th = t.height();
  }
  if (!FCommentUp.empty()) {
    const QSize u = canvas.TextExtent(SjisToUnicode(FCommentUp), FBarFont);
    layout.uw = u.width();
    layout.uh = u.height();
  }
  if (!FCommentDown.empty()) {
    const QSize d = canvas.TextExtent(SjisToUnicode(FCommentDown), FBarFont);
    layout.dw = d.width();
    layout.dh = d.height();
  }
  if (FBarType == cbarCUSTOMER) {
    layout.pw = CustomerPatternWidth(FPattern);
    layout.barLength = 6 * FScale;
  } else {
    const bool ratio = Symbology(FBarType).usesElementRatio;
    for (char digit : FPattern) layout.pw += ElementWidth(digit, FScale, FElementRatio, ratio);
    if (FBarHeight < layout.th + 6) FBarHeight = layout.th + 6;
    layout.barLength = FBarHeight - layout.th;
  }
  if (layout.pw == 0) return false;
  layout.barColor = ColorToQColor(FBarColor);
  FBarWidth = layout.pw > layout.tw ? layout.pw : layout.tw;
  if (FBarType == cbarCUSTOMER) FBarHeight = layout.barLength + layout.th;
  layout.W = FBarSpaceLeft + FBarWidth + FBarSpaceRight;
  layout.H = FBarSpaceUp + FBarHeight + FBarSpaceDown;
  return true;
}

void TBarImage::DrawSymbol(TBarCanvas &canvas, const Layout &layout, const QRect &background) {
  const int barOffset = layout.pw > layout.tw ? 0 : (layout.tw - layout.pw) / 2;
  const int textOffset = layout.pw > layout.tw ? (layout.pw - layout.tw) / 2 : 0;
  const int left = FBarLeft + FBarSpaceLeft;
  const int top = FBarTop + FBarSpaceUp;

  FBarSpans.clear();
  if (FBarType != cbarCUSTOMER) {
    const bool ratio = Symbology(FBarType).usesElementRatio;
    int x = left + barOffset;
    for (char digit : FPattern) {
      const int w = ElementWidth(digit, FScale, FElementRatio, ratio);
      if ((digit - '0') % 2 == 1) FBarSpans.push_back({x, w});
      x += w;
    }
  }
  if (!background.isEmpty()) {
    // The band between the first and the last bar gets its background with the bars,
    // so that the bitmap's pixels there are written once.
    const QColor back = ColorToQColor(FBackColor);
    if (FBarSpans.empty()) {
      canvas.FillRect(background, back);
    } else {
      const QRect band(QPoint(FBarSpans.front().x, top),
                       QPoint(FBarSpans.back().x + FBarSpans.back().width - 1, top + layout.barLength - 1));
      FillAround(canvas, background, band, back);
      canvas.BarRun(FBarSpans, top, layout.barLength, layout.barColor, &back);
    }
  }

  if (FBarType == cbarCUSTOMER) {
    for (std::size_t i = 0; i < FPattern.size(); ++i)
      DrawCustomerElement(barOffset, static_cast<int>(i), FScale, FPattern[i]);
  } else if (background.isEmpty()) {
    canvas.BarRun(FBarSpans, top, layout.barLength, layout.barColor, nullptr);
  }

  if (FSymbolDisp && !FSymbol.empty())
    canvas.TextOut(QPoint(left + textOffset, top + layout.barLength), SjisToUnicode(FSymbol), FBarFont);

  if (FBarFrame > 0) {
    if (FBarType == cbarITF)
      DrawFrame(canvas, FBarLeft, top, FBarLeft + layout.W, top + layout.barLength);
    else
      DrawFrame(canvas, FBarLeft, FBarTop + layout.uh, FBarLeft + layout.W,
                FBarTop + layout.H - layout.dh);
  }

  if (!FCommentUp.empty())
    canvas.TextOut(QPoint(FBarLeft + CommentX(FCommentUpLoc, layout.W, layout.uw), FBarTop),
                   SjisToUnicode(FCommentUp), FBarFont);
  if (!FCommentDown.empty())
    canvas.TextOut(QPoint(FBarLeft + CommentX(FCommentDownLoc, layout.W, layout.dw),
                          FBarTop + layout.H - layout.dh),
                   SjisToUnicode(FCommentDown), FBarFont);
}

void TBarImage::DrawToBitmap() {
  if (!RunEncoder()) return;
  SizingGuard sizing(FAutoSize, FStretch);
  if (FBarDebug) {
    FBarDisped = true;
    return;
  }
  const int requestedLeft = FBarLeft, requestedTop = FBarTop;
  {
    TBitmapCanvas measuring(FPicture.Bitmap(), &FTextLayouts);
    if (!MeasureLayout(measuring, FLayout)) return;
  }
  const Layout &layout = FLayout;

  if (!FMatch) {
    // Convert the requested position into the unrotated picture.
    const int L = requestedLeft, T = requestedTop;
    switch (FAngle) {
      case 90: FBarLeft = T; FBarTop = width() - L - layout.H; break;
      case 180: FBarLeft = width() - L - layout.W; FBarTop = height() - T - layout.H; break;
      case 270: FBarLeft = height() - T - layout.W; FBarTop = L; break;
      default: break;
    }
    // The control stays as it is on screen until the turned picture is back.
    setUpdatesEnabled(false);
    RotatePicture(360 - FAngle);
  } else {
    resize(FBarLeft + layout.W, FBarTop + layout.H);
    QImage &bitmap = FPicture.Bitmap();
    if (bitmap.size() != size()) {
      const int dpmX = bitmap.dotsPerMeterX(), dpmY = bitmap.dotsPerMeterY();
      bitmap = QImage(size(), QImage::Format_RGB32);
      bitmap.setDotsPerMeterX(dpmX);
      bitmap.setDotsPerMeterY(dpmY);
    }
  }

  {
    TBitmapCanvas canvas(FPicture.Bitmap(), &FTextLayouts);
    DrawingCanvas = &canvas;
    QRect background;  // none when transparent
    if (!FTransparent)
      background = FMatch ? QRect(0, 0, FBarLeft + layout.W, FBarTop + layout.H)
                          : QRect(FBarLeft, FBarTop, layout.W, layout.H);
    DrawSymbol(canvas, layout, background);
    DrawingCanvas = nullptr;
  }

  RotatePicture(FAngle);
  if (!FMatch) {
    FBarLeft = requestedLeft;
    FBarTop = requestedTop;
    setUpdatesEnabled(true);
  }
  FBarDisped = true;
  update();
}

void TBarImage::DrawToMetafile() {
  if (!RunEncoder()) return;
  SizingGuard sizing(FAutoSize, FStretch);
  if (FBarDebug) {
    FBarDisped = true;
    return;
  }
  TMetafile metafile;
  TMetafileCanvas canvas(metafile);
  if (!MeasureLayout(canvas, FLayout)) return;
  const Layout &layout = FLayout;

  resize(FBarLeft + layout.W, FBarTop + layout.H);
  metafile.SetSize(size());
  DrawingCanvas = &canvas;
  canvas.FillRect(QRect(0, 0, width(), height()), ColorToQColor(FBackColor));
  DrawSymbol(canvas, layout, QRect());
  DrawingCanvas = nullptr;
  metafile.SetSize(size() + QSize(1, 1));
  FPicture.Metafile() = std::move(metafile);
  FBarDisped = true;
  update();
}

void TBarImage::RotatePicture(int angle) {
  if (FBarPicture != picBMP || !FPicture.IsBitmap() || FPicture.Bitmap().isNull()) return;
  if (angle != 90 && angle != 180 && angle != 270) {
    MirrorPicture();
    return;
  }
  SizingGuard sizing(FAutoSize, FStretch);
  const int oldWidth = width(), oldHeight = height();
  QImage &bitmap = FPicture.Bitmap();
  bitmap = RotateBitmap(bitmap, angle);
  if (angle != 180) resize(oldHeight, oldWidth);
  update();
  MirrorPicture();
}

void TBarImage::MirrorPicture() {
  if (!FReverse || FBarPicture != picBMP || !FPicture.IsBitmap() || FPicture.Bitmap().isNull())
    return;
  QImage &bitmap = FPicture.Bitmap();
  bitmap = MirrorBitmap(bitmap);
  update();
}

void TBarImage::DrawFrame(TBarCanvas &canvas, int left, int top, int right, int bottom) {
  int m = std::min((right - left) / 2, (bottom - top) / 2);
  if (m > 0) --m;
  if (m < 1) {
    FBarFrame = 0;
    return;
  }
  if (FBarFrame > m) FBarFrame = static_cast<TFrameSize>(m);
  const int F = FBarFrame;
  const QColor color = ColorToQColor(FBarColor);
  canvas.FillRect(QRect(QPoint(left, top), QPoint(right - 1, top + F - 1)), color);
  canvas.FillRect(QRect(QPoint(left, bottom - F), QPoint(right - 1, bottom - 1)), color);
  canvas.FillRect(QRect(QPoint(left, top + F), QPoint(left + F - 1, bottom - F - 1)), color);
  canvas.FillRect(QRect(QPoint(right - F, top + F), QPoint(right - 1, bottom - F - 1)), color);
}

int TBarImage::CustomerPatternWidth(const std::string &pattern) const {
  return plomix::CustomerPatternWidth(pattern, FScale);
}

void TBarImage::DrawCustomerElement(int barOffset, int position, int scale, char digit) {
  if (DrawingCanvas == nullptr) return;
  plomix::DrawCustomerElement(*DrawingCanvas, FBarLeft + FBarSpaceLeft, FBarTop + FBarSpaceUp,
                              barOffset, position, scale, digit, FLayout.barLength,
                              FLayout.barColor);
}

}  // namespace plomix
