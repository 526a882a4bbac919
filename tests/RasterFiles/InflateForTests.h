#pragma once
// What the tests of this folder check streams with: zlib's own inflater, and readable test
// names from the cases' notes.
#include <zlib.h>

#include <cctype>
#include <string>
#include <string_view>

namespace plomix::test {

enum class StreamKind { Zlib, RawDeflate };

// The whole stream inflated; "<refused>" when zlib refuses it (bad data or checksum) or
// finds bytes after its end.
inline std::string Inflated(std::string_view stream, StreamKind kind = StreamKind::Zlib) {
  z_stream z{};
  if (inflateInit2(&z, kind == StreamKind::Zlib ? 15 : -15) != Z_OK) return "<refused>";
  std::string out, chunk(65536, '\0');
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef *>(chunk.data());
    z.avail_out = static_cast<uInt>(chunk.size());
    result = inflate(&z, Z_NO_FLUSH);
    out.append(chunk.data(), chunk.size() - z.avail_out);
  }
  const bool whole = result == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return whole ? out : "<refused>";
}

// A case's note as a test name: letters and digits, the rest underscores.
inline std::string TestNameOf(std::string_view note) {
  std::string name;
  for (const char ch : note) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name;
}

}  // namespace plomix::test
