// CMMCI: see CMMCI.h.
#include "midi/playback/CMMCI.h"

CMMCI::CMMCI(std::unique_ptr<IMSequencer> sequencer) : m_sequencer(std::move(sequencer)) {}

CMMCI::~CMMCI()
{
    Close();
}

bool CMMCI::Open(const char* path)
{
    Close();
    m_open = m_sequencer->Open(path, m_port);
    if (!m_open)
        return false;
    m_length = GetLength();
    return true;
}

bool CMMCI::Play()
{
    if (!m_open || !m_sequencer->Play())
        return false;
    m_playing = true;
    return true;
}

bool CMMCI::Close()
{
    m_playing = false;
    if (!m_open)
        return true;
    m_open = false;
    return m_sequencer->Close();
}

CMString CMMCI::GetMode()
{
    return m_open ? m_sequencer->GetMode() : CMString();
}

int CMMCI::GetPosition()
{
    return m_open ? m_sequencer->GetPosition() : 0;
}

int CMMCI::GetLength()
{
    return m_open ? m_sequencer->GetLength() : 0;
}

void CMMCI::Poll()
{
    if (!m_open || !m_playing)
        return;
    if (GetMode() == kStopped)
        Close();
    m_position = GetPosition();
}
