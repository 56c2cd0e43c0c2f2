// The page's context menu, built from the element's tag and the selection
// kind, shown at the mouse with its entries enabled as the commands are;
// and input methods typing over text.

#include "ChildFramePages.h"

#include "app/PageContextMenu.h"
#include "controls/VornaComboEx.h"
#include "util/PageDom.h"

#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/view/PageView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

QList<int> idsOf(const QList<PageMenuEntry>& entries)
{
    QList<int> ids;
    for (const PageMenuEntry& entry : entries)
        ids.append(entry.id);
    return ids;
}

TEST(PageContextMenu, ThePageBackgroundGivesTheEditMenuTheStackingOrderAndTheOutlines)
{
    const QList<PageMenuEntry> menu = BuildPageContextMenu(QStringLiteral("body"), 0, true, false);
    EXPECT_EQ(idsOf(menu), (QList<int>{33462, 33463, 33464, 33465, 33466, 33467, 33468, 0, 33174, 0, 33225, 33226,
                                       33362, 33361, 33224}));
    EXPECT_EQ(menu.first().text, QStringLiteral("元に戻す"));
    EXPECT_EQ(menu.last().text, QStringLiteral("外枠を表示"));
    // A frameset page's background adds the frame entries.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("BODY"), 0x1, true, true)).mid(9),
              (QList<int>{0, 33301, 0, 0, 32913, 32912, 33351, 33277, 33278, 0, 33224}));
}

TEST(PageContextMenu, ObjectsAndCellsGetTheirOwnEntries)
{
    // Two images selected.
    const QList<PageMenuEntry> images = BuildPageContextMenu(QStringLiteral("IMG"), 0x400 | 0x2000, false, false);
    EXPECT_EQ(idsOf(images), (QList<int>{33464, 33465, 33466, 33467, 0, 33141, 0, 33224}));
    EXPECT_EQ(images.at(5).text, QStringLiteral("画像のプロパティ…"));
    EXPECT_EQ(images.at(3).text, QStringLiteral("削除                    Del"));
    // The caret in a table cell: font, table, cell and the row, column and cell entries.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("TD"), 0x10 | 0x20000, false, false)),
              (QList<int>{33464, 33465, 33466, 33467, 0,     33301, 0,     33241, 33230, 0,
                          33234, 33235, 33236, 33232, 33237, 33238, 33273, 33272, 0,     33224}));
    // A range of cells: the merge instead.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("TD"), 0x10 | 0x20000 | 0x1000, false, false)),
              (QList<int>{33464, 33465, 33466, 33467, 0, 33301, 0, 33241, 33239, 0, 33224}));
    // A plain image without a link: its entries, then all three link entries.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("IMG"), 0x8, false, false)),
              (QList<int>{33464, 33465, 33466, 33467, 0, 33141, 33332, 33477, 0, 33135, 33403, 33405, 0, 33225, 33226,
                          33362, 33361, 33224}));
    // A linked image: only its link kind.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("IMG"), 0x8 | 0x20, false, false)).mid(8, 2),
              (QList<int>{0, 33135}));
}

TEST(PageContextMenu, ThePagesFlowingTextGetsTheFontAndTheLinksOfATextBoxsText)
{
    const QList<int> clipboard{33464, 33465, 33466, 33467};
    // A caret: the font, and no stacking order (there is no object).
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("P"), kSelFlowText, false, false)),
              (clipboard + QList<int>{0, 33301, 0, 33224}));
    // The caret in a link: that link's entry.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("A"), kSelFlowText | 0x40, false, false)),
              (clipboard + QList<int>{0, 33301, 0, 33403, 0, 33224}));
    // Selected words: all three link entries, or the kind they carry.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("P"), kSelFlowText, false, false, true)),
              (clipboard + QList<int>{0, 33301, 0, 33135, 33403, 33405, 0, 33224}));
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("P"), kSelFlowText | 0x20, false, false, true)),
              (clipboard + QList<int>{0, 33301, 0, 33135, 0, 33224}));
    // A text box's text, for comparison: the same entries.
    EXPECT_EQ(idsOf(BuildPageContextMenu(QStringLiteral("TD"), 0x40000 | 0x2 | 0x40, false, false)),
              (clipboard + QList<int>{0, 33301, 0, 33403, 0, 33224}));
}

// Hands the menu to `look` once it is open; `look` closes it or chooses.
class MenuWatch
{
public:
    explicit MenuWatch(std::function<void(QMenu*)> look)
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this, look = std::move(look)] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                m_timer.stop();
                look(menu);
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

class PageContextMenuTest : public ChildFramePages
{
protected:
    void SetUp() override
    {
        ChildFramePages::SetUp();
        // Without the typing sounds: Qt's cache of sounds, which loads them
        // on a thread of its own, locks itself up when the process ends
        // while a sound is still loading (text typed last on a busy
        // machine), and the test never ends.
        if (app)
            frame().m_settings.soundEffect = 0;
    }
};

TEST_F(PageContextMenuTest, ARightClickShowsTheMenuAndRunsTheChoice)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), "<HTML><BODY><DIV id=d>x</DIV></BODY></HTML>"), nullptr);
    // The document's properties, handled here as their command will be.
    int handled = 0;
    child()->onCommand(33174, [&handled] { ++handled; });
    QStringList texts;
    QList<bool> enabled;
    int chosen = 0;
    // Once the menu is open: its entries read, then the document's properties chosen.
    const MenuWatch watch([&](QMenu* menu) {
        QAction* choice = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            texts.append(action->text());
            enabled.append(action->isEnabled());
            if (action->data().toInt() == 33174 && action->isEnabled())
                choice = action;
        }
        if (!choice) {
            menu->close();
            return;
        }
        chosen = choice->data().toInt();
        menu->setActiveAction(choice);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QList<int> routed;
    QObject::connect(app->commands(), &platform::CommandRegistry::commandRouted,
                     [&routed](int id, bool) { routed.append(id); });
    view()->ShowContextMenu(QStringLiteral("BODY"), 100, 100);
    ASSERT_EQ(texts.size(), 13);
    EXPECT_EQ(texts.first(), QStringLiteral("元に戻す"));
    EXPECT_FALSE(enabled.first()); // nothing to undo yet
    EXPECT_EQ(texts.at(7), QStringLiteral("ドキュメントのプロパティ..."));
    EXPECT_EQ(texts.last(), QStringLiteral("外枠を表示"));
    // The choice ran as a command of the main frame.
    EXPECT_EQ(chosen, 33174);
    EXPECT_EQ(routed, QList<int>{33174});
    EXPECT_EQ(handled, 1);
}

TEST_F(PageContextMenuTest, ARightClickOnTheBackgroundTakesTheSelectionAway)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"),
                       "<HTML><BODY><TABLE id=t style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\">"
                       "<TR><TD>x</TD></TR></TABLE></BODY></HTML>"),
              nullptr);
    page()->selection().setControlRange({page()->getElementById(QStringLiteral("t"))});
    engine::PageView* pageView = view()->GetPageView();
    pageView->flushChanges();
    QList<int> ids;
    bool tableEnabled = true;
    const MenuWatch watch([&](QMenu* menu) {
        for (const QAction* action : menu->actions()) {
            ids.append(action->data().toInt());
            if (action->data().toInt() == 33241)
                tableEnabled = action->isEnabled();
        }
        menu->close();
    });
    // A right click far from the table, as the mouse gives it.
    const QPoint at = pageView->clientToView(QPoint(300, 300));
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, pageView->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(pageView->viewport(), &click);
    // The background's menu, with the table's entries of the selection the click found...
    ASSERT_FALSE(ids.isEmpty());
    EXPECT_EQ(ids.first(), 33462);
    EXPECT_TRUE(ids.contains(33241));
    // ...which the click took away: they have nothing to work on.
    EXPECT_FALSE(tableEnabled);
    EXPECT_EQ(page()->selection().type(), engine::Selection::Type::None);
    EXPECT_EQ(view()->m_dwSelKind, 0u);
}

TEST_F(PageContextMenuTest, TypingOverTextComposesAboveTheCaretInTheFormatBarsFont)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"),
                       "<HTML><BODY><TABLE id=text style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\">"
                       "<TR><TD id=c>abcdef</TD></TR></TABLE></BODY></HTML>"),
              nullptr);
    engine::PageView* pageView = view()->GetPageView();
    engine::Text* text = page()->getElementById(QStringLiteral("c"))->firstChild()->asText();
    page()->selection().collapseAt(text, 1);
    pageView->flushChanges();
    const QRect caret = static_cast<QWidget*>(pageView)->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    ASSERT_FALSE(caret.isNull());
    frame().fontSizeBox()->setCurrentIndex(6);
    frame().fontFaceBox()->setCurrentIndex(0);

    QInputMethodQueryEvent query(Qt::ImCursorRectangle | Qt::ImFont);
    QCoreApplication::sendEvent(pageView, &query);
    EXPECT_EQ(query.value(Qt::ImCursorRectangle).toRect(), caret) << "typing inserts: the page answers";

    frame().m_bOverwrite = true;
    QInputMethodQueryEvent over(Qt::ImCursorRectangle | Qt::ImFont);
    QCoreApplication::sendEvent(pageView, &over);
    EXPECT_EQ(over.value(Qt::ImCursorRectangle).toRect(), caret.translated(0, -1));
    const QFont font = over.value(Qt::ImFont).value<QFont>();
    EXPECT_EQ(font.pointSize(), 36);
    EXPECT_EQ(font.family(), frame().fontFaceBox()->currentText());
    // Without a size chosen, 12 points.
    frame().fontSizeBox()->setCurrentIndex(-1);
    EXPECT_EQ(view()->CompositionFont().pointSize(), 12);

    // Three characters composed over the text take the place of the three after the caret.
    view()->ExecCommand(engine::CommandGroup::Overwrite);
    page()->selection().collapseAt(text, 0);
    QInputMethodEvent compose(QStringLiteral("あいう"), {});
    QCoreApplication::sendEvent(pageView, &compose);
    EXPECT_EQ(page()->getElementById(QStringLiteral("c"))->innerText(), QStringLiteral("abcdef"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("あいう"));
    QCoreApplication::sendEvent(pageView, &commit);
    EXPECT_EQ(page()->getElementById(QStringLiteral("c"))->innerText(), QStringLiteral("あいうdef"));
}

} // namespace
