#pragma once

#include <QPushButton>

class QPainter;

namespace mq {

// A push button in one flat colour, the palette's Button colour, with a thin black rim,
// as the design draws it. Painted here: a style would shade the face, and a style sheet
// costs the palette's start-up more than its two buttons are worth.
class FaceButton : public QPushButton
{
    Q_OBJECT
public:
    FaceButton(const QString &caption, const QColor &face, QWidget *parent);

    // The face as it is painted now: a shade darker while the button is held down.
    QColor shownFace() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A face inside a one-pixel black rim, filling r.
void paintRimmed(QPainter &p, const QRect &r, const QColor &face);

} // namespace mq
