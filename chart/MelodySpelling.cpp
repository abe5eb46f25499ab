// How the chart writes its melody: the accidentals in force through a measure, as the song
// writes it and as the chart shows it.
#include "chart/MelodySpelling.h"

#include "music/KeySignature.h"

namespace {

// Middle C (C4) is staff position 0.
constexpr int kMiddleCStep = 4 * 7;

}  // namespace

void CMMelodySpeller::NextMeasure()
{
    m_written.clear();
    m_shown.clear();
}

int CMMelodySpeller::InForce(const Accidentals& measure, int signature, int step)
{
    const auto written = measure.find(step);
    if (written != measure.end())
        return written->second;
    return SignatureAlteration(signature, ((step % 7) + 7) % 7);
}

CMMelodySpeller::Note CMMelodySpeller::Spell(const CMMusicKeyNumber& note)
{
    const int step = note.letter - LetterC + 7 * note.octave;
    CMWrittenPitch written{step, AlterationOf(note.accidental)};
    if (note.accidental == AccidentalNone)
        written.alteration = InForce(m_written, m_writtenSignature, step);
    else
        m_written[step] = written.alteration;
    const CMWrittenPitch shown = m_interval.Move(written);
    Note spelled;
    spelled.position = shown.step - kMiddleCStep;
    spelled.alteration = shown.alteration;
    spelled.accidental = shown.alteration != InForce(m_shown, m_shownSignature, shown.step);
    if (spelled.accidental)
        m_shown[shown.step] = shown.alteration;
    return spelled;
}
