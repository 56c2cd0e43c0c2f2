#include "controls/SkinContext.h"
#include "skins/VornaSkinManager.h"

#include <gtest/gtest.h>

#include <QWidget>

TEST(VornaSkinManagerTest, InstallHandsTheControlsTheManagersSkin)
{
    SkinContext::install(nullptr);
    const SkinContext* unskinned = &SkinContext::instance();
    VornaSkinManager& manager = VornaSkinManager::GetInstance();
    EXPECT_FALSE(manager.Install(nullptr));
    EXPECT_EQ(&SkinContext::instance(), unskinned);

    QWidget frame;
    ASSERT_TRUE(manager.Install(&frame));
    const SkinContext& skin = SkinContext::instance();
    EXPECT_NE(&skin, unskinned);
    EXPECT_EQ(skin.isSkinOn(), manager.IsSkinOn());
    for (int index : {COLOR_MENU, COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_INFOBK})
        EXPECT_EQ(skin.sysColor(index), GetSkinSysColor(index)) << index;
    SkinContext::install(nullptr);
}
