#include "failure.h"
#include "form1.h"
#include "palettebox.h"
#include "textline.h"

#include "fakedesktop.h"
#include "ink.h"
#include "sampleprofile.h"

#include <QAccessible>
#include <QClipboard>
#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <utility>

using namespace mq;

namespace {

PaletteBox *box(const Form1 &f, int slot)
{
    return f.findChild<PaletteBox *>(QStringLiteral("Text(%1)").arg(slot));
}

QPushButton *button(const Form1 &f, const char *name)
{
    return f.findChild<QPushButton *>(QLatin1String(name));
}

// The next control the Tab key reaches from w.
QWidget *nextTabStop(QWidget *w)
{
    do
        w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}

// A palette box drawn at a scale: the part inside its rim, and the ink on its white.
struct BoxShot
{
    QImage image;
    QRect inside;
    QRect ink;
};

BoxShot shoot(PaletteBox *b, qreal scale)
{
    BoxShot shot{rendered(b, scale), {}, {}};
    shot.inside = insideRim(shot.image);
    shot.ink = inkBounds(shot.image, shot.inside, qRgb(255, 255, 255));
    return shot;
}

// value drawn in a pair box (57 pixels) and in the box of the whole row, which has room.
std::pair<BoxShot, BoxShot> pairAndWhole(const Form1 &f, const QString &value, qreal scale)
{
    PaletteBox *pair = box(f, 1);
    PaletteBox *whole = box(f, 0);
    pair->setText(value);
    whole->setText(value);
    return {shoot(pair, scale), shoot(whole, scale)};
}

// Rows of each value at 1x and 2x.
void addValueRows(std::initializer_list<const char *> values)
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<qreal>("scale");
    for (qreal scale : {1.0, 2.0})
        for (const char *value : values)
            QTest::addRow("%s %gx", value, scale) << QString::fromUtf8(value) << scale;
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
        QCOMPARE(f.objectName(), QStringLiteral("Form1"));
        QCOMPARE(f.windowTitle(), QStringLiteral("MQ"));
        QCOMPARE(f.size(), QSize(114, 547));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(f.palette().color(QPalette::Window), QColor(Qt::white));
    }

    // What any correct layout of the palette is: rows 2 pixels apart in overlap, boxes of a
    // row sharing their borders, slots in reading order, all inside the window.
    void layout()
    {
        FakeDesktop d;
        Form1 f(d.services());
        std::map<int, QList<QRect>> rows; // by top
        QRect previous;
        for (int slot = 0; slot < SlotCount; ++slot) {
            PaletteBox *b = box(f, slot);
            QVERIFY2(b, qPrintable(QString::number(slot)));
            const QRect r = b->geometry();
            QVERIFY2(f.rect().contains(r), qPrintable(QString::number(slot)));
            QCOMPARE(r.height(), 18);
            // Reading order: the next slot is to the right in the same row, or starts the next.
            if (slot > 0)
                QVERIFY2(r.top() == previous.top() ? r.left() > previous.left() : r.top() > previous.top(),
                         qPrintable(QString::number(slot)));
            rows[r.top()] << r;
            previous = r;
        }
        QCOMPARE(int(rows.size()), 33);
        int lastTop = -1, lastBottom = -1;
        for (const auto &[top, boxes] : rows) {
            if (lastTop >= 0) {
                QCOMPARE(top, lastTop + 16);
                QCOMPARE(lastBottom - top + 1, 2); // neighbouring rows overlap by two pixels
            }
            QCOMPARE(boxes.first().left(), 0);
            QCOMPARE(boxes.last().right(), f.width() - 2);
            for (int i = 1; i < boxes.size(); ++i)
                QCOMPARE(boxes[i].left(), boxes[i - 1].right()); // one shared border line
            lastTop = top;
            lastBottom = boxes.first().bottom();
        }
        QCOMPARE(rows.begin()->first, 16);
        QCOMPARE(f.height() - lastBottom - 1, 1);

        // The two buttons share a border and lie over the first row's top line.
        const QRect edit = button(f, "Command1")->geometry();
        const QRect help = button(f, "btnHelp")->geometry();
        QCOMPARE(edit.topLeft(), QPoint(0, 0));
        QCOMPARE(help.left(), edit.right());
        QCOMPARE(help.right(), f.width() - 2);
        QCOMPARE(edit.bottom(), rows.begin()->first);
        QCOMPARE(edit.height(), help.height());
    }

    void everyBox()
    {
        FakeDesktop d;
        Form1 f(d.services());
        for (int slot = 0; slot < SlotCount; ++slot) {
            PaletteBox *b = box(f, slot);
            QCOMPARE(b->text(), QStringLiteral("■■■■■■"));
            QCOMPARE(b->toolTip(), QStringLiteral("フォームのテキストボックスへDrag&Drop"));
            QCOMPARE(b->cursor().shape(), Qt::SizeHorCursor);
            QVERIFY(b->focusPolicy() & Qt::TabFocus);
            QVERIFY(!b->acceptDrops());
        }
    }

    // Where one colour band meets the next: the text shows in its band's colour.
    void colourBands_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QRgb>("color");
        const struct { int slot; QRgb color; } spots[] = {
            {0, 0xFF8000}, {14, 0xFF8000}, {15, 0x0000FF}, {18, 0x0000FF}, {19, 0xFF00FF}, {23, 0xFF00FF},
            {24, 0x00C0C0}, {28, 0x00C0C0}, {29, 0x00C000}, {33, 0x00C000}, {34, 0xFFC0C0}, {35, 0xFFC0C0},
            {36, 0x000000}, {40, 0x000000}, {41, 0xFF0000}, {43, 0xFF0000}, {44, 0x0000FF}, {45, 0x0000FF},
            {46, 0xFF00FF}, {50, 0xFF00FF}, {51, 0x00C0C0}, {56, 0x00C0C0}};
        for (auto s : spots)
            QTest::addRow("Text(%d)", s.slot) << s.slot << s.color;
    }
    void colourBands()
    {
        QFETCH(int, slot);
        QFETCH(QRgb, color);
        FakeDesktop d;
        Form1 f(d.services());
        // Solid squares: their insides are drawn in the pen's colour itself.
        const QImage shot = box(f, slot)->grab().toImage();
        QMap<QRgb, int> inks;
        for (int y = 2; y < shot.height() - 2; ++y)
            for (int x = 2; x < shot.width() - 2; ++x)
                if ((shot.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    ++inks[shot.pixel(x, y) & 0xFFFFFF];
        QVERIFY(!inks.isEmpty());
        QRgb most = 0;
        for (auto it = inks.begin(); it != inks.end(); ++it)
            if (it.value() > inks.value(most))
                most = it.key();
        QCOMPARE(QString::number(most, 16), QString::number(color, 16));
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRgb>("face");
        QTest::newRow("Command1") << "Command1" << QStringLiteral("内容変更") << QRgb(0xC0FFC0);
        QTest::newRow("btnHelp") << "btnHelp" << QStringLiteral("ヘルプ") << QRgb(0xFFFFC0);
    }
    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRgb, face);
        FakeDesktop d;
        Form1 f(d.services());
        auto *b = f.findChild<QPushButton *>(name);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QVERIFY(!b->isDefault() && !b->autoDefault());
        const QImage shot = b->grab().toImage();
        QCOMPARE(shot.pixel(4, shot.height() / 2) & 0xFFFFFF, face);
    }

    // Tab from the first box visits every box and button once, in slot order but for
    // Text(50), which comes after Text(56); then 内容変更 and ヘルプ, and round again.
    void focusOrder()
    {
        FakeDesktop d;
        Form1 f(d.services());
        QList<QWidget *> expected;
        for (int slot = 0; slot < SlotCount; ++slot)
            if (slot != 50)
                expected << box(f, slot);
        expected << box(f, 50) << button(f, "Command1") << button(f, "btnHelp");

        QList<QWidget *> visited{box(f, 0)};
        for (QWidget *w = nextTabStop(box(f, 0)); w != box(f, 0); w = nextTabStop(w)) {
            QVERIFY2(!visited.contains(w), qPrintable(w->objectName()));
            visited << w;
        }
        QCOMPARE(visited, expected);
    }

    void tabKeyFollowsTheOrder()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(QApplication::focusWidget(), box(f, 0));
        box(f, 49)->setFocus();
        QTest::keyClick(box(f, 49), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(f, 51));
        box(f, 56)->setFocus();
        QTest::keyClick(box(f, 56), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(f, 50));
        QTest::keyClick(box(f, 50), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(f, "Command1"));
    }

    void valuesInAndOut()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.setValues(sample::values());
        QCOMPARE(f.values(), sample::values());
        QCOMPARE(box(f, 3)->text(), QStringLiteral("やまだたろう"));
        f.setValue(56, QStringLiteral("301"));
        QCOMPARE(f.values()[56], QStringLiteral("301"));
        QCOMPARE(f.values()[55], sample::values()[55]);
    }

    void typingChangesNothing()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        f.setValue(3, QStringLiteral("やまだ"));
        box(f, 3)->setFocus();
        QTest::keyClicks(box(f, 3), QStringLiteral("abc"));
        QTest::keyClick(box(f, 3), Qt::Key_Backspace);
        QTest::keyClick(box(f, 3), Qt::Key_Delete);
        QCOMPARE(f.values()[3], QStringLiteral("やまだ"));
    }

    void pressOnAnyButtonKeepsTheText()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        f.setValue(41, QStringLiteral("taro@mail"));
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::mousePress(box(f, 41), b, Qt::ShiftModifier, QPoint(3, 3));
            // The offscreen platform ends the drag at once; the drag object it made is
            // still there until the event loop runs, carrying what a target would get.
            const QList<QDrag *> drags = box(f, 41)->findChildren<QDrag *>();
            QCOMPARE(drags.size(), 1);
            QCOMPARE(drags[0]->mimeData()->text(), QStringLiteral("taro@mail"));
            QCOMPARE(drags[0]->supportedActions(), Qt::CopyAction);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(box(f, 41)->findChildren<QDrag *>().isEmpty());
        }
        QCOMPARE(f.values()[41], QStringLiteral("taro@mail"));
        QVERIFY(d.messages.isEmpty());
    }

    // The buttons ask whoever made the palette; what fails there is reported by the click.
    void buttonsAskForTheirWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("内容変更") << "Command1";
        QTest::newRow("ヘルプ") << "btnHelp";
    }
    void buttonsAskForTheirWindow()
    {
        QFETCH(QString, name);
        FakeDesktop d;
        Form1 f(d.services());
        const bool editor = name == QLatin1String("Command1");
        QSignalSpy asked(&f, editor ? &Form1::editorRequested : &Form1::helpRequested);
        QSignalSpy other(&f, editor ? &Form1::helpRequested : &Form1::editorRequested);
        f.findChild<QPushButton *>(name)->click();
        QCOMPARE(asked.count(), 1);
        QCOMPARE(other.count(), 0);
        QVERIFY(d.messages.isEmpty());

        connect(&f, editor ? &Form1::editorRequested : &Form1::helpRequested, &f,
                [] { throw Failure{err::OutOfMemory, QStringLiteral("メモリが不足しています。")}; });
        f.findChild<QPushButton *>(name)->click();
        QCOMPARE(d.messages, QStringList{QStringLiteral("メモリが不足しています。\r\r【エラーコード＝7】")});
    }

    void designValuesFitTheirBoxes_data()
    {
        addValueRows({"123-4567", "100-0001", "1975/4/1", "1975-4-1", "1975/12/1", "1234567"});
    }

    // Values as wide as the design's boxes were drawn for show whole in a box of 57
    // pixels, in the palette's own font, with a pixel of white between them and the rim:
    // the same ink as in the box of the whole row.
    void designValuesFitTheirBoxes()
    {
        QFETCH(QString, value);
        QFETCH(qreal, scale);
        FakeDesktop d;
        Form1 f(d.services());
        QCOMPARE(box(f, 1)->width(), 57);
        // Even, so that the text starts on the same fraction of a pixel in both.
        QCOMPARE((box(f, 0)->width() - box(f, 1)->width()) % 2, 0);
        const auto [pair, whole] = pairAndWhole(f, value, scale);
        QVERIFY(!pair.ink.isEmpty());
        QVERIFY2(pair.ink.left() - pair.inside.left() >= scale, qPrintable(QString::number(pair.ink.left())));
        QVERIFY2(pair.inside.right() - pair.ink.right() >= scale, qPrintable(QString::number(pair.ink.right())));
        QCOMPARE(pair.ink.size(), whole.ink.size());
        QVERIFY(pair.image.copy(pair.ink) == whole.image.copy(whole.ink));
    }

    void kanaNamesFitAsInTheDesign_data() { addValueRows({"ケンタロウ", "けんたろう", "ユウタロウ"}); }

    // A name of kana that the proportional design face shows whole in a box of 57 pixels
    // shows whole in ours, a pixel of white on each side: each kana as it is drawn alone,
    // in order, none over another, evenly spaced.
    void kanaNamesFitAsInTheDesign()
    {
        QFETCH(QString, value);
        QFETCH(qreal, scale);
        FakeDesktop d;
        Form1 f(d.services());
        PaletteBox *b = box(f, 1);
        QCOMPARE(b->width(), 57);
        b->setText(value);
        const BoxShot shot = shoot(b, scale);
        QVERIFY(!shot.ink.isEmpty());
        QVERIFY2(shot.ink.left() - shot.inside.left() >= scale, qPrintable(QString::number(shot.ink.left())));
        QVERIFY2(shot.inside.right() - shot.ink.right() >= scale, qPrintable(QString::number(shot.ink.right())));
        QList<int> gaps;
        int from = shot.ink.left();
        for (QChar c : value) {
            b->setText(QString(c));
            const BoxShot alone = shoot(b, scale);
            const QImage glyph = alone.image.copy(alone.ink);
            int at = from;
            while (at + glyph.width() <= shot.inside.right() + 1
                   && shot.image.copy(QRect(QPoint(at, alone.ink.top()), glyph.size())) != glyph)
                ++at;
            QVERIFY2(at + glyph.width() <= shot.inside.right() + 1,
                     qPrintable(QStringLiteral("%1 not found whole after x=%2").arg(c).arg(from)));
            if (c != value.front())
                gaps << at - from;
            from = at + glyph.width();
        }
        QCOMPARE(from, shot.ink.right() + 1);
        const auto [narrowest, widest] = std::minmax_element(gaps.cbegin(), gaps.cend());
        QVERIFY2(*widest - *narrowest <= scale, qPrintable(QStringLiteral("gaps %1 to %2").arg(*narrowest).arg(*widest)));
    }

    void kanaThatFitAreSetAsAlways_data() { addValueRows({"ワタナベ", "たろう", "ヤマダ"}); }

    // Kana that fit their box are set full width, as the face lays them out: as wide as the
    // same text drawn by Qt alone, give or take the pixel the box's placing rounds to.
    void kanaThatFitAreSetAsAlways()
    {
        QFETCH(QString, value);
        QFETCH(qreal, scale);
        FakeDesktop d;
        Form1 f(d.services());
        PaletteBox *b = box(f, 1);
        b->setText(value);
        const BoxShot shot = shoot(b, scale);
        QImage plain(b->size() * scale * 2, QImage::Format_RGB32);
        plain.setDevicePixelRatio(scale);
        plain.fill(Qt::white);
        {
            QPainter p(&plain);
            p.setFont(firstFaceOnly(b->font()));
            p.setPen(Qt::black);
            p.drawText(QPointF(4, b->height()), value);
        }
        const QRect plainInk = inkBounds(plain, plain.rect(), qRgb(255, 255, 255));
        QVERIFY2(qAbs(shot.ink.width() - plainInk.width()) <= scale,
                 qPrintable(QStringLiteral("%1 against %2").arg(shot.ink.width()).arg(plainInk.width())));
    }

    void kanaTooManyShowTheirStart_data() { addScaleRows(); }

    // Kana too many to fit even when set close still show their start, as any value does:
    // the first whole, the box's right edge cut through.
    void kanaTooManyShowTheirStart()
    {
        QFETCH(qreal, scale);
        FakeDesktop d;
        Form1 f(d.services());
        PaletteBox *b = box(f, 1);
        b->setText(QStringLiteral("アイウエオカキクケコ"));
        const BoxShot shot = shoot(b, scale);
        QVERIFY(shot.ink.left() > shot.inside.left());
        QCOMPARE(shot.ink.right(), shot.inside.right());
    }

    void kanaOutOfSightChangeNothing_data() { addScaleRows(); }

    // What follows out of sight does not change how the start of a value is set: a start
    // wider than its box, alone and with more after it.
    void kanaOutOfSightChangeNothing()
    {
        QFETCH(qreal, scale);
        FakeDesktop d;
        Form1 f(d.services());
        PaletteBox *b = box(f, 1);
        const QString start = QStringLiteral("ヤマダケンタロウ");
        b->setText(start);
        const QImage alone = shoot(b, scale).image;
        b->setText(start + QStringLiteral("サシスセソタチツテトナニヌネノハヒフヘホ"));
        QVERIFY(shoot(b, scale).image == alone);
    }

    void focusRingIsWholeOnEveryBox_data() { addScaleRows(); }

    // The focus shows as a ring whole on all four sides of what shows of the box, the
    // rows overlapping as they do.
    void focusRingIsWholeOnEveryBox()
    {
        QFETCH(qreal, scale);
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const auto device = [scale](const QRect &r) {
            return QRect((QPointF(r.topLeft()) * scale).toPoint(), (QSizeF(r.size()) * scale).toSize());
        };
        // The focus elsewhere, on a button whose own ring is left out of the comparison.
        QPushButton *elsewhere = f.findChild<QPushButton *>(QStringLiteral("btnHelp"));
        elsewhere->setFocus();
        const QImage unfocused = rendered(&f, scale);
        const QRect skipped = device(elsewhere->geometry());
        for (int slot = 0; slot < SlotCount; ++slot) {
            PaletteBox *b = box(f, slot);
            b->setFocus();
            QVERIFY(b->hasFocus());
            const QImage focused = rendered(&f, scale);
            QRect ring;
            for (int y = 0; y < focused.height(); ++y)
                for (int x = 0; x < focused.width(); ++x)
                    if (focused.pixel(x, y) != unfocused.pixel(x, y) && !skipped.contains(x, y))
                        ring |= QRect(x, y, 1, 1);
            const QString where = b->objectName();
            QVERIFY2(device(b->geometry()).contains(ring), qPrintable(where));
            // Every row of the box that shows but its rim is inside the ring.
            QVERIFY2(ring.height() >= (b->height() - 6) * scale, qPrintable(where));
            const auto dots = [&](QPoint from, QPoint step, int count) {
                int n = 0;
                for (QPoint p = from; count-- > 0; p += step)
                    n += focused.pixel(p) != unfocused.pixel(p);
                return n;
            };
            // A dotted line: one pixel in three, give or take where the pattern turns.
            QVERIFY2(dots(ring.topLeft(), {1, 0}, ring.width()) >= ring.width() / 4, qPrintable(where + QStringLiteral(" top")));
            QVERIFY2(dots(ring.bottomLeft(), {1, 0}, ring.width()) >= ring.width() / 4, qPrintable(where + QStringLiteral(" bottom")));
            QVERIFY2(dots(ring.topLeft(), {0, 1}, ring.height()) >= ring.height() / 4, qPrintable(where + QStringLiteral(" left")));
            QVERIFY2(dots(ring.topRight(), {0, 1}, ring.height()) >= ring.height() / 4, qPrintable(where + QStringLiteral(" right")));
        }
    }

    // Ctrl+C on a box puts on the clipboard exactly what a drop from it delivers.
    void copyKeyCopiesWhatADropDelivers()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const QString value = QStringLiteral("サイトの説明\r\n二行目 ¥\t終わり");
        f.setValue(54, value);
        QGuiApplication::clipboard()->clear();
        box(f, 54)->setFocus();
        QTest::keyClick(box(f, 54), Qt::Key_C, Qt::ControlModifier);
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied);
        QTest::mousePress(box(f, 54), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        const QList<QDrag *> drags = box(f, 54)->findChildren<QDrag *>();
        QCOMPARE(drags.size(), 1);
        const QMimeData *dropped = drags[0]->mimeData();
        QCOMPARE(copied->text(), value);
        QCOMPARE(copied->formats(), dropped->formats());
        for (const QString &format : dropped->formats())
            QCOMPARE(copied->data(format), dropped->data(format));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Other keys copy nothing and change nothing.
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(box(f, 54), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(box(f, 54), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        QCOMPARE(f.values()[54], value);
        QVERIFY(d.messages.isEmpty());
    }

    // What a screen reader reads: each box by a name of its own, and the value it holds.
    void boxesTellScreenReadersWhatTheyHold()
    {
        FakeDesktop d;
        Form1 f(d.services());
        f.setValues(sample::values());
        QSet<QString> names;
        for (int slot = 0; slot < SlotCount; ++slot) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(box(f, slot));
            QVERIFY(a);
            const QString name = a->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(QString::number(slot)));
            names.insert(name);
            QCOMPARE(a->text(QAccessible::Value), sample::values()[slot]);
            // Read as text too, which is how a screen reader on this desktop reads it.
            QAccessibleTextInterface *text = a->textInterface();
            QVERIFY(text);
            QCOMPARE(text->text(0, text->characterCount()), sample::values()[slot]);
            QVERIFY(a->state().focusable);
            QVERIFY(a->state().readOnly);
        }
        QCOMPARE(names.size(), SlotCount);
        f.setValue(17, QStringLiteral("100"));
        QAccessibleInterface *postalCode = QAccessible::queryAccessibleInterface(box(f, 17));
        QCOMPARE(postalCode->text(QAccessible::Value), QStringLiteral("100"));
        QCOMPARE(postalCode->textInterface()->text(0, 3), QStringLiteral("100"));
        QVERIFY(QAccessible::queryAccessibleInterface(box(f, 17))->text(QAccessible::Name).contains(QStringLiteral("郵便番号")));
    }

    void closingSaysSo()
    {
        FakeDesktop d;
        Form1 f(d.services());
        QSignalSpy closed(&f, &Form1::closed);
        f.show();
        QVERIFY(f.close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(d.messages.isEmpty());
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
