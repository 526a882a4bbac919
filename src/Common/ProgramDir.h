#pragma once
// Where the program keeps its files. The environment file and the three data files
// live beside the program (run from its build folder); for an installed program, or
// when the program's folder cannot be written, they live in the per-user data folder
// instead. Readme.txt is read from beside the program, else from P/share/plomix of an
// installed P/bin/plomix, else from the XDG data folders.
#include <QString>

namespace plomix {

// The folder of the running program (empty without an application object).
QString ProgramDirectory();

// True for the bin folder of an installed tree: named "bin" with a "share" beside it.
bool IsInstalledProgramDir(const QString &programDir);

// The folder for the environment and data files: `programDir` when it is not an
// installed bin folder and a file can be created in it, otherwise
// QStandardPaths::AppDataLocation (created when missing).
QString DataDirectoryFor(const QString &programDir);

// DataDirectoryFor(ProgramDirectory()).
QString DataDirectory();

// The path of "Readme.txt": beside `programDir` when it is there, else in the
// installed tree's share/plomix, else the first one in the application's data
// folders; empty when there is none.
QString ReadmePathFor(const QString &programDir);

// ReadmePathFor(ProgramDirectory()).
QString ReadmePath();

}  // namespace plomix
