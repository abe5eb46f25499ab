// The lead sheet fitted into the central area, drawn once per size.
#include "gui/CChartPreview.h"

#include "app/ChartView.h"
#include "chart/SongDrawing.h"
#include "chart/StaffPosition.h"
#include "chart/qt/CMQtDC.h"
#include "settings/CMZimbrelIni.h"

#include <QPainter>

#include <memory>

namespace {

constexpr int kMargin = 16;
constexpr double kSheetWidth = 2 * ChartGeometry::kPageWidth;  // inches
constexpr double kSheetHeight = ChartGeometry::kPageHeight;

}  // namespace

CChartPreview::CChartPreview(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void CChartPreview::SetSong(const CMMusicSong* song)
{
    m_song = song;
    m_sheet = QPixmap();
    update();
}

void CChartPreview::resizeEvent(QResizeEvent*)
{
    m_sheet = QPixmap();
}

QPixmap CChartPreview::DrawSheet(const QSize& area) const
{
    const double dotsPerInch = logicalDpiX();
    const double zoom = std::min(area.width() / (kSheetWidth * dotsPerInch),
                                 area.height() / (kSheetHeight * dotsPerInch));
    const QSize size(qRound(kSheetWidth * dotsPerInch * zoom),
                     qRound(kSheetHeight * dotsPerInch * zoom));
    const qreal ratio = devicePixelRatioF();
    QPixmap sheet(size * ratio);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(Qt::white);
    if (!m_song)
        return sheet;

    CMZimbrelIni settings;
    settings.Load();
    CMChartSettings chartSettings("Zimbrel.ini");
    chartSettings.Load();
    CMMusicDC renderer(nullptr, chartSettings);
    QPainter painter(&sheet);
    auto surface = std::make_unique<CMQtDC>(painter, dotsPerInch, zoom, false);
    surface->origin = CMPoint(0.5, 0.5);
    renderer.surface = std::move(surface);
    const int transposition =
        DisplayedTransposition(0, settings.instrumentType, settings.userDefinedKey);
    Draw(*m_song, renderer, transposition, settings.intro, settings.verse,
         settings.chordSymbol != 0, settings.chordStyle, 0, kRingBitmap, true);
    renderer.surface.reset();
    return sheet;
}

void CChartPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const QSize area = size() - QSize(2 * kMargin, 2 * kMargin);
    if (area.width() < 10 || area.height() < 10)
        return;
    if (m_sheet.isNull())
        m_sheet = DrawSheet(area);
    const QSize sheet = m_sheet.deviceIndependentSize().toSize();
    const QPoint topLeft((width() - sheet.width()) / 2, kMargin);
    painter.fillRect(QRect(topLeft + QPoint(3, 3), sheet), QColor(0, 0, 0, 60));
    painter.drawPixmap(topLeft, m_sheet);
}
