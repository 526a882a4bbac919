// The sort's byte keys: two texts' keys compare as the texts do, and the key block
// compares keys as plain byte strings whatever their length.
#include <gtest/gtest.h>

#include <QLocale>
#include <random>
#include <string>
#include <vector>

#include "Common/ShiftJis.h"
#include "Sort/CollationKey.h"
#include "Sort/RecordSort.h"
#include "Sort/SortKeyBlock.h"

namespace plomix {
namespace {

std::string S(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

int Sign(int value) { return (value > 0) - (value < 0); }

TSortKeyBlock BlockOf(const std::vector<std::string> &keys) {
  TSortKeyBlock block;
  for (const std::string &key : keys) block.Add([&key](std::string &bytes) { bytes += key; });
  return block;
}

TEST(SortKeyBlock, ComparesAsByteStrings) {
  struct Row { std::string a, b; const char *note; };
  using namespace std::string_literals;
  const Row rows[] = {
      {"", "", "two empty keys are equal"},
      {"", "\0"s, "the empty key before a zero byte"},
      {"A", "A\0"s, "a prefix first, though the head pads it with zeros"},
      {"ABCDEFGH", "ABCDEFGH\0"s, "a prefix of exactly eight bytes"},
      {"ABCDEFGHI", "ABCDEFGHJ", "a difference after the head"},
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOQ", "a difference in the last byte"},
      {"ABCDEFGHIJKL", "ABCDEFGHIJKLM", "longer keys, one a prefix of the other"},
      {"\x7F", "\x80", "bytes compare unsigned"},
      {"ABCDEFG\xFF", "ABCDEFGH", "the eighth byte unsigned"},
      {"ABCDEFGHI\xFF", "ABCDEFGHIA", "bytes after the head unsigned"},
      {"same key, long enough", "same key, long enough", "equal long keys"},
  };
  for (const Row &row : rows) {
    const TSortKeyBlock block = BlockOf({row.a, row.b});
    const int expected = Sign(std::string_view(row.a).compare(row.b));
    EXPECT_EQ(block.Compare(0, 1), expected) << row.note;
    EXPECT_EQ(block.Compare(1, 0), -expected) << row.note;
    EXPECT_EQ(block.Key(1), row.b) << row.note;
  }
}

TEST(SortKeyBlock, RandomKeysAndExchanges) {
  // Few distinct bytes and lengths around the head's eight bytes: many shared prefixes.
  std::mt19937 random(7);
  const char alphabet[] = {'\0', '\x01', 'a', '\xFF'};
  std::vector<std::string> keys;
  for (int i = 0; i < 300; ++i) {
    std::string key;
    for (int n = static_cast<int>(random() % 13); n > 0; --n) key += alphabet[random() % 4];
    keys.push_back(key);
  }
  TSortKeyBlock block = BlockOf(keys);
  for (int step = 0; step < 3000; ++step) {
    const std::size_t i = random() % keys.size(), j = random() % keys.size();
    ASSERT_EQ(block.Compare(i, j), Sign(keys[i].compare(keys[j]))) << i << " " << j;
    block.Exchange(i, j);
    std::swap(keys[i], keys[j]);
  }
}

// Texts whose order turns on case folding, width, kana, Shift-JIS's own characters and
// bytes that are not Shift-JIS at all.
std::vector<std::string> Pieces() {
  return {"a",       "A",       "b",       "Z",        "1",        "-",        " ",
          "\\",      "~",       "\x01",    "\x7F",     S("あ"),    S("ア"),    S("ｱ"),
          S("亜"),   S("ａ"),   S("Ａ"),   S("Σ"),     S("σ"),     S("Ё"),     S("ё"),
          S("Ⅰ"),    S("ⅰ"),    S("①"),   S("ー"),    S("゛"),    "\x83",     "\xFF\xFF",
          "prefix-shared-by-many-"};
}

struct LocaleScope {
  QLocale saved;
  explicit LocaleScope(const QLocale &locale) { QLocale::setDefault(locale); }
  ~LocaleScope() { QLocale::setDefault(saved); }
};

TEST(CollationKey, KeysOrderAsTheTextsCompare) {
  // The collation with letter case ignored, from the texts: QCollator's comparison.
  for (const char *name : {"ja_JP", "C", "en_US", "de_DE", "sv_SE", "zh_TW"}) {
    SCOPED_TRACE(name);
    const LocaleScope scope{QLocale(QString::fromLatin1(name))};
    const TRecordCollation collation;
    TCollationKeyMaker maker;
    const std::vector<std::string> pieces = Pieces();
    std::mt19937 random(3);
    std::vector<std::string> texts = {""};
    for (const std::string &piece : pieces) texts.push_back(piece);
    for (int i = 0; i < 400; ++i) {
      std::string text;
      for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) text += pieces[random() % pieces.size()];
      texts.push_back(text);
    }
    TSortKeyBlock block;
    for (const std::string &text : texts) block.Add([&](std::string &bytes) { maker.AppendKey(text, bytes); });
    for (std::size_t i = 0; i < texts.size(); ++i) {
      for (std::size_t j = i; j < texts.size(); j += 1 + random() % 7) {
        ASSERT_EQ(block.Compare(i, j), collation.CompareTexts(texts[i], texts[j]))
            << "\"" << texts[i] << "\" against \"" << texts[j] << "\"";
      }
    }
  }
}

TEST(CollationKey, LongTextsDifferingAtTheEnd) {
  // ICU's keys of these run past the maker's first buffer (about two bytes a letter):
  // their whole keys must reach the block, and shorter keys after them stay right.
  const std::string kana = UnicodeToSjis(QString::fromUtf8("あ"));
  auto repeated = [](const std::string &piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
  };
  const std::vector<std::string> texts = {
      repeated("a", 300) + "c", repeated("a", 300) + "B", "ab", repeated("a", 1000) + "b",
      repeated(kana, 200) + "b", repeated(kana, 200) + "a", repeated("a", 300) + "b", "aC",
  };
  for (const char *name : {"ja_JP", "C"}) {
    SCOPED_TRACE(name);
    const LocaleScope scope{QLocale(QString::fromLatin1(name))};
    const TRecordCollation collation;
    TCollationKeyMaker maker;
    TSortKeyBlock block;
    for (const std::string &text : texts) block.Add([&](std::string &bytes) { maker.AppendKey(text, bytes); });
    for (std::size_t i = 0; i < texts.size(); ++i)
      for (std::size_t j = 0; j < texts.size(); ++j)
        ASSERT_EQ(block.Compare(i, j), collation.CompareTexts(texts[i], texts[j])) << i << " against " << j;
  }
}

TEST(CollationKey, EmptyTextAloneHasTheEmptyKey) {
  struct Row { std::string text; bool empty; const char *note; };
  const Row rows[] = {
      {"", true, "the empty text"},
      {"\x01", false, "a control character, ignorable in collation"},
      {" ", false, "a space"},
      {"a", false, "a letter"},
  };
  for (const char *name : {"ja_JP", "C"}) {
    TCollationKeyMaker maker{QLocale(QString::fromLatin1(name))};
    for (const Row &row : rows) {
      std::string key;
      maker.AppendKey(row.text, key);
      EXPECT_EQ(key.empty(), row.empty) << name << ": " << row.note;
    }
  }
}

}  // namespace
}  // namespace plomix
