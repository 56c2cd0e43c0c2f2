// The image-map editor on pages in the running program: each operation is
// called inside a synthetic mouse event of the page, in the order the mouse
// handlers call them, and the page, its undo steps and the painters are
// checked afterwards.

#include "EditorPage.h"

#include "../controls/ReviewPicture.h"

#include "app/CZQDoc.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "res/resource.h"

#include "engine/markup/UndoManager.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"
#include "support/HyperlinkAnswer.h"

#include <QAction>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QComboBox>
#include <QDialog>

namespace {

using platform::ModalResponder;

// A shop's home page of the HTML 4 era: a picture whose map links to the
// menu, the way there and the shop, with a default area; a logo without a
// map; a picture in a table cell.
const char* const kShopPage =
    "style=\"margin:0\">\n"
    "<IMG id=photo src=\"shop.png\" width=200 height=150 border=0 usemap=\"shopmap\" "
    "style=\"Z-INDEX: 101; LEFT: 100px; POSITION: absolute; TOP: 50px\" alt=\"お店の写真\">\n"
    "<MAP name=ShopMap>\n"
    "<AREA shape=rect coords=\"10,10,90,60\" href=\"menu.html\" id=1 alt=\"メニュー\">\n"
    "<AREA shape=circle coords=\"150, 40, 20\" href=\"access.html\" id=2 alt=\"地図\">\n"
    "<AREA shape=polygon coords=\"20,100,80,100,50,140\" href=\"shop.html\" id=3>\n"
    "<AREA shape=default href=\"index.html\">\n"
    "</MAP>\n"
    "<IMG id=logo src=\"logo.png\" width=160 height=120 border=0 "
    "style=\"Z-INDEX: 102; LEFT: 400px; POSITION: absolute; TOP: 50px\">\n"
    "<TABLE id=frame border=1 cellpadding=7 style=\"Z-INDEX: 103; LEFT: 100px; POSITION: absolute; TOP: 300px\">"
    "<TR><TD>季節のおすすめ<IMG id=cellpic src=\"season.png\" width=100 height=60 border=0></TD></TR></TABLE>\n";

class ImageMapEditor : public EditorPage
{
protected:
    void SetUp() override
    {
        EditorPage::SetUp();
        // Pictures without black, so that only the areas draw black: the
        // shop's photo is a signboard, the sun and a tree where its areas are.
        QImage shop(200, 150, QImage::Format_RGB32);
        shop.fill(QColor(0xA8, 0xD8, 0xF0));
        {
            QPainter p(&shop);
            p.fillRect(0, 95, 200, 55, QColor(0x78, 0xB8, 0x58));
            p.fillRect(10, 10, 80, 50, QColor(0xC8, 0x64, 0x3C));
            p.fillRect(16, 16, 68, 38, QColor(0xF8, 0xF0, 0xE0));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xF8, 0xD0, 0x40));
            p.drawEllipse(QPoint(150, 40), 18, 18);
            p.setBrush(QColor(0x30, 0x80, 0x40));
            p.drawPolygon(QPolygon({QPoint(20, 100), QPoint(80, 100), QPoint(50, 140)}));
        }
        ASSERT_TRUE(shop.save(dir.filePath(QStringLiteral("shop.png"))));
        const std::pair<const char*, QSize> plain[] = {{"logo.png", {160, 120}}, {"season.png", {100, 60}}};
        for (const auto& [name, size] : plain) {
            QImage picture(size, QImage::Format_RGB32);
            picture.fill(QColor(0xF0, 0xE0, 0xC0));
            ASSERT_TRUE(picture.save(dir.filePath(QString::fromLatin1(name))));
        }
        ASSERT_NE(open(QString::fromUtf8(kShopPage), "Shift_JIS"), nullptr);
    }

    CMainFrame* frame() const { return app->mainFrame(); }

    // The image selected as the page's selection change leaves it.
    void selectImage(const char* id)
    {
        selectObjects({id});
        sink()->m_pMapImage = byId(id);
    }

    // A click on an image as the user makes it: the press reaches the
    // editor, then the page selects the image, then the release.
    void click(const char* image, int x, int y)
    {
        press(at(image, x, y));
        selectImage(image);
        release(at(image, x, y));
    }

    engine::Element* mapNamed(const char* name)
    {
        for (const engine::Ref<engine::Element>& map : doc()->getElementsByTagName(QStringLiteral("MAP")).toVector())
            if (map->name() == QLatin1String(name))
                return map.get();
        return nullptr;
    }

    // A client point at image coordinates of an image.
    QPoint at(const char* image, int x, int y) { return clientBox(image).topLeft() + QPoint(x, y); }

    // The mouse handlers' image-map steps, inside an event at a point.
    int press(QPoint point)
    {
        engine::EventObject event = eventAt(point, engine::LeftButton);
        engine::EventDispatcher::Scope scope(page()->events(), event);
        engine::Ref<engine::Element> element;
        sink()->GetElementFromPoint(point, element);
        return sink()->ImageMapMouseDown(element.get());
    }
    int moveTo(QPoint point)
    {
        engine::EventObject event = eventAt(point, engine::LeftButton);
        engine::EventDispatcher::Scope scope(page()->events(), event);
        const int result = sink()->ImageMapMouseMove();
        if (result == -1 || result == 1)
            return result;
        if (frame()->m_nInsertKind == 8)
            return sink()->TrackNewArea();
        if (sink()->m_nEditMode == 2)
            return sink()->SetAreaHandleCursor();
        return 0;
    }
    int release(QPoint point)
    {
        engine::EventObject event = eventAt(point, engine::LeftButton);
        engine::EventDispatcher::Scope scope(page()->events(), event);
        engine::Ref<engine::Element> element;
        sink()->GetElementFromPoint(sink()->m_ptMouseDown, element);
        return sink()->ImageMapMouseUp(element.get());
    }
    int doubleClick(QPoint point)
    {
        engine::EventObject event = eventAt(point, engine::LeftButton);
        engine::EventDispatcher::Scope scope(page()->events(), event);
        engine::Ref<engine::Element> element;
        sink()->GetElementFromPoint(point, element);
        return sink()->m_nEditMode == 3 ? sink()->ClosePolygonArea(element.get()) : 0;
    }
    int drag(QPoint from, QPoint to)
    {
        const int down = press(from);
        if (down == -1)
            return down;
        moveTo((from + to) / 2);
        moveTo(to);
        return release(to);
    }

    static engine::EventObject eventAt(QPoint point, int button)
    {
        engine::EventObject event;
        event.x = point.x();
        event.y = point.y();
        event.button = button;
        return event;
    }

    // The hyperlink dialog answered with OK and these values, or Cancel.
    void answerLink(ModalResponder& responder, const QString& url, const QString& target = {})
    {
        responder.on(IDD_HYPERLINK, [url, target](QDialog& dialog) {
            EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("id_1474"))->isEnabled());
            TypeLinkAddress(dialog, url);
            dialog.findChild<QComboBox*>(QStringLiteral("id_1106"))->setEditText(target);
            ModalResponder::press(dialog, platform::IDOK);
        });
    }

    const std::vector<std::shared_ptr<CHTMLPainterImageMap>>& painters() const { return view()->m_areaPainters; }
    std::shared_ptr<CHTMLPainterImageMap> painterOf(const char* id) const
    {
        for (const auto& p : painters())
            if (p->m_strId == QLatin1String(id))
                return p;
        return nullptr;
    }
    QString mapHtml(const char* name)
    {
        for (const engine::Ref<engine::Element>& map : doc()->getElementsByTagName(QStringLiteral("MAP")).toVector())
            if (map->name() == QLatin1String(name))
                return map->outerHTML();
        return QStringLiteral("(none)");
    }
    int undoSteps() { return doc()->undoManager().undoCount(); }
};

TEST_F(ImageMapEditor, AClickOnTheImageReadsItsMapIntoPainters)
{
    const int steps = undoSteps();
    doc()->setDirty(false);
    // On the image away from its areas.
    click("photo", 190, 10);
    EXPECT_EQ(sink()->m_nEditMode, 1);
    // The "#" goes back in front of the usemap, quietly; the map is found
    // whatever the case of its name.
    EXPECT_EQ(byId("photo")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("#shopmap"));
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_FALSE(doc()->isDirty());
    // Rect, circle and polygon, in reading order; the default area has none.
    ASSERT_EQ(painters().size(), 3u);
    EXPECT_EQ(sink()->m_nMapAreaCount, 3);
    EXPECT_EQ(painters()[0]->m_strShape, QStringLiteral("rect"));
    EXPECT_EQ(painters()[1]->m_coords, (std::vector<int>{150, 40, 20}));
    EXPECT_EQ(painters()[2]->m_strShape, QStringLiteral("polygon"));
    EXPECT_EQ(painters()[2]->m_strId, QStringLiteral("3"));
    for (const auto& p : painters())
        EXPECT_EQ(p->m_nState, CHTMLPainterImageMap::Normal);
    EXPECT_EQ(sink()->m_ptImageOrigin, QPoint(100, 50));
    EXPECT_EQ(sink()->m_rcMapImage, platform::Rect(100, 50, 300, 200));
    // A second click reads it again into as many painters.
    click("photo", 190, 10);
    EXPECT_EQ(painters().size(), 3u);
}

TEST_F(ImageMapEditor, AShortListStopsTheReadingAndStrangeMapsAreHarmless)
{
    mapNamed("ShopMap")->areas().item(1)->setAttribute(QStringLiteral("shape"),
                                                       engine::Variant(QStringLiteral("rect")));
    click("photo", 190, 10);
    EXPECT_EQ(painters().size(), 1u); // the "rect" of three numbers stops it
    // An image whose usemap names no map: ready, no painter.
    byId("logo")->setAttribute(QStringLiteral("usemap"), engine::Variant(QStringLiteral("#nothing")));
    click("logo", 10, 100);
    EXPECT_EQ(sink()->m_nEditMode, 1);
    EXPECT_TRUE(painters().empty());
    // Two maps of that name, the second with a thousand areas: all are read.
    QString areas;
    for (int i = 0; i < 1000; ++i)
        areas += QStringLiteral("<AREA shape=rect coords=\"%1,0,%2,10\" href=\"p%3.html\" id=a%3>")
                     .arg(i % 150)
                     .arg(i % 150 + 5)
                     .arg(i);
    doc()->body()->insertAdjacentHTML(QStringLiteral("beforeEnd"),
                                      QStringLiteral("<MAP name=nothing><AREA shape=circle coords=\"5,5,5\" id=c></MAP>"
                                                     "<MAP name=NOTHING>%1</MAP>")
                                          .arg(areas));
    click("logo", 10, 100);
    EXPECT_EQ(painters().size(), 1001u);
    EXPECT_EQ(sink()->m_nMapAreaCount, 1001);
}

TEST_F(ImageMapEditor, SelectingAnAreaAndSelectingItAgain)
{
    click("photo", 190, 10);
    EXPECT_EQ(press(at("photo", 150, 40)), 0); // inside the circle
    EXPECT_EQ(sink()->m_nEditMode, 2);
    EXPECT_TRUE(sink()->m_bNoMove);
    EXPECT_EQ(view()->m_strSelectedAreaId, QStringLiteral("2"));
    EXPECT_EQ(view()->m_areaWorkCoords, (std::vector<int>{150, 40, 20}));
    EXPECT_EQ(painterOf("2")->m_nState, CHTMLPainterImageMap::Selected);
    // A click on an area writes nothing.
    const int steps = undoSteps();
    release(at("photo", 150, 40));
    EXPECT_EQ(undoSteps(), steps);
    // Another area takes the selection; the same one keeps it.
    press(at("photo", 30, 30));
    EXPECT_EQ(view()->m_strSelectedAreaId, QStringLiteral("1"));
    EXPECT_EQ(painterOf("2")->m_nState, CHTMLPainterImageMap::Normal);
    release(at("photo", 30, 30));
    press(at("photo", 30, 30));
    EXPECT_EQ(painterOf("1")->m_nState, CHTMLPainterImageMap::Selected);
    release(at("photo", 30, 30));
    // A press elsewhere on the page ends the editing of the image.
    press(QPoint(700, 500));
    EXPECT_EQ(sink()->m_nEditMode, 0);
    EXPECT_TRUE(painters().empty());
    EXPECT_EQ(byId("photo")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("shopmap"));
}

TEST_F(ImageMapEditor, HandleDragsAndWholeMovesWriteOneStepEach)
{
    engine::Element* map = mapNamed("ShopMap");
    map->areas().item(0)->setAttribute(QStringLiteral("coords"), engine::Variant(QStringLiteral("120,90,180,140")));
    engine::Element* circle = map->areas().item(1);
    circle->setAttribute(QStringLiteral("coords"), engine::Variant(QStringLiteral("50, 50, 10")));
    click("photo", 190, 10);
    press(at("photo", 50, 50));
    release(at("photo", 50, 50));
    // Handle 3 of [50, 50, 10] to (70, 65).
    const int steps = undoSteps();
    EXPECT_EQ(press(at("photo", 60, 60)), 1);
    EXPECT_EQ(sink()->m_nEditMode, 5);
    EXPECT_EQ(moveTo(at("photo", 70, 65)), 1);
    EXPECT_EQ(view()->m_areaWorkCoords, (std::vector<int>{52, 52, 12}));
    EXPECT_EQ(painterOf("2")->m_nState, CHTMLPainterImageMap::Reshaped);
    EXPECT_EQ(page()->pageCursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(release(at("photo", 70, 65)), 0);
    EXPECT_EQ(circle->getAttributeText(QStringLiteral("coords")), QStringLiteral("52, 52, 12"));
    EXPECT_EQ(sink()->m_nEditMode, 2);
    EXPECT_EQ(undoSteps(), steps + 1);
    // The whole circle moves by (2, 2).
    EXPECT_EQ(press(at("photo", 52, 52)), 0);
    EXPECT_EQ(moveTo(at("photo", 54, 54)), 1);
    EXPECT_EQ(painterOf("2")->m_nState, CHTMLPainterImageMap::Moved);
    release(at("photo", 54, 54));
    EXPECT_EQ(circle->getAttributeText(QStringLiteral("coords")), QStringLiteral("54, 54, 12"));
    EXPECT_EQ(undoSteps(), steps + 2);
    doc()->undoManager().undo();
    EXPECT_EQ(circle->getAttributeText(QStringLiteral("coords")), QStringLiteral("52, 52, 12"));
}

TEST_F(ImageMapEditor, ARectangleDrawnOnAnImageWithoutAMap)
{
    click("logo", 150, 110);
    frame()->OnAreaRect();
    EXPECT_EQ(sink()->m_nEditMode, 3);
    EXPECT_EQ(frame()->m_nInsertKind, 8);
    EXPECT_EQ(frame()->m_nAreaTool, 1);
    ModalResponder responder;
    answerLink(responder, QStringLiteral("menu.html"));
    const int steps = undoSteps();
    EXPECT_EQ(drag(at("logo", 10, 20), at("logo", 110, 70)), 0);
    EXPECT_EQ(responder.runCount(IDD_HYPERLINK), 1);
    // The map is BODY's first child, with its area; the image uses it.
    EXPECT_EQ(doc()->body()->children().item(0)->tagName(), QStringLiteral("MAP"));
    EXPECT_EQ(mapHtml("ULOMap0"), QStringLiteral("<MAP name=ULOMap0><AREA href=\"menu.html\" shape=rect "
                                                 "coords=\"10, 20, 110, 70\" id=1></MAP>"));
    EXPECT_EQ(byId("logo")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("#ULOMap0"));
    EXPECT_EQ(painters().back()->m_strId, QStringLiteral("1"));
    EXPECT_EQ(sink()->m_nEditMode, 2);
    EXPECT_EQ(frame()->m_nAreaTool, 0);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    EXPECT_EQ(view()->m_strAreaShape, QStringLiteral("none"));
    // One undo step takes the map, the area and the usemap back.
    EXPECT_EQ(undoSteps(), steps + 1);
    doc()->undoManager().undo();
    EXPECT_EQ(mapHtml("ULOMap0"), QStringLiteral("(none)"));
    EXPECT_FALSE(byId("logo")->hasAttribute(QStringLiteral("usemap")));
}

TEST_F(ImageMapEditor, CirclesAndPolygonsWithTheirTargets)
{
    ModalResponder responder;
    // A circle drawn up and left of its press, with a target frame that
    // needs quoting and a link with "&".
    click("logo", 150, 110);
    frame()->OnAreaCircle();
    answerLink(responder, QStringLiteral("map.html?a=1&b=2"), QStringLiteral("main frame"));
    drag(at("logo", 40, 20), at("logo", 10, 10));
    EXPECT_EQ(mapHtml("ULOMap0"),
              QStringLiteral("<MAP name=ULOMap0><AREA href=\"map.html?a=1&amp;b=2\" "
                             "shape=circle coords=\"35, 15, 5\" id=1 target=\"main frame\"></MAP>"));
    // A polygon in the same map: a press per vertex, the double click on the
    // last. Its id counts on from the painters; it stands first in its map.
    click("logo", 150, 110);
    frame()->OnAreaPoly();
    answerLink(responder, QStringLiteral("shop.html"));
    for (QPoint vertex : {QPoint(10, 60), QPoint(60, 60), QPoint(35, 100)}) {
        EXPECT_EQ(press(at("logo", vertex.x(), vertex.y())), 0);
        moveTo(at("logo", vertex.x() + 5, vertex.y() + 5));
        EXPECT_EQ(release(at("logo", vertex.x(), vertex.y())), 1); // the polygon goes on
    }
    EXPECT_EQ(view()->m_ptPolyRubber, QPoint(40, 105));
    EXPECT_EQ(painters().back()->m_nState, CHTMLPainterImageMap::Drawn);
    EXPECT_EQ(doubleClick(at("logo", 35, 100)), 0);
    EXPECT_EQ(mapHtml("ULOMap0"), QStringLiteral("<MAP name=ULOMap0><AREA href=\"shop.html\" shape=poly "
                                                 "coords=\"10,60,60,60,35,100\" id=2><AREA "
                                                 "href=\"map.html?a=1&amp;b=2\" shape=circle coords=\"35, 15, 5\" "
                                                 "id=1 target=\"main frame\"></MAP>"));
    EXPECT_EQ(painters().back()->m_nState, CHTMLPainterImageMap::Selected);
    EXPECT_EQ(sink()->m_nEditMode, 2);
}

TEST_F(ImageMapEditor, CancelledAndEmptyDrawingsWriteNothing)
{
    click("logo", 150, 110);
    frame()->OnAreaRect();
    ModalResponder responder;
    responder.answer(IDD_HYPERLINK, platform::IDCANCEL);
    const int steps = undoSteps();
    drag(at("logo", 10, 10), at("logo", 50, 50));
    EXPECT_TRUE(painters().empty());
    EXPECT_EQ(sink()->m_nEditMode, 1);
    EXPECT_EQ(frame()->m_nAreaTool, 0);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    // A click that draws nothing asks nothing and keeps the tool.
    frame()->OnAreaRect();
    press(at("logo", 10, 10));
    EXPECT_EQ(release(at("logo", 10, 10)), 0);
    EXPECT_EQ(frame()->m_nAreaTool, 1);
    // A double click with the rectangle tool ends it.
    EXPECT_EQ(doubleClick(at("logo", 10, 10)), 0);
    EXPECT_EQ(frame()->m_nAreaTool, 0);
    EXPECT_EQ(sink()->m_nEditMode, 2);
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_EQ(responder.runCount(IDD_HYPERLINK), 1);
    // A rectangle of too few numbers is not written; the tool stays, the
    // map name is used up.
    click("logo", 150, 110);
    frame()->OnAreaRect();
    press(at("logo", 10, 10));
    moveTo(at("logo", 20, 20));
    view()->m_areaWorkCoords = {1, 2, 3};
    answerLink(responder, QStringLiteral("a.html"));
    EXPECT_EQ(release(at("logo", 20, 20)), -1);
    EXPECT_EQ(frame()->m_nAreaTool, 1);
    EXPECT_EQ(sink()->m_nNextMapNumber, 1);
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(ImageMapEditor, NewMapsAreNumberedOnAndAreaIdsAreFree)
{
    ModalResponder responder;
    // A page that already has a map named ulomap0.
    doc()->body()->insertAdjacentHTML(QStringLiteral("beforeEnd"), QStringLiteral("<MAP name=ulomap0></MAP>"));
    for (const char* image : {"logo", "cellpic"}) {
        click(image, 50, 40);
        frame()->OnAreaRect();
        answerLink(responder, QStringLiteral("a.html"));
        drag(at(image, 5, 5), at(image, 30, 30));
    }
    EXPECT_EQ(byId("logo")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("ULOMap1"));
    EXPECT_EQ(byId("cellpic")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("#ULOMap2"));
    EXPECT_EQ(sink()->m_nNextMapNumber, 3);
    // The picture in the cell has its origin where the page shows it.
    EXPECT_EQ(sink()->m_ptImageOrigin, clientBox("cellpic").topLeft());
    EXPECT_NE(mapHtml("ULOMap2").indexOf(QStringLiteral("coords=\"5, 5, 30, 30\"")), -1);
    // A map whose areas are 1 and 3: the new area of three painters is 4.
    engine::Element* map = mapNamed("ShopMap");
    map->setInnerHTML(QStringLiteral("<AREA shape=rect coords=\"0,0,20,20\" id=1>"
                                     "<AREA shape=rect coords=\"30,0,50,20\" id=3>"));
    click("photo", 100, 100);
    frame()->OnAreaRect();
    answerLink(responder, QStringLiteral("b.html"));
    drag(at("photo", 100, 100), at("photo", 120, 130));
    EXPECT_EQ(map->areas().length(), 3);
    EXPECT_EQ(map->areas().item(0)->id(), QStringLiteral("4"));
}

TEST_F(ImageMapEditor, MapNamesAreNotHandedOutAgain)
{
    ModalResponder responder;
    // A rectangle drawn up and left keeps its corners in drawing order.
    click("logo", 150, 110);
    frame()->OnAreaRect();
    answerLink(responder, QStringLiteral("a.html"));
    drag(at("logo", 110, 70), at("logo", 10, 20));
    EXPECT_EQ(mapHtml("ULOMap0"), QStringLiteral("<MAP name=ULOMap0><AREA href=\"a.html\" shape=rect "
                                                 "coords=\"110, 70, 10, 20\" id=1></MAP>"));
    click("cellpic", 50, 40);
    frame()->OnAreaRect();
    answerLink(responder, QStringLiteral("b.html"));
    drag(at("cellpic", 5, 5), at("cellpic", 30, 30));
    EXPECT_NE(mapNamed("ULOMap1"), nullptr);
    // ULOMap0 goes with its only area; the next map does not take its name.
    click("logo", 150, 110);
    ASSERT_EQ(painters().size(), 1u);
    EXPECT_EQ(sink()->RemoveImageMapOfImage(byId("logo"), QStringLiteral("1")), 0);
    EXPECT_EQ(mapNamed("ULOMap0"), nullptr);
    EXPECT_FALSE(byId("logo")->hasAttribute(QStringLiteral("usemap")));
    frame()->OnAreaRect();
    answerLink(responder, QStringLiteral("c.html"));
    drag(at("logo", 10, 10), at("logo", 40, 40));
    EXPECT_EQ(byId("logo")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("#ULOMap2"));
    EXPECT_EQ(mapNamed("ULOMap0"), nullptr);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(ImageMapEditor, AnAreaDraggedOffItsImage)
{
    engine::Element* map = mapNamed("ShopMap");
    click("photo", 190, 10);
    ModalResponder responder;
    // No: the area stays, its painter comes back.
    press(at("photo", 30, 30));
    moveTo(at("photo", 330, 30));
    responder.answerMessageBox(platform::IDNO, QStringLiteral("この画像マップを削除しますか"));
    release(at("photo", 330, 30));
    EXPECT_EQ(map->areas().item(0)->getAttributeText(QStringLiteral("coords")), QStringLiteral("10,10,90,60"));
    EXPECT_EQ(painterOf("1")->m_coords, (std::vector<int>{10, 10, 90, 60}));
    EXPECT_EQ(view()->m_areaWorkCoords, (std::vector<int>{10, 10, 90, 60}));
    EXPECT_EQ(sink()->m_nEditMode, 2);
    // Yes while the page's selection is no longer the image: nothing is
    // deleted, the drag still ends.
    press(at("photo", 30, 30));
    moveTo(at("photo", 330, 30));
    doc()->selection().collapseAt(doc()->body(), 0);
    responder.answerMessageBox(platform::IDYES, QStringLiteral("この画像マップを削除しますか"));
    release(at("photo", 330, 30));
    EXPECT_EQ(map->areas().length(), 4);
    EXPECT_EQ(sink()->m_nEditMode, 2);
    EXPECT_FALSE(sink()->m_bNoMove);
    selectImage("photo");
    // Yes: the area is deleted in one step.
    const int steps = undoSteps();
    press(at("photo", 30, 30));
    moveTo(at("photo", 30, 230));
    responder.answerMessageBox(platform::IDYES, QStringLiteral("この画像マップを削除しますか"));
    release(at("photo", 30, 230));
    EXPECT_EQ(map->areas().length(), 3);
    EXPECT_EQ(painterOf("1"), nullptr);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(ImageMapEditor, TheLastAreaTakesItsMapAndTheUsemapAlong)
{
    click("photo", 190, 10);
    const int steps = undoSteps();
    for (const char* id : {"1", "2", "3"})
        EXPECT_EQ(sink()->RemoveImageMapOfImage(byId("photo"), QString::fromLatin1(id)), 0) << id;
    EXPECT_TRUE(painters().empty());
    // The default area has no painter, but it is an area of the map.
    EXPECT_NE(mapNamed("ShopMap"), nullptr);
    EXPECT_EQ(sink()->RemoveImageMapOfImage(byId("photo"), QStringLiteral("1")), 1); // gone already
    mapNamed("ShopMap")->areas().item(0)->setAttribute(QStringLiteral("id"), engine::Variant(QStringLiteral("d")));
    EXPECT_EQ(sink()->RemoveImageMapOfImage(byId("photo"), QStringLiteral("D")), 0);
    EXPECT_EQ(mapNamed("ShopMap"), nullptr);
    EXPECT_FALSE(byId("photo")->hasAttribute(QStringLiteral("usemap")));
    EXPECT_EQ(undoSteps(), steps + 5);
    doc()->undoManager().undo();
    EXPECT_NE(mapNamed("ShopMap"), nullptr);
    EXPECT_TRUE(byId("photo")->hasAttribute(QStringLiteral("usemap")));
    EXPECT_EQ(sink()->RemoveImageMapOfImage(byId("logo"), QStringLiteral("1")), 1);
    EXPECT_EQ(sink()->RemoveImageMapOfImage(nullptr, QStringLiteral("1")), 1);
}

TEST_F(ImageMapEditor, ASavedPageKeepsItsMapsAndNoPainter)
{
    ModalResponder responder;
    click("logo", 150, 110);
    frame()->OnAreaRect();
    answerLink(responder, QStringLiteral("menu.html"), QStringLiteral("_blank"));
    drag(at("logo", 10, 20), at("logo", 110, 70));
    // The photo's map is being edited, the logo's usemap without its "#".
    click("photo", 190, 10);
    EXPECT_EQ(byId("logo")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("ULOMap0"));
    const QString path = view()->GetDocument()->pathName();
    ASSERT_TRUE(view()->fileSave());
    EXPECT_TRUE(painters().empty()); // the save takes the painters off the image
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString saved = platform::decodeText(file.readAll(), QStringLiteral("Shift_JIS"));
    EXPECT_TRUE(saved.contains(QStringLiteral("usemap=#ULOMap0"))) << qPrintable(saved);
    EXPECT_TRUE(saved.contains(QStringLiteral("usemap=#shopmap")));
    EXPECT_TRUE(saved.contains(
        QStringLiteral("<AREA href=\"menu.html\" shape=rect coords=\"10, 20, 110, 70\" id=1 target=_blank>")));
    // Opened again, the same map is read.
    frame()->OnFileCloseAll();
    ASSERT_TRUE(app->OpenDocumentFile(path));
    settle();
    click("logo", 60, 90); // below the area
    ASSERT_EQ(painters().size(), 1u);
    EXPECT_EQ(painters()[0]->m_coords, (std::vector<int>{10, 20, 110, 70}));
    EXPECT_EQ(painters()[0]->m_strId, QStringLiteral("1"));
}

TEST_F(ImageMapEditor, AreasShowOnTheImageWhileItIsSelected)
{
    click("photo", 190, 10);
    press(at("photo", 30, 30)); // the rect area, selected with its handles
    release(at("photo", 30, 30));
    const auto blackNear = [&](QPoint client) {
        const QImage image = page()->renderToImage();
        const QPoint centre = page()->clientToView(client);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (image.pixel(centre + QPoint(dx, dy)) == qRgb(0, 0, 0))
                    return true;
        return false;
    };
    EXPECT_TRUE(blackNear(at("photo", 90, 60)));  // a handle of the rect
    EXPECT_TRUE(blackNear(at("photo", 150, 20))); // the top of the circle
    // A step of a handle drag repaints the image only.
    EXPECT_EQ(press(at("photo", 90, 60)), 1);
    moveTo(at("photo", 94, 64)); // the first step hands the cursor to the editor
    page()->flushChanges();
    page()->clearPendingRepaint();
    moveTo(at("photo", 95, 65));
    EXPECT_EQ(page()->pendingRepaint().boundingRect(), page()->clientToView(clientBox("photo")));
    release(at("photo", 95, 65));
    // With a caret instead of the image selected, no area is drawn.
    doc()->selection().collapseAt(doc()->body(), 0);
    settle();
    EXPECT_FALSE(blackNear(at("photo", 150, 20)));
}

TEST_F(ImageMapEditor, TheAreaToolsNeedASelectedImage)
{
    platform::CommandRegistry& commands = *app->commands();
    selectObjects({"frame"});
    frame()->OnAreaRect();
    EXPECT_EQ(frame()->m_nAreaTool, 0);
    EXPECT_EQ(sink()->m_nEditMode, 0);
    commands.updateCommand(ID_AREA_RECT);
    EXPECT_FALSE(commands.action(ID_AREA_RECT)->isEnabled());
    selectImage("logo");
    commands.updateCommand(ID_AREA_RECT);
    commands.updateCommand(ID_AREA_SELECT);
    EXPECT_TRUE(commands.action(ID_AREA_RECT)->isEnabled());
    EXPECT_TRUE(commands.action(ID_AREA_SELECT)->isChecked());
    commands.sendCommand(ID_AREA_CIRCLE);
    commands.updateCommand(ID_AREA_CIRCLE);
    EXPECT_TRUE(commands.action(ID_AREA_CIRCLE)->isChecked());
    EXPECT_EQ(view()->m_strAreaShape, QStringLiteral("circle"));
    EXPECT_EQ(sink()->m_rcMapImage, platform::Rect(400, 50, 560, 170));
    commands.sendCommand(ID_AREA_SELECT);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    EXPECT_EQ(sink()->m_nEditMode, 0);
    // A painter does not hang on an area whose map no image uses.
    doc()->body()->insertAdjacentHTML(QStringLiteral("beforeEnd"),
                                      QStringLiteral("<MAP name=lost><AREA id=lostarea shape=rect "
                                                     "coords=\"0,0,10,10\"></MAP>"));
    sink()->m_pMapImage = byId("lostarea");
    engine::EventObject event = eventAt(QPoint(5, 5), engine::LeftButton);
    engine::EventDispatcher::Scope scope(page()->events(), event);
    const size_t held = frame()->m_arrImageMapPainters.size();
    EXPECT_FALSE(frame()->AttachImageMapPainter(nullptr));
    EXPECT_EQ(frame()->m_arrImageMapPainters.size(), held);
}

// A picture for people to look at: the shop's photo with its rectangle,
// circle and polygon, the circle selected with its handles. Run under Xvfb
// (see ARCHITECTURE.md, Tests).
class ImageMapScreenshot : public ImageMapEditor
{
};

TEST_F(ImageMapScreenshot, AreasOnTheirImage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    frame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame(), 60000));
    click("photo", 190, 10);
    press(at("photo", 150, 40));
    release(at("photo", 150, 40));
    settle();
    const QImage shot = view()->grab(QRect(60, 20, 300, 220)).toImage();
    QImage sheet = shot.scaled(shot.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // The circle's handle at the top-left corner of its square, (130, 20) on
    // the image; no handle on the rectangle's corner (10, 10).
    EXPECT_EQ(shot.pixel(QPoint(100 + 130 - 60, 50 + 20 - 20)), qRgb(0, 0, 0));
    EXPECT_NE(shot.pixel(QPoint(100 + 10 - 60 - 2, 50 + 10 - 20 - 2)), qRgb(0, 0, 0));
    EXPECT_TRUE(saveForReview(sheet, QStringLiteral("editor-image-map.png")));
}

} // namespace
