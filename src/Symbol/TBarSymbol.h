#pragma once
// The symbol without a window: holds the barcode string, the symbology and every symbol
// setting, and encodes and draws the symbol into its picture. TBarImage shows it on
// screen; plomix-cli draws with it on any thread.
#include <QPoint>
#include <QSize>
#include <optional>
#include <string>

#include "Symbol/BarCanvas.h"
#include "Encoders/BarTypes.h"
#include "Symbol/BitmapCanvas.h"
#include "Symbol/Picture.h"
#include "Symbol/SymbolDrawing.h"
#include "Symbol/SymbolLayout.h"
#include "Encoders/EncoderKit.h"
#include "Common/Colors.h"
#include "Common/Fonts.h"

namespace plomix {

// The moments a drawing reports to whoever shows the symbol.
enum class SymbolEvent { ChangeCode, PaintBar, PaintedBar, ChangedCode };

class TBarSymbol {
 public:
  TBarSymbol() = default;
  virtual ~TBarSymbol() = default;
  TBarSymbol(const TBarSymbol &) = delete;
  TBarSymbol &operator=(const TBarSymbol &) = delete;

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

  // --- image control ---
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  TPicture &Picture() { return FPicture; }
  const TPicture &Picture() const { return FPicture; }
  int Width() const { return ControlSize().width(); }
  int Height() const { return ControlSize().height(); }
  void SetWidth(int value) { ResizeControl(QSize(value, Height())); }
  void SetHeight(int value) { ResizeControl(QSize(Width(), value)); }

  // The element pattern of the last encoding (empty when the code could not be encoded).
  const std::string &Pattern() const { return FPattern; }
  // Why the last encoding refused the code (Refusal::None when it was encoded).
  Refusal EncodeRefusal() const { return FRefusal; }
  // The last drawing's layout (in the unturned picture) and what it drew, for outputs
  // that draw the symbol again at their own resolution.
  const SymbolLayout &Layout() const { return FLayout; }
  const SymbolInk &Ink() const { return FInk; }
  // The right check digit of a number refused for a wrong one (Refusal::WrongCheckDigit).
  int ExpectedCheckDigit() const { return FExpectedCheck; }

  // Takes every setting, the code, the last drawing's results, the picture and the size
  // from `source`, as a copy that draws on its own: nothing is drawn and no event fires
  // on either symbol.
  void Assign(const TBarSymbol &source);
  // The resolution this symbol measures and draws its text at, in dots per inch.
  QPoint TextResolution() const { return ScreenDpi(); }

  // --- operations ---
  void DrawBar();
  void ClearBar();
  // Encodes and lays the symbol out as a drawing would, and gives the size the control
  // takes when it is drawn (before it is turned), without allocating or drawing a
  // picture; nothing when the symbol cannot be drawn. The symbol counts as not drawn
  // until the next drawing.
  std::optional<QSize> MeasureBar();
  void RedrawBar() { DrawBar(); }
  void ConvertUPCAToE();
  void ConvertUPCEToA();

 protected:
  // The control's size, which is the picture's size. Without a window it is kept here.
  virtual QSize ControlSize() const { return FControlSize; }
  virtual void ResizeControl(QSize size) { FControlSize = size; }
  // The picture changed and should be shown again.
  virtual void Repaint() {}
  // While held, a changed picture is not shown (a turned symbol being redrawn).
  virtual void HoldRepaints(bool) {}
  // The resolution text is measured and drawn at, in dots per inch.
  virtual QPoint ScreenDpi() const;
  virtual void Notify(SymbolEvent) {}

  void DrawToBitmap();
  void DrawToMetafile();
  void RotatePicture(int angle);  // a turn by `angle`, then the mirror when Reverse is set
  void MirrorPicture();
  void UnturnPicture();           // the inverse of RotatePicture(Angle)

 private:
  bool RunEncoder();
  void TurnPicture(int angle);  // 90, 180 or 270; any other angle leaves the picture
  // The bitmap drawing and text measuring work on: 32 bits, at the screen's resolution.
  void PrepareBitmap();                                 // steps shared by both drawings
  // Lays the symbol out with texts measured on `measuring`, fills the ink, and takes back
  // what the layout decided: the raised bar height, the width, the fitted frame.
  bool LayOut(TBarCanvas &measuring);
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

  bool FAutoSize = false;
  bool FStretch = false;
  TPicture FPicture;
  std::string FPattern;
  Refusal FRefusal = Refusal::None;
  int FExpectedCheck = -1;

  QSize FControlSize;
  SymbolLayout FLayout;  // the last drawing's; reused so that drawings allocate nothing
  SymbolInk FInk;
  TTextLayoutCache FTextLayouts;
};

}  // namespace plomix
