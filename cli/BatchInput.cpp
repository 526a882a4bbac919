#include "cli/BatchInput.h"

#include <QFile>
#include <QStringDecoder>
#include <cstdio>
#include <utility>

#include "Common/ShiftJis.h"
#include "Common/Utf8.h"
#include "Records/DelimitedText.h"
#include "cli/Arguments.h"

namespace plomix::cli {
namespace {

// The longest code or comment a line may hold: as long as one argument on the command
// line can be (Linux's MAX_ARG_STRLEN), so a batch draws what single mode can. Longer text
// would make a picture far over every size limit, and only after costly encoding.
constexpr qsizetype kMaxFieldBytes = 128 * 1024;

QString TooLong(qsizetype bytes) {
  return QStringLiteral("%1 bytes in one field; a code or comment holds at most %2 bytes").arg(bytes).arg(kMaxFieldBytes);
}

// One field of a line in the input's encoding. Bytes that are not valid in it are kept
// as markers, so the line is refused with their position instead of drawn changed.
QString DecodeField(const QByteArray &bytes, bool utf8) {
  if (utf8) return DecodeArgument(bytes);
  const QString text = SjisToUnicode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!text.contains(QChar::ReplacementCharacter)) return text;
  // Mark each byte of the broken sequence, as for broken UTF-8.
  QString marked;
  for (char c : bytes) marked += static_cast<unsigned char>(c) < 0x80 ? QChar(c) : QChar(char16_t(0xDC00 + static_cast<unsigned char>(c)));
  return marked;
}

std::vector<QByteArray> CsvFields(QByteArrayView in) {
  std::vector<QByteArray> fields;
  for (std::string &field : SplitDelimitedFields(std::string_view(in.data(), static_cast<std::size_t>(in.size())), kCsvSeparator))
    fields.emplace_back(QByteArray::fromStdString(field));
  return fields;
}

}  // namespace

BatchInput::BatchInput(QByteArray input, bool csv, const QString &encoding) : FInput(std::move(input)), FCsv(csv) {
  FUtf8 = encoding.isEmpty() ? IsValidUtf8(FInput) : encoding == QLatin1String("utf8");
  if (FUtf8 && FInput.startsWith("\xEF\xBB\xBF")) FInput.remove(0, 3);  // a byte-order mark
  // At most one record a line: the spans never grow (and copy) past the input's lines.
  FRecords.reserve(static_cast<std::size_t>(FInput.count('\n')) + 1);
  if (csv) FindCsvRecords();
  else FindLines();
}

void BatchInput::FindLines() {
  qsizetype line = 0;
  for (qsizetype start = 0; start < FInput.size();) {
    qsizetype end = FInput.indexOf('\n', start);
    if (end < 0) end = FInput.size();
    ++line;
    const qsizetype next = end + 1;
    if (end > start && FInput[end - 1] == '\r') --end;
    if (end > start) FRecords.push_back(Span{start, end, line});
    start = next;
  }
}

// Record boundaries only: a line break inside quotes belongs to the record.
void BatchInput::FindCsvRecords() {
  const std::string_view in(FInput.constData(), static_cast<std::size_t>(FInput.size()));
  qsizetype line = 1;
  for (std::size_t start = 0; start < in.size();) {
    const TDelimitedSpan span = NextDelimitedRecord(in, start, kCsvSeparator);
    if (span.Unclosed) {
      FRecords.push_back(Span{static_cast<qsizetype>(span.Start), FInput.size(), line});
      FUnclosedQuote = true;
      return;
    }
    if (span.End > span.Start)
      FRecords.push_back(Span{static_cast<qsizetype>(span.Start), static_cast<qsizetype>(span.End), line});
    line += static_cast<qsizetype>(span.LineBreaks);
    start = span.Next;
  }
}

BatchLine BatchInput::Record(std::size_t index) const {
  const Span &span = FRecords[index];
  BatchLine record;
  record.line = span.line;
  const QByteArrayView bytes(FInput.constData() + span.start, span.end - span.start);
  if (FUnclosedQuote && index + 1 == FRecords.size()) {
    record.error = QStringLiteral("a quoted field is not closed");
    return record;
  }
  // A line too long to draw is not decoded at all.
  if (!FCsv) {
    if (bytes.size() > kMaxFieldBytes) record.error = TooLong(bytes.size());
    else record.code = DecodeField(bytes.toByteArray(), FUtf8);
    return record;
  }
  const std::vector<QByteArray> fields = CsvFields(bytes);
  for (const QByteArray &field : fields) {
    if (field.size() > kMaxFieldBytes) {
      record.error = TooLong(field.size());
      return record;
    }
  }
  if (fields.size() > 3)
    record.error = QStringLiteral("%1 fields; a line holds the code and at most two comments").arg(fields.size());
  record.code = DecodeField(fields[0], FUtf8);
  if (fields.size() > 1) record.up = DecodeField(fields[1], FUtf8);
  if (fields.size() > 2) record.down = DecodeField(fields[2], FUtf8);
  return record;
}

QString SafeFileNamePart(const QString &code) {
  QString out = code;
  for (QChar &c : out) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F || (u >= 0xDC80 && u <= 0xDCFF) || QStringView(u"/\\:*?\"<>|").contains(c)) c = u'_';
  }
  if (out == QLatin1String(".") || out == QLatin1String("..")) out.fill(u'_');
  return out;
}

bool ReadBatchInput(const QString &name, QByteArray &bytes, QString &error) {
  QFile file;
  const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                  : (file.setFileName(QFile::decodeName(EncodeArgument(name))),
                                                     file.open(QIODevice::ReadOnly));
  if (!opened) {
    error = file.errorString();
    return false;
  }
  bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace plomix::cli
