// The chart view's commands, their states, the initial update, the drawing and the play command.
#include "app/CMChartViewModel.h"

#include "app/CommandIds.h"
#include "chart/SongDrawing.h"
#include "midi/playback/MidiOutPorts.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace C = CommandId;

namespace {

constexpr double kPageWidth = 8500;  // a letter-size sheet, in thousandths of an inch
constexpr double kPageHeight = 11000;

// A number box's text as a whole number: leading blanks, a sign and digits, like atoi; anything
// else counts as 0 and a number too large for an int as the nearer end.
int NumberOf(const CMString& text)
{
    const long value = std::strtol(text.GetText(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

CMString NumberText(int value)
{
    CMString text;
    return text.Format("%d", value);
}

int ZoomPosition(double zoom)
{
    return static_cast<int>(std::lround(zoom * 100));
}

const CMSettingRange& ZoomRange()
{
    return SettingOf("General", "Zoom").range;
}

// The six tempo presets' commands, in the presets' order.
int PresetOf(int id)
{
    return id >= C::TempoBallad && id <= C::TempoVeryFast ? id - C::TempoBallad : -1;
}

int KeyKindOf(int id)
{
    switch (id) {
    case C::ConcertKey: return InstrumentConcert;
    case C::BbKey: return InstrumentBFlat;
    case C::EbKey: return InstrumentEFlat;
    case C::UserKey: return InstrumentUserKey;
    case C::NumberSystem: return InstrumentNumbers;
    default: return -1;
    }
}

CMChartSettings LoadedChartSettings()
{
    CMChartSettings settings("Zimbrel.ini");
    settings.Load();
    return settings;
}

CMZimbrelIni LoadedSettings()
{
    CMZimbrelIni settings;
    settings.Load();
    return settings;
}

bool IsPrintCommand(int id)
{
    return id == C::FilePrint || id == C::FileQuickPrint || id == C::FilePrintPreview ||
           id == C::FilePrintSetup;
}

bool IsExportCommand(int id)
{
    return id == C::FileExportPdf || id == C::FileExportPng || id == C::FileExportSvg ||
           id == C::FileExportMusicXml || id == C::FileExportSongbook;
}

}  // namespace

// The play command's view of the chart view: its player and the window's output tabs.
class CMChartViewModel::PlayShell : public IMPlayShell {
public:
    explicit PlayShell(CMChartViewModel& view) : m_view(view) {}
    void WriteOutput(const CMString& text) override { m_view.m_shell.WriteOutput(text); }
    void WriteDebug(const CMString& text) override { m_view.m_shell.WriteDebug(text); }
    void SetWaitCursor(bool on) override { m_view.m_shell.SetWaitCursor(on); }
    CMMCI& GetPlayer() override { return m_view.m_mci; }

private:
    CMChartViewModel& m_view;
};

CMChartViewModel::CMChartViewModel(CMDocumentCommands& documents, const CMMusicBandList& bands,
                                   IMRibbonControls& controls, IMChartViewShell& shell,
                                   const SequencerFactory& makeSequencer)
    : m_documents(documents), m_bands(bands), m_controls(controls), m_shell(shell),
      m_chart(LoadedChartSettings()), m_dc(nullptr, m_chart), m_ini(LoadedSettings()),
      m_mci(makeSequencer(m_ini))
{
    m_chart.chordStyle = m_ini.chordStyle;  // the general chord style wins over the chart's copy
    m_controls.SetRange(C::ZoomSlider, ZoomPosition(ZoomRange().lowest),
                        ZoomPosition(ZoomRange().highest), kZoomStep);
    const int slowest = static_cast<int>(kTempoRange.lowest);
    const int fastest = static_cast<int>(kTempoRange.highest);
    m_controls.SetRange(C::TempoSlider, slowest, fastest, kTempoStep);
    m_controls.SetRange(C::TempoBox, slowest, fastest);
}

CMChartViewModel::~CMChartViewModel()
{
    m_mci.Close();
    WriteSettings();
}

bool CMChartViewModel::WriteSettings()
{
    m_chart.chordStyle = m_ini.chordStyle;
    const bool settingsSaved = m_ini.Save();
    return m_chart.Save() && settingsSaved;
}

void CMChartViewModel::SaveSettings()
{
    if (!WriteSettings())
        m_shell.WriteOutput("Error : Cannot write the settings file './Zimbrel.ini'");
    m_shell.RepaintChart();
}

double CMChartViewModel::GetZoom() const
{
    return ZoomRange().Clamp(m_ini.zoom);
}

void CMChartViewModel::InitialUpdate(double width, double height)
{
    const double w = std::abs(width) / kPageWidth;
    const double h = std::abs(height) / kPageHeight;
    double zoom = m_ini.zoom;
    switch (SettingOf("General", "InitialZoom").Fit(m_ini.initialZoom)) {
    case 0: zoom = std::min(h, w); break;
    case 1: zoom = std::min(1.2 * h, w); break;
    case 2: zoom = std::min(h, w / 2); break;
    default: break;
    }
    // At least half size; at most what the zoom slider reaches.
    m_ini.zoom = ZoomRange().Clamp(zoom);
    m_controls.SetPosition(C::ZoomSlider, ZoomPosition(m_ini.zoom));
    m_shell.ZoomChanged(m_ini.zoom);
    SetUpControlsOnce();
    ShowSong();
}

void CMChartViewModel::SetUpControlsOnce()
{
    if (m_controlsSetUp)
        return;
    m_controlsSetUp = true;
    // Entry 0 is there at once; the system's ports join it when they have been listed.
    FillMidiOutList({CMString(kBuiltInSynthesizer)});
    m_shell.RequestMidiOutDevices();
    FillBandList();
    const int low = static_cast<int>(kTransposeRange.lowest);
    const int high = static_cast<int>(kTransposeRange.highest);
    m_controls.SetRange(C::TransposeSlider, low, high);
    m_controls.SetRange(C::TransposeBox, low, high);
    m_controls.SetPosition(C::TransposeSlider, m_nTranspose);
    m_controls.SetText(C::TransposeBox, NumberText(m_nTranspose));
}

void CMChartViewModel::ShowSong()
{
    CMMusicSong& song = m_documents.Document().GetSong();
    m_nPreset = -1;
    const CMPerformanceSettings performance = DefaultPerformance(m_ini, song);
    SetTempo(performance.tempo);
    m_controls.SetCurSel(C::RepeatList, performance.repeats - 1);
    if (song.precount < 0)
        song.precount = performance.precount;
    m_controls.SetCurSel(C::PrecountList, performance.precount);
    m_documents.Document().ReportOpening(m_shell);
    m_shell.RepaintChart();
}

void CMChartViewModel::FillMidiOutList(const std::vector<CMString>& deviceNames)
{
    const CMMidiOutPortList list = FillMidiOutPortList(deviceNames, m_ini.midiOutPort);
    m_controls.RemoveAllItems(C::MidiOutList);
    for (const CMString& entry : list.entries)
        m_controls.AddItem(C::MidiOutList, entry);
    m_controls.SetCurSel(C::MidiOutList, list.selected);
}

void CMChartViewModel::FillBandList()
{
    m_controls.RemoveAllItems(C::BandList);
    int selected = 0;
    int index = 0;
    for (const auto& band : m_bands.GetBands()) {
        m_controls.AddItem(C::BandList, " " + band->GetName());
        if (band->GetName() == m_ini.band)
            selected = index;
        ++index;
    }
    m_controls.SetCurSel(C::BandList, selected);
}

void CMChartViewModel::ZoomBy(int steps)
{
    const int low = ZoomPosition(ZoomRange().lowest);
    const int high = ZoomPosition(ZoomRange().highest);
    const int position = m_controls.GetPosition(C::ZoomSlider) + steps * kZoomStep;
    m_controls.SetPosition(C::ZoomSlider, std::clamp(position, low, high));
    OnCommand(C::ZoomSlider);
}

void CMChartViewModel::SetTempo(int tempo)
{
    tempo = kTempoRange.Clamp(tempo);
    m_controls.SetPosition(C::TempoSlider, tempo);
    m_controls.SetText(C::TempoBox, NumberText(tempo));
    m_shell.RepaintChart();  // the tempo stands under the title
}

void CMChartViewModel::SetTranspose(int transpose)
{
    m_nTranspose = kTransposeRange.Clamp(transpose);
    m_controls.SetPosition(C::TransposeSlider, m_nTranspose);
    m_controls.SetText(C::TransposeBox, NumberText(m_nTranspose));
    m_shell.RepaintChart();
}

void CMChartViewModel::ChooseKeyKind(int kind)
{
    m_ini.instrumentType = kind;
    m_ini.chordSymbol = kind == InstrumentNumbers ? 1 : 0;
    m_shell.RepaintChart();
}

void CMChartViewModel::ChoosePreset(int preset)
{
    const CMZimbrelTempo& tempo = m_ini.tempos[static_cast<std::size_t>(preset)];
    m_nPreset = preset;
    SetTempo(tempo.tempo);
    m_controls.SetCurSel(C::RepeatList, kRepeatRange.Clamp(tempo.repeat) - 1);
}

CMPlayRequest CMChartViewModel::GatherPlayRequest() const
{
    CMPlayRequest request;
    const auto& bands = m_bands.GetBands();
    const int band = m_controls.GetCurSel(C::BandList);
    if (band >= 0 && static_cast<std::size_t>(band) < bands.size())
        request.band = bands[static_cast<std::size_t>(band)].get();
    else if (!bands.empty())
        request.band = bands.front().get();
    CMPerformanceSettings& performance = request.performance;
    performance.band = request.band ? request.band->GetName() : CMString();
    performance.instruments =
        (m_ini.piano ? PlayPiano : 0) | (m_ini.bass ? PlayBass : 0) | (m_ini.drums ? PlayDrums : 0);
    performance.tempo = m_controls.GetPosition(C::TempoSlider);
    performance.repeats = std::max(m_controls.GetCurSel(C::RepeatList), 0) + 1;
    performance.precount = std::max(m_controls.GetCurSel(C::PrecountList), 0);
    performance.precountNote = SettingOf("General", "PrecountNote").Fit(m_ini.precountNote);
    performance.transpose = m_nTranspose;
    performance.intro = m_ini.intro;
    performance.verse = m_ini.verse;
    performance.feel = FeelOf(m_ini.feel);
    performance.mixer = m_ini.mixer;
    request.port = std::max(m_controls.GetCurSel(C::MidiOutList), 0);
    return request;
}

void CMChartViewModel::Play()
{
    PlayShell shell(*this);
    PlayOrStop(Document().GetSong(), GatherPlayRequest(), shell);
}

void CMChartViewModel::Poll()
{
    if (!m_mci.IsPlaying())
        return;
    m_mci.Poll();
    if (m_mci.IsPlaying())
        return;
    // A player that could not start says so now: it was handed the file without waiting.
    const CMString reason = m_mci.GetError();
    if (!reason.IsEmpty())
        m_shell.WriteOutput(CannotPlayMessage(Document().GetTitle(), reason));
    m_shell.UpdateCommands();
}

void CMChartViewModel::EditSong()
{
    CMString edited;
    if (m_shell.EditSource(Document().GetSource(), edited))
        m_documents.Document().ApplyEdit(edited, m_shell);
}

void CMChartViewModel::OpenSongFromList()
{
    const CMString title = m_songView ? m_songView->GetSelectedTitle() : CMString();
    if (title.IsEmpty())
        return;
    if (title == Document().GetTitle()) {
        m_shell.RepaintChart();
        return;
    }
    const CMString path = "./Data/" + title + ".zimbrel";
    FILE* file = std::fopen(path.GetText(), "rb");
    if (!file)
        return;  // a title without a readable song is passed over
    std::fclose(file);
    m_documents.OpenFile(path);
}

void CMChartViewModel::DrawChart(std::unique_ptr<IMDC> surface, int page)
{
    surface->origin = CMPoint(0.5, 0.5);
    surface->zoom = page > 0 ? 1.0 : GetZoom();
    surface->printing = page > 0;
    const CMChartViewChoices choices = Choices();
    m_dc.surface = std::move(surface);
    Draw(Document().GetSong(), m_dc, choices.transposition, choices.showIntro, choices.showVerse,
         choices.numerals, choices.chordStyle, page, kRingBitmap, true, choices.tempo);
    m_dc.surface.reset();
}

CMChartViewChoices CMChartViewModel::Choices() const
{
    CMChartViewRequest request;
    request.transposition = m_nTranspose;
    CMChartViewChoices choices = ChooseChartView(m_ini, Document().GetSong(), request);
    choices.tempo = m_controls.GetPosition(C::TempoSlider);  // the tempo the view plays at
    return choices;
}

int CMChartViewModel::PageCount() const
{
    return CountChartPages(Document().GetSong(), m_ini.intro, m_ini.verse);
}

// The number boxes, sliders and lists.
bool CMChartViewModel::RunValueCommand(int id)
{
    switch (id) {
    case C::ZoomSlider:
        m_ini.zoom = m_controls.GetPosition(C::ZoomSlider) / 100.0;
        m_shell.ZoomChanged(GetZoom());
        return true;
    case C::TransposeBox: SetTranspose(NumberOf(m_controls.GetText(C::TransposeBox))); return true;
    case C::TransposeSlider: SetTranspose(m_controls.GetPosition(C::TransposeSlider)); return true;
    case C::TempoBox:
        // Tempo typed or moved by hand is no preset's any more.
        m_nPreset = -1;
        SetTempo(NumberOf(m_controls.GetText(C::TempoBox)));
        return true;
    case C::TempoSlider:
        m_nPreset = -1;
        SetTempo(m_controls.GetPosition(C::TempoSlider));
        return true;
    case C::RepeatList:
    case C::PrecountList: m_nPreset = -1; return true;
    case C::MidiOutList:
        m_ini.midiOutPort = MidiOutPortSetting(
            m_controls.GetItem(C::MidiOutList, m_controls.GetCurSel(C::MidiOutList)));
        return true;
    case C::BandList:
        m_ini.band = m_controls.GetItem(C::BandList, m_controls.GetCurSel(C::BandList)).Trim();
        return true;
    default: return false;
    }
}

// The check buttons that switch an instrument or a part of the chart on and off.
bool CMChartViewModel::RunSwitchCommand(int id)
{
    switch (id) {
    case C::Piano: m_ini.piano = !m_ini.piano; return true;
    case C::Bass: m_ini.bass = !m_ini.bass; return true;
    case C::Drums: m_ini.drums = !m_ini.drums; return true;
    case C::NaturalFeel:
        m_ini.feel = FeelOf(m_ini.feel) == CMFeel::Natural ? FeelStrict : FeelNatural;
        return true;
    case C::Intro: m_ini.intro = !m_ini.intro; break;
    case C::Verse: m_ini.verse = !m_ini.verse; break;
    case C::Lyrics: m_ini.lyrics = !m_ini.lyrics; break;
    default: return false;
    }
    m_shell.RepaintChart();
    return true;
}

bool CMChartViewModel::OnCommand(int id)
{
    if (RunValueCommand(id) || RunSwitchCommand(id))
        return true;
    if (const int kind = KeyKindOf(id); kind >= 0) {
        ChooseKeyKind(kind);
        return true;
    }
    if (const int preset = PresetOf(id); preset >= 0) {
        ChoosePreset(preset);
        return true;
    }
    if (IsPrintCommand(id)) {
        m_shell.Print(id);
        return true;
    }
    if (IsExportCommand(id)) {
        m_shell.Export(id);
        return true;
    }
    switch (id) {
    case C::Play: Play(); return true;
    case C::EditSong: EditSong(); return true;
    case C::OpenSongFromList: OpenSongFromList(); return true;
    case C::Refresh:
        m_shell.RequestMidiOutDevices();
        if (m_songView)
            m_songView->Refill();
        return true;
    case C::Options:
        if (m_showOptions && m_showOptions())
            SaveSettings();
        return true;
    default: return false;
    }
}

bool CMChartViewModel::OnUpdateCommand(int id, CMCommandUI& ui) const
{
    const bool playing = m_mci.IsPlaying();
    if (const int kind = KeyKindOf(id); kind >= 0) {
        ui.checked = m_ini.instrumentType == kind;
        return true;
    }
    if (const int preset = PresetOf(id); preset >= 0) {
        ui.checked = m_nPreset == preset;
        return true;
    }
    switch (id) {
    case C::Play: ui.checked = playing; return true;
    case C::Piano: ui.checked = m_ini.piano; break;
    case C::Bass: ui.checked = m_ini.bass; break;
    case C::Drums: ui.checked = m_ini.drums; break;
    case C::NaturalFeel: ui.checked = FeelOf(m_ini.feel) == CMFeel::Natural; break;
    case C::Intro: ui.checked = m_ini.intro; break;
    case C::Verse: ui.checked = m_ini.verse; break;
    case C::Lyrics: ui.checked = m_ini.lyrics; break;
    case C::BandList: break;
    case C::MidiOutList: ui.enabled = !m_mci.IsOpen(); return true;
    case C::Options: ui.enabled = static_cast<bool>(m_showOptions); return true;
    default:
        // Every other command of the view is always enabled.
        return IsPrintCommand(id) || IsExportCommand(id) || id == C::ZoomSlider ||
               id == C::OpenSongFromList || id == C::TempoBox || id == C::TempoSlider ||
               id == C::TransposeBox || id == C::TransposeSlider || id == C::RepeatList ||
               id == C::PrecountList || id == C::EditSong || id == C::Refresh;
    }
    // The instruments, the band and what the chart shows stay as they are while playing.
    ui.enabled = !playing;
    return true;
}
