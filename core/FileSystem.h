// FileSystem: the questions the program asks of folders and paths, answered through POSIX calls:
// which plain files in a folder match a wildcard, and whether two paths name one file.
#pragma once

class CMStringList;

// Appends the names (without folder) of the plain files matching a wildcard pattern such as
// "songs/*.zimbrel", sorted byte-wise. A missing folder matches nothing; the answer is always true.
bool ListFiles(CMStringList& names, const char* pattern);
// Whether two paths name one existing file, whatever the names (links, "./", folders).
bool IsSameFile(const char* path, const char* otherPath);
