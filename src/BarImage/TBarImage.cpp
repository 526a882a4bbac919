// TBarImage: the symbol as a control: its events and its painting.
#include "BarImage/TBarImage.h"

#include <QPaintEvent>
#include <QPainter>


namespace plomix {

TBarImage::TBarImage(QWidget *parent) : QWidget(parent) {
  OnClipboardChange = [this] { ClipboardChanged(); };
  UpdateClipboardChain();
}

TBarImage::~TBarImage() { SetClipWatch(false); }

void TBarImage::FireEvent(const TNotifyWatchEvent &event) {
  if (event) event(this, WatchFlag);
}

void TBarImage::Notify(SymbolEvent event) {
  switch (event) {
    case SymbolEvent::ChangeCode: FireEvent(OnChangeCode); break;
    case SymbolEvent::PaintBar: FireEvent(OnPaintBar); break;
    case SymbolEvent::PaintedBar: FireEvent(OnPaintedBar); break;
    case SymbolEvent::ChangedCode: FireEvent(OnChangedCode); break;
  }
}

void TBarImage::paintEvent(QPaintEvent *) {
  if (!Picture().HasGraphic()) return;
  QPainter painter(this);
  const QRect target = Stretch() ? rect() : QRect(QPoint(0, 0), Picture().Size());
  if (const QImage *image = Picture().BitmapOrNull()) {
    if (image->isNull()) return;
    if (Transparent()) {
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
  } else if (const TMetafile *meta = Picture().MetafileOrNull()) {
    meta->Replay(painter, QRectF(target));
  }
}

}  // namespace plomix
