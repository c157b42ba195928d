#include "resources.h"

#include <QtCore/qresource.h>

static void LoadCompiledResources() {
    Q_INIT_RESOURCE(korvelle);
    Q_INIT_RESOURCE(guide);  // the designer's guide and its pictures
}

namespace korvelle {

void LoadResources() { LoadCompiledResources(); }

}  // namespace korvelle
