#pragma once

#include <QByteArray>
#include <optional>

namespace markwright {

// Whether the window is composited by Qt Quick's software backend instead of
// OpenGL. Embedding the web view makes Qt composite the whole window; on a
// machine without a GPU, OpenGL there means a software rasteriser (Mesa's
// llvmpipe and the like), which costs several times more per keystroke than
// the software backend. Hardware OpenGL is kept where it exists.
namespace rendering {

// True for the renderer names of software OpenGL implementations.
bool isSoftwareRenderer(const QByteArray& glRenderer);

// The choice: MARKWRIGHT_RENDERING=software or =opengl forces one; otherwise
// software when OpenGL is missing (nullopt) or rasterises in software.
bool useSoftware(const QByteArray& forced, const std::optional<QByteArray>& glRenderer);

// Probes OpenGL and sets the backend; call after the application object is
// made and before any window is shown. Returns true when software was chosen.
bool chooseBackend();

} // namespace rendering

} // namespace markwright
