// CMTextFile: a whole file held as one text, read and written in binary mode, with the line-end
// conversion that settings and song files need.
#pragma once

#include "core/CMFile.h"
#include "core/CMString.h"

class CMTextFile : public CMFile {
public:
    CMTextFile() = default;
    // Opens as CMFile does and, when the path is not empty, loads the whole file.
    CMTextFile(const char* path, const char* mode);

    // Reads the whole file as the text. Answers the size; -1 when the file cannot be opened, the
    // size as it is when it is below 1, and the bytes read (text unchanged) after a short read.
    long Load(const char* path);
    // Writes the text through a temporary file that replaces the target only when complete.
    bool Save(const char* path) const;

    // false: CR LF and lone CR become LF. true: LF becomes CR LF and lone CR is dropped.
    const CMString& ConvertNewlines(bool toCRLF);

    const CMString& GetText() const { return m_text; }
    void SetText(const CMString& text) { m_text = text; }

private:
    CMString m_text;
};
