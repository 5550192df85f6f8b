#include "platform/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace quillet {

void InstallFontSubstitutions() {
    // Fontconfig has no alias for these faces: unmapped, Latin text would fall back to a
    // Latin-only face and Japanese to whatever comes first.
    const QStringList proportional{QStringLiteral("IPAPGothic"),
                                   QStringLiteral("Noto Sans CJK JP")};
    const QStringList fixed{QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")};
    for (const char* face : {"ＭＳ Ｐゴシック", "MS PGothic", "MS Shell Dlg", "MS Sans Serif"}) {
        QFont::insertSubstitutions(QString::fromUtf8(face), proportional);
    }
    for (const char* face : {"ＭＳ ゴシック", "MS Gothic"}) {
        QFont::insertSubstitutions(QString::fromUtf8(face), fixed);
    }
}

QFont TemplateFont(const DialogFont& font) {
    QFont result(QString::fromUtf8(font.face.data(), static_cast<qsizetype>(font.face.size())));
    result.setPointSize(font.pointSize);
    if (font.weight > 0) {
        result.setWeight(static_cast<QFont::Weight>(font.weight));
    }
    result.setItalic(font.italic);
    return result;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

int MulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + (half < 0 ? -half : half);
    const std::int64_t quotient = magnitude / (c < 0 ? -c : c);
    return static_cast<int>(negative ? -quotient : quotient);
}

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
    return {MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
            MulDiv(cy, units.y, 8)};
}

}  // namespace quillet
