#pragma once
// Byte keys for the record collation: the locale's order without regard to letter case,
// as one byte string per text, so that a sort compares bytes instead of texts.
#include <QLocale>
#include <string>
#include <string_view>
#include <vector>

struct UCollator;

namespace plomix {

class TCollationKeyMaker {
 public:
  // The collation of `locale`, case ignored: ICU's, set up as QCollator sets up its own,
  // or, for the C locale (or a locale ICU cannot open), Unicode case folding.
  explicit TCollationKeyMaker(const QLocale &locale = QLocale());
  ~TCollationKeyMaker();
  // The same collation with a collator of its own, for another thread.
  TCollationKeyMaker(const TCollationKeyMaker &other);
  TCollationKeyMaker &operator=(const TCollationKeyMaker &) = delete;

  // Appends the key of `sjis` (Shift-JIS bytes) to `block`. Two texts compare as their
  // keys do byte by byte, a key that is a prefix of the other first. The empty text's key
  // is empty and so comes first; every other text's key is at least one byte long.
  void AppendKey(std::string_view sjis, std::string &block);

 private:
  UCollator *FCollator = nullptr;  // null: case folding
  std::vector<char16_t> FUnits;     // the text in UTF-16, reused from text to text
  std::vector<unsigned char> FKey = std::vector<unsigned char>(256);  // ICU's key of one text
};

}  // namespace plomix
