#pragma once
// The print preview: measures the printer and the screen for the print that follows,
// lays out the pages with the print's own pagination and shows two of them side by
// side. OK (印刷) means print; the preview itself never prints.
#include <QDialog>
#include <QImage>
#include <cstdint>
#include <memory>

#include "Preview/ReducedPicture.h"
#include "Print/PrintGeometry.h"
#include "ui_TPreviewForm.h"

namespace plomix {

class TBarSymbol;
class TPrintHost;
class TFlowPagination;
class TPrintSymbol;

class TPreviewForm : public QDialog, public Ui::TPreviewForm {
  Q_OBJECT

 public:
  TPreviewForm(TPrintHost &host, QWidget *owner);
  ~TPreviewForm() override;

  int PageCount = 0;
  int CurrentPage = 0;
  std::int64_t SymbolsPerPage = 0;
  QImage PageBitmap;    // one page at preview scale
  QImage PreviewImage;  // what Image1 shows: both pages with frames

  int Zoom() const { return FZoom; }
  // The symbol the pages are drawn with: the window's, copied when the preview is first
  // shown, its frame raised; null before that.
  const TBarSymbol *Symbol() const;
  // True when showing failed (no usable printer page); the reason was reported.
  bool Failed() const { return FFailed; }

  void FormShow();
  void ShowNormalPages(int page);
  void ShowListPages(int page);
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  // Writes the preview image: JPEG for ".jpg"/".jpeg" in any case, else a bitmap file.
  bool SavePreviewImage(const QString &path, QString *error) const;
  void FormCloseQuery();

  void done(int result) override;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void BeginComposing(std::int64_t maximum);
  void StepProgress();
  void EndComposing(int page);
  void FramePage(int page, int slot);
  void PlacePage(int slot);
  void ShowPreviewImage();
  QSize ScreenSize() const;
  int ZoomedPageWidth() const;
  int ZoomedPageHeight() const;

  TPrintHost &FHost;
  TPrintMetrics FMetrics;
  TCellSteps FSteps;
  int FZoom = 1;
  bool FShownOnce = false;
  bool FClosed = false;
  bool FFailed = false;
  std::unique_ptr<TPrintSymbol> FSymbol;
  std::unique_ptr<TFlowPagination> FFlow;
  TReducedPicture FReducedPicture;  // the page is reduced as a viewer would show the paper
};

}  // namespace plomix
