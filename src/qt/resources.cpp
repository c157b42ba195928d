#include "resources.h"

#include <QtCore/qresource.h>

static void LoadCompiledResources() { Q_INIT_RESOURCE(korvelle); }

namespace korvelle {

void LoadResources() { LoadCompiledResources(); }

}  // namespace korvelle
