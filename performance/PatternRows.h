// How the built-in libraries are written: one call per pattern, with its notes as rows of
// tick, key (or keys struck together), velocity and duration code, all sounding their full
// length. The rows read like the tables a musician would write them in.
#pragma once

#include "performance/CMMusicNoteList.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

struct CMNoteRow {
    CMNoteRow(int tick_, int key, int velocity_, std::uint8_t code_)
        : tick(tick_), keys{key}, velocity(velocity_), code(code_)
    {
    }
    CMNoteRow(int tick_, std::initializer_list<int> keys_, int velocity_, std::uint8_t code_)
        : tick(tick_), keys(keys_), velocity(velocity_), code(code_)
    {
    }
    CMNoteRow(int tick_, const std::vector<int>& keys_, int velocity_, std::uint8_t code_)
        : tick(tick_), keys(keys_), velocity(velocity_), code(code_)
    {
    }
    int tick;
    std::vector<int> keys;
    int velocity;
    std::uint8_t code;
};

// Appends one pattern; keys of -1 are approach-note placeholders.
inline CMMusicNoteList& AddPattern(CMMusicPhraseList& library, std::uint32_t scaleMask,
                                   std::uint8_t lengthCode, std::uint32_t weight, int lowShift,
                                   int highShift, int lowTempo, int highTempo,
                                   std::initializer_list<CMNoteRow> notes)
{
    auto pattern = std::make_unique<CMMusicNoteList>(scaleMask, 0, lengthCode, weight, lowShift,
                                                     highShift, lowTempo, highTempo);
    for (const CMNoteRow& row : notes)
        for (const int key : row.keys)
            pattern->InsertNote(CMMusicNote(row.tick, key, row.velocity, row.code));
    return library.AddTail(std::move(pattern));
}
