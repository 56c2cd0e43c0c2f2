// The web wizard's dialog on template trees made by the tests and on the
// shipped sample webs: what it lists, what the user's clicks choose, and what
// OK and the preview say.
#include "images/CVornaListCtrlImage.h"
#include "res/resource.h"
#include "util/StringResources.h"
#include "web/VornaDialogProjectWizard.h"

#include "support/ReviewPicture.h"
#include "support/TestFiles.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

// The files handed to the desktop to open.
class DesktopFiles : public QObject
{
    Q_OBJECT
public:
    DesktopFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~DesktopFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList paths;

public slots:
    void open(const QUrl& url) { paths.append(url.toLocalFile()); }
};

class ProjectWizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = dir.filePath(QStringLiteral("Home"));
        webs = dir.filePath(QStringLiteral("My Web"));
        ASSERT_TRUE(QDir().mkpath(root));
        ASSERT_TRUE(QDir().mkpath(webs));
        responder.always(platform::kMessageBoxDialogId,
                         [](QDialog& box) { ModalResponder::press(box, platform::IDOK); });
    }
    // A template: its picture, and its web with a home page unless told not to.
    void addTemplate(const QString& category, const QString& name, bool home = true)
    {
        ASSERT_TRUE(writeTestFile(root + QLatin1Char('/') + category + QLatin1Char('/') + name + QStringLiteral(".gif"),
                                  "GIF89a"));
        ASSERT_TRUE(QDir().mkpath(root + QLatin1Char('/') + category + QLatin1Char('/') + name));
        const QString page =
            root + QLatin1Char('/') + category + QLatin1Char('/') + name + QStringLiteral("/index.html");
        if (home) {
            ASSERT_TRUE(writeTestFile(page, "<HTML></HTML>"));
        }
    }
    // Runs the wizard with the action in place of the user; its result.
    int run(const std::function<void(VornaDialogProjectWizard&)>& action)
    {
        VornaDialogProjectWizard wizard;
        wizard.m_strTemplatesRoot = root;
        wizard.m_strWebRoot = webs;
        responder.on(VornaDialogProjectWizard::IDD, [&](QDialog&) { action(wizard); });
        const int result = wizard.DoModal();
        name = wizard.m_strWebName;
        folder = wizard.m_strTemplateFolder;
        return result;
    }
    static QComboBox* combo(QDialog& d)
    {
        return d.findChild<QComboBox*>(QStringLiteral("id_%1").arg(VornaDialogProjectWizard::kCategoryComboId));
    }
    static QStringList items(VornaDialogProjectWizard& d)
    {
        QStringList texts;
        for (int i = 0; i < d.templateList()->GetItemCount(); ++i)
            texts << d.templateList()->GetItemText(i);
        return texts;
    }
    // A click or a double click of the list as the window system delivers it
    // to the list (press, release, and for a double click a second press
    // that is the double click, and its release), at the item or beside them.
    static void click(VornaDialogProjectWizard& d, int item, bool twice = false)
    {
        CVornaListCtrlImage* list = d.templateList();
        list->doItemsLayout();
        const QPointF at = item >= 0 ? QPointF(list->visualRect(list->model()->index(item, 0)).center())
                                     : QPointF(list->viewport()->width() - 3, list->viewport()->height() - 3);
        const auto send = [&](QEvent::Type type) {
            QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list->viewport(), &event);
        };
        send(QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
        if (!twice)
            return;
        send(QEvent::MouseButtonDblClick);
        send(QEvent::MouseButtonRelease);
    }

    QTemporaryDir dir;
    QString root;
    QString webs;
    QString name;
    QString folder;
    ModalResponder responder;
};

TEST_F(ProjectWizardTest, OpensOnTheFirstCategoryAndItsFirstTemplate)
{
    addTemplate(QStringLiteral("Shops"), QStringLiteral("cafe"));
    addTemplate(QStringLiteral("Shops"), QStringLiteral("bakery"));
    addTemplate(QStringLiteral("Personal"), QStringLiteral("travel"));
    addTemplate(QStringLiteral("Personal"), QStringLiteral("pets"));
    QStringList categories;
    QStringList templates;
    QStringList afterChange;
    QString chosenAfterChange;
    run([&](VornaDialogProjectWizard& d) {
        for (int i = 0; i < combo(d)->count(); ++i)
            categories << combo(d)->itemText(i);
        templates = items(d);
        EXPECT_EQ(d.m_nSelected, 0);
        EXPECT_EQ(d.m_strTemplateName, QStringLiteral("pets"));
        EXPECT_EQ(d.templateList()->GetSelectedItem(), 0);
        EXPECT_EQ(d.templateList()->gridSize(), QSize(140, 120));
        EXPECT_EQ(d.templateList()->m_strFolder, root + QStringLiteral("/Personal/"));
        // Another category lists its own templates, the first one chosen.
        combo(d)->setCurrentIndex(1);
        afterChange = items(d);
        chosenAfterChange = d.m_strTemplateName;
        ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_EQ(categories, QStringList({"Personal", "Shops"}));
    EXPECT_EQ(templates, QStringList({"pets", "travel"}));
    EXPECT_EQ(afterChange, QStringList({"bakery", "cafe"}));
    EXPECT_EQ(chosenAfterChange, QStringLiteral("bakery"));
}

TEST_F(ProjectWizardTest, WithoutTemplatesOkAndPreviewAskForOne)
{
    ASSERT_TRUE(writeTestFile(root + QStringLiteral("/notes.txt"), "not a category"));
    bool stayed = false;
    const int result = run([&](VornaDialogProjectWizard& d) {
        EXPECT_EQ(combo(d)->count(), 0);
        EXPECT_EQ(d.templateList()->GetItemCount(), 0);
        EXPECT_TRUE(d.m_strTemplateName.isEmpty());
        ModalResponder::setText(d, VornaDialogProjectWizard::kNameEditId, QStringLiteral("mine"));
        ModalResponder::press(d, VornaDialogProjectWizard::kPreviewId);
        ModalResponder::press(d, platform::IDOK);
        stayed = d.isVisible();
        ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(responder.messageTexts(),
              QStringList({LoadResString(IDS_SELECT_TEMPLATE), LoadResString(IDS_SELECT_TEMPLATE)}));
}

TEST_F(ProjectWizardTest, ClicksChooseTheTemplateAndAClickBesideThemChoosesNone)
{
    for (const char* t : {"a", "b", "c"})
        addTemplate(QStringLiteral("Shops"), QString::fromUtf8(t));
    QString afterClick;
    QString afterKey;
    bool stayed = false;
    const int result = run([&](VornaDialogProjectWizard& d) {
        ModalResponder::setText(d, VornaDialogProjectWizard::kNameEditId, QStringLiteral("mine"));
        click(d, 2);
        afterClick = d.m_strTemplateName;
        // The keyboard moves the choice as the mouse does.
        d.templateList()->setFocus();
        QTest::keyClick(d.templateList(), Qt::Key_Left);
        afterKey = d.m_strTemplateName;
        click(d, -1);
        EXPECT_EQ(d.templateList()->GetSelectedItem(), -1);
        ModalResponder::press(d, platform::IDOK);
        stayed = d.isVisible();
        click(d, 0);
        ModalResponder::press(d, platform::IDOK);
    });
    EXPECT_EQ(afterClick, QStringLiteral("c"));
    EXPECT_EQ(afterKey, QStringLiteral("b"));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(responder.messageTexts(), QStringList{LoadResString(IDS_SELECT_TEMPLATE)});
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(name, QStringLiteral("mine"));
    EXPECT_EQ(folder, root + QStringLiteral("/Shops/a"));
}

TEST_F(ProjectWizardTest, ADoubleClickEndsTheWizardOnlyWithAName)
{
    addTemplate(QStringLiteral("Shops"), QStringLiteral("a"));
    addTemplate(QStringLiteral("Shops"), QStringLiteral("b"));
    bool stayed = false;
    const int result = run([&](VornaDialogProjectWizard& d) {
        click(d, 1, true);
        stayed = d.isVisible();
        EXPECT_EQ(d.focusWidget(), d.findChild<QLineEdit*>(QStringLiteral("id_1233")));
        ModalResponder::setText(d, VornaDialogProjectWizard::kNameEditId, QStringLiteral("mine"));
        click(d, 1, true);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(responder.messageTexts(), QStringList{LoadResString(IDS_ENTER_NEW_WEB_NAME)});
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(folder, root + QStringLiteral("/Shops/b"));
}

TEST_F(ProjectWizardTest, ANameTakenOrUnfitForAFolderKeepsTheWizardOpenWithTheNameSelected)
{
    addTemplate(QStringLiteral("Shops"), QStringLiteral("a"));
    ASSERT_TRUE(writeTestFile(webs + QStringLiteral("/taken"), "a file, not a web"));
    QStringList selected;
    run([&](VornaDialogProjectWizard& d) {
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("id_1233"));
        for (const char* bad : {"taken", "a?b"}) {
            ModalResponder::setText(d, VornaDialogProjectWizard::kNameEditId, QString::fromUtf8(bad));
            ModalResponder::press(d, platform::IDOK);
            EXPECT_TRUE(d.isVisible());
            selected << edit->selectedText();
        }
        ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_EQ(selected, QStringList({"taken", "a?b"}));
    EXPECT_EQ(responder.messageTexts(),
              QStringList({LoadResString(IDS_WEB_NAME_TAKEN), LoadResString(IDS_BAD_FILE_NAME)}));
}

TEST_F(ProjectWizardTest, PreviewOpensTheHomePageOrSaysTheTemplateHasNone)
{
    addTemplate(QStringLiteral("Shops"), QStringLiteral("a"));
    addTemplate(QStringLiteral("Shops"), QStringLiteral("b"), false);
    DesktopFiles desktop;
    run([&](VornaDialogProjectWizard& d) {
        ModalResponder::press(d, VornaDialogProjectWizard::kPreviewId);
        click(d, 1);
        ModalResponder::press(d, VornaDialogProjectWizard::kPreviewId);
        ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_EQ(desktop.paths, QStringList{root + QStringLiteral("/Shops/a/index.html")});
    EXPECT_EQ(responder.messageTexts(), QStringList{LoadResString(IDS_TEMPLATE_NOT_FOUND)});
}

TEST_F(ProjectWizardTest, TheShippedSampleWebsAreTwoCategoriesOfTwoWebsWithHomePages)
{
    root = platform::shareDir() + QStringLiteral("/Template/Home");
    QStringList categories;
    int webCount = 0;
    run([&](VornaDialogProjectWizard& d) {
        for (int c = 0; c < combo(d)->count(); ++c) {
            combo(d)->setCurrentIndex(c);
            categories << combo(d)->itemText(c);
            for (const QString& t : items(d)) {
                ++webCount;
                const QString web = root + QLatin1Char('/') + combo(d)->itemText(c) + QLatin1Char('/') + t;
                EXPECT_TRUE(QFileInfo(web + QStringLiteral("/index.html")).isFile()) << qPrintable(web);
                EXPECT_TRUE(QFileInfo(web + QStringLiteral("/image")).isDir()) << qPrintable(web);
                EXPECT_EQ(QImage(web + QStringLiteral(".gif")).size(), QSize(102, 76)) << qPrintable(web);
            }
        }
        ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_EQ(categories.size(), 2);
    EXPECT_EQ(webCount, 4);
}

// The wizard on the shipped sample webs, for people to look at (it is not
// compared): screenshots/web-wizard.png under Xvfb.
TEST(WebWizardScreenshot, TheSampleWebsOfTheFirstCategory)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    VornaDialogProjectWizard wizard;
    wizard.m_strTemplatesRoot = platform::shareDir() + QStringLiteral("/Template/Home");
    ModalResponder responder;
    responder.on(VornaDialogProjectWizard::IDD, [&](QDialog& d) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d, 60000));
        ModalResponder::setText(d, VornaDialogProjectWizard::kNameEditId, QStringLiteral("わたしのお店"));
        // The pictures come from the list's loader.
        EXPECT_TRUE(QTest::qWaitFor([&] { return wizard.templateList()->LoadsWaiting() == 0; }, 10000));
        QTest::qWait(200);
        SaveReviewPicture(d.grab().toImage(), QStringLiteral("web-wizard.png"));
        ModalResponder::press(d, platform::IDCANCEL);
    });
    wizard.DoModal();
}

} // namespace

#include "ProjectWizardTest.moc"
