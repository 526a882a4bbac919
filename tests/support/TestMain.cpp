// Every test program runs with an application object on the offscreen platform, and with
// a configuration folder of its own: Qt's file dialogs keep their last folder, history and
// view in the user's configuration, and what an earlier run (or the user) left there must
// not change how a dialog behaves in a test.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Common/Fonts.h"
#include "Common/QtTranslations.h"
#include "Common/RuntimeDir.h"

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  plomix::EnsureRuntimeDir();
  QTemporaryDir config(QDir::tempPath() + QStringLiteral("/plomix-test-config-XXXXXX"));
  if (config.isValid()) qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  QApplication app(argc, argv);
  plomix::InstallFontSubstitutions();
  plomix::InstallQtTranslations();  // the standard dialogs in Japanese, as in the program
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
