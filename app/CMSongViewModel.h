// CMSongViewModel: what the song view shows and does. The tree holds the titles of the song files
// in the song folder, in the tree's alphabetical order, with the current document's title
// selected; the Properties command (135) asks for Edit song; the context menu compiles a song
// into "Output" and names the file the others (open with, copy, remove) act on.
#pragma once

#include "app/IMCommandTarget.h"
#include "app/IMCompileShell.h"
#include "core/CMString.h"

#include <functional>
#include <string>
#include <vector>

struct CMSongTree {
    std::vector<CMString> titles;
    int selected = -1;  // the document's title; -1 when it is not among them
};

// The titles of `folder`*.zimbrel (the folder ending in "/"), the extension stripped, sorted as
// the tree sorts: letters without regard to case, then byte by byte. A folder that cannot be
// listed gives an empty tree.
CMSongTree ReadSongTree(const std::string& folder, const CMString& documentTitle);
// The file of a title shown in the tree.
std::string SongFilePath(const std::string& folder, const CMString& title);
// Compiles the song file and reports the outcome as opening it would: the success line or the
// compiler's message (or why the file could not be read).
void CompileSongFile(const std::string& path, IMCompileShell& shell);
// The question asked before a song file goes to the trash.
CMString RemoveSongQuestion(const CMString& title);

class CMSongViewModel : public IMCommandTarget {
public:
    // `post` runs a command once the current one is over, as a posted message would.
    explicit CMSongViewModel(std::function<void(int)> post) : m_post(std::move(post)) {}

    // Properties (135): posts Edit song (32794).
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override;

private:
    std::function<void(int)> m_post;
};
