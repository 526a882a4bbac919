// The clipboard watch on the offscreen platform: which clipboard texts become the code,
// the Watch flag of the four events, and texts that must neither crash nor hang.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#include "BarImage/TBarImage.h"

namespace plomix::test {
namespace {

// Records every event as its name and Watch flag.
struct EventLog {
  std::vector<std::string> events;
  void Attach(TBarImage &bar) {
    bar.OnChangeCode = [this](TBarImage *, bool w) { events.push_back(w ? "ChangeCode+" : "ChangeCode-"); };
    bar.OnPaintBar = [this](TBarImage *, bool w) { events.push_back(w ? "PaintBar+" : "PaintBar-"); };
    bar.OnPaintedBar = [this](TBarImage *, bool w) { events.push_back(w ? "PaintedBar+" : "PaintedBar-"); };
    bar.OnChangedCode = [this](TBarImage *, bool w) { events.push_back(w ? "ChangedCode+" : "ChangedCode-"); };
  }
};

const std::vector<std::string> kWatchedChange{"ChangeCode+", "PaintBar+", "PaintedBar+", "ChangedCode+"};

void SetClipboardText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

class ClipboardWatch : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClipboardText(QStringLiteral("ALREADY"));
    bar.SetBarType(cbarCODE39);
    bar.SetCode("START");
    log.Attach(bar);
  }
  TBarImage bar;
  EventLog log;
};

TEST_F(ClipboardWatch, SwitchingOnSkipsTheTextAlreadyThereAndTakesTheNext) {
  bar.SetClipWatch(true);
  EXPECT_EQ(bar.Code(), "START") << "the text on the clipboard when the watch starts";
  EXPECT_TRUE(log.events.empty());
  SetClipboardText(QStringLiteral("NEXT-1"));
  EXPECT_EQ(bar.Code(), "NEXT-1");
  EXPECT_EQ(log.events, kWatchedChange) << "all four events carry Watch = True";
  EXPECT_TRUE(bar.BarDisped());
}

TEST_F(ClipboardWatch, OffAndOnAgainSkipsAgain) {
  bar.SetClipWatch(true);
  bar.SetClipWatch(false);
  SetClipboardText(QStringLiteral("WHILE-OFF"));
  EXPECT_EQ(bar.Code(), "START") << "no watch, no change";
  bar.SetClipWatch(true);
  EXPECT_EQ(bar.Code(), "START") << "switching on again skips the current text again";
  bar.SetClipWatch(true);  // on while on: nothing skipped, nothing joined twice
  SetClipboardText(QStringLiteral("AFTER"));
  EXPECT_EQ(bar.Code(), "AFTER");
  EXPECT_EQ(log.events, kWatchedChange) << "one connection only: one change, four events";
}

TEST_F(ClipboardWatch, ATextThatCannotBeEncodedStillBecomesTheCode) {
  bar.SetClipWatch(true);
  SetClipboardText(QStringLiteral("lower case"));
  EXPECT_EQ(bar.Code(), "lower case");
  EXPECT_FALSE(bar.BarDisped());
  EXPECT_EQ(log.events, kWatchedChange);
}

TEST_F(ClipboardWatch, PasteCodeCalledDirectlyCarriesWatchFalse) {
  SetClipboardText(QStringLiteral("BUTTON"));
  bar.PasteCode();
  EXPECT_EQ(bar.Code(), "BUTTON");
  EXPECT_EQ(log.events, (std::vector<std::string>{"ChangeCode-", "PaintBar-", "PaintedBar-", "ChangedCode-"}));
}

TEST_F(ClipboardWatch, AnErrorInAHandlerEndsOnlyThatNotification) {
  bar.SetClipWatch(true);
  bar.OnChangedCode = [](TBarImage *, bool) { throw std::runtime_error("handler failed"); };
  SetClipboardText(QStringLiteral("THROWS"));
  EXPECT_EQ(bar.Code(), "THROWS");
  bool watch = true;
  bar.OnChangedCode = [&watch](TBarImage *, bool w) { watch = w; };
  bar.SetCode("LATER");
  EXPECT_FALSE(watch) << "WatchFlag is back to False after the failed notification";
  SetClipboardText(QStringLiteral("AGAIN"));
  EXPECT_EQ(bar.Code(), "AGAIN") << "the watch goes on";
}

TEST_F(ClipboardWatch, NoTextOnTheClipboardChangesNothing) {
  bar.SetClipWatch(true);
  auto *data = new QMimeData;
  data->setImageData(QImage(4, 4, QImage::Format_RGB32));
  QGuiApplication::clipboard()->setMimeData(data);
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(bar.Code(), "START");
  EXPECT_TRUE(log.events.empty());
}

TEST(ClipboardWatchLifetime, DestroyingAWatchingSymbolLeavesTheWatch) {
  {
    TBarImage bar;
    bar.SetClipWatch(true);
  }
  SetClipboardText(QStringLiteral("AFTER-DESTRUCTION"));  // must not reach the freed symbol
  SUCCEED();
}

// Which clipboard text becomes the code, and which changes nothing.
struct PasteCase {
  const char *note;
  QString text;
  std::string code;  // the expected Code; "START" = unchanged, no events
};

void PrintTo(const PasteCase &c, std::ostream *os) { *os << c.note; }

std::vector<PasteCase> PasteCases() {
  const QString threeHundred = QString(300, QLatin1Char('7'));
  const QString big = QString(3 * 1024 * 1024, QLatin1Char('8')) + QStringLiteral("\r\nREST");
  return {
      {"two lines separated by CR LF: the first", QStringLiteral("LINE1\r\nLINE2"), "LINE1"},
      {"a lone LF is kept", QStringLiteral("AB\nCD"), "AB\nCD"},
      {"a lone CR is kept", QStringLiteral("AB\rCD"), "AB\rCD"},
      {"300 characters: the first 256", threeHundred, std::string(256, '7')},
      {"a double-byte character at byte 256 is not split", QString(255, QLatin1Char('1')) + QStringLiteral("あい"),
       std::string(255, '1')},
      {"Japanese text is taken as Shift-JIS", QStringLiteral("あA"), "\x82\xA0" "A"},
      {"a character Shift-JIS cannot hold becomes ?", QStringLiteral("A\U0001F600B"), "A?B"},
      {"NUL characters are kept as bytes", QStringLiteral("A") + QChar(0) + QStringLiteral("B"),
       std::string("A\0B", 3)},
      {"megabytes: the first line, cut to 256 bytes", big, std::string(256, '8')},
      {"CR LF first: empty, nothing changes", QStringLiteral("\r\nSECOND"), "START"},
      {"empty text changes nothing", QString(), "START"},
      {"the same text as the code changes nothing", QStringLiteral("START"), "START"},
      {"a different case is a different code", QStringLiteral("start"), "start"},
  };
}

class ClipboardPaste : public ::testing::TestWithParam<PasteCase> {};

TEST_P(ClipboardPaste, TakesTheFirstLineAtMost256Bytes) {
  const PasteCase &c = GetParam();
  SetClipboardText(QStringLiteral("ALREADY"));
  TBarImage bar;
  bar.SetBarType(cbarCODE39);
  bar.SetCode("START");
  EventLog log;
  log.Attach(bar);
  bar.SetClipWatch(true);
  SetClipboardText(c.text);
  EXPECT_EQ(bar.Code(), c.code) << c.note;
  if (c.code == "START") EXPECT_TRUE(log.events.empty()) << c.note;
  else EXPECT_EQ(log.events, kWatchedChange) << c.note;
}

INSTANTIATE_TEST_SUITE_P(Texts, ClipboardPaste, ::testing::ValuesIn(PasteCases()));

}  // namespace
}  // namespace plomix::test
