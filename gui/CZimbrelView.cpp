// The chart view: painting from the page images, scrolling, zooming, the edit menu, and the
// window services its model asks for.
#include "gui/CZimbrelView.h"

#include "app/CommandIds.h"
#include "chart/qt/CMQtDC.h"
#include "gui/CCommandActions.h"
#include "gui/CEditSourceDlg.h"
#include "gui/CMainFrame.h"
#include "gui/ChartPrinting.h"
#include "gui/SongExchange.h"
#include "midi/playback/CMBackgroundSequencer.h"
#include "midi/playback/CMSystemSequencer.h"
#include "midi/playback/MidiOutPorts.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QThread>
#include <QWheelEvent>

#include <cmath>
#include <memory>

namespace C = CommandId;

namespace {

constexpr int kPollMilliseconds = 55;
constexpr int kWheelStep = 120;        // one notch of a mouse wheel
constexpr double kSheetWidth = 17000;  // two pages, in thousandths of an inch
constexpr double kSheetHeight = 11000;

std::unique_ptr<IMSequencer> SystemPlayer(const CMZimbrelIni& settings)
{
    CMSequencerOptions options;
    options.soundFont = settings.soundFont;
    // Sound servers and ALSA ports can take their time to answer: never on the window's thread.
    return std::make_unique<CMBackgroundSequencer>(
        std::make_unique<CMSystemSequencer>(std::move(options)));
}

}  // namespace

CZimbrelView::CZimbrelView(CMainFrame& frame) : QAbstractScrollArea(&frame), m_frame(frame)
{
    setObjectName(QStringLiteral("ChartView"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setBackgroundRole(QPalette::Dark);
    setFocusPolicy(Qt::StrongFocus);
    m_model = std::make_unique<CMChartViewModel>(frame.Documents(), frame.BandList(),
                                                 frame.Controls(), *this, SystemPlayer);
    m_printer = std::make_unique<CChartPrinter>(*m_model, this);
    frame.Router().AddTarget(CMCommandLayer::View, *m_model);
    AddZoomShortcuts();
    connect(&m_poll, &QTimer::timeout, this, [this] { m_model->Poll(); });
    m_poll.start(kPollMilliseconds);
}

CZimbrelView::~CZimbrelView()
{
    m_frame.Router().RemoveTarget(*m_model);
    if (m_lister)
        m_lister->wait();
}

void CZimbrelView::AddZoomShortcuts()
{
    const auto add = [this](const QList<QKeySequence>& keys, int steps) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this,
                [this, steps] { ZoomAround(steps, viewport()->rect().center()); });
        addAction(action);
    };
    add({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, 1);
    add({QKeySequence::ZoomOut}, -1);
}

double CZimbrelView::DotsPerInch() const
{
    // The screen's physical density where it reports a believable one, so that zoom 1.0 shows
    // a page at its true size; the desktop's logical density otherwise.
    const QScreen* shown = screen();
    const double physical = shown ? shown->physicalDotsPerInchX() : 0;
    return physical >= 50 && physical <= 400 ? physical : logicalDpiX();
}

QSize CZimbrelView::SheetSize(double zoom) const
{
    const double pixels = zoom * DotsPerInch() / 1000;
    return QSize(static_cast<int>(std::ceil(kSheetWidth * pixels)),
                 static_cast<int>(std::ceil(kSheetHeight * pixels)));
}

QPoint CZimbrelView::SheetOrigin(double zoom) const
{
    // Centred across a viewport wider than the sheet, scrolled otherwise.
    const int spare = viewport()->width() - SheetSize(zoom).width();
    const int left = spare > 0 ? spare / 2 : -horizontalScrollBar()->value();
    return QPoint(left, -verticalScrollBar()->value());
}

void CZimbrelView::UpdateScrollBars()
{
    const QSize sheet = SheetSize(m_model->GetZoom());
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, sheet.width() - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    horizontalScrollBar()->setSingleStep(std::max(1, area.width() / 20));
    verticalScrollBar()->setRange(0, std::max(0, sheet.height() - area.height()));
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setSingleStep(std::max(1, area.height() / 20));
}

void CZimbrelView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const double zoom = m_model->GetZoom();
    const double dotsPerInch = DotsPerInch();
    const QPoint origin = SheetOrigin(zoom);
    for (int page = 0; page < 2; ++page) {
        const QPointF topLeft(origin.x() + CChartPageCache::PageLeft(page, zoom, dotsPerInch),
                              origin.y());
        const QRectF shown(topLeft, CChartPageCache::PageSize(page, zoom, dotsPerInch));
        if (!event->region().intersects(shown.toAlignedRect()))
            continue;  // a page out of sight is not even drawn
        const QImage& image = m_pages.Page(
            page, zoom, dotsPerInch, devicePixelRatioF(),
            [this, dotsPerInch, zoom](QPainter& onPage, int) {
                m_model->DrawChart(std::make_unique<CMQtDC>(onPage, dotsPerInch, zoom, false), 0);
            });
        painter.drawImage(topLeft, image);
    }
}

void CZimbrelView::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
}

void CZimbrelView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CZimbrelView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_initialUpdatePending)
        RunInitialUpdate();
}

void CZimbrelView::DocumentShown(bool reloaded)
{
    if (reloaded) {
        m_model->ShowSong();
        return;
    }
    m_initialUpdatePending = true;
    if (isVisible())
        RunInitialUpdate();
}

void CZimbrelView::RunInitialUpdate()
{
    m_initialUpdatePending = false;
    const double thousandths = 1000 / DotsPerInch();
    m_model->InitialUpdate(viewport()->width() * thousandths, viewport()->height() * thousandths);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CZimbrelView::ZoomAround(int steps, QPoint anchor)
{
    m_zoomAnchor = anchor;
    m_model->ZoomBy(steps);
    m_zoomAnchor.reset();
}

void CZimbrelView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Touchpads turn in small pieces: a step is taken for every whole notch.
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / kWheelStep;
    m_wheelAngle -= steps * kWheelStep;
    if (steps != 0)
        ZoomAround(steps, event->position().toPoint());
    event->accept();
}

void CZimbrelView::contextMenuEvent(QContextMenuEvent* event)
{
    // The edit menu; the chart itself has nothing to cut, copy or paste.
    QMenu menu(this);
    for (const int id : {C::EditCut, C::EditCopy, C::EditPaste})
        menu.addAction(m_frame.Actions().Action(id));
    menu.exec(event->globalPos());
}

void CZimbrelView::WriteOutput(const CMString& text)
{
    m_frame.Output().WriteOutput(text);
}

void CZimbrelView::WriteDebug(const CMString& text)
{
    m_frame.Output().WriteDebug(text);
}

void CZimbrelView::RepaintChart()
{
    m_pages.Clear();
    viewport()->update();
}

void CZimbrelView::SetWaitCursor(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CZimbrelView::ZoomChanged(double zoom)
{
    // The slider zooms around the view's middle, the wheel around the mouse.
    const double before = m_shownZoom;
    const QPoint anchor = m_zoomAnchor.value_or(viewport()->rect().center());
    const QPointF onSheet = before > 0 ? QPointF(anchor - SheetOrigin(before)) / before : QPointF();
    m_shownZoom = zoom;
    UpdateScrollBars();
    if (before > 0 && before != zoom) {
        const QPointF moved = onSheet * zoom;
        horizontalScrollBar()->setValue(static_cast<int>(std::lround(moved.x() - anchor.x())));
        verticalScrollBar()->setValue(static_cast<int>(std::lround(moved.y() - anchor.y())));
    }
    viewport()->update();
}

void CZimbrelView::RequestMidiOutDevices()
{
    if (m_lister)
        return;  // a listing is under way; it brings the news
    auto names = std::make_shared<std::vector<CMString>>();
    m_lister = QThread::create([names] { *names = ListMidiOutDevices(); });
    m_lister->setParent(this);  // gone with the view, which waits for it
    connect(m_lister, &QThread::finished, this, [this, names] {
        m_model->FillMidiOutList(*names);
        m_lister->deleteLater();
    });
    m_lister->start();
}

bool CZimbrelView::EditSource(const CMString& source, CMString& edited)
{
    CEditSourceDlg dialog(QByteArray(source.GetText(), source.GetLength()), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QByteArray bytes = dialog.Bytes();
    edited = CMString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}

void CZimbrelView::Print(int command)
{
    m_printer->Run(command);
}

void CZimbrelView::Export(int command)
{
    if (command == CommandId::FileExportMusicXml)
        ExportMusicXmlFile(*m_model, *this, this);
    else if (command == CommandId::FileExportSongbook)
        ExportSongbookFile(*m_model, *this, this);
    else
        ExportChartFiles(command, *m_model, *this, this);
}

void CZimbrelView::UpdateCommands()
{
    m_frame.Actions().RequestUpdate();
}
