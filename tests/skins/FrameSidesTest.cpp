#include "skins/SkinRecordPainters.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>
#include <QWidget>

#include <functional>

namespace {

QImage Noise(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xFF000000u | (random.generate() & 0xFFFFFFu);
    }
    return image;
}

// What the painter's own drawing of the two sides gives, beside what
// DrawFrameSides gives, on the same background under the same set-up.
void ExpectSameAsDrawn(QImage::Format format, const std::function<void(QPainter&)>& setUp, const char* what)
{
    const QImage left = Noise(4, 60, 1);
    const QImage right = Noise(6, 60, 2);
    QImage drawn(120, 90, format);
    drawn.fill(QColor(10, 200, 30, 128));
    QImage copied = drawn;
    copied.detach();
    {
        QPainter dc(&drawn);
        setUp(dc);
        dc.drawImage(3, 20, left);
        dc.drawImage(100, 20, right);
    }
    {
        QPainter dc(&copied);
        setUp(dc);
        DrawFrameSides(dc, 20, 3, left, 100, right);
    }
    EXPECT_EQ(copied, drawn) << what;
}

// A window painting the two sides at its edges, as a skinned frame does.
class SidesWindow : public QWidget
{
public:
    SidesWindow(bool direct) : m_direct(direct), m_left(Noise(4, 70, 3)), m_right(Noise(4, 70, 4)) { resize(80, 90); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter dc(this);
        dc.fillRect(rect(), Qt::yellow);
        if (m_direct) {
            DrawFrameSides(dc, 10, 0, m_left, width() - 4, m_right);
        } else {
            dc.drawImage(0, 10, m_left);
            dc.drawImage(width() - 4, 10, m_right);
        }
    }

private:
    bool m_direct;
    QImage m_left;
    QImage m_right;
};

} // namespace

TEST(FrameSides, LookAsThePainterDrawsThemWhateverItsSetUp)
{
    const auto none = [](QPainter&) {};
    ExpectSameAsDrawn(QImage::Format_RGB32, none, "plain");
    ExpectSameAsDrawn(QImage::Format_ARGB32_Premultiplied, none, "premultiplied");
    ExpectSameAsDrawn(QImage::Format_ARGB32, none, "with alpha");
    ExpectSameAsDrawn(QImage::Format_RGB16, none, "16-bit");
    ExpectSameAsDrawn(
        QImage::Format_RGB32, [](QPainter& dc) { dc.translate(7, -9); }, "moved");
    ExpectSameAsDrawn(
        QImage::Format_RGB32, [](QPainter& dc) { dc.translate(30, 40); }, "partly outside");
    ExpectSameAsDrawn(
        QImage::Format_RGB32, [](QPainter& dc) { dc.translate(0.5, 0); }, "half a pixel");
    ExpectSameAsDrawn(
        QImage::Format_RGB32, [](QPainter& dc) { dc.scale(1.5, 1); }, "scaled");
    ExpectSameAsDrawn(
        QImage::Format_RGB32, [](QPainter& dc) { dc.setClipRect(0, 0, 104, 50); }, "clipped");
    ExpectSameAsDrawn(
        QImage::Format_RGB32, [](QPainter& dc) { dc.setOpacity(0.5); }, "half opaque");
    ExpectSameAsDrawn(
        QImage::Format_ARGB32_Premultiplied,
        [](QPainter& dc) { dc.setCompositionMode(QPainter::CompositionMode_Multiply); }, "multiplied");

    // A window painted into a picture, all of it or a part that cuts a side.
    for (const QRegion& area :
         {QRegion(0, 0, 80, 90), QRegion(0, 0, 80, 40) + QRect(78, 60, 2, 5), QRegion(10, 10, 30, 30)}) {
        SidesWindow direct(true);
        SidesWindow drawn(false);
        QImage a(100, 110, QImage::Format_RGB32);
        a.fill(Qt::blue);
        QImage b = a;
        b.detach();
        direct.render(&a, QPoint(5, 7), area);
        drawn.render(&b, QPoint(5, 7), area);
        EXPECT_EQ(a, b) << area.boundingRect().width() << " x " << area.boundingRect().height();
    }
}
