// CMAlsaQueuePlayer: see CMAlsaQueuePlayer.h.
#include "midi/playback/CMAlsaQueuePlayer.h"

#include <chrono>
#include <cmath>

namespace {

constexpr double kLookAhead = 1000.0;  // milliseconds of events handed to the queue ahead
constexpr auto kFeedInterval = std::chrono::milliseconds(100);

// The ALSA form of a channel message.
void SetMessage(snd_seq_event_t& out, const CMTimedMidiEvent& event)
{
    const int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
    case 0x80: snd_seq_ev_set_noteoff(&out, channel, event.data1, event.data2); break;
    case 0x90: snd_seq_ev_set_noteon(&out, channel, event.data1, event.data2); break;
    case 0xA0: snd_seq_ev_set_keypress(&out, channel, event.data1, event.data2); break;
    case 0xB0: snd_seq_ev_set_controller(&out, channel, event.data1, event.data2); break;
    case 0xC0: snd_seq_ev_set_pgmchange(&out, channel, event.data1); break;
    case 0xD0: snd_seq_ev_set_chanpress(&out, channel, event.data1); break;
    default:  // 0xE0, pitch bend: 14 bits around the middle
        snd_seq_ev_set_pitchbend(&out, channel, (event.data2 << 7 | event.data1) - 8192);
        break;
    }
}

snd_seq_real_time_t RealTime(double milliseconds)
{
    const double seconds = std::floor(milliseconds / 1000.0);
    return {static_cast<unsigned>(seconds),
            static_cast<unsigned>((milliseconds - seconds * 1000.0) * 1e6)};
}

}  // namespace

CMAlsaQueuePlayer::~CMAlsaQueuePlayer()
{
    Stop();
}

bool CMAlsaQueuePlayer::Start(const CMAlsaPort& destination, const CMMidiSequence& sequence,
                              CMString& error)
{
    Stop();
    m_sequencer = OpenAlsaSequencer(error);
    if (!m_sequencer)
        return false;
    snd_seq_t* sequencer = m_sequencer.get();
    m_port = snd_seq_create_simple_port(
        sequencer, "Zimbrel playback", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    m_queue = m_port < 0 ? m_port : snd_seq_alloc_named_queue(sequencer, "Zimbrel");
    const int connected =
        m_queue < 0 ? m_queue
                    : snd_seq_connect_to(sequencer, m_port, destination.client, destination.port);
    if (connected < 0) {
        error.Format("the MIDI port '%s' (%d:%d) cannot be reached: %s", destination.name.GetText(),
                     destination.client, destination.port, snd_strerror(connected));
        m_sequencer.reset();
        return false;
    }
    snd_seq_nonblock(sequencer, 1);  // a full pool must not block the feeder with the lock held
    m_sequence = &sequence;
    m_next = 0;
    m_stopping = false;
    return true;
}

bool CMAlsaQueuePlayer::Play()
{
    if (!m_sequencer || m_playing)
        return false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (snd_seq_start_queue(m_sequencer.get(), m_queue, nullptr) < 0 ||
            snd_seq_drain_output(m_sequencer.get()) < 0)
            return false;
    }
    m_playing = true;
    m_feeder = std::thread(&CMAlsaQueuePlayer::Feed, this);
    return true;
}

double CMAlsaQueuePlayer::QueueTime()
{
    snd_seq_queue_status_t* status = nullptr;
    snd_seq_queue_status_alloca(&status);
    if (snd_seq_get_queue_status(m_sequencer.get(), m_queue, status) < 0)
        return 0.0;
    const snd_seq_real_time_t* time = snd_seq_queue_status_get_real_time(status);
    return time->tv_sec * 1000.0 + time->tv_nsec / 1e6;
}

void CMAlsaQueuePlayer::Feed()
{
    const std::vector<CMTimedMidiEvent>& events = m_sequence->GetEvents();
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        const double horizon = QueueTime() + kLookAhead;
        for (; m_next < events.size() && events[m_next].milliseconds <= horizon; ++m_next) {
            snd_seq_event_t event;
            snd_seq_ev_clear(&event);
            SetMessage(event, events[m_next]);
            snd_seq_ev_set_source(&event, m_port);
            snd_seq_ev_set_subs(&event);
            const snd_seq_real_time_t time = RealTime(events[m_next].milliseconds);
            snd_seq_ev_schedule_real(&event, m_queue, 0, &time);
            if (snd_seq_event_output(m_sequencer.get(), &event) < 0)
                break;  // the pool is full: the rest goes on the next round
        }
        snd_seq_drain_output(m_sequencer.get());
        m_wake.wait_for(lock, kFeedInterval);
    }
}

void CMAlsaQueuePlayer::Silence()
{
    snd_seq_nonblock(m_sequencer.get(), 0);
    for (int channel = 0; channel < 16; ++channel) {
        for (const int controller : {64, 120, 123}) {  // sustain off, all sound off, notes off
            snd_seq_event_t event;
            snd_seq_ev_clear(&event);
            snd_seq_ev_set_controller(&event, channel, controller, 0);
            snd_seq_ev_set_source(&event, m_port);
            snd_seq_ev_set_subs(&event);
            snd_seq_ev_set_direct(&event);
            snd_seq_event_output(m_sequencer.get(), &event);
        }
    }
    snd_seq_drain_output(m_sequencer.get());
}

void CMAlsaQueuePlayer::Stop()
{
    if (m_feeder.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_feeder.join();
    }
    m_playing = false;
    if (!m_sequencer)
        return;
    snd_seq_drop_output(m_sequencer.get());
    snd_seq_free_queue(m_sequencer.get(), m_queue);  // stops it and drops the events it held
    Silence();
    m_sequencer.reset();
    m_sequence = nullptr;
}

bool CMAlsaQueuePlayer::IsFinished()
{
    if (!m_playing)
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_next >= m_sequence->GetEvents().size() && QueueTime() >= m_sequence->GetLength();
}

double CMAlsaQueuePlayer::GetPosition()
{
    if (!m_playing)
        return 0.0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return QueueTime();
}
