#include "windows.h"

namespace korvelle {

FormWindow* BuildGuidelinesWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

}  // namespace korvelle
