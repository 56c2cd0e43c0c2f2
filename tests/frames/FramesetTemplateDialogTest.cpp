// The frameset template dialog over the shipped catalogue and over damaged ones.

#include "frames/VornaDialogFrameSet.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalResponder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString shippedFolder()
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() +
           QStringLiteral("/../../share/Template/FramesetTemplate/");
}

class FramesetTemplateDialog : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A catalogue whose two sections name a.html and b.html (only a.html exists).
    void writeCatalogue(const QByteArray& number)
    {
        write("frame_template.inf", "[Templates]\nNUMBER=" + number +
                                        "\n[0]\nTITLE=First\nHTM=a.html\nDESCRIPTION=one\nBMP=a.png\n"
                                        "[1]\nHTM=b.html\n");
        write("a.html", "<html><frameset cols=\"50%,*\"><frame><frame></frameset></html>");
    }
    static QListWidget* list(QDialog& dialog)
    {
        return dialog.findChild<QListWidget*>(QStringLiteral("id_%1").arg(IDC_FRAMESET_TEMPLATE_LIST));
    }
    static QStringList titles(QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
};

TEST_F(FramesetTemplateDialog, TheShippedTemplatesListWithDescriptionAndPictureAndOkGivesTheChosenPage)
{
    platform::ModalResponder responder;
    responder.on(VornaDialogFrameSet::IDD, [](QDialog& d) {
        auto& dialog = static_cast<VornaDialogFrameSet&>(d);
        QListWidget* titlesList = list(d);
        ASSERT_EQ(titlesList->count(), 4);
        EXPECT_EQ(titlesList->currentRow(), 0);
        EXPECT_FALSE(dialog.m_strDescription.isEmpty());
        EXPECT_NE(dialog.m_strDescription, QStringLiteral("EMPTY"));
        EXPECT_FALSE(dialog.preview().isNull());
        titlesList->setCurrentRow(2);
        EXPECT_EQ(dialog.m_nSelected, 2);
        platform::ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogFrameSet dialog(nullptr, shippedFolder());
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(responder.messageTexts(), QStringList());
    EXPECT_TRUE(QFileInfo(dialog.m_strTemplatePath).isFile());
    EXPECT_EQ(QFileInfo(dialog.m_strTemplatePath).absolutePath(), QFileInfo(shippedFolder()).absolutePath());
    QFile page(dialog.m_strTemplatePath);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().toUpper().contains("<FRAMESET"));
}

TEST_F(FramesetTemplateDialog, WithoutACatalogueTheListIsEmptyAndOkIsRefused)
{
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_CHOOSE_FRAMESET));
    responder.on(VornaDialogFrameSet::IDD, [](QDialog& d) {
        auto& dialog = static_cast<VornaDialogFrameSet&>(d);
        EXPECT_EQ(list(d)->count(), 0);
        EXPECT_EQ(dialog.m_strDescription, QStringLiteral("EMPTY"));
        EXPECT_TRUE(dialog.m_strTemplatePath.endsWith(QStringLiteral("/EMPTY")));
        EXPECT_TRUE(dialog.preview().isNull());
        platform::ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        platform::ModalResponder::press(d, platform::IDCANCEL);
    });
    VornaDialogFrameSet dialog(nullptr, folder());
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(FramesetTemplateDialog, ACountBeyondTheSectionsListsBodyEntriesThatCannotBeChosen)
{
    writeCatalogue("3");
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_CHOOSE_FRAMESET));
    responder.on(VornaDialogFrameSet::IDD, [](QDialog& d) {
        EXPECT_EQ(titles(list(d)), QStringList({"First", "Body", "Body"}));
        // The second names a page that is not there, the third none at all.
        list(d)->setCurrentRow(1);
        platform::ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        list(d)->setCurrentRow(0);
        platform::ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogFrameSet dialog(nullptr, folder());
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strTemplatePath, folder() + QStringLiteral("a.html"));
}

TEST_F(FramesetTemplateDialog, DamagedCountsAreBounded)
{
    const std::pair<QByteArray, int> cases[] = {{"-4", 0}, {"abc", 0}, {"2x", 2}, {"99999999999999", 1000}};
    for (const auto& [number, expected] : cases) {
        writeCatalogue(number);
        EXPECT_EQ(FramesetTemplateCatalogue(folder()).count(), expected) << number.constData();
    }
}

TEST_F(FramesetTemplateDialog, TemplatesLeadingOutOfTheirFolderAreRefused)
{
    QDir(dir.path()).mkdir(QStringLiteral("inner"));
    write("inner/frame_template.inf", "[Templates]\nNUMBER=4\n[0]\nHTM=../a.html\n[1]\nHTM=..\\a.html\n"
                                      "[2]\nHTM=b.html\nBMP=../../etc/picture.png\n[3]\nHTM=b.html\n");
    write("a.html", "<frameset></frameset>");
    write("inner/b.html", "<frameset></frameset>");
    const FramesetTemplateCatalogue catalogue(folder() + QStringLiteral("inner/"));
    EXPECT_FALSE(catalogue.hasTemplate(0));
    EXPECT_FALSE(catalogue.hasTemplate(1));
    EXPECT_FALSE(catalogue.hasTemplate(2));
    EXPECT_FALSE(catalogue.hasPreview(2));
    EXPECT_TRUE(catalogue.hasTemplate(3));
}

TEST_F(FramesetTemplateDialog, DoubleClicksAndReselectionsOfTheSameItem)
{
    writeCatalogue("2");
    QFile::copy(shippedFolder() + QStringLiteral("left_menu.png"), folder() + QStringLiteral("a.png"));
    platform::ModalResponder responder;
    responder.on(VornaDialogFrameSet::IDD, [this](QDialog& d) {
        auto& dialog = static_cast<VornaDialogFrameSet&>(d);
        ASSERT_FALSE(dialog.preview().isNull());
        // The picture is not read again for the item already shown.
        QFile::remove(folder() + QStringLiteral("a.png"));
        dialog.OnItemChanged(0);
        EXPECT_FALSE(dialog.preview().isNull());
        // A double click beside the items does nothing; on an item it is OK.
        dialog.OnDoubleClick(-1);
        EXPECT_TRUE(d.isVisible());
        emit list(d)->itemDoubleClicked(list(d)->item(0));
    });
    VornaDialogFrameSet dialog(nullptr, folder());
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strTemplatePath, folder() + QStringLiteral("a.html"));
}

} // namespace
