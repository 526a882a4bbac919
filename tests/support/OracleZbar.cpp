// zbar as a second, independent reader.
#include <zbar.h>

#include <memory>

#include "tests/support/Oracles.h"

namespace plomix::test {
namespace {

zbar::zbar_symbol_type_t ZbarFormat(Format format) {
  switch (format) {
    case Format::Code39: return zbar::ZBAR_CODE39;
    case Format::Codabar: return zbar::ZBAR_CODABAR;
    case Format::EAN13: return zbar::ZBAR_EAN13;
    case Format::EAN8: return zbar::ZBAR_EAN8;
    case Format::UPCA: return zbar::ZBAR_UPCA;
    case Format::UPCE: return zbar::ZBAR_UPCE;
    case Format::ITF: return zbar::ZBAR_I25;
    case Format::Code128: return zbar::ZBAR_CODE128;
    case Format::Code93: return zbar::ZBAR_CODE93;
  }
  return zbar::ZBAR_NONE;
}

QImage Grey(const QImage &image) { return image.convertToFormat(QImage::Format_Grayscale8); }

}  // namespace

std::string ReadWithZbar(const QImage &image, Format format) {
  // zbar misjudges one-pixel modules; an exact doubling keeps every width ratio.
  const QImage grey = Grey(WithQuietZone(image.scaled(image.size() * 2)));
  // zbar wants a tightly packed Y800 buffer.
  std::string pixels;
  pixels.reserve(static_cast<std::size_t>(grey.width() * grey.height()));
  for (int y = 0; y < grey.height(); ++y)
    pixels.append(reinterpret_cast<const char *>(grey.constScanLine(y)), grey.width());

  std::unique_ptr<zbar::zbar_image_scanner_t, decltype(&zbar::zbar_image_scanner_destroy)> scanner(
      zbar::zbar_image_scanner_create(), zbar::zbar_image_scanner_destroy);
  zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
  const zbar::zbar_symbol_type_t wanted = ZbarFormat(format);
  zbar::zbar_image_scanner_set_config(scanner.get(), wanted, zbar::ZBAR_CFG_ENABLE, 1);
  // zbar decodes UPC-A through its EAN-13 decoder: with EAN-13 off it finds nothing.
  // It then reports a leading-zero EAN-13 as UPC-A (12 digits); only that is taken.
  if (format == Format::UPCA)
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_EAN13, zbar::ZBAR_CFG_ENABLE, 1);
  std::unique_ptr<zbar::zbar_image_t, decltype(&zbar::zbar_image_destroy)> img(
      zbar::zbar_image_create(), zbar::zbar_image_destroy);
  zbar::zbar_image_set_format(img.get(), zbar_fourcc('Y', '8', '0', '0'));
  zbar::zbar_image_set_size(img.get(), static_cast<unsigned>(grey.width()),
                            static_cast<unsigned>(grey.height()));
  zbar::zbar_image_set_data(img.get(), pixels.data(), pixels.size(), nullptr);
  if (zbar::zbar_scan_image(scanner.get(), img.get()) <= 0) return {};
  const zbar::zbar_symbol_t *symbol = zbar::zbar_image_first_symbol(img.get());
  while (symbol != nullptr && zbar::zbar_symbol_get_type(symbol) != wanted)
    symbol = zbar::zbar_symbol_next(symbol);
  if (symbol == nullptr) return {};
  const char *data = zbar::zbar_symbol_get_data(symbol);
  const unsigned length = zbar::zbar_symbol_get_data_length(symbol);
  return std::string(data, length);
}

}  // namespace plomix::test
