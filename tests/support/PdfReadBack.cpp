#include "tests/support/PdfReadBack.h"

#include <QProcess>
#include <QRegularExpression>

namespace plomix::test {
namespace {

QString Run(const QString &program, const QStringList &args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

QString PdfInfoField(const QString &pdf, const QString &name) {
  const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
  const QRegularExpression field(QStringLiteral("^%1:\\s*(.*)$").arg(QRegularExpression::escape(name)),
                                 QRegularExpression::MultilineOption);
  const auto match = field.match(info);
  return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

int PdfPageCount(const QString &pdf) {
  bool ok = false;
  const int pages = PdfInfoField(pdf, QStringLiteral("Pages")).toInt(&ok);
  return ok ? pages : -1;
}

QString PdfLayoutText(const QString &pdf, int page) {
  QStringList args{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
  if (page > 0) args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
  return Run(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

std::vector<PdfWord> PdfWords(const QString &pdf) {
  const QString html = Run(QStringLiteral("pdftotext"),
                           {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                            QStringLiteral("-")});
  static const QRegularExpression tag(QStringLiteral(
      "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
  std::vector<PdfWord> words;
  int page = 0;
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      ++page;
      continue;
    }
    QString text = m.captured(5);
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                     m.captured(4).toDouble(), text});
  }
  return words;
}

}  // namespace plomix::test
