// zimbrel-cli net register|list|download|upload: the song-server client on the command line. It
// drives the network pane's own commands and prints the pane's log: ordinary lines on standard
// output, "Error" lines on standard error. The account and the server come from ./Zimbrel.ini
// ("Account": "Email", "Password", "Server", "Port") unless --email, --password or --server say
// otherwise.
#include "cli/CliCommand.h"

#include "app/CMNetworkPane.h"
#include "net/CMAccountRules.h"
#include "settings/CMZimbrelIni.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// How long the client waits for a reply without hearing anything from the server.
constexpr auto kReplyTimeout = std::chrono::seconds(30);

class TerminalNetworkShell : public IMNetworkShell {
public:
    void WriteNetworkLog(const CMString& line) override
    {
        std::FILE* stream = line.View().rfind("Error", 0) == 0 ? stderr : stdout;
        std::fprintf(stream, "%s\n", line.GetText());
        std::fflush(stream);
        ++lines;
    }
    int lines = 0;
};

struct NetRequest {
    std::string action;
    std::vector<std::string> operands;
    bool all = false;
};

// "HOST" or "HOST:PORT" into the settings; false when the port is not a number from 1 to 65535.
bool ApplyServer(const std::string& text, CMZimbrelIni& settings)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos) {
        settings.server = text.c_str();
        return !text.empty();
    }
    int port = 0;
    const char* first = text.data() + colon + 1;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, port);
    if (colon == 0 || error != std::errc() || end != last || port < 1 || port > 65535)
        return false;
    settings.server = text.substr(0, colon).c_str();
    settings.port = port;
    return true;
}

// Splits the arguments into options (applied to the settings) and the request; answers -1 when
// they are usable, otherwise the exit status.
int ParseArguments(const CliArguments& arguments, CMZimbrelIni& settings, NetRequest& request)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--all") {
            request.all = true;
        } else if (argument == "--email" || argument == "--password" || argument == "--server") {
            if (i + 1 >= arguments.size())
                return UsageError("net: " + argument + " needs a value");
            const std::string& value = arguments[++i];
            if (argument == "--email")
                settings.email = value.c_str();
            else if (argument == "--password")
                settings.password = value.c_str();
            else if (!ApplyServer(value, settings))
                return UsageError("net: --server needs HOST or HOST:PORT, not '" + value + "'");
        } else if (argument.size() > 1 && argument[0] == '-') {
            return UsageError("net: unknown option '" + argument + "'");
        } else if (request.action.empty()) {
            request.action = argument;
        } else {
            request.operands.push_back(argument);
        }
    }
    const std::string& action = request.action;
    if (action.empty())
        return UsageError("net: say what to do: register, list, download or upload");
    if (action != "register" && action != "list" && action != "download" && action != "upload")
        return UsageError("net: unknown action '" + action + "'");
    if (action == "register" && request.operands.size() != 3)
        return UsageError("net register needs USERID EMAIL PASSWORD");
    if ((action == "download" || action == "upload") && !request.all && request.operands.empty())
        return UsageError("net " + action + " needs " + (action == "download" ? "names" : "files") +
                          " or --all");
    if (request.all && !request.operands.empty())
        return UsageError("net " + action + " takes " + (action == "download" ? "names" : "files") +
                          " or --all, not both");
    if (request.all && action != "download" && action != "upload")
        return UsageError("net: --all goes with download and upload");
    return -1;
}

// Polls until every reply has arrived, the connection is gone, or the server stays silent for
// kReplyTimeout. Answers false unless every reply arrived.
bool AwaitReplies(CMNetworkPane& pane, const TerminalNetworkShell& shell)
{
    auto lastNews = std::chrono::steady_clock::now();
    int awaited = pane.GetAwaitedReplies();
    int lines = shell.lines;
    while (pane.GetAwaitedReplies() > 0 && pane.IsConnected()) {
        if (std::chrono::steady_clock::now() - lastNews > kReplyTimeout) {
            std::fprintf(stderr, "zimbrel-cli: the server did not answer for %lld seconds\n",
                         static_cast<long long>(kReplyTimeout.count()));
            return false;
        }
        pane.GetDevice().WaitForActivity(pane.HasFileWork() ? 5 : 100);
        pane.Poll();
        if (pane.GetAwaitedReplies() != awaited || shell.lines != lines) {
            awaited = pane.GetAwaitedReplies();
            lines = shell.lines;
            lastNews = std::chrono::steady_clock::now();
        }
    }
    return pane.GetAwaitedReplies() == 0;
}

int Register(CMNetworkPane& pane, const TerminalNetworkShell& shell,
             const CMRegistration& registration)
{
    pane.Register(registration);
    if (!AwaitReplies(pane, shell) || pane.GetErrorCount() > 0)
        return kExitFailed;
    std::printf("To log in with this account, store it in ./Zimbrel.ini:\n"
                "  zimbrel-cli config Account.Email %s\n"
                "  zimbrel-cli config Account.Password PASSWORD\n",
                registration.email.c_str());
    return kExitDone;
}

int Run(CMNetworkPane& pane, const TerminalNetworkShell& shell, const NetRequest& request)
{
    pane.LogIn();
    if (!AwaitReplies(pane, shell) || !pane.IsLoggedIn())
        return kExitFailed;
    if (request.action == "list")
        pane.QuerySongList(request.operands);
    else if (request.action == "download" && request.all)
        pane.DownloadAll();
    else if (request.action == "download")
        pane.Download(request.operands);
    else if (request.all)
        pane.UploadAll();
    else
        pane.Upload(request.operands);
    if (!AwaitReplies(pane, shell))
        return kExitFailed;
    return pane.GetErrorCount() > 0 ? kExitFailed : kExitDone;
}

}  // namespace

int RunNetCommand(const CliArguments& arguments)
{
    CMZimbrelIni settings;
    settings.Load();
    NetRequest request;
    if (const int status = ParseArguments(arguments, settings, request); status >= 0)
        return status;
    // The register dialog's cleaning and checks, before anything is sent.
    CMRegistration registration;
    if (request.action == "register") {
        registration = {request.operands[0], request.operands[1], request.operands[2]};
        CleanRegistration(registration);
        if (const std::string message = CheckRegistration(registration); !message.empty()) {
            std::fprintf(stderr, "%s\n", message.c_str());
            return kExitFailed;
        }
    } else if (settings.email.IsEmpty() || settings.password.IsEmpty()) {
        std::fprintf(
            stderr,
            "zimbrel-cli: no account to log in with: store one with\n"
            "  zimbrel-cli config Account.Email ADDRESS\n"
            "  zimbrel-cli config Account.Password PASSWORD\n"
            "or give --email and --password (register first with 'zimbrel-cli net register').\n");
        return kExitFailed;
    }

    TerminalNetworkShell shell;
    CMNetworkPane pane(shell);
    pane.SetSettings(&settings);
    pane.Connect();
    while (pane.IsConnecting()) {
        pane.GetDevice().WaitForActivity(100);
        pane.Poll();
    }
    if (!pane.IsConnected()) {
        std::fprintf(
            stderr,
            "zimbrel-cli: no song server answers at %s:%d (start one with zimbrel-server, "
            "or choose another with --server HOST:PORT or Account.Server and Account.Port)\n",
            settings.server.GetText(), settings.port);
        return kExitFailed;
    }
    const int status = request.action == "register" ? Register(pane, shell, registration)
                                                    : Run(pane, shell, request);
    if (pane.IsConnected())
        pane.Connect();  // disconnect
    return status;
}
