// The tree grid on the screen: painting, the mouse, the keys, in-place
// editing and dragging rows.

#include "ReviewPicture.h"

#include "controls/CListEditCtrl.h"
#include "controls/CVornaGridCtrl.h"
#include "platform/ModalResponder.h"
#include "platform/WindowTimer.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

namespace {

using Item = TreeGridModel::CTreeItem;

// Row pictures: 0 open folder, 1 closed folder, 2 page, 3 other file, 4 web, 5 image.
QList<QPixmap> rowPictures()
{
    const QColor colours[6] = {QColor(240, 200, 60),  QColor(220, 170, 40), QColor(60, 120, 220),
                               QColor(130, 130, 130), QColor(40, 160, 90),  QColor(200, 80, 160)};
    QList<QPixmap> pictures;
    for (const QColor& colour : colours) {
        QPixmap picture(16, 16);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setPen(colour.darker(160));
        p.setBrush(colour);
        p.drawRoundedRect(QRect(2, 3, 11, 10), 2, 2);
        pictures << picture;
    }
    return pictures;
}

// A grid as the site manager uses it: the hooks are logged, editing by a
// click can be switched off, and the protected parts are reachable.
class TestGrid : public CVornaGridCtrl
{
public:
    using CVornaGridCtrl::m_bDragging;
    using CVornaGridCtrl::m_nDragRow;
    using CVornaGridCtrl::m_nDropRow;
    using CVornaGridCtrl::OnTimer;

    QStringList hooks;
    bool editOnClick = true;
    bool allowDelete = true;
    bool handleReturn = false;

    int GetItemImage(CTreeItem* item) override
    {
        const CItemInfo* info = GetData(item);
        if (info && info->GetImage() != -1)
            return info->GetImage();
        return ItemHasChildren(item) ? (IsCollapsed(item) ? 1 : 0) : 2;
    }
    void OnCellClick(unsigned flags, QPoint point, GridHitTestInfo& hit) override
    {
        hooks << QStringLiteral("cell %1,%2").arg(hit.iItem).arg(hit.iSubItem);
        if (editOnClick)
            CVornaGridCtrl::OnCellClick(flags, point, hit);
    }
    bool OnBeforeExpand(CTreeItem* item, int row) override
    {
        hooks << "expand " + GetData(item)->GetItemText();
        return CVornaGridCtrl::OnBeforeExpand(item, row);
    }
    bool OnBeforeCollapse(CTreeItem* item) override
    {
        hooks << "collapse " + GetData(item)->GetItemText();
        return true;
    }
    bool OnBeforeDelete(CTreeItem* item, int) override
    {
        hooks << "delete " + GetData(item)->GetItemText();
        return allowDelete;
    }
    bool OnReturnKey() override { return handleReturn; }
    void OnClick(int row, QPoint) override { hooks << QStringLiteral("click %1").arg(row); }
};

std::unique_ptr<CItemInfo> row(const QString& name, const QString& title = {}, const QString& size = {},
                               const QString& type = {}, const QString& date = {}, int image = -1)
{
    auto info = std::make_unique<CItemInfo>();
    info->SetItemText(name);
    for (const QString& text : {title, size, type, date})
        info->AddSubItemText(text);
    info->SetImage(image);
    return info;
}

const QString kPage = QString::fromUtf8("HTMLファイル");
const QString kFolder = QString::fromUtf8("フォルダ");
const QString kImage = QString::fromUtf8("イメージファイル");

// A web shown as the site manager shows it: three levels below the web's row.
struct GridWindow
{
    QWidget window;
    TestGrid* grid = new TestGrid;
    Item* web = nullptr;
    Item* pages = nullptr;
    Item* diary = nullptr;
    Item* images = nullptr;
    Item* index = nullptr;
    Item* draft = nullptr;

    explicit GridWindow(QSize size = QSize(560, 320))
    {
        grid->setParent(&window);
        window.resize(size);
        grid->setGeometry(QRect(QPoint(0, 0), size));
        grid->SetImageList(rowPictures());
        grid->m_cxIcon = 16;
        grid->m_cyIcon = 16;
        grid->InsertColumn(0, QString::fromUtf8("ファイル名"), LVCFMT_LEFT, 180);
        grid->InsertColumn(1, QString::fromUtf8("タイトル"), LVCFMT_LEFT, 130);
        grid->InsertColumn(2, QString::fromUtf8("サイズ"), LVCFMT_RIGHT, 50);
        grid->InsertColumn(3, QString::fromUtf8("種類"), LVCFMT_LEFT, 100);
        grid->InsertColumn(4, QString::fromUtf8("更新日"), LVCFMT_LEFT, 130);
        web = grid->InsertRootItem(row("mysite[/home/hanako/My Web/mysite]", {}, {}, "Web", {}, 4));
        pages = grid->InsertItem(web, row("pages", {}, {}, kFolder, {}, 1));
        diary = grid->InsertItem(pages, row("diary", {}, {}, kFolder, {}, 1));
        grid->InsertItem(diary,
                         row("2002-05.html", QString::fromUtf8("五月の日記"), "3KB", kPage, "2002-05-31 PM 11:02", 2));
        grid->InsertItem(diary,
                         row("2002-06.htm", QString::fromUtf8("六月の日記"), "2KB", kPage, "2002-06-30 PM 10:15", 2));
        grid->InsertItem(pages,
                         row("profile.html", QString::fromUtf8("自己紹介"), "1KB", kPage, "2002-04-12 AM 09:30", 2));
        images = grid->InsertItem(web, row("image", {}, {}, kFolder, {}, 1));
        grid->InsertItem(images, row("photo.JPG", {}, "48KB", kImage, "2002-05-03 PM 02:44", 5));
        index = grid->InsertItem(
            web, row("index.html", QString::fromUtf8("はなこのホームページ"), "4KB", kPage, "2002-06-30 PM 10:20", 2));
        draft = grid->InsertItem(web, row("ULO1", QString::fromUtf8("新しいページ"), "0KB", kPage, {}, 2));
        grid->Expand(web, 0);
        window.show();
        QApplication::setActiveWindow(&window);
        grid->setFocus();
    }

    QPoint centre(const platform::Rect& r) const { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    QPoint buttonOf(Item* item) const
    {
        const int r = grid->GetItemIndex(item);
        return centre(
            treegrid::ExpandButtonRect(grid->GetItemRect(r, LVIR_BOUNDS), grid->GetIndent(item), grid->metrics()));
    }
    QPoint labelOf(int r) const
    {
        const platform::Rect label = grid->GetItemRect(r, LVIR_LABEL);
        return QPoint(label.left + 10, (label.top + label.bottom) / 2);
    }
    QPoint cellOf(int r, int column) const { return centre(grid->GetSubItemRect(r, column)); }
    QStringList rows() const
    {
        QStringList texts;
        for (int r = 0; r < grid->GetItemCount(); ++r)
            texts << grid->GetItemText(r, 0);
        return texts;
    }
};

void send(QWidget* target, QEvent::Type type, QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(point), target->mapToGlobal(QPointF(point)), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

void click(QWidget* target, QPoint point)
{
    send(target, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    send(target, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
}

void doubleClick(QWidget* target, QPoint point)
{
    click(target, point);
    send(target, QEvent::MouseButtonDblClick, point, Qt::LeftButton, Qt::LeftButton);
    send(target, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
}

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QImage grabRows(GridWindow& w)
{
    return w.grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// ---- shortening texts ----

TEST(TreeGridTextTest, TextsAreShortenedByWholeCharacters)
{
    const QFontMetrics metrics(QApplication::font());
    const QString title = QString::fromUtf8("はなこのホームページへようこそ");
    EXPECT_EQ(CVornaGridCtrl::FitTextToWidth(metrics, "", 5, 2), "");
    const int whole = metrics.horizontalAdvance(title);
    EXPECT_EQ(CVornaGridCtrl::FitTextToWidth(metrics, title, whole + 2, 2), title);
    const QString cut = CVornaGridCtrl::FitTextToWidth(metrics, title, whole / 2, 2);
    ASSERT_TRUE(cut.endsWith("..."));
    const QString head = cut.chopped(3);
    EXPECT_TRUE(title.startsWith(head));
    EXPECT_LT(metrics.horizontalAdvance(head) + 2 + metrics.horizontalAdvance("..."), whole / 2);
    // One character more would not fit.
    const QString longer = title.left(head.size() + 1);
    EXPECT_GE(metrics.horizontalAdvance(longer) + 2 + metrics.horizontalAdvance("..."), whole / 2);
    // At least the first character stays; a pair of surrogates is one character.
    EXPECT_EQ(CVornaGridCtrl::FitTextToWidth(metrics, title, 1, 2), title.left(1) + "...");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8C\xB8\xE8\x8A\xB1\xE8\x8A\xB1\xE8\x8A\xB1");
    EXPECT_EQ(CVornaGridCtrl::FitTextToWidth(metrics, emoji, 1, 2), emoji.left(2) + "...");
}

// ---- painting ----

TEST(TreeGridWidgetTest, RowsShowTheirTreeLinesButtonsAndShortenedTexts)
{
    GridWindow w;
    int last = 0;
    w.grid->ExpandAll(w.web, last);
    settle();
    const QImage picture = grabRows(w);
    // The expanded web row: its button frame, and the line down to its first child.
    const platform::Rect button = treegrid::ExpandButtonRect(w.grid->GetItemRect(0, LVIR_BOUNDS), 1, w.grid->metrics());
    EXPECT_EQ(picture.pixelColor(button.left, button.top), QColor(198, 198, 198));
    EXPECT_EQ(picture.pixelColor(button.left + 1, button.top + 1), QColor(Qt::white));
    // pages (row 1) has later siblings: its vertical line runs through its row.
    const platform::Rect pagesRow = w.grid->GetItemRect(1, LVIR_BOUNDS);
    const int x = pagesRow.left + 2 * 16 - 8;
    EXPECT_EQ(picture.pixelColor(x, pagesRow.bottom - 1), QColor(192, 192, 192));
    // The row picture of index.html starts at its indent.
    const int indexRow = w.grid->GetItemIndex(w.index);
    const platform::Rect indexBounds = w.grid->GetItemRect(indexRow, LVIR_BOUNDS);
    const QColor page(60, 120, 220);
    EXPECT_EQ(picture.pixelColor(indexBounds.left + 2 * 16 + 7, (indexBounds.top + indexBounds.bottom) / 2), page);
    EXPECT_EQ(w.grid->GetRowImage(indexRow), 2);
}

TEST(TreeGridWidgetTest, FocusFrameOnlyInTheTreeColumn)
{
    GridWindow w;
    const int r = w.grid->GetItemIndex(w.index);
    w.grid->SelectOnly(r);
    settle();
    const platform::Rect label = w.grid->GetItemRect(r, LVIR_LABEL);
    const int left = treegrid::BackgroundLeft(w.grid->GetItemRect(r, LVIR_BOUNDS), 2, w.grid->metrics(), 180);
    auto frameSeen = [&](const QImage& picture) {
        for (int x = left; x < label.right; ++x) {
            if (picture.pixelColor(x, label.top) == QColor(192, 0, 0))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(frameSeen(grabRows(w)));
    w.grid->m_nCurColumn = 1;
    EXPECT_FALSE(frameSeen(grabRows(w)));
}

TEST(TreeGridWidgetTest, WithoutRowPicturesNothingIsPainted)
{
    GridWindow w;
    w.grid->SetImageList({});
    w.grid->SelectOnly(0);
    const QImage picture = grabRows(w);
    const platform::Rect bounds = w.grid->GetItemRect(0, LVIR_BOUNDS);
    const QColor base = w.grid->palette().color(QPalette::Base);
    for (int x = bounds.left; x < std::min(bounds.right, picture.width()); x += 7)
        EXPECT_EQ(picture.pixelColor(x, (bounds.top + bounds.bottom) / 2), base) << x;
}

// ---- the mouse ----

TEST(TreeGridWidgetTest, ExpandButtonTogglesWithoutSelectingOrEditing)
{
    GridWindow w;
    click(w.grid->viewport(), w.buttonOf(w.pages));
    settle();
    EXPECT_EQ(w.rows(), QStringList({"mysite[/home/hanako/My Web/mysite]", "pages", "diary", "profile.html", "image",
                                     "index.html", "ULO1"}));
    EXPECT_EQ(w.grid->GetSelectedRow(), -1);
    EXPECT_EQ(w.grid->findChild<CListEditCtrl*>(), nullptr);
    EXPECT_EQ(w.grid->hooks, QStringList({"expand pages"}));
    click(w.grid->viewport(), w.buttonOf(w.pages));
    EXPECT_EQ(w.grid->GetItemCount(), 5);
    EXPECT_EQ(w.grid->hooks.last(), "collapse pages");
}

TEST(TreeGridWidgetTest, ClickOnACellEditsItAndTheEditIsStored)
{
    GridWindow w;
    const int r = w.grid->GetItemIndex(w.index);
    click(w.grid->viewport(), w.cellOf(r, 1));
    settle();
    EXPECT_EQ(w.grid->hooks, QStringList({QStringLiteral("click %1").arg(r), QStringLiteral("cell %1,1").arg(r)}));
    EXPECT_EQ(w.grid->GetSelectedRow(), r);
    EXPECT_EQ(w.grid->m_nCurColumn, 1);
    auto* edit = w.grid->findChild<CListEditCtrl*>("id_4660");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QString::fromUtf8("はなこのホームページ"));
    edit->selectAll();
    edit->insert(QString::fromUtf8("ようこそ"));
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_EQ(w.grid->GetData(w.index)->GetSubItem(0), QString::fromUtf8("ようこそ"));
    EXPECT_EQ(w.grid->GetItemText(r, 1), QString::fromUtf8("ようこそ"));
    // The type column's edit is sub-item 2; Escape keeps the old text.
    click(w.grid->viewport(), w.cellOf(r, 3));
    edit = w.grid->findChild<CListEditCtrl*>("id_4660");
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "x");
    QTest::keyClick(edit, Qt::Key_Escape);
    settle();
    EXPECT_EQ(w.grid->GetData(w.index)->GetSubItem(2), kPage);
    click(w.grid->viewport(), w.cellOf(r, 3));
    edit = w.grid->findChild<CListEditCtrl*>("id_4660");
    ASSERT_NE(edit, nullptr);
    edit->setText(QString::fromUtf8("ページ"));
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_EQ(w.grid->GetData(w.index)->GetSubItem(2), QString::fromUtf8("ページ"));
    // The tree column edits the name over its text area.
    click(w.grid->viewport(), w.labelOf(r));
    edit = w.grid->findChild<CListEditCtrl*>("id_4659");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), w.grid->GetItemRect(r, LVIR_LABEL).toQRect());
    QTest::keyClick(edit, Qt::Key_Escape);
    settle();
}

TEST(TreeGridWidgetTest, DoubleClickOnATextOpensAndClosesTheItem)
{
    GridWindow w;
    w.grid->editOnClick = false;
    const QPoint text = w.labelOf(w.grid->GetItemIndex(w.pages));
    doubleClick(w.grid->viewport(), text);
    EXPECT_FALSE(w.grid->IsCollapsed(w.pages));
    EXPECT_EQ(w.grid->GetItemCount(), 7);
    doubleClick(w.grid->viewport(), text);
    EXPECT_TRUE(w.grid->IsCollapsed(w.pages));
    EXPECT_EQ(w.grid->GetItemCount(), 5);
}

TEST(TreeGridWidgetTest, CheckBoxesFlipTheRowAndItsData)
{
    GridWindow w;
    w.grid->SetCheckBoxes(true);
    w.grid->editOnClick = false;
    const int r = w.grid->GetItemIndex(w.index);
    const platform::Rect icon = w.grid->GetItemRect(r, LVIR_ICON);
    click(w.grid->viewport(), QPoint(icon.left + 5, (icon.top + icon.bottom) / 2));
    EXPECT_TRUE(w.grid->GetCheck(r));
    EXPECT_EQ(w.grid->GetData(w.index)->GetCheck(), 1);
    // Space flips the selected row's check.
    QTest::keyClick(w.grid, Qt::Key_Space);
    EXPECT_FALSE(w.grid->GetCheck(r));
    EXPECT_EQ(w.grid->GetData(w.index)->GetCheck(), 0);
}

// ---- the keys ----

TEST(TreeGridWidgetTest, NumericPadKeysOpenAndCloseTheSelectedItem)
{
    GridWindow w(QSize(560, 120));
    w.grid->SelectOnly(0);
    w.grid->Collapse(w.web);
    QTest::keyClick(w.grid, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(w.grid->GetItemCount(), 10);
    // The last row an expansion showed (photo.JPG, the image folder's last) is scrolled into view.
    const int photo = w.grid->FindItemByPath(w.web, "image/photo.JPG");
    ASSERT_EQ(photo, 7);
    const platform::Rect last = w.grid->GetItemRect(photo, LVIR_BOUNDS);
    EXPECT_LE(last.bottom, w.grid->viewport()->height());
    EXPECT_GE(last.top, 0);
    EXPECT_GT(w.grid->GetTopIndex(), 0);
    QTest::keyClick(w.grid, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(w.grid->GetItemCount(), 1);
    QTest::keyClick(w.grid, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(w.grid->GetItemCount(), 5);
    EXPECT_TRUE(w.grid->IsCollapsed(w.pages));
}

TEST(TreeGridWidgetTest, ArrowKeysMoveTheSelectionAndTheCurrentColumn)
{
    GridWindow w;
    QTest::keyClick(w.grid, Qt::Key_Up);
    EXPECT_EQ(w.grid->GetSelectedRow(), 0);
    w.grid->SetItemState(0, 0, LVIS_SELECTED | LVIS_FOCUSED);
    QTest::keyClick(w.grid, Qt::Key_Down);
    EXPECT_EQ(w.grid->GetSelectedRow(), 0);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(w.grid, Qt::Key_Down);
    EXPECT_EQ(w.grid->GetSelectedRow(), w.grid->GetItemCount() - 1);
    EXPECT_EQ(w.grid->GetSelectedCount(), 1);
    QTest::keyClick(w.grid, Qt::Key_Left);
    EXPECT_EQ(w.grid->m_nCurColumn, 0);
    EXPECT_EQ(w.grid->horizontalScrollBar()->value(), 0);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(w.grid, Qt::Key_Right);
    EXPECT_EQ(w.grid->m_nCurColumn, 4);
    // The date column does not fit beside the others: the list moved to show it.
    EXPECT_GT(w.grid->horizontalScrollBar()->value(), 0);
}

TEST(TreeGridWidgetTest, DeleteKeyAsksTheHookFirst)
{
    GridWindow w;
    const int r = w.grid->GetItemIndex(w.images);
    w.grid->SelectOnly(r);
    w.grid->allowDelete = false;
    QTest::keyClick(w.grid, Qt::Key_Delete);
    EXPECT_EQ(w.grid->GetItemCount(), 5);
    w.grid->allowDelete = true;
    QTest::keyClick(w.grid, Qt::Key_Delete);
    EXPECT_EQ(w.rows(), QStringList({"mysite[/home/hanako/My Web/mysite]", "pages", "index.html", "ULO1"}));
    EXPECT_EQ(w.grid->GetSelectedRow(), r);
    EXPECT_EQ(w.grid->hooks, QStringList({"delete image", "delete image"}));
}

TEST(TreeGridWidgetTest, EnterRenamesSavedPagesAndEditsTitlesOfPagesOnly)
{
    GridWindow w;
    platform::ModalResponder responder;
    // A page saved as .htm: the name editor opens.
    int last = 0;
    w.grid->ExpandAll(w.pages, last);
    const int june = 4;
    ASSERT_EQ(w.grid->GetItemText(june, 0), "2002-06.htm");
    w.grid->SelectOnly(june);
    QTest::keyClick(w.grid, Qt::Key_Return);
    auto* edit = w.grid->findChild<CListEditCtrl*>("id_4659");
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Escape);
    settle();
    // A page not saved yet: the save-first message, and no editor.
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SAVE_BEFORE_RENAME));
    w.grid->SelectOnly(w.grid->GetItemIndex(w.draft));
    QTest::keyClick(w.grid, Qt::Key_Return);
    settle();
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(w.grid->findChild<CListEditCtrl*>(), nullptr);
    QApplication::setActiveWindow(&w.window);
    w.grid->setFocus();
    // The title of a folder is no text to edit; of a page it is.
    w.grid->m_nCurColumn = 1;
    w.grid->SelectOnly(w.grid->GetItemIndex(w.images));
    QTest::keyClick(w.grid, Qt::Key_Return);
    EXPECT_EQ(w.grid->findChild<CListEditCtrl*>(), nullptr);
    w.grid->SelectOnly(june);
    QTest::keyClick(w.grid, Qt::Key_Return);
    edit = w.grid->findChild<CListEditCtrl*>("id_4660");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QString::fromUtf8("六月の日記"));
    QTest::keyClick(edit, Qt::Key_Escape);
    settle();
    // A grid that handles Enter itself lets the key go on.
    w.grid->handleReturn = true;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w.grid, &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(w.grid->findChild<CListEditCtrl*>(), nullptr);
}

// ---- dragging rows ----

namespace {

// Presses on a row's text and moves far enough for a drag to begin.
void beginDrag(GridWindow& w, int r)
{
    const QPoint from = w.labelOf(r);
    send(w.grid->viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(w.grid->viewport(), QEvent::MouseMove, from + QPoint(0, QApplication::startDragDistance() + 2), Qt::NoButton,
         Qt::LeftButton);
}

void moveTo(GridWindow& w, QPoint to, Qt::MouseButtons buttons = Qt::LeftButton)
{
    send(w.grid->viewport(), QEvent::MouseMove, to, Qt::NoButton, buttons);
}

void drop(GridWindow& w, QPoint at)
{
    send(w.grid->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

} // namespace

TEST(TreeGridWidgetTest, DragRestingOnACollapsedFolderOpensItAndTheDropMakesTheLastChild)
{
    GridWindow w;
    w.grid->editOnClick = false;
    const int indexRow = w.grid->GetItemIndex(w.index);
    beginDrag(w, indexRow);
    ASSERT_TRUE(w.grid->m_bDragging);
    EXPECT_TRUE(platform::isTimerActive(w.grid, CVornaGridCtrl::kDragTimer) == false);
    const QPoint over = w.labelOf(w.grid->GetItemIndex(w.pages));
    moveTo(w, over);
    EXPECT_EQ(w.grid->m_nDropRow, 1);
    EXPECT_TRUE(w.grid->GetItemState(1, LVIS_DROPHILITED));
    EXPECT_TRUE(platform::isTimerActive(w.grid, CVornaGridCtrl::kDragTimer));
    // The timer runs out while the mouse rests.
    QTRY_VERIFY_WITH_TIMEOUT(!w.grid->IsCollapsed(w.pages), 2000);
    EXPECT_FALSE(platform::isTimerActive(w.grid, CVornaGridCtrl::kDragTimer));
    EXPECT_EQ(w.grid->m_nDragRow, w.grid->GetItemIndex(w.index));
    drop(w, over);
    settle();
    EXPECT_FALSE(w.grid->m_bDragging);
    EXPECT_EQ(w.grid->GetChildCount(w.web), 3);
    const Item* moved = w.grid->GetChild(w.pages, 2);
    EXPECT_EQ(w.grid->GetData(moved)->GetItemText(), "index.html");
    EXPECT_EQ(w.grid->GetData(moved)->GetSubItem(0), QString::fromUtf8("はなこのホームページ"));
    EXPECT_EQ(w.rows(), QStringList({"mysite[/home/hanako/My Web/mysite]", "pages", "diary", "profile.html",
                                     "index.html", "image", "ULO1"}));
    EXPECT_EQ(w.grid->GetSelectedRow(), 1);
    EXPECT_EQ(w.grid->GetNextItem(-1, LVIS_DROPHILITED), -1);
}

TEST(TreeGridWidgetTest, DragsThatMoveNothing)
{
    GridWindow w;
    w.grid->editOnClick = false;
    // The web's own row stays where it is.
    beginDrag(w, 0);
    moveTo(w, w.labelOf(w.grid->GetItemIndex(w.images)));
    drop(w, w.labelOf(w.grid->GetItemIndex(w.images)));
    EXPECT_EQ(w.grid->GetChildCount(w.images), 1);
    EXPECT_EQ(w.grid->GetRootCount(), 1);
    // Onto its own parent, onto itself.
    beginDrag(w, w.grid->GetItemIndex(w.index));
    moveTo(w, w.labelOf(0));
    drop(w, w.labelOf(0));
    beginDrag(w, w.grid->GetItemIndex(w.index));
    drop(w, w.labelOf(w.grid->GetItemIndex(w.index)));
    EXPECT_EQ(w.grid->GetChildCount(w.web), 4);
    // A drag given up by the right button moves nothing when the left is let go.
    beginDrag(w, w.grid->GetItemIndex(w.index));
    moveTo(w, w.labelOf(w.grid->GetItemIndex(w.images)));
    moveTo(w, w.labelOf(w.grid->GetItemIndex(w.images)), Qt::RightButton);
    EXPECT_FALSE(w.grid->m_bDragging);
    drop(w, w.labelOf(w.grid->GetItemIndex(w.images)));
    EXPECT_EQ(w.grid->GetChildCount(w.images), 1);
    // Escape too.
    beginDrag(w, w.grid->GetItemIndex(w.index));
    moveTo(w, w.labelOf(w.grid->GetItemIndex(w.images)));
    QTest::keyClick(w.grid, Qt::Key_Escape);
    EXPECT_FALSE(w.grid->m_bDragging);
    drop(w, w.labelOf(w.grid->GetItemIndex(w.images)));
    EXPECT_EQ(w.grid->GetChildCount(w.images), 1);
    EXPECT_EQ(w.grid->GetNextItem(-1, LVIS_DROPHILITED), -1);
}

TEST(TreeGridWidgetTest, DragRestingInTheBottomBandScrollsALineAtATime)
{
    GridWindow w(QSize(560, 130));
    w.grid->editOnClick = false;
    int last = 0;
    w.grid->ExpandAll(w.web, last);
    ASSERT_EQ(w.grid->GetTopIndex(), 0);
    beginDrag(w, w.grid->GetItemIndex(w.draft) - 9);
    const QPoint bottom(60, w.grid->viewport()->height() - 4);
    moveTo(w, bottom);
    EXPECT_TRUE(platform::isTimerActive(w.grid, CVornaGridCtrl::kDragTimer));
    w.grid->OnTimer(CVornaGridCtrl::kDragTimer);
    EXPECT_EQ(w.grid->GetTopIndex(), 1);
    EXPECT_TRUE(platform::isTimerActive(w.grid, CVornaGridCtrl::kDragTimer));
    for (int i = 0; i < 20; ++i)
        w.grid->OnTimer(CVornaGridCtrl::kDragTimer);
    EXPECT_EQ(w.grid->GetTopIndex(), w.grid->verticalScrollBar()->maximum());
    EXPECT_FALSE(platform::isTimerActive(w.grid, CVornaGridCtrl::kDragTimer));
    drop(w, bottom);
}

// ---- a picture for review ----

TEST(ControlsScreenshot, TreeGridOfAWebThreeLevelsDeep)
{
    GridWindow w(QSize(620, 260));
    int last = 0;
    w.grid->ExpandAll(w.web, last);
    w.grid->SetColumnWidth(1, 110); // "はなこのホームページ" is shortened
    const int june = w.grid->FindItemByPath(w.web, "pages/diary/2002-06.htm");
    w.grid->SelectOnly(june);
    w.grid->GetData(w.grid->GetTreeItem(june))->SetControlType(3, CItemInfo::ComboBox);
    w.grid->GetData(w.images)->SetCellColor(1, platform::rgb(255, 240, 200));
    settle();
    const QImage picture = w.grid->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(saveForReview(picture, "tree-grid.png"));
}
