// CMSongReader: see CMSongReader.h.
#include "server/CMSongReader.h"

#include "net/CMZimbrelMessages.h"
#include "server/CMSongStore.h"

namespace {

// Room left in a reply for its code byte and list header.
constexpr std::int32_t kReplyHeadroom = 64;
constexpr std::int32_t kMaxReplyContent = kClientMaxFrame - kReplyHeadroom;

}  // namespace

CMSongReader::CMSongReader(const std::string& databasePath, int threads)
{
    m_pool = std::make_unique<CMWorkerPool<Job, Result>>(threads, [databasePath] {
        // A store that cannot be opened reads nothing: the replies are empty.
        auto store = std::make_shared<CMSongStore>();
        std::string error;
        store->Open(databasePath, error, true);
        return [store](Job& job) {
            Result result = job.kind == Kind::Download ? BuildDownload(*store, job.names)
                                                       : BuildList(*store, job.names);
            result.ticket = job.ticket;
            result.kind = job.kind;
            result.asked = static_cast<int>(job.names.size());
            return result;
        };
    });
}

CMSongReader::Result CMSongReader::BuildList(CMSongStore& store,
                                             const std::vector<std::string>& userIds)
{
    CMZimbrelSongNameList names;
    std::int32_t size = 0;
    for (const CMStoredSong& song : store.ListSongs(userIds)) {
        const std::string name = song.title + "@" + song.userId;
        size += CFSerialData::GetTextSize(name);
        if (size > kMaxReplyContent)
            break;
        names.AddName(name);
    }
    return {0, Kind::List, BuildQuerySongListOK(names), names.GetCount()};
}

CMSongReader::Result CMSongReader::BuildDownload(CMSongStore& store,
                                                 const std::vector<std::string>& names)
{
    CMZimbrelSongList songs;
    std::int32_t size = 0;
    for (std::size_t i = 0; i < names.size() && i < kMaxNamesPerDownload; ++i) {
        std::string title, author;
        SplitSongName(names[i], title, author);
        for (const CMStoredSong& stored : store.FindSongs(title, author)) {
            auto song = std::make_unique<CMZimbrelSong>(stored.title + "@" + stored.userId,
                                                        stored.source, stored.uploadTime);
            size += song->GetSerialSize();
            if (size > kMaxReplyContent)
                return {0, Kind::Download, BuildDownloadOK(songs), songs.GetCount()};
            songs.Add(std::move(song));
        }
    }
    return {0, Kind::Download, BuildDownloadOK(songs), songs.GetCount()};
}
