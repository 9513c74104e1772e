// The floor of start-up: a bare Qt Widgets program showing one label, with Qt's own look
// and fonts. Nothing of ours is linked in, so whatever our look or fonts cost counts
// against the program.
//   startup_reference [WIDTHxHEIGHT]
// With a size, the label's window has that size (logical pixels), to tell what a window
// as large as the palette costs by itself.
#include <QApplication>
#include <QLabel>
#include <QSize>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("ＭＱ"));
    int width = 0, height = 0;
    if (argc > 1 && std::sscanf(argv[1], "%dx%d", &width, &height) == 2)
        label.resize(width, height);
    label.show();
    return app.exec();
}
