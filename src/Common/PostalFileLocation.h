#pragma once
// Where Plomix looks for Japan Post's postal-code file when the user names none: the
// per-user data folder, ~/.local/share/Plomix/KEN_ALL.CSV ($XDG_DATA_HOME/Plomix/).
#include <QString>

namespace plomix {

// The path of KEN_ALL.CSV (or ken_all.csv) in the per-user data folder, or empty when
// neither is there.
QString DefaultPostalFilePath();

}  // namespace plomix
