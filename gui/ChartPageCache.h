// CChartPageCache: the two screen pages of the chart as images, drawn once for a zoom and
// resolution and kept for the zooms last shown, so that painting, scrolling and zooming back
// only copy pixels. Anything that changes the drawing empties it.
#pragma once

#include <QImage>

#include <array>
#include <functional>
#include <list>

class CChartPageCache {
public:
    // Draws page `page` (0 left, 1 right) with its left edge at the painter's origin.
    using PageDrawer = std::function<void(QPainter& painter, int page)>;

    // The image of `page` at `zoom` on a device of `dotsPerInch` pixels to the inch and
    // `pixelRatio` device pixels to a pixel; drawn by `draw` when it is not kept.
    const QImage& Page(int page, double zoom, double dotsPerInch, double pixelRatio,
                       const PageDrawer& draw);
    void Clear() { m_entries.clear(); }

    // A page's left edge and width in pixels at `zoom`, as the drawing surface rounds them.
    static double PageLeft(int page, double zoom, double dotsPerInch);
    static QSizeF PageSize(int page, double zoom, double dotsPerInch);

private:
    struct Entry {
        double zoom;
        double dotsPerInch;
        double pixelRatio;
        std::array<QImage, 2> pages;
    };
    static constexpr std::size_t kZoomsKept = 3;

    std::list<Entry> m_entries;  // the zoom shown last first
};
