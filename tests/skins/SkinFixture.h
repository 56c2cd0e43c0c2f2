#pragma once

#include "platform/ColorRef.h"
#include "platform/DataRoot.h"
#include "skins/VornaSkinManager.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

// The shipped skins installed for a test (metal draws from pictures, spring
// from rings), the plain look restored after it.
class SkinFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                               platform::installPath(QStringLiteral("Bin/skins")));
        ASSERT_TRUE(VornaSkinManager::GetInstance().Install(&frame));
    }
    void TearDown() override
    {
        VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic"));
        VornaSkinManager::GetInstance().Reset();
    }
    static void Use(const char* skin) { VornaSkinManager::GetInstance().ChangeSkin(QString::fromLatin1(skin)); }
    static QImage Render(QWidget& widget)
    {
        QImage image(widget.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        widget.render(&image);
        return image;
    }
    static platform::ColorRef At(const QImage& image, int x, int y)
    {
        return platform::fromQColor(image.pixelColor(x, y));
    }

    QWidget frame;
};
