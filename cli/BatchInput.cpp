#include "cli/BatchInput.h"

#include <QStringDecoder>
#include <utility>

#include "Common/ShiftJis.h"
#include "Common/Utf8.h"
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

// The fields of one RFC 4180 record: split by commas; a field that starts with a quote
// may hold commas, quotes ("") and line breaks.
std::vector<QByteArray> CsvFields(QByteArrayView in) {
  std::vector<QByteArray> fields(1);
  bool quoted = false, fieldStart = true;
  for (qsizetype i = 0; i < in.size(); ++i) {
    const char c = in[i];
    const bool atFieldStart = std::exchange(fieldStart, false);
    if (quoted) {
      if (c == '"' && i + 1 < in.size() && in[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"' && atFieldStart) {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
      fieldStart = true;
    } else if (!(c == '\r' && i + 1 < in.size() && in[i + 1] == '\n')) {
      fields.back() += c;
    }
  }
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
  const QByteArray &in = FInput;
  qsizetype line = 1;
  for (qsizetype i = 0; i < in.size();) {
    const qsizetype start = i, first = line;
    bool quoted = false, fieldStart = true;
    qsizetype end = in.size();
    for (; i < in.size(); ++i) {
      const char c = in[i];
      if (quoted) {
        if (c == '"' && i + 1 < in.size() && in[i + 1] == '"') ++i;
        else if (c == '"') quoted = false;
        else if (c == '\n') ++line;
        continue;
      }
      if (c == '"' && fieldStart) quoted = true;
      fieldStart = c == ',';
      if (c == '\n') {
        end = i++;
        ++line;
        break;
      }
    }
    if (quoted) {
      FRecords.push_back(Span{start, in.size(), first});
      FUnclosedQuote = true;
      return;
    }
    if (end > start && in[end - 1] == '\r') --end;
    if (end > start) FRecords.push_back(Span{start, end, first});
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

}  // namespace plomix::cli
