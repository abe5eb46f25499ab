// The main window: its parts, the frame's commands, the document it shows, and what it keeps
// for the next start.
#include "gui/CMainFrame.h"

#include "app/ApplicationLook.h"
#include "app/CMCommandTable.h"
#include "app/CMOptionsSheet.h"
#include "app/CMPropertiesContent.h"
#include "app/CommandIds.h"
#include "gui/CChartPreview.h"
#include "gui/CCommandActions.h"
#include "gui/CMusicianView.h"
#include "gui/CNetworkView.h"
#include "gui/COutputWnd.h"
#include "gui/CPropertiesWnd.h"
#include "gui/CSongView.h"
#include "gui/CZimbrelPropertySheet.h"
#include "gui/HelpWindow.h"
#include "gui/Looks.h"
#include "gui/RibbonBar.h"
#include "gui/RibbonPanel.h"
#include "gui/RibbonTabs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
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

QSettings Profile()
{
    return QSettings(QStringLiteral("Corvix"), QStringLiteral("Zimbrel"));
}

QIcon Icon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

CMainFrame::CMainFrame()
    : m_document(std::make_unique<CMSongDocument>()), m_frameCommands(*this),
      m_optionsCommand(C::Options, [this] { RunOptions(); }),
      m_actions(new CCommandActions(m_router, this)),
      m_controls([this](int id) { m_actions->Execute(id); })
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(Icon("zimbrel"));
    m_bands.BuildPresets();
    m_ownSettings.Load();
    m_ownChartSettings.Load();
    m_ownChartSettings.chordStyle = m_ownSettings.chordStyle;  // the general value wins
    m_router.AddTarget(CMCommandLayer::Frame, m_frameCommands);
    m_router.AddTarget(CMCommandLayer::Frame, m_optionsCommand);
    m_frameCommands.StartLook(StoredLook());

    CreateRibbon();
    CreateStatusBar();
    m_preview = new CChartPreview(this);
    setCentralWidget(m_preview);
    CreatePanes();
    RestoreLayout();
    setAcceptDrops(true);
    ShowDocumentTitle();
    m_actions->UpdateNow();
}

CMainFrame::~CMainFrame()
{
    // The widgets show the members (the output lists) and run commands through them, so they
    // go while the members still exist.
    delete menuWidget();
    delete takeCentralWidget();
    for (const auto& [pane, dock] : m_panes)
        delete dock;
    setStatusBar(nullptr);
    m_router.RemoveTarget(m_optionsCommand);
    m_router.RemoveTarget(m_frameCommands);
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
    fileMenu->addSeparator();
    QMenu* print = fileMenu->addMenu(Icon("print"), tr("&Print"));
    print->addSection(tr("Preview and print the document"));
    for (const int id : {C::FilePrint, C::FileQuickPrint, C::FilePrintPreview, C::FilePrintSetup})
        print->addAction(action(id));
    fileMenu->addSeparator();
    fileMenu->addAction(action(C::FileClose));
    fileMenu->addSeparator();
    m_recentMenu = fileMenu->addMenu(tr("&Recent Documents"));
    m_recentMenu->setEnabled(false);  // no recent documents are kept yet
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
    m_musicianView = new CMusicianView(*this);
    m_networkView = new CNetworkView(*this);
    m_networkView->SetSettings(m_settings);
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
    QSettings profile = Profile();
    profile.setValue(QLatin1String(kGeometryKey), saveGeometry());
    profile.setValue(QLatin1String(kStateKey), saveState(kLayoutVersion));
    event->accept();
}

void CMainFrame::SetCentralView(QWidget* view)
{
    setCentralWidget(view);  // deletes the preview
    m_preview = nullptr;
}

bool CMainFrame::OpenDocument(const QString& path)
{
    CMString readError;
    const bool opened = m_document->Open(QFile::encodeName(path).constData(), readError);
    if (!opened) {
        const QString message =
            tr("Cannot open '%1': %2")
                .arg(QDir::toNativeSeparators(path), QString::fromUtf8(readError.GetText()));
        m_output.WriteOutput(("Error : " + message).toUtf8().constData());
        m_document = std::make_unique<CMSongDocument>();
        auto* box =
            new QMessageBox(QMessageBox::Warning, tr("Zimbrel"), message, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();  // does not block the start
    } else {
        m_document->ReportOpening(*this);
    }
    if (m_preview)
        m_preview->SetSong(opened ? &m_document->GetSong() : nullptr);
    ShowDocumentTitle();
    m_songView->ShowDocument(m_document->GetTitle());
    if (opened)
        m_propertiesWnd->ShowProperties(SongProperties(*m_document, Settings()));
    m_actions->RequestUpdate();
    return opened;
}

void CMainFrame::NewDocument()
{
    m_document = std::make_unique<CMSongDocument>();
    if (m_preview)
        m_preview->SetSong(nullptr);
    ShowDocumentTitle();
    m_songView->ShowDocument(CMString());
}

void CMainFrame::PostCommand(int id)
{
    QTimer::singleShot(0, m_actions, [this, id] { m_actions->Execute(id); });
}

void CMainFrame::UseChartViewSettings(CMZimbrelIni& settings, CMChartSettings& chart,
                                      std::function<void()> redraw)
{
    m_settings = &settings;
    m_chartSettings = &chart;
    m_redrawChart = std::move(redraw);
    m_networkView->SetSettings(m_settings);
}

void CMainFrame::RefillSongView()
{
    m_songView->Refill();
}

CMString CMainFrame::SelectedSongTitle() const
{
    return m_songView->GetSelectedTitle();
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

void CMainFrame::RunOptions()
{
    if (!ShowOptionsSheet())
        return;
    const bool saved = Settings().Save();
    if (!ChartSettings().Save() || !saved) {
        const QString message = tr("Cannot save the settings in '%1'; they hold for this run only.")
                                    .arg(QDir::current().absoluteFilePath("Zimbrel.ini"));
        WriteOutput(("Error : " + message).toUtf8().constData());
        QMessageBox::warning(this, tr("Zimbrel"), message);
    }
    if (m_redrawChart)
        m_redrawChart();
    else if (m_preview)
        m_preview->SetSong(m_document->GetTitle().IsEmpty() ? nullptr : &m_document->GetSong());
}

void CMainFrame::ShowSongProperties(const QString& path)
{
    if (path.isEmpty())
        return;
    const CMString title = CMString::GetFileTitle(QFile::encodeName(path).constData());
    if (title == m_document->GetTitle()) {
        m_propertiesWnd->ShowProperties(SongProperties(*m_document, Settings()));
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
    const CMString title = m_document->GetTitle();
    setWindowTitle(title.IsEmpty() ? tr("Untitled - Zimbrel")
                                   : tr("%1 - Zimbrel").arg(QString::fromUtf8(title.GetText())));
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
    if (centralWidget())
        centralWidget()->update();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            OpenDocument(url.toLocalFile());
            break;  // one document at a time
        }
    }
}
