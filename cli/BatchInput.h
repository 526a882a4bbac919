#pragma once
// The input of a batch: lines of bare codes or CSV records (code, upper comment, lower
// comment), in UTF-8 or Shift-JIS.
#include <QByteArray>
#include <QString>
#include <vector>

namespace plomix::cli {

// The whole of a batch's input: the file named by its bytes, or "-" for standard input.
// False with the system's reason in `error` when it cannot be opened or read.
bool ReadBatchInput(const QString &name, QByteArray &bytes, QString &error);

struct BatchLine {
  qsizetype line = 0;  // 1-based line where the record starts
  QString code, up, down;
  QString error;  // why this line cannot be used (broken quoting, broken text)
};

// The records of a batch's input. The input's bytes are kept as they are, with where each
// record starts and ends; a record is decoded when it is asked for, so that a large input
// takes little more memory than its own bytes.
class BatchInput {
 public:
  // UTF-8 when the bytes are valid UTF-8, else Shift-JIS; `encoding` ("sjis", "utf8")
  // chooses. Empty lines are skipped; a CR before LF is part of the line break.
  BatchInput(QByteArray input, bool csv, const QString &encoding);

  bool Utf8() const { return FUtf8; }
  std::size_t Count() const { return FRecords.size(); }
  qsizetype LineOf(std::size_t index) const { return FRecords[index].line; }
  BatchLine Record(std::size_t index) const;

 private:
  struct Span {
    qsizetype start = 0, end = 0;  // the record's bytes, line break excluded
    qsizetype line = 0;
  };
  void FindLines();
  void FindCsvRecords();

  QByteArray FInput;
  bool FCsv;
  bool FUtf8;
  std::vector<Span> FRecords;  // reserved for the count of line breaks: no regrowth
  bool FUnclosedQuote = false;  // the last CSV record's quoted field runs to the end
};

// The code made safe as one file-name component: path separators, control characters
// and characters file systems refuse become "_".
QString SafeFileNamePart(const QString &code);

}  // namespace plomix::cli
