// CMChartViewModel: the chart view's state and commands, free of any window. It owns the
// settings (loaded when it is made, saved when it goes), the chart renderer, the player and the
// view's own transposition and tempo preset; it carries every command of the "Home" tab with
// its enabled and checked state, the initial update when a song is shown, the drawing of the
// chart on the screen and the printer, and the play command with the values the ribbon holds.
// The ribbon's value controls are reached through IMRibbonControls, the window through
// IMChartViewShell.
#pragma once

#include "app/CMDocumentCommands.h"
#include "app/ChartView.h"
#include "app/IMChartViewShell.h"
#include "app/IMCommandTarget.h"
#include "app/IMRibbonControls.h"
#include "app/IMSongView.h"
#include "app/PlayCommand.h"
#include "chart/CMMusicDC.h"
#include "midi/playback/CMMCI.h"
#include "settings/CMZimbrelIni.h"

#include <functional>
#include <memory>
#include <vector>

class CMMusicBandList;
class IMDC;

class CMChartViewModel : public IMCommandTarget {
public:
    // The zoom slider's positions are hundredths; its buttons, Ctrl+wheel and Ctrl+/- move it
    // by this many.
    static constexpr int kZoomStep = 10;
    static constexpr int kTempoStep = 10;

    // Makes the player's MIDI file player, given the settings (the "SoundFont" among them).
    using SequencerFactory = std::function<std::unique_ptr<IMSequencer>(const CMZimbrelIni&)>;

    // Loads ./Zimbrel.ini and the chart's fonts (the general chord style wins over the chart's
    // copy), makes the player and gives the zoom and tempo controls their ranges.
    CMChartViewModel(CMDocumentCommands& documents, const CMMusicBandList& bands,
                     IMRibbonControls& controls, IMChartViewShell& shell,
                     const SequencerFactory& makeSequencer);
    // Stops playing and saves the settings and the chart's fonts.
    ~CMChartViewModel() override;
    CMChartViewModel(const CMChartViewModel&) = delete;
    CMChartViewModel& operator=(const CMChartViewModel&) = delete;

    // A document is shown in a client area `width` by `height` thousandths of an inch: the zoom
    // by "InitialZoom", the lists once per run, then as ShowSong.
    void InitialUpdate(double width, double height);
    // The song's tempo and repeats (its style's preset, or its own), its precount ("Precount"
    // when it names none, stored in the song) and the report of its compilation.
    void ShowSong();
    // The MIDI out list from the devices' names, the stored port selected.
    void FillMidiOutList(const std::vector<CMString>& deviceNames);
    // Moves the zoom slider by `steps` of kZoomStep within its range, and zooms.
    void ZoomBy(int steps);
    // The 55 ms poll of the player: notices the end of playback, and a player that failed.
    void Poll();
    // Saves the settings and the chart's fonts and redraws (the options sheet's OK).
    void SaveSettings();

    // The song view, once it exists (not owned); the options sheet, answering whether the user
    // confirmed it (Options stays disabled without one).
    void SetSongView(IMSongView* songView) { m_songView = songView; }
    void SetOptionsSheet(std::function<bool()> showOptions)
    {
        m_showOptions = std::move(showOptions);
    }

    // Draws the document's song on `surface`, half an inch inside the sheet: `page` 0 the screen
    // view (both pages and the binder rings) at the live zoom, n >= 1 printed page n at true size.
    void DrawChart(std::unique_ptr<IMDC> surface, int page);
    // Printed pages: (N - 2) / 40 + 1 over the measures shown.
    int PageCount() const;
    // The drawing's arguments; the tempo is the one the song would be played at.
    CMChartViewChoices Choices() const;
    double GetZoom() const;
    // What the play command would play with now: the ribbon's values and the settings.
    CMPlayRequest GatherPlayRequest() const;

    const CMSongDocument& Document() const { return m_documents.Document(); }
    CMZimbrelIni& Settings() { return m_ini; }
    // The chart's fonts and its copy of the chord style, which the renderer draws with.
    CMChartSettings& ChartSettings() { return m_chart; }
    CMMusicDC& Renderer() { return m_dc; }
    CMMCI& Player() { return m_mci; }
    int GetTranspose() const { return m_nTranspose; }
    int GetPreset() const { return m_nPreset; }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override;

private:
    class PlayShell;

    // The settings, then the chart's fonts and chord style; false when either failed.
    bool WriteSettings();
    void SetUpControlsOnce();
    void FillBandList();
    void ChooseKeyKind(int kind);
    void SetTempo(int tempo);
    void ChoosePreset(int preset);
    void SetTranspose(int transpose);
    void Play();
    void EditSong();
    void OpenSongFromList();
    bool RunValueCommand(int id);
    bool RunSwitchCommand(int id);

    CMDocumentCommands& m_documents;
    const CMMusicBandList& m_bands;
    IMRibbonControls& m_controls;
    IMChartViewShell& m_shell;
    IMSongView* m_songView = nullptr;
    std::function<bool()> m_showOptions;

    CMChartSettings m_chart;
    CMMusicDC m_dc;
    CMZimbrelIni m_ini;
    CMMCI m_mci;
    int m_nPreset = -1;
    int m_nTranspose = 0;
    bool m_controlsSetUp = false;
};
