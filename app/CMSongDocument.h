// CMSongDocument: one song as the program holds it: the source text of a .zimbrel file, the song
// compiled from it and the compiler's message. Opening and editing compile the source and report
// the outcome through the shell, the same way in the desktop program and on the command line.
#pragma once

#include "app/IMCompileShell.h"
#include "music/CMMusicSong.h"

class CMSongDocument {
public:
    // Clears the song, keeps the path and reads and compiles the file. Answers false, with the
    // reason in `readError`, when the file cannot be read; the song is then empty.
    bool Open(const char* path, CMString& readError);
    // The report once the song is shown: the compiler's message, or the success line when the
    // document has a title.
    void ReportOpening(IMCompileShell& shell) const;
    // Takes an edited source: when it differs, the document is marked modified, recompiled and
    // the outcome reported; the chart is redrawn either way.
    void ApplyEdit(const CMString& text, IMCompileShell& shell);

    // The file name without folder and extension, used in every message.
    CMString GetTitle() const { return m_song.GetFileTitle(); }
    // Whether writing to `path` would replace the song's own file, under whatever name: every
    // command that writes a file refuses such a path.
    bool IsSongFile(const char* path) const;
    const CMString& GetSource() const { return m_source; }
    const CMMusicSong& GetSong() const { return m_song; }
    CMMusicSong& GetSong() { return m_song; }
    const CMString& GetMessage() const { return m_message; }
    bool IsCompiled() const { return m_compiled; }
    bool IsModified() const { return m_modified; }

private:
    void Compile();
    CMString SuccessLine() const;

    CMString m_source;
    CMMusicSong m_song;
    CMString m_message;  // empty after a successful compile
    bool m_compiled = false;
    bool m_modified = false;
};
