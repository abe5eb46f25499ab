// IFSerializable: a record that travels between the song client and the song server. Its encoding
// is appended whole to a buffer and read back from a byte range that decoding never leaves: a
// truncated encoding is a failure, not a read past the end.
#pragma once

#include <cstdint>

class CFSerialData;

class IFSerializable {
public:
    virtual ~IFSerializable() = default;

    // A new buffer holding the object's complete encoding.
    CFSerialData Serialize() const;
    // Appends the object's complete encoding to `out`.
    virtual void AppendTo(CFSerialData& out) const = 0;
    // Rebuilds the object from the `size` bytes at `data`. Answers the number of bytes consumed,
    // or -1 when they do not begin with a whole encoding; the object is then left empty.
    virtual std::int32_t Deserialize(const std::uint8_t* data, std::int32_t size) = 0;
    // The number of bytes the encoding takes, computed without building it.
    virtual std::int32_t GetSerialSize() const = 0;
};
