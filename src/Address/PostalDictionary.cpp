#include "Address/PostalDictionary.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <numeric>

#include "Address/AddressText.h"

namespace plomix::address {
namespace {

// True when the bytes are valid UTF-8 (Shift-JIS Japanese practically never is).
bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > s.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

std::optional<std::string> Cp932ToUtf8(std::string_view bytes, std::string &error) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    error = "Shift-JIS cannot be read on this system (iconv has no CP932)";
    return std::nullopt;
  }
  std::string out(bytes.size() * 3 / 2 + 16, '\0');
  char *in = const_cast<char *>(bytes.data());
  std::size_t inLeft = bytes.size();
  char *outPtr = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
      out.resize(out.size() * 2);
      outPtr = out.data() + used;
      outLeft = out.size() - used;
    } else {  // a byte that is not Shift-JIS: kept as "?" so that its line still counts
      *outPtr++ = '?';
      --outLeft;
      ++in;
      --inLeft;
    }
  }
  out.resize(static_cast<std::size_t>(outPtr - out.data()));
  iconv_close(cd);
  return out;
}

// The fields of one CSV line; quotes around a field are dropped ("" is a quote).
void SplitCsv(std::string_view line, std::vector<std::string_view> &fields, std::string &scratch) {
  fields.clear();
  scratch.clear();
  scratch.reserve(line.size());
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  std::size_t i = 0;
  while (true) {
    const std::size_t start = scratch.size();
    if (i < line.size() && line[i] == '"') {
      ++i;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            scratch.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        scratch.push_back(line[i++]);
      }
      while (i < line.size() && line[i] != ',') ++i;
    } else {
      while (i < line.size() && line[i] != ',') scratch.push_back(line[i++]);
    }
    spans.emplace_back(start, scratch.size() - start);
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  for (const auto &[start, length] : spans) fields.emplace_back(scratch.data() + start, length);
}

// The town name as it is matched against addresses.
PostalTown TownOf(std::string_view prefecture, std::string_view city, std::string_view town) {
  PostalTown entry{std::string(prefecture), std::string(city), {}, false};
  std::string name(town);
  if (const std::size_t open = name.find("（"); open != std::string::npos) name.resize(open);
  if (name == "以下に掲載がない場合") {
    entry.representative = true;
    name.clear();
  } else if (name.ends_with("の次に番地がくる場合") || (name.ends_with("一円") && name != "一円")) {
    name.clear();  // the address goes on with the number right after the city
  }
  entry.town = ToUtf8(FoldWidth(FromUtf8(name)));
  return entry;
}

std::optional<std::uint32_t> CodeNumber(std::string_view field) {
  if (field.size() != 7) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

}  // namespace

std::optional<PostalDictionary> PostalDictionary::Load(const std::string &path, std::string &error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open \"" + path + "\": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) {
    error = "cannot read \"" + path + "\": " + std::strerror(errno);
    return std::nullopt;
  }
  auto dictionary = FromBytes(bytes, error);
  if (!dictionary) error = "\"" + path + "\": " + error;
  return dictionary;
}

std::optional<PostalDictionary> PostalDictionary::FromBytes(std::string_view bytes, std::string &error) {
  std::string converted;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (!IsValidUtf8(bytes)) {
    auto utf8 = Cp932ToUtf8(bytes, error);
    if (!utf8) return std::nullopt;
    converted = std::move(*utf8);
    bytes = converted;
  }

  struct Row {
    std::uint32_t code;
    PostalTown town;
  };
  std::vector<Row> rows;
  rows.reserve(bytes.size() / 100);
  std::vector<std::string_view> fields;
  std::string scratch;
  std::string openTown;  // a town name whose note in parentheses goes on over the next lines
  std::uint32_t openCode = 0;
  std::string prefecture, city;
  for (std::size_t pos = 0; pos < bytes.size();) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    SplitCsv(line, fields, scratch);
    if (fields.size() < 9) continue;
    const auto code = CodeNumber(fields[2]);
    if (!code) continue;
    if (!openTown.empty() && *code == openCode) {
      openTown += fields[8];
    } else {
      if (!openTown.empty()) rows.push_back({openCode, TownOf(prefecture, city, openTown)});
      openTown.assign(fields[8]);
      openCode = *code;
      prefecture.assign(fields[6]);
      city.assign(fields[7]);
    }
    // A note opened and not yet closed continues on the next line of the same code.
    const std::size_t open = openTown.rfind("（");
    if (open != std::string::npos && openTown.find("）", open) == std::string::npos) continue;
    rows.push_back({openCode, TownOf(prefecture, city, openTown)});
    openTown.clear();
  }
  if (!openTown.empty()) rows.push_back({openCode, TownOf(prefecture, city, openTown)});
  if (rows.empty()) {
    error = "no postal-code lines (a KEN_ALL.CSV file has the seven-digit code in its third column)";
    return std::nullopt;
  }

  std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.code < b.code; });
  PostalDictionary dictionary;
  dictionary.FTowns.reserve(rows.size());
  for (Row &row : rows) {
    if (dictionary.FCodes.empty() || dictionary.FCodes.back() != row.code) {
      dictionary.FCodes.push_back(row.code);
      dictionary.FFirst.push_back(static_cast<std::uint32_t>(dictionary.FTowns.size()));
    }
    dictionary.FTowns.push_back(std::move(row.town));
  }
  dictionary.FFirst.push_back(static_cast<std::uint32_t>(dictionary.FTowns.size()));
  return dictionary;
}

std::span<const PostalTown> PostalDictionary::Find(std::string_view code) const {
  const auto number = CodeNumber(code);
  if (!number) return {};
  const auto it = std::lower_bound(FCodes.begin(), FCodes.end(), *number);
  if (it == FCodes.end() || *it != *number) return {};
  const auto i = static_cast<std::size_t>(it - FCodes.begin());
  return std::span<const PostalTown>(FTowns).subspan(FFirst[i], FFirst[i + 1] - FFirst[i]);
}

}  // namespace plomix::address
