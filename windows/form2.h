#pragma once

#include "app/services.h"
#include "profile/record.h"

#include <QWidget>

#include <array>

class QPushButton;
class QLineEdit;

namespace mq {

class Form1;

// The editor: a working copy of the record in 57 entries (20 of them hidden).
class Form2 : public QWidget
{
    Q_OBJECT
public:
    Form2(Form1 &palette, Services services);

    QString entry(int slot) const;
    void setEntry(int slot, const QString &text);
    QWidget *Text(int slot) const { return m_entries.at(slot); }
    QLineEdit *項目(int index) const { return m_captions.at(index); }
    QPushButton *Command1(int index) const { return m_clear.at(index); }
    QPushButton *btn内容更新 = nullptr;
    QPushButton *btnキャンセル = nullptr;
    QWidget *Frame1 = nullptr;

    Record entries() const;

    void load();
    void onCommand1Click(int index);
    void onUpdateClick();
    void onCancelClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_placed = false;
    Form1 &m_palette;
    Services m_services;
    std::array<QWidget *, SlotCount> m_entries{};
    std::array<QLineEdit *, 46> m_captions{};
    std::array<QPushButton *, 6> m_clear{};
};

} // namespace mq
