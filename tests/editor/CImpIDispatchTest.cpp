// The page's event sink as far as the page view needs it now: the page-load
// event, the selection kinds of control selections, image maps' "#" and the
// insertion of a dropped image.

#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CChildFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

engine::Ref<engine::Document> parsed(const char* body)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(QStringLiteral("<HTML><BODY>") + QString::fromUtf8(body) + QStringLiteral("</BODY></HTML>"));
    return doc;
}

std::vector<engine::Ref<engine::Element>> byIds(engine::Document* doc, std::initializer_list<const char*> ids)
{
    std::vector<engine::Ref<engine::Element>> elements;
    for (const char* id : ids)
        elements.emplace_back(doc->getElementById(QString::fromLatin1(id)));
    return elements;
}

quint32 bitsOf(engine::Document* doc, std::initializer_list<const char*> ids)
{
    return CImpIDispatch::ControlSelectionBits(byIds(doc, ids));
}

constexpr const char* kObjects = "<IMG id=img src=a.gif>"
                                 "<IMG id=counter src='http://host/Count?id=7'>"
                                 "<IMG id=mapped src=c.gif usemap=ULOMap1>"
                                 "<A href='http://host/BODR/1'><IMG id=board src=d.gif></A>"
                                 "<A href=page.html><IMG id=linked src=e.gif></A>"
                                 "<TABLE id=text style='POSITION: absolute'><TR><TD id=boxcell>words</TD></TR></TABLE>"
                                 "<TABLE id=t border=1><TR><TD id=cell>x</TD></TR></TABLE>"
                                 "<HR id=hr1><HR id=hr2><HR id=hr3>"
                                 "<MARQUEE id=m1></MARQUEE><MARQUEE id=m2>news</MARQUEE>"
                                 "<EMBED id=FLASHCOUNTER src=c.swf><EMBED src=movie.swf id=media2>"
                                 "<DIV id=div style='POSITION: absolute'>layer</DIV>";

TEST(SinkSelectionKind, OneSelectedObject)
{
    auto doc = parsed(kObjects);
    EXPECT_EQ(bitsOf(doc.get(), {"img"}), 0x8u);
    EXPECT_EQ(bitsOf(doc.get(), {"counter"}), 0x8u | 0x100u);
    EXPECT_EQ(bitsOf(doc.get(), {"mapped"}), 0x8u | 0x1000000u);
    EXPECT_EQ(bitsOf(doc.get(), {"board"}), 0x8u | 0x40u);  // a bulletin board link
    EXPECT_EQ(bitsOf(doc.get(), {"linked"}), 0x8u | 0x20u); // an ordinary link
    EXPECT_EQ(bitsOf(doc.get(), {"text"}), 0x2u);           // a text box with text
    EXPECT_EQ(bitsOf(doc.get(), {"boxcell"}), 0x2u);        // its cell selected
    EXPECT_EQ(bitsOf(doc.get(), {"t"}), 0x10u);
    EXPECT_EQ(bitsOf(doc.get(), {"cell"}), 0x10u);
    EXPECT_EQ(bitsOf(doc.get(), {"hr1"}), 0x400000u);
    EXPECT_EQ(bitsOf(doc.get(), {"m1"}), 0x2000000u | 0x40000000u); // empty
    EXPECT_EQ(bitsOf(doc.get(), {"m2"}), 0x2000000u);
    EXPECT_EQ(bitsOf(doc.get(), {"FLASHCOUNTER"}), 0x200u); // the id compares without case
    EXPECT_EQ(bitsOf(doc.get(), {"div"}), 0u);

    doc->getElementById(QStringLiteral("boxcell"))->setInnerText(QString());
    EXPECT_EQ(bitsOf(doc.get(), {"text"}), 0x4u); // an empty text box
    doc->getElementById(QStringLiteral("img"))
        ->setAttribute(QStringLiteral("id"), engine::Variant(QStringLiteral("VornaRollImage3")));
    EXPECT_EQ(bitsOf(doc.get(), {"VornaRollImage3"}), 0x8u | 0x100000u);
    // An EMBED without an id string is a media object.
    engine::Element* media = doc->getElementById(QStringLiteral("media2"));
    media->removeAttribute(QStringLiteral("id"));
    EXPECT_EQ(CImpIDispatch::ControlSelectionBits({engine::Ref<engine::Element>(media)}), 0x80000u);
    EXPECT_EQ(CImpIDispatch::ControlSelectionBits({}), 0u);
}

TEST(SinkSelectionKind, SeveralSelectedObjects)
{
    auto doc = parsed(kObjects);
    EXPECT_EQ(bitsOf(doc.get(), {"img", "counter"}), 0x400u | 0x2000u);
    EXPECT_EQ(bitsOf(doc.get(), {"hr1", "hr2", "hr3"}), 0x400u | 0x800u | 0x800000u);
    EXPECT_EQ(bitsOf(doc.get(), {"t", "cell"}), 0x400u | 0x8000u);
    EXPECT_EQ(bitsOf(doc.get(), {"m1", "m2"}), 0x400u | 0x4000000u);
    EXPECT_EQ(bitsOf(doc.get(), {"text", "t"}), 0x400u | 0x20000000u);
    EXPECT_EQ(bitsOf(doc.get(), {"text", "m2", "t"}), 0x400u | 0x800u | 0x20000000u);
    // An image or a rule among other kinds is a mix.
    EXPECT_EQ(bitsOf(doc.get(), {"img", "t"}), 0x400u | 0x10000u);
    EXPECT_EQ(bitsOf(doc.get(), {"hr1", "img"}), 0x400u | 0x10000u);
    // Kinds not counted leave the others to decide; alone they are a mix.
    EXPECT_EQ(bitsOf(doc.get(), {"img", "div"}), 0x400u | 0x2000u);
    EXPECT_EQ(bitsOf(doc.get(), {"div", "FLASHCOUNTER"}), 0x400u | 0x10000u);
}

TEST(SinkUsemap, TheHashComesOffWhileEditingAndBackForTheSave)
{
    auto doc = parsed("<IMG id=a usemap='#ULOMap1'><IMG id=b usemap=ULOMap2><IMG id=c usemap=''><IMG id=d>"
                      "<DIV id=e usemap='#x'></DIV>");
    CImpIDispatch sink(nullptr, doc.get());
    auto at = [&](const char* id) { return doc->getElementById(QString::fromLatin1(id)); };
    auto usemap = [&](const char* id) { return at(id)->getAttributeText(QStringLiteral("usemap")); };
    for (const char* id : {"a", "b", "c", "d", "e"})
        sink.RemoveUsemapHash(at(id));
    EXPECT_EQ(usemap("a"), QStringLiteral("ULOMap1"));
    EXPECT_EQ(usemap("b"), QStringLiteral("ULOMap2"));
    EXPECT_EQ(usemap("e"), QStringLiteral("#x")); // only images
    EXPECT_FALSE(at("d")->hasAttribute(QStringLiteral("usemap")));
    for (const char* id : {"a", "b", "c", "d", "e"})
        EXPECT_EQ(sink.AddUsemapHash(at(id)), 0);
    EXPECT_EQ(usemap("a"), QStringLiteral("#ULOMap1"));
    EXPECT_EQ(usemap("b"), QStringLiteral("#ULOMap2"));
    EXPECT_EQ(usemap("c"), QString());
    EXPECT_FALSE(at("d")->hasAttribute(QStringLiteral("usemap")));
    EXPECT_EQ(sink.AddUsemapHash(nullptr), 1);
}

TEST(SinkCells, ARangeNeedsTwoDifferentCells)
{
    CImpIDispatch sink(nullptr, nullptr);
    EXPECT_FALSE(sink.HasCellSelection());
    sink.m_cellAnchor = {0, 0};
    sink.m_cellCurrent = {0, 0};
    EXPECT_FALSE(sink.HasCellSelection());
    sink.m_cellCurrent = {1, 0};
    EXPECT_TRUE(sink.HasCellSelection());
    ResetCellPosition(sink.m_cellCurrent);
    EXPECT_FALSE(sink.HasCellSelection());
}

// In the running program: the page-loaded event, the selection change, the
// edit-mode test and the view's scroll offset.
class SinkInProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitInstallFolder();
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()));
        ASSERT_TRUE(reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0));
        app = std::make_unique<CZQApp>();
        ASSERT_TRUE(app->InitInstance({}));
        path = dir.filePath(QStringLiteral("page.html"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<HTML><HEAD><TITLE>Sink page</TITLE></HEAD><BODY>"
                   "<IMG id=pic src=none.gif width=40 height=30 style='POSITION: absolute; LEFT: 50px; TOP: 60px'>"
                   "<DIV style='height: 3000px'>tall</DIV></BODY></HTML>");
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<CZQApp> app;
};

TEST_F(SinkInProgramTest, TheLoadCompletesOnceAndOnlyInTheEditingView)
{
    ASSERT_TRUE(app->OpenDocumentFile(path));
    CZQView* view = app->GetActiveView();
    ASSERT_NE(view->GetSink(), nullptr);
    EXPECT_FALSE(view->m_bLoadCompleted); // the event comes after the load call
    QCoreApplication::processEvents();
    EXPECT_TRUE(view->m_bLoadCompleted);
    EXPECT_EQ(view->GetDocument()->GetPageTitle(), QStringLiteral("Sink page"));

    // The source or preview shown: events change nothing.
    view->m_bLoadCompleted = false;
    view->GetParentFrame()->m_bEditShown = false;
    engine::EventObject event;
    EXPECT_FALSE(view->GetSink()->invoke(engine::events::PageLoaded, event));
    EXPECT_FALSE(view->m_bLoadCompleted);
    view->GetParentFrame()->m_bEditShown = true;
    view->GetDocument()->SetPageTitle(QString());
    EXPECT_FALSE(view->GetSink()->invoke(engine::events::PageLoaded, event));
    EXPECT_TRUE(view->m_bLoadCompleted);
    EXPECT_EQ(view->GetDocument()->GetPageTitle(), QStringLiteral("Sink page"));
}

TEST_F(SinkInProgramTest, AClickOnAnImageSelectsItAndTheViewKnowsTheKind)
{
    ASSERT_TRUE(app->OpenDocumentFile(path));
    QCoreApplication::processEvents();
    CZQView* view = app->GetActiveView();
    engine::PageView* page = view->GetPageView();
    page->flushChanges();
    app->m_bCommandRan = false;
    QTest::mouseClick(page->viewport(), Qt::LeftButton, Qt::NoModifier, page->clientToView(QPoint(70, 75)));
    QCoreApplication::processEvents(); // the selection change follows the click
    EXPECT_EQ(view->GetHtmlDocument()->selection().typeText(), QStringLiteral("Control"));
    EXPECT_EQ(view->m_dwSelKind, 0x8u);
    EXPECT_EQ(view->m_dwPrevSelKind, 0x8u); // the release saw it first, then the selection change
    EXPECT_TRUE(app->m_bCommandRan);        // the command states follow at the next idle pass

    // Scroll offset and the element under the event point come from the view.
    page->scrollToPage(QPoint(0, 120));
    QPoint point(10, 10);
    view->GetSink()->AddBodyScrollOffset(point);
    EXPECT_EQ(point, QPoint(10, 130));
    EXPECT_FALSE(view->GetSink()->IsOnBodyElement()); // no event under way
}

} // namespace
