// The symbol's drawing: runs the encoder, lays the symbol out, draws it into the bitmap or
// the metafile, turns and mirrors the bitmap, and takes the layout's results back.
#include "Symbol/BitmapCanvas.h"
#include "Symbol/MetafileCanvas.h"
#include "Symbol/PictureTransform.h"
#include "Symbol/SymbolDrawing.h"
#include "Encoders/SymbologyTable.h"
#include "Symbol/TBarSymbol.h"
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

}  // namespace

bool TBarSymbol::RunEncoder() {
  FBarDisped = false;
  FSymbol.clear();
  FCDN = -1;
  FPattern.clear();
  FRefusal = Refusal::EmptyCode;
  FExpectedCheck = -1;
  if (FCode.empty()) return false;
  EncodeResult result = Symbology(FBarType).encode(EncodeInput{FCode, FCD, FStartChar, FStopChar});
  if (result.startChar != 0) FStartChar = result.startChar;
  FRefusal = result.refusal;
  FExpectedCheck = result.expectedCheck;
  if (result.pattern.empty()) return false;
  FPattern = std::move(result.pattern);
  FSymbol = std::move(result.symbol);
  FCDN = result.cdn;
  return true;
}

bool TBarSymbol::LayOut(TBarCanvas &measuring) {
  FInk.type = FBarType;
  FInk.scale = FScale;
  FInk.pattern = &FPattern;
  FInk.font = &FBarFont;
  FInk.bar = ColorToQColor(FBarColor);
  FInk.back = ColorToQColor(FBackColor);
  FInk.symbolText.clear();
  FInk.commentUp = FCommentUp.empty() ? QString() : SjisToUnicode(FCommentUp);
  FInk.commentDown = FCommentDown.empty() ? QString() : SjisToUnicode(FCommentDown);

  SymbolTextSizes texts;
  if (FSymbolDisp) {
    const QString symbol = SjisToUnicode(FSymbol);
    texts.symbol = ToPixelSize(measuring.TextExtent(symbol, FBarFont));
    if (!FSymbol.empty()) FInk.symbolText = symbol;
  }
  if (!FInk.commentUp.isEmpty()) texts.commentUp = ToPixelSize(measuring.TextExtent(FInk.commentUp, FBarFont));
  if (!FInk.commentDown.isEmpty()) texts.commentDown = ToPixelSize(measuring.TextExtent(FInk.commentDown, FBarFont));

  SymbolSettings settings;
  settings.type = FBarType;
  settings.scale = FScale;
  settings.elementRatio = FElementRatio;
  settings.barHeight = FBarHeight;
  settings.frame = FBarFrame;
  settings.spaceUp = FBarSpaceUp;
  settings.spaceDown = FBarSpaceDown;
  settings.spaceLeft = FBarSpaceLeft;
  settings.spaceRight = FBarSpaceRight;
  settings.commentUpLoc = FCommentUpLoc;
  settings.commentDownLoc = FCommentDownLoc;
  settings.left = FBarLeft;
  settings.top = FBarTop;
  const bool laidOut = LayoutSymbol(settings, FPattern, texts, FLayout);
  FBarHeight = FLayout.barHeight;
  if (!laidOut) return false;
  FBarWidth = FLayout.barWidth;
  FBarFrame = static_cast<TFrameSize>(FLayout.frame);
  return true;
}

std::optional<QSize> TBarSymbol::MeasureBar() {
  PrepareBitmap();
  if (!RunEncoder()) return std::nullopt;
  bool laidOut = false;
  if (FBarPicture == picBMP) {
    TBitmapCanvas measuring(FPicture.Bitmap(), &FTextLayouts);
    laidOut = LayOut(measuring);
  } else {
    TMetafile metafile;
    TMetafileCanvas measuring(metafile);
    laidOut = LayOut(measuring);
  }
  if (!laidOut) return std::nullopt;
  return FMatch ? QSize(FBarLeft + FLayout.size.width, FBarTop + FLayout.size.height) : ControlSize();
}

void TBarSymbol::DrawToBitmap() {
  if (!RunEncoder()) return;
  SizingGuard sizing(FAutoSize, FStretch);
  if (FBarDebug) {
    FBarDisped = true;
    return;
  }
  {
    TBitmapCanvas measuring(FPicture.Bitmap(), &FTextLayouts);
    if (!LayOut(measuring)) return;
  }
  const QSize symbolSize = ToQSize(FLayout.size);

  if (!FMatch) {
    // The requested position holds on the turned picture: draw where that lands on the
    // unturned one. The control stays as it is on screen until the turned picture is back.
    MoveSymbolLayout(FLayout, UnturnedOrigin(FAngle, {FBarLeft, FBarTop}, FLayout.size, ToPixelSize(ControlSize())));
    HoldRepaints(true);
    UnturnPicture();
  } else {
    ResizeControl(QSize(FBarLeft + symbolSize.width(), FBarTop + symbolSize.height()));
    QImage &bitmap = FPicture.Bitmap();
    if (bitmap.size() != ControlSize()) {
      const int dpmX = bitmap.dotsPerMeterX(), dpmY = bitmap.dotsPerMeterY();
      bitmap = QImage(ControlSize(), QImage::Format_RGB32);
      bitmap.setDotsPerMeterX(dpmX);
      bitmap.setDotsPerMeterY(dpmY);
      if (bitmap.isNull()) return;  // out of memory: nothing drawn, BarDisped stays false
    }
  }

  {
    TBitmapCanvas canvas(FPicture.Bitmap(), &FTextLayouts);
    FInk.background = QRect();  // none when transparent
    if (!FTransparent)
      FInk.background = FMatch ? QRect(0, 0, FBarLeft + symbolSize.width(), FBarTop + symbolSize.height())
                               : ToQRect(FLayout.Bounds());
    DrawSymbol(canvas, FLayout, FInk);
  }

  RotatePicture(FAngle);
  if (!FMatch) HoldRepaints(false);
  // A picture whose pixels could not be allocated (or turned) is no drawn symbol.
  FBarDisped = !FPicture.Bitmap().isNull();
  Repaint();
}

void TBarSymbol::DrawToMetafile() {
  if (!RunEncoder()) return;
  SizingGuard sizing(FAutoSize, FStretch);
  if (FBarDebug) {
    FBarDisped = true;
    return;
  }
  TMetafile metafile;
  TMetafileCanvas canvas(metafile);
  if (!LayOut(canvas)) return;

  ResizeControl(QSize(FBarLeft + FLayout.size.width, FBarTop + FLayout.size.height));
  metafile.SetSize(ControlSize());
  canvas.FillRect(QRect(QPoint(0, 0), ControlSize()), FInk.back);
  FInk.background = QRect();
  DrawSymbol(canvas, FLayout, FInk);
  metafile.SetSize(ControlSize() + QSize(1, 1));
  FPicture.Metafile() = std::move(metafile);
  FBarDisped = true;
  Repaint();
}

void TBarSymbol::RotatePicture(int angle) {
  if (FBarPicture != picBMP || !FPicture.IsBitmap() || FPicture.Bitmap().isNull()) return;
  TurnPicture(angle);
  MirrorPicture();
}

// The shown picture was turned by Angle and then mirrored: undoing that takes the mirror
// first and the turn second (turning back first would leave a mirrored quarter turn
// upside down).
void TBarSymbol::UnturnPicture() {
  if (FBarPicture != picBMP || !FPicture.IsBitmap() || FPicture.Bitmap().isNull()) return;
  MirrorPicture();
  TurnPicture(360 - FAngle);
}

void TBarSymbol::TurnPicture(int angle) {
  if (angle != 90 && angle != 180 && angle != 270) return;
  SizingGuard sizing(FAutoSize, FStretch);
  const int oldWidth = Width(), oldHeight = Height();
  QImage &bitmap = FPicture.Bitmap();
  bitmap = RotateBitmap(bitmap, angle);
  if (angle != 180) ResizeControl(QSize(oldHeight, oldWidth));
  Repaint();
}

void TBarSymbol::MirrorPicture() {
  if (!FReverse || FBarPicture != picBMP || !FPicture.IsBitmap() || FPicture.Bitmap().isNull())
    return;
  QImage &bitmap = FPicture.Bitmap();
  bitmap = MirrorBitmap(bitmap);
  Repaint();
}

}  // namespace plomix
