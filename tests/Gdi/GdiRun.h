#pragma once
// Runs GdiPlayer.exe under Wine over a list of metafiles, in one Wine start.
#include <QString>
#include <vector>

namespace plomix::test {

enum class GdiMode { Emf, Wmf, WmfAsEmf };

// The player's name of the mode: emf, wmf (PlayMetaFile), wmfemf (SetWinMetaFileBits).
QString GdiModeName(GdiMode mode);

struct GdiPlay {
  GdiMode mode;
  QString input, output;  // file names inside the working folder
};

// Plays every file in `folder` into its BMP; an explanation when the player could not
// run or refused a file, empty otherwise. The Wine prefix lives in the build folder
// and is created by the first run.
QString RunGdiPlayer(const QString &folder, const std::vector<GdiPlay> &plays);

}  // namespace plomix::test
