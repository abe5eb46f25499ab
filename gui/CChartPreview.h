// CChartPreview: what the central area shows until the chart view with its commands takes the
// slot: the song's lead sheet, both screen pages side by side, fitted into the area and drawn
// with the chart renderer as the view draws it. Read-only: no scrolling, zoom or commands.
#pragma once

#include <QPixmap>
#include <QWidget>

class CMMusicSong;

class CChartPreview : public QWidget {
    Q_OBJECT
public:
    explicit CChartPreview(QWidget* parent = nullptr);

    // The song to show (not owned; null shows empty pages). Redraws.
    void SetSong(const CMMusicSong* song);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap DrawSheet(const QSize& size) const;

    const CMMusicSong* m_song = nullptr;
    QPixmap m_sheet;  // the drawn sheet at the current size
};
