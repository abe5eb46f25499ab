// One chord of an iReal chart in the song language: the root, the quality ("^7", "-7b5", "h7",
// "o7", "7alt", "9sus" ...) taken apart into the song language's quality, seventh and tensions,
// and the slash bass as "on" and a note.
#pragma once

#include <string>

struct CMTranslatedChord {
    std::string text;  // in the song language, as the compiler reads it: "Cm7b5", "D7onF#"
    std::string lost;  // what the song language has no words for ("add9", "5 (no third)");
                       // empty when the chord is said whole
};

// `root` and `bass` are a letter A-G with an optional "b" or "#" (`bass` empty for none).
CMTranslatedChord TranslateIRealChord(const std::string& root, const std::string& quality,
                                      const std::string& bass);
