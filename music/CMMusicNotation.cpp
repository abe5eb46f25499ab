// CMMusicNotation: see CMMusicNotation.h.
#include "music/CMMusicNotation.h"

double CMMusicNotation::GetWidth() const
{
    double width = 0.975;
    for (int i = 0; i < value; ++i)
        width /= 2;
    double addition = width;
    for (int i = 0; i < dots; ++i) {
        addition /= 2;
        width += addition;
    }
    if (tuplet == 3)
        width /= 1.5;
    return width;
}
