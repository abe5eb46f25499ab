// What the playback tests play: small files of our own MIDI writer, read as the player reads
// them, and the SoundFont that sounds them.
#pragma once

#include "midi/CMMidiFile.h"
#include "midi/playback/CMMidiSequence.h"
#include "midi/playback/SoundFontSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// After `leadIn` silent ticks, a quarter-note C major chord on the piano.
inline CMMidiFile ShortSong(std::uint32_t leadIn = 192)
{
    CMMidiFile file(96);
    CMMidiFileChunk& piano = file.AddTrack(0, 0, "Piano");
    for (const std::uint8_t key : {60, 64, 67})
        file.AddNote(leadIn, 96, key, 100, &piano);
    file.MakeDeltaTimes();
    return file;
}

// The file written at `tempo` and read back.
inline CMMidiSequence SequenceOf(const CMMidiFile& file, int tempo)
{
    const std::vector<std::uint8_t> image = file.WriteImage(tempo);
    CMMidiSequence sequence;
    CMString error;
    EXPECT_TRUE(sequence.Read(std::string(image.begin(), image.end()), error)) << error.Str();
    return sequence;
}

// The small General MIDI SoundFont loads fastest; any other found does as well.
inline CMString TestSoundFont()
{
    CMString error;
    const CMString small = FindSoundFont("/usr/share/sounds/sf2/TimGM6mb.sf2", error);
    return small.IsEmpty() ? FindSoundFont(CMString(), error) : small;
}
