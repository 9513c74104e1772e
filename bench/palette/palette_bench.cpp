// The windows with one value grown very long (a paste gone wrong), against the same windows
// with the sample profile, timed in the same run:
//   start-up   the palette made, given the values, shown, until every box has painted;
//   Tab round  Tab through all 57 boxes and both buttons, the window painted whole each step;
//   editor     the editor made from the values, shown, until every control has painted.
//   palette_bench [rounds] [--slots 19,0,21,54] [--lengths 100000,1000000] [--parts startup,tab,editor]
// Each case of a round runs right after the others, so that the machine's drift hits all
// of them alike; the ratios are those of the medians. Offscreen unless QT_QPA_PLATFORM
// says otherwise; under X (xvfb-run) the figures include the X server's work.
#include "fontsetup.h"
#include "form1.h"
#include "form2.h"
#include "look.h"
#include "services.h"

#include "measure.h"
#include "sampleprofile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace mq;

namespace {

// Which of a window's widgets have painted since it was made.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *window)
        : m_window(window)
    {
        watch(window);
        for (QWidget *w : window->findChildren<QWidget *>())
            watch(w);
    }

    // Every widget that shows: a shown window paints in more than one pass on some platforms.
    void waitUntilPainted()
    {
        for (;;) {
            bool all = m_painted.contains(m_window);
            for (QWidget *w : m_window->findChildren<QWidget *>())
                if (w->isVisible() && !w->size().isEmpty() && !m_painted.contains(w))
                    all = false;
            if (all)
                return;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            m_painted.insert(static_cast<QWidget *>(o));
        return false;
    }

private:
    void watch(QWidget *w) { w->installEventFilter(this); }

    QWidget *m_window;
    QSet<QWidget *> m_painted;
};

Services quietServices()
{
    Services s;
    s.showMessage = [](const QString &text, const QString &) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    };
    s.openUrl = [](const QUrl &) { return true; };
    s.profilePath = QStringLiteral("/nonexistent/NAME.txt");
    return s;
}

struct Case
{
    QString name;
    Record values;
    std::vector<double> startup, tab, editor; // ms
};

QString grown(const QString &value, int length)
{
    const QString base = value.isEmpty() ? QStringLiteral("あ") : value;
    return base.repeated(length / base.size() + 1).left(length);
}

double elapsedMs(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// Which of the three to time: with the first value a paint may take a minute.
bool timeStartup = true;
bool timeTab = true;
bool timeEditor = true;

// A round of Tab through the shown palette, from Text(0) back to it.
double tabRound(Form1 &palette)
{
    // Under X without a window manager, only the window itself can take the focus.
    palette.activateWindow();
    QApplication::setActiveWindow(&palette);
    if (!QTest::qWaitForWindowActive(&palette)) {
        std::fprintf(stderr, "the palette did not become active\n");
        std::exit(1);
    }
    QWidget *first = palette.findChild<QWidget *>(QStringLiteral("Text(0)"));
    first->setFocus();
    QCoreApplication::processEvents();
    QElapsedTimer t;
    t.start();
    int steps = 0;
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // What the focus change asked to repaint, then the whole window: repaint() would
        // leave out the boxes, which paint their whole rectangle.
        QCoreApplication::processEvents();
        palette.grab();
        ++steps;
    } while (QApplication::focusWidget() != first && steps < 100);
    const double ms = elapsedMs(t);
    if (steps != SlotCount + 2) {
        std::fprintf(stderr, "a round of Tab took %d steps\n", steps);
        std::exit(1);
    }
    return ms;
}

void measure(Case &c, const Services &services)
{
    if (timeStartup || timeTab) {
        QElapsedTimer t;
        t.start();
        Form1 palette(services);
        palette.setValues(c.values);
        PaintWatch watch(&palette);
        palette.show();
        watch.waitUntilPainted();
        c.startup.push_back(elapsedMs(t));
        c.tab.push_back(timeTab ? tabRound(palette) : 0);
    }
    if (timeEditor) {
        QElapsedTimer t;
        t.start();
        auto *editor = new Form2(services, c.values);
        PaintWatch watch(editor);
        editor->show();
        watch.waitUntilPainted();
        c.editor.push_back(elapsedMs(t));
        delete editor;
    }
}

std::vector<int> numbers(const char *list)
{
    std::vector<int> v;
    for (const QByteArray &n : QByteArray(list).split(','))
        v.push_back(n.toInt());
    return v;
}

} // namespace

int main(int argc, char *argv[])
{
    offscreenUnlessTold();
    int rounds = 11;
    std::vector<int> boxSlots{19, 0, 21, 54};
    std::vector<int> lengths{100000, 1000000};
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--slots" && i + 1 < argc)
            boxSlots = numbers(argv[++i]);
        else if (a == "--lengths" && i + 1 < argc)
            lengths = numbers(argv[++i]);
        else if (a == "--parts" && i + 1 < argc) {
            const QByteArray parts = argv[++i];
            timeStartup = parts.contains("startup");
            timeTab = parts.contains("tab");
            timeEditor = parts.contains("editor");
        }
        else
            rounds = std::max(1, std::atoi(argv[i]));
    }

    FontSetUp fonts;
    QApplication app(argc, argv);
    fonts.wait();
    applyLook(app);
    const Services services = quietServices();

    std::vector<Case> cases;
    cases.push_back({QStringLiteral("sample"), sample::values(), {}, {}, {}});
    for (int length : lengths)
        for (int slot : boxSlots) {
            Record r = sample::values();
            r[slot] = grown(r[slot], length);
            cases.push_back({QStringLiteral("slot %1, %2 chars").arg(slot).arg(length), r, {}, {}, {}});
        }

    // One round unmeasured: the first windows of a run pay for the font caches.
    {
        Case warm = cases.front();
        measure(warm, services);
    }
    // Each round starts with another case, so that none always comes first.
    for (int r = 0; r < rounds; ++r)
        for (size_t i = 0; i < cases.size(); ++i) {
            Case &c = cases[(i + r) % cases.size()];
            measure(c, services);
            std::fprintf(stderr, "round %d, %s: start-up %.1f, Tab round %.1f, editor %.1f ms\n", r + 1,
                         qPrintable(c.name), c.startup.empty() ? 0 : c.startup.back(), c.tab.empty() ? 0 : c.tab.back(),
                         c.editor.empty() ? 0 : c.editor.back());
        }

    const Case &normal = cases.front();
    std::printf("the windows with one long value against the sample: %d rounds, medians (goal: ratio 1.20)\n", rounds);
    std::printf("  %-26s %10s %6s %10s %6s %10s %6s\n", "", "start-up", "ratio", "Tab round", "ratio", "editor",
                "ratio");
    // A part not timed prints as dashes.
    const auto figure = [](const std::vector<double> &values, const std::vector<double> &normal) {
        if (values.empty() || normal.empty() || (values.front() == 0 && normal.front() == 0))
            return QStringLiteral("         -      -");
        const double v = median(values);
        return QString::asprintf("%7.1f ms %6.2f", v, v / median(normal));
    };
    for (const Case &c : cases)
        std::printf("  %-26s %s %s %s\n", qPrintable(c.name), qPrintable(figure(c.startup, normal.startup)),
                    qPrintable(figure(c.tab, normal.tab)), qPrintable(figure(c.editor, normal.editor)));
    return 0;
}
