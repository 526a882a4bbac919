#include "PictureFiles/JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace plomix {
namespace {

constexpr int kQuality = 90;

// libjpeg's own error handler ends the process; this one jumps back to the caller.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
  auto *error = reinterpret_cast<JpegError *>(info->err);
  (*info->err->format_message)(info, error->message);
  std::longjmp(error->jump, 1);
}

}  // namespace

bool EncodeJpeg(const QImage &source, std::string &out, QString *error) {
  if (source.isNull()) {
    if (error) *error = QStringLiteral("there is no image to encode");
    return false;
  }
  const QImage image = source.convertToFormat(QImage::Format_RGB888);

  jpeg_compress_struct info{};
  JpegError jpegError{};
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPROW> rows(static_cast<std::size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y)
    rows[static_cast<std::size_t>(y)] = const_cast<JSAMPROW>(image.constScanLine(y));

  info.err = jpeg_std_error(&jpegError.manager);
  jpegError.manager.error_exit = JumpOnError;
  if (setjmp(jpegError.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    if (error) *error = QStringLiteral("JPEG: %1").arg(QString::fromLocal8Bit(jpegError.message));
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.width());
  info.image_height = static_cast<JDIMENSION>(image.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kQuality, TRUE);  // baseline quantisation tables
  const int dpiX = qRound(image.dotsPerMeterX() * 0.0254), dpiY = qRound(image.dotsPerMeterY() * 0.0254);
  if (dpiX > 0 && dpiY > 0 && dpiX <= 65535 && dpiY <= 65535) {
    info.density_unit = 1;  // dots per inch
    info.X_density = static_cast<UINT16>(dpiX);
    info.Y_density = static_cast<UINT16>(dpiY);
  }
  jpeg_start_compress(&info, TRUE);
  jpeg_write_scanlines(&info, rows.data(), static_cast<JDIMENSION>(rows.size()));
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);

  out.assign(reinterpret_cast<const char *>(buffer), size);
  std::free(buffer);
  return true;
}

}  // namespace plomix
