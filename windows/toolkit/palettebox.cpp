#include "palettebox.h"

#include "look.h"
#include "record.h"
#include "textline.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace mq {

namespace {

// Inside the rim, where the text may go: a value as wide as the design lets it be still
// has the white of its glyphs' own side bearings between it and the rim.
constexpr QMargins TextMargins(1, 1, 1, 1);

// What a screen reader reads of a box: the name it was given and the value it holds,
// as a value and as read-only text (which is how AT-SPI reads it).
class PaletteBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PaletteBoxAccessible(PaletteBox *box)
        : QAccessibleWidget(box, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return value();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    // Read-only text without a selection; the caret stays at its start.
    QString text(int startOffset, int endOffset) const override
    {
        return value().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(value().size()); }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QString value() const { return static_cast<const PaletteBox *>(object())->text(); }
};

constexpr char FactoryInstalled[] = "mq_paletteBoxAccessible";

QAccessibleInterface *paletteBoxAccessible(const QString &className, QObject *object)
{
    Q_UNUSED(className);
    if (auto *box = qobject_cast<PaletteBox *>(object))
        return new PaletteBoxAccessible(box);
    return nullptr;
}

} // namespace

PaletteBox::PaletteBox(int index, const QColor &textColor, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
    , m_color(textColor)
    , m_text(designText())
{
    // Once for each application object: the list of factories ends with it.
    if (QCoreApplication *app = QCoreApplication::instance(); app && !app->property(FactoryInstalled).toBool()) {
        QAccessible::installFactory(paletteBoxAccessible);
        app->setProperty(FactoryInstalled, true);
    }
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeHorCursor);
    setToolTip(QStringLiteral("フォームのテキストボックスへDrag&Drop"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaletteBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    const QString old = std::exchange(m_text, text);
    update();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, 0, old, text);
        QAccessible::updateAccessibility(&event);
    }
}

QRect PaletteBox::unobscured() const
{
    QRect shown = rect();
    const QWidget *parent = parentWidget();
    if (!parent)
        return shown;
    const QObjectList &siblings = parent->children();
    // Children stack in the order of the list, the last on top.
    for (qsizetype i = siblings.indexOf(const_cast<PaletteBox *>(this)) + 1; i < siblings.size(); ++i) {
        const auto *w = qobject_cast<const QWidget *>(siblings.at(i));
        if (!w || w->isWindow() || !w->isVisibleTo(parent))
            continue;
        const QRect over = w->geometry().translated(-pos()) & shown;
        if (over.isEmpty())
            continue;
        // A neighbour covers a strip along one edge: the row below, the box beside.
        if (over.top() <= shown.top() && over.bottom() >= shown.bottom()) {
            if (over.left() <= shown.left())
                shown.setLeft(over.right() + 1);
            else if (over.right() >= shown.right())
                shown.setRight(over.left() - 1);
        } else if (over.top() <= shown.top()) {
            shown.setTop(over.bottom() + 1);
        } else if (over.bottom() >= shown.bottom()) {
            shown.setBottom(over.top() - 1);
        }
    }
    return shown;
}

void PaletteBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    paintRimmed(p, r, Qt::white);

    const QRect inner = r.marginsRemoved(TextMargins);
    QRect ring;
    if (hasFocus()) {
        // Just inside the rim of the part that shows, so that no neighbour hides an edge
        // of it: where a neighbour covers the box, the neighbour's rim is the box's rim.
        const QRect shown = unobscured();
        ring = QRect(QPoint(shown.left() > r.left() ? shown.left() : r.left() + 1,
                            shown.top() > r.top() ? shown.top() : r.top() + 1),
                     QPoint(shown.right() < r.right() ? shown.right() : r.right() - 1,
                            shown.bottom() < r.bottom() ? shown.bottom() : r.bottom() - 1));
    }
    // A value wider than the box stops short of the ring, which would vanish into it.
    p.setClipRect(ring.isNull() ? inner : inner & ring.adjusted(1, 1, -1, -1));
    p.setPen(m_color);
    // On one line; a long value shows its start, so it is still recognisable.
    drawTextLine(p, inner, m_text, font(), Overflow::ShowStart);
    if (!ring.isNull()) {
        p.setClipping(false);
        p.setPen(QPen(m_color, 1, Qt::DotLine));
        p.drawRect(ring.adjusted(0, 0, -1, -1));
    }
}

void PaletteBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT pressed(m_index);
}

void PaletteBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        Q_EMIT copyRequested(m_index);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mq
