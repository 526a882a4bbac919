#pragma once
// The picture a TBarImage shows: nothing, a 32-bit bitmap or a recorded metafile.
#include <QImage>
#include <variant>

#include "Symbol/Metafile.h"

namespace plomix {

class TPicture {
 public:
  bool HasGraphic() const { return !std::holds_alternative<std::monostate>(FGraphic); }
  bool IsBitmap() const { return std::holds_alternative<QImage>(FGraphic); }
  bool IsMetafile() const { return std::holds_alternative<TMetafile>(FGraphic); }

  // The bitmap view; makes the picture an (empty) bitmap when it is not one.
  QImage &Bitmap();
  const QImage *BitmapOrNull() const { return std::get_if<QImage>(&FGraphic); }

  // The metafile view; makes the picture an (empty) metafile when it is not one.
  TMetafile &Metafile();
  const TMetafile *MetafileOrNull() const { return std::get_if<TMetafile>(&FGraphic); }

  QSize Size() const;
  void Clear() { FGraphic = std::monostate{}; }

 private:
  std::variant<std::monostate, QImage, TMetafile> FGraphic;
};

// A metafile replayed at its logical size on white, as a 32-bit image; a null image when
// the metafile has no size. The clipboard and the image files both take it so.
QImage MetafileToImage(const TMetafile &metafile);

// The picture as a 32-bit image: the bitmap itself, or the metafile replayed.
QImage PictureToImage(const TPicture &picture);

}  // namespace plomix
