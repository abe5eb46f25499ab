// CMFile: see CMFile.h.
#include "core/CMFile.h"

#include "core/VariableLengthQuantity.h"

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
