#include "AddressForm/PostalFileChoice.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "Address/PostalDictionary.h"
#include "Common/PostalFileLocation.h"

namespace plomix {
namespace {

struct TPostalFileState {
  QString Chosen;
  // The last file indexed, by path and modification time, so that a file replaced with
  // the month's new one is read again.
  QString LoadedPath;
  QDateTime LoadedTime;
  std::shared_ptr<const address::PostalDictionary> Loaded;
};

TPostalFileState &State() {
  static TPostalFileState state;
  return state;
}

}  // namespace

QString ChosenPostalFile() { return State().Chosen; }

void SetChosenPostalFile(const QString &path) { State().Chosen = path; }

QString PostalFileInUse() { return State().Chosen.isEmpty() ? DefaultPostalFilePath() : State().Chosen; }

std::shared_ptr<const address::PostalDictionary> PostalDictionaryInUse(QString &error) {
  error.clear();
  const QString path = PostalFileInUse();
  if (path.isEmpty()) return nullptr;
  TPostalFileState &state = State();
  const QDateTime modified = QFileInfo(path).lastModified();
  if (state.Loaded && state.LoadedPath == path && state.LoadedTime == modified) return state.Loaded;
  std::string why;
  auto dictionary = address::PostalDictionary::Load(QFile::encodeName(path).toStdString(), why);
  if (!dictionary) {
    error = QString::fromStdString(why);
    return nullptr;
  }
  state.Loaded = std::make_shared<const address::PostalDictionary>(std::move(*dictionary));
  state.LoadedPath = path;
  state.LoadedTime = modified;
  return state.Loaded;
}

}  // namespace plomix
