#pragma once
// Symbols for the metafile players (GDI under Wine, LibreOffice): each drawn as a
// bitmap and as a metafile, and the playback of the metafile compared with the bitmap.
#include <QImage>
#include <QRect>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "BarImage/TBarImage.h"

namespace plomix::test {

struct PlaybackCode {
  const char *name;
  TBarTypes type;
  const char *code;
  char start = 'A';
};

// Every symbology, JAN and UPC in both lengths.
extern const std::vector<PlaybackCode> kPlaybackCodes;

// What surrounds the bars: each later look adds to the one before.
struct PlaybackLook {
  const char *name;
  bool text, comments;
  int frame, margin, offset;
  bool colours;
};

extern const std::vector<PlaybackLook> kPlaybackLooks;

// One symbol: its bitmap, its metafile, and the box and colour of each of its texts.
struct PlaybackSymbol {
  QString name;
  QImage bitmap;
  TMetafile metafile;
  std::vector<std::pair<QRect, QRgb>> texts;
};

// Draws the symbol twice, as a bitmap and as a metafile; a symbol without a bitmap
// when either drawing failed.
PlaybackSymbol DrawPlaybackSymbol(const PlaybackCode &code, const PlaybackLook &look, int scale);

// A symbol drawn by the caller twice: `bitmap` as a bitmap, `metafile` as a metafile.
// Without a bitmap when either drawing failed.
PlaybackSymbol PlaybackSymbolOf(const QString &name, const TBarSymbol &bitmap, const TBarSymbol &metafile);

// The symbol the golden metafiles in tests/data hold (Code 39, both comments, framed)
// and the paths of those files: the bitmap and the texts are drawn now, the metafile
// is what the files were written from.
PlaybackSymbol GoldenPlaybackSymbol();
QString GoldenEmfPath();
QString GoldenWmfPath();

// How a played picture must match the bitmap outside the text boxes.
enum class Match {
  Exact,  // every pixel
  Ink,    // dark against light, for readers that smooth edges
};

// Empty when the playback matches the bitmap outside the text boxes (the metafile's
// extra column and row unpainted) and each text box holds ink; what differs otherwise.
QString ComparePlayback(const PlaybackSymbol &symbol, const QImage &played, Match match);

bool WriteBytes(const QString &path, const std::string &bytes);

}  // namespace plomix::test
