#pragma once
// The symbol component: the symbol of TBarSymbol shown as a control, with the events a
// window hooks and the clipboard (copy, paste, watch).
#include <QWidget>
#include <functional>

#include "Symbol/TBarSymbol.h"

namespace plomix {

class TBarImage;

// Sender and whether the change came from the clipboard watch.
using TNotifyWatchEvent = std::function<void(TBarImage *Sender, bool Watch)>;

class TBarImage : public QWidget, public TBarSymbol {
  Q_OBJECT

 public:
  explicit TBarImage(QWidget *parent = nullptr);
  ~TBarImage() override;

  bool ClipWatch() const { return FClipWatch; }
  void SetClipWatch(bool value);

  TNotifyWatchEvent OnChangeCode;   // before a new code is stored
  TNotifyWatchEvent OnPaintBar;     // before drawing
  TNotifyWatchEvent OnPaintedBar;   // after drawing
  TNotifyWatchEvent OnChangedCode;  // after a new code was drawn

  void CopyBar();
  void PasteCode();
  // Puts the metafile on the clipboard as a Windows metafile picture (the classic format).
  void CopyAsWindowsMetafile(const TMetafile &metafile);

 protected:
  void paintEvent(QPaintEvent *event) override;

  QSize ControlSize() const override { return size(); }
  void ResizeControl(QSize size) override { resize(size); }
  void Repaint() override { update(); }
  void HoldRepaints(bool held) override { setUpdatesEnabled(!held); }
  QPoint ScreenDpi() const override { return QPoint(logicalDpiX(), logicalDpiY()); }
  void Notify(SymbolEvent event) override;

  // Clipboard watch: joins or leaves the notification chain as ClipWatch says.
  void UpdateClipboardChain();
  void ClipboardChanged();
  // A change notification: runs OnClipboardChange; an error ends this notification only.
  void ClipboardMessage();

 private:
  void FireEvent(const TNotifyWatchEvent &event);

  bool FClipWatch = false;
  bool InChain = false;
  bool WatchFlag = false;
  std::function<void()> OnClipboardChange;
  bool SkipNextChange = false;
  QMetaObject::Connection FClipboardConnection;
};

}  // namespace plomix
