// The chord kinds: which flags a kind takes up, and the degrees for the flags left over.
#include "interchange/ChordHarmony.h"

namespace {

// The flags still to be said, taken one by one as the kind and the degrees say them.
struct Remaining {
    CMChordFlags flags;

    bool Take(std::uint8_t CMChordFlags::*flag)
    {
        const bool set = flags.*flag != 0;
        flags.*flag = 0;
        return set;
    }
};

// Ninth, eleventh and thirteenth kinds stack their tensions on a seventh: "dominant" grows into
// "dominant-ninth" with a nine, "-11th" with nine and eleven, "-13th" with all three.
void StackTensions(Remaining& rest, CMHarmony& harmony, const char* base, const char* text)
{
    CMChordFlags& f = rest.flags;
    std::string kind = base, shown = text;
    if (f.nine) {
        const bool eleven = f.eleven != 0, thirteen = eleven && f.thirteen;
        kind += thirteen ? "-13th" : eleven ? "-11th" : "-ninth";
        shown += thirteen ? "13" : eleven ? "11" : "9";
        f.nine = 0;
        f.eleven = 0;
        if (thirteen)
            f.thirteen = 0;
    } else {
        kind += "-seventh";
        shown += "7";
    }
    harmony.kind = kind;
    harmony.text = shown;
}

void MajorKind(Remaining& rest, CMHarmony& harmony)
{
    if (rest.Take(&CMChordFlags::six)) {
        harmony.kind = "major-sixth";
        harmony.text = rest.flags.nine ? "69" : "6";
        if (rest.Take(&CMChordFlags::nine))
            harmony.degrees.push_back({9, 0, true, false});
    } else if (rest.Take(&CMChordFlags::majorSeventh)) {
        StackTensions(rest, harmony, "major", "maj");
    } else if (rest.Take(&CMChordFlags::seventh)) {
        StackTensions(rest, harmony, "dominant", "");
        if (harmony.kind == "dominant-seventh")
            harmony.kind = "dominant";
    } else {
        harmony.kind = "major";
    }
}

void MinorKind(Remaining& rest, CMHarmony& harmony)
{
    CMChordFlags& f = rest.flags;
    if (f.seventh && f.flatFive) {
        rest.Take(&CMChordFlags::seventh);
        rest.Take(&CMChordFlags::flatFive);
        harmony.kind = "half-diminished";
        harmony.text = "m7b5";
    } else if (rest.Take(&CMChordFlags::six)) {
        harmony.kind = "minor-sixth";
        harmony.text = f.nine ? "m69" : "m6";
        if (rest.Take(&CMChordFlags::nine))
            harmony.degrees.push_back({9, 0, true, false});
    } else if (rest.Take(&CMChordFlags::seventh)) {
        StackTensions(rest, harmony, "minor", "m");
    } else if (rest.Take(&CMChordFlags::majorSeventh)) {
        harmony.kind = "major-minor";
        harmony.text = "m(maj7)";
    } else {
        harmony.kind = "minor";
        harmony.text = "m";
    }
}

void OtherKind(std::uint8_t kind, Remaining& rest, CMHarmony& harmony)
{
    switch (kind) {
    case KindDiminished: {
        // The diminished triad has its flat five; its seventh is the diminished one.
        rest.Take(&CMChordFlags::flatFive);
        const bool seventh = rest.Take(&CMChordFlags::seventh);
        harmony.kind = seventh ? "diminished-seventh" : "diminished";
        harmony.text = seventh ? "dim7" : "dim";
        break;
    }
    case KindAugmented: {
        rest.Take(&CMChordFlags::sharpFive);
        const bool seventh = rest.Take(&CMChordFlags::seventh);
        harmony.kind = seventh ? "augmented-seventh" : "augmented";
        harmony.text = seventh ? "+7" : "+";
        break;
    }
    case KindSuspended: {
        harmony.kind = "suspended-fourth";
        harmony.text = rest.flags.seventh ? "7sus4" : "sus4";
        if (rest.Take(&CMChordFlags::seventh))
            harmony.degrees.push_back({7, -1, true, false});
        break;
    }
    default: MajorKind(rest, harmony); break;
    }
}

// The flags no kind took, as degrees in the order of the scale.
void LeftOverDegrees(Remaining& rest, CMHarmony& harmony)
{
    struct Tension {
        std::uint8_t CMChordFlags::*flag;
        CMHarmonyDegree degree;
    };
    static const Tension kTensions[] = {
        {&CMChordFlags::flatFive, {5, -1, false, true}},
        {&CMChordFlags::sharpFive, {5, 1, false, true}},
        {&CMChordFlags::six, {6, 0, true, true}},
        {&CMChordFlags::seventh, {7, -1, true, true}},
        {&CMChordFlags::majorSeventh, {7, 0, true, true}},
        {&CMChordFlags::flatNine, {9, -1, true, true}},
        {&CMChordFlags::nine, {9, 0, true, true}},
        {&CMChordFlags::sharpNine, {9, 1, true, true}},
        {&CMChordFlags::eleven, {11, 0, true, true}},
        {&CMChordFlags::sharpEleven, {11, 1, true, true}},
        {&CMChordFlags::flatThirteen, {13, -1, true, true}},
        {&CMChordFlags::thirteen, {13, 0, true, true}},
    };
    for (const Tension& tension : kTensions)
        if (rest.Take(tension.flag))
            harmony.degrees.push_back(tension.degree);
}

}  // namespace

CMHarmony HarmonyOf(const CMMusicChord& chord)
{
    Remaining rest{chord.flags};
    CMHarmony harmony;
    if (chord.kind == KindMinor)
        MinorKind(rest, harmony);
    else
        OtherKind(chord.kind, rest, harmony);
    LeftOverDegrees(rest, harmony);
    return harmony;
}
