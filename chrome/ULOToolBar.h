#pragma once

#include <QList>
#include <QToolBar>

namespace platform {
class CommandRegistry;
}

// An application toolbar: its buttons are the commands of its toolbar
// resource (res/toolbars/<id>.bar), shared with the menus through the
// command registry. Button pictures, drop-down buttons and the saved button
// layout come with the toolbar's own code.
class ULOToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit ULOToolBar(QWidget* parent = nullptr);
    ~ULOToolBar() override;

    // Loads the toolbar resource; false when it is missing or empty.
    bool LoadToolBarEx(int resourceId, int firstBitmapId, platform::CommandRegistry& registry);
    // Reads the saved button layout (none is saved yet: the resource's layout stays).
    bool LoadState() { return true; }
    // Makes the drop-down button that lists the command carry it; false when
    // no button of this bar lists it.
    bool SelectDropDownCommand(int id);
    // Puts the control over the button of that index (a placeholder in the resource).
    bool PlaceControl(int index, int id, QWidget* control, QSize size);

    int resourceId() const { return m_resourceId; }
    // Command ids of the resource in order, 0 for a separator.
    const QList<int>& buttonIds() const { return m_buttonIds; }

    // The flag saved with the button layout.
    quint32 m_dwSavedFlag = 0;
    // Whether the bar was shown before a preview or source mode hid it.
    int m_bRememberedVisible = 0;

    // Parses a toolbar resource: command ids separated by blanks, "|" a separator (0).
    static QList<int> parseButtons(const QString& text);

private:
    int m_resourceId = 0;
    QList<int> m_buttonIds;
};
