#pragma once
// Puts a symbol picture into a cell of a page: a bitmap scaled without smoothing, so
// bars keep hard edges, and a metafile replayed as vector rectangles.
#include <QRect>
#include <cstdint>

class QPainter;

namespace plomix {

class TPicture;

void StretchPicture(QPainter &painter, const TPicture &picture, const QRect &cell);

// A cell of 64-bit printer or preview coordinates as a painter rectangle; lengths
// beyond what a painter takes are cut (the page clips them anyway).
QRect CellRect(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);

}  // namespace plomix
