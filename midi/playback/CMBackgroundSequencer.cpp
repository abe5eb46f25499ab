// CMBackgroundSequencer: see CMBackgroundSequencer.h. The caller's calls change what it sees at
// once and queue the real work; the thread runs the queue in order and writes back what the
// wrapped player answered, unless a later call has made that answer stale.
#include "midi/playback/CMBackgroundSequencer.h"

#include <string>

CMBackgroundSequencer::CMBackgroundSequencer(std::unique_ptr<IMSequencer> sequencer)
    : m_sequencer(std::move(sequencer)), m_thread([this] { Run(); })
{
}

CMBackgroundSequencer::~CMBackgroundSequencer()
{
    Close();
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CMBackgroundSequencer::Post(Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        const unsigned generation = ++m_generation;
        const unsigned session = m_session;
        m_jobs.push_back([this, job = std::move(job), generation, session] {
            // The wrapped player is called without the lock, so queries never wait for it.
            const Outcome outcome = job(*m_sequencer);
            const std::lock_guard lock(m_mutex);
            if (generation == m_generation) {
                if (outcome.mode)
                    m_mode = *outcome.mode;
                if (outcome.position)
                    m_position = *outcome.position;
            }
            if (session == m_session) {
                if (outcome.error)
                    m_error = *outcome.error;
                if (outcome.length)
                    m_length = *outcome.length;
            }
        });
    }
    m_wake.notify_one();
}

void CMBackgroundSequencer::SetChannelMix(const CMChannelMix& mix)
{
    Post([mix](IMSequencer& sequencer) {
        sequencer.SetChannelMix(mix);
        return Outcome();
    });
}

bool CMBackgroundSequencer::Open(const char* path, int port)
{
    {
        const std::lock_guard lock(m_mutex);
        ++m_session;
        m_mode = "stopped";
        m_error = CMString();
        m_position = m_length = 0;
    }
    Post([this, file = std::string(path), port](IMSequencer& sequencer) {
        m_opened = sequencer.Open(file.c_str(), port);
        Outcome outcome;
        outcome.error = sequencer.GetError();
        outcome.length = m_opened ? sequencer.GetLength() : 0;
        return outcome;
    });
    return true;
}

bool CMBackgroundSequencer::Play()
{
    {
        const std::lock_guard lock(m_mutex);
        m_mode = "playing";
    }
    Post([this](IMSequencer& sequencer) {
        Outcome outcome;
        if (m_opened && sequencer.Play())
            return outcome;
        // An open that failed has already said why.
        outcome.mode = CMString("stopped");
        if (m_opened)
            outcome.error = sequencer.GetError();
        return outcome;
    });
    return true;
}

bool CMBackgroundSequencer::Close()
{
    {
        const std::lock_guard lock(m_mutex);
        m_mode = "stopped";
    }
    Post([this](IMSequencer& sequencer) {
        Outcome outcome;
        if (m_opened) {
            sequencer.Close();
            outcome.error = sequencer.GetError();  // why it stopped early, if it did
        }
        m_opened = false;
        return outcome;
    });
    return true;
}

void CMBackgroundSequencer::RequestRefresh()
{
    const std::lock_guard lock(m_mutex);
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    const unsigned generation = m_generation;
    m_jobs.push_back([this, generation] {
        {
            const std::lock_guard lock(m_mutex);
            m_refreshQueued = false;
        }
        if (!m_opened)
            return;
        const CMString mode = m_sequencer->GetMode();
        const int position = m_sequencer->GetPosition();
        const CMString error = m_sequencer->GetError();
        const std::lock_guard lock(m_mutex);
        if (generation != m_generation)
            return;  // asked before a call that changed what the caller expects
        m_mode = mode;
        m_position = position;
        m_error = error;
    });
    m_wake.notify_one();
}

CMString CMBackgroundSequencer::GetMode()
{
    RequestRefresh();
    const std::lock_guard lock(m_mutex);
    return m_mode;
}

int CMBackgroundSequencer::GetPosition()
{
    RequestRefresh();
    const std::lock_guard lock(m_mutex);
    return m_position;
}

int CMBackgroundSequencer::GetLength()
{
    const std::lock_guard lock(m_mutex);
    return m_length;
}

CMString CMBackgroundSequencer::GetError()
{
    const std::lock_guard lock(m_mutex);
    return m_error;
}

void CMBackgroundSequencer::Wait()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void CMBackgroundSequencer::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;  // quitting, with nothing left to do
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        job();
        lock.lock();
        m_busy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}
