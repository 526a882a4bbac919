#pragma once
// Stands in for the desktop's "open" of a URL scheme and remembers what was opened.
#include <QDesktopServices>
#include <QObject>
#include <QUrl>

namespace plomix::test {

class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  explicit UrlCatcher(const QString &scheme) : FScheme(scheme) {
    QDesktopServices::setUrlHandler(FScheme, this, "Open");
  }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(FScheme); }

  QList<QUrl> Opened;

 public slots:
  void Open(const QUrl &url) { Opened << url; }

 private:
  QString FScheme;
};

}  // namespace plomix::test
