#pragma once
#include <QString>

namespace plomix {

// Installs Qt's own Japanese texts ("qtbase_ja": the buttons and captions of the colour,
// font, file and message dialogs), whatever the session's language, so that the
// toolkit's dialogs speak the program's language. Returns false, with the file looked
// for in `missing`, when the translation is not installed; the dialogs then stay English.
bool InstallQtTranslations(QString *missing = nullptr);

}  // namespace plomix
