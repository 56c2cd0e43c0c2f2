#include "skins/VornaSkinManager.h"
#include "skins/SkinStyle.h"

#include "controls/SkinContext.h"
#include "controls/TransparentBlt.h"

#include <QPainter>

namespace skinmanager_detail {

// What the controls ask of the skin, answered by the skin manager.
class SkinManagerContext final : public SkinContext
{
public:
    explicit SkinManagerContext(const VornaSkinManager& manager) : m_manager(manager) {}

    bool isSkinOn() const override { return m_manager.IsSkinOn(); }
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

} // namespace skinmanager_detail

VornaSkinManager& VornaSkinManager::GetInstance()
{
    static VornaSkinManager instance;
    return instance;
}

platform::ColorRef GetSkinSysColor(int index)
{
    return GetSysColor(index);
}

void FillSkinBackgroundXY(QPainter& dc, int x, int y, int width, int height, QWidget* /*background*/,
                          QWidget* /*painted*/)
{
    dc.fillRect(QRect(x, y, width, height), platform::toQColor(GetSkinSysColor(COLOR_BTNFACE)));
}

bool VornaSkinManager::Install(QWidget* mainFrame)
{
    if (!mainFrame)
        return false;
    // The program's style draws the menus (in the skin's colours once a skin is on).
    SkinStyle::InstallOnApplication();
    // From here on the controls draw through this manager.
    static skinmanager_detail::SkinManagerContext context(*this);
    SkinContext::install(&context);
    return true;
}
