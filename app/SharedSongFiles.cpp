// The song files of song sharing: see SharedSongFiles.h.
#include "app/SharedSongFiles.h"

#include "core/AtomicFile.h"
#include "core/CMString.h"
#include "net/CMSongTitle.h"
#include "net/CMZimbrelMessages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// The whole file; nothing when it does not exist. A file that exists but cannot be read answers
// false.
bool ReadExisting(const std::string& path, std::optional<std::string>& bytes, std::string& reason)
{
    bytes.reset();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        if (errno == ENOENT)
            return true;
        reason = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string content;
    char buffer[8192];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        reason = "cannot read " + path;
        return false;
    }
    bytes = std::move(content);
    return true;
}

// Stores `source` at `path` unless a file with other content is there. Answers nothing when that
// is the case, so the caller can try another name.
std::optional<CMStoredSongFile> StoreAt(const std::string& path, const std::string& source)
{
    CMStoredSongFile result;
    result.path = path;
    std::optional<std::string> existing;
    if (!ReadExisting(path, existing, result.reason))
        return result;
    if (existing) {
        if (*existing != source)
            return std::nullopt;
        result.outcome = CMStoredSongFile::Outcome::AlreadyThere;
        return result;
    }
    if (!WriteFileAtomically(path.c_str(), source, 0644)) {
        result.reason = "cannot write " + path + ": " + std::strerror(errno);
        return result;
    }
    result.outcome = CMStoredSongFile::Outcome::Saved;
    return result;
}

CMStoredSongFile Refused(std::string reason)
{
    CMStoredSongFile result;
    result.reason = std::move(reason);
    return result;
}

}  // namespace

CMStoredSongFile StoreDownloadedSong(const std::string& folder, const CMZimbrelSong& song)
{
    std::string title, author;
    SplitSongName(song.name, title, author);
    if (const std::string problem = CheckSongTitle(title); !problem.empty())
        return Refused("the title " + problem);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
        return Refused("cannot create " + folder + ": " + std::strerror(errno));

    if (auto stored = StoreAt(folder + title + ".zimbrel", song.source))
        return *stored;
    if (author.empty())
        return Refused(folder + title + ".zimbrel holds another song");
    if (const std::string problem = CheckSongTitle(author); !problem.empty())
        return Refused("the author's user ID " + problem);
    const std::string path = folder + title + "@" + author + ".zimbrel";
    if (auto stored = StoreAt(path, song.source))
        return *stored;
    return Refused(path + " holds another song");
}

bool ReadSongForUpload(const std::string& path, CMZimbrelSong& song, std::string& reason)
{
    song.name = CMString::GetFileTitle(path.c_str()).Str();
    song.source.clear();
    song.uploadTime.clear();
    if (const std::string problem = CheckSongTitle(song.name); !problem.empty()) {
        reason = "the title " + problem;
        return false;
    }
    std::optional<std::string> bytes;
    if (!ReadExisting(path, bytes, reason))
        return false;
    if (!bytes) {
        reason = "cannot read " + path + ": " + std::strerror(ENOENT);
        return false;
    }
    if (bytes->size() > static_cast<std::size_t>(kMaxSongSource)) {
        reason = "it is larger than " + std::to_string(kMaxSongSource) + " bytes";
        return false;
    }
    if (bytes->find('\0') != std::string::npos) {
        reason = "it holds a zero byte";
        return false;
    }
    song.source = std::move(*bytes);
    return true;
}
