// Songs for tests: compiled from source text, one chord from a chord block, and the example
// songs of Data/. A song that does not compile is a test failure naming the compiler's message.
#pragma once

#include "music/CMMusicSong.h"
#include "tests/FileContents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

inline CMMusicSong CompileSong(const std::string& source)
{
    CMMusicSong song;
    CMString error;
    EXPECT_TRUE(song.Compile(CMString(source), error)) << source << "\n" << error.Str();
    return song;
}

// The chord that "chord { text }" compiles to.
inline CMMusicChord CompileChord(const std::string& text)
{
    const CMMusicSong song = CompileSong("chord { " + text + " }");
    EXPECT_EQ(song.GetCount(), 1) << text;
    return song.IsEmpty() ? CMMusicChord() : *song.GetHead()->element;
}

struct ExampleSong {
    std::string fileName;
    CMMusicSong song;
};

// Every song of Data/, in the order of its file names.
inline std::vector<ExampleSong> ExampleSongs()
{
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(ZIMBREL_SOURCE_DIR "/Data"))
        if (entry.path().extension() == ".zimbrel")
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    std::vector<ExampleSong> songs;
    for (const std::filesystem::path& path : paths)
        songs.push_back({path.filename().string(), CompileSong(FileContents(path))});
    return songs;
}
