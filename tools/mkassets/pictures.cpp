#include "pictures.h"

#include "chrome.h"
#include "derivation.h"
#include "form1.h"
#include "look.h"
#include "startup.h"

#include <QPainterPath>
#include <QTextDocument>

#include <cmath>

mq::Record pictureEntries()
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

// The palette as it looks in use: the real window, filled, in a drawn frame.
QImage makePalettePicture(const QImage &icon)
{
    mq::Services quiet;
    quiet.showMessage = [](const QString &, const QString &) {};
    quiet.openUrl = [](const QUrl &) { return true; };
    mq::Form1 palette(quiet);
    palette.setValues(mq::deriveRecord(pictureEntries()));
    palette.setWindowTitle(mq::programCaption());

    const QPixmap client = palette.grab();
    const QSize size(client.width() + 2 * FrameWidth, client.height() + ClientTop + FrameWidth);
    QImage img(size, QImage::Format_RGB888);
    QPainter p(&img);
    const QRect area = drawWindow(p, size, icon, palette.windowTitle(), 1);
    p.drawPixmap(area.topLeft(), client);
    return img;
}

namespace {

QImage makeGlobe()
{
    QImage globe(16, 16, QImage::Format_ARGB32);
    globe.fill(Qt::transparent);
    QPainter p(&globe);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor::fromRgb(0x3090E0));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5.5, 1.5, 5, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    return globe;
}

// A browser showing a sign-up form, its name field already filled by a drop.
} // namespace

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
    p.setPen(QColor::fromRgb(0x003399));
    p.drawText(QRect(16, 92, 355, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("会員登録フォーム"));
    p.setPen(QColor::fromRgb(0x003399));
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
    p.fillRect(QRect(TableLeft, TableTop, CaptionRight - TableLeft, table.height()), QColor::fromRgb(0xDDEEFF));
    p.setPen(QColor::fromRgb(0x6688BB));
    p.drawRect(table);
    p.drawLine(CaptionRight, TableTop, CaptionRight, table.bottom());
    for (int i = 0; i < rowCount; ++i) {
        const int top = TableTop + RowHeight * i;
        if (i > 0) {
            p.setPen(QColor::fromRgb(0x6688BB));
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
    p.setPen(QPen(QColor::fromRgb(0xFF8000), 2));
    p.setBrush(QColor::fromRgb(0xFFFFE0));
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
