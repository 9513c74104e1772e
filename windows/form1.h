#pragma once

#include "app/services.h"
#include "profile/record.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QPushButton;

namespace mq {

class Form2;
class Form3;

// A read-only, focusable box that shows one line of its text centred and clipped, and
// hands every mouse press to the palette, which starts a drag from it.
class PaletteBox : public QWidget
{
    Q_OBJECT
public:
    PaletteBox(int index, QWidget *parent);

    int index() const { return m_index; }
    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor textColor() const { return m_color; }
    void setTextColor(const QColor &color);
    // The text as the single line the box shows.
    QString shownText() const;

Q_SIGNALS:
    void pressed(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_index;
    QString m_text;
    QColor m_color;
};

// The palette: the running copy of the profile record, one drag source per slot.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(Services services, QWidget *parent = nullptr);
    ~Form1() override;

    PaletteBox *Text(int slot) const { return m_boxes.at(slot); }
    QPushButton *Command1 = nullptr; // 内容変更
    QPushButton *btnHelp = nullptr;  // ヘルプ

    Record values() const;
    const Services &services() const { return m_services; }

    // The windows it opens, while they are loaded; null otherwise.
    Form2 *editor() const;
    Form3 *help() const;

    void onBoxPressed(int slot);
    void onCommand1Click();
    void onHelpClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Services m_services;
    std::array<PaletteBox *, SlotCount> m_boxes{};
    QPointer<Form2> m_form2;
    QPointer<Form3> m_form3;
};

} // namespace mq
