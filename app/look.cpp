#include "look.h"

#include "assets/mq.xpm"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QStyleFactory>

namespace mq {

QStringList gothicFamilies()
{
    return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
            QStringLiteral("IPAexGothic"),    QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("IPAGothic"),      QStringLiteral("TakaoPGothic")};
}

QFont gothicFont(qreal pointSize)
{
    QFont f;
    f.setFamilies(gothicFamilies());
    f.setPointSizeF(pointSize);
    f.setWeight(QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont defaultWindowFont()
{
    return gothicFont(9);
}

void applyLook(QApplication &app)
{
    // Fusion paints a button's face in its palette colour on every desktop; native
    // styles may ignore it, and the coloured faces are part of the design.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(defaultWindowFont());
    // Compiled in: an image read from a file goes through the image reader, which loads
    // every format plug-in first and costs more than the rest of this set-up.
    app.setWindowIcon(QIcon(QPixmap(mq_xpm)));
}

} // namespace mq

namespace mq {

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

} // namespace mq
