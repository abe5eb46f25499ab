// zimbrel-cli net register|list|download|upload: the song-server client on the command line. It
// drives the network pane's own commands and prints the pane's log: ordinary lines on standard
// output, "Error" lines on standard error. The account and the server come from ./Zimbrel.ini
// ("Account": "Email", "Password", "Server", "Port") unless --email, --password or --server say
// otherwise.
#include "cli/OtherCommands.h"

#include "app/CMNetworkPane.h"
#include "app/StoredSettings.h"

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

// Checks the action and its operands and applies the options to the settings; answers -1 when
// the request is usable, otherwise the exit status.
int CheckRequest(const NetRequest& request, CMZimbrelIni& settings)
{
    if (request.email)
        settings.email = CMString(*request.email);
    if (request.password)
        settings.password = CMString(*request.password);
    if (request.server && !ApplyServer(*request.server, settings))
        return UsageError("net", "--server needs HOST or HOST:PORT, not '" + *request.server + "'");
    const std::string& action = request.operands.front();
    const std::size_t operands = request.operands.size() - 1;
    const std::string what = action == "download" ? "names" : "files";
    if (action != "register" && action != "list" && action != "download" && action != "upload")
        return UsageError("net", "unknown action '" + action + "'");
    if (action == "register" && operands != 3)
        return UsageError("net", "register needs USERID EMAIL PASSWORD");
    if ((action == "download" || action == "upload") && !request.all && operands == 0)
        return UsageError("net", action + " needs " + what + " or --all");
    if (request.all && operands > 0)
        return UsageError("net", action + " takes " + what + " or --all, not both");
    if (request.all && action != "download" && action != "upload")
        return UsageError("net", "--all goes with download and upload");
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
    const std::string& action = request.operands.front();
    const std::vector<std::string> operands(request.operands.begin() + 1, request.operands.end());
    if (action == "list")
        pane.QuerySongList(operands);
    else if (action == "download" && request.all)
        pane.DownloadAll();
    else if (action == "download")
        pane.Download(operands);
    else if (request.all)
        pane.UploadAll();
    else
        pane.Upload(operands);
    if (!AwaitReplies(pane, shell))
        return kExitFailed;
    return pane.GetErrorCount() > 0 ? kExitFailed : kExitDone;
}

}  // namespace

void DefineNetCommand(CliOptions& options, NetRequest& request)
{
    options.Operands("ACTION", request.operands, 1, 0,
                     "register USERID EMAIL PASSWORD, list [USERID...], download NAME... or "
                     "upload FILE...",
                     CliCompletion::Files);
    options.Text("--email", request.email, "ADDRESS",
                 "The account's e-mail address (default: Account.Email)");
    options.Text("--password", request.password, "PASSWORD",
                 "The account's password (default: Account.Password)");
    options.Text("--server", request.server, "HOST[:PORT]",
                 "The song server (default: Account.Server and Account.Port, 127.0.0.1:11111)");
    options.Switch("--all", request.all,
                   "download: every song on the server; upload: every song of ./Data/");
}

int RunNetCommand(const NetRequest& request)
{
    CMZimbrelIni settings = LoadStoredSettings();
    if (const int status = CheckRequest(request, settings); status >= 0)
        return status;
    // The register dialog's cleaning and checks, before anything is sent.
    const bool registering = request.operands.front() == "register";
    CMRegistration registration;
    if (registering) {
        registration = {request.operands[1], request.operands[2], request.operands[3]};
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
    const int status =
        registering ? Register(pane, shell, registration) : Run(pane, shell, request);
    if (pane.IsConnected())
        pane.Connect();  // disconnect
    return status;
}
