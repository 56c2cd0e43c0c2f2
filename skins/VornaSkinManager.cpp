#include "skins/VornaSkinManager.h"

#include "controls/SkinContext.h"
#include "skins/ASMCheckBox.h"
#include "skins/ASMChildFrame.h"
#include "skins/ASMComboBox.h"
#include "skins/ASMDockBar.h"
#include "skins/ASMDialog.h"
#include "skins/ASMEdit.h"
#include "skins/ASMGroupBox.h"
#include "skins/ASMHeaderCtrl.h"
#include "skins/ASMListView.h"
#include "skins/ASMMDIClient.h"
#include "skins/ASMProgress.h"
#include "skins/ASMMainFrame.h"
#include "skins/ASMMiniDockFrame.h"
#include "skins/ASMPushButton.h"
#include "skins/ASMRadioButton.h"
#include "skins/ASMScrollBar.h"
#include "skins/ASMStatusBar.h"
#include "skins/ASMStatic.h"
#include "skins/ASMTabControl.h"
#include "skins/ASMToolbar.h"
#include "skins/ASMUpDown.h"
#include "skins/CCMEditCombo.h"
#include "skins/SkinStyle.h"
#include "util/MessageBox.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

namespace skinmanager_detail {

bool g_skinOn = false;

// What the controls ask of the skin, answered by the skin manager.
class SkinManagerContext final : public SkinContext
{
public:
    explicit SkinManagerContext(const VornaSkinManager& manager) : m_manager(manager) {}

    bool isSkinOn() const override { return VornaSkinManager::IsSkinOn(); }
    platform::ColorRef sysColor(int index) const override { return GetSkinSysColor(index); }
    void fillBackground(QPainter& dc, int x, int y, int width, int height, QWidget* background,
                        QWidget* painted) const override
    {
        FillSkinBackgroundXY(dc, x, y, width, height, background, painted);
    }
    bool imageButtonHasTransparentColor() const override
    {
        return m_manager.imageButton().transparent != kNoTransparentColor;
    }
    void drawImageButton(QPainter& dc, int x, int y, int width, int height, int state) const override
    {
        m_manager.imageButton().DrawSkinButtonImage(dc, x, y, width, height, state);
    }

private:
    const VornaSkinManager& m_manager;
};

// Which control skin a widget gets, if any.
std::optional<SkinControlKind> controlKindOf(const QWidget* w)
{
    if (const auto* button = qobject_cast<const QPushButton*>(w))
        return button->isFlat() ? std::nullopt : std::optional(SkinControlKind::PushButton);
    if (qobject_cast<const QCheckBox*>(w))
        return SkinControlKind::CheckBox;
    if (qobject_cast<const QRadioButton*>(w))
        return SkinControlKind::RadioButton;
    if (qobject_cast<const QGroupBox*>(w))
        return SkinControlKind::GroupBox;
    // The text field of a combo box that takes typing.
    if (qobject_cast<const QLineEdit*>(w) && qobject_cast<const QComboBox*>(w->parentWidget()))
        return SkinControlKind::EditCombo;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
        qobject_cast<const QPlainTextEdit*>(w))
        return SkinControlKind::Edit;
    // Only headers that act as buttons.
    if (const auto* header = qobject_cast<const QHeaderView*>(w))
        return header->sectionsClickable() ? std::optional(SkinControlKind::HeaderCtrl) : std::nullopt;
    if (qobject_cast<const QAbstractItemView*>(w))
        return SkinControlKind::ListView;
    if (qobject_cast<const QComboBox*>(w))
        return SkinControlKind::ComboBox;
    if (qobject_cast<const QAbstractSpinBox*>(w))
        return SkinControlKind::UpDown;
    if (qobject_cast<const QScrollBar*>(w))
        return SkinControlKind::ScrollBar;
    if (qobject_cast<const QTabBar*>(w) || qobject_cast<const QTabWidget*>(w))
        return SkinControlKind::TabControl;
    if (qobject_cast<const QProgressBar*>(w))
        return SkinControlKind::Progress;
    if (qobject_cast<const QLabel*>(w) || w->metaObject() == &QFrame::staticMetaObject)
        return SkinControlKind::Static;
    return std::nullopt;
}

// The skin object that draws a control of the kind.
std::unique_ptr<ASMControl> createControlSkin(SkinControlKind kind)
{
    switch (kind) {
    case SkinControlKind::PushButton:
        return std::make_unique<ASMPushButton>();
    case SkinControlKind::CheckBox:
        return std::make_unique<ASMCheckBox>();
    case SkinControlKind::RadioButton:
        return std::make_unique<ASMRadioButton>();
    case SkinControlKind::GroupBox:
        return std::make_unique<ASMGroupBox>();
    case SkinControlKind::Edit:
        return std::make_unique<ASMEdit>();
    case SkinControlKind::EditCombo:
        return std::make_unique<CCMEditCombo>();
    case SkinControlKind::ComboBox:
        return std::make_unique<ASMComboBox>();
    case SkinControlKind::UpDown:
        return std::make_unique<ASMUpDown>();
    case SkinControlKind::ListView:
        return std::make_unique<ASMListView>();
    case SkinControlKind::Static:
        return std::make_unique<ASMStatic>();
    case SkinControlKind::ScrollBar:
        return std::make_unique<ASMScrollBar>();
    case SkinControlKind::TabControl:
        return std::make_unique<ASMTabControl>();
    case SkinControlKind::HeaderCtrl:
        return std::make_unique<ASMHeaderCtrl>();
    case SkinControlKind::Progress:
        return std::make_unique<ASMProgress>();
    default:
        return std::make_unique<ASMControl>(kind);
    }
}

} // namespace skinmanager_detail

using namespace skinmanager_detail;

VornaSkinManager::VornaSkinManager() = default;

VornaSkinManager::~VornaSkinManager() = default;

VornaSkinManager& VornaSkinManager::GetInstance()
{
    static VornaSkinManager instance;
    return instance;
}

bool VornaSkinManager::IsSkinOn()
{
    return g_skinOn;
}

void VornaSkinManager::SetSkinOn(bool on)
{
    g_skinOn = on;
}

bool VornaSkinManager::LoadOrFallBack(const QString& name)
{
    if (!VornaSkinData::IsValidSkinName(name))
        ShowMessageBox(QStringLiteral(
            "VornaSkinData::LoadSkinData()...Skin path required.\nGo on with the default settings...\n"));
    else if (m_data.LoadSkin(name))
        return true;
    // A skin that does not load is no skin: the plain look, and the next
    // start does not try it again.
    m_data.m_strName = QString::fromLatin1(VornaSkinData::kClassic);
    m_data.m_bPatternOn = false;
    SetSkinOn(false);
    return false;
}

bool VornaSkinManager::Install(QWidget* mainFrame)
{
    if (!mainFrame)
        return false;
    m_bNoDialogSkin = false;
    // The program's style draws the menus and hands this manager every widget.
    SkinStyle::InstallOnApplication();
    static SkinManagerContext context(*this);
    SkinContext::install(&context);
    m_data.ReadActiveSkinName();
    const QString name = m_data.m_strName;
    if (!name.isEmpty() && !VornaSkinData::IsClassic(name)) {
        SetSkinOn(true);
        if (!LoadOrFallBack(name))
            m_data.StoreActiveSkinName();
    } else {
        m_data.m_strName = QString::fromLatin1(VornaSkinData::kClassic);
        SetSkinOn(false);
    }
    ApplyPalette();
    m_bHooked = true;
    return SkinMainFrame(mainFrame);
}

bool VornaSkinManager::SkinMainFrame(QWidget* mainFrame)
{
    if (!mainFrame)
        return false;
    m_mainFrame = mainFrame;
    if (auto* frame = static_cast<ASMFrame*>(Subclass(std::make_unique<ASMMainFrame>(), mainFrame)))
        frame->ApplySkin();
    return true;
}

bool VornaSkinManager::SkinChildFrame(QWidget* childFrame)
{
    if (!childFrame)
        return false;
    auto* frame = static_cast<ASMFrame*>(Subclass(std::make_unique<ASMChildFrame>(), childFrame));
    // Without a skin the window keeps its own frame: nothing to tell it.
    if (frame && IsSkinOn())
        frame->ApplySkin();
    return true;
}

bool VornaSkinManager::SkinMainFrameDockBars()
{
    return SkinFrameDockBars(m_mainFrame);
}

bool VornaSkinManager::SkinFrameDockBars(QWidget* frame)
{
    if (!frame || !Find(frame))
        return false;
    // A frame's skin draws its own dock bars with its background; a page
    // window's bars dock in a window of their own inside it.
    if (!qobject_cast<QMainWindow*>(frame)) {
        if (auto* dock = frame->findChild<QMainWindow*>())
            Subclass(std::make_unique<ASMDockBar>(), dock);
    }
    return true;
}

bool VornaSkinManager::SkinMDIClient(QMdiArea* client)
{
    auto* skin = static_cast<ASMMDIClient*>(Subclass(std::make_unique<ASMMDIClient>(), client));
    if (!skin)
        return false;
    // Without a skin the area keeps the background it has.
    if (IsSkinOn())
        skin->ApplySkin();
    return true;
}

void VornaSkinManager::ApplyPalette()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (!IsSkinOn()) {
        if (m_bPaletteSaved)
            QApplication::setPalette(m_savedPalette);
        return;
    }
    if (!m_bPaletteSaved) {
        m_savedPalette = QApplication::palette();
        m_bPaletteSaved = true;
    }
    QPalette palette = m_savedPalette;
    const auto set = [&palette](QPalette::ColorRole role, platform::ColorRef colour) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role, platform::toQColor(colour));
    };
    set(QPalette::Button, m_data.m_face);
    set(QPalette::Window, m_data.m_face);
    set(QPalette::Light, m_data.m_highlight);
    set(QPalette::Midlight, m_data.m_light);
    set(QPalette::Mid, m_data.m_shadow);
    set(QPalette::Dark, m_data.m_shadow);
    set(QPalette::Shadow, m_data.m_darkShadow);
    // Disabled fields lie flat on the shadow, their text in the dark shadow.
    palette.setColor(QPalette::Disabled, QPalette::Base, platform::toQColor(m_data.m_shadow));
    palette.setColor(QPalette::Disabled, QPalette::Text, platform::toQColor(m_data.m_darkShadow));
    QApplication::setPalette(palette);
}

void VornaSkinManager::ChangeSkin(const QString& name)
{
    if (!VornaSkinData::IsClassic(name)) {
        // Colours the skin leaves out are the desktop's, not the last skin's.
        const bool wasOn = IsSkinOn();
        SetSkinOn(false);
        ApplyPalette();
        SetSkinOn(wasOn);
        if (LoadOrFallBack(name))
            SetSkinOn(true);
    } else {
        m_data.m_strName = QString::fromLatin1(VornaSkinData::kClassic);
        SetSkinOn(false);
        m_data.m_bPatternOn = false;
    }
    m_data.StoreActiveSkinName();
    ApplyPalette();
    RefreshAll();
}

void VornaSkinManager::RefreshAll()
{
    for (auto& [window, object] : m_map) {
        if (auto* frame = qobject_cast<ASMFrame*>(object.get())) {
            frame->ReleaseCaches();
            frame->ApplySkin();
        }
        if (auto* client = qobject_cast<ASMMDIClient*>(object.get()))
            client->ApplySkin();
        if (auto* control = qobject_cast<ASMControl*>(object.get()))
            control->RefitFrame();
        if (object->window())
            object->window()->update();
    }
}

ASMCore* VornaSkinManager::Subclass(std::unique_ptr<ASMCore> object, QWidget* window)
{
    if (!object || !window || m_map.count(window))
        return nullptr;
    ASMCore* attached = object.get();
    attached->Attach(window);
    m_map.emplace(window, std::move(object));
    QObject::connect(window, &QObject::destroyed, attached, [this, window] { Unsubclass(window); });
    return attached;
}

bool VornaSkinManager::Unsubclass(QWidget* window)
{
    const auto it = m_map.find(window);
    if (it == m_map.end())
        return false;
    std::unique_ptr<ASMCore> object = std::move(it->second);
    m_map.erase(it);
    object->RestoreWndProc();
    return true;
}

ASMCore* VornaSkinManager::Find(const QWidget* window) const
{
    const auto it = m_map.find(window);
    return it == m_map.end() ? nullptr : it->second.get();
}

const ASMControl* VornaSkinManager::ControlSkin(const QWidget* window) const
{
    return qobject_cast<const ASMControl*>(Find(window));
}

ASMCore* VornaSkinManager::SkinControl(QWidget* window)
{
    if (!window || Find(window))
        return nullptr;
    QWidget* parent = window->parentWidget();
    // The main frame's own bars.
    if (parent && parent == m_mainFrame) {
        if (qobject_cast<QStatusBar*>(window))
            return Subclass(std::make_unique<ASMStatusBar>(), window);
        if (qobject_cast<QToolBar*>(window))
            return Subclass(std::make_unique<ASMToolbar>(), window);
    }
    // The bars of the frames wear the skin's small frame while they float.
    if (qobject_cast<QDockWidget*>(window) && qobject_cast<QMainWindow*>(parent)) {
        auto* frame = static_cast<ASMFrame*>(Subclass(std::make_unique<ASMMiniDockFrame>(), window));
        if (frame)
            frame->ApplySkin();
        return frame;
    }
    const std::optional<SkinControlKind> kind = controlKindOf(window);
    if (!kind)
        return nullptr;
    ASMCore* attached = Subclass(createControlSkin(*kind), window);
    if (attached)
        window->setAttribute(Qt::WA_Hover);
    return attached;
}

bool VornaSkinManager::SkinDialog(QWidget* window)
{
    if (!window || Find(window))
        return false;
    if (m_bNoDialogSkin || window->property(kNoSkinProperty).toBool())
        return true;
    if (auto* frame = static_cast<ASMFrame*>(Subclass(std::make_unique<ASMDialog>(), window)))
        frame->ApplySkin();
    return true;
}

void VornaSkinManager::OnPolish(QWidget* widget)
{
    if (!m_bHooked || !widget || Find(widget))
        return;
    // Of the windows only dialogs get a frame: never menus, popups or tips.
    if (widget->isWindow() && qobject_cast<QDialog*>(widget)) {
        SkinDialog(widget);
        return;
    }
    // A control may be polished before it has its parent: it is classified
    // all the same.
    if (!qobject_cast<QMdiSubWindow*>(widget))
        SkinControl(widget);
}

void VornaSkinManager::Reset()
{
    m_map.clear();
    m_mainFrame = nullptr;
    m_bHooked = false;
}

platform::ColorRef GetSkinSysColor(int index)
{
    if (!VornaSkinManager::IsSkinOn())
        return GetSysColor(index);
    const VornaSkinData& data = VornaSkinManager::GetInstance().data();
    switch (index) {
    case COLOR_MENU:
    case COLOR_3DFACE:
        return data.m_face;
    case COLOR_HIGHLIGHT:
    case COLOR_3DSHADOW:
        return data.m_shadow;
    case COLOR_3DHIGHLIGHT:
        return data.m_highlight;
    case COLOR_3DDKSHADOW:
        return data.m_darkShadow;
    case COLOR_3DLIGHT:
        return data.m_light;
    default:
        return GetSysColor(index);
    }
}

void FillSkinBackgroundXY(QPainter& dc, int x, int y, int width, int height, QWidget* background, QWidget* painted)
{
    const QRect rect(x, y, width, height);
    const VornaSkinData& data = VornaSkinManager::GetInstance().data();
    if (!VornaSkinManager::IsSkinOn() || !data.m_bPatternOn) {
        dc.fillRect(rect, platform::toQColor(GetSkinSysColor(COLOR_3DFACE)));
        return;
    }
    const QPointF oldOrigin = dc.brushOrigin();
    if (background) {
        // The pattern lines up with the one of the anchor window.
        QWidget* drawing = painted ? painted : background;
        dc.setBrushOrigin(background->mapToGlobal(QPoint(0, 0)) - drawing->mapToGlobal(QPoint(0, 0)));
    }
    dc.fillRect(rect, data.m_patternBrush);
    if (background)
        dc.setBrushOrigin(oldOrigin);
}
