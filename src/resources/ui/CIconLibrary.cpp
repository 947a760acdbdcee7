#include "resources/ui/CIconLibrary.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {
QPixmap Render(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
}
}  // namespace

QIcon CIconLibrary::Load(const char* name) {
    if (name == nullptr || *name == '\0') {
        return {};
    }
    const QString path = QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name));
    if (!QFile::exists(path)) {
        return {};
    }
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return {};
    }
    QIcon icon;
    for (int size : {16, 32}) {
        icon.addPixmap(Render(renderer, size));
    }
    return icon;
}
