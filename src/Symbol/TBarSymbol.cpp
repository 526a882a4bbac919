// TBarSymbol: properties, setter rules and the redraw entry.
#include "Symbol/TBarSymbol.h"

#include <QGuiApplication>
#include <QScreen>

#include "Encoders/SymbologyTable.h"

namespace plomix {

QPoint TBarSymbol::ScreenDpi() const {
  // A symbol without a window measures text at the main screen's resolution, as a
  // hidden control does.
  const QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? QPoint(qRound(screen->logicalDotsPerInchX()), qRound(screen->logicalDotsPerInchY()))
                : QPoint(96, 96);
}

// --- setters ---

void TBarSymbol::SetBarType(TBarTypes value) {
  FBarType = value;
  DrawBar();
}

void TBarSymbol::SetCode(const std::string &value) {
  Notify(SymbolEvent::ChangeCode);
  FCode = value;
  DrawBar();
  Notify(SymbolEvent::ChangedCode);
}

void TBarSymbol::SetCommentUp(const std::string &value) {
  FCommentUp = value;
  DrawBar();
}

void TBarSymbol::SetCommentUpLoc(TLocation value) {
  FCommentUpLoc = value;
  RedrawIf(!FCommentUp.empty());
}

void TBarSymbol::SetCommentDown(const std::string &value) {
  FCommentDown = value;
  DrawBar();
}

void TBarSymbol::SetCommentDownLoc(TLocation value) {
  FCommentDownLoc = value;
  RedrawIf(!FCommentDown.empty());
}

void TBarSymbol::SetStartChar(char value) {
  FStartChar = (value >= 'A' && value <= 'D') ? value : 'A';
  RedrawIf(Symbology(FBarType).startCharRedraws);
}

void TBarSymbol::SetStopChar(char value) {
  FStopChar = (value >= 'A' && value <= 'D') ? value : 'A';
  RedrawIf(Symbology(FBarType).stopCharRedraws);
}

void TBarSymbol::SetCD(bool value) {
  FCD = value;
  RedrawIf(Symbology(FBarType).cdRedraws);
}

void TBarSymbol::SetScale(TSCale value) {
  FScale = value;
  DrawBar();
}

void TBarSymbol::SetAngle(int value) {
  if (value != 0 && value != 90 && value != 180 && value != 270) return;
  FAngle = value;
  DrawBar();
}

void TBarSymbol::SetReverse(bool value) {
  FReverse = value;
  DrawBar();
}

void TBarSymbol::SetSymbolDisp(bool value) {
  FSymbolDisp = value;
  DrawBar();
}

void TBarSymbol::SetBarFont(const TFont *value) {
  if (value == nullptr || value == &FBarFont) return;
  FBarFont = *value;
  RedrawIf(FSymbolDisp);
}

void TBarSymbol::SetTransparent(bool value) {
  FTransparent = value;
  if (value) {
    FMatch = false;
    FBarPicture = picBMP;
  }
  DrawBar();
}

void TBarSymbol::SetBarColor(TColor value) {
  FBarColor = value;
  DrawBar();
}

void TBarSymbol::SetBackColor(TColor value) {
  FBackColor = value;
  DrawBar();
}

void TBarSymbol::SetBarHeight(int value) {
  FBarHeight = value;
  RedrawIf(!Symbology(FBarType).fixedBarHeight);
}

void TBarSymbol::SetBarLeft(int value) {
  FBarLeft = value;
  DrawBar();
}

void TBarSymbol::SetBarTop(int value) {
  FBarTop = value;
  DrawBar();
}

void TBarSymbol::SetBarSpaceUp(int value) {
  FBarSpaceUp = std::max(value, 0);
  DrawBar();
}

void TBarSymbol::SetBarSpaceDown(int value) {
  FBarSpaceDown = std::max(value, 0);
  DrawBar();
}

void TBarSymbol::SetBarSpaceLeft(int value) {
  FBarSpaceLeft = std::max(value, 0);
  DrawBar();
}

void TBarSymbol::SetBarSpaceRight(int value) {
  FBarSpaceRight = std::max(value, 0);
  DrawBar();
}

void TBarSymbol::SetMatch(bool value) {
  FMatch = value;
  if (value && FTransparent) FTransparent = false;
  if (!value) FBarPicture = picBMP;
  DrawBar();
}

void TBarSymbol::SetBarPicture(TPictures value) {
  if (!FMatch) {
    FBarPicture = picBMP;
    return;
  }
  FBarPicture = value;
  DrawBar();
}

void TBarSymbol::SetElementRatio(TElementRatio value) {
  FElementRatio = value;
  RedrawIf(Symbology(FBarType).usesElementRatio);
}

void TBarSymbol::SetBarEnabled(bool value) {
  if (!value) {
    FBarEnabled = false;
    return;
  }
  if (FBarEnabled) return;
  FBarEnabled = true;
  DrawBar();
}

void TBarSymbol::SetClearOption(bool value) {
  if (!value) {
    FClearOption = false;
    return;
  }
  if (FClearOption) return;
  FClearOption = true;
  if (!FBarDisped) ClearBar();
}

void TBarSymbol::SetBarFrame(TFrameSize value) {
  FBarFrame = value;
  DrawBar();
}

void TBarSymbol::SetAutoSize(bool value) {
  FAutoSize = value;
  if (value && FPicture.HasGraphic()) ResizeControl(FPicture.Size());
}

void TBarSymbol::SetStretch(bool value) {
  FStretch = value;
  Repaint();
}

// --- read-only results ---

std::string TBarSymbol::CDC() const {
  const CheckTextRule rule = Symbology(FBarType).checkText;
  if (rule == CheckTextRule::LastCharacter)
    return FSymbol.empty() ? std::string() : FSymbol.substr(FSymbol.size() - 1);
  if (FCode.empty()) return {};
  const std::size_t p = FSymbol.find(FCode);
  if (p == std::string::npos) return {};
  const std::size_t after = p + FCode.size();
  int n = static_cast<int>(FSymbol.size()) - static_cast<int>(after);
  if (rule == CheckTextRule::AfterCodeThenStop) --n;
  return n > 0 ? FSymbol.substr(after, static_cast<std::size_t>(n)) : std::string();
}

// --- copying ---

void TBarSymbol::Assign(const TBarSymbol &source) {
  if (&source == this) return;
  FBarType = source.FBarType;
  FCode = source.FCode;
  FCommentUp = source.FCommentUp;
  FCommentUpLoc = source.FCommentUpLoc;
  FCommentDown = source.FCommentDown;
  FCommentDownLoc = source.FCommentDownLoc;
  FStartChar = source.FStartChar;
  FStopChar = source.FStopChar;
  FCD = source.FCD;
  FCDN = source.FCDN;
  FScale = source.FScale;
  FAngle = source.FAngle;
  FReverse = source.FReverse;
  FSymbol = source.FSymbol;
  FSymbolDisp = source.FSymbolDisp;
  FBarFont = source.FBarFont;
  FTransparent = source.FTransparent;
  FBarColor = source.FBarColor;
  FBackColor = source.FBackColor;
  FBarWidth = source.FBarWidth;
  FBarHeight = source.FBarHeight;
  FBarLeft = source.FBarLeft;
  FBarTop = source.FBarTop;
  FBarSpaceUp = source.FBarSpaceUp;
  FBarSpaceDown = source.FBarSpaceDown;
  FBarSpaceLeft = source.FBarSpaceLeft;
  FBarSpaceRight = source.FBarSpaceRight;
  FMatch = source.FMatch;
  FBarPicture = source.FBarPicture;
  FElementRatio = source.FElementRatio;
  FBarEnabled = source.FBarEnabled;
  FBarDebug = source.FBarDebug;
  FBarDisped = source.FBarDisped;
  FClearOption = source.FClearOption;
  FBarFrame = source.FBarFrame;
  FAutoSize = source.FAutoSize;
  FStretch = source.FStretch;
  // A fixed-size symbol draws into the picture it has, so the copy starts from the same.
  FPicture = source.FPicture;
  FPattern = source.FPattern;
  FRefusal = source.FRefusal;
  // The layout, ink and text caches are rebuilt by the next drawing.
  ResizeControl(source.ControlSize());
}

// --- operations ---

void TBarSymbol::DrawBar() {
  if (!FBarEnabled) return;
  Notify(SymbolEvent::PaintBar);
  PrepareBitmap();
  if (FBarPicture == picBMP)
    DrawToBitmap();
  else
    DrawToMetafile();
  Notify(SymbolEvent::PaintedBar);
  if (!FBarDisped && FClearOption && !FBarDebug) ClearBar();
}

void TBarSymbol::PrepareBitmap() {
  QImage &bitmap = FPicture.Bitmap();
  if (bitmap.isNull() && Width() > 0 && Height() > 0) {
    bitmap = QImage(ControlSize(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
  } else if (!bitmap.isNull() && bitmap.format() != QImage::Format_RGB32) {
    bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
  }
  // Text is measured and drawn at the screen's resolution, as on the control itself.
  const QPoint dpi = ScreenDpi();
  const int dpmX = qRound(dpi.x() / 0.0254), dpmY = qRound(dpi.y() / 0.0254);
  if (bitmap.dotsPerMeterX() != dpmX) bitmap.setDotsPerMeterX(dpmX);
  if (bitmap.dotsPerMeterY() != dpmY) bitmap.setDotsPerMeterY(dpmY);
}

void TBarSymbol::ClearBar() {
  FBarDisped = false;
  FPicture.Clear();
  Repaint();
}

}  // namespace plomix
