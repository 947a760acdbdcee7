#include "resources/ui/CInterfaceFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace {

bool IsSerif(const QString& family) {
    return family.contains(QLatin1String("Mincho"), Qt::CaseInsensitive) ||
           family.contains(QLatin1String("Serif"), Qt::CaseInsensitive) ||
           family.contains(QString::fromUtf8("明朝"));
}

// Japanese fonts often do not declare their fixed pitch: the widths tell.
bool IsFixedPitch(const QString& family) {
    if (QFontDatabase::isFixedPitch(family)) {
        return true;
    }
    QFont font(family);
    font.setPixelSize(20);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

QStringList FindJapaneseFamilies() {
    QStringList proportional;
    QStringList fixed;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (IsSerif(family) || QFontDatabase::isPrivateFamily(family)) {
            continue;
        }
        (IsFixedPitch(family) ? fixed : proportional) << family;
    }
    return proportional + fixed;
}

}  // namespace

QStringList CInterfaceFont::JapaneseFamilies() {
    static const QStringList families = FindJapaneseFamilies();
    return families;
}

QFont CInterfaceFont::Make(const QString& face, int pixelHeight, int weight) {
    QFont font;
    font.setFamilies(QStringList{face} + JapaneseFamilies() + QStringList{QStringLiteral("sans-serif")});
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont CInterfaceFont::WithJapaneseFallback(const QFont& font) {
    QFont result = font;
    QStringList families{QFontInfo(font).family()};
    for (const QString& family : JapaneseFamilies()) {
        if (!families.contains(family)) families << family;
    }
    result.setFamilies(families);
    return result;
}
