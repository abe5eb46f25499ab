// CMMidiFile: see CMMidiFile.h.
#include "midi/CMMidiFile.h"

#include "core/AtomicFile.h"

#include <cassert>
#include <cstring>
#include <string_view>

CMMidiFileChunk& CMMidiFile::AddTrack(int channel, std::uint8_t program, const CMString& name)
{
    m_tracks.push_back(std::make_unique<CMMidiFileChunk>(channel, program, name));
    return *m_tracks.back();
}

bool CMMidiFile::AddNote(std::uint32_t tick, std::uint32_t duration, std::uint8_t key,
                         std::uint8_t velocity, CMMidiFileChunk* track)
{
    if (!track) {
        if (m_tracks.empty())
            return false;
        track = m_tracks.back().get();
    }
    return track->AddNote(tick, duration, key, velocity);
}

void CMMidiFile::ReserveNotes(std::size_t notes)
{
    if (!m_tracks.empty())
        m_tracks.back()->ReserveEvents(2 * notes);
}

void CMMidiFile::MakeDeltaTimes()
{
    for (const auto& track : m_tracks)
        track->MakeDeltaTimes();
}

namespace {

constexpr std::uint32_t kTicksPerMeasure = 384;  // four quarters of 96 ticks
constexpr std::uint32_t kClickLength = 96;
constexpr std::uint8_t kClickVelocity = 79;

// Puts the count-in in front of a drum track: a click on every beat of `bars` measures, after a
// silent measure. Events are pushed to the front, so they are listed last to first.
void PushClicks(CMMidiFileChunk& track, int bars, std::uint8_t note)
{
    for (int i = 0; i < 4 * bars - 1; ++i) {
        track.PushFront(CMMidiFileEvent(note, kClickLength, 0));
        track.PushFront(CMMidiFileEvent(note, 0, kClickVelocity));
    }
    track.PushFront(CMMidiFileEvent(note, kClickLength, 0));
    track.PushFront(CMMidiFileEvent(note, kTicksPerMeasure, kClickVelocity));
}

}  // namespace

void CMMidiFile::AddPrecount(int bars, std::uint8_t note)
{
    MakeDeltaTimes();
    bool drumTrackFound = false;
    for (const auto& track : m_tracks) {
        if (bars < 1 || track->GetChannel() != 9) {
            // A silent note as long as the lead-in delays the track's first event.
            const auto rest = static_cast<std::uint32_t>((3 * bars + 3) * 128);
            track->PushFront(CMMidiFileEvent(0, rest, 0));
        } else {
            PushClicks(*track, bars, note);
            drumTrackFound = true;
        }
    }
    if (bars >= 1 && !drumTrackFound) {
        CMMidiFileChunk& drums = AddTrack(9, 0, CMString());
        drums.MakeDeltaTimes();
        PushClicks(drums, bars, note);
    }
}

void CMMidiFile::AddChannelSettings(const CMChannelMix& mix)
{
    for (const auto& track : m_tracks) {
        const int channel = track->GetChannel();
        if (channel < 0 || channel > 15 || !mix[static_cast<std::size_t>(channel)])
            continue;
        const auto controllers = mix[static_cast<std::size_t>(channel)]->Controllers();
        // Pushed to the front, so the last goes first.
        for (auto controller = controllers.rbegin(); controller != controllers.rend(); ++controller)
            track->PushFront(CMMidiFileEvent::Message(0, static_cast<std::uint8_t>(0xB0 | channel),
                                                      {controller->number, controller->value}));
    }
}

std::uint32_t CMMidiFile::GetImageSize(int tempo) const
{
    const CMMidiFileChunk tempoTrack(CMMidiFileChunk::kTempoTrack, 0, CMString());
    std::uint32_t size = 14 + 8 + tempoTrack.GetDataSize(tempo);
    for (const auto& track : m_tracks)
        size += 8 + track->GetDataSize(tempo);
    return size;
}

std::vector<std::uint8_t> CMMidiFile::WriteImage(int tempo) const
{
    // The size pass: every chunk's data size once, then the byte pass.
    const CMMidiFileChunk tempoTrack(CMMidiFileChunk::kTempoTrack, 0, CMString());
    const std::uint32_t tempoSize = tempoTrack.GetDataSize(tempo);
    std::vector<std::uint32_t> sizes;
    std::uint32_t total = 14 + 8 + tempoSize;
    for (const auto& track : m_tracks) {
        sizes.push_back(track->GetDataSize(tempo));
        total += 8 + sizes.back();
    }
    std::vector<std::uint8_t> image(total);
    std::uint8_t* out = image.data();
    const auto trackCount = static_cast<std::uint16_t>(m_tracks.size() + 1);
    const std::uint8_t header[] = {'M',
                                   'T',
                                   'h',
                                   'd',
                                   0,
                                   0,
                                   0,
                                   6,
                                   0,
                                   1,
                                   static_cast<std::uint8_t>(trackCount >> 8),
                                   static_cast<std::uint8_t>(trackCount),
                                   static_cast<std::uint8_t>(m_division >> 8),
                                   static_cast<std::uint8_t>(m_division)};
    std::memcpy(out, header, sizeof header);
    out += sizeof header;
    out += tempoTrack.Write(out, tempo, tempoSize);
    for (std::size_t i = 0; i < m_tracks.size(); ++i)
        out += m_tracks[i]->Write(out, tempo, sizes[i]);
    assert(static_cast<std::size_t>(out - image.data()) == image.size());
    return image;
}

bool CMMidiFile::Save(const char* path, int tempo) const
{
    const std::vector<std::uint8_t> image = WriteImage(tempo);
    if (image.empty())
        return false;
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}
