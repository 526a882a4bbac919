// TBarImage's setter rules, events, batch update, validation mode and ClearOption.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BarImage/TBarImage.h"

namespace plomix {
namespace {

// Counts drawings through OnPaintBar and records the event order.
struct EventLog {
  std::vector<std::string> events;
  int paints() const {
    int n = 0;
    for (const auto &e : events) n += e == "PaintBar";
    return n;
  }
  void Attach(TBarImage &bar) {
    auto log = [this](const char *name) {
      return [this, name](TBarImage *, bool watch) {
        events.push_back(std::string(name) + (watch ? "!" : ""));
      };
    };
    bar.OnChangeCode = log("ChangeCode");
    bar.OnPaintBar = log("PaintBar");
    bar.OnPaintedBar = log("PaintedBar");
    bar.OnChangedCode = log("ChangedCode");
  }
};

// A Code 39 symbol drawn once, so that every later change can be seen to redraw or not.
struct Fixture {
  TBarImage bar;
  EventLog log;
  Fixture() {
    bar.resize(100, 100);
    bar.SetMatch(true);
    bar.SetBarType(cbarCODE39);
    bar.SetCode("ABC");
    log.Attach(bar);
  }
};

TEST(TBarImageSetters, InitialValues) {
  TBarImage bar;
  EXPECT_EQ(bar.BarType(), cbarJAN);
  EXPECT_EQ(bar.Code(), "");
  EXPECT_EQ(bar.CommentUpLoc(), locLeft);
  EXPECT_EQ(bar.CommentDownLoc(), locLeft);
  EXPECT_EQ(bar.StartChar(), 'A');
  EXPECT_EQ(bar.StopChar(), 'A');
  EXPECT_FALSE(bar.CD());
  EXPECT_EQ(bar.CDC(), "");
  EXPECT_EQ(bar.CDN(), -1);
  EXPECT_EQ(bar.Scale(), 1);
  EXPECT_EQ(bar.Angle(), 0);
  EXPECT_FALSE(bar.Reverse());
  EXPECT_TRUE(bar.SymbolDisp());
  EXPECT_FALSE(bar.Transparent());
  EXPECT_EQ(bar.BarColor(), 0);
  EXPECT_EQ(bar.BackColor(), 0xFFFFFF);
  EXPECT_EQ(bar.BarWidth(), 0);
  EXPECT_EQ(bar.BarHeight(), 105);
  EXPECT_EQ(bar.BarLeft(), 0);
  EXPECT_EQ(bar.BarTop(), 0);
  EXPECT_EQ(bar.BarSpaceUp(), 0);
  EXPECT_EQ(bar.BarSpaceDown(), 0);
  EXPECT_EQ(bar.BarSpaceLeft(), 10);
  EXPECT_EQ(bar.BarSpaceRight(), 10);
  EXPECT_FALSE(bar.Match());
  EXPECT_EQ(bar.BarPicture(), picBMP);
  EXPECT_EQ(bar.ElementRatio(), 20);
  EXPECT_TRUE(bar.BarEnabled());
  EXPECT_FALSE(bar.BarDebug());
  EXPECT_FALSE(bar.BarDisped());
  EXPECT_FALSE(bar.ClearOption());
  EXPECT_EQ(bar.BarFrame(), 0);
  EXPECT_FALSE(bar.ClipWatch());
  EXPECT_FALSE(bar.Picture().HasGraphic()) << "nothing is drawn at construction";
}

// Which changes redraw: a row per setter, with the symbology in force.
struct RedrawCase {
  const char *note;
  TBarTypes type;
  std::function<void(TBarImage &)> change;
  int paints;
};

class RedrawRules : public ::testing::TestWithParam<RedrawCase> {};

TEST_P(RedrawRules, RedrawsOnlyWhereTheSymbolCanChange) {
  const RedrawCase &c = GetParam();
  Fixture f;
  f.bar.SetBarType(c.type);
  f.log.events.clear();
  c.change(f.bar);
  EXPECT_EQ(f.log.paints(), c.paints) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Setters, RedrawRules,
    ::testing::Values(
        RedrawCase{"BarType", cbarCODE39, [](TBarImage &b) { b.SetBarType(cbarNW7); }, 1},
        RedrawCase{"CommentUp", cbarCODE39, [](TBarImage &b) { b.SetCommentUp("x"); }, 1},
        RedrawCase{"CommentUpLoc without comment", cbarCODE39, [](TBarImage &b) { b.SetCommentUpLoc(locRight); }, 0},
        RedrawCase{"CommentUpLoc with comment", cbarCODE39,
                   [](TBarImage &b) { b.SetBarEnabled(false); b.SetCommentUp("x"); b.SetBarEnabled(true); b.SetCommentUpLoc(locRight); }, 2},
        RedrawCase{"CommentDownLoc without comment", cbarCODE39, [](TBarImage &b) { b.SetCommentDownLoc(locCenter); }, 0},
        RedrawCase{"StartChar for Code 39", cbarCODE39, [](TBarImage &b) { b.SetStartChar('B'); }, 0},
        RedrawCase{"StartChar for NW-7", cbarNW7, [](TBarImage &b) { b.SetStartChar('B'); }, 1},
        RedrawCase{"StartChar for Code 128", cbarCODE128, [](TBarImage &b) { b.SetStartChar('B'); }, 1},
        RedrawCase{"StopChar for Code 128", cbarCODE128, [](TBarImage &b) { b.SetStopChar('B'); }, 0},
        RedrawCase{"StopChar for NW-7", cbarNW7, [](TBarImage &b) { b.SetStopChar('C'); }, 1},
        RedrawCase{"CD for Code 39", cbarCODE39, [](TBarImage &b) { b.SetCD(true); }, 1},
        RedrawCase{"CD for JAN", cbarJAN, [](TBarImage &b) { b.SetCD(true); }, 0},
        RedrawCase{"CD for IATA", cbarIATA, [](TBarImage &b) { b.SetCD(true); }, 0},
        RedrawCase{"CD for NEC", cbarNEC, [](TBarImage &b) { b.SetCD(true); }, 1},
        RedrawCase{"CD for Code 93", cbarCODE93, [](TBarImage &b) { b.SetCD(true); }, 0},
        RedrawCase{"Angle 45 ignored", cbarCODE39, [](TBarImage &b) { b.SetAngle(45); }, 0},
        RedrawCase{"Angle 360 ignored", cbarCODE39, [](TBarImage &b) { b.SetAngle(360); }, 0},
        RedrawCase{"Angle 270", cbarCODE39, [](TBarImage &b) { b.SetAngle(270); }, 1},
        RedrawCase{"ElementRatio for JAN", cbarJAN, [](TBarImage &b) { b.SetElementRatio(25); }, 0},
        RedrawCase{"ElementRatio for NEC", cbarNEC, [](TBarImage &b) { b.SetElementRatio(25); }, 1},
        RedrawCase{"ElementRatio for customer", cbarCUSTOMER, [](TBarImage &b) { b.SetElementRatio(25); }, 0},
        RedrawCase{"BarHeight for customer", cbarCUSTOMER, [](TBarImage &b) { b.SetBarHeight(50); }, 0},
        RedrawCase{"BarHeight for Code 39", cbarCODE39, [](TBarImage &b) { b.SetBarHeight(50); }, 1},
        RedrawCase{"BarPicture with Match", cbarCODE39, [](TBarImage &b) { b.SetBarPicture(picEMF); }, 1},
        RedrawCase{"BarPicture without Match", cbarCODE39,
                   [](TBarImage &b) { b.SetMatch(false); b.SetBarPicture(picEMF); }, 1},
        RedrawCase{"BarDebug stores only", cbarCODE39, [](TBarImage &b) { b.SetBarDebug(true); }, 0},
        RedrawCase{"ClearOption never redraws", cbarCODE39, [](TBarImage &b) { b.SetClearOption(true); }, 0},
        RedrawCase{"ClipWatch never redraws", cbarCODE39, [](TBarImage &b) { b.SetClipWatch(false); }, 0},
        RedrawCase{"BarFont: own object", cbarCODE39, [](TBarImage &b) { b.SetBarFont(b.BarFont()); }, 0},
        RedrawCase{"BarFont: null", cbarCODE39, [](TBarImage &b) { b.SetBarFont(nullptr); }, 0},
        RedrawCase{"BarFont: another", cbarCODE39, [](TBarImage &b) { TFont f = *b.BarFont(); b.SetBarFont(&f); }, 1},
        RedrawCase{"BarFont without text", cbarCODE39,
                   [](TBarImage &b) { b.SetBarEnabled(false); b.SetSymbolDisp(false); b.SetBarEnabled(true); TFont f = *b.BarFont(); b.SetBarFont(&f); }, 1},
        RedrawCase{"margins", cbarCODE39, [](TBarImage &b) { b.SetBarSpaceUp(1); b.SetBarSpaceDown(1); b.SetBarSpaceLeft(1); b.SetBarSpaceRight(1); }, 4}));

struct CorrectionCase {
  const char *note;
  std::function<void(TBarImage &)> change;
  std::function<bool(const TBarImage &)> holds;
};

class Corrections : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(Corrections, OutOfSetValuesAreCorrectedSilently) {
  Fixture f;
  GetParam().change(f.bar);
  EXPECT_TRUE(GetParam().holds(f.bar)) << GetParam().note;
}

INSTANTIATE_TEST_SUITE_P(
    Setters, Corrections,
    ::testing::Values(
        CorrectionCase{"StartChar E stores A", [](TBarImage &b) { b.SetStartChar('D'); b.SetStartChar('E'); }, [](const TBarImage &b) { return b.StartChar() == 'A'; }},
        CorrectionCase{"StartChar '@' stores A", [](TBarImage &b) { b.SetStartChar('C'); b.SetStartChar('@'); }, [](const TBarImage &b) { return b.StartChar() == 'A'; }},
        CorrectionCase{"StartChar lower-case b stores A", [](TBarImage &b) { b.SetStartChar('b'); }, [](const TBarImage &b) { return b.StartChar() == 'A'; }},
        CorrectionCase{"StartChar D stored", [](TBarImage &b) { b.SetStartChar('D'); }, [](const TBarImage &b) { return b.StartChar() == 'D'; }},
        CorrectionCase{"StopChar Z stores A", [](TBarImage &b) { b.SetStopChar('C'); b.SetStopChar('Z'); }, [](const TBarImage &b) { return b.StopChar() == 'A'; }},
        CorrectionCase{"negative margins store 0", [](TBarImage &b) { b.SetBarSpaceUp(-1); b.SetBarSpaceDown(-5); b.SetBarSpaceLeft(-10); b.SetBarSpaceRight(-1); },
                       [](const TBarImage &b) { return b.BarSpaceUp() == 0 && b.BarSpaceDown() == 0 && b.BarSpaceLeft() == 0 && b.BarSpaceRight() == 0; }},
        CorrectionCase{"Angle 45 leaves the angle", [](TBarImage &b) { b.SetAngle(180); b.SetAngle(45); }, [](const TBarImage &b) { return b.Angle() == 180; }},
        CorrectionCase{"BarPicture without Match stays bitmap", [](TBarImage &b) { b.SetMatch(false); b.SetBarPicture(picEMF); }, [](const TBarImage &b) { return b.BarPicture() == picBMP; }},
        CorrectionCase{"Match off resets BarPicture", [](TBarImage &b) { b.SetBarPicture(picWMF); b.SetMatch(false); }, [](const TBarImage &b) { return b.BarPicture() == picBMP; }},
        CorrectionCase{"Transparent turns Match off and picture to bitmap", [](TBarImage &b) { b.SetBarPicture(picEMF); b.SetTransparent(true); },
                       [](const TBarImage &b) { return !b.Match() && b.BarPicture() == picBMP && b.Transparent(); }},
        CorrectionCase{"Match on turns Transparent off", [](TBarImage &b) { b.SetTransparent(true); b.SetMatch(true); }, [](const TBarImage &b) { return b.Match() && !b.Transparent(); }},
        CorrectionCase{"Transparent off keeps Match", [](TBarImage &b) { b.SetTransparent(false); }, [](const TBarImage &b) { return b.Match(); }}));

TEST(TBarImageEvents, CodeChangeFiresInOrderEvenWhenUnchanged) {
  Fixture f;
  f.bar.SetCode("ABC");
  EXPECT_EQ(f.log.events,
            (std::vector<std::string>{"ChangeCode", "PaintBar", "PaintedBar", "ChangedCode"}));
}

TEST(TBarImageEvents, OtherRedrawsFireOnlyThePaintEvents) {
  Fixture f;
  f.bar.SetScale(2);
  EXPECT_EQ(f.log.events, (std::vector<std::string>{"PaintBar", "PaintedBar"}));
}

TEST(TBarImageEvents, ChangeCodeSeesTheOldCodeAndChangedCodeTheDrawnOne) {
  Fixture f;
  std::string before, after;
  bool disped = false;
  f.bar.OnChangeCode = [&](TBarImage *s, bool) { before = s->Code(); };
  f.bar.OnChangedCode = [&](TBarImage *s, bool) { after = s->Symbol(); disped = s->BarDisped(); };
  f.bar.SetCode("XY");
  EXPECT_EQ(before, "ABC");
  EXPECT_EQ(after, "*XY*");
  EXPECT_TRUE(disped);
}

TEST(TBarImageBatch, DisabledDrawsNothingAndEnablingDrawsOnce) {
  Fixture f;
  f.bar.SetBarEnabled(false);
  f.bar.SetCode("XYZ");
  f.bar.SetScale(3);
  f.bar.SetCommentUp("up");
  f.bar.SetBarEnabled(false);
  EXPECT_EQ(f.log.paints(), 0);
  EXPECT_EQ(f.bar.Symbol(), "*ABC*") << "still the old drawing";
  f.bar.SetBarEnabled(true);
  EXPECT_EQ(f.log.paints(), 1);
  EXPECT_EQ(f.bar.Symbol(), "*XYZ*");
  f.bar.SetBarEnabled(true);
  EXPECT_EQ(f.log.paints(), 1) << "already enabled: nothing";
}

TEST(TBarImageValidation, DebugModeEncodesWithoutDrawing) {
  Fixture f;
  const QImage before = f.bar.Picture().Bitmap();
  const int width = f.bar.Width();
  f.bar.SetClearOption(true);
  f.bar.SetBarDebug(true);
  f.bar.SetCode("HELLO WORLD");
  EXPECT_TRUE(f.bar.BarDisped());
  EXPECT_EQ(f.bar.Symbol(), "*HELLO WORLD*");
  EXPECT_EQ(f.bar.Width(), width) << "nothing measured";
  EXPECT_EQ(f.bar.Picture().Bitmap(), before) << "nothing drawn";
  f.bar.SetCode("hello");
  EXPECT_FALSE(f.bar.BarDisped());
  EXPECT_TRUE(f.bar.Picture().HasGraphic()) << "validation never clears the picture";
}

TEST(TBarImageClearOption, UnencodableCodeKeepsOrClearsThePicture) {
  Fixture f;
  f.bar.SetCode("lower");
  EXPECT_FALSE(f.bar.BarDisped());
  EXPECT_EQ(f.bar.Symbol(), "");
  EXPECT_EQ(f.bar.CDN(), -1);
  EXPECT_TRUE(f.bar.Picture().HasGraphic()) << "ClearOption off: the old picture stays";
  f.bar.SetClearOption(true);
  EXPECT_FALSE(f.bar.Picture().HasGraphic()) << "turning it on with no symbol clears at once";
  f.bar.SetCode("OK");
  EXPECT_TRUE(f.bar.BarDisped());
  f.bar.SetCode("");
  EXPECT_FALSE(f.bar.BarDisped());
  EXPECT_FALSE(f.bar.Picture().HasGraphic()) << "an empty code clears too";
}

TEST(TBarImageClearOption, TurningOnWhileShownKeepsThePicture) {
  Fixture f;
  f.bar.SetClearOption(true);
  EXPECT_TRUE(f.bar.Picture().HasGraphic());
  f.bar.SetClearOption(false);
  f.bar.SetClearOption(true);
  EXPECT_TRUE(f.bar.Picture().HasGraphic());
}

struct CdcCase {
  const char *note;
  TBarTypes type;
  std::string code;
  bool cd;
  std::string cdc;
  int cdn;
};

class CheckDigitText : public ::testing::TestWithParam<CdcCase> {};

TEST_P(CheckDigitText, IsTheTextAfterTheCode) {
  const CdcCase &c = GetParam();
  Fixture f;
  f.bar.SetBarEnabled(false);
  f.bar.SetBarType(c.type);
  f.bar.SetCD(c.cd);
  f.bar.SetCode(c.code);
  f.bar.SetBarEnabled(true);
  EXPECT_EQ(f.bar.CDC(), c.cdc) << c.note;
  EXPECT_EQ(f.bar.CDN(), c.cdn) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Cdc, CheckDigitText,
    ::testing::Values(CdcCase{"Code 39 with check", cbarCODE39, "ABC", true, "X", 33},
                      CdcCase{"Code 39 without check", cbarCODE39, "ABC", false, "", -1},
                      CdcCase{"NW-7 with check: 16+6+16 = 38, 16 - 6 = 10", cbarNW7, "123", true, "-", 10},
                      CdcCase{"NW-7 without check", cbarNW7, "123", false, "", -1},
                      CdcCase{"nothing drawn", cbarCODE39, "abc", true, "", -1}));

}  // namespace
}  // namespace plomix
