// CMBackgroundSequencer: a MIDI file player that never keeps its caller waiting. Opening a sound
// output, connecting to an ALSA port or waking a sound server can take long; this player hands
// every call to the player it wraps on a thread of its own and answers at once from what that
// thread last learnt. A failure to open or play shows up on a later poll: the mode turns
// "stopped" and GetError says why.
#pragma once

#include "midi/playback/IMSequencer.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class CMBackgroundSequencer : public IMSequencer {
public:
    // Plays through `sequencer`, which it owns and calls only from its own thread.
    explicit CMBackgroundSequencer(std::unique_ptr<IMSequencer> sequencer);
    // Closes what is open and waits for the thread to end.
    ~CMBackgroundSequencer() override;
    CMBackgroundSequencer(const CMBackgroundSequencer&) = delete;
    CMBackgroundSequencer& operator=(const CMBackgroundSequencer&) = delete;

    // Queued, as the calls below, so that it comes before the Open that follows it.
    void SetChannelMix(const CMChannelMix& mix) override;
    // Queued; they answer true, and a failure is reported by the mode and GetError later.
    bool Open(const char* path, int port) override;
    bool Play() override;
    bool Close() override;
    // "playing" from Play until the wrapped player reports that it stopped or failed. Each query
    // asks the thread to look again.
    CMString GetMode() override;
    int GetPosition() override;
    // The file's length once the thread has opened it; 0 before.
    int GetLength() override;
    CMString GetError() override;

    // Waits until every queued call has run.
    void Wait();

private:
    // What a queued call learnt from the wrapped player.
    struct Outcome {
        std::optional<CMString> mode;
        std::optional<int> position;
        std::optional<CMString> error;
        std::optional<int> length;
    };
    using Job = std::function<Outcome(IMSequencer&)>;

    // Queues `job`. Its mode and position count only if no Open, Play or Close came after it;
    // its error and length only if no Open came after it.
    void Post(Job job);
    void RequestRefresh();
    void Run();

    std::unique_ptr<IMSequencer> m_sequencer;
    bool m_opened = false;  // the wrapped player holds a file; used by the thread only

    std::mutex m_mutex;  // guards everything below
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_jobs;
    CMString m_mode = "stopped";
    CMString m_error;
    int m_position = 0;
    int m_length = 0;
    unsigned m_generation = 0;  // counts Open, Play and Close
    unsigned m_session = 0;     // counts Open
    bool m_refreshQueued = false;
    bool m_busy = false;
    bool m_quit = false;
    std::thread m_thread;  // last: it starts once everything above exists
};
