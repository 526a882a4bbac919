// The pop-up menu's size report.
#include "BarImage/TBarImage.h"
#include "BarSize/TBarSizeForm.h"
#include "Frame/TFrameForm.h"

namespace plomix {

void TFrameForm::N4Click() {
  const TBarSizeSource source{BarImage1->BarWidth(), BarImage1->BarHeight(), BarImage1->Scale(),
                              UpDown8->Position()};
  // The printer chosen in the set-up; before any choice the report takes the system's
  // default queue, else a new PDF file of its own rather than the symbols' one.
  TBarSizeForm form(source, PrinterChoice().Chosen(), this);
  form.exec();
}

}  // namespace plomix
