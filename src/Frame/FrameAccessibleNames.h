#pragma once
// Names for the main window's controls that carry no caption of their own, so that a
// screen reader announces them and UI automation finds them.

namespace plomix {

class TFrameForm;

// Gives each such control the text of its label, or its hint where it has no label.
void SetFrameAccessibleNames(TFrameForm &form);

}  // namespace plomix
