// CMFile: see CMFile.h.
#include "core/CMFile.h"

#include "core/CMString.h"
#include "core/CMStringList.h"
#include "core/VariableLengthQuantity.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <string_view>

CMFile::CMFile(const char* path, const char* mode)
{
    if (path && *path)
        Open(path, mode);
}

bool CMFile::Open(const char* path, const char* mode)
{
    Close();
    m_stream.reset(std::fopen(path, mode));
    return IsOpen();
}

void CMFile::Close()
{
    m_stream.reset();
}

int CMFile::Read(void* buffer, int count)
{
    if (!IsOpen() || count <= 0)
        return 0;
    return static_cast<int>(std::fread(buffer, 1, static_cast<std::size_t>(count), m_stream.get()));
}

int CMFile::Write(const void* buffer, int count)
{
    if (!IsOpen() || count <= 0)
        return 0;
    return static_cast<int>(
        std::fwrite(buffer, 1, static_cast<std::size_t>(count), m_stream.get()));
}

long CMFile::Seek(long offset, int origin)
{
    if (!IsOpen() || std::fseek(m_stream.get(), offset, origin) != 0)
        return -1;
    return Tell();
}

long CMFile::Tell() const
{
    return IsOpen() ? std::ftell(m_stream.get()) : -1;
}

long CMFile::GetSize()
{
    return Seek(0, SEEK_END);
}

bool CMFile::IsAtEnd()
{
    if (!IsOpen())
        return true;
    const int c = std::fgetc(m_stream.get());
    if (c == EOF)
        return true;
    std::ungetc(c, m_stream.get());
    return false;
}

template <class V>
static void WriteLittleEndian(CMFile& file, V value)
{
    unsigned char bytes[sizeof(V)];
    for (std::size_t i = 0; i < sizeof(V); ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    file.Write(bytes, sizeof(V));
}

template <class V>
static void ReadLittleEndian(CMFile& file, V& value)
{
    unsigned char bytes[sizeof(V)] = {};
    file.Read(bytes, sizeof(V));
    value = 0;
    for (std::size_t i = 0; i < sizeof(V); ++i)
        value = static_cast<V>(value | static_cast<V>(bytes[i]) << (8 * i));
}

CMFile& CMFile::operator<<(std::uint8_t value)
{
    WriteLittleEndian(*this, value);
    return *this;
}

CMFile& CMFile::operator<<(std::uint16_t value)
{
    WriteLittleEndian(*this, value);
    return *this;
}

CMFile& CMFile::operator<<(std::uint32_t value)
{
    WriteLittleEndian(*this, value);
    return *this;
}

CMFile& CMFile::operator>>(std::uint8_t& value)
{
    ReadLittleEndian(*this, value);
    return *this;
}

CMFile& CMFile::operator>>(std::uint16_t& value)
{
    ReadLittleEndian(*this, value);
    return *this;
}

CMFile& CMFile::operator>>(std::uint32_t& value)
{
    ReadLittleEndian(*this, value);
    return *this;
}

int CMFile::WriteVarLen(std::uint32_t value)
{
    // The thresholds are exclusive: 0x7F itself already takes two bytes (80 7F). Files written
    // by earlier versions use this form, so it stays.
    int count;
    if (value < 0x7F)
        count = 1;
    else if (value < 0x3FFF)
        count = 2;
    else if (value < 0x1FFFFF)
        count = 3;
    else if (value < 0x0FFFFFFF)
        count = 4;
    else
        return 0;
    std::uint8_t bytes[VariableLengthQuantity::kMaxSize];
    VariableLengthQuantity::EncodeAs(value, count, bytes);
    return Write(bytes, count) == count ? count : 0;
}

std::uint32_t CMFile::ReadVarLen()
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        unsigned char byte;
        if (Read(&byte, 1) != 1)
            return 0;
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            break;
    }
    return value;
}

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

CMString CMFile::EscapeHex(std::string_view source)
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

CMString CMFile::UnescapeHex(std::string_view source)
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

CMString CMFile::EscapeHex(const char* text)
{
    return EscapeHex(std::string_view(text ? text : ""));
}

CMString CMFile::UnescapeHex(const char* text)
{
    return UnescapeHex(std::string_view(text ? text : ""));
}

CMString CMFile::GetExtension(const char* path)
{
    const std::string_view text(path ? path : "");
    const std::size_t dot = text.rfind('.');
    if (dot == std::string_view::npos)
        return CMString();
    return CMString(text.substr(dot + 1));
}

CMString CMFile::GetFileName(const char* path, bool withExtension)
{
    const std::string_view text(path ? path : "");
    const std::size_t separator = text.find_last_of("/\\");
    if (separator == std::string_view::npos || separator + 1 >= text.size())
        return CMString();
    std::string_view name = text.substr(separator + 1);
    if (withExtension || name.find('.') == std::string_view::npos)
        return CMString(name);
    const std::size_t cut = static_cast<std::size_t>(GetExtension(path).GetLength()) + 1;
    if (name.size() <= cut)
        return CMString();
    return CMString(name.substr(0, name.size() - cut));
}

CMString CMFile::GetCurrentDir()
{
    return CMString(".");
}

bool CMFile::IsSameFile(const char* path, const char* otherPath)
{
    struct stat one, other;
    return path && otherPath && stat(path, &one) == 0 && stat(otherPath, &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

bool CMFile::ListFiles(CMStringList& names, const char* pattern)
{
    const std::string_view text(pattern ? pattern : "");
    const std::size_t separator = text.find_last_of('/');
    const std::string folder =
        separator == std::string_view::npos ? "." : std::string(text.substr(0, separator + 1));
    const std::string wildcard(separator == std::string_view::npos ? text
                                                                   : text.substr(separator + 1));
    DIR* directory = opendir(folder.c_str());
    if (!directory)
        return true;  // nothing matches
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || fnmatch(wildcard.c_str(), name.c_str(), 0) != 0)
            continue;
        struct stat info;
        if (stat((folder + name).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
            continue;
        names.AddTail(name.c_str());
    }
    closedir(directory);
    names.Sort();
    return true;
}
