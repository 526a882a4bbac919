#pragma once
// The system's text is Shift-JIS (CP932) bytes; Unicode only at the edges.
#include <QString>
#include <string>
#include <string_view>

namespace plomix {

// CP932 bytes to Unicode. A byte sequence that is not valid Shift-JIS becomes U+FFFD.
QString SjisToUnicode(std::string_view bytes);

// Unicode to CP932 bytes. A character Shift-JIS cannot hold becomes "?".
std::string UnicodeToSjis(const QString &text);

// True for a byte that starts a double-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of `bytes` of at most `maxBytes` bytes that does not split a
// double-byte character.
std::string_view SjisPrefix(std::string_view bytes, std::size_t maxBytes);

}  // namespace plomix

namespace plomix {

// True for bytes that are UTF-8 text rather than Shift-JIS: valid UTF-8 with a
// character beyond ASCII, that either holds a three- or four-byte character (Japanese in
// UTF-8; Shift-JIS text is practically never valid UTF-8 then) or is not valid Shift-JIS.
bool IsUtf8RatherThanSjis(std::string_view bytes);

// UTF-8 bytes (a leading byte-order mark dropped) as Shift-JIS; "?" for what it cannot hold.
std::string Utf8ToSjis(std::string_view bytes);

}  // namespace plomix

namespace plomix {

// The index in `text` of the first character Shift-JIS cannot hold, or -1.
qsizetype FirstUnmappableSjis(const QString &text);

}  // namespace plomix
