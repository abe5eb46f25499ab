// CSplashWnd: the borderless picture shown, centred on the screen, while the program starts. It
// closes after five seconds or at the first key or mouse press anywhere in the program, which it
// swallows, and the main window is repainted.
#pragma once

#include <QTimer>
#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 5000;

    // Shows the splash window over `mainWindow`, which is repainted when it closes.
    explicit CSplashWnd(QWidget* mainWindow);
    ~CSplashWnd() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Finish();

    QWidget* m_mainWindow;
    QTimer m_timer;
};
