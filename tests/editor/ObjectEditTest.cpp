// Page-wide work on objects in the running program: select all, delete,
// paste, Ctrl+drag copies, text drags inside text containers, and pictures
// dropped from the file manager.

#include "ObjectsPage.h"

#include "engine/css/Style.h"
#include "engine/editing/ClipboardData.h"
#include "engine/editing/TextRange.h"

#include "platform/CommandRegistry.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace {

class ObjectEdit : public ObjectsPage
{
protected:
    // The clipboard as the engine's copy leaves it: the HTML between markers.
    static void copyHtml(const QString& fragment)
    {
        auto data = std::make_unique<QMimeData>();
        const QString block = QStringLiteral("Version:0.9\r\nStartHTML:0\r\n<HTML><BODY>\r\n<!--StartFragment-->") +
                              fragment + QStringLiteral("<!--EndFragment-->\r\n</BODY></HTML>");
        data->setData(QString::fromLatin1(engine::clipboard::kHtmlFormatMime), block.toUtf8());
        QGuiApplication::clipboard()->setMimeData(data.release());
    }

    static void copyText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

    int count(const char* tag) const { return doc()->getElementsByTagName(QString::fromLatin1(tag)).length(); }
    engine::Element* nth(const char* tag, int i) const
    {
        return doc()->getElementsByTagName(QString::fromLatin1(tag)).item(i);
    }
    QPoint at(engine::Element* e) const
    {
        return QPoint(engine::Style::pixels(e->style().left()), engine::Style::pixels(e->style().top()));
    }
    int zIndex(engine::Element* e) const { return e->style().zIndex().toInt(); }

    void undo()
    {
        doc()->undoManager().undo();
        settle();
    }
};

TEST_F(ObjectEdit, SelectAllTakesEveryObjectNestedOnesToo)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P>はじめに</P></DIV>\n") + image("a", 10, 10) +
                       QStringLiteral("\n<TABLE id=t style=\"POSITION: absolute; LEFT: 100px; TOP: 10px\"><TR><TD>") +
                       image("inner", 0, 0) +
                       QStringLiteral("<TABLE id=nested><TR><TD>入れ子</TD></TR></TABLE></TD></TR></TABLE>\n"
                                      "<HR id=hr><EMBED id=e src=m.swf width=50 height=50>"
                                      "<OBJECT id=o width=30 height=30></OBJECT>"
                                      "<MARQUEE id=m>ニュース</MARQUEE><APPLET id=ap code=A.class width=20 height=20>"
                                      "</APPLET>\n"),
                   "EUC-JP"),
              nullptr);
    selectObjects({"inner"});
    // Edit > Select All in the running program.
    EXPECT_TRUE(app->commands()->updateCommand(33468));
    app->commands()->sendCommand(33468);
    settle();
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("inner"), QStringLiteral("a"), QStringLiteral("t"),
                                          QStringLiteral("nested"), QStringLiteral("hr"), QStringLiteral("e"),
                                          QStringLiteral("o"), QStringLiteral("m"), QStringLiteral("ap")}));
    // Again: nothing twice.
    sink()->SelectAllObjects();
    EXPECT_EQ(selected().size(), 9u);
}

TEST_F(ObjectEdit, DeletingTakesLinksAndUnusedMapsInOneStep)
{
    ASSERT_NE(open(QStringLiteral("><A id=link href=\"next.html\">") + image("a", 10, 10, 40, 30, "usemap=\"#m1\"") +
                   QStringLiteral("</A>") + image("b", 100, 10, 40, 30, "usemap=\"#m2\"") +
                   image("c", 200, 10, 40, 30, "usemap=\"#m2\"") +
                   QStringLiteral("<MAP name=m1><AREA shape=rect coords=\"0,0,9,9\" href=\"a.html\"></MAP>"
                                  "<MAP name=m2><AREA shape=rect coords=\"0,0,9,9\" href=\"b.html\"></MAP>")),
              nullptr);
    selectObjects({"a", "b"});
    const int steps = undoSteps();
    sink()->DeleteSelection();
    settle();
    EXPECT_EQ(byId("a"), nullptr);
    EXPECT_EQ(byId("link"), nullptr);
    EXPECT_EQ(byId("b"), nullptr);
    // The map another image still uses stays.
    ASSERT_EQ(count("MAP"), 1);
    EXPECT_EQ(nth("MAP", 0)->getAttributeText(QStringLiteral("name")), QStringLiteral("m2"));
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(view()->m_dwSelKind, 0u);
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_NE(byId("a"), nullptr);
    EXPECT_NE(byId("b"), nullptr);
    EXPECT_EQ(count("MAP"), 2);
}

TEST_F(ObjectEdit, DeletingTheLastObjectLeavesAnEmptyBody)
{
    ASSERT_NE(open(QStringLiteral("><P>&nbsp;</P>") + image("a", 10, 10)), nullptr);
    selectObjects({"a"});
    sink()->DeleteSelection();
    settle();
    EXPECT_EQ(doc()->body()->innerHTML(), QString());
}

TEST_F(ObjectEdit, EmptiedCellsKeepTheirFormatting)
{
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=g border=1><TR><TD id=a rowspan=2><B>abc</B></TD><TD id=b>b1</TD>"
                                  "<TD id=c>c1</TD></TR><TR><TD id=d>d<I>2</I></TD><TD id=e>e2</TD></TR></TABLE>\n")),
              nullptr);
    // The range from the spanning cell to the second row's first cell,
    // which stands in the grid's second column.
    sink()->m_pSelTable = byId("g");
    sink()->m_pAnchorCell = byId("a");
    sink()->m_cellAnchor = {0, 0};
    sink()->m_pCurrentCell = byId("d");
    sink()->m_cellCurrent = {1, 1};
    sink()->ClearSelectedCells();
    EXPECT_EQ(byId("a")->innerHTML(), QStringLiteral("<B></B>"));
    EXPECT_EQ(byId("b")->innerHTML(), QString());
    EXPECT_EQ(byId("d")->innerHTML(), QStringLiteral("<I></I>"));
    EXPECT_EQ(byId("c")->innerHTML(), QStringLiteral("c1"));
    EXPECT_EQ(byId("e")->innerHTML(), QStringLiteral("e2"));
    sink()->ClearCellRange();
}

TEST_F(ObjectEdit, TheContentExtentReachesTheFarthestObject)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P>文</P></DIV>\n")), nullptr);
    EXPECT_EQ(sink()->GetContentExtent(), QSize(0, 0));
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 50, 200, 100) + image("b", 20, 20, 10, 10), "UTF-8",
                   QStringLiteral("second")),
              nullptr);
    EXPECT_EQ(sink()->GetContentExtent(), QSize(300, 150));
}

TEST_F(ObjectEdit, PastedObjectsMoveOffTheOnesTheyWouldCover)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 100, 40, 30) + QStringLiteral("\n")), nullptr);
    const int z0 = view()->m_nMaxZIndex;
    copyHtml(QStringLiteral("<IMG id=p1 src=\"x.gif\" style=\"Z-INDEX: 5; LEFT: 100px; POSITION: absolute; TOP: 100px; "
                            "WIDTH: 20px; HEIGHT: 20px\">"
                            "<IMG id=p2 src=\"y.gif\" style=\"Z-INDEX: 7; LEFT: 110px; POSITION: absolute; TOP: "
                            "110px; WIDTH: 20px; HEIGHT: 20px\">"));
    const int steps = undoSteps();
    ASSERT_TRUE(sink()->DoPaste());
    settle();
    // The first moves off the page's picture, the second off the first.
    EXPECT_EQ(at(byId("p1")), QPoint(110, 110));
    EXPECT_EQ(at(byId("p2")), QPoint(120, 120));
    EXPECT_EQ(zIndex(byId("p1")), z0 + 1);
    EXPECT_EQ(zIndex(byId("p2")), z0 + 3);
    EXPECT_EQ(view()->m_nMaxZIndex, z0 + 3);
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("p1"), QStringLiteral("p2")}));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(byId("p1"), nullptr);
    EXPECT_EQ(byId("p2"), nullptr);
    // Without the markers nothing is pasted.
    auto broken = std::make_unique<QMimeData>();
    broken->setData(QString::fromLatin1(engine::clipboard::kHtmlFormatMime), QByteArray("<IMG src=z.gif>"));
    QGuiApplication::clipboard()->setMimeData(broken.release());
    const QString before = doc()->body()->innerHTML();
    EXPECT_FALSE(sink()->DoPaste());
    EXPECT_EQ(doc()->body()->innerHTML(), before);
}

TEST_F(ObjectEdit, APasteOutOfViewIsScrolledTo)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV style=\"height: 4000px\"></DIV>\n")), nullptr);
    page()->scrollToPage(QPoint(0, 2000));
    settle();
    copyHtml(QStringLiteral("<TABLE id=box style=\"Z-INDEX: 3; LEFT: 20px; POSITION: absolute; TOP: 30px\"><TR><TD>"
                            "表</TD></TR></TABLE>"));
    ASSERT_TRUE(sink()->DoPaste());
    settle();
    EXPECT_EQ(page()->scrollPosition().y(), 0);
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("box")}));
}

TEST_F(ObjectEdit, PlainTextGoesIntoATextBoxAsText)
{
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=text style=\"POSITION: absolute; LEFT: 10px; TOP: 300px\"><TR><TD "
                                  "id=cell>中身</TD></TR></TABLE>\n")),
              nullptr);
    copyText(QStringLiteral("if a < b & c\nthen <B>"));
    const int z0 = view()->m_nMaxZIndex;
    const int steps = undoSteps();
    ASSERT_TRUE(sink()->DoPaste());
    settle();
    ASSERT_EQ(count("TABLE"), 2);
    engine::Element* box = nth("TABLE", 1);
    EXPECT_EQ(box->innerText().replace(QLatin1Char('\r'), QString()), QStringLiteral("if a < b & c\nthen <B>"));
    EXPECT_EQ(count("B"), 0);
    EXPECT_EQ(zIndex(box), z0 + 1);
    EXPECT_EQ(undoSteps(), steps + 1);
    // HTML without positioned objects goes into a text box too, but not
    // while the caret stands in text.
    copyHtml(QStringLiteral("<B>太字</B>"));
    ASSERT_TRUE(sink()->DoPaste());
    settle();
    EXPECT_EQ(count("TABLE"), 3);
    EXPECT_EQ(count("B"), 1);
    caretIn("cell", 1);
    ASSERT_TRUE(sink()->IsTextEditContext());
    EXPECT_FALSE(sink()->DoPaste());
    copyText(QStringLiteral("more"));
    EXPECT_FALSE(sink()->DoPaste());
    EXPECT_EQ(count("TABLE"), 3);
    EXPECT_EQ(view()->m_nMaxZIndex, z0 + 2);
}

TEST_F(ObjectEdit, CtrlDragCopiesObjectsAndTheirMapInOneStep)
{
    ASSERT_NE(open(QStringLiteral(">\n<IMG id=a src=a.gif usemap=\"#m1\" style=\"Z-INDEX: 104; LEFT: 100px; POSITION: "
                                  "absolute; TOP: 100px; WIDTH: 40px; HEIGHT: 30px\">\n<IMG id=b src=b.gif "
                                  "style=\"Z-INDEX: 102; LEFT: 200px; POSITION: absolute; TOP: 100px; WIDTH: 40px; "
                                  "HEIGHT: 30px\">\n<MAP name=m1><AREA shape=rect coords=\"0,0,9,9\" "
                                  "href=\"a.html\"></MAP>\n")),
              nullptr);
    selectObjects({"a", "b"});
    const int z0 = view()->m_nMaxZIndex;
    const int steps = undoSteps();
    sink()->m_ptDragPasteStart = QPoint(110, 110);
    sink()->m_ptDragPasteSaved = sink()->m_ptDragPasteStart;
    sink()->DrawDragPasteOutlines(QPoint(140, 150));
    sink()->DrawDragPasteOutlines(QPoint(160, 130));
    sink()->DragPaste();
    settle();
    ASSERT_EQ(count("IMG"), 4);
    engine::Element* copyA = nth("IMG", 2);
    engine::Element* copyB = nth("IMG", 3);
    EXPECT_EQ(at(copyA), QPoint(150, 120));
    EXPECT_EQ(at(copyB), QPoint(250, 120));
    // Above the page's counter, in the order the originals had.
    EXPECT_EQ(zIndex(copyA), z0 + 3);
    EXPECT_EQ(zIndex(copyB), z0 + 1);
    EXPECT_EQ(view()->m_nMaxZIndex, z0 + 3);
    // The copy has a map of its own.
    ASSERT_EQ(count("MAP"), 2);
    const QString usemap = copyA->getAttributeText(QStringLiteral("usemap")).remove(QLatin1Char('#'));
    EXPECT_NE(usemap, QStringLiteral("m1"));
    EXPECT_EQ(nth("MAP", 1)->getAttributeText(QStringLiteral("name")), usemap);
    EXPECT_EQ(selected().size(), 2u);
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(count("IMG"), 2);
    EXPECT_EQ(count("MAP"), 1);
    // A release where the drag began copies nothing.
    sink()->m_ptDragPasteSaved = sink()->m_ptDragPasteStart;
    sink()->DragPaste();
    EXPECT_EQ(count("IMG"), 2);
}

TEST_F(ObjectEdit, ATextDragStaysInItsContainer)
{
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=text width=300 style=\"POSITION: absolute; LEFT: 20px; TOP: 20px\">"
                                  "<TR><TD id=box>abcdefghij</TD></TR></TABLE>\n"
                                  "<TABLE id=grid border=1 style=\"POSITION: absolute; LEFT: 20px; TOP: 200px\"><TR>"
                                  "<TD id=one width=120>first cell</TD><TD id=two width=120>second cell</TD></TR>"
                                  "</TABLE>\n"),
                   "Shift_JIS"),
              nullptr);
    const QRect box = clientBox("box");
    const int middle = box.center().y();
    // The press puts the caret between "e" and "f" and holds the drag.
    caretIn("box", 0);
    int x = box.left();
    for (; x < box.right(); ++x) {
        engine::TextRange r = doc()->selection().createRange();
        r.moveToPoint(x, middle);
        if (r.start().offset() == 5)
            break;
    }
    ASSERT_LT(x, box.right());
    sink()->BeginTextDragSelection(x, middle);
    ASSERT_TRUE(sink()->m_bIsTextDragMode);
    // Along the line: from the caret to the pointer.
    during(QPoint(box.right() - 2, middle), [&] { sink()->ExtendTextDragSelection(); });
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("fghij"));
    // Out of the box above the line: from the start of the cell.
    during(QPoint(x - 5, box.top() - 15), [&] { sink()->ExtendTextDragSelection(); });
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("abcde"));
    // Below it: to the cell's end.
    during(QPoint(x - 5, box.bottom() + 40), [&] { sink()->ExtendTextDragSelection(); });
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("fghij"));
    // Into another table's cell: a text box starts no cell range.
    during(clientBox("one").center(), [&] { sink()->ExtendTextDragSelection(); });
    EXPECT_FALSE(sink()->m_bCellDragSelect);
    sink()->EndTextDragSelection();
    EXPECT_FALSE(sink()->m_bIsTextDragMode);

    // From one cell of an ordinary table into the next: a cell range anchored at the first.
    const QRect one = clientBox("one");
    caretIn("one", 0);
    sink()->BeginTextDragSelection(one.left() + 5, one.center().y());
    ASSERT_TRUE(sink()->m_bIsTextDragMode);
    during(clientBox("two").center(), [&] { sink()->ExtendTextDragSelection(); });
    EXPECT_TRUE(sink()->m_bCellDragSelect);
    EXPECT_FALSE(sink()->m_bIsTextDragMode);
    EXPECT_EQ(sink()->m_pAnchorCell.get(), byId("one"));
    EXPECT_EQ(sink()->m_cellAnchor, (CellPosition{0, 0}));
    sink()->m_bCellDragSelect = false;

    // A press on the text already selected leaves it to the engine.
    selectText("two", 0, 6);
    const std::vector<QRect> rects = doc()->selection().createRange().getClientRects();
    ASSERT_FALSE(rects.empty());
    const QRect selectedText = rects.front();
    sink()->BeginTextDragSelection(selectedText.center().x(), selectedText.center().y());
    EXPECT_FALSE(sink()->m_bIsTextDragMode);
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("second"));
}

TEST_F(ObjectEdit, APictureFromTheFileManagerGoesInWhereItIsDropped)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P>写真を置きます</P></DIV>\n"), "ISO-2022-JP"), nullptr);
    const QString file = dir.filePath(QStringLiteral("夏の \"海\".png"));
    QImage picture(48, 32, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(file, "PNG"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const QPoint spot = page()->clientToView(QPoint(120, 80));
    QDragEnterEvent enter(spot, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page()->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    const int steps = undoSteps();
    QDropEvent drop(QPointF(spot), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page()->viewport(), &drop);
    settle();
    ASSERT_EQ(count("IMG"), 1);
    engine::Element* img = nth("IMG", 0);
    EXPECT_EQ(img->style().cssText(),
              QStringLiteral("POSITION: absolute; Z-INDEX: 101; LEFT: 120px; TOP: 80px; WIDTH: 48px; HEIGHT: 32px"));
    EXPECT_EQ(img->getAttributeText(QStringLiteral("src")), file);
    EXPECT_EQ(selected().size(), 1u);
    EXPECT_EQ(selected().front().get(), img);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    // Saved and read again, the name with its blank and quotes still finds the file.
    ASSERT_TRUE(doc()->save(dir.filePath(QStringLiteral("page.html"))));
    doc()->refresh();
    settle();
    EXPECT_EQ(doc()->images().item(0)->getAttributeText(QStringLiteral("src")), file);
}

} // namespace
