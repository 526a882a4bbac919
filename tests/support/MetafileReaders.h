#pragma once
// Metafiles read back by programs nobody here wrote: EMF through libemf2svg, WMF
// through libwmf's wmf2svg, each SVG rendered to pixels by Qt's SVG renderer.
#include <QImage>
#include <QString>
#include <string>

namespace plomix::test {

// The EMF converted to SVG by libemf2svg; empty when it refuses the file.
QByteArray EmfToSvg(const std::string &emf);
// The WMF converted to SVG by libwmf (wmf2svg); empty when it refuses the file. libwmf
// knows no double-byte text: Japanese characters come out as single Latin-1 bytes.
QByteArray WmfToSvg(const std::string &wmf);

// An SVG rendered at its own size onto white; a null image for an invalid SVG.
QImage RenderSvg(const QByteArray &svg);

}  // namespace plomix::test
