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
  // `plomix FILE.csv` (a file opened from the desktop): the import of that file, once
  // the window is up.
  if (const QStringList args = QApplication::arguments(); args.size() > 1)
    QMetaObject::invokeMethod(&frameForm, [&frameForm, path = args.at(1)] { frameForm.ImportCsvFile(path); },
                              Qt::QueuedConnection);
  const int result = QApplication::exec();
  plomix::ProgressForm = nullptr;
  return result;
}
