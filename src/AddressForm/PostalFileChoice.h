#pragma once
// The postal-code file the windows use: the one the user chose (kept in the environment
// file), else KEN_ALL.CSV in the per-user data folder. Indexed once and shared by the
// address dialog and the data list until another file is chosen.
#include <QString>
#include <memory>

namespace plomix {

namespace address {
class PostalDictionary;
}

// The environment file's key for the chosen file.
inline constexpr const char *kPostalFileKey = "PostalDictionary";

QString ChosenPostalFile();
void SetChosenPostalFile(const QString &path);

// The file in use: the chosen one, else the one in the per-user data folder; empty when
// there is none.
QString PostalFileInUse();

// The indexed file in use, or null when there is none or it cannot be read (the reason
// in `error`, which stays empty when there simply is no file).
std::shared_ptr<const address::PostalDictionary> PostalDictionaryInUse(QString &error);

}  // namespace plomix
