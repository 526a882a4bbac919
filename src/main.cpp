#include <QApplication>

#include "Common/Fonts.h"
#include "Frame/TFrameForm.h"
#include "Progress/TProgressForm.h"

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plomix"));
  plomix::InstallFontSubstitutions();
  plomix::TFrameForm frameForm;
  plomix::TProgressForm progressForm;
  plomix::ProgressForm = &progressForm;
  frameForm.show();
  const int result = QApplication::exec();
  plomix::ProgressForm = nullptr;
  return result;
}
