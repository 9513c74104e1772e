// The real palette in a process of its own, for the drag-and-drop test under Xvfb.
//
//   palette_host --out DIR [--values FILE] [--pos X Y]
//   palette_host --write-sample FILE
//
// FILE holds one value per line, slot 0 first, UTF-8, with \n, \r, \t and \\ escaped;
// slots past its end keep their design text. --write-sample writes the tests' sample
// profile in that form and exits. The host writes into DIR:
//   palette.geom   once the window is on screen: "window X Y W H", then per box
//                  "box I X Y W H TEXTWIDTH" in global pixels
//   drags.log      "press I BUTTON", "start I", "end I" as drags come and go
//   messages.txt   every error report the palette would have shown
//   boxes-N.txt    all 57 texts (escaped as above), when DIR/request says "dump N"
//   boxes-exit.txt the same on exit; "quit" in DIR/request closes the palette.

#include "form1.h"
#include "look.h"
#include "palettebox.h"
#include "services.h"
#include "textline.h"

#include "sampleprofile.h"

#include <QApplication>
#include <QChildEvent>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QSaveFile>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>

namespace {

QString escaped(const QString &text)
{
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

QString unescaped(const QString &line)
{
    QString out;
    for (int i = 0; i < line.size(); ++i) {
        QChar c = line.at(i);
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            const QChar n = line.at(++i);
            if (n == QLatin1Char('n'))
                c = QLatin1Char('\n');
            else if (n == QLatin1Char('r'))
                c = QLatin1Char('\r');
            else if (n == QLatin1Char('t'))
                c = QLatin1Char('\t');
            else
                c = n;
        }
        out += c;
    }
    return out;
}

bool writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(bytes);
    return f.commit();
}

void appendLine(const QString &path, const QString &line)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write((line + QLatin1Char('\n')).toUtf8());
}

[[noreturn]] void usage(const char *why)
{
    std::fprintf(stderr, "palette_host: %s\nusage: palette_host --out DIR [--values FILE] [--pos X Y] | --write-sample FILE\n", why);
    std::exit(2);
}

// Watches the boxes from outside: the press reaching a box, and the QDrag that
// Form1 parents to the box for as long as the drag runs (a box has no other children).
class DragWatcher : public QObject
{
public:
    DragWatcher(const mq::Form1 &form, QString log)
        : m_log(std::move(log))
    {
        for (mq::PaletteBox *box : form.findChildren<mq::PaletteBox *>())
            box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // "Text(I)": the slot the box shows.
        const QString name = watched->objectName();
        const int index = name.mid(5, name.size() - 6).toInt();
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            appendLine(m_log, QStringLiteral("press %1 %2")
                                  .arg(index)
                                  .arg(int(static_cast<QMouseEvent *>(event)->button())));
            break;
        case QEvent::ChildAdded:
            appendLine(m_log, QStringLiteral("start %1").arg(index));
            break;
        case QEvent::ChildRemoved:
            appendLine(m_log, QStringLiteral("end %1").arg(index));
            break;
        default: break;
        }
        return false;
    }

private:
    QString m_log;
};

QByteArray dump(const mq::Record &values)
{
    QByteArray out;
    for (const QString &value : values)
        out += escaped(value).toUtf8() + '\n';
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    // Before any display is needed.
    if (argc == 3 && std::strcmp(argv[1], "--write-sample") == 0)
        return writeAtomically(QString::fromLocal8Bit(argv[2]), dump(sample::values())) ? 0 : 1;
    QApplication app(argc, argv);
    mq::applyLook(app);

    QString outDir;
    QString valuesPath;
    QPoint pos(0, 0);
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--out") && i + 1 < args.size())
            outDir = args.at(++i);
        else if (a == QLatin1String("--values") && i + 1 < args.size())
            valuesPath = args.at(++i);
        else if (a == QLatin1String("--pos") && i + 2 < args.size()) {
            pos.setX(args.at(++i).toInt());
            pos.setY(args.at(++i).toInt());
        } else
            usage("unknown or incomplete argument");
    }
    if (outDir.isEmpty())
        usage("--out is required");
    const QDir dir(outDir);
    if (!dir.exists())
        usage("the --out folder does not exist");
    const QString messages = dir.filePath(QStringLiteral("messages.txt"));

    mq::Services services;
    // A box would wait for a click nobody makes: log the report instead.
    services.showMessage = [messages](const QString &text, const QString &title) {
        const QString line = QStringLiteral("[%1] %2").arg(title, escaped(text));
        std::fprintf(stderr, "palette_host: message: %s\n", qPrintable(line));
        appendLine(messages, line);
    };
    services.openUrl = [](const QUrl &) { return true; };
    services.profilePath = dir.filePath(QStringLiteral("NAME.txt"));

    mq::Form1 form(services);
    if (!valuesPath.isEmpty()) {
        QFile f(valuesPath);
        if (!f.open(QIODevice::ReadOnly))
            usage("cannot read the --values file");
        const QList<QByteArray> lines = f.readAll().split('\n');
        // A final line end leaves one empty piece that is not a slot.
        const int count = std::min<int>(mq::SlotCount, lines.size() - (lines.endsWith(QByteArray()) ? 1 : 0));
        for (int i = 0; i < count; ++i)
            form.setValue(i, unescaped(QString::fromUtf8(lines.at(i))));
    }
    DragWatcher watcher(form, dir.filePath(QStringLiteral("drags.log")));

    form.move(pos);
    form.show();

    // Report where everything is only once the server shows the window, so the
    // script never aims at a window that is not there yet.
    QTimer geometry;
    QObject::connect(&geometry, &QTimer::timeout, [&] {
        QWindow *w = form.windowHandle();
        if (!w || !w->isExposed())
            return;
        geometry.stop();
        QString out;
        QTextStream s(&out);
        const QPoint origin = form.mapToGlobal(QPoint(0, 0));
        s << "window " << origin.x() << ' ' << origin.y() << ' ' << form.width() << ' ' << form.height() << '\n';
        for (int i = 0; i < mq::SlotCount; ++i) {
            const auto *b = form.findChild<mq::PaletteBox *>(QStringLiteral("Text(%1)").arg(i));
            const QPoint g = b->mapToGlobal(QPoint(0, 0));
            const int textWidth = QFontMetrics(b->font()).horizontalAdvance(mq::asOneLine(b->text()));
            s << "box " << i << ' ' << g.x() << ' ' << g.y() << ' ' << b->width() << ' ' << b->height() << ' '
              << textWidth << '\n';
        }
        s.flush();
        writeAtomically(dir.filePath(QStringLiteral("palette.geom")), out.toUtf8());
    });
    geometry.start(50);

    // Polled rather than signalled: it also answers while a drag's own loop runs.
    QTimer control;
    QObject::connect(&control, &QTimer::timeout, [&] {
        const QString path = dir.filePath(QStringLiteral("request"));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return;
        const QString request = QString::fromUtf8(f.readAll()).trimmed();
        f.close();
        QFile::remove(path);
        if (request.startsWith(QLatin1String("dump ")))
            writeAtomically(dir.filePath(QStringLiteral("boxes-%1.txt").arg(request.mid(5))), dump(form.values()));
        else if (request == QLatin1String("quit"))
            form.close();
    });
    control.start(50);

    const int rc = app.exec();
    writeAtomically(dir.filePath(QStringLiteral("boxes-exit.txt")), dump(form.values()));
    return rc;
}
