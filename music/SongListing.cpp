// The song listing: see SongListing.h.
#include "music/SongListing.h"

#include "music/CMMusicSong.h"

namespace {

const char* const kRule = "****************************************\n";

}  // namespace

CMString LabelText(int labelCode)
{
    static const char* const kNames[] = {"Intro",        "Verse",     "Theme",
                                         "Second Theme", "Interlude", "Ending"};
    CMString text;
    if (labelCode >= LabelIntro && labelCode <= LabelEnding)
        text = kNames[labelCode - LabelIntro];
    else if (IsLetterLabel(labelCode))
        text.Format("Label %c", labelCode + 50);
    else if (IsDigitLabel(labelCode))
        text.Format("Label %c", labelCode + 7);
    return text;
}

CMString BarKindText(int barKind)
{
    static const char* const kNames[] = {", BarNone",      ", Bar",         ", DoubleBar",
                                         ", FineBar",      ", RepeatBegin", ", RepeatEnd",
                                         ", DoubleRepeat", ", BranchBar",   ", CodaBar"};
    if (barKind < 0 || barKind > CodaBar)
        return CMString();
    return CMString(kNames[barKind]);
}

CMString MeasureChordsText(const CMMusicChordList& measure)
{
    CMString text;
    CMString piece;
    for (const CMMusicChord* chord : measure) {
        const CMString name = chord->GetName();
        const CMString suffix = chord->GetPlainText();
        if (chord->length == LengthMeasure)
            piece.Format(" %s%s %s ", name.GetText(), suffix.GetText(), "///");
        else if (chord->length == LengthHalf)
            piece.Format(" %s%s %s ", name.GetText(), suffix.GetText(), "/");
        else
            piece.Format(" %s%s ", name.GetText(), suffix.GetText());
        text += piece;
    }
    return text;
}

void AppendBarsListing(const CMMusicSong& song, CMString& listing)
{
    CMString text;
    text += kRule;
    text += "Bars\n";
    text += kRule;
    for (const CMMusicChordList* measure : song.measures) {
        text += LabelText(measure->labelCode);
        text += BarKindText(measure->barKind);
        text += MeasureChordsText(*measure);
        text += "\n";
    }
    text += "\n";
    listing += text;
}
