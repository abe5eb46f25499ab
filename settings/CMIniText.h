// CMIniText: the text of a settings file held in memory, with the rules by which the program
// reads and edits it. A line is a section header ("[" first), a comment ("#" first), an entry
// (key "=" value, nothing trimmed) or empty; only lines that end in a line break (CR LF, LF or a
// lone CR) count, and a NUL byte ends the text. Edits touch one line and keep every other byte
// as it was, line breaks included; new lines end as the file's first line does.
#pragma once

#include "core/CMString.h"
#include "settings/IMIniStore.h"

#include <string>
#include <string_view>
#include <vector>

// One entry of the text, in the section it stands in.
struct CMIniEntry {
    CMString section;
    CMString key;
    CMString value;
};

class CMIniText : public IMIniStore {
public:
    CMIniText() = default;
    // From a file's bytes: the text ends at the first NUL byte, and whatever follows it is
    // carried along unread so that a write never loses it.
    explicit CMIniText(std::string_view fileBytes);

    // Finds the key in the first section of that name; false when it is not there.
    bool Find(std::string_view section, std::string_view key, CMString& value) const;
    CMString ReadString(std::string_view section, std::string_view key,
                        const CMString& defaultValue) const override;
    // False, changing nothing, for text that would not read back as written: a line break or
    // NUL anywhere, an empty key, a key holding "=" or "#" or starting with "[", a section
    // holding "[", "]" or "#".
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // Every entry with a key inside a section, in file order (also those a read cannot reach
    // because an earlier section or line has the same name).
    std::vector<CMIniEntry> GetEntries() const;
    // The bytes to store: the text, then the unread bytes from the NUL on.
    std::string GetFileBytes() const;

private:
    // Where the walk for a section and key ended.
    enum class Stop {
        KeyLine,      // the key's line: [begin, end) is the line without its break
        NextSection,  // the header after the section: begin is its first byte
        SectionEnd,   // the text ended inside the section
        NoSection,    // the text ended without the section
    };
    struct Place {
        Stop stop;
        std::size_t begin;
        std::size_t end;
    };
    Place Locate(std::string_view section, std::string_view key) const;

    std::string m_text;    // as in the file, up to the first NUL
    std::string m_unread;  // from the first NUL on, as it came
};
