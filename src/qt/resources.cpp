#include "resources.h"

#include <QtCore/qresource.h>

// The resources are compiled into object files of their own that every
// program built on the library links whole (qt_add_resources), so they are
// registered when the program starts; initialising them again here keeps
// programs that do not know that working.
static void LoadCompiledResources() {
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(guide);  // the designer's guide and its pictures
}

namespace korvelle {

void LoadResources() { LoadCompiledResources(); }

}  // namespace korvelle
