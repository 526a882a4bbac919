#include "Common/ShiftJis.h"

#include "Common/Utf8.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace plomix {
namespace {

// One iconv descriptor per direction and thread; opening one costs more than most texts.
class Converter {
 public:
  Converter(const char *to, const char *from) : FConverter(iconv_open(to, from)) {}
  ~Converter() {
    if (FConverter != reinterpret_cast<iconv_t>(-1)) iconv_close(FConverter);
  }
  Converter(const Converter &) = delete;
  Converter &operator=(const Converter &) = delete;

  // Converts `in`; at an unconvertible or invalid sequence, writes `replacement` and
  // skips `skipOnError(in, pos)` input bytes.
  template <typename Skip>
  std::string Run(std::string_view in, std::string_view replacement, Skip skipOnError) {
    std::string out;
    out.reserve(in.size() * 2 + 4);
    iconv(FConverter, nullptr, nullptr, nullptr, nullptr);
    std::size_t pos = 0;
    std::vector<char> buffer(in.size() * 4 + 16);
    while (pos < in.size()) {
      char *src = const_cast<char *>(in.data() + pos);
      std::size_t srcLeft = in.size() - pos;
      char *dst = buffer.data();
      std::size_t dstLeft = buffer.size();
      std::size_t rc = iconv(FConverter, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer.data(), dst - buffer.data());
      pos = in.size() - srcLeft;
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end)
      out.append(replacement);
      pos += skipOnError(in, pos);
      iconv(FConverter, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

  bool ok() const { return FConverter != reinterpret_cast<iconv_t>(-1); }

 private:
  iconv_t FConverter;
};

std::size_t Utf8SequenceLength(std::string_view s, std::size_t pos) {
  const auto c = static_cast<unsigned char>(s[pos]);
  std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  return std::min(n, s.size() - pos);
}

// An undecodable lead byte takes its trail byte with it only when that byte could be
// one; otherwise the next character (a space, a letter) survives.
std::size_t SjisSequenceLength(std::string_view s, std::size_t pos) {
  const auto c = static_cast<unsigned char>(s[pos]);
  if (!IsSjisLeadByte(c) || pos + 1 >= s.size()) return 1;
  const auto t = static_cast<unsigned char>(s[pos + 1]);
  return ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) ? 2 : 1;
}

}  // namespace

QString SjisToUnicode(std::string_view bytes) {
  if (bytes.empty()) return {};
  thread_local Converter toUtf8("UTF-8", "CP932");
  const std::string utf8 = toUtf8.Run(bytes, "\xEF\xBF\xBD", SjisSequenceLength);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string UnicodeToSjis(const QString &text) {
  if (text.isEmpty()) return {};
  thread_local Converter toSjis("CP932", "UTF-8");
  const QByteArray utf8 = text.toUtf8();
  return toSjis.Run(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                    "?", Utf8SequenceLength);
}

std::string_view SjisPrefix(std::string_view bytes, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t step =
        IsSjisLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size() ? 2 : 1;
    if (pos + step > maxBytes) break;
    pos += step;
  }
  return bytes.substr(0, pos);
}

}  // namespace plomix

namespace plomix {

bool IsUtf8RatherThanSjis(std::string_view bytes) {
  // Plain ASCII reads the same either way; text that is not UTF-8 is Shift-JIS.
  const auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  if (std::all_of(bytes.begin(), bytes.end(), isAscii)) return false;
  if (!IsValidUtf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())))) return false;
  // Valid UTF-8 with a sequence of three bytes or more (every kana and kanji) is UTF-8;
  // two-byte sequences alone are also valid Shift-JIS, so Shift-JIS must fail to read them.
  const auto startsLong = [](char c) { return static_cast<unsigned char>(c) >= 0xE0; };
  return std::any_of(bytes.begin(), bytes.end(), startsLong) || SjisToUnicode(bytes).contains(QChar(0xFFFD));
}

std::string Utf8ToSjis(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return UnicodeToSjis(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace plomix
