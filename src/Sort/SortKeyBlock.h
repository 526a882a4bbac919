#pragma once
// The collation keys of a run of records in one contiguous block, compared as bytes.
// Each record has a 16-byte slot: the key's first eight bytes as one number, and where
// the rest lies. Most comparisons end at the first eight bytes without reading the
// block; exchanging two records exchanges their slots only.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace plomix {

class TSortKeyBlock {
 public:
  // Reserves room for `count` keys of about `bytesEach` bytes.
  void Reserve(std::size_t count, std::size_t bytesEach) {
    FSlots.reserve(count);
    FBytes.reserve(count * bytesEach);
  }

  // Appends the next record's key through `append(std::string &block)`, which adds the
  // key's bytes at the end of the block.
  template <class Append>
  void Add(Append &&append) {
    const std::size_t start = FBytes.size();
    append(FBytes);
    Slot slot;
    slot.Offset = static_cast<std::uint32_t>(start);
    slot.Length = static_cast<std::uint32_t>(FBytes.size() - start);
    unsigned char head[8] = {};
    std::memcpy(head, FBytes.data() + start, std::min<std::size_t>(slot.Length, 8));
    for (unsigned char byte : head) slot.Head = (slot.Head << 8) | byte;
    FSlots.push_back(slot);
  }

  // Appends the keys of `other` after this block's.
  void Append(const TSortKeyBlock &other) {
    const std::size_t base = FBytes.size();
    FBytes.append(other.FBytes);
    FSlots.reserve(FSlots.size() + other.FSlots.size());
    for (Slot slot : other.FSlots) {
      slot.Offset += static_cast<std::uint32_t>(base);
      FSlots.push_back(slot);
    }
  }

  std::size_t Count() const { return FSlots.size(); }
  std::string_view Key(std::size_t i) const { return {FBytes.data() + FSlots[i].Offset, FSlots[i].Length}; }

  // -1, 0 or +1: the keys of records i and j byte by byte, a prefix before the longer key.
  int Compare(std::size_t i, std::size_t j) const {
    const Slot &a = FSlots[i];
    const Slot &b = FSlots[j];
    // The heads hold the first eight bytes, zero-padded: when they differ, so do the keys
    // there; when they agree, the keys agree over their first min(length, 8) bytes.
    if (a.Head != b.Head) return a.Head < b.Head ? -1 : 1;
    const std::uint32_t common = std::min(a.Length, b.Length);
    if (common > 8) {
      const int order = std::memcmp(FBytes.data() + a.Offset + 8, FBytes.data() + b.Offset + 8, common - 8);
      if (order != 0) return order < 0 ? -1 : 1;
    }
    return (a.Length > b.Length) - (a.Length < b.Length);
  }

  void Exchange(std::size_t i, std::size_t j) { std::swap(FSlots[i], FSlots[j]); }

 private:
  struct Slot {
    std::uint64_t Head = 0;  // the first eight bytes, the first one highest
    std::uint32_t Offset = 0;
    std::uint32_t Length = 0;
  };
  std::vector<Slot> FSlots;
  std::string FBytes;
};

}  // namespace plomix
