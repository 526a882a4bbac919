// Every test program runs with an application object on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#include "Common/Fonts.h"
#include "Common/QtTranslations.h"
#include "Common/RuntimeDir.h"

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  plomix::EnsureRuntimeDir();
  QApplication app(argc, argv);
  plomix::InstallFontSubstitutions();
  plomix::InstallQtTranslations();  // the standard dialogs in Japanese, as in the program
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
