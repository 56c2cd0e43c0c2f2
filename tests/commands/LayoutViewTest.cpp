// The View menu's layout aids on real pages in the running program: the
// grid (shown, snapped to, set up in its dialog), object borders, the
// page-size guide and zoom, on ordinary pages and over the frames of a
// frameset page, and the settings over a restart.

#include "LayoutPage.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "controls/NumberEdit.h"
#include "dialogs/VornaDialogGrid.h"
#include "dialogs/VornaDialogPageSize.h"
#include "dialogs/VornaDialogPropertyZoom.h"
#include "editor/CHTMLEditHost.h"
#include "editor/painters/CHTMLPainterGrid.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"

#include "engine/editing/CommandGroup.h"

#include "platform/ModalResponder.h"

#include <QComboBox>
#include <QMenu>
#include <QRadioButton>

namespace {

class LayoutView : public LayoutPage
{
protected:
    void SetUp() override
    {
        LayoutPage::SetUp();
        CMainFrame* frame = app->mainFrame();
        frame->m_settings.gridVisible = 0;
        frame->m_settings.snapOn = 0;
        frame->m_settings.gridSize = 10;
        frame->m_settings.gridStyle = 1;
        frame->m_settings.pageSize = QSize(800, 600);
        frame->m_settings.pageSizeVisible = 0;
    }

    CMainFrame* frame() const { return app->mainFrame(); }
    CHTMLEditHost* host(CZQView* v = nullptr) const { return (v ? v : view())->GetItem()->editHost(); }
    bool gridAttached(CZQView* v = nullptr) const { return (v ? v : view())->m_lGridCookie != 0; }
    bool zeroBordersOn(CZQView* v = nullptr) const
    {
        return (v ? v : view())->QueryCommandStatus(engine::CommandGroup::ShowZeroBorders) & 0x4;
    }

    // Runs a command whose dialog `answer` fills before it presses OK.
    template <class Dialog> void runDialog(int command, int dialogId, std::function<void(Dialog&)> answer)
    {
        platform::ModalResponder responder;
        responder.on(dialogId, [&](QDialog& d) {
            answer(static_cast<Dialog&>(d));
            platform::ModalResponder::press(d, platform::IDOK);
        });
        run(command);
        EXPECT_EQ(responder.runCount(dialogId), 1);
    }
};

TEST_F(LayoutView, TheGridAndItsSnappingFollowEachCommand)
{
    openObjects(object("a", 10, 10, 40, 40));
    updateBars();
    EXPECT_TRUE(enabled(ID_VIEW_SHOW_GRID));
    EXPECT_FALSE(enabled(ID_VIEW_SNAP_TO_GRID)); // only while the grid is shown
    run(ID_VIEW_SHOW_GRID);
    EXPECT_TRUE(checked(ID_VIEW_SHOW_GRID));
    EXPECT_TRUE(gridAttached());
    EXPECT_FALSE(host()->m_bSnap);
    // Each attachment replaces the one before: the old cookie is gone.
    const int cookie = view()->m_lGridCookie;
    run(ID_VIEW_SNAP_TO_GRID);
    EXPECT_TRUE(checked(ID_VIEW_SNAP_TO_GRID));
    EXPECT_TRUE(host()->m_bSnap);
    EXPECT_EQ(host()->m_nGridSize, 10);
    EXPECT_FALSE(page()->removeBehavior(doc()->body(), cookie));
    // Hiding the grid ends the snapping; showing it again brings it back.
    run(ID_VIEW_SHOW_GRID);
    EXPECT_FALSE(gridAttached());
    EXPECT_FALSE(host()->m_bSnap);
    run(ID_VIEW_SHOW_GRID);
    EXPECT_TRUE(host()->m_bSnap);
    // The guide alone keeps the painter on the page.
    run(ID_VIEW_SHOW_PAGE_SIZE);
    run(ID_VIEW_SHOW_GRID);
    EXPECT_TRUE(gridAttached());
    EXPECT_FALSE(host()->m_bSnap);
    // Grid and snapping change nothing in the page.
    EXPECT_FALSE(pageChanged());
}

TEST_F(LayoutView, APageOpensWithItsAidsShownBeforeAnyClick)
{
    frame()->m_settings.gridVisible = 1;
    frame()->m_settings.snapOn = 1;
    openObjects(object("a", 10, 10, 40, 40));
    EXPECT_TRUE(gridAttached());
    EXPECT_TRUE(host()->m_bSnap);
    EXPECT_NE(view()->m_lElemBordersCookie, 0);
    EXPECT_FALSE(pageChanged());
}

TEST_F(LayoutView, TheGridSettingsDialogSetsKindAndSpacing)
{
    openObjects(object("a", 10, 10, 40, 40));
    runDialog<VornaDialogGrid>(ID_VIEW_GRID_SETTINGS, VornaDialogGrid::IDD, [](VornaDialogGrid& d) {
        auto* kind = d.findChild<QComboBox*>(QStringLiteral("id_1005"));
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->currentIndex(), 1);
        EXPECT_EQ(d.findChild<NumberEdit*>(QStringLiteral("id_1001"))->text(), QStringLiteral("10"));
        kind->setCurrentIndex(2);
        d.findChild<NumberEdit*>(QStringLiteral("id_1001"))->setText(QStringLiteral("25"));
    });
    EXPECT_EQ(frame()->m_settings.gridStyle, 2);
    EXPECT_EQ(frame()->m_settings.gridSize, 25);
    EXPECT_TRUE(frame()->m_settings.gridVisible);
    EXPECT_EQ(view()->m_pGridPainter->m_nGridStyle, 2);
    EXPECT_EQ(view()->m_pGridPainter->m_nGridSize, 25);
    // "なし" hides the grid and keeps kind and spacing for the next time.
    runDialog<VornaDialogGrid>(ID_VIEW_GRID_SETTINGS, VornaDialogGrid::IDD, [](VornaDialogGrid& d) {
        d.findChild<QComboBox*>(QStringLiteral("id_1005"))->setCurrentIndex(0);
    });
    EXPECT_FALSE(frame()->m_settings.gridVisible);
    EXPECT_EQ(frame()->m_settings.gridStyle, 2);
    EXPECT_EQ(frame()->m_settings.gridSize, 25);
    EXPECT_FALSE(gridAttached());
    // A spacing out of range is named and held at its limit before the dialog closes.
    {
        platform::ModalResponder responder;
        responder.answerMessageBox(platform::IDOK);
        responder.on(VornaDialogGrid::IDD, [](QDialog& d) {
            d.findChild<QComboBox*>(QStringLiteral("id_1005"))->setCurrentIndex(3);
            d.findChild<NumberEdit*>(QStringLiteral("id_1001"))->setText(QStringLiteral("99999999999999999999"));
            platform::ModalResponder::press(d, platform::IDOK);
            platform::ModalResponder::press(d, platform::IDOK);
        });
        run(ID_VIEW_GRID_SETTINGS);
        EXPECT_EQ(responder.messageTexts().size(), 1);
    }
    EXPECT_EQ(frame()->m_settings.gridSize, 100);
    EXPECT_EQ(frame()->m_settings.gridStyle, 3);
    // Cancel changes nothing.
    platform::ModalResponder responder;
    responder.answer(VornaDialogGrid::IDD, platform::IDCANCEL);
    run(ID_VIEW_GRID_SETTINGS);
    EXPECT_EQ(frame()->m_settings.gridSize, 100);
}

TEST_F(LayoutView, ObjectBordersFollowThePagesOwnSwitch)
{
    openObjects(object("a", 10, 10, 40, 40));
    EXPECT_TRUE(view()->m_bObjectBorders);
    EXPECT_TRUE(zeroBordersOn());
    EXPECT_TRUE(checked(ID_VIEW_OBJECT_BORDERS));
    run(ID_VIEW_OBJECT_BORDERS);
    EXPECT_FALSE(view()->m_bObjectBorders);
    EXPECT_FALSE(zeroBordersOn());
    EXPECT_EQ(view()->m_lElemBordersCookie, 0);
    EXPECT_FALSE(checked(ID_VIEW_OBJECT_BORDERS));
    run(ID_VIEW_OBJECT_BORDERS);
    EXPECT_TRUE(zeroBordersOn());
    EXPECT_NE(view()->m_lElemBordersCookie, 0);
}

TEST_F(LayoutView, AFramesetPageTakesTheAidsInEveryFrame)
{
    openObjects(object("a", 10, 10, 40, 40));
    CZQView* first = view();
    openObjects(object("b", 10, 10, 40, 40));
    CZQView* second = view();
    ASSERT_NE(first, second);
    // The second page's window holds a frame tree of both pages as rows.
    FrameTree& tree = second->GetParentFrame()->frameTree();
    tree.root = std::make_unique<VornaFrameSet>();
    tree.root->SetKind(QStringLiteral("FRAMESET"));
    tree.root->m_pFirstChild = std::make_unique<VornaFrameSet>();
    VornaFrameSet* top = tree.root->m_pFirstChild.get();
    top->m_pParent = tree.root.get();
    top->m_pView = first;
    top->m_pNext = std::make_unique<VornaFrameSet>();
    top->m_pNext->m_pParent = tree.root.get();
    top->m_pNext->m_pPrev = top;
    top->m_pNext->m_pView = second;
    run(ID_VIEW_SHOW_GRID);
    EXPECT_TRUE(gridAttached(first));
    EXPECT_TRUE(gridAttached(second));
    run(ID_VIEW_SNAP_TO_GRID);
    EXPECT_TRUE(host(first)->m_bSnap);
    EXPECT_TRUE(host(second)->m_bSnap);
    run(ID_VIEW_SHOW_PAGE_SIZE);
    run(ID_VIEW_PAGE_SIZE_640);
    EXPECT_TRUE(gridAttached(first));
    // Borders toggled in one frame change that frame's page only.
    run(ID_VIEW_OBJECT_BORDERS);
    EXPECT_TRUE(first->m_bObjectBorders);
    EXPECT_NE(first->m_lElemBordersCookie, 0);
    EXPECT_FALSE(second->m_bObjectBorders);
    EXPECT_EQ(second->m_lElemBordersCookie, 0);
    tree.clear();
}

TEST_F(LayoutView, PageSizesAreCheckedByTheSizeAlone)
{
    openObjects(object("a", 10, 10, 40, 40));
    // A size chosen while the guide is hidden is kept and shows nothing.
    run(ID_VIEW_PAGE_SIZE_1024);
    EXPECT_EQ(frame()->m_settings.pageSize, QSize(1024, 768));
    EXPECT_TRUE(checked(ID_VIEW_PAGE_SIZE_1024));
    EXPECT_FALSE(checked(ID_VIEW_PAGE_SIZE_USER));
    EXPECT_FALSE(gridAttached());
    run(ID_VIEW_SHOW_PAGE_SIZE);
    EXPECT_TRUE(checked(ID_VIEW_SHOW_PAGE_SIZE));
    EXPECT_TRUE(gridAttached());
    run(ID_VIEW_SHOW_PAGE_SIZE);
    EXPECT_FALSE(gridAttached());

    // The user's size on a hidden guide: the dialog proposes 800 x 600.
    runDialog<VornaDialogPageSize>(ID_VIEW_PAGE_SIZE_USER, VornaDialogPageSize::IDD, [](VornaDialogPageSize& d) {
        EXPECT_EQ(d.m_size, QSize(0, 0));
        EXPECT_TRUE(d.findChild<QRadioButton*>(QStringLiteral("id_1473"))->isChecked());
        EXPECT_EQ(d.findChild<QComboBox*>(QStringLiteral("id_1469"))->currentIndex(), 1);
        d.findChild<QRadioButton*>(QStringLiteral("id_1323"))->setChecked(true);
        d.findChild<NumberEdit*>(QStringLiteral("id_1064"))->setText(QStringLiteral("700"));
        d.findChild<NumberEdit*>(QStringLiteral("id_1065"))->setText(QStringLiteral("500"));
    });
    EXPECT_EQ(frame()->m_settings.pageSize, QSize(700, 500));
    EXPECT_TRUE(frame()->m_settings.pageSizeVisible);
    EXPECT_TRUE(gridAttached());
    for (const int id : {ID_VIEW_PAGE_SIZE_640, ID_VIEW_PAGE_SIZE_800, ID_VIEW_PAGE_SIZE_1024})
        EXPECT_FALSE(checked(id)) << id;
    EXPECT_TRUE(checked(ID_VIEW_PAGE_SIZE_USER));
    // Shown, the dialog opens with the guide's size.
    runDialog<VornaDialogPageSize>(ID_VIEW_PAGE_SIZE_USER, VornaDialogPageSize::IDD, [](VornaDialogPageSize& d) {
        EXPECT_EQ(d.m_size, QSize(700, 500));
        EXPECT_TRUE(d.findChild<QRadioButton*>(QStringLiteral("id_1323"))->isChecked());
        d.findChild<QRadioButton*>(QStringLiteral("id_1473"))->setChecked(true);
        d.findChild<QComboBox*>(QStringLiteral("id_1469"))->setCurrentIndex(0);
    });
    EXPECT_TRUE(checked(ID_VIEW_PAGE_SIZE_640));
    // A user's size of 0 x 0 is no size: the page shows the guide of 800 x 600.
    run(ID_VIEW_SHOW_PAGE_SIZE);
    runDialog<VornaDialogPageSize>(ID_VIEW_PAGE_SIZE_USER, VornaDialogPageSize::IDD, [](VornaDialogPageSize& d) {
        d.findChild<QRadioButton*>(QStringLiteral("id_1323"))->setChecked(true);
        d.findChild<NumberEdit*>(QStringLiteral("id_1064"))->setText(QStringLiteral("0"));
        d.findChild<NumberEdit*>(QStringLiteral("id_1065"))->setText(QStringLiteral("0"));
    });
    EXPECT_EQ(frame()->m_settings.pageSize, QSize(0, 0));
    EXPECT_TRUE(gridAttached());
    EXPECT_EQ(frame()->PagePlacementExtent(), QSize(775, 600));
    // Outside the editing view the sizes are greyed.
    view()->GetParentFrame()->m_bEditShown = false;
    EXPECT_FALSE(enabled(ID_VIEW_PAGE_SIZE_800));
    EXPECT_FALSE(enabled(ID_VIEW_SHOW_PAGE_SIZE));
    view()->GetParentFrame()->m_bEditShown = true;
}

TEST_F(LayoutView, CtrlWIsTheGuidesKeyAlone)
{
    openObjects(object("a", 10, 10, 40, 40));
    const QKeySequence ctrlW(QStringLiteral("Ctrl+W"));
    EXPECT_EQ(app->commands()->action(ID_VIEW_SHOW_PAGE_SIZE)->shortcut(), ctrlW);
    // The page window's own menu would make the key ambiguous: it does nothing then.
    QMenu* menu = view()->GetParentFrame()->systemMenu();
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
        EXPECT_FALSE(action->shortcuts().contains(ctrlW)) << action->text().toStdString();
}

TEST_F(LayoutView, ZoomScalesTheViewAndLeavesThePageAlone)
{
    openObjects(object("a", 10, 10, 40, 40) + QStringLiteral("<P>ズームしても変わらない</P>\n"));
    const QString before = dir.filePath(QStringLiteral("before.html"));
    const QString after = dir.filePath(QStringLiteral("after.html"));
    const QString body = doc()->body()->innerHTML();
    // An unchanged page is not written: the mark makes the save write it.
    view()->GetDocument()->m_bPageChanged = true;
    ASSERT_TRUE(view()->saveDocument(before));
    const int steps = undoSteps();
    run(33018); // 150%
    EXPECT_EQ(page()->zoom(), 150);
    run(33019); // 200%
    EXPECT_EQ(page()->zoom(), 200);
    runDialog<VornaDialogPropertyZoom>(ID_VIEW_ZOOM_USER, VornaDialogPropertyZoom::IDD, [](VornaDialogPropertyZoom& d) {
        d.findChild<QRadioButton*>(QStringLiteral("id_1468"))->setChecked(true);
        d.findChild<QComboBox*>(QStringLiteral("id_1003"))->setEditText(QStringLiteral("130"));
    });
    EXPECT_EQ(page()->zoom(), 130);
    // A zoom the page cannot show changes nothing.
    runDialog<VornaDialogPropertyZoom>(ID_VIEW_ZOOM_USER, VornaDialogPropertyZoom::IDD, [](VornaDialogPropertyZoom& d) {
        d.findChild<QRadioButton*>(QStringLiteral("id_1468"))->setChecked(true);
        d.findChild<QComboBox*>(QStringLiteral("id_1003"))->setEditText(QStringLiteral("1000%"));
    });
    EXPECT_EQ(page()->zoom(), 130);
    EXPECT_EQ(doc()->body()->innerHTML(), body);
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_FALSE(view()->GetDocument()->isModified());
    view()->GetDocument()->m_bPageChanged = true;
    ASSERT_TRUE(view()->saveDocument(after));
    QFile a(before), b(after);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    run(33016); // 100%
    EXPECT_EQ(page()->zoom(), 100);
}

TEST_F(LayoutView, TheLayoutSettingsSurviveARestart)
{
    openObjects(object("a", 10, 10, 40, 40));
    run(ID_VIEW_SHOW_GRID);
    run(ID_VIEW_SNAP_TO_GRID);
    run(ID_VIEW_SHOW_PAGE_SIZE);
    run(ID_VIEW_PAGE_SIZE_1024);
    run(ID_ARRANGE_TOOLBAR);
    EXPECT_FALSE(frame()->m_settings.showArrange);
    EXPECT_FALSE(checked(ID_ARRANGE_TOOLBAR));
    frame()->OnSysCommandClose();
    app->ExitInstance();
    app.reset();

    app = std::make_unique<CZQApp>();
    ASSERT_TRUE(app->InitInstance({}));
    const EditorSettings& settings = app->mainFrame()->m_settings;
    EXPECT_TRUE(settings.gridVisible);
    EXPECT_TRUE(settings.snapOn);
    EXPECT_TRUE(settings.pageSizeVisible);
    EXPECT_EQ(settings.pageSize, QSize(1024, 768));
    EXPECT_FALSE(settings.showArrange);
}

} // namespace
