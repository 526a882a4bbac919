#include <QApplication>

#include <csignal>

#include "Common/Fonts.h"
#include "Frame/TFrameForm.h"
#include "Progress/TProgressForm.h"

int main(int argc, char *argv[]) {
  // A file-size limit makes a write fail with "File too large", reported like a full
  // disk, instead of ending the program with the records unsaved.
  std::signal(SIGXFSZ, SIG_IGN);
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
