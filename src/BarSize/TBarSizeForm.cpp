#include "BarSize/TBarSizeForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include "BarSize/SizeReportPrint.h"
#include "Common/UiText.h"
#include "Common/ShiftJis.h"
#include "PrintTxt/PrintText.h"
#include "PrintTxt/PrinterInfo.h"

namespace plomix {
namespace {

}  // namespace

TBarSizeForm::TBarSizeForm(const TBarSizeSource &source, QPrinter *printer, QWidget *owner)
    : TBarSizeForm(source, printer, owner, QPrinterInfo::defaultPrinter()) {}

TBarSizeForm::TBarSizeForm(const TBarSizeSource &source, QPrinter *printer, QWidget *owner,
                           const QPrinterInfo &systemDefault)
    : QDialog(owner), FSource(source) {
  setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  // 13 pixels high whatever the screen's resolution, as the window was designed.
  QFont font = Label1->font();
  font.setPixelSize(13);
  Label1->setFont(font);

  TTextPrinterChoice choice =
      ChooseTextPrinter(printer, systemDefault, UnicodeToSjis(Text("バーコードのサイズ情報")));
  FOwnedPrinter = std::move(choice.Owned);
  FPrinter = choice.Printer;

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  PopupMenu1->addAction(Print1);
  PopupMenu1->addAction(Copy1);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(Close1);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { PopupMenu1->popup(mapToGlobal(pos)); });
  connect(Print1, &QAction::triggered, this, &TBarSizeForm::Print1Click);
  connect(Copy1, &QAction::triggered, this, &TBarSizeForm::Copy1Click);
  connect(Close1, &QAction::triggered, this, &TBarSizeForm::Close1Click);
}

TBarSizeForm::~TBarSizeForm() = default;

void TBarSizeForm::showEvent(QShowEvent *event) {
  // Measured once, before the window appears; later changes are not followed.
  if (!FShown) {
    FShown = true;
    FormShow();
  }
  QDialog::showEvent(event);
}

void TBarSizeForm::FormShow() {
  PrinterInfo info;
  GetPrinterInfo(*FPrinter, info);
  FMeasures.BarWidth = FSource.BarWidth;
  FMeasures.BarHeight = FSource.BarHeight;
  FMeasures.Scale = FSource.Scale;
  FMeasures.PrintScale = FSource.PrintScale;
  FMeasures.ScreenDpiX = logicalDpiX();
  FMeasures.ScreenDpiY = logicalDpiY();
  FMeasures.PrinterDpiX = info.DpiX;
  FMeasures.PrinterDpiY = info.DpiY;
  FMeasures.PaperWidth = info.PaperWidth;
  FMeasures.PaperHeight = info.PaperHeight;
  FMeasures.PrinterScale = info.Scale;

  FText = SizeReportText(FMeasures);
  Label1->setText(SjisToUnicode(FText).remove(QLatin1Char('\r')));
  Label1->adjustSize();
  resize(Label1->width() + 12, Label1->height() + 12);
  if (const QScreen *screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  FText.insert(0, SizeReportHeader());
}

void TBarSizeForm::Print1Click() {
  // The job's name; the main window's printer gets its own name back for its own jobs.
  const QString docName = FPrinter->docName();
  FPrinter->setDocName(Text("現在のバーコードのサイズ情報"));
  QString error;
  const bool printed = PrintSizeReport(*FPrinter, SjisToUnicode(FText), &error);
  FPrinter->setDocName(docName);
  if (!printed) {
    ShowMessage(QMessageBox::Warning, error);
  } else if (FPrinter->outputFormat() == QPrinter::PdfFormat) {
    // A file is no printout: say where it is.
    ShowMessage(QMessageBox::Information,
                Text("PDFファイルに印刷しました。\n%1").arg(FPrinter->outputFileName()));
  }
}

void TBarSizeForm::Copy1Click() { QGuiApplication::clipboard()->setText(SjisToUnicode(FText)); }

void TBarSizeForm::Close1Click() { close(); }

void TBarSizeForm::ShowMessage(QMessageBox::Icon icon, const QString &text) {
  QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

}  // namespace plomix
