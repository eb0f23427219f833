#include "app/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE cannot be used inside a namespace.
static void initResourcesOnce() {
    Q_INIT_RESOURCE(resources);
}

namespace markwright {

void initResources() {
    static const bool done = [] {
        ::initResourcesOnce();
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace markwright
