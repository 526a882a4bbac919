#pragma once
// Where the program keeps its files. The environment file and the three data files
// live beside the program; when that folder cannot be written (an installed program),
// they live in the per-user data folder instead. Readme.txt is read from beside the
// program, else from the installed data folders.
#include <QString>

namespace plomix {

// The folder of the running program (empty without an application object).
QString ProgramDirectory();

// The folder for the environment and data files: `programDir` when a file can be
// created in it, otherwise QStandardPaths::AppDataLocation (created when missing).
QString DataDirectoryFor(const QString &programDir);

// DataDirectoryFor(ProgramDirectory()).
QString DataDirectory();

// The path of "Readme.txt": beside the program when it is there, else the first one
// found in the application's data folders; empty when there is none.
QString ReadmePath();

}  // namespace plomix
