#pragma once
// Independent readers and a peer encoder: a symbol counts as right when programs
// nobody here wrote read it back.
#include <QImage>
#include <string>
#include <vector>

namespace plomix::test {

enum class Format { Code39, Codabar, EAN13, EAN8, UPCA, UPCE, ITF, Code128, Code93 };

// Text zxing-cpp reads from the image (one result, rotation off), or empty.
std::string ReadWithZXing(const QImage &image, Format format);

// Text zbar reads from the image, or empty. zbar reports EAN/UPC with their own
// normalisations (UPC-A as 13 digits, UPC-E expanded) as zbar does.
std::string ReadWithZbar(const QImage &image, Format format);

// The bar/space widths in modules that libzint draws for `data` as `symbology`
// (a BARCODE_* value), read from its rendered row; empty when zint refuses the data.
std::string ZintModules(int symbology, const std::string &data, int option2 = 0);

// Every row of the symbol libzint builds for `data` as `symbology`, one character per
// module ('1' set, '0' clear); empty when zint refuses the data. Multi-row symbols such
// as the four-state postal codes give one row per third of the bar height.
std::vector<std::string> ZintRows(int symbology, const std::string &data, int option2 = 0);

// Adds white quiet zones around an image, as readers want them.
QImage WithQuietZone(const QImage &image, int margin = 20);

}  // namespace plomix::test
