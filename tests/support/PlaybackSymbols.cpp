#include "tests/support/PlaybackSymbols.h"

#include <QFile>
#include <QFontMetrics>

#include "PictureFiles/MetafileShapes.h"
#include "Common/Fonts.h"
#include "tests/support/MetafileTestSymbols.h"

namespace plomix::test {

const std::vector<PlaybackCode> kPlaybackCodes = {
    {"JAN-13", cbarJAN, "490123456789"},          {"JAN-8", cbarJAN, "9638507"},
    {"UPC-A", cbarUPC, "03600029145"},            {"UPC-E", cbarUPC, "0123455"},
    {"Code 39", cbarCODE39, "PLOMIX-39"},         {"NW-7", cbarNW7, "40156"},
    {"ITF", cbarITF, "12345678"},                 {"industrial 2 of 5", cbarCTF, "1234567"},
    {"IATA 2 of 5", cbarIATA, "1234567"},         {"Matrix 2 of 5", cbarMATRIX, "1234567"},
    {"NEC 2 of 5", cbarNEC, "1234567"},           {"customer", cbarCUSTOMER, "100-0013"},
    {"Code 128", cbarCODE128, "Plomix-128", 'B'}, {"Code 93", cbarCODE93, "PLOMIX-93"},
};

const std::vector<PlaybackLook> kPlaybackLooks = {
    {"bars only", false, false, 0, 0, 0, false},
    {"with text", true, false, 0, 0, 0, false},
    {"text, comments, frame, margins", true, true, 3, 12, 0, false},
    {"colours, frame, margins, offset", true, true, 2, 7, 5, true},
};

namespace {

std::unique_ptr<TBarImage> Draw(const PlaybackCode &code, const PlaybackLook &look, int scale,
                                TPictures picture) {
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

// The box a text may ink: its cell (its advances wide, its font's line high) and its
// glyphs' bounds, which can pass the cell, with a pixel around for smoothed edges.
QRect TextBox(const MetafileRecord &r) {
  int width = 0;
  for (int a : CharacterAdvances(r.text, *r.font)) width += a;
  const QFontMetrics metrics(*r.font);
  const QRect cell(r.origin, QSize(width, metrics.height()));
  const QRect glyphs = metrics.boundingRect(r.text).translated(r.origin + QPoint(0, metrics.ascent()));
  return cell.united(glyphs).adjusted(-1, -1, 1, 1);
}

bool IsInk(QRgb p) { return qGray(p) < 128; }

}  // namespace

PlaybackSymbol DrawPlaybackSymbol(const PlaybackCode &code, const PlaybackLook &look, int scale) {
  return PlaybackSymbolOf(QStringLiteral("%1, %2, scale %3").arg(code.name, look.name).arg(scale),
                          *Draw(code, look, scale, picBMP), *Draw(code, look, scale, picEMF));
}

PlaybackSymbol PlaybackSymbolOf(const QString &name, const TBarSymbol &bitmap, const TBarSymbol &meta) {
  PlaybackSymbol s;
  s.name = name;
  if (!bitmap.BarDisped() || !meta.BarDisped() || !meta.Picture().MetafileOrNull() ||
      !bitmap.Picture().BitmapOrNull())
    return s;
  s.bitmap = bitmap.Picture().BitmapOrNull()->copy();
  s.metafile = *meta.Picture().MetafileOrNull();
  for (const MetafileRecord &r : s.metafile.Records())
    if (r.kind == MetafileRecord::Kind::Text) s.texts.emplace_back(TextBox(r), r.color.rgb());
  return s;
}

PlaybackSymbol GoldenPlaybackSymbol() {
  const MetafileSymbolCase &c = kMetafileSymbols[0];
  return PlaybackSymbolOf(QStringLiteral("golden %1").arg(QString::fromUtf8(c.note)),
                          *MakeFramedSymbol(c, picBMP), *MakeFramedSymbol(c, picEMF));
}

QString GoldenEmfPath() { return QStringLiteral(PLOMIX_TEST_DATA "/code39-framed.emf"); }
QString GoldenWmfPath() { return QStringLiteral(PLOMIX_TEST_DATA "/code39-framed.wmf"); }

QString ComparePlayback(const PlaybackSymbol &s, const QImage &played, Match match) {
  if (played.isNull()) return QStringLiteral("no playback");
  // The metafile's picture is one pixel wider and higher than the bitmap, the extra
  // column and row left unpainted: white in the player's bitmap.
  if (played.size() != s.bitmap.size() + QSize(1, 1))
    return QStringLiteral("size %1x%2, bitmap %3x%4")
        .arg(played.width()).arg(played.height()).arg(s.bitmap.width()).arg(s.bitmap.height());
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
    for (int x = 0; x < played.width(); ++x) {
      if (mask.pixelIndex(x, y) != 0) continue;
      const QRgb a = played.pixel(x, y), b = expected.pixel(x, y);
      const bool same = match == Match::Exact ? (a & 0xFFFFFF) == (b & 0xFFFFFF) : IsInk(a) == IsInk(b);
      if (!same && differing++ == 0) first = QPoint(x, y);
    }
  if (differing > 0)
    return QStringLiteral("%1 pixels differ outside the text, first at (%2, %3): %4 instead of %5")
        .arg(differing).arg(first.x()).arg(first.y())
        .arg(played.pixel(first) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
        .arg(expected.pixel(first) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
  for (const auto &[box, colour] : s.texts) {
    bool ink = false;
    const QRect inside = box.intersected(played.rect());
    for (int y = inside.top(); y <= inside.bottom() && !ink; ++y)
      for (int x = inside.left(); x <= inside.right() && !ink; ++x)
        ink = match == Match::Exact ? (played.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)
                                    : IsInk(played.pixel(x, y));
    if (!ink) return QStringLiteral("no ink in the text box at (%1, %2)").arg(box.x()).arg(box.y());
  }
  return {};
}

bool WriteBytes(const QString &path, const std::string &bytes) {
  QFile file(path);
  return !bytes.empty() && file.open(QIODevice::WriteOnly) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

}  // namespace plomix::test
