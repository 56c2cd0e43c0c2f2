#include "chrome/VornaChildFrmTabCtrl.h"
#include "chrome/ViewTabGeometry.h"
#include "controls/SysColors.h"

#include "platform/ColorRef.h"
#include "platform/WindowMessage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using platform::Rect;

namespace {

// ---- geometry ------------------------------------------------------------------------

TEST(ViewTabGeometry, TabsStandFiftyPixelsApartInsideTheWindowFrame)
{
    const viewtabs::Borders none;
    EXPECT_EQ(viewtabs::TabRect(none, 0), Rect(2, 2, 18, 52));
    EXPECT_EQ(viewtabs::TabRect(none, 2), Rect(2, 102, 18, 152));
    // A skin's frame widths move the tabs with them.
    const viewtabs::Borders skin{4, 23, 6, 5};
    EXPECT_EQ(viewtabs::TabRect(skin, 1), Rect(6, 75, 22, 125));
    EXPECT_EQ(viewtabs::BandRect(skin, 300), Rect(4, 0, 18, 295));
    EXPECT_EQ(viewtabs::ClientRect(skin, 400, 300), Rect(23, 28, 389, 290));
    EXPECT_EQ(viewtabs::ClientRect(none, 400, 300), Rect(19, 5, 395, 295));
}

TEST(ViewTabGeometry, APointOnATabAnswersItsCodeAndElsewhereTheBorder)
{
    const viewtabs::Borders none;
    EXPECT_EQ(viewtabs::HitTest(none, QPoint(10, 27)), 1000);
    EXPECT_EQ(viewtabs::HitTest(none, QPoint(2, 52)), 1001);
    EXPECT_EQ(viewtabs::HitTest(none, QPoint(17, 151)), 1002);
    EXPECT_EQ(viewtabs::HitTest(none, QPoint(10, 152)), viewtabs::HTBORDER);
    EXPECT_EQ(viewtabs::HitTest(none, QPoint(1, 27)), viewtabs::HTBORDER);
    EXPECT_EQ(viewtabs::HitTest(none, QPoint(18, 27)), viewtabs::HTBORDER);
}

TEST(ViewTabGeometry, TheCurrentTabIsDrawnAfterTheOneThatFollowsIt)
{
    using Order = std::array<int, 3>;
    EXPECT_EQ(viewtabs::PaintOrder(0), (Order{1, 0, 2}));
    EXPECT_EQ(viewtabs::PaintOrder(1), (Order{0, 2, 1}));
    EXPECT_EQ(viewtabs::PaintOrder(2), (Order{0, 1, 2}));
}

TEST(ViewTabGeometry, EveryLabelFitsAlongItsTabInACellOfElevenPixels)
{
    const QStringList labels{QStringLiteral("編集"), QStringLiteral("ソース"), QStringLiteral("プレビュー")};
    const int room = viewtabs::kTabHeight - 4;
    const QFont font = viewtabs::LabelFont(QApplication::font("QMenu"), labels, room);
    const QFontMetrics metrics(font);
    EXPECT_LE(metrics.height(), 11);
    for (const QString& label : labels)
        EXPECT_LE(metrics.horizontalAdvance(label), room) << label.toStdString();
    // A label too long for any readable size gets the smallest, not an endless search.
    EXPECT_EQ(viewtabs::LabelFont(font, {QString(40, QChar(0x30D7))}, room).pixelSize(), 6);
}

// ---- the hook on a page window ---------------------------------------------------

// Records the tab messages the strip sends its frame.
class FrameStandIn : public QObject
{
public:
    QList<quintptr> tabs;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != platform::WindowMessage::eventType())
            return QObject::event(event);
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == VornaChildFrmTabCtrl::kViewTabMessage)
            tabs.append(message->wParam());
        return true;
    }
};

class ViewTabsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new QWidget(&window);
        layout->addWidget(view);
        window.show();
    }
    void click(QPoint point)
    {
        QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
    }

    FrameStandIn frame;
    QWidget window;
    QWidget* view = nullptr;
};

TEST_F(ViewTabsTest, AClickOnAnotherTabAsksTheFrameAndOnTheShownTabNothing)
{
    VornaChildFrmTabCtrl tabs;
    ASSERT_TRUE(tabs.Install(&frame, &window));
    click(QPoint(10, 27));
    EXPECT_TRUE(frame.tabs.isEmpty());
    click(QPoint(10, 130));
    EXPECT_EQ(frame.tabs, (QList<quintptr>{1002}));
    EXPECT_EQ(tabs.GetCurTab(), 2);
    click(QPoint(10, 60));
    EXPECT_EQ(frame.tabs, (QList<quintptr>{1002, 1001}));
    // Beside the tabs nothing happens; setting the tab by hand sends nothing.
    click(QPoint(10, 200));
    tabs.SetCurTab(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.tabs.size(), 2);
    EXPECT_FALSE(tabs.Install(nullptr, &window));
}

TEST_F(ViewTabsTest, ThePageSitsInsideTheBandAndBorderUntilTheStripGoes)
{
    {
        VornaChildFrmTabCtrl tabs;
        ASSERT_TRUE(tabs.Install(&frame, &window));
        EXPECT_FALSE(tabs.AddView(nullptr));
        ASSERT_TRUE(tabs.AddView(view));
        QCoreApplication::processEvents();
        EXPECT_EQ(view->geometry(), QRect(19, 5, 400 - 19 - 5, 300 - 10));
        // The view keeps its own coordinates: its border lies over its edge.
        auto* child = new QWidget(view);
        child->setGeometry(view->rect());
        child->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(view->contentsMargins(), QMargins());
        EXPECT_EQ(view->childAt(QPoint(0, 0)), child); // the mouse goes through the border

        // The current tab is filled with the face colour, the others lighter.
        tabs.SetCurTab(1);
        const QImage picture = window.grab().toImage();
        const QColor face = platform::toQColor(GetSysColor(COLOR_BTNFACE));
        const QColor light = platform::toQColor(GetSysColor(COLOR_3DLIGHT));
        EXPECT_EQ(picture.pixelColor(5, 56), face);
        EXPECT_EQ(picture.pixelColor(5, 6), light);
        EXPECT_EQ(picture.pixelColor(5, 106), light);
        // The view's sunken border: shadow outside at the top left.
        EXPECT_EQ(picture.pixelColor(19, 5), platform::toQColor(GetSysColor(COLOR_3DSHADOW)));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(view->geometry(), window.rect());
    EXPECT_EQ(view->findChild<QWidget*>(QStringLiteral("viewBorder")), nullptr);
}

} // namespace
