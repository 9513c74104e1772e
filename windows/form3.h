#pragma once

#include "app/services.h"

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace mq {

// A straight line of the design: it covers the bounding box of its two end points and
// paints only the line itself, so what lies behind it shows through.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    // End points in the parent's pixels.
    LineControl(QPoint from, QPoint to, QColor color, int width, QWidget *parent);

    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }
    QColor color() const { return m_color; }
    int lineWidth() const { return m_width; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
    QColor m_color;
    int m_width;
};

// The help page: pictures, labels and an arrow, and a button that closes it.
// It deletes itself when closed; each opening builds a fresh one, centred on the screen.
class Form3 : public QWidget
{
    Q_OBJECT
public:
    explicit Form3(Services services);

    QPushButton *Command1 = nullptr; // 閉じる
    QLabel *Label1(int index) const { return m_labels.at(index); }
    LineControl *Line1(int index) const { return m_lines.at(index); }
    QLabel *Image1 = nullptr; // the palette
    QLabel *Image2 = nullptr; // the browser
    QLabel *Image3 = nullptr; // the balloon

    void onCommand1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Services m_services;
    std::array<QLabel *, 3> m_labels{};
    std::array<LineControl *, 3> m_lines{};
    bool m_placed = false;
};

} // namespace mq
