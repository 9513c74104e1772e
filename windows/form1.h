#pragma once

#include "fixedwindow.h"
#include "record.h"
#include "services.h"

#include <array>

class QPushButton;

namespace mq {

class PaletteBox;

// The palette: the running copy of the profile record, one drag source per slot.
class Form1 : public FixedWindow
{
    Q_OBJECT
public:
    explicit Form1(Services services);

    Record values() const;
    void setValues(const Record &values);
    // One slot: the reader fills the palette line by line.
    void setValue(int slot, const QString &text);

Q_SIGNALS:
    // 内容変更 and ヘルプ: whoever made the palette shows that window. A failure on the
    // way is reported by the click that asked.
    void editorRequested();
    void helpRequested();
    // The palette is being closed, which ends the program.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void onBoxPressed(int slot);
    void onBoxCopy(int slot);
    void onCommand1Click();
    void onHelpClick();

    Services m_services;
    std::array<PaletteBox *, SlotCount> Text{};
    QPushButton *Command1 = nullptr; // 内容変更
    QPushButton *btnHelp = nullptr;  // ヘルプ
};

} // namespace mq
