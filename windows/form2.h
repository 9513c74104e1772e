#pragma once

#include "fixedwindow.h"
#include "record.h"
#include "services.h"

#include <array>

class QFrame;
class QLineEdit;
class QPushButton;

namespace mq {

// The editor: a working copy of the record in 57 entries (20 of them hidden).
class Form2 : public FixedWindow
{
    Q_OBJECT
public:
    // Loads the entries from `start`, the palette's values when it opens.
    Form2(Services services, const Record &start);

Q_SIGNALS:
    // 内　容　更　新: the 57 values derived from the entries, handed on before they are
    // saved, so that the palette shows them whether or not the save succeeds.
    void updated(const mq::Record &values);

private:
    void load(const Record &start);
    QString entry(int slot) const;
    void setEntry(int slot, const QString &text);
    Record entries() const;

    void onCommand1Click(int index);
    void onUpdateClick();
    void onCancelClick();

    Services m_services;
    // Each control array indexed as the design numbers it.
    std::array<QWidget *, SlotCount> Text{};
    std::array<QLineEdit *, 46> 項目{};
    std::array<QPushButton *, 6> Command1{};
    QPushButton *btn内容更新 = nullptr;
    QPushButton *btnキャンセル = nullptr;
    QFrame *Frame1 = nullptr;
};

} // namespace mq
