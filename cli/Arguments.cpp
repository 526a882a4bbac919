#include "cli/Arguments.h"

#include <algorithm>

#include "Common/Utf8.h"

namespace plomix::cli {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscape(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

}  // namespace

QString DecodeArgument(const QByteArray &bytes) {
  if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes);
  // Broken text: each sequence its lead byte claims is kept when Qt's decoder takes it,
  // otherwise its first byte becomes a marker and decoding goes on after it.
  QString out;
  out.reserve(bytes.size());
  for (qsizetype i = 0; i < bytes.size();) {
    const auto n = std::min<qsizetype>(Utf8LeadLength(static_cast<unsigned char>(bytes[i])), bytes.size() - i);
    const QByteArrayView sequence = QByteArrayView(bytes).sliced(i, n);
    if (static_cast<unsigned char>(bytes[i]) >= 0x80 && (n == 1 || !IsValidUtf8(sequence))) {
      out += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
      ++i;
      continue;
    }
    out += QString::fromUtf8(sequence);
    i += n;
  }
  return out;
}

QByteArray EncodeArgument(const QString &text) {
  QByteArray out;
  qsizetype runStart = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsEscape(text[i].unicode())) continue;
    out += text.mid(runStart, i - runStart).toUtf8();
    if (i < text.size()) out += static_cast<char>(text[i].unicode() - kEscapeBase);
    runStart = i + 1;
  }
  return out;
}

qsizetype InvalidUtf8Position(const QString &decoded) {
  for (qsizetype i = 0; i < decoded.size(); ++i)
    if (IsEscape(decoded[i].unicode())) return EncodeArgument(decoded.left(i)).size() + 1;
  return 0;
}

QStringList DecodeArguments(int argc, char **argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << DecodeArgument(QByteArray(argv[i]));
  return args;
}

}  // namespace plomix::cli
