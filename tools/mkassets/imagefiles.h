#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The files the assets are kept in.

// An uncompressed 24-bit Windows bitmap with the 54-byte header, at 96 dots per inch.
QByteArray bmp24(const QImage &source);
// The image as XPM source text defining `name`; empty when it has more colours than XPM takes.
QByteArray xpmSource(const QImage &source, const char *name);
bool writeFile(const QString &path, const QByteArray &data);
