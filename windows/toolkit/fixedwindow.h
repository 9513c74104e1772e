#pragma once

#include <QRgb>
#include <QWidget>

namespace mq {

enum class Placement {
    Platform, // where the window manager puts a new window
    Centred,  // centred on the screen each time it is loaded
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

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_toCentre;
};

// Shows a window and brings it in front of the others, with the focus.
void bringToFront(QWidget *window);

} // namespace mq
