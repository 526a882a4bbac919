#pragma once
// Reads a PDF back with poppler's command-line tools (pdfinfo, pdftotext), as a person
// checking a printout would: page count, text per page, words with their boxes.
#include <QString>
#include <vector>

namespace plomix::test {

struct PdfWord {
  int Page = 0;  // from 1
  double XMin = 0, YMin = 0, XMax = 0, YMax = 0;  // points from the page's top-left
  QString Text;
};

// "Pages:" of pdfinfo; -1 when the file cannot be read.
int PdfPageCount(const QString &pdf);
// Any "Name:" field of pdfinfo ("Title", "Page size"), trimmed.
QString PdfInfoField(const QString &pdf, const QString &name);
// The text of one page (from 1) or of all pages (0), laid out as on the page.
QString PdfLayoutText(const QString &pdf, int page = 0);
// Every word of the document with its box.
std::vector<PdfWord> PdfWords(const QString &pdf);

}  // namespace plomix::test
