#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace mq {

// A read-only, focusable box that shows one line of its text centred and clipped, and
// hands every mouse press to whoever starts drags from it. Its accessible name is given
// by whoever places it; its accessible value is its text.
class PaletteBox : public QWidget
{
    Q_OBJECT
public:
    PaletteBox(int index, const QColor &textColor, QWidget *parent);

    QString text() const { return m_text; }
    void setText(const QString &text);

Q_SIGNALS:
    // Any button, at once, without waiting for the pointer to move.
    void pressed(int index);
    // The copy key, while the box has the focus.
    void copyRequested(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The part of the box that no sibling above it covers: the rows of the palette overlap,
    // and each neighbour covers a strip along one whole edge.
    QRect unobscured() const;

    int m_index;
    QColor m_color;
    QString m_text;
};

} // namespace mq
