#include "fw/ui_backends/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace fw::qt {

namespace {
// (value x numerator + denominator / 2) / denominator, rounded half away
// from zero like Win32 MulDiv.
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}
} // namespace

BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters + 26) / 52, metrics.height()};
}

int DialogUnitsToPixelsX(int units, BaseUnits base) {
    return MulDiv(units, base.cx, 4);
}

int DialogUnitsToPixelsY(int units, BaseUnits base) {
    return MulDiv(units, base.cy, 8);
}

QRect DialogUnitsToPixels(int x, int y, int cx, int cy, BaseUnits base) {
    return {DialogUnitsToPixelsX(x, base), DialogUnitsToPixelsY(y, base),
            DialogUnitsToPixelsX(cx, base), DialogUnitsToPixelsY(cy, base)};
}

} // namespace fw::qt
