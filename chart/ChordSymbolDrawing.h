// Chord symbols on the chart: the root as a letter or a Roman numeral in the chord font, its
// accidental beside it, raised to the top of the letter, then the suffix and an optional slash
// bass (with its own accidental set the same way) in the music font at two thirds of the size,
// their bottom in line with the root's. Widths are those the surface answers, so pieces chain
// exactly as drawn.
#pragma once

#include "chart/IMDC.h"
#include "music/CMMusicChord.h"

// Draws a root or bass note at (x, y), inches, top of the text cell: with degree code 0 its
// letter and its own accidental, with 1-17 the Roman numeral of that scale degree and its
// accidental. Answers the width of the letter or numeral and its accidental.
double DrawSymbol(const CMMusicNotationSymbol& symbol, IMDC& surface, double x, double y,
                  const CMFontConfig& font, int degreeCode);

// Draws the whole chord symbol at (x, y) in its chord style; the root by name or, with display
// mode 1, by `degreeCode`. A chord without a root draws nothing. Answers the width in inches.
double DrawChordSymbol(const CMMusicChord& chord, IMDC& surface, double x, double y,
                       const CMFontConfig& font, int degreeCode);
