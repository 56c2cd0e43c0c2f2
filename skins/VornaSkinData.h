#pragma once

#include "controls/ASMBitmap.h"
#include "platform/ColorRef.h"
#include "skins/VornaFrameSkin.h"

#include <QBrush>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QObject;
class QPainter;

// The picture of a button in every state: a strip of cells, one per state.
struct SkinButtonRecord
{
    ASMBitmap image;
    int cellWidth = 0;
    int stretchHorStart = 0;
    int stretchHorEnd = 0;
    int stretchVerStart = 0;
    int stretchVerEnd = 0;
    platform::ColorRef transparent = kNoTransparentColor;
    platform::ColorRef textEnabled = 0;
    platform::ColorRef textHover = 0;
    platform::ColorRef textDisabled = 0;

    // Draws state 0 normal, 1 hot, 2 pressed, 3 disabled or 4 focused over
    // the box (DrawSkinButtonImage).
    void DrawSkinButtonImage(QPainter& dc, int x, int y, int width, int height, int state) const;
};

// The marks of check boxes or radio buttons: a strip of cells.
struct SkinMarkRecord
{
    ASMBitmap image;
    int cellWidth = 0;
    platform::ColorRef transparent = kNoTransparentColor;
};

// The pictures a toolbar shows on its pressed and checked buttons under a
// skin: a picture list and where each button's command stands in it.
struct SkinToolbarImageList
{
    const QList<QPixmap>* pictures = nullptr;
    std::function<int(const QAction*)> indexOf;

    // The button's picture in the list; null when the list has none for it.
    QPixmap picture(const QAction* action) const;
};

// The active skin, read from the skin.skn file of its folder below the
// install folder's Bin/skins: colours, background patterns, the four frame
// looks and the pictures of buttons and marks. "classic" is no skin.
class VornaSkinData
{
public:
    static constexpr const char* kClassic = "classic";

    // Reads the name of the skin last used.
    VornaSkinData();
    virtual ~VornaSkinData();

    VornaSkinData(const VornaSkinData&) = delete;
    VornaSkinData& operator=(const VornaSkinData&) = delete;

    // Points folder, file and name at the skin and reads it. False, with
    // nothing changed, for a name that could leave the skins folder; false
    // after the message when the file cannot be read as a skin.
    bool LoadSkin(const QString& name);
    // Reads the skin file of the current folder. False (after a message),
    // with nothing read, without a folder, for a file older than version 2 or
    // for one whose main frame caption picture cannot be read.
    bool LoadSkinData();
    // "r,g,b" of the key; false and nothing written when it is missing.
    bool ReadColor(const QString& section, const QString& key, platform::ColorRef* color) const;
    // Takes the name last stored, when there is one.
    void ReadActiveSkinName();
    // Writes the name as the one to use at the next start.
    void StoreActiveSkinName() const;

    // Whether the name can stand for a folder of the skins folder.
    static bool IsValidSkinName(const QString& name);
    static bool IsClassic(const QString& name);
    // The folder of the skins (install folder's Bin/skins).
    static QString SkinsFolder();

    QString m_strSkinFolder;
    QString m_strSkinFile;
    QString m_strName;
    std::unique_ptr<VornaFrameSkin> m_pMainFrame;
    std::unique_ptr<VornaFrameSkin> m_pChildFrame;
    std::unique_ptr<VornaFrameSkin> m_pDialog;
    std::unique_ptr<VornaFrameSkin> m_pMiniFrame;
    platform::ColorRef m_face = 0;
    platform::ColorRef m_highlight = 0;
    platform::ColorRef m_light = 0;
    platform::ColorRef m_darkShadow = 0;
    platform::ColorRef m_shadow = 0;
    bool m_bPatternOn = false;
    ASMBitmap m_patternImage;
    QBrush m_patternBrush;
    ASMBitmap m_mdiImage;
    QBrush m_mdiBrush;
    int m_nControlStyle = 0;
    SkinButtonRecord m_button;
    SkinButtonRecord m_imageButton;
    // Per toolbar: the picture list its pressed and checked buttons show
    // under a skin (entered by the toolbars, gone with them).
    QHash<const QObject*, SkinToolbarImageList> m_toolbarImageLists;
    SkinMarkRecord m_checkBox;
    SkinMarkRecord m_radioButton;
    SkinCaptionButton m_rollUpButton;

private:
    QString readValue(const QString& section, const QString& key) const;
    bool readNumber(const QString& section, const QString& key, int* value) const;
    // Loads a picture named by the file, relative to the skin folder.
    bool loadImage(const QString& fileName, ASMBitmap& image) const;
    // Every picture, outline and record of the skin back to empty.
    void ClearSkinValues();
    bool LoadFrameSkin(const QString& section, VornaFrameSkin& frame);
    bool LoadFramePart(const QString& section, const QString& part, SkinFramePart& record);
    bool LoadCaptionButtons(const QString& section, VornaFrameSkin& frame);
    bool LoadRegion(const QString& section, VornaFrameSkin& frame);
    void LoadCaptionText(const QString& section, VornaFrameSkin& frame);
    bool LoadButtonSkin(const QString& section, SkinButtonRecord& record);
    void LoadMarkSkin(const QString& section, SkinMarkRecord& record);
    void LoadRollUpButton();
};
