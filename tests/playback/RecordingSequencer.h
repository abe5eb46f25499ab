// RecordingSequencer: a fake system MIDI player for tests. It writes down every call CMMCI makes,
// one line each, and answers what the test scripts: whether Open succeeds and why not, the mode
// the next queries report, the position and the length.
#pragma once

#include "midi/playback/IMSequencer.h"

#include <memory>
#include <string>
#include <vector>

struct SequencerScript {
    std::vector<std::string> calls;
    bool openSucceeds = true;
    CMString openError = "The file cannot be played.";
    CMString mode = "playing";
    int position = 0;
    int length = 0;
    CMChannelMix mix;  // as last set
};

class RecordingSequencer : public IMSequencer {
public:
    // Records into, and answers from, `script`, which the test keeps.
    explicit RecordingSequencer(std::shared_ptr<SequencerScript> script)
        : m_script(std::move(script))
    {
    }

    void SetChannelMix(const CMChannelMix& mix) override { m_script->mix = mix; }
    bool Open(const char* path, int port) override
    {
        Record("open " + std::string(path) + " on port " + std::to_string(port));
        m_error = m_script->openSucceeds ? CMString() : m_script->openError;
        return m_script->openSucceeds;
    }
    bool Play() override
    {
        Record("play");
        return true;
    }
    bool Close() override
    {
        Record("close");
        return true;
    }
    CMString GetMode() override
    {
        Record("mode");
        return m_script->mode;
    }
    int GetPosition() override
    {
        Record("position");
        return m_script->position;
    }
    int GetLength() override
    {
        Record("length");
        return m_script->length;
    }
    CMString GetError() override { return m_error; }

private:
    void Record(const std::string& call) { m_script->calls.push_back(call); }

    std::shared_ptr<SequencerScript> m_script;
    CMString m_error;
};
