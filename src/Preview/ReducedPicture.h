#pragma once
// Symbols drawn into the preview's reduced page as they will come out on paper.
#include <QImage>
#include <QRect>

class QPainter;

namespace plomix {

class TPicture;

// Draws a picture into a preview cell. A cell smaller than the picture gets the picture
// reduced by area averaging: every bar and every stroke of a comment adds its share of
// grey, where picking whole pixels would drop most of them. A cell as large as the
// picture or larger is stretched without smoothing, as the printed page is.
class TReducedPicture {
 public:
  void Draw(QPainter &painter, const TPicture &picture, const QRect &cell);

 private:
  // The last reduction of a bitmap: one symbol repeated over a page is reduced once.
  qint64 FSourceKey = 0;
  QImage FReduced;
};

}  // namespace plomix
