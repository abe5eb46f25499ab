// CZimbrelView: the chart view in the middle of the main window: the song's lead sheet as two
// letter-size pages side by side, scrolled and zoomed (the status bar's slider, Ctrl+wheel,
// Ctrl++ and Ctrl+-). It shows CMChartViewModel, which decides everything, and gives it the
// window's services: the output pane, the wait cursor, the source editor, printing, export and
// the MIDI output devices listed off the user-interface thread. Each page is drawn once per zoom
// into an image, and a paint only copies the exposed part of those images.
#pragma once

#include "app/CMChartViewModel.h"
#include "app/IMChartViewShell.h"
#include "gui/ChartPageCache.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

class CChartPrinter;
class CMainFrame;
class QThread;

class CZimbrelView : public QAbstractScrollArea, public IMChartViewShell {
    Q_OBJECT
public:
    explicit CZimbrelView(CMainFrame& frame);
    ~CZimbrelView() override;

    CMChartViewModel& Model() { return *m_model; }
    // A document is shown: the initial update as soon as the view has its size (a song read
    // again keeps the zoom).
    void DocumentShown(bool reloaded);
    // Pixels of this widget to an inch of the chart at zoom 1.0: the screen's own resolution.
    double DotsPerInch() const;
    // Where the sheet's top-left corner is in the viewport at `zoom`.
    QPoint SheetOrigin(double zoom) const;

    // IMChartViewShell
    void WriteOutput(const CMString& text) override;
    void RepaintChart() override;
    void WriteDebug(const CMString& text) override;
    void SetWaitCursor(bool on) override;
    void ZoomChanged(double zoom) override;
    void RequestMidiOutDevices() override;
    bool EditSource(const CMString& source, CMString& edited) override;
    void Print(int command) override;
    void Export(int command) override;
    void UpdateCommands() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void RunInitialUpdate();
    void UpdateScrollBars();
    QSize SheetSize(double zoom) const;
    // Zooms by `steps` keeping the sheet's point under `anchor` (viewport coordinates) there.
    void ZoomAround(int steps, QPoint anchor);
    void AddZoomShortcuts();

    CMainFrame& m_frame;
    std::unique_ptr<CMChartViewModel> m_model;
    std::unique_ptr<CChartPrinter> m_printer;
    CChartPageCache m_pages;
    QTimer m_poll;
    QPointer<QThread> m_lister;  // lists the MIDI output devices
    int m_wheelAngle = 0;        // a wheel's turn not yet a whole step
    double m_shownZoom = 0;      // the zoom the scroll bars are set for
    std::optional<QPoint> m_zoomAnchor;  // where the next zoom change is centred
    bool m_initialUpdatePending = false;
};
