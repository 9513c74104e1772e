#pragma once

#include <QRgb>
#include <QMargins>
#include <QWidget>

#include <optional>

namespace mq {

enum class Placement {
    Platform, // where the window manager puts a new window
    TopLeft,  // its frame's top-left corner at the screen's (where panels leave room)
    Centred,  // its frame centred on the screen, each time it is loaded
};
enum class Lifetime {
    WholeRun,    // made once; closing it does not destroy it
    UntilClosed, // closing destroys it; the next show builds it afresh
};

// What the design says of one of the program's windows as a whole.
struct WindowDesign
{
    const char *name; // object name: Form1, Form2, Form3
    const char *caption;
    int width, height; // client area, twips
    QRgb background;
    Placement placement;
    Lifetime lifetime;
};

// A top-level window of fixed size with a close box (and the system menu that comes with
// it) and no minimise or maximise box, placed as its design says.
class FixedWindow : public QWidget
{
    Q_OBJECT
public:
    explicit FixedWindow(const WindowDesign &design);

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeOnScreen(const QMargins &frame);

    Placement m_placement;
    bool m_placed = false;
    // The frame the placement assumed, until the window manager has told its own.
    std::optional<QMargins> m_assumedFrame;
};

// Shows a window, restored if it was minimised, in front of the others and with the focus.
void bringToFront(QWidget *window);

} // namespace mq
