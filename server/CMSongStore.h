// CMSongStore: the song server's accounts and songs in one SQLite file. User IDs are unique
// whatever their case, e-mail addresses are unique, and a user has at most one song of a title.
// Every change is one transaction, so a failure stores nothing. One store is used from one thread;
// further stores opened read-only on the same file read beside it (WAL mode).
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct CMStoredUser {
    std::int64_t row = 0;
    std::string userId;
    std::string passwordHash;
};

// A song as stored: its title, its author's user ID, its source text and its upload time.
struct CMStoredSong {
    std::string title;
    std::string userId;
    std::string source;
    std::string uploadTime;
};

// What one account may store: songs, and bytes of source text.
struct CMSongQuota {
    std::int64_t songs = 2000;
    std::int64_t bytes = std::int64_t{32} * 1024 * 1024;
};

class CMSongStore {
public:
    enum class AddUserResult { Added, UserIdTaken, EmailTaken, Failed };
    enum class StoreResult { Stored, OverQuota, Failed };

    // Opens the database at `path`, creating it (mode 0600) and its tables when needed. Answers
    // false with the reason in `error` when the file cannot be opened, is not a database, or was
    // made by a newer server. A database that can be read but not written (a full disk) opens
    // read-only: GetReadOnlyReason then says why. `readOnly` asks for a reader of an existing
    // database.
    bool Open(const std::string& path, std::string& error, bool readOnly = false);
    // Empty while the database can be written; otherwise SQLite's reason.
    const std::string& GetReadOnlyReason() const { return m_readOnlyReason; }

    bool HasUserId(const std::string& userId);
    bool HasEmail(const std::string& email);
    AddUserResult AddUser(const std::string& userId, const std::string& email,
                          const std::string& passwordHash, const std::string& created);
    std::optional<CMStoredUser> FindUserByEmail(const std::string& email);

    // Stores the songs under the user, replacing the user's songs of the same titles; all or
    // nothing. `songs` holds title and source; the upload time is `uploaded` for all of them.
    // Refused when it would take the user past a limit of `quota` that it did not pass before.
    StoreResult StoreSongs(std::int64_t userRow, const std::vector<CMStoredSong>& songs,
                           const std::string& uploaded, const CMSongQuota& quota);
    // Every song, or those of the given user IDs, as (title, user ID), by title then user ID.
    std::vector<CMStoredSong> ListSongs(const std::vector<std::string>& userIds);
    // The songs of `title` by `userId`, or by any user when `userId` is empty.
    std::vector<CMStoredSong> FindSongs(const std::string& title, const std::string& userId);

    // The last SQLite error, for the log.
    std::string GetLastError() const;

private:
    struct DatabaseCloser {
        void operator()(sqlite3* db) const { sqlite3_close(db); }
    };
    struct StatementFinalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

    Statement Prepare(const char* sql);
    bool Execute(const char* sql);
    // Whether the query with one parameter finds a row.
    bool Exists(const char* sql, const std::string& value);
    bool CreateSchema(std::string& error, bool readOnly);
    // The user's songs and bytes of source text.
    bool MeasureUser(std::int64_t userRow, std::int64_t& songs, std::int64_t& bytes);
    std::vector<CMStoredSong> ReadSongs(sqlite3_stmt* statement, bool withSource);

    std::unique_ptr<sqlite3, DatabaseCloser> m_db;
    std::string m_readOnlyReason;
};
