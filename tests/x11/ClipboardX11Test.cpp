// The real clipboard between two programs on an X server (run under xvfb-run): another
// program (xclip) puts text there and the watching symbol takes it; xclip reads back the
// formats CopyBar offers, and they decode.
#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "BarImage/ClipboardFormats.h"
#include "BarSize/TBarSizeForm.h"
#include "Common/ShiftJis.h"
#include "tests/support/MetafileTestSymbols.h"
#include "tests/support/MetafileReaders.h"

namespace plomix::test {
namespace {

constexpr int kPatienceMs = 20000;  // a limit for a stuck X server, not a timing

// Runs xclip and keeps the event loop turning, so that this program can answer the
// requests xclip makes for the clipboard it owns.
QByteArray RunXclip(const QStringList &args, const QByteArray &input = {}) {
  QProcess xclip;
  xclip.start(QStringLiteral("xclip"), args);
  if (!xclip.waitForStarted()) return {};
  if (!input.isNull()) {
    xclip.write(input);
    xclip.closeWriteChannel();
  }
  QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, kPatienceMs);
  return xclip.readAllStandardOutput();
}

// Puts text on the clipboard with xclip and waits until this program has been told of
// the change, so that no notification is still on its way when a test goes on.
bool CopyTextWithXclip(const QByteArray &text) {
  bool changed = false;
  const QMetaObject::Connection connection = QObject::connect(
      QGuiApplication::clipboard(), &QClipboard::dataChanged, [&changed] { changed = true; });
  RunXclip({"-selection", "clipboard", "-i"}, text);
  const bool told = QTest::qWaitFor([&changed] { return changed; }, kPatienceMs);
  QObject::disconnect(connection);
  return told;
}

QByteArray ReadClipboardAs(const char *target) {
  return RunXclip({"-selection", "clipboard", "-o", "-t", QString::fromLatin1(target)});
}

TEST(X11Clipboard, TheWatchingSymbolTakesTextAnotherProgramCopied) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  ASSERT_TRUE(CopyTextWithXclip("ALREADY-THERE"));
  TBarImage bar;
  bar.SetBarType(cbarCODE39);
  bar.SetCode("START");
  std::vector<bool> watch;
  bar.OnChangedCode = [&watch](TBarImage *, bool w) { watch.push_back(w); };
  bar.SetClipWatch(true);
  EXPECT_EQ(bar.Code(), "START") << "the text there when the watch starts is skipped";

  ASSERT_TRUE(CopyTextWithXclip("FROM-XCLIP\r\nsecond line"));
  EXPECT_EQ(bar.Code(), "FROM-XCLIP");
  EXPECT_TRUE(bar.BarDisped());
  ASSERT_FALSE(watch.empty());
  EXPECT_TRUE(watch.back());
}

TEST(X11Clipboard, BadTextFromAnotherProgramNeitherCrashesNorHangs) {
  ASSERT_TRUE(CopyTextWithXclip("BEFORE"));
  TBarImage bar;
  bar.SetBarType(cbarCODE39);
  bar.SetCode("START");
  bar.SetClipWatch(true);
  // NUL bytes and bytes that are neither UTF-8 nor whole Shift-JIS.
  ASSERT_TRUE(CopyTextWithXclip(QByteArray("AB\0\xFF\x82", 5)));
  EXPECT_EQ(bar.Code().substr(0, 2), "AB");
  EXPECT_LE(bar.Code().size(), 256u);
  // Megabytes, which X hands over in increments.
  const QByteArray big = QByteArray(3 * 1024 * 1024, '8') + "\r\nREST";
  ASSERT_TRUE(CopyTextWithXclip(big));
  EXPECT_EQ(bar.Code(), std::string(256, '8'));
}

TEST(X11Clipboard, AnotherProgramReadsTheFormatsCopyBarOffers) {
  // Bitmap: an image, read as PNG.
  {
    const auto bar = MakeFramedSymbol(kMetafileSymbols[0], picBMP, 2);
    bar->CopyBar();
    const QImage png = QImage::fromData(ReadClipboardAs("image/png"), "PNG");
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(ReadWithZXing(png, kMetafileSymbols[0].format), kMetafileSymbols[0].read);
  }
  // Enhanced metafile: the EMF bytes under both names, and a PNG rendering.
  {
    const MetafileSymbolCase &c = kMetafileSymbols[2];
    const auto bar = MakeFramedSymbol(c, picEMF, 4);
    bar->CopyBar();
    const QString targets = QString::fromLatin1(ReadClipboardAs("TARGETS"));
    EXPECT_TRUE(targets.contains(QLatin1String(kMimeEmf))) << targets.toStdString();
    EXPECT_TRUE(targets.contains(QLatin1String(kMimeXEmf))) << targets.toStdString();
    EXPECT_TRUE(targets.contains(QLatin1String("image/png"))) << targets.toStdString();
    const QByteArray emf = ReadClipboardAs(kMimeEmf);
    EXPECT_EQ(emf, ReadClipboardAs(kMimeXEmf));
    EXPECT_EQ(ReadWithZXing(RenderSvg(EmfToSvg(emf.toStdString())), c.format), c.read) << c.note;
    const QImage png = QImage::fromData(ReadClipboardAs("image/png"), "PNG");
    EXPECT_EQ(ReadWithZXing(png, c.format), c.read) << c.note;
  }
  // Windows metafile picture: placeable WMF bytes under both names.
  {
    const MetafileSymbolCase &c = kMetafileSymbols[5];
    const auto bar = MakeFramedSymbol(c, picWMF, 4);
    bar->CopyBar();
    const QByteArray wmf = ReadClipboardAs(kMimeWmf);
    EXPECT_EQ(wmf, ReadClipboardAs(kMimeXWmf));
    EXPECT_TRUE(wmf.startsWith("\xD7\xCD\xC6\x9A")) << "placeable header";
    EXPECT_EQ(ReadWithZXing(RenderSvg(WmfToSvg(wmf.toStdString())), c.format), c.read) << c.note;
  }
}

// The size report's copy: another program reads the whole text, header first, with its
// CR LF line ends, as UTF-8.
TEST(X11Clipboard, AnotherProgramReadsTheSizeReportCopy) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QStringLiteral("/dev/null"));
  TBarSizeForm form({120, 40, 2, 100}, &printer);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.Copy1->trigger();
  const QByteArray text = ReadClipboardAs("UTF8_STRING");
  EXPECT_EQ(text, SjisToUnicode(form.ReportText()).toUtf8());
  EXPECT_TRUE(text.startsWith(QString::fromUtf8("///// 現在のバーコードのサイズ情報 /////\r\n\r\n\r\n").toUtf8()));
  EXPECT_TRUE(text.contains(QString::fromUtf8("    120×40 pixel\r\n").toUtf8()));
}

}  // namespace
}  // namespace plomix::test
