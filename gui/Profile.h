// The program's profile: what it keeps between runs outside ./Zimbrel.ini (the look, the window
// layout, the recent documents, the editor's size), under "Corvix".
#pragma once

#include <QSettings>

inline QSettings Profile()
{
    return QSettings(QStringLiteral("Corvix"), QStringLiteral("Zimbrel"));
}
