#pragma once

#include <QPushButton>

namespace mq {

// A push button in one flat colour, the palette's Button colour, with a thin black rim,
// as the design draws it. Painted here: a style would shade the face, and a style sheet
// costs the palette's start-up more than its two buttons are worth. Enter presses it while
// it has the focus, as Space does.
class FaceButton : public QPushButton
{
    Q_OBJECT
public:
    FaceButton(const QString &caption, const QColor &face, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void drawCaption(QPainter &p) const;
};

} // namespace mq
