#include "publish/PublishedWebModel.h"

#include <gtest/gtest.h>

namespace {

struct FakeWebModel : PublishedWebModel
{
    QStringList modified;
    bool projectPending = true;
    bool RemoveModifiedFile(const QString& fileName) override { return modified.removeOne(fileName); }
    void ClearProjectFilePending() override { projectPending = false; }
    const QStringList* GetModifiedFiles() override { return modified.isEmpty() ? nullptr : &modified; }
};

TEST(UploadBookkeeping, PagesAndTheProjectFileLeaveTheModifiedList)
{
    FakeWebModel model;
    model.modified = {"project.ini", "index.html", "news.HTM", "image/a.gif", "a.gif"};
    ApplyUploadBookkeeping({"/a.gif", "image/a.gif"}, &model);
    EXPECT_TRUE(model.projectPending);
    EXPECT_EQ(model.modified.size(), 5);

    ApplyUploadBookkeeping({"/index.html", "news.HTM", "/PROJECT.INI"}, &model);
    EXPECT_FALSE(model.projectPending);
    EXPECT_EQ(model.modified, (QStringList{"image/a.gif", "a.gif"}));

    ApplyUploadBookkeeping({"/project.ini"}, nullptr); // no web open: nothing to do
}

} // namespace
