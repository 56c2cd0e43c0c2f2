// The image effects dialog answered on the offscreen platform: the filters it finds checked, the page each button
// brings, what Apply, the check boxes and OK hand back, and a preview that renders beside a window that keeps
// answering.

#include "dialogs/VornaDialogImgCssComplex.h"

#include "controls/NumberEdit.h"
#include "dialogs/ImgCssPreview.h"
#include "dialogs/VornaDialogImgCssPage.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/dom/LayoutServices.h"

#include "platform/ModalResponder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using platform::ModalResponder;

namespace {

// Every element has the same box.
class FixedBoxes : public engine::LayoutServices
{
public:
    engine::Element* elementAtClientPoint(QPoint) override { return nullptr; }
    bool moveRangeToPoint(engine::TextRange&, QPoint) override { return false; }
    std::vector<QRect> rangeClientRects(const engine::TextRange&) override { return {}; }
    QRect rangeBoundingClientRect(const engine::TextRange&) override { return {}; }
    void scrollRangeIntoView(const engine::TextRange&) override {}
    QRect offsetRect(engine::Element*) override { return box; }
    QRect box{0, 0, 400, 200};
};

const QString kEmboss = QStringLiteral("progid:DXImageTransform.Microsoft.emboss(enabled='true')");

class ImgCssDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc = engine::Document::create();
        doc->setUrl(dir.filePath(QStringLiteral("page.html")));
        doc->setLayoutServices(&boxes);
        image = engine::Element::create(doc.get(), QStringLiteral("IMG"));
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("photo.png"))));
    }
    void TearDown() override { doc->setLayoutServices(nullptr); }

    // Runs the dialog on the image with `answer` inside it; gives what DoModal gave.
    int run(const std::function<void(VornaDialogImgCssComplex&)>& answer)
    {
        ModalResponder responder;
        responder.on(VornaDialogImgCssComplex::IDD,
                     [&](QDialog& d) { answer(static_cast<VornaDialogImgCssComplex&>(d)); });
        VornaDialogImgCssComplex dialog;
        dialog.m_pElement = image.get();
        dialog.m_pStyle = &image->style();
        dialog.m_strSrc = QStringLiteral("photo.png");
        const int result = dialog.DoModal();
        m_result = dialog.m_strResult;
        return result;
    }

    static QCheckBox* check(QDialog& d, int i)
    {
        return d.findChild<QCheckBox*>(QStringLiteral("id_%1").arg(VornaDialogImgCssComplex::kCheckIds[size_t(i)]));
    }
    static QPushButton* button(QDialog& d, int i)
    {
        return d.findChild<QPushButton*>(QStringLiteral("id_%1").arg(VornaDialogImgCssComplex::kButtonIds[size_t(i)]));
    }
    static NumberEdit* box(VornaDialogImgCssComplex& d, int page, int id)
    {
        return d.page(page)->findChild<NumberEdit*>(QStringLiteral("id_%1").arg(id));
    }
    static bool waitForPreview(VornaDialogImgCssComplex& d)
    {
        QElapsedTimer timer;
        timer.start();
        while (d.preview()->shownGeneration() != d.preview()->requestedGeneration() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return d.preview()->shownGeneration() == d.preview()->requestedGeneration();
    }

    QTemporaryDir dir;
    FixedBoxes boxes;
    engine::Ref<engine::Document> doc;
    engine::Ref<engine::Element> image;
    QString m_result;
};

} // namespace

TEST_F(ImgCssDialog, AnImageWithoutFiltersOpensOnTheAlphaPageAndGivesNothing)
{
    EXPECT_EQ(run([](VornaDialogImgCssComplex& d) {
                  for (int i = 0; i < kImgCssFilterCount; ++i)
                      EXPECT_FALSE(check(d, i)->isChecked());
                  EXPECT_TRUE(button(d, kImgCssAlpha)->isChecked());
                  ASSERT_NE(d.page(kImgCssAlpha), nullptr);
                  EXPECT_TRUE(d.page(kImgCssAlpha)->isVisible());
                  EXPECT_EQ(box(d, kImgCssAlpha, 1424)->value(), 100);
                  EXPECT_EQ(d.page(kImgCssGlow), nullptr);
                  // 400 × 200 fitted in the preview less its margin, centred in that box.
                  EXPECT_EQ(d.imageRect(), QRect(0, 55, 158, 79));
                  ASSERT_TRUE(waitForPreview(d));
                  EXPECT_EQ(d.preview()->shownPicture().size(), QSize(158, 79));
                  ModalResponder::press(d, platform::IDOK);
              }),
              platform::IDOK);
    EXPECT_TRUE(m_result.isEmpty());
}

TEST_F(ImgCssDialog, WrittenFiltersOpenCheckedWithTheirValuesAndComeBackInOrder)
{
    const QString glow = QStringLiteral("progid:DXImageTransform.Microsoft.Glow(Color=Blue, Strength=9)");
    const QString opacity = QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(opacity=0.700000)");
    image->style().setFilter(kEmboss + QLatin1Char('\n') + opacity + QLatin1Char('\n') + glow);
    run([](VornaDialogImgCssComplex& d) {
        EXPECT_TRUE(check(d, kImgCssGlow)->isChecked());
        EXPECT_TRUE(check(d, kImgCssOpacity)->isChecked());
        EXPECT_FALSE(check(d, kImgCssAlpha)->isChecked());
        // The pages of the filters found are made hidden; the alpha page shows.
        ASSERT_NE(d.page(kImgCssGlow), nullptr);
        EXPECT_FALSE(d.page(kImgCssGlow)->isVisible());
        EXPECT_EQ(box(d, kImgCssGlow, 1418)->value(), 9);
        EXPECT_EQ(box(d, kImgCssOpacity, 1424)->value(), 7);
        ModalResponder::press(d, platform::IDOK);
    });
    EXPECT_EQ(m_result, kEmboss + QLatin1Char('\n') + glow + QLatin1Char('\n') + opacity);
}

TEST_F(ImgCssDialog, ButtonsShowPagesApplyChecksAndUncheckingDrops)
{
    image->style().setFilter(QStringLiteral("progid:DXImageTransform.Microsoft.Glow(Color=red, Strength=5)"));
    run([](VornaDialogImgCssComplex& d) {
        // A button shows its page without checking it or changing the preview.
        const QString before = d.previewFilter();
        button(d, kImgCssWave)->click();
        EXPECT_TRUE(d.page(kImgCssWave)->isVisible());
        EXPECT_FALSE(d.page(kImgCssAlpha)->isVisible());
        EXPECT_FALSE(button(d, kImgCssAlpha)->isChecked());
        EXPECT_FALSE(check(d, kImgCssWave)->isChecked());
        EXPECT_EQ(d.previewFilter(), before);
        // Apply checks the filter whose button is pressed.
        d.findChild<QPushButton*>(QStringLiteral("id_3"))->click();
        EXPECT_TRUE(check(d, kImgCssWave)->isChecked());
        EXPECT_TRUE(d.previewFilter().contains(QLatin1String("Wave(")));
        // The glow changed, then unchecked: no button stays pressed, its page stays in view with its value.
        button(d, kImgCssGlow)->click();
        box(d, kImgCssGlow, 1418)->setValue(12);
        check(d, kImgCssGlow)->click();
        for (int i = 0; i < kImgCssFilterCount; ++i)
            EXPECT_FALSE(button(d, i)->isChecked());
        EXPECT_TRUE(d.page(kImgCssGlow)->isVisible());
        EXPECT_FALSE(d.previewFilter().contains(QLatin1String("Glow(")));
        // デフォルト of an unchecked page leaves the preview alone; checked again, the value was kept.
        check(d, kImgCssGlow)->click();
        EXPECT_TRUE(button(d, kImgCssGlow)->isChecked());
        EXPECT_TRUE(d.previewFilter().contains(QLatin1String("Strength=12")));
        d.page(kImgCssGlow)->findChild<QPushButton*>(QStringLiteral("id_3"))->click();
        EXPECT_TRUE(d.previewFilter().contains(QLatin1String("Glow(Color=Red, Strength=5)")));
        check(d, kImgCssGlow)->click();
        ModalResponder::press(d, platform::IDOK);
    });
    EXPECT_FALSE(m_result.contains(QLatin1String("Glow")));
    EXPECT_TRUE(m_result.startsWith(QLatin1String("\nprogid:DXImageTransform.Microsoft.Wave(")));
}

TEST_F(ImgCssDialog, CancelAndNoImageGiveNothing)
{
    image->style().setFilter(kEmboss);
    EXPECT_EQ(run([](VornaDialogImgCssComplex& d) {
                  check(d, kImgCssShadow)->click();
                  ModalResponder::press(d, platform::IDCANCEL);
              }),
              platform::IDCANCEL);
    EXPECT_TRUE(m_result.isEmpty());
    // Without an element or a style: nothing found, no picture, the pages at their defaults.
    ModalResponder responder;
    responder.on(VornaDialogImgCssComplex::IDD, [](QDialog& d) {
        auto& dialog = static_cast<VornaDialogImgCssComplex&>(d);
        EXPECT_TRUE(dialog.imageRect().isEmpty());
        check(d, kImgCssMotionBlur)->click();
        EXPECT_TRUE(waitForPreview(dialog));
        EXPECT_TRUE(dialog.preview()->shownPicture().isNull());
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogImgCssComplex bare;
    bare.m_strSrc = QStringLiteral("http://example.invalid/a.png");
    EXPECT_EQ(bare.DoModal(), platform::IDOK);
    EXPECT_EQ(bare.m_strResult,
              QStringLiteral("\nprogid:DXImageTransform.Microsoft.MotionBlur(Strength=10, Direction=270, Add='true')"));
}

TEST_F(ImgCssDialog, ThePreviewRendersAwayFromTheWindowAndDropsStaleResults)
{
    // A large photograph and the slowest filters.
    QImage big(3000, 2000, QImage::Format_RGB32);
    big.fill(Qt::darkRed);
    ASSERT_TRUE(big.save(dir.filePath(QStringLiteral("big.png"))));
    boxes.box = QRect(0, 0, 3000, 2000);
    ModalResponder responder;
    responder.on(VornaDialogImgCssComplex::IDD, [&](QDialog& d) {
        auto& dialog = static_cast<VornaDialogImgCssComplex&>(d);
        ASSERT_TRUE(waitForPreview(dialog));
        QSignalSpy shown(dialog.preview(), &ImgCssPreview::rendered);
        const quint64 stale = dialog.preview()->Render(QStringLiteral("MotionBlur(strength=300) Glow(strength=30)"));
        const quint64 latest =
            dialog.preview()->Render(QStringLiteral("Shadow(strength=300) MotionBlur(strength=300) Wave(strength=9)"));
        // The window's loop keeps turning while the worker renders.
        QElapsedTimer gap, total;
        qint64 longest = 0;
        gap.start();
        total.start();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, gap.restart()); });
        tick.start(5);
        ASSERT_TRUE(waitForPreview(dialog));
        tick.stop();
        EXPECT_LT(longest, 100) << "rendering took " << total.elapsed() << " ms";
        ASSERT_EQ(shown.count(), 1);
        EXPECT_EQ(shown.at(0).at(0).toULongLong(), latest);
        EXPECT_NE(dialog.preview()->shownGeneration(), stale);
        ModalResponder::press(d, platform::IDCANCEL);
    });
    VornaDialogImgCssComplex dialog;
    dialog.m_pElement = image.get();
    dialog.m_strSrc = dir.filePath(QStringLiteral("big.png"));
    dialog.DoModal();
}

TEST_F(ImgCssDialog, ATypedPhaseSelectsItsTensAndEnterInABoxEndsWithItsValueKeptInRange)
{
    run([](VornaDialogImgCssComplex& d) {
        check(d, kImgCssWave)->click();
        auto* phase = d.page(kImgCssWave)->findChild<QComboBox*>(QStringLiteral("id_1457"));
        ASSERT_NE(phase, nullptr);
        phase->lineEdit()->setFocus();
        phase->lineEdit()->selectAll();
        QTest::keyClicks(phase->lineEdit(), QStringLiteral("37"));
        EXPECT_EQ(phase->currentText(), QStringLiteral("37"));
        // A frequency typed past its range, then Enter while the box has the focus.
        NumberEdit* freq = box(d, kImgCssWave, 1433);
        freq->setFocus();
        freq->setText(QStringLiteral("99"));
        QTest::keyClick(freq, Qt::Key_Return);
    });
    // 37 is taken as its tens, the frequency as its range allows.
    EXPECT_EQ(m_result, QStringLiteral("\nprogid:DXImageTransform.Microsoft.Wave(Add='false', LightStrength=40, "
                                       "Phase=30, Strength=0, Freq=30)"));
}
