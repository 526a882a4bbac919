// The pop-up menu's size report.
#include "BarImage/TBarImage.h"
#include "BarSize/TBarSizeForm.h"
#include "Frame/TFrameForm.h"

namespace plomix {

void TFrameForm::N4Click() {
  const TBarSizeSource source{BarImage1->BarWidth(), BarImage1->BarHeight(), BarImage1->Scale(),
                              UpDown8->Position()};
  // No printer of its own yet: the report takes the system's default queue, else a PDF file.
  TBarSizeForm form(source, nullptr, this);
  form.exec();
}

}  // namespace plomix
