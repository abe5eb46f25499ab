// How a melody is written in the key shown: the accidentals in force through a measure, as the song
// writes it and as the chart shows it.
#include "music/MelodySpelling.h"

#include "music/KeySignature.h"

#include <algorithm>

namespace {

// Middle C (C4) is staff position 0.
constexpr int kMiddleCStep = 4 * 7;

int LetterOf(int step)
{
    return ((step % 7) + 7) % 7;
}

}  // namespace

CMMelodySpeller::CMMelodySpeller(int writtenSignature, int shownSignature,
                                 const CMMusicInterval& interval)
    : m_interval(interval)
{
    for (int letter = 0; letter < 7; ++letter) {
        m_song.signature[static_cast<std::size_t>(letter)] =
            SignatureAlteration(writtenSignature, letter);
        m_chart.signature[static_cast<std::size_t>(letter)] =
            SignatureAlteration(shownSignature, letter);
    }
}

int CMMelodySpeller::Accidentals::InForce(int step) const
{
    const auto found =
        std::find_if(written.begin(), written.end(),
                     [step](const std::pair<int, int>& e) { return e.first == step; });
    return found != written.end() ? found->second
                                  : signature[static_cast<std::size_t>(LetterOf(step))];
}

void CMMelodySpeller::Accidentals::Write(int step, int alteration)
{
    const auto found =
        std::find_if(written.begin(), written.end(),
                     [step](const std::pair<int, int>& e) { return e.first == step; });
    if (found != written.end())
        found->second = alteration;
    else
        written.emplace_back(step, alteration);
}

void CMMelodySpeller::NextMeasure()
{
    m_song.written.clear();
    m_chart.written.clear();
}

CMMelodySpeller::Note CMMelodySpeller::Spell(const CMMusicKeyNumber& note)
{
    const int step = note.letter - LetterC + 7 * note.octave;
    CMWrittenPitch written{step, AlterationOf(note.accidental)};
    if (note.accidental == AccidentalNone)
        written.alteration = m_song.InForce(step);
    else
        m_song.Write(step, written.alteration);
    const CMWrittenPitch shown = m_interval.Move(written);
    Note spelled;
    spelled.position = shown.step - kMiddleCStep;
    spelled.alteration = shown.alteration;
    spelled.accidental = shown.alteration != m_chart.InForce(shown.step);
    if (spelled.accidental)
        m_chart.Write(shown.step, shown.alteration);
    return spelled;
}
