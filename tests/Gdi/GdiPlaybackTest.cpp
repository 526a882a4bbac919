// EMF and placeable WMF played by Windows GDI (as Wine implements it) must give the
// bitmap of the same symbol, pixel for pixel, outside the text; the text must leave ink
// inside its own box. GdiPlayer.exe plays every file of one list in a single Wine start.
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "BarImage/EmfWriter.h"
#include "BarImage/MetafileShapes.h"
#include "BarImage/TBarImage.h"
#include "BarImage/WmfWriter.h"
#include "Common/Fonts.h"
#include "tests/Gdi/GdiRun.h"

namespace plomix::test {
namespace {

// The screen the files are recorded against; its size is no whole number of millimetres.
const TReferenceDevice kDevice{96, 96, QSize(800, 800)};

struct Code {
  const char *name;
  TBarTypes type;
  const char *code;
  char start = 'A';
};

const Code kCodes[] = {
    {"JAN-13", cbarJAN, "490123456789"},       {"JAN-8", cbarJAN, "9638507"},
    {"UPC-A", cbarUPC, "03600029145"},         {"UPC-E", cbarUPC, "0123455"},
    {"Code 39", cbarCODE39, "PLOMIX-39"},      {"NW-7", cbarNW7, "40156"},
    {"ITF", cbarITF, "12345678"},              {"industrial 2 of 5", cbarCTF, "1234567"},
    {"IATA 2 of 5", cbarIATA, "1234567"},      {"Matrix 2 of 5", cbarMATRIX, "1234567"},
    {"NEC 2 of 5", cbarNEC, "1234567"},        {"customer", cbarCUSTOMER, "100-0013"},
    {"Code 128", cbarCODE128, "Plomix-128", 'B'}, {"Code 93", cbarCODE93, "PLOMIX-93"},
};

// What surrounds the bars: each later look adds to the one before.
struct Look {
  const char *name;
  bool text, comments;
  int frame, margin, offset;
  bool colours;
};

const Look kLooks[] = {
    {"bars only", false, false, 0, 0, 0, false},
    {"with text", true, false, 0, 0, 0, false},
    {"text, comments, frame, margins", true, true, 3, 12, 0, false},
    {"colours, frame, margins, offset", true, true, 2, 7, 5, true},
};

std::unique_ptr<TBarImage> Draw(const Code &code, const Look &look, int scale, TPictures picture) {
  auto bar = std::make_unique<TBarImage>();
  bar->SetBarEnabled(false);
  bar->resize(100, 100);
  bar->SetMatch(true);
  bar->SetBarPicture(picture);
  bar->SetBarType(code.type);
  bar->SetStartChar(code.start);
  bar->SetStopChar('B');
  bar->SetScale(static_cast<TSCale>(scale));
  bar->SetBarHeight(40 * scale);
  bar->SetSymbolDisp(look.text);
  TFont font = DefaultSymbolFont();
  if (look.colours) {
    bar->SetBarColor(RGBToColor(0, 0, 128));
    bar->SetBackColor(RGBToColor(255, 255, 204));
    font.Color = RGBToColor(160, 0, 0);
  }
  bar->SetBarFont(&font);
  bar->SetBarFrame(static_cast<TFrameSize>(look.frame));
  bar->SetBarSpaceLeft(look.margin);
  bar->SetBarSpaceRight(look.margin + 3);
  bar->SetBarSpaceUp(look.margin / 2);
  bar->SetBarSpaceDown(look.margin / 2 + 1);
  bar->SetBarLeft(look.offset);
  bar->SetBarTop(look.offset / 2);
  if (look.comments) {
    bar->SetCommentUp("\x8f\xe3\x82\xcc\x83\x52\x83\x81\x83\x93\x83\x67");  // 上のコメント
    bar->SetCommentDown("lower comment");
    bar->SetCommentUpLoc(look.colours ? locRight : locCenter);
    bar->SetCommentDownLoc(locLeft);
  }
  bar->SetCode(code.code);
  bar->SetBarEnabled(true);
  return bar;
}

// One symbol: its bitmap, the text boxes of its metafile and where its files went.
struct Symbol {
  QString name;
  QImage bitmap;
  std::vector<std::pair<QRect, QRgb>> texts;  // box and colour of each text
};

// The box a text may ink: its cell (its advances wide, its font's line high) and its
// glyphs' bounds, which can pass the cell, with a pixel around for smoothed edges.
QRect TextBox(const MetafileRecord &r) {
  int width = 0;
  for (int a : CharacterAdvances(r.text, r.font)) width += a;
  const QFontMetrics metrics(r.font);
  const QRect cell(r.origin, QSize(width, metrics.height()));
  const QRect glyphs = metrics.boundingRect(r.text).translated(r.origin + QPoint(0, metrics.ascent()));
  return cell.united(glyphs).adjusted(-1, -1, 1, 1);
}

// Counts of pixels outside the text boxes that differ, with the first one.
struct Comparison {
  QString problem;  // empty when the playback equals the bitmap and every text left ink
};

Comparison Compare(const Symbol &s, const QImage &played) {
  if (played.isNull()) return {QStringLiteral("no playback")};
  // The metafile's picture is one pixel wider and higher than the bitmap, the extra
  // column and row left unpainted: white in the player's bitmap.
  if (played.size() != s.bitmap.size() + QSize(1, 1))
    return {QStringLiteral("size %1x%2, bitmap %3x%4")
                .arg(played.width()).arg(played.height()).arg(s.bitmap.width()).arg(s.bitmap.height())};
  QImage expected(played.size(), QImage::Format_RGB32);
  expected.fill(Qt::white);
  for (int y = 0; y < s.bitmap.height(); ++y)
    for (int x = 0; x < s.bitmap.width(); ++x) expected.setPixel(x, y, s.bitmap.pixel(x, y));
  QImage mask(played.size(), QImage::Format_Mono);
  mask.fill(0);
  for (const auto &[box, colour] : s.texts)
    for (int y = std::max(0, box.top()); y <= std::min(box.bottom(), mask.height() - 1); ++y)
      for (int x = std::max(0, box.left()); x <= std::min(box.right(), mask.width() - 1); ++x)
        mask.setPixel(x, y, 1);
  int differing = 0;
  QPoint first;
  for (int y = 0; y < played.height(); ++y)
    for (int x = 0; x < played.width(); ++x)
      if (mask.pixelIndex(x, y) == 0 &&
          (played.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF) && differing++ == 0)
        first = QPoint(x, y);
  if (differing > 0)
    return {QStringLiteral("%1 pixels differ outside the text, first at (%2, %3): %4 instead of %5")
                .arg(differing).arg(first.x()).arg(first.y())
                .arg(played.pixel(first) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                .arg(expected.pixel(first) & 0xFFFFFF, 6, 16, QLatin1Char('0'))};
  for (const auto &[box, colour] : s.texts) {
    bool ink = false;
    const QRect inside = box.intersected(played.rect());
    for (int y = inside.top(); y <= inside.bottom() && !ink; ++y)
      for (int x = inside.left(); x <= inside.right() && !ink; ++x)
        ink = (played.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    if (!ink)
      return {QStringLiteral("no ink of the text colour in the text box at (%1, %2)")
                  .arg(box.x()).arg(box.y())};
  }
  return {};
}

TEST(GdiPlayback, EveryFilePlaysAsItsBitmap) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::vector<Symbol> symbols;
  std::vector<GdiPlay> plays;
  for (const Code &code : kCodes)
    for (const Look &look : kLooks)
      for (int scale = 1; scale <= 3; ++scale) {
        Symbol s;
        s.name = QStringLiteral("%1, %2, scale %3").arg(code.name, look.name).arg(scale);
        const auto bitmap = Draw(code, look, scale, picBMP);
        const auto meta = Draw(code, look, scale, picEMF);
        ASSERT_TRUE(bitmap->BarDisped() && meta->BarDisped()) << s.name.toStdString();
        s.bitmap = bitmap->Picture().BitmapOrNull()->copy();
        const TMetafile &metafile = *meta->Picture().MetafileOrNull();
        for (const MetafileRecord &r : metafile.Records())
          if (r.kind == MetafileRecord::Kind::Text) s.texts.emplace_back(TextBox(r), r.color.rgb());
        ASSERT_EQ(look.text || look.comments, !s.texts.empty()) << s.name.toStdString();
        const QString stem = QStringLiteral("s%1").arg(symbols.size());
        ASSERT_TRUE(WriteBytes(dir.filePath(stem + ".emf"), EncodeEnhancedMetafile(metafile, kDevice)));
        ASSERT_TRUE(WriteBytes(dir.filePath(stem + ".wmf"), EncodeWindowsMetafile(metafile, kDevice)));
        for (GdiMode mode : {GdiMode::Emf, GdiMode::Wmf, GdiMode::WmfAsEmf})
          plays.push_back({mode, stem + (mode == GdiMode::Emf ? ".emf" : ".wmf"),
                           stem + "-" + GdiModeName(mode) + ".bmp"});
        symbols.push_back(std::move(s));
      }

  const QString error = RunGdiPlayer(dir.path(), plays);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();

  int exact[3] = {};
  for (std::size_t i = 0; i < plays.size(); ++i) {
    const Symbol &s = symbols[i / 3];
    const GdiMode mode = plays[i].mode;
    const QImage played(dir.filePath(plays[i].output));
    const Comparison c = Compare(s, played);
    if (c.problem.isEmpty()) ++exact[static_cast<int>(mode)];
    EXPECT_TRUE(c.problem.isEmpty()) << GdiModeName(mode).toStdString() << " " << s.name.toStdString()
                                     << ": " << c.problem.toStdString();
    if (!c.problem.isEmpty() && qEnvironmentVariableIsSet("PLOMIX_KEEP_RENDERINGS")) {
      played.save(QStringLiteral("/tmp/gdi-%1.png").arg(plays[i].output));
      s.bitmap.save(QStringLiteral("/tmp/gdi-%1-bitmap.png").arg(plays[i].output));
    }
  }
  std::printf("GDI playback equal to the bitmap: EMF %d/%zu, WMF %d/%zu, WMF as EMF %d/%zu symbols\n",
              exact[0], symbols.size(), exact[1], symbols.size(), exact[2], symbols.size());
}

}  // namespace
}  // namespace plomix::test
