#pragma once
// Texts of the user interface are written in the source as UTF-8.
#include <QString>
#include <string>

#include "Common/ShiftJis.h"

namespace plomix {

inline QString Text(const char *utf8) { return QString::fromUtf8(utf8); }

// The same text as the Shift-JIS bytes the model keeps.
inline std::string Sjis(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

}  // namespace plomix
