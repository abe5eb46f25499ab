// CMFile: a binary file on a C stream, with little-endian value I/O and the variable-length
// quantity used by the stored forms.
// Every operation on a closed file does nothing and answers its failure value.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

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

protected:
    struct StreamCloser {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };
    std::unique_ptr<std::FILE, StreamCloser> m_stream;
};
