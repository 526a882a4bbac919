#pragma once
// The save dialog's settings for the symbol picture and the folder the program
// remembers after a save.
#include <QString>
#include <QStringList>

#include "Encoders/BarTypes.h"

namespace plomix {

// Bitmap, enhanced metafile, Windows metafile, all files; the copy method picks one.
QStringList SaveDialogFilters();

// "Plomix.bmp", "Plomix.emf" or "Plomix.wmf" for the copy method.
QString ProposedPictureName(TPictures copyMethod);

// The folder part of a saved file's path: no trailing separator, except for the root.
QString SaveDirOf(const QString &path);

}  // namespace plomix
