#include "Preview/TPreviewForm.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "PictureFiles/PictureFiles.h"
#include "Common/UiText.h"
#include "Records/RecordList.h"
#include "Preview/ReducedDots.h"
#include "Print/PagePainter.h"
#include "Print/Pagination.h"
#include "Print/PrintState.h"
#include "Print/PrintSymbol.h"
#include "Print/SymbolCells.h"
#include "Print/SymbolRecords.h"
#include "Progress/TProgressForm.h"

namespace plomix {

TPreviewForm::TPreviewForm(TPrintHost &host, QWidget *owner) : QDialog(owner), FHost(host) {
  setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button3, &QPushButton::clicked, this, &TPreviewForm::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TPreviewForm::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TPreviewForm::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TPreviewForm::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &TPreviewForm::Button7Click);
  Button1->setDefault(true);
}

const TBarSymbol *TPreviewForm::Symbol() const { return FSymbol.get(); }

TPreviewForm::~TPreviewForm() {
  if (!FClosed) FormCloseQuery();
}

void TPreviewForm::showEvent(QShowEvent *event) {
  if (!FShownOnce) {
    FShownOnce = true;
    FormShow();
  }
  QDialog::showEvent(event);
}

QSize TPreviewForm::ScreenSize() const {
  const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
  return shown ? shown->geometry().size() : QSize(1024, 768);
}

int TPreviewForm::ZoomedPageWidth() const { return static_cast<int>(Zoomed(FMetrics.PageWidth, FZoom)); }
int TPreviewForm::ZoomedPageHeight() const { return static_cast<int>(Zoomed(FMetrics.PageHeight, FZoom)); }

void TPreviewForm::FormShow() {
  // The preview draws with its own copy of the window's symbol, its frame raised.
  if (!FSymbol) {
    FSymbol = std::make_unique<TPrintSymbol>(FHost.PrintSymbol());
    if (FSymbol->BarFrame() == 1) FSymbol->SetBarFrame(2);
    // A copy keeps no layout; the drawing on dots needs the places of the bars.
    else if (FHost.PrintSnapToDots()) FSymbol->DrawBar();
  }
  TBarSymbol &bar = *FSymbol;
  TPrintState &state = FHost.PrintState();
  QString error;
  if (!MeasurePrinter(FHost.Printer(), state, &error)) {
    FFailed = true;
    QMessageBox::warning(this, windowTitle(), error);
    QTimer::singleShot(0, this, &QDialog::reject);
    return;
  }
  state.ScreenDpiX = logicalDpiX();
  state.ScreenDpiY = logicalDpiY();
  FMetrics = MetricsOf(state, FHost.PrintScale());
  FSteps = CellSteps(FMetrics, bar.Width(), bar.Height(), state.ColumnSpacing, state.RowSpacing);
  const int copies = FHost.PrintCopies();
  const TGridPagination grid(FSteps, state.PageWidth, state.PageHeight, copies);
  SymbolsPerPage = grid.SymbolsPerPage();

  if (state.ListPrintMode) {
    PageCount = 10000;
    setWindowTitle(Text("リスト印刷プレビュー  :  %1個").arg(state.PrintableCount));
    const TRecordList &records = FHost.PrintRecords();
    FFlow = std::make_unique<TFlowPagination>(
        FMetrics, state.ColumnSpacing, state.RowSpacing, records.Count(),
        [&bar, &records](int record) { return LoadRecordIntoSymbol(bar, records, record); });
  } else {
    PageCount = grid.PageCount();
    setWindowTitle(Text("印刷プレビュー  :  %1個").arg(copies));
    FFlow.reset();
  }
  CurrentPage = 1;

  const QSize screenSize = ScreenSize();
  FZoom = PreviewZoom(screenSize.width(), screenSize.height(), state.PageWidth, state.PageHeight);
  const int pageWidth = ZoomedPageWidth(), pageHeight = ZoomedPageHeight();
  const int clientWidth = 2 * pageWidth + 35;
  const int clientHeight = pageHeight + Panel1->height() + 20;
  resize(clientWidth, clientHeight);
  Panel1->setGeometry(0, 0, clientWidth, Panel1->height());
  Image1->setGeometry(0, Panel1->height(), clientWidth, clientHeight - Panel1->height());
  PreviewImage = QImage(Image1->size(), QImage::Format_RGB32);
  PreviewImage.fill(Qt::white);
  Label2->move(pageWidth + 20, Label2->y());
  PageBitmap = QImage(std::max(pageWidth, 1), std::max(pageHeight, 1), QImage::Format_RGB32);
  PageBitmap.fill(Qt::white);

  // The actual-size button stays off while the scale is still the one it set.
  const std::int64_t actualScale =
      std::int64_t{state.ScreenDpiX} * 10000 / FZoom / state.PrinterDpiX;
  if (state.ActualSizeSwitch && actualScale == FMetrics.Scale) {
    Button5->setEnabled(false);
  } else {
    Button5->setEnabled(true);
    state.ActualSizeSwitch = false;
  }

  if (state.ListPrintMode) ShowListPages(1);
  else ShowNormalPages(1);
}

// ---------------------------------------------------------------- composing

void TPreviewForm::BeginComposing(std::int64_t maximum) {
  PreviewImage.fill(Qt::white);
  Label1->clear();
  Label2->clear();
  if (!ProgressForm) return;
  ProgressForm->ProgressBar1->setRange(0, static_cast<int>(std::clamp<std::int64_t>(maximum, 0, 1 << 30)));
  ProgressForm->Step = 1;
  ProgressForm->ProgressBar1->setValue(0);
  ProgressForm->show();
}

void TPreviewForm::StepProgress() {
  if (ProgressForm && ProgressForm->ProgressBar1->value() < ProgressForm->ProgressBar1->maximum())
    ProgressForm->StepIt();
}

void TPreviewForm::EndComposing(int page) {
  if (ProgressForm) {
    // The composition is complete, also where fewer cells than estimated were laid out.
    ProgressForm->ProgressBar1->setValue(ProgressForm->ProgressBar1->maximum());
    ProgressForm->hide();
  }
  ShowPreviewImage();
  CurrentPage = page;
  Button3->setEnabled(page != 1);
  Button4->setEnabled(page < PageCount - 1);
}

// The frame and the label of a shown page: slot 0 is the left page, 1 the right.
void TPreviewForm::FramePage(int page, int slot) {
  const int pageWidth = ZoomedPageWidth(), pageHeight = ZoomedPageHeight();
  const int left = slot == 0 ? 5 : pageWidth + 20;
  const int right = slot == 0 ? pageWidth + 15 : 2 * pageWidth + 30;
  QPainter painter(&PreviewImage);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  // The outline covers left..right-1 and 5..bottom-1.
  painter.drawRect(QRect(left, 5, right - left - 1, pageHeight + 15 - 5 - 1));
  (slot == 0 ? Label1 : Label2)->setText(Text("%1ページ目").arg(page));
}

// Copies the composed page into its place and clears it for the next one.
void TPreviewForm::PlacePage(int slot) {
  const int x = slot == 0 ? 10 : ZoomedPageWidth() + 25;
  {
    QPainter painter(&PreviewImage);
    painter.drawImage(QPoint(x, 10), PageBitmap);
  }
  PageBitmap.fill(Qt::white);
}

void TPreviewForm::ShowPreviewImage() { Image1->setPixmap(QPixmap::fromImage(PreviewImage)); }

void TPreviewForm::ShowNormalPages(int page) {
  if (page < 1 || page > PageCount) return;
  const TBarSymbol &bar = *FSymbol;
  const TPrintState &state = FHost.PrintState();
  FMetrics = MetricsOf(state, FHost.PrintScale());
  FSteps = CellSteps(FMetrics, bar.Width(), bar.Height(), state.ColumnSpacing, state.RowSpacing);
  const TGridPagination grid(FSteps, state.PageWidth, state.PageHeight, FHost.PrintCopies());
  const TPicture &picture = bar.Picture();
  const bool snap = FHost.PrintSnapToDots();
  // One symbol on every cell: drawn on the printer's dots once.
  const TDotDrawing dots = snap ? SymbolOnDots(bar, FMetrics) : TDotDrawing{};
  const QSize printerCell = PrinterCellSize(bar, FMetrics);

  BeginComposing(std::min<std::int64_t>((std::int64_t{page} + 1) * grid.SymbolsPerPage(), grid.Copies()));
  for (int k = 1; k <= page + 1 && grid.CellsOnPage(k) > 0; ++k) {
    const std::int64_t cells = grid.CellsOnPage(k);
    const bool shown = k >= page;
    if (shown) {
      FramePage(k, k - page);
      QPainter painter(&PageBitmap);
      for (std::int64_t index = 0; index < cells; ++index) {
        const TPrintCell cell = grid.Cell(index, FZoom);
        const QRect shown = CellRect(cell.X, cell.Y, cell.W, cell.H);
        if (snap) DrawReducedDots(painter, dots, printerCell, shown, FZoom);
        else FReducedPicture.Draw(painter, picture, shown);
      }
    }
    for (std::int64_t index = 0; index < cells; ++index) StepProgress();
    if (shown) PlacePage(k - page);
  }
  EndComposing(page);
}

void TPreviewForm::ShowListPages(int page) {
  if (page < 1 || page > PageCount || !FFlow) return;
  const TBarSymbol &bar = *FSymbol;
  const std::int64_t records = FHost.PrintRecords().Count();
  const bool snap = FHost.PrintSnapToDots();
  BeginComposing(std::min<std::int64_t>(2 * SymbolsPerPage, records));
  for (int slot = 0; slot < 2; ++slot) {
    bool laid = false;
    {
      QPainter painter(&PageBitmap);
      laid = FFlow->LayPage(
          page + slot, FZoom,
          [&](int, const TPrintCell &cell) {
            const QRect shown = CellRect(cell.X, cell.Y, cell.W, cell.H);
            if (snap)
              DrawReducedDots(painter, SymbolOnDots(bar, FMetrics), PrinterCellSize(bar, FMetrics), shown, FZoom);
            else
              FReducedPicture.Draw(painter, bar.Picture(), shown);
          },
          [this] { StepProgress(); });
    }
    if (!laid) break;
    FramePage(page + slot, slot);
    PlacePage(slot);
  }
  if (FFlow->EndKnown()) PageCount = FFlow->LastPage();
  EndComposing(page);
}

// ---------------------------------------------------------------- buttons

void TPreviewForm::Button3Click() {
  if (FHost.PrintState().ListPrintMode) ShowListPages(CurrentPage - 1);
  else ShowNormalPages(CurrentPage - 1);
}

void TPreviewForm::Button4Click() {
  if (FHost.PrintState().ListPrintMode) ShowListPages(CurrentPage + 1);
  else ShowNormalPages(CurrentPage + 1);
}

void TPreviewForm::Button5Click() {
  TPrintState &state = FHost.PrintState();
  if (state.PrinterDpiX <= 0) return;
  const QSize screenSize = ScreenSize();
  const int zoom = PreviewZoom(screenSize.width(), screenSize.height(), state.PageWidth, state.PageHeight);
  const std::int64_t scale = std::int64_t{state.ScreenDpiX} * 10000 / zoom / state.PrinterDpiX;
  FHost.SetPrintScale(static_cast<int>(std::clamp<std::int64_t>(scale, INT32_MIN, INT32_MAX)));
  state.ActualSizeSwitch = true;
  FormShow();
}

void TPreviewForm::Button6Click() { QGuiApplication::clipboard()->setImage(PreviewImage); }

void TPreviewForm::Button7Click() {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({Text("ビットマップ(*.bmp)"), Text("全てのファイル(*.*)")});
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  dialog.selectFile(QStringLiteral("Preview.bmp"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString error;
  const QString path = dialog.selectedFiles().constFirst();
  if (!SavePreviewImage(path, &error))
    QMessageBox::warning(this, windowTitle(),
                         Text("画像ファイル「%1」を保存出来ませんでした。").arg(QDir::toNativeSeparators(path)) +
                             QLatin1Char('\n') + error);
}

bool TPreviewForm::SavePreviewImage(const QString &path, QString *error) const {
  // JPEG for a .jpg or .jpeg name, else a bitmap file, as the main window saves a bitmap.
  return SaveBitmapFile(PreviewImage, path, error);
}

void TPreviewForm::FormCloseQuery() {
  FClosed = true;
  PageBitmap = QImage();
}

void TPreviewForm::done(int result) {
  if (!FClosed) FormCloseQuery();
  QDialog::done(result);
}

}  // namespace plomix
