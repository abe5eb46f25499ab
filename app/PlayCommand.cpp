// The play command: see PlayCommand.h.
#include "app/PlayCommand.h"

#include "midi/playback/CMMCI.h"
#include "midi/playback/CMSystemSequencer.h"
#include "music/CMMusicSong.h"
#include "settings/CMZimbrelIni.h"

namespace {

// Keeps the wait cursor on for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(IMPlayShell& shell) : m_shell(shell) { m_shell.SetWaitCursor(true); }
    ~WaitCursor() { m_shell.SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    IMPlayShell& m_shell;
};

}  // namespace

std::unique_ptr<CMMCI> MakeSystemPlayer(const CMZimbrelIni& settings)
{
    CMSequencerOptions options;
    options.soundFont = settings.soundFont;
    return std::make_unique<CMMCI>(std::make_unique<CMSystemSequencer>(options));
}

CMString CannotPlayMessage(const CMString& title, const CMString& reason)
{
    CMString message;
    return message.Format("Error : Cannot play '%s'.%s%s\n", title.GetText(),
                          reason.IsEmpty() ? "" : " ", reason.GetText());
}

CMPlayOutcome PlayOrStop(const CMMusicSong& song, const CMPlayRequest& request, IMPlayShell& shell)
{
    CMMCI& player = shell.GetPlayer();
    if (player.IsPlaying()) {
        player.Close();
        return CMPlayOutcome::Stopped;
    }
    if (song.path.IsEmpty())
        return CMPlayOutcome::NotSaved;

    const WaitCursor waitCursor(shell);
    const CMString title = song.GetFileTitle();
    const CMString midiPath = MidiPathOf(song.path);
    CMString listing;
    const bool created =
        PerformSong(song, request.band, request.performance, midiPath.GetText(), &listing);
    shell.WriteDebug(listing);
    CMString message;
    if (!created) {
        message.Format("Error : Cannot create MIDI file '%s'.\n", title.GetText());
        const CMString reason = PerformanceRefusal(song, request.performance);
        if (!reason.IsEmpty())
            message += reason + "\n";
        shell.WriteOutput(message);
        return CMPlayOutcome::NotCreated;
    }
    player.SetPort(request.port);
    player.SetChannelMix(ChannelMixOf(request.performance.mixer));
    if (player.Open(midiPath.GetText()) && player.Play())
        return CMPlayOutcome::Playing;
    // A player that cannot play says why and is left closed: Play never silently does nothing.
    const CMString reason = player.GetError();
    player.Close();
    shell.WriteOutput(CannotPlayMessage(title, reason));
    return CMPlayOutcome::NotPlayed;
}
