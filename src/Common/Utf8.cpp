#include "Common/Utf8.h"

#include <QStringDecoder>
#include <algorithm>

namespace plomix {

bool IsValidUtf8(QByteArrayView bytes) {
  constexpr qsizetype kSlice = 1 << 16;
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  for (qsizetype start = 0; start < bytes.size();) {
    // A slice ends before a character's continuation bytes, never through them.
    qsizetype end = std::min(start + kSlice, bytes.size());
    for (int back = 0; back < 3 && end < bytes.size() && end > start + 1 && (bytes[end] & 0xC0) == 0x80; ++back)
      --end;
    const QString slice = decoder.decode(bytes.sliced(start, end - start));
    if (decoder.hasError()) return false;
    start = end;
  }
  return true;
}

int Utf8LeadLength(unsigned char lead) {
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace plomix
