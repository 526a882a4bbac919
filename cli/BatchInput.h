#pragma once
// The input of a batch: lines of bare codes or CSV records (code, upper comment, lower
// comment), in UTF-8 or Shift-JIS.
#include <QByteArray>
#include <QString>
#include <vector>

namespace plomix::cli {

struct BatchLine {
  qsizetype line = 0;  // 1-based line where the record starts
  QString code, up, down;
  QString error;  // why this line cannot be used (broken quoting, broken text)
};

// UTF-8 when the bytes are valid UTF-8, else Shift-JIS; `encoding` ("sjis", "utf8")
// chooses. Empty lines are skipped; a CR before LF is part of the line break.
// `utf8` tells which was taken.
std::vector<BatchLine> ReadBatchLines(const QByteArray &input, bool csv, const QString &encoding, bool &utf8);

// The code made safe as one file-name component: path separators, control characters
// and characters file systems refuse become "_".
QString SafeFileNamePart(const QString &code);

}  // namespace plomix::cli
