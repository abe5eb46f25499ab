// The state the song scanner keeps besides flex's own: line count, remembered octave, the text and
// place of the last token (quoted by error messages), the texts handed to the parser, and a
// failure of the scanner itself. Shared by the generated scanner and CMChordLex.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>

// Thrown by the generated scanner when it cannot go on (out of memory); caught by CMChordYacc.
class CMChordLexFatal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A token code the grammar never accepts: the scanner hands it on after a failure of its own, so
// that the parse stops there and reports the scanner's message.
inline constexpr int kScannerFailureToken = 1000;

struct CMChordLexState {
    // Every match, token or not, moves the read position on by its length.
    void Advance(int length)
    {
        matchStart = position;
        position += static_cast<std::size_t>(length);
    }
    int Token(const char* text, int code)
    {
        tokenText = text;
        tokenStart = matchStart;
        return code;
    }
    int EndOfInput()
    {
        tokenText.clear();
        tokenStart = position;
        return 0;
    }
    int Fail(const char* message)
    {
        tokenText.clear();
        tokenStart = matchStart;
        failure = message;
        return kScannerFailureToken;
    }
    // Text values live here until the parse ends, so nothing leaks when a parse stops early.
    const std::string* KeepText(const char* text, int length)
    {
        texts.emplace_back(text, static_cast<std::size_t>(length));
        return &texts.back();
    }

    int line = 1;
    int octave = 3;              // for note-block pitches written without one
    int savedMode = 0;           // the start condition a comment returns to
    std::size_t position = 0;    // bytes of the text read so far
    std::size_t matchStart = 0;  // where the latest match began
    std::size_t tokenStart = 0;  // where the last token's text begins
    std::string tokenText;
    std::string failure;  // empty, or why the scanner stopped
    std::deque<std::string> texts;
};
