// TBarImage: properties, setter rules, events and the redraw entry.
#include "BarImage/TBarImage.h"

#include <QPaintEvent>
#include <QPainter>

#include "BarImage/SymbologyTable.h"

namespace plomix {

TBarImage::TBarImage(QWidget *parent) : QWidget(parent) {
  OnClipboardChange = [this] { ClipboardChanged(); };
  UpdateClipboardChain();
}

TBarImage::~TBarImage() { SetClipWatch(false); }

void TBarImage::FireEvent(const TNotifyWatchEvent &event) {
  if (event) event(this, WatchFlag);
}

// --- setters ---

void TBarImage::SetBarType(TBarTypes value) {
  FBarType = value;
  DrawBar();
}

void TBarImage::SetCode(const std::string &value) {
  FireEvent(OnChangeCode);
  FCode = value;
  DrawBar();
  FireEvent(OnChangedCode);
}

void TBarImage::SetCommentUp(const std::string &value) {
  FCommentUp = value;
  DrawBar();
}

void TBarImage::SetCommentUpLoc(TLocation value) {
  FCommentUpLoc = value;
  RedrawIf(!FCommentUp.empty());
}

void TBarImage::SetCommentDown(const std::string &value) {
  FCommentDown = value;
  DrawBar();
}

void TBarImage::SetCommentDownLoc(TLocation value) {
  FCommentDownLoc = value;
  RedrawIf(!FCommentDown.empty());
}

void TBarImage::SetStartChar(char value) {
  FStartChar = (value >= 'A' && value <= 'D') ? value : 'A';
  RedrawIf(Symbology(FBarType).startCharRedraws);
}

void TBarImage::SetStopChar(char value) {
  FStopChar = (value >= 'A' && value <= 'D') ? value : 'A';
  RedrawIf(Symbology(FBarType).stopCharRedraws);
}

void TBarImage::SetCD(bool value) {
  FCD = value;
  RedrawIf(Symbology(FBarType).cdRedraws);
}

void TBarImage::SetScale(TSCale value) {
  FScale = value;
  DrawBar();
}

void TBarImage::SetAngle(int value) {
  if (value != 0 && value != 90 && value != 180 && value != 270) return;
  FAngle = value;
  DrawBar();
}

void TBarImage::SetReverse(bool value) {
  FReverse = value;
  DrawBar();
}

void TBarImage::SetSymbolDisp(bool value) {
  FSymbolDisp = value;
  DrawBar();
}

void TBarImage::SetBarFont(const TFont *value) {
  if (value == nullptr || value == &FBarFont) return;
  FBarFont = *value;
  RedrawIf(FSymbolDisp);
}

void TBarImage::SetTransparent(bool value) {
  FTransparent = value;
  if (value) {
    FMatch = false;
    FBarPicture = picBMP;
  }
  DrawBar();
}

void TBarImage::SetBarColor(TColor value) {
  FBarColor = value;
  DrawBar();
}

void TBarImage::SetBackColor(TColor value) {
  FBackColor = value;
  DrawBar();
}

void TBarImage::SetBarHeight(int value) {
  FBarHeight = value;
  RedrawIf(!Symbology(FBarType).fixedBarHeight);
}

void TBarImage::SetBarLeft(int value) {
  FBarLeft = value;
  DrawBar();
}

void TBarImage::SetBarTop(int value) {
  FBarTop = value;
  DrawBar();
}

void TBarImage::SetBarSpaceUp(int value) {
  FBarSpaceUp = std::max(value, 0);
  DrawBar();
}

void TBarImage::SetBarSpaceDown(int value) {
  FBarSpaceDown = std::max(value, 0);
  DrawBar();
}

void TBarImage::SetBarSpaceLeft(int value) {
  FBarSpaceLeft = std::max(value, 0);
  DrawBar();
}

void TBarImage::SetBarSpaceRight(int value) {
  FBarSpaceRight = std::max(value, 0);
  DrawBar();
}

void TBarImage::SetMatch(bool value) {
  FMatch = value;
  if (value && FTransparent) FTransparent = false;
  if (!value) FBarPicture = picBMP;
  DrawBar();
}

void TBarImage::SetBarPicture(TPictures value) {
  if (!FMatch) {
    FBarPicture = picBMP;
    return;
  }
  FBarPicture = value;
  DrawBar();
}

void TBarImage::SetElementRatio(TElementRatio value) {
  FElementRatio = value;
  RedrawIf(Symbology(FBarType).usesElementRatio);
}

void TBarImage::SetBarEnabled(bool value) {
  if (!value) {
    FBarEnabled = false;
    return;
  }
  if (FBarEnabled) return;
  FBarEnabled = true;
  DrawBar();
}

void TBarImage::SetClearOption(bool value) {
  if (!value) {
    FClearOption = false;
    return;
  }
  if (FClearOption) return;
  FClearOption = true;
  if (!FBarDisped) ClearBar();
}

void TBarImage::SetBarFrame(TFrameSize value) {
  FBarFrame = value;
  DrawBar();
}

void TBarImage::SetAutoSize(bool value) {
  FAutoSize = value;
  if (value && FPicture.HasGraphic()) resize(FPicture.Size());
}

void TBarImage::SetStretch(bool value) {
  FStretch = value;
  update();
}

// --- read-only results ---

std::string TBarImage::CDC() const {
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

// --- operations ---

void TBarImage::DrawBar() {
  if (!FBarEnabled) return;
  FireEvent(OnPaintBar);
  if (FBarPicture == picBMP) {
    PrepareBitmap();
    DrawToBitmap();
  } else {
    // A metafile drawing replaces the picture, so the blank bitmap the picture becomes
    // first is made only when the picture is kept: when the drawing stops before its
    // metafile and the picture is not cleared. Else pixels at the control's size, which
    // may be a huge symbol's, would be allocated for nothing.
    DrawToMetafile();
    if (FBarDebug || (!FBarDisped && !FClearOption)) PrepareBitmap();
  }
  FireEvent(OnPaintedBar);
  if (!FBarDisped && FClearOption && !FBarDebug) ClearBar();
}

void TBarImage::PrepareBitmap() {
  QImage &bitmap = FPicture.Bitmap();
  if (bitmap.isNull() && width() > 0 && height() > 0) {
    bitmap = QImage(width(), height(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
  } else if (!bitmap.isNull() && bitmap.format() != QImage::Format_RGB32) {
    bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
  }
  // Text is measured and drawn at the screen's resolution, as on the control itself.
  const int dpmX = qRound(logicalDpiX() / 0.0254), dpmY = qRound(logicalDpiY() / 0.0254);
  if (bitmap.dotsPerMeterX() != dpmX) bitmap.setDotsPerMeterX(dpmX);
  if (bitmap.dotsPerMeterY() != dpmY) bitmap.setDotsPerMeterY(dpmY);
}

void TBarImage::ClearBar() {
  FBarDisped = false;
  FPicture.Clear();
  update();
}

void TBarImage::paintEvent(QPaintEvent *) {
  if (!FPicture.HasGraphic()) return;
  QPainter painter(this);
  const QRect target = FStretch ? rect() : QRect(QPoint(0, 0), FPicture.Size());
  if (const QImage *image = FPicture.BitmapOrNull()) {
    if (image->isNull()) return;
    if (FTransparent) {
      // Like an image control's transparent mode: the colour of the bottom-left pixel
      // lets the window behind show through.
      QImage masked = image->convertToFormat(QImage::Format_ARGB32);
      const QRgb key = image->pixel(0, image->height() - 1);
      for (int y = 0; y < masked.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
          if (line[x] == key) line[x] = 0;
      }
      painter.drawImage(target, masked);
    } else {
      painter.drawImage(target, *image);
    }
  } else if (const TMetafile *meta = FPicture.MetafileOrNull()) {
    meta->Replay(painter, QRectF(target));
  }
}

}  // namespace plomix
