// CMIniFile: one value of the settings file on disk at a time. It keeps no parsed copy: every
// read parses the file anew and every write reads the whole file, changes one line and writes
// it back, so several objects can share the file and lines nobody knows survive every write.
// Reading or saving many values at once goes through CMIniText (ReadText, edit, WriteText).
#pragma once

#include "core/CMString.h"
#include "settings/CMIniText.h"
#include "settings/IMIniStore.h"

#include <functional>

class CMIniFile : public IMIniStore {
public:
    // The file "./name", relative to the working directory; an empty name leaves the path empty
    // for the owner to set.
    explicit CMIniFile(const char* name = nullptr);

    // A missing or unreadable file reads as empty: every value is its default.
    CMString ReadString(std::string_view section, std::string_view key,
                        const CMString& defaultValue) const override;
    // Reads, edits and writes the file. False, leaving the file as it was, when the value cannot
    // be stored, the existing file cannot be read or the new one cannot be written.
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // The file's text; a missing file gives the empty text. False (text empty) when the file
    // exists but cannot be read, or is not a plain file of a sensible size.
    bool ReadText(CMIniText& text) const;
    // Replaces the file by the text through a temporary file and a rename, so a crash never
    // leaves half a file. A new file is readable by its owner only: it holds the account password.
    bool WriteText(const CMIniText& text) const;
    // Reads the file once, lets `edit` write any number of values into its text and writes the
    // file once: the same bytes as writing the values one by one, without rewriting the file for
    // each. False when the file was not replaced or a value could not be stored.
    bool Edit(const std::function<bool(IMIniStore&)>& edit) const;

    CMString path;
};
