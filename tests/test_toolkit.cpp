#include "captionbox.h"
#include "dragdata.h"
#include "facebutton.h"
#include "fixedwindow.h"
#include "look.h"
#include "palettebox.h"

#include "ink.h"

#include <QAccessible>
#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using namespace mq;

namespace {

// The widget as a screen with that many device pixels to a logical one would show it.
QImage renderScaled(QWidget *w, qreal scale)
{
    QImage image(QSize(qFloor(w->width() * scale), qFloor(w->height() * scale)), QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter p(&image);
    p.scale(scale, scale);
    w->render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The rim closes on all four sides.
void checkRim(const QImage &shot)
{
    for (int x : {0, shot.width() - 1})
        QCOMPARE(shot.pixel(x, shot.height() / 2) & 0xFFFFFF, 0u);
    for (int y : {0, shot.height() - 1})
        QCOMPARE(shot.pixel(shot.width() / 2, y) & 0xFFFFFF, 0u);
}

constexpr WindowDesign Sample{"Sample", "見本", 1500, 750, 0xFFFFFF, Placement::Centred,
                              Lifetime::UntilClosed};

} // namespace

class TestToolkit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { applyLook(*qobject_cast<QApplication *>(QCoreApplication::instance())); }

    // What a person sees of a face button: the face in that very colour inside a black
    // rim, a shade darker while held down, a dotted ring inside the rim while it has the
    // focus, and the caption grey when it is disabled.
    void faceButton()
    {
        QWidget window;
        const QColor face = QColor::fromRgb(0xC0FFC0);
        auto *b = new FaceButton(QStringLiteral("内容変更"), face, &window);
        b->setGeometry(0, 0, 57, 17);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int mid = b->height() / 2;
        QImage shot = b->grab().toImage();
        QCOMPARE(QColor(shot.pixel(4, mid)), face);
        QCOMPARE(QColor(shot.pixel(2, mid)), face);
        checkRim(shot);
        checkRim(renderScaled(b, 1.5));

        b->setDown(true);
        shot = b->grab().toImage();
        QVERIFY(qGray(shot.pixel(4, mid)) < qGray(face.rgb()));
        b->setDown(false);

        b->setFocus();
        QVERIFY(b->hasFocus());
        shot = b->grab().toImage();
        // The focus changes the ring, not the face.
        QCOMPARE(QColor(shot.pixel(4, mid)), face);
        int dots = 0;
        for (int y = 2; y < b->height() - 2; ++y)
            dots += (shot.pixel(2, y) & 0xFFFFFF) == 0;
        QVERIFY2(dots >= (b->height() - 4) / 3, qPrintable(QString::number(dots)));

        int captionInk = 0;
        for (int y = 4; y < shot.height() - 4; ++y)
            for (int x = 4; x < shot.width() - 4; ++x)
                captionInk += qGray(shot.pixel(x, y)) < 64;
        QVERIFY2(captionInk > 10, qPrintable(QString::number(captionInk)));

        b->setEnabled(false);
        shot = b->grab().toImage();
        int darkest = 255;
        for (int y = 1; y < shot.height() - 1; ++y)
            for (int x = 1; x < shot.width() - 1; ++x)
                darkest = qMin(darkest, qGray(shot.pixel(x, y)));
        QVERIFY2(darkest > 64, qPrintable(QString::number(darkest)));
    }

    void keysPressAFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("presses");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
        QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false;
        QTest::newRow("a letter") << int(Qt::Key_A) << int(Qt::NoModifier) << false;
    }

    // Enter presses the button that has the focus, as Space does; other keys do not.
    void keysPressAFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, presses);
        QWidget window;
        auto *b = new FaceButton(QStringLiteral("内容変更"), Qt::green, &window);
        b->setGeometry(0, 0, 57, 17);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        b->setFocus();
        QSignalSpy clicked(b, &QPushButton::clicked);
        QTest::keyClick(b, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (presses && clicked.isEmpty())
            QVERIFY(clicked.wait(1000));
        else
            QVERIFY(!clicked.wait(300));
        QCOMPARE(clicked.size(), presses ? 1 : 0);
    }

    // The mouse selects a caption's text where it is drawn, and a press on the selection
    // drags it out as text.
    void captionSelectsWhereItIsDrawn()
    {
        QWidget window;
        auto *c = new CaptionBox(QStringLiteral("氏　　名"), QColor::fromRgb(0xC0FFFF), Qt::blue, &window);
        c->setFont(gothicFont(12));
        c->setGeometry(0, 0, 225, 25);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = c->grab().toImage();
        const QRect ink = inkBounds(shot, insideRim(shot), qRgb(0xC0, 0xFF, 0xFF));
        QVERIFY(ink.left() > 60 && ink.right() < 165); // centred, not at the left
        const int mid = c->height() / 2;

        // From just before the first character to just after the last: all of it.
        QTest::mousePress(c, Qt::LeftButton, Qt::NoModifier, QPoint(ink.left() - 1, mid));
        QTest::mouseMove(c, QPoint(ink.right() + 2, mid));
        QTest::mouseRelease(c, Qt::LeftButton, Qt::NoModifier, QPoint(ink.right() + 2, mid));
        QCOMPARE(c->selectedText(), QStringLiteral("氏　　名"));
        // A press outside the text, away from the selection, ends it.
        QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(5, mid));
        QVERIFY(!c->hasSelectedText());
        // From the right end back over the last character: that character.
        QTest::mousePress(c, Qt::LeftButton, Qt::NoModifier, QPoint(ink.right() + 2, mid));
        QTest::mouseMove(c, QPoint(ink.right() - 14, mid));
        QTest::mouseRelease(c, Qt::LeftButton, Qt::NoModifier, QPoint(ink.right() - 14, mid));
        QCOMPARE(c->selectedText(), QStringLiteral("名"));

        // Selected whole, then pressed on and moved: a drag of the text.
        c->selectAll();
        QTest::mousePress(c, Qt::LeftButton, Qt::NoModifier, QPoint(ink.center().x(), mid));
        QTest::mouseMove(c, QPoint(ink.center().x() + 30, mid));
        const QList<QDrag *> drags = c->findChildren<QDrag *>();
        QCOMPARE(drags.size(), 1);
        QCOMPARE(drags[0]->mimeData()->text(), QStringLiteral("氏　　名"));
        QCOMPARE(drags[0]->supportedActions(), Qt::CopyAction);
        QTest::mouseRelease(c, Qt::LeftButton, Qt::NoModifier, QPoint(ink.center().x() + 30, mid));
        QCOMPARE(c->text(), QStringLiteral("氏　　名"));
    }

    // A caption's "&" marks its mnemonic and is never drawn itself.
    void mnemonicMarkIsNotDrawn()
    {
        const auto inkWidth = [](const QString &caption) {
            FaceButton b(caption, Qt::white, nullptr);
            b.setFixedSize(80, 17);
            const QImage shot = b.grab().toImage();
            int left = shot.width(), right = -1;
            for (int y = 1; y < shot.height() - 1; ++y)
                for (int x = 1; x < shot.width() - 1; ++x)
                    if (qGray(shot.pixel(x, y)) < 128) {
                        left = qMin(left, x);
                        right = qMax(right, x);
                    }
            return right - left + 1;
        };
        const int plain = inkWidth(QStringLiteral("AB"));
        QVERIFY(plain > 0);
        QVERIFY2(qAbs(inkWidth(QStringLiteral("A&B")) - plain) <= 1, "the & was drawn");
        QVERIFY(inkWidth(QStringLiteral("A&&B")) > plain + 3);
    }

    void buttonsAreReadAsTheirWords_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("spaced") << QStringLiteral("内　容　更　新") << QStringLiteral("内容更新");
        QTest::newRow("spaced kana") << QStringLiteral("キ　ャ　ン　セ　ル") << QStringLiteral("キャンセル");
        QTest::newRow("plain") << QStringLiteral("ヘルプ") << QStringLiteral("ヘルプ");
        QTest::newRow("mnemonic") << QStringLiteral("ク　&リ　ア") << QStringLiteral("クリア");
        QTest::newRow("ampersand") << QStringLiteral("A&&B　C") << QStringLiteral("A&BC");
    }

    // What a screen reader says of a button: its caption's words, not each character of
    // a caption spaced out with ideographic spaces.
    void buttonsAreReadAsTheirWords()
    {
        QFETCH(QString, caption);
        QFETCH(QString, spoken);
        QWidget window;
        auto *b = new FaceButton(caption, Qt::white, &window);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), spoken);
        QCOMPARE(b->text(), caption);
    }

    void paletteBoxLooksFlatAndWhite()
    {
        PaletteBox b(19, Qt::magenta, nullptr);
        b.resize(113, 18);
        b.setText(QString());
        const QImage shot = b.grab().toImage();
        checkRim(shot);
        QCOMPARE(shot.pixel(shot.width() / 2, shot.height() / 2) & 0xFFFFFF, 0xFFFFFFu);
        checkRim(renderScaled(&b, 1.5));
    }

    // A value with line breaks shows on one line; the box still holds it as it is.
    void lineBreaksShowOnOneLine()
    {
        PaletteBox broken(54, Qt::black, nullptr);
        PaletteBox spaced(54, Qt::black, nullptr);
        broken.resize(113, 18);
        spaced.resize(113, 18);
        broken.setText(QStringLiteral("日記\r\n毎日\n更新"));
        spaced.setText(QStringLiteral("日記 毎日 更新"));
        QCOMPARE(broken.text(), QStringLiteral("日記\r\n毎日\n更新"));
        QCOMPARE(broken.grab().toImage(), spaced.grab().toImage());
    }

    void paletteBoxPressedByAnyButton()
    {
        PaletteBox b(7, Qt::black, nullptr);
        b.resize(57, 18);
        QSignalSpy pressed(&b, &PaletteBox::pressed);
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            QTest::mousePress(&b, button, Qt::ControlModifier, QPoint(3, 3));
        QCOMPARE(pressed.count(), 3);
        for (const QList<QVariant> &args : pressed)
            QCOMPARE(args.first().toInt(), 7);
    }

    void dragData_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("japanese") << QStringLiteral("山田太郎");
        QTest::newRow("line break") << QStringLiteral("たろうの部屋\r\n2行目\n3行目");
        QTest::newRow("empty") << QString();
        QTest::newRow("wide") << QString(300, QChar(0x25A0));
    }
    void dragData()
    {
        QFETCH(QString, text);
        std::unique_ptr<QMimeData> data(makeDragData(text));
        QVERIFY(data->hasText());
        QCOMPARE(data->text(), text);
        QVERIFY(data->formats().contains(QStringLiteral("text/plain")));
        QCOMPARE(data->data(QStringLiteral("text/plain;charset=utf-8")), text.toUtf8());
        QVERIFY(!data->hasUrls());
        QVERIFY(!data->hasHtml());
    }

    void fixedWindow()
    {
        FixedWindow w(Sample);
        QCOMPARE(w.objectName(), QStringLiteral("Sample"));
        QCOMPARE(w.windowTitle(), QStringLiteral("見本"));
        QCOMPARE(w.size(), QSize(100, 50));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(w.isWindow());
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(w.palette().color(QPalette::Window), QColor(Qt::white));
    }

    // Centred when first shown; brought to the front again, it stays where it was moved.
    void centredOncePerLoad()
    {
        QPointer<FixedWindow> w = new FixedWindow(Sample);
        bringToFront(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QPoint centre = w->screen()->availableGeometry().center();
        QVERIFY((w->frameGeometry().center() - centre).manhattanLength() <= 2);
        w->move(5, 5);
        bringToFront(w);
        QCOMPARE(w->pos(), QPoint(5, 5));
        w->close();
        QTRY_VERIFY(!w);
    }
};

QTEST_MAIN(TestToolkit)
#include "test_toolkit.moc"
