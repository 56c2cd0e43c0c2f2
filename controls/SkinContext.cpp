#include "controls/SkinContext.h"

#include <QPainter>

namespace skincontext_detail {

class UnskinnedContext final : public SkinContext
{
public:
    bool isSkinOn() const override { return false; }
    platform::ColorRef sysColor(int index) const override { return GetSysColor(index); }
    void fillBackground(QPainter& dc, int x, int y, int width, int height, QWidget*, QWidget*) const override
    {
        dc.fillRect(QRect(x, y, width, height), platform::toQColor(GetSysColor(COLOR_BTNFACE)));
    }
    bool imageButtonHasTransparentColor() const override { return false; }
    void drawImageButton(QPainter&, int, int, int, int, int) const override {}
};

SkinContext* g_installedContext = nullptr;

} // namespace skincontext_detail

SkinContext::~SkinContext()
{
    if (skincontext_detail::g_installedContext == this)
        skincontext_detail::g_installedContext = nullptr;
}

SkinContext& SkinContext::instance()
{
    static skincontext_detail::UnskinnedContext unskinned;
    return skincontext_detail::g_installedContext ? *skincontext_detail::g_installedContext : unskinned;
}

void SkinContext::install(SkinContext* context)
{
    skincontext_detail::g_installedContext = context;
}
