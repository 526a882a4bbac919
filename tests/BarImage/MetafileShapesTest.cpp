// How the recorded drawing becomes the shapes of a vector file: adjacent one-pixel bar
// columns merge into one rectangle; anything else stays as it was.
#include <gtest/gtest.h>

#include "PictureFiles/EmfWriter.h"
#include "PictureFiles/MetafileShapes.h"
#include "PictureFiles/WmfWriter.h"
#include "tests/support/MetafileReaders.h"

namespace plomix {
namespace {

struct ShapeCase {
  const char *note;
  std::vector<std::pair<QPoint, QPoint>> lines;  // all black unless noted
  QColor secondColor;                            // colour of the second line, when valid
  std::vector<QRect> rects;                      // expected rectangles, in order
  int slanted;                                   // expected slanted lines
};

void PrintTo(const ShapeCase &c, std::ostream *os) { *os << c.note; }

class MetafileShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(MetafileShapes, MergeOnlyNeighbouringColumnsOfOneBar) {
  const ShapeCase &c = GetParam();
  TMetafile meta;
  meta.SetSize(QSize(50, 50));
  for (std::size_t i = 0; i < c.lines.size(); ++i)
    meta.AddLine(c.lines[i].first, c.lines[i].second,
                 i == 1 && c.secondColor.isValid() ? c.secondColor : QColor(Qt::black));
  std::vector<QRect> rects;
  int slanted = 0;
  for (const MetafileShape &s : MetafileToShapes(meta)) {
    if (s.kind == MetafileShape::Kind::Rect) rects.push_back(s.rect);
    if (s.kind == MetafileShape::Kind::Line) ++slanted;
  }
  EXPECT_EQ(rects, c.rects) << c.note;
  EXPECT_EQ(slanted, c.slanted) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MetafileShapes,
    ::testing::Values(
        ShapeCase{"three columns of one bar: one rectangle 3 wide",
                  {{{5, 2}, {5, 12}}, {{6, 2}, {6, 12}}, {{7, 2}, {7, 12}}}, {}, {QRect(5, 2, 3, 10)}, 0},
        ShapeCase{"a gap between columns: two bars",
                  {{{5, 2}, {5, 12}}, {{7, 2}, {7, 12}}}, {}, {QRect(5, 2, 1, 10), QRect(7, 2, 1, 10)}, 0},
        ShapeCase{"another colour: not merged",
                  {{{5, 2}, {5, 12}}, {{6, 2}, {6, 12}}}, QColor(Qt::red),
                  {QRect(5, 2, 1, 10), QRect(6, 2, 1, 10)}, 0},
        ShapeCase{"another length: not merged",
                  {{{5, 2}, {5, 12}}, {{6, 2}, {6, 11}}}, {}, {QRect(5, 2, 1, 10), QRect(6, 2, 1, 9)}, 0},
        ShapeCase{"drawn upwards: the same pixels, end point excluded",
                  {{{5, 12}, {5, 2}}}, {}, {QRect(5, 2, 1, 10)}, 0},
        ShapeCase{"a horizontal line", {{{1, 4}, {9, 4}}}, {}, {QRect(1, 4, 8, 1)}, 0},
        ShapeCase{"a line without length draws nothing", {{{3, 3}, {3, 3}}}, {}, {}, 0},
        ShapeCase{"a slanted line stays a line", {{{0, 0}, {9, 9}}}, {}, {}, 1}));

TEST(MetafileShapes, ASlantedLineReachesBothFormats) {
  TMetafile meta;
  meta.SetSize(QSize(40, 40));
  meta.AddFillRect(QRect(0, 0, 40, 40), Qt::white);
  meta.AddLine(QPoint(0, 0), QPoint(39, 39), Qt::black);
  const TReferenceDevice device{96, 96, QSize(800, 600)};
  const QImage emf = test::RenderSvg(test::EmfToSvg(EncodeEnhancedMetafile(meta, device)));
  const QImage wmf = test::RenderSvg(test::WmfToSvg(EncodeWindowsMetafile(meta, device)));
  ASSERT_FALSE(emf.isNull());
  ASSERT_FALSE(wmf.isNull());
  EXPECT_LT(qGray(emf.pixel(20, 20)), 160) << "on the diagonal";
  EXPECT_GT(qGray(emf.pixel(30, 5)), 240) << "off the diagonal";
  EXPECT_LT(qGray(wmf.pixel(20, 20)), 200) << "on the diagonal";
  EXPECT_GT(qGray(wmf.pixel(30, 5)), 240) << "off the diagonal";
}

}  // namespace
}  // namespace plomix
