// CMTextFile: see CMTextFile.h.
#include "core/CMTextFile.h"

#include "core/AtomicFile.h"

#include <string>

CMTextFile::CMTextFile(const char* path, const char* mode) : CMFile(path, mode)
{
    if (path && *path)
        Load(path);
}

long CMTextFile::Load(const char* path)
{
    Close();
    if (!Open(path, "rb"))
        return -1;
    const long size = GetSize();
    if (size < 1) {
        Close();
        return size;
    }
    Seek(0, SEEK_SET);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const long read = Read(bytes.data(), static_cast<int>(size));
    Close();
    if (read == size)
        m_text = CMString(std::string_view(bytes));
    return read;
}

bool CMTextFile::Save(const char* path) const
{
    return WriteFileAtomically(path, m_text.View());
}

const CMString& CMTextFile::ConvertNewlines(bool toCRLF)
{
    const std::string& text = m_text.Str();
    std::string out;
    out.reserve(text.size() + (toCRLF ? text.size() / 16 : 0));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (toCRLF) {
            if (c == '\n')
                out += "\r\n";
            else if (c != '\r')
                out += c;
        } else if (c == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    m_text = CMString(std::string_view(out));
    return m_text;
}
