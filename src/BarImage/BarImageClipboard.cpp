// TBarImage and the clipboard: copying the picture, pasting a code, watching changes.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <exception>

#include "BarImage/ClipboardFormats.h"
#include "BarImage/TBarImage.h"

namespace plomix {
namespace {

constexpr std::size_t kMaxPastedBytes = 256;

void SetClipboard(std::unique_ptr<QMimeData> data) {
  if (data) QGuiApplication::clipboard()->setMimeData(data.release());  // the clipboard owns it
}

}  // namespace

void TBarImage::CopyBar() {
  if (!BarDisped()) {
    // Whatever the picture holds goes to the clipboard as it is; an empty picture
    // leaves the clipboard alone.
    if (const TMetafile *meta = Picture().MetafileOrNull())
      SetClipboard(EnhancedMetafileMimeData(*meta, ScreenReferenceDevice()));
    else if (const QImage *image = Picture().BitmapOrNull(); image && !image->isNull())
      SetClipboard(BitmapMimeData(*image));
    return;
  }
  switch (BarPicture()) {
    case picBMP:
      if (const QImage *image = Picture().BitmapOrNull()) SetClipboard(BitmapMimeData(*image));
      break;
    case picEMF:
      if (const TMetafile *meta = Picture().MetafileOrNull())
        SetClipboard(EnhancedMetafileMimeData(*meta, ScreenReferenceDevice()));
      break;
    case picWMF:
      if (const TMetafile *meta = Picture().MetafileOrNull()) CopyAsWindowsMetafile(*meta);
      break;
  }
}

void TBarImage::CopyAsWindowsMetafile(const TMetafile &metafile) {
  // A metafile the classic format cannot hold leaves the clipboard untouched.
  SetClipboard(WindowsMetafileMimeData(metafile, ScreenReferenceDevice()));
}

void TBarImage::PasteCode() {
  const QMimeData *data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return;
  const std::string code = ClipboardCodeText(data->text(), kMaxPastedBytes);
  if (!code.empty() && code != Code()) SetCode(code);
}

void TBarImage::SetClipWatch(bool value) {
  SkipNextChange = !FClipWatch && value;
  FClipWatch = value;
  UpdateClipboardChain();
}

void TBarImage::UpdateClipboardChain() {
  const bool wanted = FClipWatch && OnClipboardChange;
  if (wanted == InChain) return;
  InChain = !InChain;
  if (InChain) {
    FClipboardConnection = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
                                   &TBarImage::ClipboardMessage);
    // Joining delivers one notification at once, as joining a viewer chain does;
    // SkipNextChange swallows it, so the text already there is never taken.
    ClipboardMessage();
  } else {
    disconnect(FClipboardConnection);
  }
}

void TBarImage::ClipboardMessage() {
  if (!OnClipboardChange) return;
  try {
    OnClipboardChange();
  } catch (const std::exception &error) {
    qCritical("Plomix: clipboard change: %s", error.what());
  } catch (...) {
    qCritical("Plomix: clipboard change: unknown error");
  }
}

void TBarImage::ClipboardChanged() {
  if (SkipNextChange) {
    SkipNextChange = false;
    return;
  }
  // WatchFlag marks the four events of the code change; it is cleared however
  // PasteCode ends.
  struct WatchScope {
    bool &flag;
    explicit WatchScope(bool &f) : flag(f) { flag = true; }
    ~WatchScope() { flag = false; }
  } scope(WatchFlag);
  PasteCode();
}

}  // namespace plomix
