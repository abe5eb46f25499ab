// zimbrel-server: the song server. Parses the command line, opens the database, listens and runs
// the server's loop until SIGINT or SIGTERM.
#include "server/CMSongServer.h"

#include <signal.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

const char* const kUsage = R"(Usage: zimbrel-server [OPTIONS]

The Zimbrel song server: accounts and shared songs in one SQLite file.

Options:
  --listen ADDR:PORT        address and port to listen on (default 127.0.0.1:11111;
                            0.0.0.0 for every address, port 0 for any free port)
  --db PATH                 the database file (default ./zimbrel-server.sqlite)
  --max-connections N       connections served at once (default 256); the last eighth
                            is kept for addresses that have no connection yet
  --max-per-address N       connections served at once from one address (default 8)
  --idle-timeout SECONDS    close a connection silent this long (default 300)
  --logon-timeout SECONDS   close a connection that has not logged on and is silent
                            this long (default 10)
  --quota-songs N           songs one account may store (default 2000)
  --quota-bytes N[K|M|G]    bytes of song text one account may store (default 32M)
  --fast-password-hashing   cheap password hashes, for tests and load measurements only
  --quiet                   no line per connection and request
  --help                    show this text
  --version                 show the version

Stop it with Ctrl-C (SIGINT) or SIGTERM.
)";

volatile sig_atomic_t g_stopRequested = 0;

void RequestStop(int)
{
    g_stopRequested = 1;
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "zimbrel-server: %s\nTry 'zimbrel-server --help'.\n", message.c_str());
    return 2;
}

template <class Number>
bool ParseNumber(std::string_view text, Number& value, Number lowest, Number highest)
{
    Number parsed{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < lowest ||
        parsed > highest)
        return false;
    value = parsed;
    return true;
}

bool ParseListen(std::string_view text, CMServerOptions& options)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    options.address = text.substr(0, colon);
    int port = 0;
    if (!ParseNumber(text.substr(colon + 1), port, 0, 65535))
        return false;
    options.port = static_cast<std::uint16_t>(port);
    return true;
}

// A number of bytes, with K, M or G for binary thousands.
bool ParseBytes(std::string_view text, std::int64_t& bytes)
{
    std::int64_t unit = 1;
    if (!text.empty() && std::string_view("KMG").find(text.back()) != std::string_view::npos) {
        unit = std::int64_t{1} << (10 * (1 + std::string_view("KMG").find(text.back())));
        text.remove_suffix(1);
    }
    std::int64_t count = 0;
    if (!ParseNumber(text, count, std::int64_t{1}, (std::int64_t{1} << 40) / unit))
        return false;
    bytes = count * unit;
    return true;
}

bool ParseSeconds(std::string_view text, std::chrono::seconds& value)
{
    int seconds = 0;
    if (!ParseNumber(text, seconds, 1, 86400))
        return false;
    value = std::chrono::seconds(seconds);
    return true;
}

// Answers an error message for an option that takes a value, or an empty text.
std::string ParseValue(std::string_view option, std::string_view value, CMServerOptions& options)
{
    if (option == "--listen" && !ParseListen(value, options))
        return "--listen needs ADDR:PORT, not '" + std::string(value) + "'";
    if (option == "--db")
        options.databasePath = value;
    if (option == "--max-connections" && !ParseNumber(value, options.maxConnections, 1, 100000))
        return "--max-connections needs a number from 1 to 100000";
    if (option == "--max-per-address" && !ParseNumber(value, options.maxPerAddress, 1, 100000))
        return "--max-per-address needs a number from 1 to 100000";
    if (option == "--idle-timeout" && !ParseSeconds(value, options.idleTimeout))
        return "--idle-timeout needs seconds from 1 to 86400";
    if (option == "--logon-timeout" && !ParseSeconds(value, options.logonTimeout))
        return "--logon-timeout needs seconds from 1 to 86400";
    if (option == "--quota-songs" &&
        !ParseNumber(value, options.quota.songs, std::int64_t{0}, std::int64_t{1} << 40))
        return "--quota-songs needs a number of songs";
    if (option == "--quota-bytes" && !ParseBytes(value, options.quota.bytes))
        return "--quota-bytes needs a number of bytes, such as 65536, 512K or 32M";
    return {};
}

// Answers -1 when the options are fine, otherwise the exit status.
int ParseOptions(int argc, char** argv, CMServerOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (option == "--version") {
            std::printf("zimbrel-server %s\n", ZIMBREL_VERSION_TEXT);
            return 0;
        }
        if (option == "--fast-password-hashing") {
            options.passwordCost = CMPasswordHasher::Cost::Fast;
        } else if (option == "--quiet") {
            options.log = nullptr;
        } else if (option == "--listen" || option == "--db" || option == "--max-connections" ||
                   option == "--max-per-address" || option == "--idle-timeout" ||
                   option == "--logon-timeout" || option == "--quota-songs" ||
                   option == "--quota-bytes") {
            if (!hasValue)
                return UsageError(std::string(option) + " needs a value");
            const std::string error = ParseValue(option, argv[++i], options);
            if (!error.empty())
                return UsageError(error);
        } else {
            return UsageError("unknown option '" + std::string(option) + "'");
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    CMServerOptions options;
    const int status = ParseOptions(argc, argv, options);
    if (status >= 0)
        return status;
    if (!CMPasswordHasher::Initialize()) {
        std::fprintf(stderr, "zimbrel-server: libsodium cannot be initialised\n");
        return 1;
    }

    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    CMSongServer server(options);
    std::string error;
    if (!server.Start(error)) {
        std::fprintf(stderr, "zimbrel-server: %s\n", error.c_str());
        return 1;
    }
    if (!server.GetReadOnlyReason().empty())
        std::fprintf(stderr,
                     "zimbrel-server: the database '%s' cannot be written (%s): serving it "
                     "read-only, without registrations and uploads, until restarted\n",
                     options.databasePath.c_str(), server.GetReadOnlyReason().c_str());
    std::printf("Listening on %s:%u (database %s%s)\n", options.address.c_str(), server.GetPort(),
                options.databasePath.c_str(),
                server.GetReadOnlyReason().empty() ? "" : ", read-only");
    std::fflush(stdout);
    while (!g_stopRequested)
        server.RunOnce(std::chrono::milliseconds(50));
    std::printf("Stopped\n");
    return 0;
}
