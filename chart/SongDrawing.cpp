// Song drawing: the order of the steps, which measures, notes and lyrics a page shows, the bar
// signs of each bar kind and the open ending they track.
#include "chart/SongDrawing.h"

#include "chart/MusicFont.h"
#include "music/LabelCodes.h"
#include "music/MelodySpelling.h"

#include <cassert>

using namespace ChartGeometry;

namespace {

constexpr int kBlack = 0;
constexpr int kWhite = 0xFFFFFF;
constexpr const char* kNoticeLines[] = {"Printed with Zimbrel", "for practice and study"};

// One call of Draw: the song, the renderer and what to show.
class SongPainter {
public:
    SongPainter(const CMMusicSong& song, CMMusicDC& dc, int transposition, bool showIntro,
                bool showVerse, bool numeralMode, std::uint8_t chordStyle, int page)
        : m_song(song), m_dc(dc), m_surface(*dc.surface), m_showIntro(showIntro),
          m_showVerse(showVerse), m_numeralMode(numeralMode), m_chordStyle(chordStyle),
          m_page(page), m_display(DisplayKey(song, transposition)),
          m_degreeKey(numeralMode ? DisplayKey(song, 0).key.GetSemitone()
                                  : m_display.key.GetSemitone()),
          m_hasCodaJump(song.GetCodaLabel() >= 0)
    {
    }

    void Backgrounds();
    void Rings(int bitmap);
    void Notice();
    // Answers where the first measure's chords start, behind the clef, key and time signature.
    double Header(int tempo);
    // The title and the page number of a page after the first.
    void LaterPageHeading(int chartPage, int pages);
    void Measures(double firstMeasureStartX);
    void Melody();
    void Lyrics();

private:
    bool IsShown(int labelCode) const
    {
        return !(labelCode == LabelIntro && !m_showIntro) &&
               !(labelCode == LabelVerse && !m_showVerse);
    }
    // Whether a page of the chart is on this drawing: the first two on the screen, the one
    // asked for when printing.
    bool IsOnDrawing(int chartPage) const
    {
        return m_page == 0 ? chartPage <= 1 : chartPage == m_page - 1;
    }
    void Sign(const CMStaffPosition& position, CMBarSign sign, double xOffset = 0)
    {
        if (IsOnDrawing(position.page))
            m_dc.DrawBarSign(position, sign, xOffset);
    }
    // The signs of a bar kind; `closing` for the song's closing measure, after which nothing
    // follows.
    void BarSigns(int measure, std::uint8_t barKind, bool closing);
    void Chords(int measure, const CMMusicChordList& items, double firstMeasureStartX);
    // One note or rest of the melody, `x` measures into the staff measure `measure`; a half
    // note or rest that opens its measure stands further in.
    void MelodyNote(int measure, double x, bool firstInMeasure, const CMMusicNotation& note,
                    CMMelodySpeller& speller);
    void MelodyRest(int measure, double x, bool firstInMeasure, int code);

    const CMMusicSong& m_song;
    CMMusicDC& m_dc;
    IMDC& m_surface;
    bool m_showIntro;
    bool m_showVerse;
    bool m_numeralMode;
    std::uint8_t m_chordStyle;
    int m_page;
    CMKeyTransposition m_display;  // the key shown and the interval every note moves by
    int m_degreeKey;               // semitone of the key the numerals count from
    bool m_hasCodaJump;
    double m_firstMeasureSignX = 0;  // where signs before the first measure stand
    bool m_endingOpen = false;
    CMMusicChord m_previousChord;  // letter 0: none yet
};

void SongPainter::Backgrounds()
{
    const int fill = m_surface.printing ? kWhite : CMColour(1.0, 1.0, 0.95).Pack();
    const CMPoint& origin = m_surface.origin;
    for (int position = 0; position < 2; ++position) {
        const double left = position * kPageWidth - origin.x;
        m_surface.DrawRectangle(left, -origin.y, left + kPageWidth, kPageHeight - origin.y, fill,
                                -1, 1);
    }
}

void SongPainter::Rings(int bitmap)
{
    const CMPoint& origin = m_surface.origin;
    // One ring every 0.2 inch while the next stays on the sheet.
    for (int k = 0; (k + 1) * 2 <= static_cast<int>(kPageHeight * 10); ++k)
        m_surface.DrawBitmap(kPageWidth - origin.x, k * 0.2 - origin.y, bitmap, true);
    m_surface.DrawRectangle(-origin.x, -origin.y, 2 * kPageWidth - origin.x, kPageHeight - origin.y,
                            -1, kBlack, 1);
}

void SongPainter::Notice()
{
    const CMFontConfig font("", "Font", "Times New Roman", 0.5, true, true,
                            CMColour(0.75, 0.75, 0.75).Pack());
    for (int k = 0; k < 10; ++k) {
        m_surface.DrawText(0.4, k, kNoticeLines[0], font, AlignLeft);
        m_surface.DrawText(0.4, k + 0.5, kNoticeLines[1], font, AlignLeft);
    }
}

double SongPainter::Header(int tempo)
{
    const CMFontConfig& author = m_dc.Settings().authorFont;
    if (!m_surface.printing) {
        CMString text;
        m_surface.DrawText(0, -author.height, text.Format("Tempo = %d", m_song.tempo), author,
                           AlignLeft);
        m_surface.DrawText(0, 0, text.Format("Repeat = %d times", m_song.repeat), author,
                           AlignLeft);
    }
    if (m_song.title.IsEmpty())
        m_dc.DrawTitle(m_song.GetFileTitle());
    else
        m_dc.DrawTitleLines(m_song.title);
    if (tempo > 0)
        m_dc.DrawTempoMarking(m_dc.TitleBottom(m_song.title.GetCount()), m_song.style, tempo);
    double x = m_dc.DrawClef(true);
    const CMMusicChord& key = m_display.key;
    m_surface.DrawText(0, author.height, CMString("Key = ") + key.GetName() + key.GetDisplayText(),
                       author, AlignLeft);
    x += m_dc.DrawKeySignature(KeySignatureAccidentals(key));
    m_dc.DrawCredits(m_song.composer, m_song.lyricist);
    int numerator = 0, denominator = 0;
    m_song.GetFirstMeter(numerator, denominator);
    if (numerator != 0 && denominator != 0)
        x += m_dc.DrawTimeSignature(x, numerator, denominator);
    m_firstMeasureSignX = x + 0.02;
    return m_firstMeasureSignX;
}

void SongPainter::LaterPageHeading(int chartPage, int pages)
{
    const CMString title =
        m_song.title.IsEmpty() ? m_song.GetFileTitle() : *m_song.title.GetHead()->element;
    m_dc.DrawPageHeading(chartPage, title, pages);
}

void SongPainter::BarSigns(int measure, std::uint8_t barKind, bool closing)
{
    const CMStaffPosition position = CMStaffPosition::OfMeasure(measure);
    const bool startsLaterLine = position.column == 0 && measure > 0;
    // A closing measure that starts a line stands on an empty staff: its signs go to the end
    // of the line before, and none opens that empty line. The first measure's signs stand
    // behind the clef, key and time signature.
    const auto atStart = [&](CMBarSign sign) {
        if (!(closing && startsLaterLine))
            Sign(position, sign, measure == 0 ? m_firstMeasureSignX : 0);
    };
    const auto repeatEnd = [&] {
        if (measure > 0)
            Sign(position.ClosingPosition(), CMBarSign::RepeatEnd);
    };
    // The second ending starts where the first one's repeat ends.
    const auto closeEnding = [&] {
        if (m_endingOpen)
            atStart(CMBarSign::SecondEnding);
        m_endingOpen = false;
    };
    switch (barKind) {
    case BarSingle: atStart(CMBarSign::Single); break;
    case DoubleBar:
        atStart(CMBarSign::Double);
        if (startsLaterLine)
            Sign(position.PreviousLineEnd(), CMBarSign::Double);
        break;
    case FineBar:
        Sign(startsLaterLine ? position.PreviousLineEnd() : position, CMBarSign::Final);
        break;
    case RepeatBegin: atStart(CMBarSign::RepeatBegin); break;
    case RepeatEnd:
        repeatEnd();
        closeEnding();
        break;
    case DoubleRepeat:
        repeatEnd();
        atStart(CMBarSign::RepeatBegin);
        closeEnding();
        break;
    case BranchBar:
        atStart(CMBarSign::FirstEnding);
        m_endingOpen = true;
        break;
    case CodaBar:
        if (measure > 0 && IsOnDrawing(position.ClosingPosition().page))
            m_dc.DrawCodaJump(measure);
        break;
    default: break;  // the staff paper already has the thin bar lines
    }
}

void SongPainter::Chords(int measure, const CMMusicChordList& items, double firstMeasureStartX)
{
    const bool lineStart = CMStaffPosition::OfMeasure(measure).column == 0;
    const CMColour colour = m_dc.Settings().chordFont.colour;
    int slot = 0;
    for (const CMMusicChord* item : items) {
        CMMusicChord chord(*item);
        if (!m_numeralMode)
            m_display.interval.Apply(chord);
        chord.displayMode = m_numeralMode ? 1 : 0;
        chord.chordStyle = m_chordStyle;
        if (chord != m_previousChord || (slot == 0 && lineStart)) {
            const int packed =
                chord.parenthesized ? CMColour::Mix(colour, kWhite).Pack() : colour.Pack();
            const int degree = m_numeralMode ? chord.GetDegree(m_degreeKey) : 0;
            m_dc.DrawChord(measure, chord, slot, m_page, packed, degree, firstMeasureStartX);
        }
        m_previousChord = chord;
        slot += BeatsOf(chord.length);  // a slot is a beat
    }
}

void SongPainter::Measures(double firstMeasureStartX)
{
    int shown = 0;
    int previousLabel = -1;
    for (auto* node = m_song.measures.GetHead(); node; node = node->next) {
        const CMMusicChordList* measure = node->element;
        if (!IsShown(measure->labelCode))
            continue;
        const bool closing = node->next == nullptr;
        const int chartPage = CMStaffPosition::OfMeasure(shown).page;
        if (m_page == 0 && chartPage > 1) {
            // The screen ends with page 2; only signs this measure draws at its end are seen.
            BarSigns(shown, measure->barKind, closing);
            break;
        }
        if (measure->labelCode != previousLabel && IsOnDrawing(chartPage)) {
            m_dc.DrawLabel(shown, measure->labelCode);
            // The coda the jump leads to begins with the sign the jump names.
            if (measure->labelCode == LabelEnding && m_hasCodaJump)
                m_dc.DrawCodaSign(shown);
        }
        previousLabel = measure->labelCode;
        BarSigns(shown, measure->barKind, closing);
        Chords(shown, *measure, firstMeasureStartX);
        ++shown;
    }
}

void SongPainter::MelodyNote(int measure, double x, bool firstInMeasure,
                             const CMMusicNotation& note, CMMelodySpeller& speller)
{
    static constexpr double kNoteSpace[] = {0.1, 0.04, 0.07, 0.035, 0, 0};
    const int code = note.value;
    const double space = code == NoteHalf && firstInMeasure ? 0.08 : kNoteSpace[code];
    const CMMelodySpeller::Note spelled = speller.Spell(note);
    const CMPoint at = m_dc.DrawNote(measure, (space + x) * kMeasureWidth, spelled.position,
                                     MusicGlyph::Note(code));
    if (spelled.accidental)
        m_dc.DrawAccidental(at.x - 0.06, at.y, spelled.alteration);
    const CMFontConfig dot("", "Font", kMusicFontName, 0.3, false, false, kBlack);
    for (int k = 0; k < note.dots; ++k)
        m_surface.DrawText(at.x + 0.12 + k * 0.035, at.y + 0.01, MusicGlyph::kDot, dot, AlignLeft);
}

void SongPainter::MelodyRest(int measure, double x, bool firstInMeasure, int code)
{
    static constexpr double kRestSpace[] = {0.42, 0.15, 0.1, 0.04, 0, 0};
    const double space = code == NoteHalf && firstInMeasure ? 0.2 : kRestSpace[code];
    m_dc.DrawRest(measure, (space + x) * kMeasureWidth, code);
}

void SongPainter::Melody()
{
    CMMelodySpeller speller(KeySignatureAccidentals(DisplayKey(m_song, 0).key),
                            KeySignatureAccidentals(m_display.key), m_display.interval);
    int songMeasure = 0;
    int shown = 0;
    double cursor = 0;  // in measures
    bool firstInMeasure = true;
    for (const CMMusicNotation* note : m_song.notes) {
        if (note->IsBar() || note->IsLabel()) {
            shown += IsShown(m_song.GetMeasureLabel(songMeasure)) ? 1 : 0;
            ++songMeasure;
            cursor = 0;
            firstInMeasure = true;
            speller.NextMeasure();
            continue;
        }
        const int code = note->value;
        const bool drawn = code < MusicGlyph::kDurationCodes &&
                           IsShown(m_song.GetMeasureLabel(songMeasure)) &&
                           IsOnDrawing(CMStaffPosition::OfMeasure(shown).page);
        if (drawn && note->IsPitch())
            MelodyNote(shown, cursor, firstInMeasure, *note, speller);
        else if (drawn)
            MelodyRest(shown, cursor, firstInMeasure, code);
        cursor += note->GetWidth();
        firstInMeasure = false;
    }
}

void SongPainter::Lyrics()
{
    constexpr int kSlotsPerLine = 4 * kMeasuresPerLine;
    int slot = 0;
    int beat = 0;
    for (const CMString* token : m_song.lyrics) {
        if (*token == "~" || *token == "|")
            continue;
        // A hidden measure's beats take no slots, its slashes neither: the lyrics that follow
        // stay under their measures.
        if (!IsShown(m_song.GetMeasureLabel(beat / 4))) {
            ++beat;
            continue;
        }
        if (*token == "/") {
            ++slot;
            ++beat;
            continue;
        }
        const int chartPage = slot / (kSlotsPerLine * kLinesPerPage);
        if (m_page == 0 && chartPage > 1)
            break;
        if (IsOnDrawing(chartPage))
            m_surface.DrawText(m_dc.PageOffset(chartPage) + (slot % kSlotsPerLine) * kSlotWidth,
                               (slot / kSlotsPerLine) % kLinesPerPage + 1.12, *token,
                               m_dc.Settings().lyricsFont, AlignLeft);
        ++slot;
        ++beat;
    }
}

}  // namespace

int CountChartPages(const CMMusicSong& song, bool showIntro, bool showVerse)
{
    return (song.CountMeasures(showIntro, showVerse) - 2) / kMeasuresPerPage + 1;
}

int Draw(const CMMusicSong& song, CMMusicDC& renderer, int transposition, bool showIntro,
         bool showVerse, bool numeralMode, std::uint8_t chordStyle, int page, int ringBitmap,
         bool printNotice, int tempo)
{
    assert(renderer.surface);
    SongPainter painter(song, renderer, transposition, showIntro, showVerse, numeralMode,
                        chordStyle, page);
    const int pages = CountChartPages(song, showIntro, showVerse);
    const IMDC& surface = *renderer.surface;
    painter.Backgrounds();
    if (page == 0 && ringBitmap >= 0)
        painter.Rings(ringBitmap);
    if (surface.printing && printNotice)
        painter.Notice();
    renderer.DrawStaffPaper(0);
    if (pages > 1)
        renderer.DrawStaffPaper(1);
    const double firstMeasureStartX = page <= 1 ? painter.Header(tempo) : 0;
    if (page == 0 && pages > 1)
        painter.LaterPageHeading(1, pages);
    else if (page > 1)
        painter.LaterPageHeading(page - 1, pages);
    painter.Measures(firstMeasureStartX);
    painter.Melody();
    painter.Lyrics();
    return 0;
}
