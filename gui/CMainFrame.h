// CMainFrame: the main window: the ribbon, the status bar with the zoom slider, the chart view in
// the middle, and five docking panes ("Song View", "Musician View" and "Network View" tabbed on
// the left, "Output" at the bottom, "Properties" on the right). It carries the frame's own
// commands through the command route, keeps the look, the window geometry and the dock layout
// in QSettings("Corvix", "Zimbrel"), and holds the one song document with its file commands and
// the one band list that the chart view and the musician view share.
#pragma once

#include "app/CMCommandRouter.h"
#include "app/CMDocumentCommands.h"
#include "app/CMFrameCommands.h"
#include "app/CMOutputPane.h"
#include "app/IMCompileShell.h"
#include "app/IMFrameShell.h"
#include "gui/RibbonControls.h"
#include "performance/CMMusicBand.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <optional>

class CCommandActions;
class CDocumentShell;
class CMChartSettings;
class CMZimbrelIni;
class CMusicianView;
class CNetworkView;
class CZimbrelView;
class IMSongView;
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

    // Opens the song at `path` as the document (after asking to save unsaved edits) and reports
    // it in "Output"; a file that cannot be read says why and keeps the document. False then.
    bool OpenDocument(const QString& path);

    // An empty document.
    void NewDocument();
    const CMSongDocument& Document() const { return m_documents.Document(); }
    CMDocumentCommands& Documents() { return m_documents; }
    // The bands with every musician and their phrase libraries, built once for the program.
    const CMMusicBandList& BandList() const { return m_bands; }
    CZimbrelView* ChartView() const { return m_view; }
    // The settings of ./Zimbrel.ini and the chart's fonts, which the chart view owns (the panes
    // and the options sheet read and change them).
    CMZimbrelIni& Settings();
    CMChartSettings& ChartSettings();
    // The song view, for the Refresh command and for opening the song selected in it (not
    // owned; null until the pane exists).
    void SetSongView(IMSongView* songView);
    // The options sheet: shown by the Options command, answering whether the user confirmed it;
    // the chart view then saves the settings and redraws. Options is disabled without one.
    void SetOptionsSheet(std::function<bool()> showOptions);
    // The window title: the document's title and a mark while it has unsaved edits.
    void ShowDocumentTitle();

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

    // Shows the options sheet; on OK copies its values into the settings and answers true.
    bool ShowOptionsSheet();
    // What the panes show of the document just shown: its title selected in the song view, its
    // facts in the properties pane.
    void ShowDocumentInPanes();

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

    void ShowSongProperties(const QString& path);
    void ShowMusicianProperties(const CMMusicBand* band, const CMMusicPlayer* player);

    CMOutputPane m_output;
    CMMusicBandList m_bands;
    CMCommandRouter m_router;
    CMFrameCommands m_frameCommands;
    CCommandActions* m_actions;
    CRibbonControls m_controls;
    CDocumentShell* m_documentShell;
    CMDocumentCommands m_documents;
    CRibbonBar* m_ribbon = nullptr;
    COutputWnd* m_outputWnd = nullptr;
    CZimbrelView* m_view = nullptr;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_paneLabel = nullptr;
    std::map<CMPane, QDockWidget*> m_panes;
    CSongView* m_songView = nullptr;
    CMusicianView* m_musicianView = nullptr;
    CNetworkView* m_networkView = nullptr;
    CPropertiesWnd* m_propertiesWnd = nullptr;
};
