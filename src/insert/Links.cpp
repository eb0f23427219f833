#include "insert/Links.h"

namespace markwright {

namespace links {

const char* const WebPagesFilter = "web pages (*.htm;*.html)|*.htm;*.html";
const char* const ImagesFilter = "Image Files (*.gif;*.jpg)|*.gif;*.jpg";

QString webPath(const QString& fileName) {
    QString path = fileName;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString hyperlink(const QString& path, const QString& target) {
    return QStringLiteral("<a href=\"%1\" Target=\"%2\">Link Object Here</a>").arg(path, target);
}

QString image(ImageForm form, const QString& path, const QString& enter) {
    switch (form) {
    case ImageForm::CompleteTags:
        return enter + QStringLiteral("<p>") + enter +
               QStringLiteral("<img src=\"%1\" alt=\"Alternate Text\" Border=\"0\" align=\"top\">")
                   .arg(path) +
               enter + QStringLiteral("</p>") + enter;
    case ImageForm::PathOnly:
        return QStringLiteral("<img src=\"%1\">").arg(path);
    case ImageForm::Background:
        return QStringLiteral("background=\"%1\"").arg(path);
    }
    return QString();
}

} // namespace links

} // namespace markwright
