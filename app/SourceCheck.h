// The source editor's check of a song as it is typed: the compiler's first error with the line
// it names, so the editor can mark that line and show the message under the text.
#pragma once

#include "core/CMString.h"

#include <optional>

struct CMSourceProblem {
    int line = 0;      // from 1; 0 when the message names none
    CMString message;  // on one line: "line (3) parse error - last token "x""
};

// Compiles `source` into a song of its own; nothing when it compiles.
std::optional<CMSourceProblem> CheckSongSource(const CMString& source);

// The line a compiler message names ("Error : line (N) ..."); 0 when it names none.
int ErrorLineOf(const CMString& message);
