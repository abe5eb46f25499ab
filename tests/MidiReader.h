// A small standard-MIDI-file reader for tests, written apart from the writer so that a file is
// checked by an independent reading: chunks, delta times, running status, meta and system
// events, and notes paired from their starts and ends; and a dump of a file, event by event, for
// reviewed golden files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace midireader {

struct Event {
    std::uint32_t tick;  // absolute
    std::uint8_t status;
    std::vector<std::uint8_t> data;   // for meta events: type first
    std::vector<std::uint8_t> bytes;  // as stored: delta time, status (unless running), data
    std::size_t deltaSize;            // how many of `bytes` the delta time takes
};

struct Note {
    std::uint32_t tick;
    std::uint32_t duration;
    int channel;
    int key;
    int velocity;
};

struct Track {
    std::vector<Event> events;
    std::vector<Note> notes;  // sorted by start tick, then key
    int program = -1;
    int channel = -1;          // of the first channel message
    std::uint32_t length = 0;  // of the chunk's data
};

struct File {
    int format = 0;
    int trackCount = 0;
    int division = 0;
    int tempo = 0;  // microseconds per quarter note, 0 when none
    std::vector<Track> tracks;
};

class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    // `pairNotes`: pair every note's start with its end, and throw where a note never ends.
    File Read(bool pairNotes = true)
    {
        File file;
        Expect("MThd");
        if (Big(4) != 6)
            throw std::runtime_error("header length");
        file.format = static_cast<int>(Big(2));
        file.trackCount = static_cast<int>(Big(2));
        file.division = static_cast<int>(Big(2));
        while (m_position < m_bytes.size())
            file.tracks.push_back(ReadTrack(file, pairNotes));
        return file;
    }

private:
    std::uint8_t Byte()
    {
        if (m_position >= m_bytes.size())
            throw std::runtime_error("file ends early");
        return m_bytes[m_position++];
    }
    std::uint32_t Big(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 8 | Byte();
        return value;
    }
    std::uint32_t VarLen()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t byte = Byte();
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80))
                return value;
        }
        throw std::runtime_error("variable-length quantity too long");
    }
    void Expect(const char* tag)
    {
        for (int i = 0; i < 4; ++i)
            if (Byte() != static_cast<std::uint8_t>(tag[i]))
                throw std::runtime_error(std::string("expected ") + tag);
    }

    Track ReadTrack(File& file, bool pairNotes)
    {
        Expect("MTrk");
        const std::uint32_t length = Big(4);
        const std::size_t end = m_position + length;
        Track track;
        track.length = length;
        std::uint32_t tick = 0;
        std::uint8_t running = 0;
        bool ended = false;
        while (m_position < end) {
            if (ended)
                throw std::runtime_error("events after the end of the track");
            const std::size_t start = m_position;
            tick += VarLen();
            Event event{tick, 0, {}, {}, m_position - start};
            std::uint8_t first = Byte();
            if (first < 0x80) {
                if (!running)
                    throw std::runtime_error("data byte without a status");
                event.status = running;
                --m_position;
            } else {
                event.status = first;
            }
            const std::uint8_t kind = event.status & 0xF0;
            if (event.status == 0xFF) {
                event.data.push_back(Byte());
                const std::uint32_t length = VarLen();
                for (std::uint32_t i = 0; i < length; ++i)
                    event.data.push_back(Byte());
                if (event.data[0] == 0x2F)
                    ended = true;
                if (event.data[0] == 0x51 && length == 3)
                    file.tempo = event.data[1] << 16 | event.data[2] << 8 | event.data[3];
            } else if (event.status == 0xF0 || event.status == 0xF7) {
                const std::uint32_t length = VarLen();
                for (std::uint32_t i = 0; i < length; ++i)
                    event.data.push_back(Byte());
            } else {
                running = event.status;
                const int count = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
                for (int i = 0; i < count; ++i)
                    event.data.push_back(Byte());
                if (track.channel < 0)
                    track.channel = event.status & 0x0F;
                if (kind == 0xC0)
                    track.program = event.data[0];
            }
            event.bytes.assign(m_bytes.begin() + static_cast<std::ptrdiff_t>(start),
                               m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position));
            track.events.push_back(event);
        }
        if (m_position != end || !ended)
            throw std::runtime_error("track length or end of track wrong");
        if (pairNotes)
            PairNotes(track);
        return track;
    }

    static void PairNotes(Track& track)
    {
        std::vector<Note> open;
        for (const Event& event : track.events) {
            const std::uint8_t kind = event.status & 0xF0;
            if (kind != 0x80 && kind != 0x90)
                continue;
            const int channel = event.status & 0x0F;
            const int key = event.data[0];
            if (kind == 0x90 && event.data[1] > 0) {
                open.push_back({event.tick, 0, channel, key, event.data[1]});
                continue;
            }
            for (auto it = open.begin(); it != open.end(); ++it)
                if (it->key == key && it->channel == channel) {
                    it->duration = event.tick - it->tick;
                    track.notes.push_back(*it);
                    open.erase(it);
                    break;
                }
        }
        if (!open.empty())
            throw std::runtime_error("a note never ends");
        std::stable_sort(track.notes.begin(), track.notes.end(), [](const Note& a, const Note& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.key < b.key;
        });
    }

    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_position = 0;
};

inline File Read(const std::vector<std::uint8_t>& bytes)
{
    return Reader(bytes).Read();
}

// A file as a reviewer reads it: the header, then each track's events one a line, the delta
// time's bytes apart from the event's, so that running status shows as a missing status byte.
inline std::string Dump(const std::vector<std::uint8_t>& bytes)
{
    const File file = Reader(bytes).Read(false);
    std::string text = "MThd format " + std::to_string(file.format) + ", " +
                       std::to_string(file.trackCount) + " tracks, " +
                       std::to_string(file.division) + " ticks a quarter\n";
    const auto hex = [](auto first, auto last) {
        std::string out;
        for (auto it = first; it != last; ++it) {
            static const char digits[] = "0123456789ABCDEF";
            out += out.empty() ? "" : " ";
            out += digits[*it >> 4];
            out += digits[*it & 0x0F];
        }
        return out;
    };
    for (const Track& track : file.tracks) {
        text += "MTrk " + std::to_string(track.length) + " bytes\n";
        for (const Event& event : track.events) {
            const auto status = event.bytes.begin() + static_cast<std::ptrdiff_t>(event.deltaSize);
            text += "  " + hex(event.bytes.begin(), status) + " | " +
                    hex(status, event.bytes.end()) + "\n";
        }
    }
    return text;
}

// Note-ons of a key that its channel still holds: a synthesizer hears on, on, off, off, and the
// first note's end silences the second.
inline int StrikesOfHeldKeys(const Track& track)
{
    int strikes = 0;
    int held[16][128] = {};
    for (const Event& event : track.events) {
        const std::uint8_t kind = event.status & 0xF0;
        if (kind != 0x80 && kind != 0x90)
            continue;
        int& count = held[event.status & 0x0F][event.data[0] & 0x7F];
        if (kind == 0x90 && event.data[1] > 0) {
            strikes += count > 0;
            ++count;
        } else if (count > 0) {
            --count;
        }
    }
    return strikes;
}

}  // namespace midireader
