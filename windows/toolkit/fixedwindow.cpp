#include "fixedwindow.h"

#include "look.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace mq {

namespace {

// Customised, so that the window manager offers what is asked for and nothing more.
constexpr Qt::WindowFlags TitleBar =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Before the window manager has framed it, the client area stands for the frame.
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

} // namespace

FixedWindow::FixedWindow(const WindowDesign &design)
    : QWidget(nullptr, TitleBar)
    , m_toCentre(design.placement == Placement::Centred)
{
    setObjectName(QString::fromLatin1(design.name));
    setWindowTitle(QString::fromUtf8(design.caption));
    setFixedSize(px(design.width), px(design.height));
    setAttribute(Qt::WA_DeleteOnClose, design.lifetime == Lifetime::UntilClosed);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(design.background));
    setPalette(pal);
}

void FixedWindow::showEvent(QShowEvent *event)
{
    // Once per load: a window brought back to the front stays where the user put it.
    if (m_toCentre && !event->spontaneous()) {
        m_toCentre = false;
        centreOnScreen(this);
    }
    QWidget::showEvent(event);
}

void bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace mq
