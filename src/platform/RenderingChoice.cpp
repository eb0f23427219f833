#include "platform/RenderingChoice.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>

namespace markwright {

namespace rendering {

bool isSoftwareRenderer(const QByteArray& glRenderer) {
    const QByteArray name = glRenderer.toLower();
    for (const char* software : {"llvmpipe", "softpipe", "software rasterizer", "swiftshader",
                                 "swrast", "microsoft basic render"}) {
        if (name.contains(software)) {
            return true;
        }
    }
    return false;
}

bool useSoftware(const QByteArray& forced, const std::optional<QByteArray>& glRenderer) {
    const QByteArray choice = forced.trimmed().toLower();
    if (choice == "software") {
        return true;
    }
    if (choice == "opengl" || choice == "hardware") {
        return false;
    }
    return !glRenderer || isSoftwareRenderer(*glRenderer);
}

namespace {
std::optional<QByteArray> probeRenderer() {
    QOpenGLContext context;
    if (!context.create()) {
        return std::nullopt;
    }
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) {
        return std::nullopt;
    }
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    std::optional<QByteArray> renderer;
    if (name != nullptr) {
        renderer = QByteArray(name);
    }
    context.doneCurrent();
    return renderer;
}
} // namespace

bool chooseBackend() {
    const QByteArray forced = qgetenv("MARKWRIGHT_RENDERING");
    // Probing costs a context; skip it when the choice is forced.
    const bool software = useSoftware(
        forced, forced.isEmpty() ? probeRenderer() : std::optional<QByteArray>(QByteArray()));
    if (software) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
    return software;
}

} // namespace rendering

} // namespace markwright
