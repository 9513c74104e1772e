// The floor of start-up: a bare Qt Widgets program showing one label, with Qt's own look
// and fonts. Nothing of ours is linked in, so whatever our look or fonts cost counts
// against the program.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("ＭＱ"));
    label.show();
    return app.exec();
}
