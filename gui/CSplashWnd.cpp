// The splash window's picture and its closing rules.
#include "gui/CSplashWnd.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSvgRenderer>

namespace {

constexpr QSize kSize(520, 300);

}  // namespace

CSplashWnd::CSplashWnd(QWidget* mainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_mainWindow(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the program
    setFixedSize(kSize);
    const QScreen* screen = mainWindow->screen();
    move(screen->geometry().center() - rect().center());
    qApp->installEventFilter(this);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWnd::Finish);
    m_timer.start(kShowMilliseconds);
    show();
}

CSplashWnd::~CSplashWnd()
{
    qApp->removeEventFilter(this);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Finish();
        return true;  // the press only closes the splash window
    default: return QWidget::eventFilter(watched, event);
    }
}

void CSplashWnd::Finish()
{
    qApp->removeEventFilter(this);
    m_timer.stop();
    close();
    m_mainWindow->update();
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, width(), height());
    ground.setColorAt(0, QColor("#1d2433"));
    ground.setColorAt(1, QColor("#0d1017"));
    painter.fillRect(rect(), ground);

    // Staff lines running across, as on a lead sheet.
    painter.setPen(QPen(QColor(255, 255, 255, 28), 1.2));
    for (int line = 0; line < 5; ++line) {
        const double y = 214 + line * 9;
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
    }

    QSvgRenderer logo(QStringLiteral(":/icons/zimbrel.svg"));
    logo.render(&painter, QRectF(40, 54, 128, 128));

    painter.setPen(QColor("#f4f1ea"));
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(54);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(188, 64, 320, 64), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Zimbrel"));
    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(17);
    painter.setFont(subtitle);
    painter.setPen(QColor("#e0a458"));
    painter.drawText(QRectF(190, 128, 320, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Lead sheets and a jazz trio"));
    painter.setPen(QColor(255, 255, 255, 150));
    subtitle.setPixelSize(13);
    painter.setFont(subtitle);
    painter.drawText(QRectF(190, 156, 320, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Version 1.00"));
    painter.drawText(QRectF(20, height() - 30, width() - 40, 20), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Starting\u2026"));
}
