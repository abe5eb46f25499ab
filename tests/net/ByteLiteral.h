// B("..."): the bytes of a string literal, zero bytes included, for tests of binary messages.
#pragma once

#include <cstddef>
#include <string>

template <std::size_t N>
std::string B(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}
