#include "form3.h"

#include "errorreport.h"
#include "facebutton.h"
#include "linecontrol.h"
#include "look.h"

#include <QLabel>
#include <QPixmap>

#include <vector>

namespace mq {

namespace {

constexpr WindowDesign Design{"Form3", "ヘルプ", 11265, 8595, 0xFFFFFF, Placement::Centred,
                              Lifetime::UntilClosed};

enum class Kind { Button, Line, Picture, Label };

struct ControlDesign
{
    Kind kind;
    int index;         // member of a control array, -1 for a single control
    int a, b, c, d;    // twips: left, top, width, height; a line's x1, y1, x2, y2
    const char *content; // caption, label text or picture resource
    QRgb color;        // face, line or text colour
    qreal points;      // own font size; 0 keeps the window's font
};

constexpr QRgb ArrowBlue = 0xC0C0FF;
constexpr int ArrowWidth = 5;

// Front to back: where two overlap, the earlier one is drawn over the later one.
constexpr ControlDesign Controls[] = {
    {Kind::Button, -1, 120, 120, 615, 375, "閉じる", 0xC0FFFF, 0},
    {Kind::Line, 0, 3480, 1320, 7440, 3240, nullptr, ArrowBlue, 0},
    {Kind::Picture, 1, 2040, 600, 1800, 8580, ":/mq/palette.bmp", 0, 0},
    {Kind::Picture, 3, 240, 1080, 1815, 1740, ":/mq/balloon.bmp", 0, 0},
    {Kind::Label, 2, 1080, 120, 9495, 375, "ドラック＆ドロップで簡単に申込みフォームに貼り付けできます", 0xFF0000, 18},
    {Kind::Label, 1, 7440, 2880, 1215, 255, "マウスを離す", 0xFF8080, 0},
    {Kind::Label, 0, 3960, 1200, 1215, 375, "マウスをクリックしながら", 0xFF0000, 0},
    {Kind::Line, 2, 7200, 2880, 7440, 3240, nullptr, ArrowBlue, 0},
    {Kind::Line, 1, 6960, 3000, 7200, 2880, nullptr, ArrowBlue, 0},
    {Kind::Picture, 2, 5280, 480, 5805, 7260, ":/mq/browser.bmp", 0, 0},
};

QRect pixelRect(const ControlDesign &d)
{
    return QRect(px(d.a), px(d.b), px(d.c), px(d.d));
}

QLabel *makeLabel(QWidget *parent, const ControlDesign &d)
{
    auto *label = new QLabel(QString::fromUtf8(d.content), parent);
    label->setObjectName(QStringLiteral("Label1(%1)").arg(d.index));
    label->setGeometry(pixelRect(d));
    // Plain text, so the "＆" and anything else is shown as written.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A fixed-size label breaks its text at its width, as the two small ones need.
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor::fromRgb(d.color));
    label->setPalette(pal);
    if (d.points > 0)
        label->setFont(gothicFont(d.points));
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QLabel *makePicture(QWidget *parent, const ControlDesign &d)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(QStringLiteral("Image%1").arg(d.index));
    picture->setGeometry(pixelRect(d));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Decoded here, not at start-up: the help window is the only user of the pictures.
    picture->setPixmap(QPixmap(QString::fromLatin1(d.content)));
    picture->setFocusPolicy(Qt::NoFocus);
    return picture;
}

QPushButton *makeButton(QWidget *parent, const ControlDesign &d)
{
    auto *button = new FaceButton(QString::fromUtf8(d.content), QColor::fromRgb(d.color), parent);
    button->setObjectName(QStringLiteral("Command1"));
    button->setGeometry(pixelRect(d));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

Form3::Form3(Services services)
    : FixedWindow(Design)
    , m_services(std::move(services))
{
    std::vector<QWidget *> stack;
    for (const ControlDesign &d : Controls) {
        QWidget *w = nullptr;
        switch (d.kind) {
        case Kind::Button:
            Command1 = makeButton(this, d);
            connect(Command1, &QPushButton::clicked, this, &Form3::onCommand1Click);
            w = Command1;
            break;
        case Kind::Line: {
            auto *line = new LineControl(QPoint(px(d.a), px(d.b)), QPoint(px(d.c), px(d.d)),
                                         QColor::fromRgb(d.color), ArrowWidth, this);
            line->setObjectName(QStringLiteral("Line1(%1)").arg(d.index));
            Line1.at(d.index) = line;
            w = line;
            break;
        }
        case Kind::Picture: {
            QLabel *picture = makePicture(this, d);
            (d.index == 1 ? Image1 : d.index == 2 ? Image2 : Image3) = picture;
            w = picture;
            break;
        }
        case Kind::Label:
            w = Label1.at(d.index) = makeLabel(this, d);
            break;
        }
        stack.push_back(w);
    }
    // Raising from the back to the front leaves the first control of the list on top.
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        (*it)->raise();

    Command1->setFocus();
}

void Form3::onCommand1Click()
{
    trap(m_services, [&] { close(); });
}

} // namespace mq
