// CMainFrame: the main window: the ribbon, the status bar with the zoom slider, the central slot
// for the chart, and five docking panes ("Song View", "Musician View" and "Network View" tabbed
// on the left, "Output" at the bottom, "Properties" on the right). It carries the frame's own
// commands through the command route, keeps the look, the window geometry and the dock layout
// in QSettings("Corvix", "Zimbrel"), and holds the one song document, the band list and, until
// the chart view hands over its own, the settings.
#pragma once

#include "app/CMCommandCallback.h"
#include "app/CMCommandRouter.h"
#include "app/CMFrameCommands.h"
#include "app/CMOutputPane.h"
#include "app/CMSongDocument.h"
#include "app/IMCompileShell.h"
#include "app/IMFrameShell.h"
#include "gui/RibbonControls.h"
#include "performance/CMMusicBand.h"
#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class CChartPreview;
class CCommandActions;
class CMusicianView;
class CNetworkView;
class COutputWnd;
class CPropertiesWnd;
class CRibbonBar;
class CSongView;
class QDockWidget;
class QLabel;
class QMenu;

class CMainFrame : public QMainWindow, public IMFrameShell, public IMCompileShell {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Opens the song at `path` as the document and reports it in "Output"; a file that cannot
    // be read leaves an empty document and says why. False then.
    bool OpenDocument(const QString& path);
    // An empty document.
    void NewDocument();
    const CMSongDocument& Document() const { return *m_document; }

    // Puts `view` into the central slot (the chart view); the frame owns it from then on.
    void SetCentralView(QWidget* view);
    // The route every command goes through: targets join it by their layer.
    CMCommandRouter& Router() { return m_router; }
    CCommandActions& Actions() { return *m_actions; }
    // The value controls of the ribbon and the status bar, by command identifier.
    IMRibbonControls& Controls() { return m_controls; }
    CMOutputPane& Output() { return m_output; }
    COutputWnd* OutputWindow() const { return m_outputWnd; }
    CRibbonBar* Ribbon() const { return m_ribbon; }
    QDockWidget* Pane(CMPane pane) const { return m_panes.at(pane); }
    // The "Recent Documents" menu of the application button.
    QMenu* RecentDocumentsMenu() const { return m_recentMenu; }
    // Runs command `id` once the current one is over, as a posted message would.
    void PostCommand(int id);

    // The bands and musicians, built once: the musician view shows them; the chart view's Band
    // list and playback take them from here.
    const CMMusicBandList& BandList() const { return m_bands; }
    // The settings the panes and the options sheet work on: the chart view's once it hands them
    // over, until then the frame's own, read at start.
    CMZimbrelIni& Settings() { return *m_settings; }
    CMChartSettings& ChartSettings() { return *m_chartSettings; }
    // The chart view hands over the settings it owns (they must outlive the frame's panes) and
    // how it redraws after the options sheet changed them.
    void UseChartViewSettings(CMZimbrelIni& settings, CMChartSettings& chart,
                              std::function<void()> redraw);
    // The song view's refill, which the chart view's Refresh calls.
    void RefillSongView();
    // The title selected in the song view, which Open song from list opens; empty for none.
    CMString SelectedSongTitle() const;
    // Shows the options sheet; on OK copies its values into the settings and answers true.
    bool ShowOptionsSheet();

    CSongView* SongView() const { return m_songView; }
    CMusicianView* MusicianView() const { return m_musicianView; }
    CNetworkView* NetworkView() const { return m_networkView; }
    CPropertiesWnd* PropertiesWindow() const { return m_propertiesWnd; }

    // The look stored at the last run, if any.
    static std::optional<int> StoredLook();

    // IMFrameShell
    bool IsPaneVisible(CMPane pane) const override;
    void ShowPane(CMPane pane, bool show) override;
    bool IsStatusBarVisible() const override;
    void ShowStatusBar(bool show) override;
    void ApplyLook(int look) override;
    void StoreLook(int look) override;
    void ShowAbout() override;
    void ShowHelpTopics() override;
    void Exit() override;

    // IMCompileShell
    void WriteOutput(const CMString& text) override;
    void RepaintChart() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateRibbon();
    void CreateStatusBar();
    void CreatePanes();
    QDockWidget* CreatePane(CMPane pane, const QString& title, const char* icon,
                            Qt::DockWidgetArea area, QWidget* content);
    void RestoreLayout();
    void ShowDocumentTitle();
    // The Options command until the chart view carries it: the sheet, then the settings saved
    // and the chart redrawn.
    void RunOptions();
    void ShowSongProperties(const QString& path);
    void ShowMusicianProperties(const CMMusicBand* band, const CMMusicPlayer* player);

    CMOutputPane m_output;
    std::unique_ptr<CMSongDocument> m_document;
    CMMusicBandList m_bands;
    CMZimbrelIni m_ownSettings;
    CMChartSettings m_ownChartSettings{"Zimbrel.ini"};
    CMZimbrelIni* m_settings = &m_ownSettings;
    CMChartSettings* m_chartSettings = &m_ownChartSettings;
    std::function<void()> m_redrawChart;
    CMCommandRouter m_router;
    CMFrameCommands m_frameCommands;
    CMCommandCallback m_optionsCommand;
    CCommandActions* m_actions;
    CRibbonControls m_controls;
    CRibbonBar* m_ribbon = nullptr;
    COutputWnd* m_outputWnd = nullptr;
    CChartPreview* m_preview = nullptr;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_paneLabel = nullptr;
    std::map<CMPane, QDockWidget*> m_panes;
    CSongView* m_songView = nullptr;
    CMusicianView* m_musicianView = nullptr;
    CNetworkView* m_networkView = nullptr;
    CPropertiesWnd* m_propertiesWnd = nullptr;
};
