// The main window: its parts, the frame's commands, the document it shows, and what it keeps
// for the next start.
#include "gui/CMainFrame.h"

#include "app/ApplicationLook.h"
#include "app/CMCommandTable.h"
#include "app/CMOptionsSheet.h"
#include "app/CMPropertiesContent.h"
#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CDocumentShell.h"
#include "gui/CMusicianView.h"
#include "gui/CNetworkView.h"
#include "gui/COutputWnd.h"
#include "gui/CPropertiesWnd.h"
#include "gui/CSongView.h"
#include "gui/CZimbrelPropertySheet.h"
#include "gui/CZimbrelView.h"
#include "gui/HelpWindow.h"
#include "gui/Looks.h"
#include "gui/Profile.h"
#include "gui/RibbonBar.h"
#include "gui/RibbonPanel.h"
#include "gui/RibbonTabs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

namespace C = CommandId;

namespace {

const char* const kLookKey = "ApplicationLook";
const char* const kGeometryKey = "MainFrame/Geometry";
const char* const kStateKey = "MainFrame/State";
constexpr int kLayoutVersion = 1;
// Wide enough for the three tabs' titles, high enough for the banner and a message.
constexpr int kLeftPaneWidth = 300;
constexpr int kRightPaneWidth = 220;
constexpr int kOutputPaneHeight = 170;

QIcon Icon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

CMainFrame::CMainFrame()
    : m_frameCommands(*this), m_actions(new CCommandActions(m_router, this)),
      m_controls([this](int id) { m_actions->Execute(id); }),
      m_documentShell(new CDocumentShell(*this)), m_documents(*m_documentShell)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(Icon("zimbrel"));
    m_bands.BuildPresets();
    m_router.AddTarget(CMCommandLayer::Document, m_documents);
    m_router.AddTarget(CMCommandLayer::Frame, m_frameCommands);
    m_frameCommands.StartLook(StoredLook());

    CreateRibbon();
    CreateStatusBar();
    m_view = new CZimbrelView(*this);
    setCentralWidget(m_view);
    CreatePanes();
    RestoreLayout();
    setAcceptDrops(true);
    m_documents.SetRecentFiles(CDocumentShell::StoredRecentFiles());
    m_documentShell->ShowRecentFiles(m_documents.GetRecentFiles());
    ShowDocumentTitle();
    // Edits and saves change the title's modified mark; every change comes through a command.
    connect(m_actions, &CCommandActions::commandExecuted, this, &CMainFrame::ShowDocumentTitle);
    m_actions->UpdateNow();
}

CMainFrame::~CMainFrame()
{
    // The widgets show the members (the output lists) and run commands through them, so they
    // go while the members still exist; the panes before the chart view, whose settings they
    // read, and the chart view saves the settings as it goes.
    delete menuWidget();
    m_view->Model().SetSongView(nullptr);
    m_view->Model().SetOptionsSheet(nullptr);
    for (const auto& [pane, dock] : m_panes)
        delete dock;
    delete takeCentralWidget();
    m_view = nullptr;
    setStatusBar(nullptr);
    m_router.RemoveTarget(m_frameCommands);
    m_router.RemoveTarget(m_documents);
}

std::optional<int> CMainFrame::StoredLook()
{
    // A value that is not a number counts as none: a damaged profile never stops the start.
    bool number = false;
    const int look = Profile().value(QLatin1String(kLookKey)).toInt(&number);
    return number ? std::optional<int>(look) : std::nullopt;
}

void CMainFrame::CreateRibbon()
{
    m_ribbon = new CRibbonBar(this);
    const auto action = [this](int id) { return m_actions->Action(id); };

    auto* fileMenu = new QMenu(tr("File"), this);
    for (const int id : {C::FileNew, C::FileOpen, C::FileSave, C::FileSaveAs})
        fileMenu->addAction(action(id));
    QMenu* exportMenu = fileMenu->addMenu(Icon("export"), tr("&Export"));
    for (const int id : {C::FileExportPdf, C::FileExportPng, C::FileExportSvg})
        exportMenu->addAction(action(id));
    exportMenu->addSeparator();
    for (const int id : {C::FileExportMusicXml, C::FileExportSongbook})
        exportMenu->addAction(action(id));
    fileMenu->addAction(action(C::FileImportIReal));
    fileMenu->addSeparator();
    QMenu* print = fileMenu->addMenu(Icon("print"), tr("&Print"));
    print->addSection(tr("Preview and print the document"));
    for (const int id : {C::FilePrint, C::FileQuickPrint, C::FilePrintPreview, C::FilePrintSetup})
        print->addAction(action(id));
    fileMenu->addSeparator();
    fileMenu->addAction(action(C::FileClose));
    fileMenu->addSeparator();
    m_recentMenu = fileMenu->addMenu(tr("&Recent Documents"));
    fileMenu->addSeparator();
    fileMenu->addAction(action(C::AppExit));
    m_ribbon->SetApplicationMenu(fileMenu);

    for (const int id : {C::FileNew, C::FileOpen, C::FileSave, C::FileQuickPrint})
        m_ribbon->AddQuickAccess(action(id));

    auto* styleMenu = new QMenu(tr("Style"), this);
    for (const CMLookInfo& look : ApplicationLooks()) {
        if (look.id == 215)
            styleMenu->addSeparator();
        styleMenu->addAction(action(look.id));
    }
    m_ribbon->AddRightMenu(tr("Style"), Icon("style"), styleMenu);

    auto* helpMenu = new QMenu(tr("Help"), this);
    helpMenu->addAction(action(C::HelpTopics));
    helpMenu->addSeparator();
    helpMenu->addAction(action(C::AppAbout));
    m_ribbon->AddRightMenu(QString(), Icon("help"), helpMenu);

    BuildRibbonTabs(*m_ribbon, *m_actions, m_controls);
    m_ribbon->SetLook(LookFor(m_frameCommands.GetLook()));
    setMenuWidget(m_ribbon);
}

void CMainFrame::CreateStatusBar()
{
    m_paneLabel = new QLabel(tr("Pane 1"));
    statusBar()->addWidget(m_paneLabel, 1);
    statusBar()->addPermanentWidget(new QLabel(tr("Zoom")));
    auto* zoom = new CSliderWithButtons;
    zoom->setObjectName(QStringLiteral("Zoom Slider"));
    zoom->setFixedWidth(160);
    zoom->SetRange(50, 250, 10);
    zoom->SetPosition(100);
    FollowAction(zoom, m_actions->Action(C::ZoomSlider));
    m_controls.AddSlider(C::ZoomSlider, zoom);
    statusBar()->addPermanentWidget(zoom);
}

QDockWidget* CMainFrame::CreatePane(CMPane pane, const QString& title, const char* icon,
                                    Qt::DockWidgetArea area, QWidget* content)
{
    auto* dock = new QDockWidget(title, this);
    dock->setObjectName(title);  // names the pane in the stored layout
    dock->setWindowIcon(Icon(icon));
    dock->setWidget(content);
    addDockWidget(area, dock);
    connect(dock->toggleViewAction(), &QAction::toggled, m_actions,
            &CCommandActions::RequestUpdate);
    m_panes[pane] = dock;
    return dock;
}

void CMainFrame::CreatePanes()
{
    setDockNestingEnabled(true);
    setTabPosition(Qt::LeftDockWidgetArea, QTabWidget::South);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    m_songView = new CSongView(*this);
    SetSongView(m_songView);
    SetOptionsSheet([this] { return ShowOptionsSheet(); });
    m_musicianView = new CMusicianView(*this);
    m_networkView = new CNetworkView(*this);
    m_networkView->SetSettings(&Settings());
    m_propertiesWnd = new CPropertiesWnd(*this);
    connect(m_songView, &CSongView::songSelected, this, &CMainFrame::ShowSongProperties);
    connect(m_musicianView, &CMusicianView::selected, this, &CMainFrame::ShowMusicianProperties);
    QDockWidget* songs = CreatePane(CMPane::SongView, tr("Song View"), "pane-songs",
                                    Qt::LeftDockWidgetArea, m_songView);
    QDockWidget* musicians = CreatePane(CMPane::MusicianView, tr("Musician View"), "pane-musicians",
                                        Qt::LeftDockWidgetArea, m_musicianView);
    QDockWidget* network = CreatePane(CMPane::NetworkView, tr("Network View"), "pane-network",
                                      Qt::LeftDockWidgetArea, m_networkView);
    tabifyDockWidget(songs, musicians);
    tabifyDockWidget(musicians, network);
    songs->raise();
    m_outputWnd = new COutputWnd(m_output, this);
    QDockWidget* output = CreatePane(CMPane::Output, tr("Output"), "pane-output",
                                     Qt::BottomDockWidgetArea, m_outputWnd);
    QDockWidget* properties = CreatePane(CMPane::Properties, tr("Properties"), "pane-properties",
                                         Qt::RightDockWidgetArea, m_propertiesWnd);
    resizeDocks({songs, properties}, {kLeftPaneWidth, kRightPaneWidth}, Qt::Horizontal);
    resizeDocks({output}, {kOutputPaneHeight}, Qt::Vertical);
}

void CMainFrame::RestoreLayout()
{
    const QSettings profile = Profile();
    if (!restoreGeometry(profile.value(QLatin1String(kGeometryKey)).toByteArray()))
        resize(1280, 800);
    restoreState(profile.value(QLatin1String(kStateKey)).toByteArray(), kLayoutVersion);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_documents.CanClose()) {
        event->ignore();
        return;
    }
    QSettings profile = Profile();
    profile.setValue(QLatin1String(kGeometryKey), saveGeometry());
    profile.setValue(QLatin1String(kStateKey), saveState(kLayoutVersion));
    event->accept();
}

bool CMainFrame::OpenDocument(const QString& path)
{
    return m_documents.OpenFile(CMString(QFile::encodeName(path).toStdString()));
}

void CMainFrame::NewDocument()
{
    m_documents.OnCommand(C::FileNew);
}

void CMainFrame::PostCommand(int id)
{
    m_documentShell->PostCommand(id);
}

CMZimbrelIni& CMainFrame::Settings()
{
    return m_view->Model().Settings();
}

CMChartSettings& CMainFrame::ChartSettings()
{
    return m_view->Model().ChartSettings();
}

void CMainFrame::SetSongView(IMSongView* songView)
{
    m_view->Model().SetSongView(songView);
}

void CMainFrame::SetOptionsSheet(std::function<bool()> showOptions)
{
    m_view->Model().SetOptionsSheet(std::move(showOptions));
    m_actions->RequestUpdate();
}

bool CMainFrame::ShowOptionsSheet()
{
    CMOptionsSheet sheet(Settings(), ChartSettings());
    CZimbrelPropertySheet dialog(sheet, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    sheet.Apply(Settings(), ChartSettings());
    return true;
}

void CMainFrame::ShowDocumentInPanes()
{
    if (!m_songView)
        return;  // not made yet
    m_songView->ShowDocument(Document().GetTitle());
    if (!Document().GetTitle().IsEmpty())
        m_propertiesWnd->ShowProperties(SongProperties(Document(), Settings()));
}

void CMainFrame::ShowSongProperties(const QString& path)
{
    if (path.isEmpty())
        return;
    const CMString title = CMString::GetFileTitle(QFile::encodeName(path).constData());
    if (title == Document().GetTitle()) {
        m_propertiesWnd->ShowProperties(SongProperties(Document(), Settings()));
        return;
    }
    CMSongDocument song;
    CMString readError;
    if (song.Open(QFile::encodeName(path).constData(), readError))
        m_propertiesWnd->ShowProperties(SongProperties(song, Settings()));
}

void CMainFrame::ShowMusicianProperties(const CMMusicBand* band, const CMMusicPlayer* player)
{
    if (band)
        m_propertiesWnd->ShowProperties(BandProperties(*band));
    else if (player)
        m_propertiesWnd->ShowProperties(MusicianProperties(*player, m_bands));
}

void CMainFrame::ShowDocumentTitle()
{
    const CMString title = Document().GetTitle();
    const QString name = title.IsEmpty() ? tr("Untitled") : QString::fromUtf8(title.GetText());
    setWindowTitle(tr("%1[*] - Zimbrel").arg(name));
    setWindowModified(Document().IsModified());
}

bool CMainFrame::IsPaneVisible(CMPane pane) const
{
    // Checked also while the pane waits behind another tab.
    return m_panes.at(pane)->toggleViewAction()->isChecked();
}

void CMainFrame::ShowPane(CMPane pane, bool show)
{
    QDockWidget* dock = m_panes.at(pane);
    dock->setVisible(show);
    if (show)
        dock->raise();
}

bool CMainFrame::IsStatusBarVisible() const
{
    return !statusBar()->isHidden();
}

void CMainFrame::ShowStatusBar(bool show)
{
    statusBar()->setVisible(show);
}

void CMainFrame::ApplyLook(int look)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CLook chosen = LookFor(look);
    if (QApplication::style()->name().compare(chosen.styleName, Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(chosen.styleName));
    QApplication::setPalette(chosen.palette);
    if (m_ribbon)
        m_ribbon->SetLook(chosen);
    QApplication::restoreOverrideCursor();
}

void CMainFrame::StoreLook(int look)
{
    Profile().setValue(QLatin1String(kLookKey), look);
}

void CMainFrame::ShowAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("About Zimbrel"));
    box.setIconPixmap(Icon("zimbrel").pixmap(64, 64));
    box.setText(tr("<h3>Zimbrel</h3><p>Version 1.00</p>"));
    box.setInformativeText(
        tr("Chord charts, lead sheets and a virtual jazz trio.<br>Qt %1").arg(qVersion()));
    box.exec();
}

void CMainFrame::ShowHelpTopics()
{
    ShowHelpWindow(this);
}

void CMainFrame::Exit()
{
    close();
}

void CMainFrame::WriteOutput(const CMString& text)
{
    m_output.WriteOutput(text);
}

void CMainFrame::RepaintChart()
{
    if (m_view)
        m_view->RepaintChart();
}

namespace {

// What was dragged: the first song file, else iReal Pro links (the links themselves, or a
// playlist saved as HTML or a text file holding them, read when dropped). All empty: nothing
// Zimbrel takes.
struct Dropped {
    QString song;
    QString linkFile;
    QByteArray links;
};

bool IsLinkFile(const QString& path)
{
    for (const char* extension : {".html", ".htm", ".txt"})
        if (path.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    return false;
}

Dropped WhatWasDropped(const QMimeData* data)
{
    Dropped dropped;
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (url.isLocalFile() && path.endsWith(QLatin1String(".zimbrel"), Qt::CaseInsensitive))
            return {path, QString(), QByteArray()};
        if (url.isLocalFile() && IsLinkFile(path) && dropped.linkFile.isEmpty())
            dropped.linkFile = path;
        if (url.scheme().startsWith(QLatin1String("irealb")))
            dropped.links += url.toEncoded() + '\n';
    }
    if (dropped.links.isEmpty() && data->hasText() &&
        data->text().contains(QLatin1String("irealb")))
        dropped.links = data->text().toUtf8();
    return dropped;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const Dropped dropped = WhatWasDropped(event->mimeData());
    if (!dropped.song.isEmpty() || !dropped.linkFile.isEmpty() || !dropped.links.isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const Dropped dropped = WhatWasDropped(event->mimeData());
    // After the drop has ended: opening may ask to save the song shown now.
    if (!dropped.song.isEmpty()) {
        event->acceptProposedAction();
        QTimer::singleShot(0, this, [this, song = dropped.song] { OpenDocument(song); });
    } else if (!dropped.links.isEmpty()) {
        event->acceptProposedAction();
        QTimer::singleShot(0, this, [this, links = dropped.links] {
            m_documents.ImportLinks(links.toStdString(), CMString("the dropped link"));
        });
    } else if (!dropped.linkFile.isEmpty()) {
        event->acceptProposedAction();
        QTimer::singleShot(0, this, [this, file = dropped.linkFile] {
            m_documents.ImportFile(CMString(QFile::encodeName(file).toStdString()));
        });
    }
}
