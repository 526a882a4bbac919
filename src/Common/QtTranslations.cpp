#include "Common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plomix {

bool InstallQtTranslations(QString *missing) {
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto *translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_ja"), dir)) {
    delete translator;
    if (missing) *missing = dir + QStringLiteral("/qtbase_ja.qm");
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace plomix
