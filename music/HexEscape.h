// HexEscape: the song text's escaping around the 7-bit scanner. Bytes outside printable ASCII
// become "\xHH" before scanning and come back byte for byte afterwards, so titles and lyrics in
// any encoding survive a compile.
#pragma once

#include "core/CMString.h"

#include <string_view>

// UTF-8 bytes are escaped one by one; a text that is not UTF-8 is read as a double-byte code
// page and a lead byte is escaped with the byte after it. A literal "\xHH" escapes its backslash.
CMString EscapeHex(std::string_view text);
CMString UnescapeHex(std::string_view text);
CMString EscapeHex(const char* text);  // null reads as empty
CMString UnescapeHex(const char* text);
