// EMF and placeable WMF played by Windows GDI (as Wine implements it) must give the
// bitmap of the same symbol, pixel for pixel, outside the text; the text must leave ink
// of its colour inside its own box. GdiPlayer.exe plays every file in one Wine start.
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

#include "PictureFiles/EmfWriter.h"
#include "PictureFiles/WmfWriter.h"
#include "tests/Gdi/GdiRun.h"
#include "tests/support/PlaybackSymbols.h"

namespace plomix::test {
namespace {

// The screen the files are recorded against; its size is no whole number of millimetres.
const TReferenceDevice kDevice{96, 96, QSize(800, 800)};

constexpr GdiMode kModes[] = {GdiMode::Emf, GdiMode::Wmf, GdiMode::WmfAsEmf};

TEST(GdiPlayback, EveryFilePlaysAsItsBitmap) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::vector<PlaybackSymbol> symbols;
  std::vector<GdiPlay> plays;
  for (const PlaybackCode &code : kPlaybackCodes)
    for (const PlaybackLook &look : kPlaybackLooks)
      for (int scale = 1; scale <= 3; ++scale) {
        PlaybackSymbol s = DrawPlaybackSymbol(code, look, scale);
        ASSERT_FALSE(s.bitmap.isNull()) << s.name.toStdString();
        ASSERT_EQ(look.text || look.comments, !s.texts.empty()) << s.name.toStdString();
        const QString stem = QStringLiteral("s%1").arg(symbols.size());
        ASSERT_TRUE(WriteBytes(dir.filePath(stem + ".emf"), EncodeEnhancedMetafile(s.metafile, kDevice)));
        ASSERT_TRUE(WriteBytes(dir.filePath(stem + ".wmf"), EncodeWindowsMetafile(s.metafile, kDevice)));
        for (GdiMode mode : kModes)
          plays.push_back({mode, stem + (mode == GdiMode::Emf ? ".emf" : ".wmf"),
                           stem + "-" + GdiModeName(mode) + ".bmp"});
        symbols.push_back(std::move(s));
      }

  const QString error = RunGdiPlayer(dir.path(), plays);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();

  int exact[std::size(kModes)] = {};
  for (std::size_t i = 0; i < plays.size(); ++i) {
    const PlaybackSymbol &s = symbols[i / std::size(kModes)];
    const QImage played(dir.filePath(plays[i].output));
    const QString problem = ComparePlayback(s, played, Match::Exact);
    if (problem.isEmpty()) ++exact[static_cast<int>(plays[i].mode)];
    EXPECT_TRUE(problem.isEmpty()) << GdiModeName(plays[i].mode).toStdString() << " "
                                   << s.name.toStdString() << ": " << problem.toStdString();
    if (!problem.isEmpty() && qEnvironmentVariableIsSet("PLOMIX_KEEP_RENDERINGS")) {
      played.save(QStringLiteral("/tmp/gdi-%1.png").arg(plays[i].output));
      s.bitmap.save(QStringLiteral("/tmp/gdi-%1-bitmap.png").arg(plays[i].output));
    }
  }
  std::printf("GDI playback equal to the bitmap: EMF %d/%zu, WMF %d/%zu, WMF as EMF %d/%zu symbols\n",
              exact[0], symbols.size(), exact[1], symbols.size(), exact[2], symbols.size());
}

// The golden files in tests/data are what the writer's byte comparison holds to; played
// by GDI they must give the symbol's bitmap, so a golden file regenerated from a wrong
// writer fails here.
TEST(GdiPlayback, TheGoldenFilesPlayAsTheSymbolsBitmap) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const PlaybackSymbol golden = GoldenPlaybackSymbol();
  ASSERT_FALSE(golden.bitmap.isNull());
  ASSERT_TRUE(QFile::copy(GoldenEmfPath(), dir.filePath(QStringLiteral("golden.emf"))));
  ASSERT_TRUE(QFile::copy(GoldenWmfPath(), dir.filePath(QStringLiteral("golden.wmf"))));
  std::vector<GdiPlay> plays;
  for (GdiMode mode : kModes)
    plays.push_back({mode, mode == GdiMode::Emf ? QStringLiteral("golden.emf") : QStringLiteral("golden.wmf"),
                     QStringLiteral("golden-") + GdiModeName(mode) + ".bmp"});
  const QString error = RunGdiPlayer(dir.path(), plays);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  for (const GdiPlay &play : plays) {
    const QImage played(dir.filePath(play.output));
    const QString problem = ComparePlayback(golden, played, Match::Exact);
    EXPECT_TRUE(problem.isEmpty()) << GdiModeName(play.mode).toStdString() << " " << play.input.toStdString()
                                   << ": " << problem.toStdString();
  }
}

}  // namespace
}  // namespace plomix::test
