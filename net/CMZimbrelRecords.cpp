// The song-server records: see CMZimbrelRecords.h.
#include "net/CMZimbrelRecords.h"

#include "net/CFSerialData.h"

void CMZimbrelSongName::AppendTo(CFSerialData& out) const
{
    out.AppendText(name);
}

std::int32_t CMZimbrelSongName::Deserialize(const std::uint8_t* data, std::int32_t size)
{
    return CFSerialData::DecodeText(data, size, name);
}

std::int32_t CMZimbrelSongName::GetSerialSize() const
{
    return CFSerialData::GetTextSize(name);
}

void CMZimbrelSong::AppendTo(CFSerialData& out) const
{
    out.AppendText(name);
    out.AppendText(source);
    out.AppendText(uploadTime);
}

std::int32_t CMZimbrelSong::Deserialize(const std::uint8_t* data, std::int32_t size)
{
    std::int32_t consumed = 0;
    for (std::string* field : {&name, &source, &uploadTime}) {
        const std::int32_t used =
            CFSerialData::DecodeText(data + consumed, size - consumed, *field);
        if (used < 0) {
            name.clear();
            source.clear();
            uploadTime.clear();
            return -1;
        }
        consumed += used;
    }
    return consumed;
}

std::int32_t CMZimbrelSong::GetSerialSize() const
{
    return CFSerialData::GetTextSize(name) + CFSerialData::GetTextSize(source) +
           CFSerialData::GetTextSize(uploadTime);
}

void SplitSongName(std::string_view name, std::string& title, std::string& author)
{
    const std::size_t at = name.find('@');
    title = name.substr(0, at);
    author = at == std::string_view::npos ? std::string() : std::string(name.substr(at + 1));
}
