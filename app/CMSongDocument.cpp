// CMSongDocument: see CMSongDocument.h.
#include "app/CMSongDocument.h"

#include "core/CMFile.h"
#include "core/CMTextFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

// Songs are a few kilobytes; anything this large is not a song and is not read into memory.
constexpr long kLargestSong = 16L * 1024 * 1024;

}  // namespace

bool CMSongDocument::Open(const char* path, CMString& readError)
{
    m_song.Clear();
    m_song.path = path;
    m_source = CMString();
    m_message = CMString();
    m_compiled = false;
    m_modified = false;

    struct stat info;
    if (stat(path, &info) != 0) {
        readError.Format("Error : Cannot read '%s': %s", path, std::strerror(errno));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        readError.Format("Error : Cannot read '%s': not a file", path);
        return false;
    }
    if (info.st_size > kLargestSong) {
        readError.Format("Error : Cannot read '%s': larger than 16 MiB, not a song", path);
        return false;
    }
    CMTextFile file;
    errno = 0;
    const long size = file.Load(path);
    if (size < 0 || size != info.st_size) {
        readError.Format("Error : Cannot read '%s': %s", path,
                         errno ? std::strerror(errno) : "read error");
        return false;
    }
    m_source = file.GetText();
    Compile();
    return true;
}

bool CMSongDocument::IsSongFile(const char* path) const
{
    return CMFile::IsSameFile(m_song.path.GetText(), path);
}

void CMSongDocument::Compile()
{
    CMString errorText;
    m_compiled = m_song.Compile(m_source, errorText);
    if (m_compiled)
        m_message = CMString();
    else if (!errorText.IsEmpty())
        m_message = errorText;
    else
        m_message.Format("Error : Compilation failure - '%s'", GetTitle().GetText());
}

CMString CMSongDocument::SuccessLine() const
{
    CMString line;
    line.Format("'%s' has been compiled successfully", GetTitle().GetText());
    return line;
}

void CMSongDocument::ReportOpening(IMCompileShell& shell) const
{
    if (!m_message.IsEmpty())
        shell.WriteOutput(m_message);
    else if (!GetTitle().IsEmpty())
        shell.WriteOutput(SuccessLine());
}

void CMSongDocument::ApplyEdit(const CMString& text, IMCompileShell& shell)
{
    if (text != m_source) {
        m_modified = true;
        m_source = text;
        Compile();
        shell.WriteOutput(m_compiled ? SuccessLine() : m_message);
    }
    shell.RepaintChart();
}
