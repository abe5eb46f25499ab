// CMSongStore: see CMSongStore.h.
#include "server/CMSongStore.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSchemaVersion = 1;

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS users(
  id INTEGER PRIMARY KEY,
  user_id TEXT NOT NULL UNIQUE COLLATE NOCASE,
  email TEXT NOT NULL UNIQUE,
  password_hash TEXT NOT NULL,
  created TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS songs(
  id INTEGER PRIMARY KEY,
  user INTEGER NOT NULL REFERENCES users(id),
  title TEXT NOT NULL,
  source BLOB NOT NULL,
  uploaded TEXT NOT NULL,
  UNIQUE(user, title));
CREATE INDEX IF NOT EXISTS songs_by_title ON songs(title);
PRAGMA user_version = 1;
)";

void Bind(sqlite3_stmt* statement, int index, const std::string& text)
{
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

std::string Column(sqlite3_stmt* statement, int index)
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, index));
    return bytes ? std::string(bytes,
                               static_cast<std::size_t>(sqlite3_column_bytes(statement, index)))
                 : std::string();
}

}  // namespace

bool CMSongStore::Open(const std::string& path, std::string& error, bool readOnly)
{
    m_readOnlyReason.clear();
    if (!readOnly) {
        // A new database holds e-mail addresses and password hashes: readable by its owner only
        // (SQLite gives its journal files the database's permissions).
        const int created = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (created >= 0)
            close(created);
    }
    sqlite3* db = nullptr;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int status = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    m_db.reset(db);
    if (status != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : sqlite3_errstr(status);
        m_db.reset();
        return false;
    }
    sqlite3_busy_timeout(m_db.get(), 5000);
    // The WAL and its index stay when the server stops, so that a server restarted on a full disk
    // can still read the database: creating the index then would fail.
    int persist = 1;
    sqlite3_file_control(m_db.get(), "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    if (!CreateSchema(error, readOnly)) {
        m_db.reset();
        return false;
    }
    return true;
}

bool CMSongStore::CreateSchema(std::string& error, bool readOnly)
{
    Statement version = Prepare("PRAGMA user_version");
    if (!version || sqlite3_step(version.get()) != SQLITE_ROW) {
        error = GetLastError();
        return false;
    }
    const int found = sqlite3_column_int(version.get(), 0);
    version.reset();
    if (found > kSchemaVersion) {
        error = "the database was made by a newer zimbrel-server";
        return false;
    }
    if (!Execute("PRAGMA synchronous=NORMAL") || !Execute("PRAGMA foreign_keys=ON")) {
        error = GetLastError();
        return false;
    }
    if (readOnly)
        return true;
    if (found == kSchemaVersion) {
        // Writing the version again is the smallest write there is: it fails on a full disk.
        if (!Execute("PRAGMA user_version = 1"))
            m_readOnlyReason = GetLastError();
        return true;
    }
    // WAL: readers never wait for a writer, and a commit does not wait for the disk each time.
    if (!Execute("PRAGMA journal_mode=WAL") || !Execute(kSchema)) {
        error = GetLastError();
        return false;
    }
    return true;
}

bool CMSongStore::HasUserId(const std::string& userId)
{
    return Exists("SELECT 1 FROM users WHERE user_id = ?", userId);
}

bool CMSongStore::HasEmail(const std::string& email)
{
    return Exists("SELECT 1 FROM users WHERE email = ?", email);
}

bool CMSongStore::Exists(const char* sql, const std::string& value)
{
    Statement statement = Prepare(sql);
    if (!statement)
        return false;
    Bind(statement.get(), 1, value);
    return sqlite3_step(statement.get()) == SQLITE_ROW;
}

CMSongStore::AddUserResult CMSongStore::AddUser(const std::string& userId, const std::string& email,
                                                const std::string& passwordHash,
                                                const std::string& created)
{
    if (HasUserId(userId))
        return AddUserResult::UserIdTaken;
    if (HasEmail(email))
        return AddUserResult::EmailTaken;
    Statement statement =
        Prepare("INSERT INTO users(user_id, email, password_hash, created) VALUES(?, ?, ?, ?)");
    if (!statement)
        return AddUserResult::Failed;
    Bind(statement.get(), 1, userId);
    Bind(statement.get(), 2, email);
    Bind(statement.get(), 3, passwordHash);
    Bind(statement.get(), 4, created);
    return sqlite3_step(statement.get()) == SQLITE_DONE ? AddUserResult::Added
                                                        : AddUserResult::Failed;
}

std::optional<CMStoredUser> CMSongStore::FindUserByEmail(const std::string& email)
{
    Statement statement = Prepare("SELECT id, user_id, password_hash FROM users WHERE email = ?");
    if (!statement)
        return std::nullopt;
    Bind(statement.get(), 1, email);
    if (sqlite3_step(statement.get()) != SQLITE_ROW)
        return std::nullopt;
    return CMStoredUser{sqlite3_column_int64(statement.get(), 0), Column(statement.get(), 1),
                        Column(statement.get(), 2)};
}

CMSongStore::StoreResult CMSongStore::StoreSongs(std::int64_t userRow,
                                                 const std::vector<CMStoredSong>& songs,
                                                 const std::string& uploaded,
                                                 const CMSongQuota& quota)
{
    if (!Execute("BEGIN IMMEDIATE"))
        return StoreResult::Failed;
    std::int64_t songsBefore = 0, bytesBefore = 0;
    Statement statement =
        Prepare("INSERT INTO songs(user, title, source, uploaded) VALUES(?, ?, ?, ?) "
                "ON CONFLICT(user, title) DO UPDATE SET source = excluded.source, uploaded = "
                "excluded.uploaded");
    bool ok = statement != nullptr && MeasureUser(userRow, songsBefore, bytesBefore);
    for (const CMStoredSong& song : songs) {
        if (!ok)
            break;
        sqlite3_reset(statement.get());
        sqlite3_bind_int64(statement.get(), 1, userRow);
        Bind(statement.get(), 2, song.title);
        sqlite3_bind_blob(statement.get(), 3, song.source.data(),
                          static_cast<int>(song.source.size()), SQLITE_TRANSIENT);
        Bind(statement.get(), 4, uploaded);
        ok = sqlite3_step(statement.get()) == SQLITE_DONE;
    }
    statement.reset();
    std::int64_t songsAfter = 0, bytesAfter = 0;
    ok = ok && MeasureUser(userRow, songsAfter, bytesAfter);
    // An account above a limit (lowered since) may still replace songs by smaller ones.
    const bool overQuota = (songsAfter > quota.songs && songsAfter > songsBefore) ||
                           (bytesAfter > quota.bytes && bytesAfter > bytesBefore);
    if (ok && !overQuota && Execute("COMMIT"))
        return StoreResult::Stored;
    Execute("ROLLBACK");
    return ok && overQuota ? StoreResult::OverQuota : StoreResult::Failed;
}

bool CMSongStore::MeasureUser(std::int64_t userRow, std::int64_t& songs, std::int64_t& bytes)
{
    Statement statement =
        Prepare("SELECT COUNT(*), COALESCE(SUM(LENGTH(source)), 0) FROM songs WHERE user = ?");
    if (!statement)
        return false;
    sqlite3_bind_int64(statement.get(), 1, userRow);
    if (sqlite3_step(statement.get()) != SQLITE_ROW)
        return false;
    songs = sqlite3_column_int64(statement.get(), 0);
    bytes = sqlite3_column_int64(statement.get(), 1);
    return true;
}

std::vector<CMStoredSong> CMSongStore::ListSongs(const std::vector<std::string>& userIds)
{
    if (userIds.empty()) {
        Statement all = Prepare(
            "SELECT songs.title, users.user_id FROM songs JOIN users ON users.id = songs.user "
            "ORDER BY songs.title, users.user_id");
        return ReadSongs(all.get(), false);
    }
    std::vector<CMStoredSong> songs;
    Statement ofUser =
        Prepare("SELECT songs.title, users.user_id FROM songs JOIN users ON users.id = songs.user "
                "WHERE users.user_id = ? ORDER BY songs.title");
    if (!ofUser)
        return songs;
    for (const std::string& userId : userIds) {
        sqlite3_reset(ofUser.get());
        Bind(ofUser.get(), 1, userId);
        for (CMStoredSong& song : ReadSongs(ofUser.get(), false))
            songs.push_back(std::move(song));
    }
    return songs;
}

std::vector<CMStoredSong> CMSongStore::FindSongs(const std::string& title,
                                                 const std::string& userId)
{
    Statement statement =
        Prepare("SELECT songs.title, users.user_id, songs.source, songs.uploaded FROM songs "
                "JOIN users ON users.id = songs.user WHERE songs.title = ?1 AND (?2 = '' OR "
                "users.user_id = ?2) "
                "ORDER BY users.user_id");
    if (!statement)
        return {};
    Bind(statement.get(), 1, title);
    Bind(statement.get(), 2, userId);
    return ReadSongs(statement.get(), true);
}

std::vector<CMStoredSong> CMSongStore::ReadSongs(sqlite3_stmt* statement, bool withSource)
{
    std::vector<CMStoredSong> songs;
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        CMStoredSong song{Column(statement, 0), Column(statement, 1), {}, {}};
        if (withSource) {
            song.source = Column(statement, 2);
            song.uploadTime = Column(statement, 3);
        }
        songs.push_back(std::move(song));
    }
    return songs;
}

std::string CMSongStore::GetLastError() const
{
    return m_db ? sqlite3_errmsg(m_db.get()) : "no database";
}

CMSongStore::Statement CMSongStore::Prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(m_db.get(), sql, -1, &statement, nullptr);
    return Statement(statement);
}

bool CMSongStore::Execute(const char* sql)
{
    return sqlite3_exec(m_db.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}
