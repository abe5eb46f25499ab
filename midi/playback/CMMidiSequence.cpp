// CMMidiSequence: see CMMidiSequence.h.
#include "midi/playback/CMMidiSequence.h"

#include "core/VariableLengthQuantity.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note: 120 per minute

// A cursor over the bytes of one chunk; every read checks that the bytes are there.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    bool AtEnd() const { return m_position >= m_bytes.size(); }
    std::size_t Left() const { return m_bytes.size() - m_position; }
    bool Byte(std::uint8_t& value)
    {
        if (AtEnd())
            return false;
        value = static_cast<std::uint8_t>(m_bytes[m_position++]);
        return true;
    }
    std::uint8_t Peek() const { return static_cast<std::uint8_t>(m_bytes[m_position]); }
    bool BigEndian(int count, std::uint32_t& value)
    {
        value = 0;
        std::uint8_t byte = 0;
        for (int i = 0; i < count; ++i) {
            if (!Byte(byte))
                return false;
            value = value << 8 | byte;
        }
        return true;
    }
    // A variable-length quantity; one whose four bytes all have the top bit set is malformed.
    bool VarLen(std::uint32_t& value)
    {
        const auto* data = reinterpret_cast<const std::uint8_t*>(m_bytes.data()) + m_position;
        const int used = VariableLengthQuantity::Decode(data, Left(), value);
        if (used == 0 || (data[used - 1] & 0x80))
            return false;
        m_position += static_cast<std::size_t>(used);
        return true;
    }
    bool Skip(std::size_t count)
    {
        if (count > Left())
            return false;
        m_position += count;
        return true;
    }
    std::string_view Take(std::size_t count)
    {
        const std::string_view taken = m_bytes.substr(m_position, count);
        m_position += taken.size();
        return taken;
    }

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

int DataBytesOf(std::uint8_t status)
{
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

}  // namespace

void CMMidiSequence::Clear()
{
    m_division = 96;
    m_smpteTickLength = 0.0;
    m_tempoMap.clear();
    m_events.clear();
    m_lastTick = 0;
}

bool CMMidiSequence::Read(std::string_view bytes, CMString& error)
{
    Clear();
    ByteReader file(bytes);
    std::uint32_t chunkLength = 0;
    std::uint32_t format = 0, trackCount = 0, division = 0;
    if (file.Take(4) != "MThd" || !file.BigEndian(4, chunkLength) || chunkLength < 6 ||
        !file.BigEndian(2, format) || !file.BigEndian(2, trackCount) ||
        !file.BigEndian(2, division) || !file.Skip(chunkLength - 6)) {
        error = "not a standard MIDI file (no complete MThd header)";
        return false;
    }
    if (format > 2 || division == 0) {
        error.Format("not a standard MIDI file (format %u, division %u)", format, division);
        return false;
    }
    if (division & 0x8000) {
        // Time code: frames per second (29 stands for 29.97) and ticks per frame.
        const int frames = 256 - static_cast<int>(division >> 8);
        const int ticksPerFrame = static_cast<int>(division & 0xFF);
        if (ticksPerFrame == 0) {
            error = "not a standard MIDI file (time-code division without ticks)";
            return false;
        }
        m_smpteTickLength = 1000.0 / ((frames == 29 ? 29.97 : frames) * ticksPerFrame);
    } else {
        m_division = division;
    }

    std::vector<TempoChange> tempos;
    int track = 0;
    for (int chunkNumber = 1; !file.AtEnd(); ++chunkNumber) {
        const std::string_view type = file.Take(4);
        if (type.size() < 4 || !file.BigEndian(4, chunkLength) || chunkLength > file.Left()) {
            error.Format("not a standard MIDI file (it ends inside chunk %d)", chunkNumber);
            Clear();
            return false;
        }
        const std::string_view chunk = file.Take(chunkLength);
        if (type != "MTrk")
            continue;  // chunks of other kinds are skipped, as the file format asks
        if (!ReadTrack(chunk, track++, tempos, error)) {
            Clear();
            return false;
        }
    }
    std::stable_sort(
        m_events.begin(), m_events.end(),
        [](const CMTimedMidiEvent& a, const CMTimedMidiEvent& b) { return a.tick < b.tick; });
    BuildTempoMap(std::move(tempos));
    for (CMTimedMidiEvent& event : m_events)
        event.milliseconds = TickToMilliseconds(event.tick);
    return true;
}

bool CMMidiSequence::ReadTrack(std::string_view bytes, int index, std::vector<TempoChange>& tempos,
                               CMString& error)
{
    ByteReader track(bytes);
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    const auto fail = [&](const char* what) {
        error.Format("not a standard MIDI file (track %d: %s)", index + 1, what);
        return false;
    };
    while (!track.AtEnd()) {
        std::uint32_t delta = 0;
        if (!track.VarLen(delta))
            return fail("a delta time is cut off or too long");
        tick += delta;
        if (track.AtEnd())
            return fail("an event is missing after its delta time");
        std::uint8_t status = track.Peek();
        if (status < 0x80) {
            if (!running)
                return fail("data without a status byte");
            status = running;
        } else {
            track.Byte(status);
        }
        if (status < 0xF0) {
            running = status;
            CMTimedMidiEvent event;
            event.tick = tick;
            event.status = status;
            std::uint8_t* const data[] = {&event.data1, &event.data2};
            for (int i = 0; i < DataBytesOf(status); ++i)
                if (!track.Byte(*data[i]) || *data[i] >= 0x80)
                    return fail("a channel message lacks its data");
            m_events.push_back(event);
            continue;
        }
        running = 0;  // system and meta events cancel running status
        std::uint32_t length = 0;
        if (status == 0xFF) {
            std::uint8_t type = 0;
            if (!track.Byte(type) || !track.VarLen(length) || length > track.Left())
                return fail("a meta event is cut off");
            const std::string_view data = track.Take(length);
            if (type == 0x51 && length == 3) {
                const auto byte = [&](int i) { return static_cast<std::uint8_t>(data[i]); };
                const std::uint32_t tempo = byte(0) << 16 | byte(1) << 8 | byte(2);
                if (tempo > 0)
                    tempos.push_back({tick, tempo});
            }
            if (type == 0x2F)
                break;  // end of track
        } else if (status == 0xF0 || status == 0xF7) {
            if (!track.VarLen(length) || !track.Skip(length))
                return fail("a system-exclusive message is cut off");
        } else {
            return fail("a system message that files cannot hold");
        }
    }
    m_lastTick = std::max(m_lastTick, tick);
    return true;
}

void CMMidiSequence::BuildTempoMap(std::vector<TempoChange> tempos)
{
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    const auto tickLength = [this](std::uint32_t tempo) {
        return m_smpteTickLength > 0.0 ? m_smpteTickLength : tempo / 1000.0 / m_division;
    };
    m_tempoMap.push_back({0, 0.0, tickLength(kDefaultTempo)});
    for (const TempoChange& change : tempos) {
        TempoSegment& last = m_tempoMap.back();
        const double start =
            last.milliseconds + (change.tick - last.tick) * last.millisecondsPerTick;
        if (change.tick == last.tick)
            last.millisecondsPerTick = tickLength(change.microsecondsPerQuarter);
        else
            m_tempoMap.push_back({change.tick, start, tickLength(change.microsecondsPerQuarter)});
    }
}

double CMMidiSequence::TickToMilliseconds(std::uint64_t tick) const
{
    if (m_tempoMap.empty())
        return 0.0;
    auto segment =
        std::upper_bound(m_tempoMap.begin(), m_tempoMap.end(), tick,
                         [](std::uint64_t value, const TempoSegment& s) { return value < s.tick; });
    --segment;  // the first segment starts at tick 0, so there is always one at or before
    return segment->milliseconds +
           static_cast<double>(tick - segment->tick) * segment->millisecondsPerTick;
}

double CMMidiSequence::GetLastBeatLength() const
{
    if (m_tempoMap.empty() || m_smpteTickLength > 0.0)
        return kDefaultTempo / 1000.0;  // time code has no beats
    return m_tempoMap.back().millisecondsPerTick * m_division;
}

std::optional<double> CMMidiSequence::GetFirstNoteTime() const
{
    for (const CMTimedMidiEvent& event : m_events)
        if (event.IsNoteOn())
            return event.milliseconds;
    return std::nullopt;
}

bool CMMidiSequence::Load(const char* path, CMString& error)
{
    Clear();
    struct stat info;
    if (stat(path, &info) != 0) {
        error.Format("Cannot read '%s': %s.", path, std::strerror(errno));
        return false;
    }
    if (!S_ISREG(info.st_mode) || static_cast<std::uint64_t>(info.st_size) > kLargestFile) {
        error.Format("'%s' is not a MIDI file of a performance.", path);
        return false;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), std::fclose);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    if (!file || std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        error.Format("Cannot read '%s': %s.", path, errno ? std::strerror(errno) : "read error");
        return false;
    }
    if (!Read(bytes, error)) {
        error = CMString("'") + CMString(path) + "' is " + error + ".";
        return false;
    }
    return true;
}
