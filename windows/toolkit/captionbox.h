#pragma once

#include <QColor>
#include <QLineEdit>

namespace mq {

// A read-only text box that labels others: its caption is drawn whole and centred across
// the whole box inside its rim, even where the box is narrower than a line edit's own
// margins allow (a unit such as 日 in a box of 17 pixels). Its text can still be selected
// with the mouse or the keyboard and dragged out, as from any text box; the mouse is
// handled here, against the text where it is drawn.
class CaptionBox : public QLineEdit
{
    Q_OBJECT
public:
    CaptionBox(const QString &caption, const QColor &background, const QColor &textColor, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct Placed
    {
        QRect lineRect; // what drawTextLine centres the line in
        qreal left;     // where the line starts
    };
    Placed placed() const;
    qreal xOf(const Placed &line, int position) const;
    int positionAt(qreal x) const;
    bool onSelection(QPointF at) const;

    QColor m_background;
    QColor m_textColor;
    int m_anchor = -1; // where a selection by the mouse began
    QPoint m_dragFrom; // a press on the selection, which may become a drag
    bool m_dragPending = false;
};

} // namespace mq
