// Kelvar::File::CQLogFile: the log file every line of the output pane is copied into. It is
// opened and closed for each write, so it can be read or removed while the program runs; at its
// size limit it is rotated into numbered older files (001 the newest). A file that cannot be
// written is skipped without a word: the log never stops the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Kelvar::File {

class CQLogFile {
public:
    // Appends `text` and a carriage return and line feed, rotating first when the current file
    // has reached the limit. Does nothing when disabled or without a base name.
    void Append(std::string_view text) const;

    // base name + ".log"
    std::string CurrentFileName() const;
    // base name + the number in three digits + ".log"
    std::string OldFileName(int number) const;

    bool enabled = true;
    std::string baseName = "./Corvix";  // without the extension
    std::uint32_t maxSizeKB = 1024;
    std::uint16_t oldFiles = 10;  // numbered files kept; 0 never rotates

private:
    void RotateIfFull() const;
};

}  // namespace Kelvar::File
