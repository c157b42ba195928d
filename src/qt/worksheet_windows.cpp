#include "windows.h"

namespace korvelle {

FormWindow* BuildEsalWorksheetWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

FormWindow* BuildLdfWorksheetWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

FormWindow* BuildCountyWorksheetWindow(WindowContext& context) { return new FormWindow(context.logic, kProgramTitle); }

}  // namespace korvelle
