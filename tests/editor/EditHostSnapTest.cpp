// The engine's own moves and resizes of positioned objects, settled by the
// program's edit host: the mouse on the page, the real host.

#include "EditorPage.h"

#include "app/CHtmlEditCntrItem.h"
#include "editor/CHTMLEditHost.h"

#include "engine/css/Style.h"
#include "engine/editing/CommandGroup.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"

namespace {

const char* const kPage = "style=\"margin:0\">\n"
                          "<IMG id=pic src=photo.jpg width=100 height=50 "
                          "style=\"Z-INDEX: 101; LEFT: 50px; POSITION: absolute; TOP: 60px\">\n"
                          "<EMBED id=movie src=movie.swf width=100 height=50 "
                          "style=\"Z-INDEX: 102; LEFT: 400px; POSITION: absolute; TOP: 60px\">\n"
                          "<DIV style=\"height: 3000px\">&nbsp;</DIV>\n";

class EditHostSnap : public EditorPage
{
protected:
    void SetUp() override
    {
        EditorPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kPage)), nullptr);
        host = view()->GetItem()->editHost();
        ASSERT_NE(host, nullptr);
        host->SetGridSize(40);
        host->SetSnap(true);
    }

    // A press on the object and a drag by `delta` in two steps. The object
    // is not selected before, so the engine moves it (a selected one is the
    // editor's group move).
    void drag(const char* id, QPoint delta, Qt::KeyboardModifiers mods = {})
    {
        doc()->selection().empty();
        settle();
        const QPoint from = clientBox(id).center();
        page()->input().mouseMove(from, engine::NoButton, mods);
        page()->input().mouseDown(from, engine::LeftButton, mods);
        page()->input().mouseMove(from + delta / 2, engine::LeftButton, mods);
        page()->input().mouseMove(from + delta, engine::LeftButton, mods);
        page()->input().mouseUp(from + delta, engine::LeftButton, mods);
        settle();
    }

    // A drag of a handle of the control-selected object: the middle of its
    // right edge, pressed while the page shows no sizing cursor, so that the
    // editor leaves the resize to the engine's own handles.
    void dragRightHandle(const char* id, int dx, Qt::KeyboardModifiers mods)
    {
        selectObjects({id});
        const QRect box = clientBox(id);
        const QPoint handle(box.left() + box.width() + 3, box.top() + box.height() / 2);
        page()->setPageCursor(QCursor(Qt::ArrowCursor));
        page()->input().mouseDown(handle, engine::LeftButton, mods);
        page()->input().mouseMove(handle + QPoint(dx, 0), engine::LeftButton, mods);
        page()->input().mouseUp(handle + QPoint(dx, 0), engine::LeftButton, mods);
        settle();
    }

    QString style(const char* id, const char* name)
    {
        return byId(id)->style().getAttribute(QString::fromLatin1(name)).toString();
    }

    CHTMLEditHost* host = nullptr;
};

TEST_F(EditHostSnap, AMovedImageLandsOnTheGrid)
{
    // Proposed at (57, 21): the nearest grid lines are 40 and 40.
    drag("pic", QPoint(7, -39));
    EXPECT_EQ(style("pic", "left"), QStringLiteral("40px"));
    EXPECT_EQ(style("pic", "top"), QStringLiteral("40px"));
    EXPECT_EQ(clientBox("pic").size(), QSize(100, 50));
    // One undo step takes the whole move back.
    doc()->commands().exec(engine::CommandGroup::Undo);
    settle();
    EXPECT_EQ(style("pic", "left"), QStringLiteral("50px"));
}

TEST_F(EditHostSnap, TheGridLiesOnThePageWhereverItIsScrolled)
{
    page()->scrollToPage(QPoint(0, 50));
    settle();
    ASSERT_EQ(clientBox("pic").topLeft(), QPoint(50, 10));
    // Proposed at client (57, 21), page (57, 71): page lines 40 and 80.
    drag("pic", QPoint(7, 11));
    EXPECT_EQ(style("pic", "left"), QStringLiteral("40px"));
    EXPECT_EQ(style("pic", "top"), QStringLiteral("80px"));
    // Without snapping it goes where it is dropped, not shifted by the scroll position.
    host->SetSnap(false);
    drag("pic", QPoint(17, -9));
    EXPECT_EQ(style("pic", "left"), QStringLiteral("57px"));
    EXPECT_EQ(style("pic", "top"), QStringLiteral("71px"));
}

TEST_F(EditHostSnap, ShiftKeepsTheProportionsExceptForAnEmbed)
{
    host->SetSnap(false);
    dragRightHandle("pic", 60, Qt::ShiftModifier);
    EXPECT_EQ(style("pic", "width"), QStringLiteral("160px"));
    EXPECT_EQ(style("pic", "height"), QStringLiteral("80px"));
    EXPECT_DOUBLE_EQ(host->m_dAspect, 2.0);
    dragRightHandle("movie", 60, Qt::ShiftModifier);
    EXPECT_EQ(style("movie", "width"), QStringLiteral("160px"));
    EXPECT_EQ(style("movie", "height"), QStringLiteral("50px"));
    EXPECT_EQ(host->m_dAspect, -1.0);
    // Without Shift the height stays.
    dragRightHandle("pic", -40, {});
    EXPECT_EQ(style("pic", "width"), QStringLiteral("120px"));
    EXPECT_EQ(style("pic", "height"), QStringLiteral("80px"));
}

TEST_F(EditHostSnap, AnImageWhoseMapIsEditedStaysPut)
{
    // An area of its map is dragged: a step of the image itself proposed by
    // the engine leaves it at the image's origin.
    sink()->m_nEditMode = 5;
    sink()->m_ptImageOrigin = QPoint(50, 60);
    QRect step = clientBox("pic").translated(40, 40);
    engine::EventObject event;
    {
        engine::EventDispatcher::Scope scope(page()->events(), event);
        host->snapRect(byId("pic"), step, 0);
    }
    EXPECT_EQ(step, QRect(QPoint(50, 60), clientBox("pic").size()));
    // And no move of the image starts.
    drag("pic", QPoint(80, 80));
    EXPECT_EQ(style("pic", "left"), QStringLiteral("50px"));
    EXPECT_EQ(style("pic", "top"), QStringLiteral("60px"));
}

} // namespace
