#pragma once

#include <QString>

namespace markwright {

// Texts built around a file chosen in the open-file dialog.
namespace links {

// The chosen path as it goes into a page: every backslash a forward slash.
QString webPath(const QString& fileName);

// <a href="path" Target="target">Link Object Here</a>, no line break.
QString hyperlink(const QString& path, const QString& target);

enum class ImageForm { CompleteTags, PathOnly, Background };
// The image texts. `enter` is what the Enter key types in the pane; the
// complete form puts <p>, the image and </p> on lines of their own between
// four of them.
QString image(ImageForm form, const QString& path, const QString& enter);

extern const char* const WebPagesFilter;
extern const char* const ImagesFilter;

} // namespace links

} // namespace markwright
