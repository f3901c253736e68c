#include "domain/reports/Fonts.h"

#include <QFontDatabase>

namespace tanabana::reports {

QStringList indianScriptFamilies() {
    static const QStringList installed = [] {
        const QStringList wanted = {QStringLiteral("Lohit Gujarati"), QStringLiteral("Lohit Devanagari"),
                                    QStringLiteral("Noto Sans Gujarati"), QStringLiteral("Noto Sans Devanagari")};
        const QStringList present = QFontDatabase::families();
        QStringList found;
        for (const QString& family : wanted)
            if (present.contains(family, Qt::CaseInsensitive)) found << family;
        return found;
    }();
    return installed;
}

QFont withIndianScripts(QFont font) {
    QStringList families = font.families();
    if (families.isEmpty()) families << font.family();
    for (const QString& family : indianScriptFamilies())
        if (!families.contains(family, Qt::CaseInsensitive)) families << family;
    font.setFamilies(families);
    return font;
}

}  // namespace tanabana::reports
