// The records of the song-server conversation: a song's name, a song with its two further text
// fields, and the three lists that carry them. Text is bytes in the system's narrow character set
// and is never converted.
#pragma once

#include "net/CFPointerList.h"
#include "net/IFSerializable.h"

#include <cstdint>
#include <string>
#include <string_view>

// A song's name (in the server's lists "title@userid") or, in a user-name list, a user ID.
class CMZimbrelSongName : public IFSerializable {
public:
    CMZimbrelSongName() = default;
    explicit CMZimbrelSongName(std::string_view text) : name(text) {}

    void AppendTo(CFSerialData& out) const override;
    std::int32_t Deserialize(const std::uint8_t* data, std::int32_t size) override;
    std::int32_t GetSerialSize() const override;

    std::string name;
};

// A song: its name, its source text and its upload time (ISO 8601, UTC).
class CMZimbrelSong : public CMZimbrelSongName {
public:
    CMZimbrelSong() = default;
    CMZimbrelSong(std::string_view songName, std::string_view songSource, std::string_view time)
        : CMZimbrelSongName(songName), source(songSource), uploadTime(time)
    {
    }

    void AppendTo(CFSerialData& out) const override;
    std::int32_t Deserialize(const std::uint8_t* data, std::int32_t size) override;
    std::int32_t GetSerialSize() const override;

    std::string source;
    std::string uploadTime;
};

class CMZimbrelSongNameList : public CFPointerList<CMZimbrelSongName> {
public:
    // Appends a copy of `name`.
    void AddName(std::string_view name) { Add(std::make_unique<CMZimbrelSongName>(name)); }
};

class CMZimbrelUserNameList : public CFPointerList<CMZimbrelSongName> {
public:
    void AddName(std::string_view userId) { Add(std::make_unique<CMZimbrelSongName>(userId)); }
};

class CMZimbrelSongList : public CFPointerList<CMZimbrelSong> {};

// Splits a song name at its first at-mark: the title is the text before it (the whole name when
// there is none), the author the text after it (empty when there is none).
void SplitSongName(std::string_view name, std::string& title, std::string& author);
