// The status line's read-back verdict: after every drawing the shown symbol is read back
// (zxing-cpp, or the element check for the symbologies it does not know), so a user sees
// at once when a colour, size or look makes the symbol unreadable.
#include <QLabel>

#include "BarImage/TBarImage.h"
#include "Common/UiText.h"
#include "Frame/TFrameForm.h"
#include "ReadBack/ReadBack.h"
#include "Symbol/Picture.h"

namespace plomix {

namespace {
constexpr int kVerdictHeight = 18;
}

void TFrameForm::CreateReadBackPanel() {
  ReadBackPanel = new QLabel(this);
  ReadBackPanel->setObjectName(QStringLiteral("ReadBackPanel"));
  ReadBackPanel->setAccessibleName(Text("読み取り確認"));
  ReadBackPanel->setAutoFillBackground(true);
  ReadBackPanel->setFrameShape(QFrame::Panel);
  ReadBackPanel->setFrameShadow(QFrame::Sunken);
  ReadBackPanel->hide();
  BarImage1->OnPaintedBar = [this](TBarImage *, bool) { ShowReadBack(); };
}

// Over the bottom-left corner of the symbol area, where the symbol (drawn from the top
// left) rarely reaches.
void TFrameForm::PlaceReadBackPanel(int symbolAreaHeight) {
  if (!ReadBackPanel) return;
  const int width = std::min(ReadBackPanel->sizeHint().width() + 8, std::max(0, this->width() - 8));
  ReadBackPanel->setGeometry(2, std::max(0, symbolAreaHeight - kVerdictHeight - 2), width, kVerdictHeight);
  ReadBackPanel->raise();
}

void TFrameForm::ShowReadBack() {
  if (!BarImage1->BarDisped()) {
    ReadBackPanel->clear();
    ReadBackPanel->hide();
    return;
  }
  const readback::ReadBackResult result = readback::ReadBackSymbol(
      PictureToImage(BarImage1->Picture()), BarImage1->BarPicture() == picBMP, *BarImage1);
  QPalette palette = ReadBackPanel->palette();
  palette.setColor(QPalette::WindowText, result.ok ? QColor(0, 0, 255) : QColor(255, 0, 0));
  ReadBackPanel->setPalette(palette);
  ReadBackPanel->setText(readback::ReadBackVerdict(result));
  ReadBackPanel->show();
  PlaceReadBackPanel(ScrollBox1->height());
}

}  // namespace plomix
