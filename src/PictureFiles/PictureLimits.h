#pragma once
// The largest pictures Plomix draws and writes. A picture is refused with a reason before
// any pixel is allocated: a file format's own fields set some limits, memory the last.
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

#include "PictureFiles/PictureFiles.h"

namespace plomix {

// A 32-bit bitmap of at most this many bytes is drawn: 1 GiB, about 16,000 × 16,000
// pixels. PLOMIX_PICTURE_MEMORY_LIMIT (bytes) sets another limit.
constexpr std::int64_t kDefaultPictureMemoryLimit = std::int64_t{1} << 30;
std::int64_t PictureMemoryLimit();

// Why a bitmap of `size` cannot be drawn in memory, or nothing.
std::optional<QString> PictureMemoryProblem(QSize size);

// Why a picture of `size` pixels cannot be written as a file of `kind`, or nothing:
// BMP's 32-bit size fields, JPEG's 65,535 pixels a side, the 16-bit coordinates of a
// Windows metafile.
std::optional<QString> PictureFileProblem(QSize size, PictureFileKind kind);

}  // namespace plomix
