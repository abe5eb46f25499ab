// zimbrel-server: the song server. Reads the command line with CLI11, opens the database, listens
// and runs the server's loop until SIGINT or SIGTERM.
#include "server/CMSongServer.h"

#include <CLI/CLI.hpp>

#include <signal.h>

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace {

constexpr int kExitUsage = 2;

volatile sig_atomic_t g_stopRequested = 0;

void RequestStop(int)
{
    g_stopRequested = 1;
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

// "ADDR:PORT" into the options.
void StoreListen(const std::string& text, CMServerOptions& options)
{
    const std::size_t colon = text.rfind(':');
    int port = 0;
    if (colon == std::string::npos || colon == 0 ||
        !ParseNumber(std::string_view(text).substr(colon + 1), port, 0, 65535))
        throw CLI::ValidationError("--listen", "needs ADDR:PORT, not '" + text + "'");
    options.address = text.substr(0, colon);
    options.port = static_cast<std::uint16_t>(port);
}

// A number of bytes, with K, M or G for binary thousands.
void StoreBytes(std::string text, std::int64_t& bytes)
{
    std::int64_t unit = 1;
    if (!text.empty() && std::string_view("KMG").find(text.back()) != std::string_view::npos) {
        unit = std::int64_t{1} << (10 * (1 + std::string_view("KMG").find(text.back())));
        text.pop_back();
    }
    std::int64_t count = 0;
    if (!ParseNumber(std::string_view(text), count, std::int64_t{1},
                     (std::int64_t{1} << 40) / unit))
        throw CLI::ValidationError("--quota-bytes",
                                   "needs a number of bytes, such as 65536, 512K or 32M");
    bytes = count * unit;
}

// Seconds from 1 to a day.
void AddSeconds(CLI::App& app, const std::string& name, std::chrono::seconds& value,
                const std::string& help)
{
    app.add_option_function<int>(
           name, [&value](int seconds) { value = std::chrono::seconds(seconds); },
           help + " (default " + std::to_string(value.count()) + ")")
        ->type_name("SECONDS")
        ->check(CLI::Range(1, 86400));
}

void DefineOptions(CLI::App& app, CMServerOptions& options)
{
    app.add_option_function<std::string>(
           "--listen", [&options](const std::string& text) { StoreListen(text, options); },
           "Address and port to listen on (default 127.0.0.1:11111;\n"
           "0.0.0.0 for every address, port 0 for any free port)")
        ->type_name("ADDR:PORT");
    app.add_option("--db", options.databasePath, "The database file")
        ->type_name("PATH")
        ->capture_default_str();
    app.add_option("--max-connections", options.maxConnections,
                   "Connections served at once; the last eighth is kept for\n"
                   "addresses that have no connection yet")
        ->type_name("N")
        ->check(CLI::Range(1, 100000))
        ->capture_default_str();
    app.add_option("--max-per-address", options.maxPerAddress,
                   "Connections served at once from one address")
        ->type_name("N")
        ->check(CLI::Range(1, 100000))
        ->capture_default_str();
    AddSeconds(app, "--idle-timeout", options.idleTimeout, "Close a connection silent this long");
    AddSeconds(app, "--logon-timeout", options.logonTimeout,
               "Close a connection that has not logged on and is silent\nthis long");
    app.add_option("--quota-songs", options.quota.songs, "Songs one account may store")
        ->type_name("N")
        ->check(CLI::Range(std::int64_t{0}, std::int64_t{1} << 40))
        ->capture_default_str();
    app.add_option_function<std::string>(
           "--quota-bytes",
           [&options](const std::string& text) { StoreBytes(text, options.quota.bytes); },
           "Bytes of song text one account may store (default " +
               std::to_string(options.quota.bytes >> 20) + "M)")
        ->type_name("N[K|M|G]");
    app.add_flag_callback(
        "--fast-password-hashing",
        [&options] { options.passwordCost = CMPasswordHasher::Cost::Fast; },
        "Cheap password hashes, for tests and load measurements only");
    app.add_flag_callback(
        "--quiet", [&options] { options.log = nullptr; }, "No line per connection and request");
}

// Reads the command line into the options; answers -1 when the server is to run, otherwise the
// exit status (after help, the version or a usage error).
int ReadCommandLine(int argc, char** argv, CMServerOptions& options)
{
    CLI::App app("The Zimbrel song server: accounts and shared songs in one SQLite file.",
                 "zimbrel-server");
    app.set_help_flag("-h,--help", "Show this help and exit");
    app.set_version_flag("--version", std::string("zimbrel-server ") + ZIMBREL_VERSION_TEXT,
                         "Show the version and exit");
    app.footer("Stop it with Ctrl-C (SIGINT) or SIGTERM.\n"
               "Exit status: 0 stopped, 1 it could not start, 2 bad usage.");
    DefineOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        return 0;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "zimbrel-server: %s\nTry 'zimbrel-server --help'.\n", error.what());
        return kExitUsage;
    }
    return -1;
}

// Starts the server and runs its loop until a signal asks it to stop.
int Serve(int argc, char** argv)
{
    CMServerOptions options;
    const int status = ReadCommandLine(argc, argv, options);
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

}  // namespace

// Nothing the server throws is meant to reach here (a request's failure is answered to its
// client), but running out of memory while starting must end with a message and status 1, not
// an abort.
int main(int argc, char** argv)
{
    try {
        return Serve(argc, argv);
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "zimbrel-server: %s\n", exception.what());
        return 1;
    }
}
