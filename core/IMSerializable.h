// IMSerializable: an object that can write itself to a CMFile (store true) or read itself back.
#pragma once

class CMFile;

class IMSerializable {
public:
    virtual ~IMSerializable() = default;
    virtual void Serialize(CMFile& file, bool store) = 0;
};
