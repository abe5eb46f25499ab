// CMSongDocument: see CMSongDocument.h.
#include "app/CMSongDocument.h"

#include "core/AtomicFile.h"
#include "core/CMFile.h"
#include "core/CMTextFile.h"
#include "music/ErrorContext.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

// Songs are a few kilobytes; anything this large is not a song and is not read into memory.
constexpr long kLargestSong = 16L * 1024 * 1024;

}  // namespace

bool CMSongDocument::ReadSongFile(const char* path, CMString& text, CMString& error)
{
    struct stat info;
    if (stat(path, &info) != 0) {
        error.Format("Error : Cannot read '%s': %s", path, std::strerror(errno));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error.Format("Error : Cannot read '%s': not a file", path);
        return false;
    }
    if (info.st_size > kLargestSong) {
        error.Format("Error : Cannot read '%s': larger than 16 MiB, not a song", path);
        return false;
    }
    CMTextFile file;
    errno = 0;
    const long size = file.Load(path);
    if (size < 0 || size != info.st_size) {
        error.Format("Error : Cannot read '%s': %s", path,
                     errno ? std::strerror(errno) : "read error");
        return false;
    }
    text = file.GetText();
    return true;
}

bool CMSongDocument::Open(const char* path, CMString& readError)
{
    m_song.Clear();
    m_song.path = path;
    m_source = CMString();
    m_message = CMString();
    m_warnings.clear();
    m_compiled = false;
    m_modified = false;
    if (!ReadSongFile(path, m_source, readError))
        return false;
    Compile();
    return true;
}

bool CMSongDocument::SaveAs(const char* path, CMString& error)
{
    errno = 0;
    if (!WriteFileAtomically(path, m_source.View())) {
        error.Format("Error : Cannot write '%s': %s", path,
                     errno ? std::strerror(errno) : "write error");
        return false;
    }
    m_song.path = path;
    m_modified = false;
    return true;
}

bool CMSongDocument::Save(CMString& error)
{
    const CMString path = m_song.path;
    return SaveAs(path.GetText(), error);
}

void CMSongDocument::Reload(const CMString& text)
{
    m_source = text;
    m_modified = false;
    Compile();
}

bool CMSongDocument::IsSongFile(const char* path) const
{
    return CMFile::IsSameFile(m_song.path.GetText(), path);
}

void CMSongDocument::Compile()
{
    CMString errorText;
    m_compiled = m_song.Compile(m_source, errorText);
    m_warnings.clear();
    if (m_compiled)
        m_warnings = FindSongWarnings(m_source, m_song);
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

CMString CMSongDocument::GetErrorContext() const
{
    return m_compiled ? CMString() : ErrorContext(m_source);
}

void CMSongDocument::ReportWarnings(IMCompileShell& shell) const
{
    for (const CMSongWarning& warning : m_warnings)
        shell.WriteOutput(CMString(warning.Message()));
}

void CMSongDocument::ReportOpening(IMCompileShell& shell, bool warnings) const
{
    if (!m_message.IsEmpty()) {
        shell.WriteOutput(m_message);
    } else if (!GetTitle().IsEmpty()) {
        shell.WriteOutput(SuccessLine());
        if (warnings)
            ReportWarnings(shell);
    }
}

void CMSongDocument::ApplyEdit(const CMString& text, IMCompileShell& shell)
{
    if (text != m_source) {
        m_modified = true;
        m_source = text;
        Compile();
        shell.WriteOutput(m_compiled ? SuccessLine() : m_message);
        ReportWarnings(shell);
    }
    shell.RepaintChart();
}
