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

// The tensions a suffix has already named in its main part; the rest are added one by one.
struct ShownTensions {
    bool nine = false;
    bool eleven = false;
    bool thirteen = false;
};

// The "seventh" part of major and minor chords with a seventh, naming the highest tension.
void AppendSeventhAndTensions(CMString& text, const CMChordFlags& f, ShownTensions& shown)
{
    if (!f.nine) {
        text += "7";
    } else if (!f.eleven) {
        text += "9";
        shown.nine = true;
    } else if (!f.thirteen) {
        text += "11";
        shown.nine = shown.eleven = true;
    } else {
        text += "13";
        shown.nine = shown.eleven = shown.thirteen = true;
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

// The word a style gives a major sixth or a plain major triad ("maj6", "M6", "6"; "maj", "M").
const char* MajorWord(const SuffixStyle& s, bool six)
{
    if (!s.plain && s.style == StyleWords)
        return six ? "maj6" : "maj";
    if (!s.plain && s.style == StyleLetters)
        return six ? "M6" : "M";
    return six ? "6" : "";
}

void AppendMajor(CMString& text, const CMChordFlags& f, const SuffixStyle& s, ShownTensions& shown)
{
    if (f.six) {
        text += MajorWord(s, true);
        if (f.nine) {
            text += "9";
            shown.nine = true;
        }
    } else if (f.majorSeventh) {
        AppendMajorSeventh(text, f.nine, s, "");
        shown.nine = f.nine;
    } else if (f.seventh) {
        AppendSeventhAndTensions(text, f, shown);
    } else {
        text += MajorWord(s, false);
    }
}

const char* MinorWord(const SuffixStyle& s)
{
    if (s.plain)
        return "m";
    if (s.style == StyleWords)
        return "min";
    return s.style == StyleSymbols ? "-" : "m";
}

void AppendMinor(CMString& text, const CMChordFlags& f, const SuffixStyle& s, ShownTensions& shown)
{
    text += MinorWord(s);
    if (f.six) {
        text += f.nine ? "69" : "6";
        shown.nine = f.nine;
    } else if (f.seventh) {
        AppendSeventhAndTensions(text, f, shown);
    } else if (f.majorSeventh) {
        AppendMajorSeventh(text, f.nine, s, " ");
        shown.nine = f.nine;
    }
}

// The chord kind with its sixth or seventh and the tensions that go with them.
void AppendKind(CMString& text, const CMMusicChord& chord, const SuffixStyle& s,
                ShownTensions& shown)
{
    const CMChordFlags& f = chord.flags;
    const bool symbols = !s.plain && s.style == StyleSymbols;
    switch (chord.kind) {
    case KindMajor: AppendMajor(text, f, s, shown); break;
    case KindMinor: AppendMinor(text, f, s, shown); break;
    case KindDiminished: text += symbols ? "o" : "dim"; break;
    case KindAugmented:
        text += symbols ? "+" : "aug";
        if (f.seventh)
            text += "7";
        break;
    case KindSuspended: text += f.seventh ? "sus7" : "sus4"; break;
    default: break;
    }
}

// A flat fifth (which turns a minor seventh into the half-diminished glyph among symbols) and a
// sharp fifth, unless the kind already has them.
void AppendAlteredFifths(CMString& text, const CMMusicChord& chord, const SuffixStyle& s,
                         bool symbols)
{
    const CMChordFlags& f = chord.flags;
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
}

// The ninths the main part did not name: flat, natural, sharp.
void AppendNinths(CMString& text, const CMChordFlags& f, const SuffixStyle& s, bool symbols,
                  const ShownTensions& shown)
{
    if (f.flatNine)
        text += symbols ? " -9" : (s.plain ? " b9" : " !9");
    if (f.nine && !shown.nine)
        text += s.plain ? " 9" : " =9";
    if (f.sharpNine)
        text += symbols ? " +9" : " #9";
}

// The elevenths and thirteenths the main part did not name.
void AppendUpperTensions(CMString& text, const CMChordFlags& f, const SuffixStyle& s, bool symbols,
                         const ShownTensions& shown)
{
    if (f.eleven && !shown.eleven)
        text += " =11";
    if (f.sharpEleven)
        text += symbols ? " +11" : " #11";
    if (f.flatThirteen)
        text += symbols ? " -13" : (s.plain ? " b13" : " !13");
    if (f.thirteen && !shown.thirteen)
        text += s.plain ? " 13" : " =13";
}

// The altered fifths and the tensions the main part did not name, in their fixed order.
void AppendAlterations(CMString& text, const CMMusicChord& chord, const SuffixStyle& s,
                       const ShownTensions& shown)
{
    const bool symbols = !s.plain && s.style == StyleSymbols;
    AppendAlteredFifths(text, chord, s, symbols);
    AppendNinths(text, chord.flags, s, symbols, shown);
    AppendUpperTensions(text, chord.flags, s, symbols, shown);
}

CMString Suffix(const CMMusicChord& chord, const SuffixStyle& s)
{
    ShownTensions shown;
    CMString text;
    AppendKind(text, chord, s, shown);
    AppendAlterations(text, chord, s, shown);
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
