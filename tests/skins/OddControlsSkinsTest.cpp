#include "tests/skins/SkinFixture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>

namespace {

class OddControlsSkins : public SkinFixture
{
};

} // namespace

// Empty and very long texts, icons without pictures, bars without tabs,
// headers without sections, ranges the wrong way round and number boxes a
// pixel or two high are drawn in both skins without a fault.
TEST_F(OddControlsSkins, OddControlsAreDrawnInEverySkin)
{
    const QString longText(10000, QChar(u'長'));
    QPushButton empty;
    QPushButton lengthy(longText);
    QPushButton iconOnly;
    iconOnly.setIcon(QIcon(QStringLiteral("/no/such/picture.png")));
    QCheckBox longCheck(longText);
    QLabel longLabel(longText);
    QLabel emptyLabel;
    emptyLabel.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QTabBar noTabs;
    QTabWidget noPages;
    QTabBar noCurrent;
    noCurrent.addTab(QStringLiteral("一"));
    noCurrent.setCurrentIndex(-1);
    QStandardItemModel none(0, 0);
    QHeaderView bareHeader(Qt::Vertical);
    bareHeader.setModel(&none);
    bareHeader.setSectionsClickable(true);
    QProgressBar backwards;
    backwards.setRange(10, 0);
    backwards.setValue(50);
    QSpinBox onePixel;
    QSpinBox twoPixels;
    QList<QWidget*> odd{&empty,   &lengthy,   &iconOnly,   &longCheck, &longLabel, &emptyLabel, &noTabs,
                        &noPages, &noCurrent, &bareHeader, &backwards, &onePixel,  &twoPixels};
    for (QWidget* w : odd) {
        w->resize(120, 24);
        w->ensurePolished();
    }
    onePixel.resize(40, 1);
    twoPixels.resize(40, 2);
    for (const char* skin : {"metal", "spring"}) {
        Use(skin);
        ASSERT_TRUE(VornaSkinManager::IsSkinOn()) << skin;
        for (QWidget* w : odd) {
            ASSERT_NE(VornaSkinManager::GetInstance().Find(w), nullptr) << w->metaObject()->className();
            EXPECT_FALSE(Render(*w).isNull()) << skin << " " << w->metaObject()->className();
        }
    }
}
