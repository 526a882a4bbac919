#include <QApplication>

#include "Common/Fonts.h"
#include "Frame/TFrameForm.h"

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plomix"));
  plomix::InstallFontSubstitutions();
  plomix::TFrameForm form;
  form.show();
  return QApplication::exec();
}
