#pragma once
// A zlib stream for picture rows in which most rows repeat the row above, as the rows
// of a bar code do. A repeated row costs a few bytes of back-reference and no scan of its
// bytes; a new row is packed by runs. The output is a standard zlib stream that any
// inflater reads.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plomix {

class RowDeflate {
 public:
  // Every row passed must have the same length.
  explicit RowDeflate(std::size_t rowLength);

  // A row of new bytes.
  void AddRow(std::string_view row);
  // The same bytes as the row before (zeros when there is none).
  void RepeatRow();
  // Ends the stream and returns it; the object is spent.
  std::string Finish();

 private:
  void Bits(std::uint64_t value, int count);
  void Literal(unsigned char byte);
  // `length` bytes copied from `distance` back.
  void Back(std::size_t length, std::size_t distance);
  void Runs(std::string_view row);

  std::size_t FRowLength;
  std::string FOut;
  std::uint64_t FBitBuffer = 0;
  int FBitCount = 0;
  unsigned long FAdler;
  unsigned long FRowAdler = 0;
  std::string FLastRow;
  std::vector<std::pair<std::uint64_t, int>> FRepeatCodes;  // the bits that copy a whole row
};

}  // namespace plomix
