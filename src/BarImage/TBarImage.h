#pragma once
// The symbol component: holds the barcode string, the symbology and every symbol
// setting, encodes and draws the symbol into its picture, and shows that picture.
#include <QWidget>
#include <functional>
#include <string>

#include "BarImage/BarCanvas.h"
#include "BarImage/BarTypes.h"
#include "BarImage/BitmapCanvas.h"
#include "BarImage/Picture.h"
#include "Common/Colors.h"
#include "Common/Fonts.h"

namespace plomix {

class TBarImage : public QWidget {
  Q_OBJECT

 public:
  explicit TBarImage(QWidget *parent = nullptr);
  ~TBarImage() override;

  // --- published properties (strings are Shift-JIS bytes) ---
  TBarTypes BarType() const { return FBarType; }
  void SetBarType(TBarTypes value);
  const std::string &Code() const { return FCode; }
  void SetCode(const std::string &value);
  const std::string &CommentUp() const { return FCommentUp; }
  void SetCommentUp(const std::string &value);
  TLocation CommentUpLoc() const { return FCommentUpLoc; }
  void SetCommentUpLoc(TLocation value);
  const std::string &CommentDown() const { return FCommentDown; }
  void SetCommentDown(const std::string &value);
  TLocation CommentDownLoc() const { return FCommentDownLoc; }
  void SetCommentDownLoc(TLocation value);
  char StartChar() const { return FStartChar; }
  void SetStartChar(char value);
  char StopChar() const { return FStopChar; }
  void SetStopChar(char value);
  bool CD() const { return FCD; }
  void SetCD(bool value);
  std::string CDC() const;
  int CDN() const { return FCDN; }
  TSCale Scale() const { return FScale; }
  void SetScale(TSCale value);
  int Angle() const { return FAngle; }
  void SetAngle(int value);
  bool Reverse() const { return FReverse; }
  void SetReverse(bool value);
  const std::string &Symbol() const { return FSymbol; }
  bool SymbolDisp() const { return FSymbolDisp; }
  void SetSymbolDisp(bool value);
  TFont *BarFont() { return &FBarFont; }
  const TFont *BarFont() const { return &FBarFont; }
  void SetBarFont(const TFont *value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TColor BarColor() const { return FBarColor; }
  void SetBarColor(TColor value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor value);
  int BarWidth() const { return FBarWidth; }
  int BarHeight() const { return FBarHeight; }
  void SetBarHeight(int value);
  int BarLeft() const { return FBarLeft; }
  void SetBarLeft(int value);
  int BarTop() const { return FBarTop; }
  void SetBarTop(int value);
  int BarSpaceUp() const { return FBarSpaceUp; }
  void SetBarSpaceUp(int value);
  int BarSpaceDown() const { return FBarSpaceDown; }
  void SetBarSpaceDown(int value);
  int BarSpaceLeft() const { return FBarSpaceLeft; }
  void SetBarSpaceLeft(int value);
  int BarSpaceRight() const { return FBarSpaceRight; }
  void SetBarSpaceRight(int value);
  bool Match() const { return FMatch; }
  void SetMatch(bool value);
  TPictures BarPicture() const { return FBarPicture; }
  void SetBarPicture(TPictures value);
  TElementRatio ElementRatio() const { return FElementRatio; }
  void SetElementRatio(TElementRatio value);
  bool BarEnabled() const { return FBarEnabled; }
  void SetBarEnabled(bool value);
  bool BarDebug() const { return FBarDebug; }
  void SetBarDebug(bool value) { FBarDebug = value; }
  bool BarDisped() const { return FBarDisped; }
  bool ClearOption() const { return FClearOption; }
  void SetClearOption(bool value);
  TFrameSize BarFrame() const { return FBarFrame; }
  void SetBarFrame(TFrameSize value);
  bool ClipWatch() const { return FClipWatch; }
  void SetClipWatch(bool value);

  TNotifyWatchEvent OnChangeCode;   // before a new code is stored
  TNotifyWatchEvent OnPaintBar;     // before drawing
  TNotifyWatchEvent OnPaintedBar;   // after drawing
  TNotifyWatchEvent OnChangedCode;  // after a new code was drawn

  // --- image control ---
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  TPicture &Picture() { return FPicture; }
  const TPicture &Picture() const { return FPicture; }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetWidth(int value) { resize(value, height()); }
  void SetHeight(int value) { resize(width(), value); }

  // The element pattern of the last encoding (empty when the code could not be encoded).
  const std::string &Pattern() const { return FPattern; }

  // --- operations ---
  virtual void DrawBar();
  virtual void ClearBar();
  virtual void CopyBar();
  virtual void PasteCode();
  virtual void RedrawBar() { DrawBar(); }
  virtual void ConvertUPCAToE();
  virtual void ConvertUPCEToA();
  // Puts the metafile on the clipboard as a Windows metafile picture (the classic format).
  void CopyAsWindowsMetafile(const TMetafile &metafile);

 protected:
  void paintEvent(QPaintEvent *event) override;

  void DrawToBitmap();
  void DrawToMetafile();
  void RotatePicture(int angle);
  void MirrorPicture();
  void DrawFrame(TBarCanvas &canvas, int left, int top, int right, int bottom);
  int CustomerPatternWidth(const std::string &pattern) const;
  void DrawCustomerElement(int barOffset, int position, int scale, char digit);

  // Clipboard watch: joins or leaves the notification chain as ClipWatch says.
  void UpdateClipboardChain();
  void ClipboardChanged();
  // A change notification: runs OnClipboardChange; an error ends this notification only.
  void ClipboardMessage();

 private:
  // Values computed by one drawing, in pixels.
  struct Layout {
    int tw = 0, th = 0, uw = 0, uh = 0, dw = 0, dh = 0;
    int pw = 0, barLength = 0, W = 0, H = 0;
    QColor barColor;  // BarColor resolved once per drawing
  };

  void FireEvent(const TNotifyWatchEvent &event);
  bool RunEncoder();                                 // steps shared by both drawings
  bool MeasureLayout(TBarCanvas &canvas, Layout &layout);
  // Draws background (when `background` is not empty), bars, text, frame and comments.
  void DrawSymbol(TBarCanvas &canvas, const Layout &layout, const QRect &background);
  void RedrawIf(bool condition) { if (condition) DrawBar(); }

  TBarTypes FBarType = cbarJAN;
  std::string FCode;
  std::string FCommentUp;
  TLocation FCommentUpLoc = locLeft;
  std::string FCommentDown;
  TLocation FCommentDownLoc = locLeft;
  char FStartChar = 'A';
  char FStopChar = 'A';
  bool FCD = false;
  int FCDN = -1;
  TSCale FScale = 1;
  int FAngle = 0;
  bool FReverse = false;
  std::string FSymbol;
  bool FSymbolDisp = true;
  TFont FBarFont;
  bool FTransparent = false;
  TColor FBarColor = clBlack;
  TColor FBackColor = clWhite;
  int FBarWidth = 0;
  int FBarHeight = 105;
  int FBarLeft = 0;
  int FBarTop = 0;
  int FBarSpaceUp = 0;
  int FBarSpaceDown = 0;
  int FBarSpaceLeft = 10;
  int FBarSpaceRight = 10;
  bool FMatch = false;
  TPictures FBarPicture = picBMP;
  TElementRatio FElementRatio = 20;
  bool FBarEnabled = true;
  bool FBarDebug = false;
  bool FBarDisped = false;
  bool FClearOption = false;
  TFrameSize FBarFrame = 0;
  bool FClipWatch = false;

  bool FAutoSize = false;
  bool FStretch = false;
  TPicture FPicture;
  std::string FPattern;

  // Internal state.
  TBarCanvas *DrawingCanvas = nullptr;  // the canvas of the drawing under way
  bool InChain = false;
  bool WatchFlag = false;
  std::function<void()> OnClipboardChange;
  bool SkipNextChange = false;
  QMetaObject::Connection FClipboardConnection;
  Layout FLayout;  // the drawing under way
  std::vector<TBarCanvas::Span> FBarSpans;  // reused from drawing to drawing
  TTextLayoutCache FTextLayouts;
};

}  // namespace plomix
