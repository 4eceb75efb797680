#pragma once

#include <QFont>
#include <QRect>

namespace fw::qt {

// The dialog base units of a font, the way the Windows dialog manager
// computes them: the average width of the 52 Latin letters, rounded, and
// the font's character height (ascent + descent).
struct BaseUnits {
    int cx = 0;
    int cy = 0;
};

BaseUnits BaseUnitsOf(const QFont& font);

// x pixels = units x cx / 4, y pixels = units x cy / 8, each value rounded
// on its own (MulDiv), as controls made from a template are placed.
int DialogUnitsToPixelsX(int units, BaseUnits base);
int DialogUnitsToPixelsY(int units, BaseUnits base);
QRect DialogUnitsToPixels(int x, int y, int cx, int cy, BaseUnits base);

} // namespace fw::qt
