// CMMusicChord: normal form, transposition and the suffix texts of the chart and the listing.
#include "music/CMMusicChord.h"

void CMMusicChord::Reset(std::uint8_t letter_, std::uint8_t accidental_)
{
    letter = letter_;
    accidental = accidental_;
    kind = KindNone;
    flags = CMChordFlags();
    bass = CMMusicNotationSymbol();
    length = LengthBeat;
}

bool CMMusicChord::operator==(const CMMusicChord& other) const
{
    return CMMusicNotationSymbol::operator==(other) && kind == other.kind && flags == other.flags &&
           bass == other.bass;
}

bool CMMusicChord::Transpose(int semitones)
{
    if (!CMMusicNotationSymbol::Transpose(semitones))
        return false;
    bass.Transpose(semitones);  // a chord without a bass note keeps letter 0
    return true;
}

namespace {

// Which spelling of the suffix is wanted. The listing's plain text differs from the chart's
// default style only in a few words and in how tensions are written.
struct SuffixStyle {
    std::uint8_t style;  // chord style code 0-3
    bool plain;          // the listing's text
};

// The "seventh" part of major and minor chords with a seventh, naming the highest tension.
// Returns which tensions it consumed through the flags.
void AppendSeventhAndTensions(CMString& text, const CMChordFlags& f, bool& nineShown,
                              bool& elevenShown, bool& thirteenShown)
{
    if (!f.nine) {
        text += "7";
    } else if (!f.eleven) {
        text += "9";
        nineShown = true;
    } else if (!f.thirteen) {
        text += "11";
        nineShown = elevenShown = true;
    } else {
        text += "13";
        nineShown = elevenShown = thirteenShown = true;
    }
}

void AppendMajorSeventh(CMString& text, bool withNine, const SuffixStyle& s, const char* lead)
{
    text += lead;
    if (s.plain || s.style == StyleWords)
        text += withNine ? "maj9" : "maj7";
    else if (s.style == StyleLetters)
        text += withNine ? "M9" : "M7";
    else {
        text += kTriangleGlyph;
        text += withNine ? "9" : "7";
    }
}

CMString Suffix(const CMMusicChord& chord, const SuffixStyle& s)
{
    const CMChordFlags& f = chord.flags;
    const bool symbols = !s.plain && s.style == StyleSymbols;
    bool nineShown = false, elevenShown = false, thirteenShown = false;
    CMString text;

    switch (chord.kind) {
    case KindMajor:
        if (f.six) {
            if (!s.plain && s.style == StyleWords)
                text += "maj6";
            else if (!s.plain && s.style == StyleLetters)
                text += "M6";
            else
                text += "6";
            if (f.nine) {
                text += "9";
                nineShown = true;
            }
        } else if (f.majorSeventh) {
            AppendMajorSeventh(text, f.nine, s, "");
            nineShown = f.nine;
        } else if (f.seventh) {
            AppendSeventhAndTensions(text, f, nineShown, elevenShown, thirteenShown);
        } else if (!s.plain && s.style == StyleWords) {
            text += "maj";
        } else if (!s.plain && s.style == StyleLetters) {
            text += "M";
        }
        break;
    case KindMinor:
        if (s.plain)
            text += "m";
        else if (s.style == StyleWords)
            text += "min";
        else if (s.style == StyleSymbols)
            text += "-";
        else
            text += "m";
        if (f.six) {
            text += f.nine ? "69" : "6";
            nineShown = f.nine;
        } else if (f.seventh) {
            AppendSeventhAndTensions(text, f, nineShown, elevenShown, thirteenShown);
        } else if (f.majorSeventh) {
            AppendMajorSeventh(text, f.nine, s, " ");
            nineShown = f.nine;
        }
        break;
    case KindDiminished: text += symbols ? "o" : "dim"; break;
    case KindAugmented:
        text += symbols ? "+" : "aug";
        if (f.seventh)
            text += "7";
        break;
    case KindSuspended: text += f.seventh ? "sus7" : "sus4"; break;
    default: break;
    }

    if (f.flatFive && chord.kind != KindDiminished) {
        if (symbols && text == "-7") {
            text = CMString(kHalfDiminishedGlyph);
            text += "7";
        } else {
            text += s.plain ? " b5" : " !5";
        }
    }
    if (f.sharpFive && chord.kind != KindAugmented)
        text += symbols ? " +5" : " #5";
    if (f.flatNine)
        text += symbols ? " -9" : (s.plain ? " b9" : " !9");
    if (f.nine && !nineShown)
        text += s.plain ? " 9" : " =9";
    if (f.sharpNine)
        text += symbols ? " +9" : " #9";
    if (f.eleven && !elevenShown)
        text += " =11";
    if (f.sharpEleven)
        text += symbols ? " +11" : " #11";
    if (f.flatThirteen)
        text += symbols ? " -13" : (s.plain ? " b13" : " !13");
    if (f.thirteen && !thirteenShown)
        text += s.plain ? " 13" : " =13";
    return text;
}

}  // namespace

CMString CMMusicChord::GetDisplayText() const
{
    return Suffix(*this, SuffixStyle{chordStyle, false});
}

CMString CMMusicChord::GetPlainText() const
{
    return Suffix(*this, SuffixStyle{StyleDefault, true});
}
