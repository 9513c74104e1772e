#include "look.h"

#include "mq.xpm"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPainter>
#include <QStyleFactory>

namespace mq {

QStringList gothicFamilies()
{
    return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
            QStringLiteral("IPAexGothic"),    QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("IPAGothic"),      QStringLiteral("TakaoPGothic")};
}

namespace {

constexpr qreal WindowPoints = 9;

QFont gothicFont(const QStringList &families, qreal pointSize)
{
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(pointSize);
    f.setWeight(QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

} // namespace

QFont gothicFont(qreal pointSize)
{
    return gothicFont(gothicFamilies(), pointSize);
}

QFont defaultWindowFont()
{
    return gothicFont(WindowPoints);
}

QFont paletteFont()
{
    // One of these comes with each Japanese font package the program depends on.
    const QStringList halfWidthFigures = {QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"),
                                          QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("TakaoGothic")};
    QStringList families = gothicFamilies();
    // After the design face, before any proportional one.
    families = families.mid(0, 2) + halfWidthFigures + families.mid(2);
    families.removeDuplicates();
    return gothicFont(families, WindowPoints);
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

void paintRimmed(QPainter &p, const QRect &r, const QColor &face)
{
    // Two fills rather than a one-pixel stroke: at a fractional scale a stroke leaves a
    // seam of face along the right and bottom edges.
    p.fillRect(r, Qt::black);
    p.fillRect(r.adjusted(1, 1, -1, -1), face);
}

} // namespace mq
