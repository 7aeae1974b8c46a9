#include "DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

QFont dialogFont(const char* face, int pointSize)
{
    // Preferred stand-ins for the Song face of the templates, then any Simplified Chinese font.
    static const QStringList kFallbacks = {
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("AR PL UMing CN"),
    };
    const QStringList installed = QFontDatabase::families();
    QStringList families{QString::fromUtf8(face)};
    for (const QString& family : kFallbacks) {
        if (installed.contains(family))
            families << family;
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (!chinese.isEmpty())
        families << chinese.first();

    QFont font;
    font.setFamilies(families);
    font.setPointSize(pointSize);
    return font;
}

DialogBaseUnits dialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The average over 52 letters, rounded.
    return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect mapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy)
{
    const auto scaleX = [&](int du) { return (du * units.x + 2) / 4; };
    const auto scaleY = [&](int du) { return (du * units.y + 4) / 8; };
    return QRect(scaleX(x), scaleY(y), scaleX(cx), scaleY(cy));
}
