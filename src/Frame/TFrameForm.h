#pragma once
// The main window: the symbol view, the barcode string box and the symbology box.
#include <QMainWindow>

class QComboBox;
class QScrollArea;

namespace plomix {

class TBarImage;

class TFrameForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrameForm(QWidget *parent = nullptr);

  TBarImage *BarImage1 = nullptr;
  QScrollArea *ScrollBox1 = nullptr;
  QComboBox *ComboBox1 = nullptr;  // barcode string
  QComboBox *ComboBox2 = nullptr;  // symbology

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void ComboBox1KeyDown();
  void ComboBox2Change(int index);
};

}  // namespace plomix
