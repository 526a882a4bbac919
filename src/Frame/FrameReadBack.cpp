// The status line's read-back verdict: after every drawing the shown symbol is read back
// (zxing-cpp, or the element check for the symbologies it does not know), so a user sees
// at once when a colour, size or look makes the symbol unreadable. The verdict has the
// status line's lower half, the status text its upper half: neither covers the symbol.
#include <QLabel>
#include <QPainter>

#include "BarImage/TBarImage.h"
#include "Common/UiText.h"
#include "Frame/TFrameForm.h"
#include "ReadBack/ReadBack.h"
#include "Symbol/Picture.h"

namespace plomix {

namespace {

// A label that ends a text too long for it with "…"; the whole text is its tool tip.
class TElidedLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(2, 0, -2, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
  }
};

// The status line's two rows within the button bar's height.
constexpr int kStatusTop = 2, kStatusRow = 18, kVerdictRow = 17;

}  // namespace

void TFrameForm::CreateReadBackPanel() {
  ReadBackPanel = new TElidedLabel(Panel5->parentWidget());
  ReadBackPanel->setObjectName(QStringLiteral("ReadBackPanel"));
  ReadBackPanel->setAccessibleName(Text("読み取り確認"));
  ReadBackPanel->setFrameShape(QFrame::Panel);
  ReadBackPanel->setFrameShadow(QFrame::Sunken);
  const QRect status = Panel5->geometry();
  Panel5->setGeometry(status.x(), kStatusTop, status.width(), kStatusRow);
  ReadBackPanel->setGeometry(status.x(), kStatusTop + kStatusRow + 1, status.width(), kVerdictRow);
  ReadBackPanel->hide();
  BarImage1->OnPaintedBar = [this](TBarImage *, bool) { ShowReadBack(); };
}

void TFrameForm::ShowReadBack() {
  if (!BarImage1->BarDisped()) {
    ReadBackPanel->clear();
    ReadBackPanel->setToolTip({});
    ReadBackPanel->hide();
    return;
  }
  const readback::ReadBackResult result = readback::ReadBackSymbol(
      PictureToImage(BarImage1->Picture()), BarImage1->BarPicture() == picBMP, *BarImage1);
  QPalette palette = ReadBackPanel->palette();
  palette.setColor(QPalette::WindowText, result.ok ? QColor(0, 0, 255) : QColor(255, 0, 0));
  ReadBackPanel->setPalette(palette);
  const QString verdict = readback::ReadBackVerdict(result);
  ReadBackPanel->setText(verdict);
  ReadBackPanel->setToolTip(verdict);
  ReadBackPanel->setAccessibleDescription(verdict);
  ReadBackPanel->show();
}

}  // namespace plomix
