// Insert table: the markup and first extent of the dialog's answers, and the
// command that arms them for the click that places the table.

#include "TablePage.h"

#include "commands/TableInsertMarkup.h"
#include "dialogs/VornaDialogTableProperty.h"
#include "res/resource.h"

#include "platform/ModalResponder.h"

namespace {

// The dialog as Insert table opens it.
TableValues defaults()
{
    TableValues v;
    v.rows = QStringLiteral("3");
    v.columns = QStringLiteral("3");
    v.width = QStringLiteral("50");
    return v;
}

// A page view window of 837 x 630: 800 x 600 pixels for 100 %.
const QSize kWindow(837, 630);

QString rowsOf(int rows, int columns, int width)
{
    const QString cell = QStringLiteral("\t\t<TD width=%1% ></TD>\n").arg(width);
    return (QStringLiteral("\t<TR>\n") + cell.repeated(columns) + QStringLiteral("\t</TR>\n")).repeated(rows);
}

TEST(TableInsertMarkup, TheDefaultsMakeThreeByThreeHalfTheViewWide)
{
    const InsertTableMarkup m = BuildInsertTableMarkup(defaults(), kWindow);
    EXPECT_EQ(m.html, QStringLiteral(" border=1 width=\"50%\">\n") + rowsOf(3, 3, 33) + QStringLiteral("</TABLE>"));
    // 3 x 20 + 1 x 4 + 1 x 2 high; half of 800 wide.
    EXPECT_EQ(m.size, QSize(400, 66));
}

TEST(TableInsertMarkup, SizesAreBoundedAndNeverBelowWhatTheCellsNeed)
{
    TableValues v = defaults();
    v.width = QStringLiteral("150");
    v.height = QStringLiteral("40");
    InsertTableMarkup m = BuildInsertTableMarkup(v, kWindow);
    EXPECT_TRUE(m.html.startsWith(QStringLiteral(" border=1 height=\"40%\" width=\"100%\">\n")))
        << m.html.toStdString();
    EXPECT_EQ(m.size, QSize(800, 240));
    // Pixels: the text is written, the extent is at least 8 a column.
    v = defaults();
    v.columns = QStringLiteral("5");
    v.width = QStringLiteral("10");
    v.widthPercent = false;
    v.cellSpacing = QStringLiteral("2");
    m = BuildInsertTableMarkup(v, kWindow);
    EXPECT_TRUE(m.html.startsWith(QStringLiteral(" border=1 width=10 cellspacing=2>\n"))) << m.html.toStdString();
    EXPECT_EQ(m.size.width(), 5 * 8 + 2 * 6 + 2);
    // No border written, yet one counted.
    v = defaults();
    v.border.clear();
    v.width.clear();
    m = BuildInsertTableMarkup(v, kWindow);
    EXPECT_TRUE(m.html.startsWith(QStringLiteral(">\n"))) << m.html.toStdString();
    EXPECT_EQ(m.size, QSize(3 * 8 + 4 + 2, 66));
}

TEST(TableInsertMarkup, CountsAreReadAsNumbersFromOneToTwentyFive)
{
    TableValues v = defaults();
    v.columns = QStringLiteral("7");
    v.rows = QStringLiteral("0");
    EXPECT_TRUE(BuildInsertTableMarkup(v, kWindow).html.endsWith(rowsOf(1, 7, 14) + QStringLiteral("</TABLE>")));
    v.rows.clear();
    v.columns = QStringLiteral("abc");
    EXPECT_TRUE(BuildInsertTableMarkup(v, kWindow).html.endsWith(rowsOf(1, 1, 100) + QStringLiteral("</TABLE>")));
    // Counts typed beyond the spin before Enter stay within it.
    v.rows = QStringLiteral("5000");
    v.columns = QStringLiteral("99");
    const InsertTableMarkup m = BuildInsertTableMarkup(v, kWindow);
    EXPECT_EQ(m.html.count(QStringLiteral("<TR>")), 25);
    EXPECT_EQ(m.html.count(QStringLiteral("<TD ")), 25 * 25);
}

TEST(TableInsertMarkup, CaptionColoursAndBackgroundAreWrittenSafely)
{
    TableValues v = defaults();
    v.caption = QStringLiteral("<B>夏</B> & 冬");
    v.captionBottom = true;
    v.backColor = platform::rgb(255, 0, 0);
    v.borderColor = platform::rgb(0x12, 0x34, 0x56);
    v.background = QStringLiteral("bg.gif");
    v.cellPadding = QStringLiteral("4");
    const QString html = BuildInsertTableMarkup(v, kWindow).html;
    EXPECT_TRUE(html.startsWith(QStringLiteral(" border=1 width=\"50%\" cellpadding=4 bgcolor=Red bordercolor=#123456 "
                                               "background=\"bg.gif\">\n<CAPTION valign=bottom>&lt;B&gt;夏&lt;/B&gt; "
                                               "&amp; 冬</CAPTION>\n\t<TR>")))
        << html.toStdString();
    v.captionBottom = false;
    EXPECT_TRUE(BuildInsertTableMarkup(v, kWindow).html.contains(QStringLiteral(">\n<CAPTION>&lt;B&gt;")));
    // The default colour and no colour write nothing.
    v.backColor = kColorDefault;
    v.borderColor = kColorNone;
    EXPECT_FALSE(BuildInsertTableMarkup(v, kWindow).html.contains(QStringLiteral("color")));
}

class TableInsert : public TablePage
{
};

TEST_F(TableInsert, TheChosenTableWaitsForItsClickAndGoesInAsOneStep)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P>表を置きます</P></DIV>\n")), nullptr);
    CMainFrame* frame = app->mainFrame();
    platform::ModalResponder responder;
    QSize bases;
    responder.on(IDD_TABLE_PROPERTY, [&](QDialog& d) {
        auto& dialog = static_cast<VornaDialogTableProperty&>(d);
        EXPECT_FALSE(dialog.m_bExistingTable);
        EXPECT_EQ(dialog.m_strRows, QStringLiteral("3"));
        EXPECT_EQ(dialog.m_strWidth, QStringLiteral("50"));
        EXPECT_EQ(dialog.m_strBorder, QStringLiteral("1"));
        bases = QSize(dialog.m_nReferenceWidth, dialog.m_nReferenceHeight);
        dialog.m_strRows = QStringLiteral("2");
        dialog.m_strBackground = QStringLiteral("wall paper.gif");
        dialog.done(platform::IDOK);
    });
    ASSERT_TRUE(enabled(ID_TABLE_INSERT));
    run(ID_TABLE_INSERT);
    EXPECT_EQ(bases, page()->viewport()->size() - QSize(37, 30));
    EXPECT_EQ(frame->m_nInsertKind, 4);
    EXPECT_EQ(frame->m_sizeInsertTable.width(), (view()->frameGeometry().width() - 37) / 2);
    EXPECT_EQ(frame->m_rcInsert, QRect(QPoint(-1, -1), frame->m_sizeInsertTable));
    // The click places it.
    const int steps = undoSteps();
    QPoint point(40, 60);
    EXPECT_EQ(sink()->InsertPositionedObject(point), S_OK);
    settle();
    const engine::ElementCollection tables = doc()->getElementsByTagName(QStringLiteral("TABLE"));
    ASSERT_EQ(tables.length(), 1);
    engine::Element* table = tables.item(0);
    EXPECT_EQ(table->rows().length(), 2);
    EXPECT_EQ(table->cells().length(), 6);
    EXPECT_EQ(table->getAttributeText(QStringLiteral("width")), QStringLiteral("50%"));
    EXPECT_EQ(table->getAttributeText(QStringLiteral("background")), QStringLiteral("wall paper.gif"));
    EXPECT_EQ(doc()->selection().createControlRange().item(0), table);
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("TABLE")).length(), 0);
    // Cancel arms nothing.
    frame->m_nInsertKind = 0;
    responder.answer(IDD_TABLE_PROPERTY, platform::IDCANCEL);
    run(ID_TABLE_INSERT);
    EXPECT_EQ(frame->m_nInsertKind, 0);
}

} // namespace
