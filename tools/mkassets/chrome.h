#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

// The desktop the pictures show, drawn as the design's desktop drew it: window frames,
// 3-D edges, text boxes and push buttons.

// The desktop's greys: faces, shadows and the darkest edge.
inline const QColor Face = QColor::fromRgb(0xC0C0C0);
inline const QColor Shadow = QColor::fromRgb(0x808080);
inline const QColor DarkShadow = QColor::fromRgb(0x404040);

// A framed window of that outer size with its caption bar; returns the client area.
QRect drawWindow(QPainter &p, const QSize &size, const QImage &icon, const QString &caption, int boxes);
void raisedEdge(QPainter &p, const QRect &r);
void sunkenEdge(QPainter &p, const QRect &r, const QColor &light = Qt::white);
void inputBox(QPainter &p, const QRect &r, const QString &text = QString());
void pushButton(QPainter &p, const QRect &r, const QString &text);

// What a frame adds around a client area.
constexpr int FrameWidth = 3;
constexpr int CaptionHeight = 18;
constexpr int ClientTop = FrameWidth + CaptionHeight + 1;
