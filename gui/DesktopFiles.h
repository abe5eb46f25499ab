// What the desktop does with a song file for the song view: open it in the desktop's default
// text editor, put it on the clipboard for a file manager to paste (copied or cut), and move it
// to the trash.
#pragma once

#include <QString>

#include <functional>

class QObject;

// Starts the desktop's default application for plain text on `path`, without waiting for it.
// `failed` is called with a message when no application could be started.
void OpenInTextEditor(const QString& path, QObject* context,
                      const std::function<void(const QString&)>& failed);
// The file on the clipboard as a file manager takes it: its URL, marked copied or cut.
void PutFileOnClipboard(const QString& path, bool cut);
