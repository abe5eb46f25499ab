// CMMusicSong: the compiled form of one song source. It holds the items as written (chord block,
// key block, notes, time base, title and lyric lines), the measures derived from them, the form
// (structure list with the theme structure inside) and the song's settings. The compiler fills
// it; the chart and the performance read it and never change it.
#pragma once

#include "core/CMBaseType.h"
#include "core/CMStringList.h"
#include "music/CMMusicChordList.h"
#include "music/CMMusicNotation.h"

#include <cstdint>
#include <vector>

// The name of a song's tempo style (0 "Ballad" .. 5 "Very Fast") as a tempo marking shows it;
// null for -1 (none given) and other values.
inline const char* TempoStyleName(int style)
{
    static constexpr const char* kNames[] = {"Ballad",      "Medium Slow", "Medium",
                                             "Medium Fast", "Fast",        "Very Fast"};
    return style >= 0 && style < 6 ? kNames[style] : nullptr;
}

// How the chart and the performance know the song's key.
struct CMSongKey {
    int pitchClass = 0;  // 0 C .. 11 B
    bool minor = false;
};

class CMMusicSong : public CMMusicChordList {
public:
    // One entry of the progression block's form.
    class CMMusicLabel : public IMComparison<CMMusicLabel> {
    public:
        CMMusicLabel() = default;
        CMMusicLabel(std::uint8_t code_, bool inThemeStructure_)
            : code(code_), inThemeStructure(inThemeStructure_)
        {
        }
        std::uint8_t code = LabelTheme;
        bool inThemeStructure = false;  // the code stood in the theme structure when parsed
    };

    // The structure list; it also owns the theme structure, the label codes a theme is made of.
    class CMMusicLabelList : public CMOwningList<CMMusicLabel> {
    public:
        CMMusicLabelList() = default;
        CMMusicLabelList(const CMMusicLabelList& other) : CMOwningList<CMMusicLabel>()
        {
            *this = other;
        }
        CMMusicLabelList& operator=(const CMMusicLabelList& other);
        void Clear();

        CMBaseTypeList<char> themeStructure;
    };

    CMMusicSong() = default;
    CMMusicSong(const CMMusicSong& other);             // copies the path too
    CMMusicSong& operator=(const CMMusicSong& other);  // keeps this song's path
    CMMusicSong(CMMusicSong&&) noexcept = default;
    CMMusicSong& operator=(CMMusicSong&&) noexcept = default;

    // Empties everything but the path; precount becomes -1 ("not given").
    void Clear();

    // Compiles song source text into this song. On failure `errorText` holds the first error
    // ("Error : line (N) message\n  Last token : \"text\"\n") and the song is unchanged.
    bool Compile(const CMString& source, CMString& errorText);

    // The song's name in every message and, when it has no title lines, on its chart: the file
    // name without folder and extension ("Blues" for "Blues.zimbrel" and "./Data/Blues.zimbrel").
    CMString GetFileTitle() const { return path.GetFileTitle(); }
    // The first chord of the key list (bars, slashes and labels passed over), or null.
    const CMMusicChord* GetKeyChord() const;
    // The key for scales and signatures: C major when the song names none.
    CMSongKey GetKey() const;

    // The first time signature of the time-base block (bar signs in it passed over); 4/4 when the
    // song gives none.
    void GetFirstMeter(int& numerator, int& denominator) const;
    // Label code of the measure at a 0-based index, -1 when there is none.
    int GetMeasureLabel(int index) const;
    // Number of measures, intro (9) and verse (10) measures only when asked for.
    int CountMeasures(bool withIntro, bool withVerse) const;
    // Label code of the last measure with a coda sign, -1 when none.
    int GetCodaLabel() const;
    // The last structure entry standing for a label code (an entry 11 stands for every code of a
    // non-empty theme structure), or null.
    const CMMusicLabel* FindStructureEntry(int code) const;
    // The chord of measure beat / 4 at beat beat % 4: with `exact` the chord starting on that
    // beat, else the one sounding there; null when there is none.
    const CMMusicChord* GetChordAt(int beat, bool exact) const;
    // Appends the measures of one section to a performance's sequence of measures, with its
    // repeats, first endings and, on the last time, the stop at the coda sign.
    void AppendSection(std::vector<const CMMusicChordList*>& sequence, int label,
                       bool lastTime) const;

    CMString path;  // the file the song was loaded from; kept by Clear and by assignment
    CMStringList title;
    CMStringList lyrics;  // lyric lines and the separators "/", "|", "~"
    CMMusicChordList keys;
    CMBaseTypeList<unsigned short> timeBase;  // numerator * 256 + denominator; 0 for a bar sign
    CMOwningList<CMMusicNotation> notes;
    int tempo = 150;
    int repeat = 4;
    CMString composer;
    CMString lyricist;
    int precount = 1;                         // 0-2; -1 not given
    int style = -1;                           // 0 ballad .. 5 very fast; -1 not given
    CMOwningList<CMMusicChordList> measures;  // the last one stands for the closing bar sign
    CMMusicLabelList structure;

private:
    void BuildMeasures();
    void BuildDefaultThemeStructure();
};
