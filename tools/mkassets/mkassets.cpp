// Writes the program icon and the three help pictures into the folder given as the
// only argument. Run under QT_QPA_PLATFORM=offscreen; run.sh does it all.
#include "app/look.h"
#include "app/services.h"
#include "app/startup.h"
#include "profile/derivation.h"
#include "profile/record.h"
#include "windows/form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>

#include <cmath>
#include <cstdio>

namespace {

// ---------------------------------------------------------------- files

void put16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &b, qint64 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// Uncompressed 24-bit Windows bitmap, 54-byte header, bottom-up rows padded to 4 bytes.
// Written by hand so the header is the same whatever Qt's own writer prefers.
QByteArray bmp24(const QImage &source)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB888);
    const int w = img.width();
    const int h = img.height();
    const int stride = (w * 3 + 3) & ~3;
    const int dataSize = stride * h;
    constexpr int HeaderSize = 54;
    constexpr int PixelsPerMetre = 3780; // 96 dpi

    QByteArray b;
    b.reserve(HeaderSize + dataSize);
    b.append("BM", 2);
    put32(b, HeaderSize + dataSize);
    put32(b, 0); // reserved
    put32(b, HeaderSize);
    put32(b, 40); // BITMAPINFOHEADER
    put32(b, w);
    put32(b, h); // positive: bottom-up
    put16(b, 1); // planes
    put16(b, 24);
    put32(b, 0); // BI_RGB
    put32(b, dataSize);
    put32(b, PixelsPerMetre);
    put32(b, PixelsPerMetre);
    put32(b, 0); // colours used
    put32(b, 0); // important colours
    for (int y = h - 1; y >= 0; --y) {
        const uchar *row = img.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            b.append(char(row[3 * x + 2]));
            b.append(char(row[3 * x + 1]));
            b.append(char(row[3 * x]));
        }
        for (int pad = w * 3; pad < stride; ++pad)
            b.append('\0');
    }
    return b;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size() && f.flush();
}

// The icon as XPM source, which the program compiles in: an image read from a file or
// a resource goes through the image reader, and that loads every format plug-in first.
QByteArray xpmSource(const QImage &source, const char *name)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const char keys[] = ".abcdefghijklmnopqrstuvwxyz";
    QList<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb p = image.pixel(x, y);
            if (qAlpha(p) != 0 && qAlpha(p) != 255)
                return {}; // XPM has no partial transparency
            p = qAlpha(p) == 0 ? 0 : p;
            if (!colours.contains(p))
                colours << p;
        }
    if (colours.size() > int(sizeof keys) - 1)
        return {};
    QByteArray b = "/* XPM */\nstatic const char *const " + QByteArray(name) + "[] = {\n";
    b += QStringLiteral("\"%1 %2 %3 1\",\n").arg(image.width()).arg(image.height()).arg(colours.size()).toLatin1();
    for (int i = 0; i < colours.size(); ++i) {
        const QRgb c = colours[i];
        const QByteArray value = c == 0 ? QByteArray("None") : QColor::fromRgb(c).name().toUpper().toLatin1();
        b += "\"" + QByteArray(1, keys[i]) + " c " + value + "\",\n";
    }
    for (int y = 0; y < image.height(); ++y) {
        b += '"';
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            b += keys[colours.indexOf(qAlpha(p) == 0 ? 0 : p)];
        }
        b += y + 1 < image.height() ? "\",\n" : "\"\n";
    }
    return b + "};\n";
}

// ---------------------------------------------------------------- icon

// The standard 16-colour VGA palette, in the Windows order.
constexpr QRgb Vga[16] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};
enum VgaIndex { Red = 9, Yellow = 11, Blue = 12, Magenta = 13, Cyan = 14 };

double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Colour index of one icon pixel, or -1 where the icon is transparent. Decided per
// pixel centre, so there is no anti-aliasing and no colour outside the palette.
int iconPixel(int x, int y)
{
    const double cx = x + 0.5, cy = y + 0.5;
    const double d = std::hypot(cx - 16.0, cy - 16.0);
    if (d > 15.6)
        return -1;
    if (d > 13.2)
        return Red;
    // Brows, raised a little towards the middle: a cheerful face, not a cross one.
    if (segmentDistance(cx, cy, 7.5, 10.5, 13.0, 8.0) <= 1.1 || segmentDistance(cx, cy, 24.5, 10.5, 19.0, 8.0) <= 1.1)
        return Magenta;
    // Nostrils on the snout.
    if (std::hypot(cx - 13.0, cy - 18.0) <= 1.45 || std::hypot(cx - 19.0, cy - 18.0) <= 1.45)
        return Magenta;
    const double sx = (cx - 16.0) / 7.2, sy = (cy - 18.0) / 4.4;
    if (sx * sx + sy * sy <= 1.0)
        return Yellow;
    // The mouth: a V under the snout.
    if (segmentDistance(cx, cy, 10.5, 24.0, 16.0, 27.5) <= 0.85 || segmentDistance(cx, cy, 16.0, 27.5, 21.5, 24.0) <= 0.85)
        return Blue;
    return Cyan;
}

QImage makeIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int c = iconPixel(x, y);
            icon.setPixel(x, y, c < 0 ? 0x00000000 : Vga[c]);
        }
    return icon;
}

// ---------------------------------------------------------------- window chrome

const QColor Face(0xC0, 0xC0, 0xC0);
const QColor Shadow(0x80, 0x80, 0x80);
const QColor DarkShadow(0x40, 0x40, 0x40);

// A raised 3-D edge, two pixels deep, around r.
void raisedEdge(QPainter &p, const QRect &r)
{
    p.setPen(Face);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    p.setPen(DarkShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(Shadow);
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

// A sunken 3-D edge; `light` is its outer bottom and right side.
void sunkenEdge(QPainter &p, const QRect &r, const QColor &light = Qt::white)
{
    p.setPen(Shadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(DarkShadow);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
}

void captionButton(QPainter &p, const QRect &r, QChar glyph)
{
    p.fillRect(r, Face);
    raisedEdge(p, r);
    p.setPen(Qt::black);
    QFont f = mq::gothicFont(7);
    f.setBold(true);
    p.setFont(f);
    p.drawText(r.adjusted(0, 0, 0, -1), Qt::AlignCenter, QString(glyph));
}

constexpr int FrameWidth = 3;
constexpr int CaptionHeight = 18;
constexpr int ClientTop = FrameWidth + CaptionHeight + 1;

// Frame and title bar of a classic window filling the whole image; returns the client area.
QRect drawWindow(QPainter &p, const QSize &size, const QImage &icon, const QString &caption, int boxes)
{
    const QRect all(QPoint(0, 0), size);
    p.fillRect(all, Face);
    raisedEdge(p, all);

    const QRect bar(FrameWidth, FrameWidth, size.width() - 2 * FrameWidth, CaptionHeight);
    QLinearGradient blue(bar.topLeft(), bar.topRight());
    blue.setColorAt(0, QColor(0x00, 0x00, 0x80));
    blue.setColorAt(1, QColor(0x10, 0x84, 0xD0));
    p.fillRect(bar, blue);

    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(bar.left() + 1, bar.top() + 1, 16, 16), icon);

    int right = bar.right() - 1;
    const QChar glyphs[] = {QChar(0x00D7), QChar(0x25A1), QChar(0x005F)};
    for (int i = 0; i < boxes; ++i) {
        const QRect box(right - 15, bar.top() + 2, 16, 14);
        captionButton(p, box, glyphs[i]);
        right -= i == 0 ? 18 : 16;
    }

    QFont f = mq::gothicFont(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const QRect text(bar.left() + 20, bar.top(), right - bar.left() - 22, bar.height());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);

    return QRect(FrameWidth, ClientTop, size.width() - 2 * FrameWidth, size.height() - ClientTop - FrameWidth);
}

// ---------------------------------------------------------------- sample profile

// A person who does not exist, with numbers from the ranges kept for examples.
mq::Record sampleEntries()
{
    mq::Record r;
    const std::pair<int, const char *> typed[] = {
        {1, "鈴木"},          {2, "花子"},           {10, "ｽｽﾞｷ"},         {11, "ﾊﾅｺ"},
        {13, "HANAKO"},       {14, "SUZUKI"},        {17, "100"},          {18, "0001"},
        {20, "東京都"},       {21, "千代田区"},      {22, "千代田"},       {23, "9-99"},
        {26, "03"},           {27, "5555"},          {28, "0123"},         {31, "090"},
        {32, "5555"},         {33, "0199"},          {34, "28"},           {35, "会社員"},
        {38, "1996"},         {39, "4"},             {40, "1"},            {42, "hanako"},
        {43, "example.jp"},   {44, "hanako555"},     {45, "hana5555"},     {47, "見本銀行"},
        {48, "本店"},         {49, "普通"},          {50, "5555555"},      {51, "花子の部屋"},
        {52, "ハナコノヘヤ"}, {53, "http://www.example.jp/"}, {54, "日記と写真のページ"},
        {55, "50"},           {56, "1500"},
    };
    for (const auto &[slot, text] : typed)
        r[slot] = QString::fromUtf8(text);
    return r;
}

// ---------------------------------------------------------------- pictures

// The palette as it looks in use: the real window, filled, in a drawn frame.
QImage makePalettePicture(const QImage &icon)
{
    mq::Services quiet;
    quiet.showMessage = [](const QString &, const QString &) {};
    quiet.openUrl = [](const QUrl &) { return true; };
    mq::Form1 palette(quiet);
    const mq::Record values = mq::deriveRecord(sampleEntries());
    for (int i = 0; i < mq::SlotCount; ++i)
        palette.Text(i)->setText(values[i]);
    palette.setWindowTitle(mq::programCaption());

    const QPixmap client = palette.grab();
    const QSize size(client.width() + 2 * FrameWidth, client.height() + ClientTop + FrameWidth);
    QImage img(size, QImage::Format_RGB888);
    QPainter p(&img);
    const QRect area = drawWindow(p, size, icon, palette.windowTitle(), 1);
    p.drawPixmap(area.topLeft(), client);
    return img;
}

void inputBox(QPainter &p, const QRect &r, const QString &text = QString())
{
    p.fillRect(r, Qt::white);
    // On a white page a white highlight would vanish.
    sunkenEdge(p, r, Face);
    if (!text.isEmpty()) {
        p.setPen(Qt::black);
        p.setFont(mq::gothicFont(9));
        p.drawText(r.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void pushButton(QPainter &p, const QRect &r, const QString &text)
{
    p.fillRect(r, Face);
    raisedEdge(p, r);
    p.setPen(Qt::black);
    p.setFont(mq::gothicFont(9));
    p.drawText(r, Qt::AlignCenter, text);
}

// The browser's own icon, so the picture does not look like a second MQ window.
QImage makeGlobe()
{
    QImage globe(16, 16, QImage::Format_ARGB32);
    globe.fill(Qt::transparent);
    QPainter p(&globe);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(0x30, 0x90, 0xE0));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5.5, 1.5, 5, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    return globe;
}

// A browser showing a sign-up form, its name field already filled by a drop.
QImage makeBrowserPicture(const QString &sampleName)
{
    const QSize size(387, 484);
    QImage img(size, QImage::Format_RGB888);
    QPainter p(&img);
    const QRect client = drawWindow(p, size, makeGlobe(), QStringLiteral("会員登録 - Web ブラウザ"), 3);
    const QFont ui = mq::gothicFont(9);
    p.setFont(ui);
    p.setPen(Qt::black);
    const int menuTop = client.top();
    p.drawText(QRect(client.left() + 4, menuTop, client.width() - 8, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ファイル(F)　編集(E)　表示(V)　お気に入り(A)　ヘルプ(H)"));
    p.setPen(Shadow);
    p.drawLine(client.left(), menuTop + 18, client.right(), menuTop + 18);
    p.setPen(Qt::white);
    p.drawLine(client.left(), menuTop + 19, client.right(), menuTop + 19);

    const int addressTop = menuTop + 21;
    p.setPen(Qt::black);
    p.drawText(QRect(client.left() + 4, addressTop, 60, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("アドレス(D)"));
    inputBox(p, QRect(client.left() + 66, addressTop, client.width() - 70, 20),
             QStringLiteral("http://www.example.jp/signup.html"));

    const QRect page(client.left(), addressTop + 23, client.width(), client.bottom() - 18 - (addressTop + 23));
    p.fillRect(page, Qt::white);
    sunkenEdge(p, page);
    const QRect status(client.left(), page.bottom() + 2, client.width(), 17);
    p.setPen(Shadow);
    p.drawRect(status.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.drawText(status.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ページが表示されました"));

    // The page itself, in picture coordinates: the help window's arrow ends on the name
    // field at (144, 184) and its label sits just above the table.
    QFont heading = mq::gothicFont(14);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(QColor(0x00, 0x33, 0x99));
    p.drawText(QRect(16, 92, 355, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("会員登録フォーム"));
    p.setPen(QColor(0x00, 0x33, 0x99));
    p.drawLine(16, 119, 370, 119);
    p.setFont(ui);
    p.setPen(Qt::black);
    p.drawText(QRect(16, 126, 355, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("下記の項目を入力して「登録する」を押してください。"));

    struct Row
    {
        const char *caption;
    };
    const Row rows[] = {{"お名前"}, {"郵便番号"}, {"住所"}, {"電話番号"}, {"メールアドレス"}, {"サイト名"}, {"URL"}};
    constexpr int TableLeft = 12, TableRight = 374, CaptionRight = 132, RowHeight = 32, TableTop = 178;
    const int rowCount = int(std::size(rows));
    const QRect table(TableLeft, TableTop, TableRight - TableLeft, RowHeight * rowCount);
    p.fillRect(QRect(TableLeft, TableTop, CaptionRight - TableLeft, table.height()), QColor(0xDD, 0xEE, 0xFF));
    p.setPen(QColor(0x66, 0x88, 0xBB));
    p.drawRect(table);
    p.drawLine(CaptionRight, TableTop, CaptionRight, table.bottom());
    for (int i = 0; i < rowCount; ++i) {
        const int top = TableTop + RowHeight * i;
        if (i > 0) {
            p.setPen(QColor(0x66, 0x88, 0xBB));
            p.drawLine(TableLeft, top, TableRight, top);
        }
        p.setPen(Qt::black);
        p.setFont(ui);
        p.drawText(QRect(TableLeft + 8, top, CaptionRight - TableLeft - 10, RowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(rows[i].caption));
        const int boxTop = top + 5;
        const int x = CaptionRight + 8;
        switch (i) {
        case 0: inputBox(p, QRect(x, boxTop, 150, 22), sampleName); break;
        case 1:
            inputBox(p, QRect(x, boxTop, 40, 22));
            p.setPen(Qt::black);
            p.setFont(ui);
            p.drawText(QRect(x + 40, boxTop, 14, 22), Qt::AlignCenter, QStringLiteral("-"));
            inputBox(p, QRect(x + 54, boxTop, 52, 22));
            break;
        case 2: inputBox(p, QRect(x, boxTop, 224, 22)); break;
        case 3: inputBox(p, QRect(x, boxTop, 130, 22)); break;
        case 4: inputBox(p, QRect(x, boxTop, 200, 22)); break;
        case 5: inputBox(p, QRect(x, boxTop, 200, 22)); break;
        case 6: inputBox(p, QRect(x, boxTop, 224, 22), QStringLiteral("http://")); break;
        }
    }
    const int buttonsTop = table.bottom() + 16;
    pushButton(p, QRect(110, buttonsTop, 76, 24), QStringLiteral("登録する"));
    pushButton(p, QRect(200, buttonsTop, 76, 24), QStringLiteral("リセット"));
    return img;
}

// Step one: a balloon whose tail points up and right, at the palette's 内容変更 button.
QImage makeBalloonPicture()
{
    const QSize size(121, 116);
    QImage img(size, QImage::Format_RGB888);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF body(2.5, 20.5, 113, 92);
    QPainterPath balloon;
    balloon.addRoundedRect(body, 14, 14);
    QPainterPath tail;
    tail.moveTo(80, 22);
    tail.lineTo(119, 2);
    tail.lineTo(104, 34);
    tail.closeSubpath();
    balloon = balloon.united(tail);
    p.setPen(QPen(QColor(0xFF, 0x80, 0x00), 2));
    p.setBrush(QColor(0xFF, 0xFF, 0xE0));
    p.drawPath(balloon);

    QTextDocument doc;
    doc.setDefaultFont(mq::gothicFont(9));
    doc.setDocumentMargin(0);
    // Broken by hand: an automatic break would split 「内容変更」.
    doc.setHtml(QStringLiteral("<p align=\"center\">はじめに<br><span style=\"color:#ff0000\">「内容変更」</span>を<br>"
                               "クリックして、<br>あなたの情報を<br>入力してください</p>"));
    doc.setTextWidth(body.width() - 12);
    const qreal top = body.top() + (body.height() - doc.size().height()) / 2;
    p.translate(body.left() + 6, top);
    doc.drawContents(&p);
    return img;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    mq::applyLook(app);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkassets <assets folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    const QImage icon = makeIcon();
    const mq::Record sample = mq::deriveRecord(sampleEntries());
    const QImage palette = makePalettePicture(icon);
    const QImage browser = makeBrowserPicture(sample[0]);
    const QImage balloon = makeBalloonPicture();

    bool ok = icon.save(out.filePath(QStringLiteral("mq.png")), "PNG");
    const QByteArray xpm = xpmSource(icon, "mq_xpm");
    ok = !xpm.isEmpty() && writeFile(out.filePath(QStringLiteral("mq.xpm")), xpm) && ok;
    ok = writeFile(out.filePath(QStringLiteral("palette.bmp")), bmp24(palette)) && ok;
    ok = writeFile(out.filePath(QStringLiteral("browser.bmp")), bmp24(browser)) && ok;
    ok = writeFile(out.filePath(QStringLiteral("balloon.bmp")), bmp24(balloon)) && ok;
    if (!ok) {
        std::fprintf(stderr, "mkassets: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
