// Lets GoogleTest print CMString values in failure messages.
#pragma once

#include "core/CMString.h"

#include <ostream>

inline void PrintTo(const CMString& text, std::ostream* out)
{
    *out << '"' << text.Str() << '"';
}
