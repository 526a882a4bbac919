// The examples the manual gives are what the encoders make: each row's input and
// result appear in Readme.txt and come out of the encoder as written there.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "Encoders/Encoders.h"
#include "Common/ShiftJis.h"

namespace plomix {
namespace {

QString ReadmeText() {
  QFile file(QDir::cleanPath(QStringLiteral(PLOMIX_TEST_DATA "/../../resources/Readme.txt")));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return SjisToUnicode(file.readAll().toStdString());
}

TEST(ReadmeExamples, MatchTheEncoders) {
  struct Row {
    EncodeFunction encode;
    const char *code;
    bool cd;
    char start, stop;
    const char *symbol;  // expected Symbol; "" = cannot be encoded
    int cdn;             // expected CDN; -2 = not checked
  } rows[] = {
      {EncodeJAN, "490123456789", false, 'A', 'A', "4901234567894", 4},
      {EncodeJAN, "9638507", false, 'A', 'A', "96385074", 4},
      {EncodeUPC, "03600029145", false, 'A', 'A', "036000291452", 2},
      {EncodeUPC, "0425261", false, 'A', 'A', "04252614", 4},
      {EncodeCode39, "ABC", false, 'A', 'A', "*ABC*", -1},
      {EncodeCode39, "ABC", true, 'A', 'A', "*ABCX*", 33},
      {EncodeCode39, "%", true, 'A', 'A', "*%%*", 42},
      {EncodeNW7, "123", true, 'A', 'B', "A1239B", 9},
      {EncodeITF, "12345", false, 'A', 'A', "012345", -1},
      {EncodeITF, "12345", true, 'A', 'A', "123457", 7},
      {EncodeITF, "1234", true, 'A', 'A', "012348", 8},
      {EncodeCTF, "1234", true, 'A', 'A', "12348", 8},
      {EncodeCTF, "1234", false, 'A', 'A', "1234", -1},
      {EncodeIATA, "1234", false, 'A', 'A', "12348", 8},
      {EncodeMatrix, "1234", true, 'A', 'A', "12348", 8},
      {EncodeNEC, "1234", true, 'A', 'A', "12348", 8},
      {EncodeCustomer, "1234567-8", false, 'A', 'A', nullptr, 9},
      {EncodeCode128, "ABC", false, 'B', 'A', "BABC!", 1},
      {EncodeCode128, "<12><34>", false, 'C', 'A', "C<12><34><82>", 82},
      {EncodeCode128, "1234", false, 'C', 'A', "", -1},
      {EncodeCode128, "A<CODEB>b", false, 'A', 'A', "AA<CODEB>b3", 19},
      {EncodeCode128, "<SHIFT>a", false, 'A', 'A', nullptr, 22},
      {EncodeCode128, "<SHIFT>A", false, 'B', 'A', nullptr, 62},
      {EncodeCode128, "ABC<CR><LF>DEF", false, 'A', 'A', nullptr, -2},
      {EncodeCode128, "Plomix-128", false, 'B', 'A', nullptr, -2},
      {EncodeCode128, "<12><34><56><CODEB>AB", false, 'C', 'A', nullptr, -2},
      {EncodeCode128, "ABC<SHIFT>dEF", false, 'A', 'A', nullptr, -2},
      {EncodeCode128, "<FNC1><01><04><91><23><45><67><89><01><23>", false, 'C', 'A', nullptr, -2},
      {EncodeCode128, "<FNC1>01<CODEC><23>", false, 'A', 'A', nullptr, -2},
      {EncodeCode93, "TEST93", false, 'A', 'A', "(TEST93+6)", 641},
      {EncodeCode93, "ABC", false, 'A', 'A', "(ABCHK)", 2017},
      {EncodeCode93, "<%>A", false, 'A', 'A', nullptr, -2},
      {EncodeCode93, "<+>A", false, 'A', 'A', nullptr, -2},
      {EncodeCode93, "a", false, 'A', 'A', "", -1},
      {EncodeCode93, "<A>", false, 'A', 'A', "", -1},
      {EncodeCode93, "<$$>", false, 'A', 'A', "", -1},
      {EncodeCode93, "!", false, 'A', 'A', "", -1},
  };
  const QString readme = ReadmeText();
  for (const Row &row : rows) {
    const std::string note = std::string(row.code) + " start " + row.start;
    EXPECT_TRUE(readme.contains(QString::fromLatin1(row.code))) << note << ": not in the manual";
    const EncodeResult result = row.encode({row.code, row.cd, row.start, row.stop});
    if (row.symbol && !*row.symbol) {
      EXPECT_TRUE(result.pattern.empty()) << note << ": the manual says it cannot be shown";
      continue;
    }
    EXPECT_FALSE(result.pattern.empty()) << note;
    if (row.symbol) {
      EXPECT_EQ(result.symbol, row.symbol) << note;
      EXPECT_TRUE(readme.contains(QString::fromLatin1(row.symbol))) << note << ": result not in the manual";
    }
    if (row.cdn != -2) {
      EXPECT_EQ(result.cdn, row.cdn) << note;
    }
  }
}

}  // namespace
}  // namespace plomix
