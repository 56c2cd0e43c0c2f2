// The object toolbar's text box dropped on a page of the running program:
// into a plain page, into the frameset pane under the point, nowhere else.

#include "app/ChildFramePages.h"

#include "app/CChildFrame.h"
#include "frames/VornaFrameSet.h"

#include "engine/dom/Element.h"

#include <QFileInfo>

namespace {

QString pagesFolder()
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/../data/pages/");
}

// The text boxes of a page (positioned tables).
int boxesOf(CZQView* view)
{
    int boxes = 0;
    engine::Document* page = view ? view->GetHtmlDocument() : nullptr;
    if (!page)
        return -1;
    const engine::ElementCollection tables = page->getElementsByTagName(QStringLiteral("TABLE"));
    for (int i = 0; i < tables.length(); ++i)
        boxes += tables.item(i)
                     ->getAttributeText(QStringLiteral("style"))
                     .contains(QStringLiteral("absolute"), Qt::CaseInsensitive);
    return boxes;
}

class TextBoxDrop : public ChildFramePages
{
protected:
    static void settle()
    {
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
    }
};

TEST_F(TextBoxDrop, GoesIntoThePageUnderThePointAndNowhereElse)
{
    ASSERT_NE(openPage(QStringLiteral("page.html"), "<html><body><p>text</p></body></html>"), nullptr);
    child()->resize(800, 600);
    settle();
    CZQView* page = view();
    ASSERT_NE(page, nullptr);
    const int before = boxesOf(page);
    EXPECT_TRUE(frame().DropTextBox(page->mapToGlobal(page->rect().center())));
    EXPECT_EQ(boxesOf(page), before + 1);
    EXPECT_EQ(frame().m_nInsertKind, 0);
    // Released outside every page view: nothing.
    EXPECT_FALSE(frame().DropTextBox(page->mapToGlobal(QPoint(-50, -50))));
    EXPECT_EQ(boxesOf(page), before + 1);
}

TEST_F(TextBoxDrop, IntoAFramesetThePaneUnderThePointBecomesActiveAndTakesIt)
{
    for (const char* name : {"menu.html", "top.html", "main.html"})
        writeFile(QString::fromLatin1(name), readFile(pagesFolder() + QString::fromLatin1(name)));
    ASSERT_TRUE(app->OpenDocumentFile(
        writeFile(QStringLiteral("frameset.html"), readFile(pagesFolder() + QStringLiteral("frameset.html")))));
    settle();
    child()->resize(900, 700);
    settle();
    ASSERT_TRUE(child()->HasFrameset());
    QList<FramePane*> list;
    child()->frameTree().root->CollectFrameViews(list);
    QList<CZQView*> panes;
    for (FramePane* pane : list)
        panes.append(dynamic_cast<CZQView*>(pane));
    ASSERT_GE(panes.size(), 2);
    CZQView* target = panes.last() == view() ? panes.first() : panes.last();
    ASSERT_NE(target, nullptr);
    const int before = boxesOf(target);
    EXPECT_TRUE(frame().DropTextBox(target->mapToGlobal(target->rect().center())));
    EXPECT_EQ(view(), target);
    EXPECT_EQ(boxesOf(target), before + 1);
}

} // namespace
