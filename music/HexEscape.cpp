// HexEscape: see HexEscape.h.
#include "music/HexEscape.h"

#include <cstdint>
#include <cstdio>
#include <string>

static bool IsCopiedAsIs(unsigned char byte)
{
    return (byte >= 32 && byte <= 126) || byte == '\t' || byte == '\r' || byte == '\n';
}

static bool IsUpperHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// True where an escape sequence "\xHH" (upper-case hex) starts, as UnescapeHex reads them.
static bool StartsEscape(std::string_view text, std::size_t i)
{
    return i + 3 < text.size() && text[i] == '\\' && text[i + 1] == 'x' &&
           IsUpperHexDigit(text[i + 2]) && IsUpperHexDigit(text[i + 3]);
}

static bool IsValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra;
        std::uint32_t code;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Reject overlong forms, surrogates and code points past U+10FFFF.
        if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

CMString EscapeHex(std::string_view source)
{
    // In UTF-8 every byte of 128 or more stands for itself, so each is escaped on its own; only
    // a text that is not UTF-8 is read as a double-byte code page, where a lead byte and the
    // byte after it form one character and are escaped together.
    const bool singleBytes = IsValidUtf8(source);
    std::string out;
    out.reserve(source.size() + source.size() / 4);
    char escape[5];
    const auto put = [&](unsigned char byte) {
        std::snprintf(escape, sizeof escape, "\\x%02X", byte);
        out.append(escape, 4);
    };
    for (std::size_t i = 0; i < source.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(source[i]);
        if (byte == '\\' && StartsEscape(source, i)) {
            // A literal "\xHH" in the song would otherwise come back as one byte.
            put(byte);
        } else if (IsCopiedAsIs(byte) || byte == '\\') {
            out += static_cast<char>(byte);
        } else {
            put(byte);
            if (!singleBytes && i + 1 < source.size())
                put(static_cast<unsigned char>(source[++i]));
        }
    }
    return CMString(out);
}

CMString UnescapeHex(std::string_view source)
{
    std::string out;
    out.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (StartsEscape(source, i)) {
            out += static_cast<char>(std::stoi(std::string(source.substr(i + 2, 2)), nullptr, 16));
            i += 3;
        } else {
            out += source[i];
        }
    }
    return CMString(out);
}

CMString EscapeHex(const char* text)
{
    return EscapeHex(std::string_view(text ? text : ""));
}

CMString UnescapeHex(const char* text)
{
    return UnescapeHex(std::string_view(text ? text : ""));
}
