#include "chrome/CCoolDialogBar.h"
#include "chrome/VornaShrinkMiniFrmSub.h"
#include "skins/ASMMiniDockFrameBand.h"
#include "skins/SkinRecordPainters.h"
#include "tests/skins/SkinFixture.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

namespace {

class SizedDialog : public QWidget
{
public:
    QSize sizeHint() const override { return QSize(260, 180); }
};

// A dialog bar of a frame, floating under metal.
class MiniDockFrameSkin : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("metal");
        window.setCentralWidget(new QWidget(&window));
        window.resize(900, 700);
        window.show();
        bar = new CCoolDialogBar(&window);
        ASSERT_TRUE(bar->Create(&window, new SizedDialog, QStringLiteral("バー"), 674, CCoolDialogBar::CBRS_ALIGN_ANY));
        bar->show();
        float_();
    }
    void float_()
    {
        bar->setFloating(true);
        bar->resize(260, 320);
        QApplication::processEvents();
    }
    const VornaFrameSkin& record() const { return *VornaSkinManager::GetInstance().data().m_pMiniFrame; }
    QImage renderBar() const
    {
        QImage image(bar->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        bar->render(&image);
        return image;
    }

    QMainWindow window;
    CCoolDialogBar* bar = nullptr;
};

} // namespace

TEST_F(MiniDockFrameSkin, AFloatingBarWearsTheSkinsSmallFrameAndItsCaptionBandLiesOverIt)
{
    ASSERT_TRUE(SkinDrawsFloatingFrame(bar));
    const int caption = record().m_caption.thickness;
    const int side = record().m_left.thickness;
    // The band covers the skin's caption; the dialog lies within the borders.
    QWidget* band = bar->captionBand();
    EXPECT_EQ(band->y(), 0);
    EXPECT_EQ(band->height(), caption);
    EXPECT_EQ(bar->dialog()->mapTo(bar, QPoint(0, 0)), QPoint(side, caption));
    EXPECT_EQ(bar->dialog()->mapTo(bar, QPoint(bar->dialog()->width(), bar->dialog()->height())),
              QPoint(bar->width() - record().m_right.thickness, bar->height() - record().m_bottom.thickness));

    // The caption's and the bottom's pixels are the skin's parts, in one of their looks.
    const QImage image = renderBar();
    for (const QPoint& at : {QPoint(bar->width() / 2, 1), QPoint(bar->width() / 2, bar->height() - 2)}) {
        bool found = false;
        for (bool active : {true, false}) {
            QImage expected(bar->size(), QImage::Format_RGB32);
            expected.fill(Qt::white);
            QPainter dc(&expected);
            DrawFramePart(record().m_caption, dc, QPoint(0, 0), bar->width(), true, active);
            DrawFramePart(record().m_bottom, dc, QPoint(0, bar->height() - record().m_bottom.thickness), bar->width(),
                          true, active);
            found = found || expected.pixel(at) == image.pixel(at);
        }
        EXPECT_TRUE(found) << at.x() << "," << at.y();
    }

    // The bar's close button is the skin's, where the skin puts it.
    const platform::Rect close = CaptionButtonRect(record().m_buttons.front(), bar->width());
    EXPECT_EQ(SkinFloatingCloseRect(bar), close);
    EXPECT_EQ(bar->barFrame().close, close);
}

TEST_F(MiniDockFrameSkin, TheSkinsCloseButtonClosesTheBar)
{
    QSignalSpy closed(bar, &CCoolDialogBar::closedFromCaption);
    const platform::Rect close = bar->barFrame().close;
    QWidget* band = bar->captionBand();
    const QPoint centre = band->mapFrom(bar, QPoint(close.left + close.width() / 2, close.top + close.height() / 2));
    QTest::mouseClick(band, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(MiniDockFrameSkin, RolledUpTheBarKeepsTheCaptionAndTheBottomBorder)
{
    ASSERT_NE(bar->miniFrameHook(), nullptr);
    bar->miniFrameHook()->Toggle();
    ASSERT_TRUE(bar->miniFrameHook()->IsRolledUp());
    EXPECT_EQ(bar->height(), record().m_caption.thickness + record().m_bottom.thickness);
    bar->miniFrameHook()->Toggle();
    EXPECT_EQ(bar->size(), QSize(260, 320));
}

TEST_F(MiniDockFrameSkin, DockedOrInClassicTheBarHasItsPlainLook)
{
    bar->setFloating(false);
    QApplication::processEvents();
    EXPECT_FALSE(SkinDrawsFloatingFrame(bar));
    EXPECT_EQ(bar->contentsMargins(), QMargins());
    EXPECT_TRUE(bar->mask().isEmpty());

    float_();
    ASSERT_TRUE(SkinDrawsFloatingFrame(bar));
    Use("classic");
    EXPECT_FALSE(SkinDrawsFloatingFrame(bar));
    EXPECT_EQ(bar->contentsMargins(), QMargins());
    // Still a frameless floating bar: its own caption band is its title bar.
    EXPECT_TRUE(bar->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(bar->captionBand()->y(), bar->style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, bar));
    EXPECT_NE(bar->barFrame().close, CaptionButtonRect(record().m_buttons.front(), bar->width()));
}
