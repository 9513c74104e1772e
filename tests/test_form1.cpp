#include "app/look.h"
#include "windows/dragdata.h"
#include "windows/facebutton.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/form3.h"

#include "testsupport.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
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
} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void window()
    {
        FakeDesktop d;
        Form1 f(d.services());
        QCOMPARE(f.size(), QSize(114, 547));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(f.palette().color(QPalette::Window), QColor(Qt::white));
    }

    // Every box against the layout as it was designed: row top = 240 * row, four patterns.
    void boxes_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QColor>("color");

        const QVector<QVector<QPair<int, int>>> patterns = {
            {{0, 1695}},                              // full
            {{0, 855}, {840, 855}},                   // pair
            {{0, 495}, {480, 495}, {960, 735}},       // phone triple
            {{0, 735}, {720, 495}, {1200, 495}},      // date triple
        };
        // row -> pattern, from the design table
        const QString rows = QStringLiteral("FPFPFPFPFPPPFPPPTPTPPDFPPFPPFFFFP");
        const struct { int first, last; QRgb rgb; } bands[] = {
            {0, 14, 0xFF8000}, {15, 18, 0x0000FF}, {19, 23, 0xFF00FF}, {24, 28, 0x00C0C0},
            {29, 33, 0x00C000}, {34, 35, 0xFFC0C0}, {36, 40, 0x000000}, {41, 43, 0xFF0000},
            {44, 45, 0x0000FF}, {46, 50, 0xFF00FF}, {51, 56, 0x00C0C0}};
        int slot = 0;
        for (int row = 1; row <= rows.size(); ++row) {
            const QChar p = rows.at(row - 1);
            const int pi = p == 'F' ? 0 : p == 'P' ? 1 : p == 'T' ? 2 : 3;
            for (auto [left, width] : patterns[pi]) {
                QColor c;
                for (auto b : bands)
                    if (slot >= b.first && slot <= b.last)
                        c = QColor::fromRgb(b.rgb);
                QTest::addRow("Text(%d)", slot) << slot << QRect(left, 240 * row, width, 270) << c;
                ++slot;
            }
        }
        QCOMPARE(slot, 57);
    }
    void boxes()
    {
        QFETCH(int, slot);
        QFETCH(QRect, twips);
        QFETCH(QColor, color);
        FakeDesktop d;
        Form1 f(d.services());
        PaletteBox *b = f.Text(slot);
        QCOMPARE(b->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QCOMPARE(b->textColor(), color);
        QCOMPARE(b->text(), QStringLiteral("■■■■■■"));
        QCOMPARE(b->toolTip(), QStringLiteral("フォームのテキストボックスへDrag&Drop"));
        QCOMPARE(b->cursor().shape(), Qt::SizeHorCursor);
        QVERIFY(b->focusPolicy() & Qt::TabFocus);
        QVERIFY(!b->acceptDrops());
    }

    void lastRowEndsOnePixelAboveTheBottom()
    {
        FakeDesktop d;
        Form1 f(d.services());
        QCOMPARE(f.Text(56)->geometry().bottom() + 1, 8190 / 15);
        QCOMPARE(f.height() - (f.Text(56)->geometry().bottom() + 1), 1);
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QColor>("face");
        QTest::newRow("Command1") << "Command1" << QStringLiteral("内容変更") << QRect(0, 0, 57, 17)
                                  << QColor(0xC0, 0xFF, 0xC0);
        QTest::newRow("btnHelp") << "btnHelp" << QStringLiteral("ヘルプ") << QRect(56, 0, 57, 17)
                                 << QColor(0xFF, 0xFF, 0xC0);
    }
    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        QFETCH(QColor, face);
        FakeDesktop d;
        Form1 f(d.services());
        auto *b = f.findChild<QPushButton *>(name);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->geometry(), geometry);
        QCOMPARE(b->palette().color(QPalette::Button), face);
        // What a person sees: the face in that very colour inside a black rim, a shade
        // darker while held down, and a dotted ring inside the rim while it has the focus.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const int mid = b->height() / 2;
        QImage shot = b->grab().toImage();
        QCOMPARE(QColor(shot.pixel(4, mid)), face);
        QCOMPARE(QColor(shot.pixel(0, mid)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(2, mid)), face);
        b->setDown(true);
        shot = b->grab().toImage();
        QCOMPARE(shot.pixel(4, mid), face.darker(115).rgb());
        b->setDown(false);
        b->setFocus();
        QVERIFY(b->hasFocus());
        shot = b->grab().toImage();
        int dots = 0;
        for (int y = 2; y < b->height() - 2; ++y)
            dots += QColor(shot.pixel(2, y)) == QColor(Qt::black);
        QVERIFY2(dots >= (b->height() - 4) / 3, qPrintable(QString::number(dots)));

        // At a fractional scale the rim still closes along the right and bottom edges.
        const QImage scaled = renderScaled(b, 1.5);
        for (int x : {0, scaled.width() - 1})
            QCOMPARE(QColor(scaled.pixel(x, scaled.height() / 2)), QColor(Qt::black));
        for (int y : {0, scaled.height() - 1})
            QCOMPARE(QColor(scaled.pixel(scaled.width() / 2, y)), QColor(Qt::black));

        // Enabled, the caption is drawn in black inside the focus ring.
        shot = b->grab().toImage();
        int captionInk = 0;
        for (int y = 4; y < shot.height() - 4; ++y)
            for (int x = 4; x < shot.width() - 4; ++x)
                captionInk += qGray(shot.pixel(x, y)) < 64;
        QVERIFY2(captionInk > 10, qPrintable(QString::number(captionInk)));

        // Disabled, the caption greys out: nothing inside the rim is drawn in black.
        b->setEnabled(false);
        shot = b->grab().toImage();
        int darkest = 255;
        for (int y = 1; y < shot.height() - 1; ++y)
            for (int x = 1; x < shot.width() - 1; ++x)
                darkest = qMin(darkest, qGray(shot.pixel(x, y)));
        QVERIFY2(darkest > 64, qPrintable(QString::number(darkest)));
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

    void focusOrder()
    {
        FakeDesktop d;
        Form1 f(d.services());
        QList<QWidget *> expected;
        for (int i = 0; i <= 49; ++i)
            expected << f.Text(i);
        for (int i = 51; i <= 56; ++i)
            expected << f.Text(i);
        expected << f.Text(50) << f.Command1 << f.btnHelp;

        QWidget *w = f.Text(0);
        for (int i = 1; i < expected.size(); ++i) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            QCOMPARE(w, expected[i]);
        }
    }

    void tabKeyFollowsTheOrder()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(QApplication::focusWidget(), f.Text(0));
        f.Text(49)->setFocus();
        QTest::keyClick(f.Text(49), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Text(51));
        f.Text(56)->setFocus();
        QTest::keyClick(f.Text(56), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Text(50));
        QTest::keyClick(f.Text(50), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Command1);
    }

    void typingChangesNothing()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        f.Text(3)->setText(QStringLiteral("やまだ"));
        f.Text(3)->setFocus();
        QTest::keyClicks(f.Text(3), QStringLiteral("abc"));
        QTest::keyClick(f.Text(3), Qt::Key_Backspace);
        QTest::keyClick(f.Text(3), Qt::Key_Delete);
        QCOMPARE(f.Text(3)->text(), QStringLiteral("やまだ"));
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

    void pressOnAnyButtonKeepsTheText()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        f.Text(41)->setText(QStringLiteral("taro@mail"));
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::mousePress(f.Text(41), button, Qt::ShiftModifier, QPoint(3, 3));
            // The offscreen platform ends the drag at once; the drag object it made is
            // still there until the event loop runs, carrying what a target would get.
            const QList<QDrag *> drags = f.Text(41)->findChildren<QDrag *>();
            QCOMPARE(drags.size(), 1);
            QCOMPARE(drags[0]->mimeData()->text(), QStringLiteral("taro@mail"));
            QCOMPARE(drags[0]->supportedActions(), Qt::CopyAction);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(f.Text(41)->findChildren<QDrag *>().isEmpty());
        }
        QCOMPARE(f.Text(41)->text(), QStringLiteral("taro@mail"));
        QVERIFY(d.messages.isEmpty());
    }

    void lineBreaksShowOnOneLine()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.Text(54)->setText(QStringLiteral("日記です\r\n毎日\n更新"));
        QCOMPARE(f.Text(54)->text(), QStringLiteral("日記です\r\n毎日\n更新"));
        QVERIFY(!f.Text(54)->shownText().contains(QLatin1Char('\n')));
        QVERIFY(!f.Text(54)->shownText().contains(QLatin1Char('\r')));
    }

    void boxLooksFlatAndWhite()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.Text(19)->setText(QString());
        f.show();
        const QImage shot = f.Text(19)->grab().toImage();
        QCOMPARE(QColor(shot.pixel(0, 5)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(shot.width() / 2, 0)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)), QColor(Qt::white));
        const QImage scaled = renderScaled(f.Text(19), 1.5);
        QCOMPARE(QColor(scaled.pixel(scaled.width() - 1, scaled.height() / 2)), QColor(Qt::black));
        QCOMPARE(QColor(scaled.pixel(scaled.width() / 2, scaled.height() - 1)), QColor(Qt::black));
    }

    void windowsOpenOnceAndCentred_data()
    {
        QTest::addColumn<bool>("help");
        QTest::newRow("editor") << false;
        QTest::newRow("help") << true;
    }
    void windowsOpenOnceAndCentred()
    {
        QFETCH(bool, help);
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        QPushButton *button = help ? f.btnHelp : f.Command1;
        auto current = [&]() -> QWidget * { return help ? static_cast<QWidget *>(f.help()) : f.editor(); };
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();

        button->click();
        QPointer<QWidget> first = current();
        QVERIFY(first && first->isVisible());
        QVERIFY(!first->parentWidget());
        QVERIFY(qAbs(first->geometry().center().x() - screenCentre.x()) <= 1);
        QVERIFY(qAbs(first->geometry().center().y() - screenCentre.y()) <= 1);
        first->move(5, 5);
        button->click();
        QCOMPARE(current(), first.data());
        QCOMPARE(first->pos(), QPoint(5, 5));
        QCOMPARE(QApplication::topLevelWidgets().count(first.data()), 1);

        first->close();
        QTRY_VERIFY(!first);
        QVERIFY(!current());
        button->click();
        QVERIFY(current());
        QVERIFY(qAbs(current()->geometry().center().x() - screenCentre.x()) <= 1);
        QVERIFY(d.messages.isEmpty());
    }

    void closingThePaletteClosesTheOthers()
    {
        FakeDesktop d;
        auto *f = new Form1(d.services());
        f->show();
        f->Command1->click();
        QPointer<QWidget> editor = f->editor();
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        f->btnHelp->click();
        QPointer<QWidget> help = f->help();
        QVERIFY(help);
        f->close();
        QVERIFY(!editor);
        QVERIFY(!help);
        QVERIFY(d.messages.isEmpty());
        delete f;
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
