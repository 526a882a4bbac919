#pragma once
// Prints the size report: 12-point text from one sixteenth of the sheet in, lines broken
// at word boundaries, on as many pages as the text needs.
#include <QRect>
#include <QString>
#include <QStringList>

#include "PrintTxt/PrinterInfo.h"

class QFont;
class QPaintDevice;
class QPrinter;

namespace plomix {

// Where the report is written, in a printer painter's coordinates (origin at the
// printable area's corner): from (PW / 16, PH / 16) to (PW, PH), kept inside the
// printable area so that no line runs off the sheet.
QRect SizeReportArea(const PrinterInfo &info);

// The lines of `text` (paragraphs separated by LF) broken at word boundaries so that
// each fits `width` pixels of `font` on `device`; an empty paragraph is an empty line.
QStringList WrapReportLines(const QString &text, const QFont &font, QPaintDevice *device, int width);

// One print job of `text` on `printer`. A PDF printer's file is written whole or not at
// all. False with the reason in `error` when the job could not be printed.
bool PrintSizeReport(QPrinter &printer, const QString &text, QString *error);

}  // namespace plomix
