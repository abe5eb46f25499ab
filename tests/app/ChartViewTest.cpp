// The chart view's model through fake ribbon controls, a recording window and the recording
// player: the initial update, every command's action and state, the drawing's arguments, the
// page count, the play command's gathered values and opening a song from the list.
#include "app/ChartView.h"
#include "app/CMChartViewModel.h"
#include "tests/FileContents.h"
#include "tests/PresetBands.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"
#include "tests/WorkDir.h"
#include "tests/app/AppFakes.h"
#include "tests/chart/RecordingDC.h"
#include "tests/playback/RecordingSequencer.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>

namespace C = CommandId;

namespace {

using Lines = std::vector<std::string>;

class RecordingView : public IMChartViewShell {
public:
    void WriteOutput(const CMString& text) override { output.push_back(text.Str()); }
    void RepaintChart() override { ++repaints; }
    void WriteDebug(const CMString& text) override { debug.push_back(text.Str()); }
    void SetWaitCursor(bool) override {}
    void ZoomChanged(double value) override { zoom = value; }
    void RequestMidiOutDevices() override { ++deviceRequests; }
    bool EditSource(const CMString&, CMString&) override { return false; }
    void Print(int command) override { commands.push_back(command); }
    void Export(int command) override { commands.push_back(command); }
    void UpdateCommands() override { ++updates; }

    Lines output, debug;
    int repaints = 0, deviceRequests = 0, updates = 0;
    double zoom = 0;
    std::vector<int> commands;
};

class SongList : public IMSongView {
public:
    void Refill() override { ++refills; }
    CMString GetSelectedTitle() const override { return CMString(selected); }
    std::string selected;
    int refills = 0;
};

// A recording surface that hands what it recorded back when the drawing lets go of it.
struct KeptDrawing {
    std::vector<RecordedPrimitive> primitives;
    double zoom = 0;
    CMPoint origin;
    bool printing = false;
};

class KeepingDC : public RecordingDC {
public:
    explicit KeepingDC(KeptDrawing& kept) : m_kept(kept) {}
    ~KeepingDC() override { m_kept = {primitives, zoom, origin, printing}; }

private:
    KeptDrawing& m_kept;
};

class ChartViewModel : public ::testing::Test {
protected:
    ChartViewModel() : m_inside(m_folder.Root())
    {
        mkdir(m_folder.Path("Data").c_str(), 0755);
        WriteFileContents(m_folder.Path("Data/blues.zimbrel"),
                          "title { Blues }\nmisc { style = medium; }\n"
                          "chord { C7 | F7 | C7 | G7 | }\n");
        WriteFileContents(m_folder.Path("Data/waltz.zimbrel"),
                          "misc { tempo = 500; repeat = 2; }\nchord { Dm7 | G7 | }\n");
    }
    void SetUp() override { ASSERT_TRUE(m_inside.Entered()); }

    // The view with `song` opened and shown in a window one page wide and high.
    CMChartViewModel& Open(const std::string& song = "blues")
    {
        if (!view)
            view = std::make_unique<CMChartViewModel>(
                documents, PresetBands(), controls, window, [this](const CMZimbrelIni&) {
                    return std::make_unique<RecordingSequencer>(script);
                });
        EXPECT_TRUE(documents.OpenFile(CMString("Data/" + song + ".zimbrel")));
        view->InitialUpdate(8500, 11000);
        return *view;
    }
    CMCommandUI State(int id) const
    {
        CMCommandUI ui;
        EXPECT_TRUE(view->OnUpdateCommand(id, ui)) << id;
        return ui;
    }
    KeptDrawing Drawing(int page)
    {
        KeptDrawing kept;
        view->DrawChart(std::make_unique<KeepingDC>(kept), page);
        return kept;
    }
    std::string MidiPath() const { return m_folder.Path("Data/blues.zimbrel.midi"); }

    FakeControls controls;
    RecordingView window;
    ScriptedWindow shell;
    CMDocumentCommands documents{shell};
    std::shared_ptr<SequencerScript> script = std::make_shared<SequencerScript>();
    std::unique_ptr<CMChartViewModel> view;

private:
    TempDir m_folder;
    WorkDir m_inside;
};

}  // namespace

TEST(ChartView, DisplayedTransposition)
{
    // Each kind's offset from the view's own 0: KeyKindsSwitchesAndTheDrawingsArguments.
    EXPECT_EQ(DisplayedTransposition(-7, InstrumentUserKey, -7), -14);
    EXPECT_EQ(DisplayedTransposition(3, InstrumentUserKey, INT_MAX), 8);  // outside: the default, 5
    EXPECT_EQ(DisplayedTransposition(3, InstrumentNumbers, 5), 3);        // numerals do not move
    EXPECT_EQ(DisplayedTransposition(3, 9, 5), 3);  // an unknown kind adds nothing
}

TEST_F(ChartViewModel, InitialZoomByTheSettingAndTheWindow)
{
    struct Case {
        int initialZoom;
        double stored;
        double width, height;  // thousandths of an inch
        double zoom;
    };
    const Case cases[] = {
        {0, 1.7, 9000, 11000, 1.0},   // one page high, wide enough: true size
        {0, 1.7, 100, 80, 0.5},       // tiny: at least half size
        {3, 0.3, 9000, 11000, 0.5},   // the last zoom, but never below half
        {3, 1.7, 100, 80, 1.7},       // the last zoom whatever the window
        {1, 1.0, 8500, 11000, 1.0},   // 80 % of the height, but not wider than the window
        {1, 1.0, 20000, 11000, 1.2},  // fit to 80 % of the height
        {2, 1.0, 17000, 22000, 1.0},  // two pages side by side
        {0, 1.0, 90000, 90000, 2.5},  // at most what the slider reaches
        {7, 1.0, 20000, 11000, 1.2},  // an unknown choice counts as the default, 1
    };
    Open();
    for (const Case& c : cases) {
        view->Settings().initialZoom = c.initialZoom;
        view->Settings().zoom = c.stored;
        view->InitialUpdate(c.width, c.height);
        EXPECT_DOUBLE_EQ(view->GetZoom(), c.zoom) << c.initialZoom << " " << c.width;
        EXPECT_DOUBLE_EQ(view->Settings().zoom, c.zoom);
        EXPECT_DOUBLE_EQ(window.zoom, c.zoom);
        EXPECT_EQ(controls.GetPosition(C::ZoomSlider), std::lround(c.zoom * 100));
    }
    controls.SetPosition(C::ZoomSlider, 180);
    view->OnCommand(C::ZoomSlider);
    EXPECT_DOUBLE_EQ(window.zoom, 1.8);
    view->ZoomBy(3);  // Ctrl+wheel: three notches, within the slider's range
    EXPECT_EQ(controls.GetPosition(C::ZoomSlider), 210);
    view->ZoomBy(-30);
    EXPECT_DOUBLE_EQ(view->Settings().zoom, 0.5);
}

TEST_F(ChartViewModel, InitialUpdateFillsTheListsOnceAndTakesTempoAndPrecountFromTheSong)
{
    WriteFileContents("Zimbrel.ini", "[Preferences]\nBand=Brazilian Trio\n[General]\nPrecount=2\n");
    Open();
    EXPECT_EQ(controls.items[C::MidiOutList], Lines{" Built-in synthesizer"});
    EXPECT_EQ(window.deviceRequests, 1);  // the system's ports come later, off this thread
    view->FillMidiOutList({"Built-in synthesizer", "Synth Port 1"});
    EXPECT_EQ(controls.items[C::MidiOutList].back(), " Synth Port 1");
    ASSERT_EQ(controls.items[C::BandList].size(), PresetBands().GetBands().size());
    EXPECT_EQ(controls.ranges[C::TransposeSlider], std::make_pair(-7, 7));
    EXPECT_EQ(controls.GetItem(C::BandList, controls.GetCurSel(C::BandList)), " Brazilian Trio");
    // The style's preset: Medium, 140 a minute, played four times; a compiled song counts in
    // one measure unless it says otherwise.
    EXPECT_EQ(controls.GetPosition(C::TempoSlider), 140);
    EXPECT_EQ(controls.texts[C::TempoBox], "140");
    EXPECT_EQ(controls.GetCurSel(C::RepeatList), 3);
    EXPECT_EQ(controls.GetCurSel(C::PrecountList), 1);
    EXPECT_EQ(window.output, Lines{"'blues' has been compiled successfully"});

    // A song that does not compile stays open with the message; its precount is the setting's.
    WriteFileContents("Data/broken.zimbrel", "chord { C | x }\n");
    Open("broken");
    EXPECT_EQ(window.output.back(), "Error : line (1) parse error\n  Last token : \"x\"\n");
    EXPECT_EQ(documents.Document().GetSong().precount, 2);
    EXPECT_EQ(controls.GetCurSel(C::PrecountList), 2);

    Open("waltz");  // its own tempo (within the slider's range) and repeat count
    EXPECT_EQ(window.deviceRequests, 1);
    EXPECT_EQ(controls.GetPosition(C::TempoSlider), 360);
    EXPECT_EQ(controls.GetCurSel(C::RepeatList), 1);
    EXPECT_EQ(view->GetPreset(), -1);
}

TEST_F(ChartViewModel, ValueCommandsClampAndMoveTheirPartners)
{
    Open();
    const int repaints = window.repaints;
    controls.texts[C::TransposeBox] = "12";
    view->OnCommand(C::TransposeBox);
    EXPECT_EQ(view->GetTranspose(), 7);
    EXPECT_EQ(controls.GetPosition(C::TransposeSlider), 7);
    EXPECT_EQ(controls.texts[C::TransposeBox], "7");
    controls.SetPosition(C::TransposeSlider, -3);
    view->OnCommand(C::TransposeSlider);
    EXPECT_EQ(view->GetTranspose(), -3);
    EXPECT_EQ(controls.texts[C::TransposeBox], "-3");
    EXPECT_EQ(window.repaints, repaints + 2);
    controls.texts[C::TransposeBox] = "x";  // not a number: 0
    view->OnCommand(C::TransposeBox);
    EXPECT_EQ(view->GetTranspose(), 0);

    view->OnCommand(C::TempoMedium);
    EXPECT_TRUE(State(C::TempoMedium).checked);
    EXPECT_FALSE(State(C::TempoBallad).checked);
    controls.SetCurSel(C::RepeatList, 1);  // another repeat count: no preset any more
    view->OnCommand(C::RepeatList);
    EXPECT_FALSE(State(C::TempoMedium).checked);
    view->OnCommand(C::TempoBallad);
    EXPECT_EQ(controls.GetPosition(C::TempoSlider), 60);
    EXPECT_EQ(controls.GetCurSel(C::RepeatList), 1);
    controls.texts[C::TempoBox] = "1000";
    view->OnCommand(C::TempoBox);
    EXPECT_EQ(controls.GetPosition(C::TempoSlider), 360);
    EXPECT_EQ(view->GetPreset(), -1);
    controls.SetPosition(C::TempoSlider, 45);
    view->OnCommand(C::TempoSlider);
    EXPECT_EQ(controls.texts[C::TempoBox], "45");

    view->FillMidiOutList({"Built-in synthesizer", "Synth Port 1"});
    controls.SetCurSel(C::MidiOutList, 1);
    view->OnCommand(C::MidiOutList);
    EXPECT_EQ(view->Settings().midiOutPort, "Synth Port 1");
    controls.SetCurSel(C::BandList, 0);
    view->OnCommand(C::BandList);
    EXPECT_EQ(view->Settings().band, PresetBands().GetBands().front()->GetName());
}

TEST_F(ChartViewModel, KeyKindsSwitchesAndTheDrawingsArguments)
{
    Open();
    struct Case {
        int command;
        int kind;
        int transposition;  // drawn, with the view's own 0
        bool numerals;
    };
    const Case cases[] = {{C::BbKey, 1, 2, false},
                          {C::EbKey, 2, -3, false},
                          {C::UserKey, 3, 5, false},
                          {C::NumberSystem, 4, 0, true},
                          {C::ConcertKey, 0, 0, false}};
    for (const Case& c : cases) {
        view->OnCommand(c.command);
        EXPECT_EQ(view->Settings().instrumentType, c.kind);
        EXPECT_EQ(view->Choices().transposition, c.transposition) << c.command;
        EXPECT_EQ(view->Choices().numerals, c.numerals);
        for (const Case& other : cases)
            EXPECT_EQ(State(other.command).checked, other.command == c.command);
    }
    // A B-flat player reads the chart two semitones up; the trio plays in concert key.
    view->OnCommand(C::BbKey);
    KeptDrawing screen = Drawing(0);
    bool shownInD = false;
    for (const RecordedPrimitive& primitive : screen.primitives)
        shownInD = shownInD || (primitive.kind == RecordedPrimitive::Text && primitive.text == "D");
    EXPECT_TRUE(shownInD);
    EXPECT_EQ(view->GatherPlayRequest().performance.transpose, 0);
    EXPECT_DOUBLE_EQ(screen.zoom, view->GetZoom());
    EXPECT_DOUBLE_EQ(screen.origin.x, 0.5);
    EXPECT_FALSE(screen.printing);
    const KeptDrawing printed = Drawing(1);
    EXPECT_DOUBLE_EQ(printed.zoom, 1.0);
    EXPECT_TRUE(printed.printing);

    for (const int id :
         {C::Intro, C::Verse, C::Lyrics, C::Piano, C::Bass, C::Drums, C::NaturalFeel}) {
        const bool before = State(id).checked;
        const int repaints = window.repaints;
        view->OnCommand(id);
        EXPECT_NE(State(id).checked, before) << id;
        const bool drawn = id == C::Intro || id == C::Verse || id == C::Lyrics;
        EXPECT_EQ(window.repaints, repaints + (drawn ? 1 : 0)) << id;
    }
    EXPECT_FALSE(view->Settings().piano);

    for (const int id : {C::FilePrint, C::FileQuickPrint, C::FilePrintPreview, C::FilePrintSetup,
                         C::FileExportPdf, C::FileExportSvg})
        view->OnCommand(id);
    EXPECT_EQ(window.commands.size(), 6u);
    CMCommandUI cut;
    EXPECT_FALSE(view->OnUpdateCommand(C::EditCut, cut));  // the chart has nothing to cut
}

TEST_F(ChartViewModel, PageCountLeavesOutTheHiddenIntroAndVerse)
{
    std::string chart = "chord { intro: C | C | verse: D | D |\n labelA: ";
    for (int measure = 0; measure < 78; ++measure)
        chart += "E | ";
    WriteFileContents("Data/long.zimbrel", chart + "}\n");
    Open("long");
    EXPECT_EQ(view->PageCount(), 3);  // 82 measures and the end: (83 - 2) / 40 + 1
    view->OnCommand(C::Intro);
    EXPECT_EQ(view->PageCount(), 2);
    view->OnCommand(C::Verse);
    EXPECT_EQ(view->PageCount(), 2);  // 79 - 2 = 77: still two pages
}

TEST_F(ChartViewModel, PlayGathersTheRibbonsValuesAndStopsWhenThePlayerDoes)
{
    Open();
    view->FillMidiOutList({"Built-in synthesizer", "Synth Port 1"});
    controls.SetCurSel(C::MidiOutList, 1);
    controls.SetCurSel(C::BandList, 1);
    controls.SetCurSel(C::PrecountList, 0);
    controls.texts[C::TransposeBox] = "-2";
    view->OnCommand(C::TransposeBox);
    view->OnCommand(C::Drums);
    EXPECT_EQ(view->GatherPlayRequest().performance.feel, CMFeel::Strict);
    view->OnCommand(C::NaturalFeel);
    view->Settings().mixer.drumsVolume = 0;
    const CMPlayRequest request = view->GatherPlayRequest();
    EXPECT_EQ(request.performance.feel, CMFeel::Natural);
    EXPECT_EQ(request.performance.mixer, view->Settings().mixer);
    EXPECT_EQ(request.band, PresetBands().GetBands()[1].get());
    EXPECT_EQ(request.port, 1);
    EXPECT_EQ(request.performance.tempo, 140);
    EXPECT_EQ(request.performance.repeats, 4);
    EXPECT_EQ(request.performance.precount, 0);
    EXPECT_EQ(request.performance.precountNote, 37);
    EXPECT_EQ(request.performance.transpose, -2);
    EXPECT_EQ(request.performance.instruments, 6);  // piano and bass

    view->OnCommand(C::Play);
    EXPECT_TRUE(State(C::Play).checked);
    EXPECT_FALSE(State(C::Piano).enabled);
    EXPECT_FALSE(State(C::BandList).enabled);
    EXPECT_FALSE(State(C::MidiOutList).enabled);
    EXPECT_TRUE(State(C::TempoSlider).enabled);
    EXPECT_FALSE(FileContents(MidiPath()).empty());
    EXPECT_EQ(window.debug.size(), 1u);  // the listing
    EXPECT_EQ(script->calls.front(), "open " + MidiPath() + " on port 1");
    script->mode = "stopped";
    view->Poll();
    EXPECT_FALSE(State(C::Play).checked);
    EXPECT_TRUE(State(C::MidiOutList).enabled);
    EXPECT_EQ(window.updates, 1);
}

TEST_F(ChartViewModel, OpenFromListRefreshAndOptions)
{
    Open();
    SongList songs;
    view->SetSongView(&songs);
    view->OnCommand(C::Refresh);
    EXPECT_EQ(songs.refills, 1);
    EXPECT_EQ(window.deviceRequests, 2);  // the ports are asked for again
    shell.TakeNotices();
    // Nothing chosen, a title without a file and the song shown now open nothing.
    for (const char* title : {"", "missing", "blues", "waltz"}) {
        songs.selected = title;
        view->OnCommand(C::OpenSongFromList);
    }
    EXPECT_EQ(shell.TakeNotices(), std::vector<std::string>{"shown"});
    EXPECT_EQ(documents.Document().GetTitle(), "waltz");

    EXPECT_FALSE(State(C::Options).enabled);  // until the window gives the sheet
    view->SetOptionsSheet([] { return true; });
    EXPECT_TRUE(State(C::Options).enabled);
    view->Settings().precount = 2;
    view->OnCommand(C::Options);  // OK stores the settings
    EXPECT_NE(FileContents("Zimbrel.ini").find("Precount=2"), std::string::npos);
}
