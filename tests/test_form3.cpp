#include "form3.h"
#include "look.h"

#include "fakedesktop.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtEndian>
#include <QtTest>

using namespace mq;

namespace {

quint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

QWidget *named(Form3 &f, const QString &name)
{
    return f.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

// Front to back, as designed.
const QStringList StackingOrder = {
    QStringLiteral("Command1"),  QStringLiteral("Line1(0)"),  QStringLiteral("Image1"), QStringLiteral("Image3"),
    QStringLiteral("Label1(2)"), QStringLiteral("Label1(1)"), QStringLiteral("Label1(0)"),
    QStringLiteral("Line1(2)"),  QStringLiteral("Line1(1)"),  QStringLiteral("Image2"),
};

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        applyLook(*qobject_cast<QApplication *>(QCoreApplication::instance()));
    }

    void window()
    {
        FakeDesktop d;
        Form3 f(d.services());
        QCOMPARE(f.windowTitle(), QStringLiteral("ヘルプ"));
        QCOMPARE(f.size(), QSize(751, 573));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(f.isWindow());
        QVERIFY(!f.parentWidget());
        const Qt::WindowFlags flags = f.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(f.palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(f.autoFillBackground());
    }

    // Everything lies inside the window but the palette picture, whose lower 39 pixels the
    // bottom edge cuts off; every picture is exactly as large as the bitmap it shows.
    void insideTheWindow()
    {
        FakeDesktop d;
        Form3 f(d.services());
        for (const QString &name : StackingOrder) {
            QWidget *w = named(f, name);
            if (name == QLatin1String("Image1"))
                QCOMPARE(w->geometry().bottom() + 1 - f.height(), 39);
            else
                QVERIFY2(f.rect().contains(w->geometry()), qPrintable(name));
        }
    }

    // The arrow as a person sees it: its shaft from the palette picture's first box to the
    // form's name field, and a head of two strokes that meet at the shaft's end.
    void arrow_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::newRow("shaft's start, over the palette picture") << QPoint(234, 89);
        QTest::newRow("shaft's middle, between the pictures") << QPoint(300, 121);
        QTest::newRow("shaft's end") << QPoint(494, 215);
        QTest::newRow("upper stroke of the head") << QPoint(472, 196);
        QTest::newRow("lower stroke of the head") << QPoint(488, 204);
    }
    void arrow()
    {
        QFETCH(QPoint, point);
        FakeDesktop d;
        Form3 f(d.services());
        const QImage shot = f.grab().toImage();
        QCOMPARE(QString::number(shot.pixel(point) & 0xFFFFFF, 16), QString::number(0xC0C0FF, 16));
    }

    // The earlier control of the design lies in front of every later one.
    void stacking()
    {
        FakeDesktop d;
        Form3 f(d.services());
        QList<int> at;
        for (const QString &name : StackingOrder) {
            QWidget *w = named(f, name);
            QVERIFY2(w, qPrintable(name));
            at << f.children().indexOf(w);
        }
        for (int i = 1; i < at.size(); ++i)
            QVERIFY2(at[i - 1] > at[i], qPrintable(StackingOrder[i - 1] + " behind " + StackingOrder[i]));
    }

    // Points where two controls overlap, and the one that must be seen there.
    void overlaps_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("front");
        QTest::newRow("shaft over the palette picture") << QPoint(240, 92) << "Line1(0)";
        QTest::newRow("shaft over the browser picture") << QPoint(400, 169) << "Line1(0)";
        QTest::newRow("palette picture over the balloon") << QPoint(136, 100) << "Image1";
        QTest::newRow("headline over the browser picture") << QPoint(400, 32) << "Label1(2)";
        QTest::newRow("release label over the browser picture") << QPoint(550, 200) << "Label1(1)";
        QTest::newRow("shaft over the click label") << QPoint(266, 104) << "Line1(0)";
        QTest::newRow("click label beside the shaft") << QPoint(300, 90) << "Label1(0)";
        QTest::newRow("browser picture around the arrow") << QPoint(490, 190) << "Image2";
        QTest::newRow("arrow head over the browser picture") << QPoint(470, 197) << "Line1(1)";
        QTest::newRow("balloon alone") << QPoint(40, 120) << "Image3";
    }

    void overlaps()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, front);
        FakeDesktop d;
        Form3 f(d.services());
        QWidget *w = f.childAt(point);
        QVERIFY(w);
        QCOMPARE(w->objectName(), front);
    }

    void labels_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("color");
        QTest::newRow("0") << 0 << QStringLiteral("マウスをクリックしながら") << QColor(255, 0, 0);
        QTest::newRow("1") << 1 << QStringLiteral("マウスを離す") << QColor(255, 128, 128);
        QTest::newRow("2") << 2 << QStringLiteral("ドラック＆ドロップで簡単に申込みフォームに貼り付けできます")
                           << QColor(255, 0, 0);
    }

    void labels()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QColor, color);
        FakeDesktop d;
        Form3 f(d.services());
        auto *l = qobject_cast<QLabel *>(named(f, QStringLiteral("Label1(%1)").arg(index)));
        QVERIFY(l);
        QCOMPARE(l->text(), text);
        QCOMPARE(l->textFormat(), Qt::PlainText);
        QCOMPARE(l->palette().color(QPalette::WindowText), color);
        QVERIFY(l->autoFillBackground());
        QCOMPARE(l->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(l->alignment() & Qt::AlignLeft);
        if (index == 2) {
            QCOMPARE(l->font().pointSizeF(), 18.0);
            QCOMPARE(l->font().weight(), QFont::Normal);
        } else {
            QCOMPARE(l->font(), f.font());
        }
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("bytes");
        QTest::newRow("palette") << ":/mq/palette.bmp" << "Image1" << QSize(120, 572) << 205974;
        QTest::newRow("browser") << ":/mq/browser.bmp" << "Image2" << QSize(387, 484) << 563430;
        QTest::newRow("balloon") << ":/mq/balloon.bmp" << "Image3" << QSize(121, 116) << 42278;
    }

    // Uncompressed 24-bit bitmaps with the 54-byte header at 96 dpi, shown at their own size.
    void pictures()
    {
        QFETCH(QString, resource);
        QFETCH(QString, control);
        QFETCH(QSize, size);
        QFETCH(int, bytes);
        QFile file(resource);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(resource));
        const QByteArray b = file.readAll();
        QCOMPARE(b.size(), bytes);
        QCOMPARE(b.left(2), QByteArray("BM"));
        QCOMPARE(le32(b, 2), quint32(bytes));
        QCOMPARE(le32(b, 10), 54u);                   // pixels start after the header
        QCOMPARE(le32(b, 14), 40u);                   // BITMAPINFOHEADER
        QCOMPARE(qint32(le32(b, 18)), size.width());
        QCOMPARE(qint32(le32(b, 22)), size.height()); // bottom-up
        QCOMPARE(le16(b, 26), quint16(1));
        QCOMPARE(le16(b, 28), quint16(24));
        QCOMPARE(le32(b, 30), 0u);                    // BI_RGB
        const int stride = (size.width() * 3 + 3) / 4 * 4;
        QCOMPARE(int(le32(b, 34)), stride * size.height());
        QCOMPARE(le32(b, 38), 3780u);
        QCOMPARE(le32(b, 42), 3780u);

        QImage img;
        QVERIFY(img.loadFromData(b, "BMP"));
        QCOMPARE(img.size(), size);

        FakeDesktop d;
        Form3 f(d.services());
        auto *picture = qobject_cast<QLabel *>(named(f, control));
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), size);
        QCOMPARE(picture->size(), size);
        QVERIFY(!picture->hasScaledContents());
    }

    void paletteCutOff()
    {
        FakeDesktop d;
        Form3 f(d.services());
        QCOMPARE(f.childAt(200, 572), named(f, QStringLiteral("Image1")));
    }

    // 32 x 32, drawn only in the 16 VGA colours, transparent outside the face.
    void icon()
    {
        const QList<QRgb> vga = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        // The file the desktop shows; the windows carry the same picture compiled in.
        QImage icon(QStringLiteral(MQ_ASSETS "/mq.png"));
        QCOMPARE(icon.size(), QSize(32, 32));
        icon = icon.convertToFormat(QImage::Format_ARGB32);
        QSet<QRgb> used;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = icon.pixel(x, y);
                if (qAlpha(p) == 0)
                    continue;
                QCOMPARE(qAlpha(p), 255);
                QVERIFY2(vga.contains(p & 0xFFFFFF), qPrintable(QString::number(p, 16)));
                used << (p & 0xFFFFFF);
            }
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(icon.pixel(16, 1) & 0xFFFFFF, 0xFF0000u); // the rim
        QCOMPARE(icon.pixel(16, 5) & 0xFFFFFF, 0x00FFFFu); // the face
        for (QRgb c : {0xFF0000u, 0x00FFFFu, 0xFF00FFu, 0xFFFF00u, 0x0000FFu})
            QVERIFY(used.contains(c));

        FakeDesktop d;
        Form3 f(d.services());
        QVERIFY(!f.windowIcon().isNull());
        QCOMPARE(f.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32), icon);
    }

    void onlyTheButtonTakesFocus()
    {
        FakeDesktop d;
        QPointer<Form3> f = new Form3(d.services());
        auto *close = f->findChild<QPushButton *>(QStringLiteral("Command1"));
        QVERIFY(close);
        const auto children = f->findChildren<QWidget *>();
        for (QWidget *w : children)
            if (w != close)
                QCOMPARE(w->focusPolicy(), Qt::NoFocus);
        QCOMPARE(close->text(), QStringLiteral("閉じる"));
        QVERIFY(!close->isDefault());
        QVERIFY(!close->autoDefault());
        // The face shows the colour itself, not a shade of it.
        const QImage face = close->grab().toImage();
        QCOMPARE(face.pixel(4, face.height() / 2) & 0xFFFFFF, 0xC0FFFFu);

        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QCOMPARE(QApplication::focusWidget(), close);
        QTest::keyClick(f, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), close);
        // No cancel button: Esc leaves the window open.
        QTest::keyClick(f, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f);
        QVERIFY(f->isVisible());
        delete f;
    }

    void centred()
    {
        FakeDesktop d;
        QPointer<Form3> f = new Form3(d.services());
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        const QPoint centre = f->screen()->availableGeometry().center();
        QVERIFY2((f->frameGeometry().center() - centre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(f->frameGeometry().center().x()).arg(f->frameGeometry().center().y())));
        delete f;
    }

    void closing_data()
    {
        QTest::addColumn<bool>("button");
        QTest::newRow("閉じる") << true;
        QTest::newRow("close box") << false;
    }

    // Closing destroys the window rather than hiding it.
    void closing()
    {
        QFETCH(bool, button);
        FakeDesktop d;
        QPointer<Form3> f = new Form3(d.services());
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        if (button)
            QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        else
            QVERIFY(f->close());
        QTRY_VERIFY(f.isNull());
        QVERIFY(d.messages.isEmpty());
    }
};

QTEST_MAIN(TestForm3)
#include "test_form3.moc"
