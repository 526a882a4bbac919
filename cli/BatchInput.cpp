#include "cli/BatchInput.h"

#include <QStringDecoder>

#include "Common/ShiftJis.h"
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

// Read in slices, so that a large input is not held a second time as UTF-16. A slice
// ends before a character's continuation bytes, never through them.
bool IsValidUtf8(QByteArrayView bytes) {
  constexpr qsizetype kSlice = 1 << 16;
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  for (qsizetype start = 0; start < bytes.size();) {
    qsizetype end = std::min(start + kSlice, bytes.size());
    for (int back = 0; back < 3 && end < bytes.size() && end > start + 1 && (bytes[end] & 0xC0) == 0x80; ++back)
      --end;
    const QString slice = decoder.decode(bytes.sliced(start, end - start));
    if (decoder.hasError()) return false;
    start = end;
  }
  return true;
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

// RFC 4180 records: fields split by commas, quoted fields may hold commas, quotes ("")
// and line breaks.
void ReadCsv(QByteArrayView in, bool utf8, std::vector<BatchLine> &out) {
  qsizetype line = 1;
  qsizetype i = 0;
  while (i < in.size()) {
    BatchLine record;
    record.line = line;
    std::vector<QByteArray> fields(1);
    bool quoted = false, endOfRecord = false;
    while (i < in.size() && !endOfRecord) {
      const char c = in[i];
      if (quoted) {
        if (c == '"' && i + 1 < in.size() && in[i + 1] == '"') {
          fields.back() += '"';
          i += 2;
          continue;
        }
        if (c == '"') quoted = false;
        else {
          if (c == '\n') ++line;
          fields.back() += c;
        }
        ++i;
        continue;
      }
      if (c == '"' && fields.back().isEmpty()) quoted = true;
      else if (c == ',') fields.emplace_back();
      else if (c == '\n') endOfRecord = true;
      else if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') { /* part of the line break */ }
      else fields.back() += c;
      ++i;
    }
    if (endOfRecord) ++line;
    if (quoted) {
      record.error = QStringLiteral("a quoted field is not closed");
      out.push_back(record);
      return;
    }
    if (fields.size() == 1 && fields[0].isEmpty()) continue;  // an empty line
    if (fields.size() > 3)
      record.error = QStringLiteral("%1 fields; a line holds the code and at most two comments").arg(fields.size());
    for (const QByteArray &field : fields)
      if (field.size() > kMaxFieldBytes && record.error.isEmpty()) record.error = TooLong(field.size());
    record.code = DecodeField(fields[0], utf8);
    if (fields.size() > 1) record.up = DecodeField(fields[1], utf8);
    if (fields.size() > 2) record.down = DecodeField(fields[2], utf8);
    out.push_back(record);
  }
}

}  // namespace

std::vector<BatchLine> ReadBatchLines(const QByteArray &input, bool csv, const QString &encoding, bool &utf8) {
  utf8 = encoding.isEmpty() ? IsValidUtf8(input) : encoding == QLatin1String("utf8");
  QByteArrayView in(input);
  if (utf8 && in.startsWith("\xEF\xBB\xBF")) in = in.sliced(3);  // a byte-order mark
  std::vector<BatchLine> out;
  if (csv) {
    ReadCsv(in, utf8, out);
    return out;
  }
  qsizetype line = 0;
  for (qsizetype start = 0; start < in.size();) {
    qsizetype end = in.indexOf('\n', start);
    if (end < 0) end = in.size();
    ++line;
    QByteArrayView bytes = in.sliced(start, end - start);
    if (bytes.endsWith('\r')) bytes.chop(1);
    start = end + 1;
    if (bytes.isEmpty()) continue;
    out.push_back(BatchLine{line, DecodeField(bytes.toByteArray(), utf8), {}, {},
                            bytes.size() > kMaxFieldBytes ? TooLong(bytes.size()) : QString()});
  }
  return out;
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
