// CMSongDocument: one song as the program holds it: the source text of a .zimbrel file, the song
// compiled from it, the compiler's message and the warnings about a song that compiles but may
// be misread. Opening and editing compile the source and report the outcome through the shell,
// the same way in the desktop program and on the command line; saving writes the source back
// unchanged, through a temporary file renamed over the old one.
#pragma once

#include "app/IMCompileShell.h"
#include "music/CMMusicSong.h"
#include "music/SongWarnings.h"

#include <vector>

class CMSongDocument {
public:
    // Reads the whole song file at `path` into `text`. False, with a sentence for the user in
    // `error`, when it is missing, not a file, too large to be a song or cannot be read.
    static bool ReadSongFile(const char* path, CMString& text, CMString& error);

    // Clears the song, keeps the path and reads and compiles the file. Answers false, with the
    // reason in `readError`, when the file cannot be read; the song is then empty.
    bool Open(const char* path, CMString& readError);
    // Writes the source to the document's path; false, with the reason in `error`, when it
    // cannot be written (the file on disk is then as it was). Saved, the document is unmodified.
    bool Save(CMString& error);
    // Writes the source to `path`, which becomes the document's path; as Save otherwise.
    bool SaveAs(const char* path, CMString& error);
    // Takes `text` read again from the document's file: recompiled and no longer modified.
    void Reload(const CMString& text);
    // The report once the song is shown: the compiler's message, or the success line when the
    // document has a title followed by one line for each warning (unless `warnings` is false).
    void ReportOpening(IMCompileShell& shell, bool warnings = true) const;
    // Takes an edited source: when it differs, the document is marked modified, recompiled and
    // the outcome reported; the chart is redrawn either way.
    void ApplyEdit(const CMString& text, IMCompileShell& shell);

    // The file name without folder and extension, used in every message.
    CMString GetTitle() const { return m_song.GetFileTitle(); }
    const CMString& GetPath() const { return m_song.path; }
    // Whether writing to `path` would replace the song's own file, under whatever name: every
    // command that writes a file refuses such a path.
    bool IsSongFile(const char* path) const;
    const CMString& GetSource() const { return m_source; }
    const CMMusicSong& GetSong() const { return m_song; }
    CMMusicSong& GetSong() { return m_song; }
    const CMString& GetMessage() const { return m_message; }
    // After a failed compile: where it stopped, when the last token alone says too little
    // (ErrorContext.h); otherwise empty.
    CMString GetErrorContext() const;
    // After a successful compile: what may be misread, by line.
    const std::vector<CMSongWarning>& GetWarnings() const { return m_warnings; }
    bool IsCompiled() const { return m_compiled; }
    bool IsModified() const { return m_modified; }

private:
    void Compile();
    CMString SuccessLine() const;
    void ReportWarnings(IMCompileShell& shell) const;

    CMString m_source;
    CMMusicSong m_song;
    CMString m_message;  // empty after a successful compile
    std::vector<CMSongWarning> m_warnings;
    bool m_compiled = false;
    bool m_modified = false;
};
