// The place of a compile error, shown where the last token alone says too little: when the
// scanner stopped inside a word ("chrod" gives the token "c"), the whole word, the line and a
// caret under the place, as lines to follow the compiler's message.
#pragma once

#include "core/CMString.h"

// The lines that show where compiling `source` stopped, each starting with two blanks and ending
// in a newline; empty when the source compiles or the last token is a whole word.
CMString ErrorContext(const CMString& source);
