#include "fixedwindow.h"

#include "look.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace mq {

namespace {

// Customised, so that the window manager offers what is asked for and nothing more.
constexpr Qt::WindowFlags TitleBar =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A window manager frames all of our windows alike: before it has framed this one, the
// frame of one it has framed already is the best guess.
QMargins likelyFrame()
{
    for (QWindow *w : QGuiApplication::topLevelWindows())
        if (w->isVisible() && !w->frameMargins().isNull())
            return w->frameMargins();
    return {};
}

} // namespace

FixedWindow::FixedWindow(const WindowDesign &design)
    : QWidget(nullptr, TitleBar)
    , m_placement(design.placement)
{
    setObjectName(QString::fromLatin1(design.name));
    setWindowTitle(QString::fromUtf8(design.caption));
    setFixedSize(px(design.width), px(design.height));
    setAttribute(Qt::WA_DeleteOnClose, design.lifetime == Lifetime::UntilClosed);
    // The window's default font, for the controls that have none of their own.
    setFont(defaultWindowFont());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(design.background));
    setPalette(pal);
}

void FixedWindow::setVisible(bool visible)
{
    // Placed before it is first shown, while the position still says where the frame is
    // to go; once per load, so that a window brought back to the front stays where the
    // user put it.
    const bool place = visible && !m_placed && m_placement != Placement::Platform;
    if (place) {
        m_placed = true;
        m_assumedFrame = likelyFrame();
        placeOnScreen(*m_assumedFrame);
    }
    QWidget::setVisible(visible);
    // Centred with a frame of the right size only if the guess was right: placed again
    // once the window manager has told its own.
    if (place && m_placement == Placement::Centred && windowHandle())
        windowHandle()->installEventFilter(this);
    else if (place)
        m_assumedFrame.reset();
}

bool FixedWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && m_assumedFrame && windowHandle()->isExposed()) {
        const QMargins frame = windowHandle()->frameMargins();
        if (frame != *m_assumedFrame)
            placeOnScreen(frame);
        m_assumedFrame.reset();
        windowHandle()->removeEventFilter(this);
    }
    return QWidget::eventFilter(watched, event);
}

void FixedWindow::placeOnScreen(const QMargins &frame)
{
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame's size is the window's and its margins.
    QRect outer(QPoint(0, 0), size().grownBy(frame));
    if (m_placement == Placement::TopLeft)
        outer.moveTopLeft(area.topLeft());
    else
        outer.moveCenter(area.center());
    // Where the frame's corner goes: the window manager is told so before the window is
    // shown, and Qt knows the frame after.
    move(outer.topLeft());
}

void bringToFront(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace mq
