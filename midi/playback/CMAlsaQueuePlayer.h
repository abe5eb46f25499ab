// CMAlsaQueuePlayer: plays a MIDI sequence on a port of the ALSA sequencer through a queue of our
// own. A feeder thread hands the events to the queue, each stamped with its real time, a second
// ahead of the queue's clock, so that the sequencer's memory pool never fills whatever the length
// of the song; the sequencer delivers them on time. Stopping empties the queue and silences every
// channel of the port.
#pragma once

#include "midi/playback/AlsaSequencerPorts.h"
#include "midi/playback/CMMidiSequence.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

class CMAlsaQueuePlayer {
public:
    CMAlsaQueuePlayer() = default;
    ~CMAlsaQueuePlayer();
    CMAlsaQueuePlayer(const CMAlsaQueuePlayer&) = delete;
    CMAlsaQueuePlayer& operator=(const CMAlsaQueuePlayer&) = delete;

    // Connects to `destination` and prepares a queue for `sequence`, which must outlive the
    // playing. False with the reason in `error`.
    bool Start(const CMAlsaPort& destination, const CMMidiSequence& sequence, CMString& error);
    // Starts the queue and the feeder.
    bool Play();
    // Stops the queue, drops what it still holds, silences the port's channels and lets go of
    // the sequencer.
    void Stop();
    // Every event was delivered and the sequence's length has passed.
    bool IsFinished();
    // Milliseconds since the queue started.
    double GetPosition();

private:
    void Feed();
    double QueueTime();  // milliseconds; callers hold m_mutex
    void Silence();

    CMAlsaSequencerHandle m_sequencer;
    const CMMidiSequence* m_sequence = nullptr;
    int m_port = -1;
    int m_queue = -1;
    std::thread m_feeder;
    std::mutex m_mutex;  // the sequencer handle is not safe for two threads
    std::condition_variable m_wake;
    std::size_t m_next = 0;  // the next event to hand to the queue
    bool m_stopping = false;
    bool m_playing = false;
};
