#pragma once
// Japan Post's postal-code file (KEN_ALL.CSV, Shift-JIS as published, or its UTF-8
// variant) indexed by postal code: for each code the prefecture, city and town names.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plomix::address {

struct PostalTown {
  std::string prefecture, city;
  // The town name without its note in parentheses, digits and letters half-width;
  // empty when the code covers the city without naming a town.
  std::string town;
  // "以下に掲載がない場合": the city's representative code.
  bool representative = false;
};

class PostalDictionary {
 public:
  // Reads and indexes the file. Nothing, with the reason in `error`, when it cannot be
  // read or holds no postal-code lines.
  static std::optional<PostalDictionary> Load(const std::string &path, std::string &error);
  // The same from the file's bytes (either encoding).
  static std::optional<PostalDictionary> FromBytes(std::string_view bytes, std::string &error);

  // Every town of the seven-digit code, in file order; empty when the code is unknown.
  std::span<const PostalTown> Find(std::string_view code) const;
  std::size_t CodeCount() const { return FCodes.size(); }
  std::size_t TownCount() const { return FTowns.size(); }

 private:
  // Codes ascending; the towns of FCodes[i] are FTowns[FFirst[i] .. FFirst[i + 1]).
  std::vector<std::uint32_t> FCodes;
  std::vector<std::uint32_t> FFirst;
  std::vector<PostalTown> FTowns;
};

}  // namespace plomix::address
