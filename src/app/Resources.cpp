#include "app/Resources.h"

#include <QtGlobal>

static void initOnce() {
    Q_INIT_RESOURCE(resources);
}

void initResources() {
    static const bool done = [] {
        initOnce();
        return true;
    }();
    Q_UNUSED(done);
}
