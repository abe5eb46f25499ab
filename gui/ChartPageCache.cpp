// The screen pages' images, kept per zoom.
#include "gui/ChartPageCache.h"

#include <QPainter>

#include <cmath>

namespace {

// The drawing surface places a page at trunc(inches * 1000 * zoom) thousandths of an inch.
constexpr double kPageWidth = 8500;
constexpr double kPageHeight = 11000;

double Pixels(double thousandths, double zoom, double dotsPerInch)
{
    return std::trunc(thousandths * zoom) * dotsPerInch / 1000;
}

}  // namespace

double CChartPageCache::PageLeft(int page, double zoom, double dotsPerInch)
{
    return Pixels(page * kPageWidth, zoom, dotsPerInch);
}

QSizeF CChartPageCache::PageSize(int page, double zoom, double dotsPerInch)
{
    return QSizeF(PageLeft(page + 1, zoom, dotsPerInch) - PageLeft(page, zoom, dotsPerInch),
                  Pixels(kPageHeight, zoom, dotsPerInch));
}

const QImage& CChartPageCache::Page(int page, double zoom, double dotsPerInch, double pixelRatio,
                                    const PageDrawer& draw)
{
    auto found = m_entries.begin();
    while (found != m_entries.end() && (found->zoom != zoom || found->dotsPerInch != dotsPerInch ||
                                        found->pixelRatio != pixelRatio))
        ++found;
    if (found == m_entries.end()) {
        m_entries.push_front(Entry{zoom, dotsPerInch, pixelRatio, {}});
        if (m_entries.size() > kZoomsKept)
            m_entries.pop_back();
    } else if (found != m_entries.begin()) {
        m_entries.splice(m_entries.begin(), m_entries, found);
    }
    QImage& image = m_entries.front().pages.at(static_cast<std::size_t>(page));
    if (image.isNull()) {
        const QSizeF size = PageSize(page, zoom, dotsPerInch) * pixelRatio;
        // Opaque pages are copied to the screen without blending.
        image = QImage(std::ceil(size.width()), std::ceil(size.height()), QImage::Format_RGB32);
        image.setDevicePixelRatio(pixelRatio);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(-PageLeft(page, zoom, dotsPerInch), 0);
        draw(painter, page);
    }
    return image;
}
