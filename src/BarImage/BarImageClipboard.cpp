// TBarImage and the clipboard: copying the picture, pasting a code, watching changes.
#include "BarImage/TBarImage.h"

namespace plomix {

// Placeholders until the clipboard support lands: nothing is copied or watched.
void TBarImage::CopyBar() {}
void TBarImage::CopyAsWindowsMetafile() {}
void TBarImage::PasteCode() {}
void TBarImage::SetClipWatch(bool value) {
  FClipWatch = value;
  UpdateClipboardChain();
}
void TBarImage::UpdateClipboardChain() { InChain = false; }
void TBarImage::ClipboardChanged() {}

}  // namespace plomix
