// Chord symbols: the numeral table, the accidental beside the letter and the small suffix and
// bass.
#include "chart/ChordSymbolDrawing.h"

#include "chart/MusicFont.h"

namespace {

struct Numeral {
    const char* text;
    std::uint8_t accidental;
};

// Degree codes 1-17: I, sharp I, flat II, II, sharp II, flat III, III, IV, sharp IV, flat V, V,
// sharp V, flat VI, VI, sharp VI, flat VII, VII.
constexpr Numeral kNumerals[] = {
    {"I", AccidentalNone},   {"I", AccidentalSharp},  {"II", AccidentalFlat},
    {"II", AccidentalNone},  {"II", AccidentalSharp}, {"III", AccidentalFlat},
    {"III", AccidentalNone}, {"IV", AccidentalNone},  {"IV", AccidentalSharp},
    {"V", AccidentalFlat},   {"V", AccidentalNone},   {"V", AccidentalSharp},
    {"VI", AccidentalFlat},  {"VI", AccidentalNone},  {"VI", AccidentalSharp},
    {"VII", AccidentalFlat}, {"VII", AccidentalNone},
};

CMString LetterText(std::uint8_t letter)
{
    static const char* const kLetters[] = {"C", "D", "E", "F", "G", "A", "B"};
    return letter >= LetterC && letter <= LetterB ? CMString(kLetters[letter - LetterC])
                                                  : CMString("(None)");
}

// The same look in the music font.
CMFontConfig MusicFontLike(const CMFontConfig& font, double height)
{
    CMFontConfig music(font);
    music.name = kMusicFontName;
    music.height = height;
    return music;
}

}  // namespace

double DrawSymbol(const CMMusicNotationSymbol& symbol, IMDC& surface, double x, double y,
                  const CMFontConfig& font, int degreeCode)
{
    CMString text;
    std::uint8_t accidental = AccidentalNone;
    if (degreeCode == 0) {
        text = LetterText(symbol.letter);
        accidental = symbol.accidental;
    } else if (degreeCode >= 1 && degreeCode <= 17) {
        text = kNumerals[degreeCode - 1].text;
        accidental = kNumerals[degreeCode - 1].accidental;
    }
    double width = surface.DrawText(x, y, text, font, AlignLeft);
    if (accidental >= AccidentalDoubleFlat && accidental <= AccidentalDoubleSharp)
        width += surface.DrawText(
            x + width, y, CMString(MusicGlyph::LetterAccidental(accidental - AccidentalNatural)),
            MusicFontLike(font, font.height), AlignLeft);
    return width;
}

double DrawChordSymbol(const CMMusicChord& chord, IMDC& surface, double x, double y,
                       const CMFontConfig& font, int degreeCode)
{
    if (chord.letter == LetterNone)
        return 0;
    double width = 0;
    if (chord.displayMode == 0)
        width = DrawSymbol(chord, surface, x, y, font, 0);
    else if (chord.displayMode == 1)
        width = DrawSymbol(chord, surface, x, y, font, degreeCode);

    // The small text's bottom lines up with the root's.
    const CMFontConfig small = MusicFontLike(font, font.height * 2 / 3);
    const double smallY = y + font.height / 3;
    width += surface.DrawText(x + width, smallY, chord.GetDisplayText(), small, AlignLeft);
    if (chord.HasBass()) {
        width += surface.DrawText(x + width, smallY, "/", small, AlignLeft);
        width += DrawSymbol(chord.bass, surface, x + width, smallY, small, 0);
    }
    return width;
}
