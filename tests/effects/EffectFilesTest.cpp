#include "EffectFiles.h"
#include "EffectPictures.h"

#include "effects/CScriptUtility.h"
#include "images/ImageCodec.h"
#include "util/InstallInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every script, picture and preview that the effect writers and the script
// wizard name is shipped, a script defines the functions the writers call,
// and every picture is a GIF that the program reads.
TEST(EffectFiles, EveryFileTheWritersAndTheWizardNameIsInstalled)
{
    const QString folder = committedEffectFolder();
    EXPECT_EQ(effectScripts().size(), 23);
    for (const EffectScript& script : effectScripts()) {
        QFile file(folder + script.fileName);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << script.fileName.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        for (const QString& function : script.entryFunctions) {
            const QRegularExpression definition(QStringLiteral("(^|\\n)function %1\\s*\\(").arg(function));
            EXPECT_TRUE(definition.match(text).hasMatch())
                << script.fileName.toStdString() << " lacks " << function.toStdString();
        }
    }
    EXPECT_EQ(effectPictureNames().size(), 71);
    for (const QString& name : effectPictureNames()) {
        const DecodedImage picture = DecodeImageFile(folder + name);
        EXPECT_FALSE(picture.isNull()) << name.toStdString();
        EXPECT_EQ(picture.format, ImageFormat::Gif) << name.toStdString();
    }
    EXPECT_EQ(effectPreviewNames().size(), 24);
    for (const QString& name : effectPreviewNames()) {
        const DecodedImage preview = DecodeImageFile(folder + QStringLiteral("scriptpreview/") + name);
        EXPECT_FALSE(preview.isNull()) << name.toStdString();
        EXPECT_EQ(preview.format, ImageFormat::Gif) << name.toStdString();
    }

    // And the program finds them in its install folder.
    InitInstallFolder();
    QTemporaryDir work;
    EXPECT_EQ(CScriptUtility::CopyScriptFile(work.path(), QStringLiteral("mouse_follow_complex.js")),
              work.filePath(QStringLiteral("mouse_follow_complex.js")));
    EXPECT_EQ(CScriptUtility::CopyScriptFile(work.path(), QStringLiteral("mouse_sun_trail1.gif")),
              work.filePath(QStringLiteral("mouse_sun_trail1.gif")));
}

// The pictures are as drawn (PAGINOR_UPDATE_EXPECTED=1 draws them again into
// the source tree); the trail pictures have the sizes that the trail array of
// the pointer effect gives them, so that they are not stretched.
TEST(EffectFiles, PicturesHaveTheSizesTheScriptsGiveThem)
{
    const QString folder = committedEffectFolder();
    const QList<EffectPicture> pictures = drawEffectPictures();
    QStringList drawn;
    for (const EffectPicture& picture : pictures) {
        drawn.append(picture.fileName);
        if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
            ASSERT_TRUE(WriteGifFile(picture.image, folder + picture.fileName)) << picture.fileName.toStdString();
        }
        EXPECT_EQ(PingImageFile(folder + picture.fileName), picture.image.size()) << picture.fileName.toStdString();
    }
    drawn.sort();
    QStringList named = effectPictureNames();
    named.sort();
    EXPECT_EQ(drawn, named);

    const QSize trail[6] = {{38, 35}, {30, 31}, {28, 26}, {22, 21}, {16, 16}, {10, 10}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(PingImageFile(folder + QStringLiteral("mouse_sun_trail%1.gif").arg(i + 1)), trail[i]);
        EXPECT_EQ(PingImageFile(folder + QStringLiteral("mouse_star_trail%1.gif").arg(i + 1)), trail[i]);
    }
    // The crosshair's lines show their colour through the transparent picture.
    const DecodedImage transparent = DecodeImageFile(folder + QStringLiteral("transparent.gif"));
    ASSERT_FALSE(transparent.isNull());
    EXPECT_EQ(qAlpha(transparent.image.pixel(0, 0)), 0);
}
