// A window of another process that takes drops, standing in for a web form's text box.
//
//   drop_target --out DIR [--pos X Y] [--size W H] [--want copy|move]
//
// --want move asks for a move on every drag move and drop, to see the source refuse it.
// Into DIR it writes target.geom ("window X Y W H", once on screen), events.log (one
// line per enter, leave and drop), and per drop N a folder drop-N, made whole at once:
//   formats   one line per offered format: the format and the size of its data
//   text      QMimeData::text() as UTF-8, byte for byte
//   hastext   1 when text/plain was offered, else 0
//   utf8      the raw data of text/plain;charset=utf-8, when offered
//   actions   "possible P", "proposed P", "final P", each a set of copy, move, link

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

QString actionNames(Qt::DropActions a)
{
    QStringList names;
    if (a & Qt::CopyAction)
        names << QStringLiteral("copy");
    if (a & Qt::MoveAction)
        names << QStringLiteral("move");
    if (a & Qt::LinkAction)
        names << QStringLiteral("link");
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char(','));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void appendLine(const QString &path, const QString &line)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write((line + QLatin1Char('\n')).toUtf8());
}

class Target : public QWidget
{
public:
    Target(QDir dir, bool wantMove)
        : m_dir(std::move(dir))
        , m_wantMove(wantMove)
    {
        setWindowTitle(QStringLiteral("mq drop target"));
        setAcceptDrops(true);
    }

protected:
    void dragEnterEvent(QDragEnterEvent *e) override
    {
        log(QStringLiteral("enter possible=%1 proposed=%2")
                .arg(actionNames(e->possibleActions()), actionNames(e->proposedAction())));
        answer(e);
    }

    void dragMoveEvent(QDragMoveEvent *e) override { answer(e); }

    void dragLeaveEvent(QDragLeaveEvent *) override { log(QStringLiteral("leave")); }

    void dropEvent(QDropEvent *e) override
    {
        const Qt::DropActions possible = e->possibleActions();
        const Qt::DropAction proposed = e->proposedAction();
        answer(e);

        // The data lives in the source: fetch everything before the drop returns.
        const QMimeData *data = e->mimeData();
        QByteArray formats;
        for (const QString &f : data->formats())
            formats += f.toUtf8() + ' ' + QByteArray::number(data->data(f).size()) + '\n';
        const QString text = data->text();

        const int n = ++m_drops;
        const QString tmp = m_dir.filePath(QStringLiteral("drop-%1.tmp").arg(n));
        QDir().mkpath(tmp);
        writeFile(tmp + QStringLiteral("/formats"), formats);
        writeFile(tmp + QStringLiteral("/text"), text.toUtf8());
        writeFile(tmp + QStringLiteral("/hastext"), data->hasText() ? "1\n" : "0\n");
        if (data->hasFormat(QStringLiteral("text/plain;charset=utf-8")))
            writeFile(tmp + QStringLiteral("/utf8"), data->data(QStringLiteral("text/plain;charset=utf-8")));
        writeFile(tmp + QStringLiteral("/actions"),
                  QStringLiteral("possible %1\nproposed %2\nfinal %3\n")
                      .arg(actionNames(possible), actionNames(proposed), actionNames(e->dropAction()))
                      .toUtf8());
        QDir().rename(tmp, m_dir.filePath(QStringLiteral("drop-%1").arg(n)));
        log(QStringLiteral("drop %1 final=%2").arg(n).arg(actionNames(e->dropAction())));

        m_last = text;
        update();
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xE0, 0xE8, 0xFF));
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("drops: %1\n%2").arg(m_drops).arg(m_last));
    }

private:
    void answer(QDropEvent *e)
    {
        // Qt turns an action the source does not allow into the source's default.
        e->setDropAction(m_wantMove ? Qt::MoveAction : Qt::CopyAction);
        e->accept();
    }

    void log(const QString &line) { appendLine(m_dir.filePath(QStringLiteral("events.log")), line); }

    QDir m_dir;
    bool m_wantMove;
    int m_drops = 0;
    QString m_last;
};

[[noreturn]] void usage(const char *why)
{
    std::fprintf(stderr,
                 "drop_target: %s\nusage: drop_target --out DIR [--pos X Y] [--size W H] [--want copy|move]\n", why);
    std::exit(2);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    QString outDir;
    QPoint pos(300, 100);
    QSize size(500, 400);
    bool wantMove = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--out") && i + 1 < args.size())
            outDir = args.at(++i);
        else if (a == QLatin1String("--pos") && i + 2 < args.size()) {
            pos.setX(args.at(++i).toInt());
            pos.setY(args.at(++i).toInt());
        } else if (a == QLatin1String("--size") && i + 2 < args.size()) {
            size.setWidth(args.at(++i).toInt());
            size.setHeight(args.at(++i).toInt());
        } else if (a == QLatin1String("--want") && i + 1 < args.size()) {
            const QString w = args.at(++i);
            if (w != QLatin1String("copy") && w != QLatin1String("move"))
                usage("--want takes copy or move");
            wantMove = w == QLatin1String("move");
        } else
            usage("unknown or incomplete argument");
    }
    const QDir dir(outDir);
    if (outDir.isEmpty() || !dir.exists())
        usage("--out must name an existing folder");

    Target target(dir, wantMove);
    target.setGeometry(QRect(pos, size));
    target.show();

    QTimer geometry;
    QObject::connect(&geometry, &QTimer::timeout, [&] {
        QWindow *w = target.windowHandle();
        if (!w || !w->isExposed())
            return;
        geometry.stop();
        const QPoint g = target.mapToGlobal(QPoint(0, 0));
        const QString line =
            QStringLiteral("window %1 %2 %3 %4\n").arg(g.x()).arg(g.y()).arg(target.width()).arg(target.height());
        const QString tmp = dir.filePath(QStringLiteral("target.geom.tmp"));
        writeFile(tmp, line.toUtf8());
        QDir().rename(tmp, dir.filePath(QStringLiteral("target.geom")));
    });
    geometry.start(50);

    return app.exec();
}
