#include <QApplication>
#include <cstdio>

#include <csignal>

#include "Common/Fonts.h"
#include "Common/QtTranslations.h"
#include "Frame/TFrameForm.h"
#include "Progress/TProgressForm.h"

int main(int argc, char *argv[]) {
  // A file-size limit makes a write fail with "File too large", reported like a full
  // disk, instead of ending the program with the records unsaved.
  std::signal(SIGXFSZ, SIG_IGN);
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
