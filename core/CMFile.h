// CMFile: a binary file on a C stream, with little-endian value I/O, the variable-length quantity
// used by the stored forms, and the static text helpers that work on paths and song text.
// Every operation on a closed file does nothing and answers its failure value.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

class CMString;
class CMStringList;

class CMFile {
public:
    CMFile() = default;
    CMFile(const char* path, const char* mode);  // opens at once when the path is not empty
    virtual ~CMFile() = default;
    CMFile(const CMFile&) = delete;
    CMFile& operator=(const CMFile&) = delete;

    bool Open(const char* path, const char* mode);  // closes any open stream first
    void Close();
    bool IsOpen() const { return m_stream != nullptr; }

    int Read(void* buffer, int count);         // bytes read; 0 when closed
    int Write(const void* buffer, int count);  // bytes written; 0 when closed
    long Seek(long offset, int origin);        // new position, -1 when closed or failing
    long Tell() const;
    long GetSize();  // seeks to the end and answers the position
    // True when no byte is left to read (or no stream is open). Loads of lists stop there, so a
    // damaged count never makes them read on and on.
    bool IsAtEnd();

    // Raw little-endian values.
    CMFile& operator<<(std::uint8_t value);
    CMFile& operator<<(std::uint16_t value);
    CMFile& operator<<(std::uint32_t value);
    CMFile& operator>>(std::uint8_t& value);
    CMFile& operator>>(std::uint16_t& value);
    CMFile& operator>>(std::uint32_t& value);

    // Variable-length quantity: 7 bits a byte, most significant first, bit 7 on all but the last.
    // A value of 0x0FFFFFFF or more writes nothing and answers 0; else the bytes written.
    int WriteVarLen(std::uint32_t value);
    std::uint32_t ReadVarLen();  // at most four bytes; 0 when a read fails

    // Song text escaping around the 7-bit scanner: bytes outside printable ASCII become "\xHH".
    static CMString EscapeHex(std::string_view text);
    static CMString UnescapeHex(std::string_view text);
    static CMString EscapeHex(const char* text);  // null reads as empty
    static CMString UnescapeHex(const char* text);
    // The part after the last dot of a path; empty when there is none or nothing follows it.
    static CMString GetExtension(const char* path);
    // The part after the last "/" or "\\"; without the path's extension when asked.
    static CMString GetFileName(const char* path, bool withExtension);
    static CMString GetCurrentDir();
    // The names (without folder) of the plain files matching a wildcard pattern, sorted.
    static bool ListFiles(CMStringList& names, const char* pattern);
    // Whether two paths name one existing file, whatever the names (links, "./", folders).
    static bool IsSameFile(const char* path, const char* otherPath);

protected:
    struct StreamCloser {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };
    std::unique_ptr<std::FILE, StreamCloser> m_stream;
};
