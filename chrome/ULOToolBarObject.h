#pragma once

#include "chrome/ULOToolBar.h"
#include "dialogs/VornaDlgDynamicTableCreate.h"

// The object toolbar: the web-object and advanced-object buttons list the
// objects of their kind; a press on the table button drops the table picker
// under it while a page is edited.
class ULOToolBarObject : public ULOToolBar
{
    Q_OBJECT
public:
    using ULOToolBar::ULOToolBar;
    bool SetupDropDowns() override
    {
        MakeMenuDropDown(10, 586, false);
        MakeMenuDropDown(11, 587, false);
        return true;
    }

    // Set while the text-box button is dragged onto a page.
    bool m_bTextDrag = false;
    // The table picker of the table button; open while its window exists.
    VornaDlgDynamicTableCreate m_dlgTableCreate;

protected:
    void actionEvent(QActionEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the picker under the button; false (the button sends its
    // command) without a page being edited.
    bool OpenTablePicker(QWidget* button);
};
