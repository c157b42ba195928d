#include "windows.h"

namespace korvelle {

FormWindow* BuildFullDepthResultWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

FormWindow* BuildOverlayResultWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

}  // namespace korvelle
