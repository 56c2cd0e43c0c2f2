#pragma once

#include "controls/SysColors.h"
#include "platform/ColorRef.h"
#include "skins/ASMControl.h"
#include "skins/VornaSkinData.h"

#include <QBrush>
#include <QMdiArea>
#include <QPalette>
#include <QPointer>

#include <memory>
#include <unordered_map>

class ASMCore;
class QPainter;
class QWidget;

// The program's skin manager: owns the active skin and a skin object for
// every window and control it skins (the window map). The program's style
// hands it every widget it polishes; it attaches frame skins to the main
// frame, page windows and dialogs, and control skins to the controls it
// classifies. "classic" is no skin: the objects stay attached and do nothing,
// so that the skin can be switched at any time without re-creating a widget.
class VornaSkinManager
{
public:
    static VornaSkinManager& GetInstance();

    static bool IsSkinOn();
    static void SetSkinOn(bool on);

    // Loads the skin last used and skins the main frame; false for no frame.
    bool Install(QWidget* mainFrame);
    bool SkinMainFrame(QWidget* mainFrame);
    // A page window (its title bar and borders drawn by the style).
    bool SkinChildFrame(QWidget* childFrame);
    // The bar areas of the main frame: the skin's background behind its bars.
    bool SkinMainFrameDockBars();
    bool SkinFrameDockBars(QWidget* frame);
    // The page area: the skin's background and edge.
    bool SkinMDIClient(QMdiArea* client);

    // Switches to the skin of that name at once; a skin that does not load
    // leaves the plain look.
    void ChangeSkin(const QString& name);
    // Puts the active skin (or none) on every skinned window and repaints it.
    void RefreshAll();

    // Attaches the object to the widget; null (the object dropped) when the
    // widget is none or has an object already.
    ASMCore* Subclass(std::unique_ptr<ASMCore> object, QWidget* window);
    // Detaches and deletes the widget's object; false when it has none.
    bool Unsubclass(QWidget* window);
    // Classifies a control and attaches its skin; null when it gets none.
    ASMCore* SkinControl(QWidget* window);
    // Attaches the dialogs' frame skin unless dialogs are to keep the plain
    // look (noSkin property, or m_bNoDialogSkin); false when mapped already.
    bool SkinDialog(QWidget* window);
    // Every widget the program's style polishes passes here.
    void OnPolish(QWidget* widget);

    // The widget's skin object, or null.
    ASMCore* Find(const QWidget* window) const;
    // The control skin of a widget, or null (the style draws from it).
    const ASMControl* ControlSkin(const QWidget* window) const;
    int MappedCount() const { return int(m_map.size()); }

    // The name of the active skin ("classic" for none).
    QString ActiveSkinName() const { return m_data.m_strName; }
    const SkinButtonRecord& imageButton() const { return m_data.m_imageButton; }
    const VornaSkinData& data() const { return m_data; }
    VornaSkinData& data() { return m_data; }
    QWidget* mainFrame() const { return m_mainFrame; }

    // A dynamic property: a dialog carrying it keeps the plain look.
    static constexpr const char* kNoSkinProperty = "noSkin";
    bool m_bNoDialogSkin = false;

    // Drops every skin object and the main frame (the program ends, or a test
    // starts afresh); the skin stays as it is.
    void Reset();

private:
    VornaSkinManager();
    ~VornaSkinManager();

    // Loads the skin; on failure the plain look, and the name classic.
    bool LoadOrFallBack(const QString& name);
    void ApplyPalette();

    VornaSkinData m_data;
    QPointer<QWidget> m_mainFrame;
    bool m_bHooked = false;
    std::unordered_map<const QWidget*, std::unique_ptr<ASMCore>> m_map;
    bool m_bPaletteSaved = false;
    QPalette m_savedPalette;
};

// The system colour of the index, or the skin's colour for it while a skin is on.
platform::ColorRef GetSkinSysColor(int index);

// Fills the rectangle with the skin's background, the pattern continued from
// `background` into `painted` (either may be none); without a skin pattern,
// with the face colour.
void FillSkinBackgroundXY(QPainter& dc, int x, int y, int width, int height, QWidget* background, QWidget* painted);
