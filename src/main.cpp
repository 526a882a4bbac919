#include <QApplication>
#include <cstdio>

#include "Common/Fonts.h"
#include "Common/QtTranslations.h"
#include "Frame/TFrameForm.h"
#include "Progress/TProgressForm.h"

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plomix"));
  plomix::InstallFontSubstitutions();
  if (QString missing; !plomix::InstallQtTranslations(&missing))
    std::fprintf(stderr, "plomix: %s not found, standard dialogs stay in English\n", qPrintable(missing));
  plomix::TFrameForm frameForm;
  plomix::TProgressForm progressForm;
  plomix::ProgressForm = &progressForm;
  frameForm.show();
  const int result = QApplication::exec();
  plomix::ProgressForm = nullptr;
  return result;
}
