#include "windows.h"

namespace korvelle {

FormWindow* BuildFullDepthPrintWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

FormWindow* BuildOverlayPrintWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

}  // namespace korvelle
