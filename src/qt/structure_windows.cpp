#include "windows.h"

namespace korvelle {

FormWindow* BuildFullDepthEntryWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

FormWindow* BuildOverlayEntryWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

}  // namespace korvelle
