// The symbol palette in the running program: its grid and faces, and what
// Insert puts on the page.

#include "commands/FormatPage.h"

#include "app/CZQDoc.h"

#include "dialogs/VornaDlgSymbol.h"

#include "controls/VornaFontCombo.h"
#include "controls/VornaSymbolList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class SymbolPalette : public FormatPage
{
protected:
    CMainFrame* frame() const { return app->mainFrame(); }
    VornaDlgSymbol* palette()
    {
        run(33353);
        return frame()->m_pDlgSymbol;
    }
    CZQView* openPage(const char* charset = "UTF-8", const QString& name = QStringLiteral("page"))
    {
        return open(QStringLiteral(
                        ">\n<TABLE id=text style=\"POSITION: absolute; LEFT: 20px; TOP: 20px\"><TR><TD id=box>箱</TD>"
                        "</TR></TABLE>\n<DIV><P id=flow>本文</P></DIV>\n"),
                    charset, name);
    }
    // Selects the symbol of the code in the grid.
    static void choose(VornaDlgSymbol& dialog, int code)
    {
        for (int i = 0; i < dialog.m_nSymbols; ++i) {
            if (dialog.m_pSymbols[i].m_nCode == code)
                dialog.m_lstSymbols->setCurrentRow(i);
        }
    }
};

TEST_F(SymbolPalette, TheGridShowsTheShippedTableInTheFaceForArial)
{
    ASSERT_NE(openPage(), nullptr);
    VornaDlgSymbol* dialog = palette();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->m_lstSymbols->count(), dialog->m_nSymbols);
    EXPECT_GE(dialog->m_nSymbols, 150);
    // The box shows the face the grid draws in, a face of this machine.
    EXPECT_FALSE(dialog->m_lstSymbols->m_strFace.isEmpty());
    EXPECT_EQ(dialog->m_cbFont->currentText(), dialog->m_lstSymbols->m_strFace);
    EXPECT_GE(dialog->m_cbFont->findText(dialog->m_lstSymbols->m_strFace), 0);
    EXPECT_TRUE(dialog->m_stPreview->isHidden());
    // Cells flow top to bottom, 20 by 18.
    const QRect first = dialog->m_lstSymbols->visualItemRect(dialog->m_lstSymbols->item(0));
    const QRect second = dialog->m_lstSymbols->visualItemRect(dialog->m_lstSymbols->item(1));
    EXPECT_EQ(first.size(), QSize(20, 18));
    EXPECT_EQ(second.topLeft(), first.bottomLeft() + QPoint(0, 1));
    // Escape hides the palette; it comes back whole.
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(palette(), dialog);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SymbolPalette, InsertPutsTheSymbolInAFontNamingTheShownFaceAsOneStep)
{
    ASSERT_NE(openPage(), nullptr);
    caretIn("box", 1);
    VornaDlgSymbol* dialog = palette();
    ASSERT_NE(dialog, nullptr);
    // Nothing chosen: nothing happens.
    EXPECT_FALSE(dialog->OnInsert());
    choose(*dialog, 9733);
    const int before = undoSteps();
    ASSERT_TRUE(dialog->m_btnInsert->isEnabled());
    dialog->m_btnInsert->click();
    settle();
    const QString face = dialog->m_cbFont->currentText();
    EXPECT_EQ(inner("box"), QStringLiteral("箱<FONT face=\"%1\">★</FONT>").arg(face)) << inner("box").toStdString();
    EXPECT_EQ(undoSteps(), before + 1);
    // A typed face that is not chosen names the FONT, quotes and all; the
    // grid keeps the face chosen last.
    const QString grid = dialog->m_lstSymbols->m_strFace;
    dialog->m_cbFont->setEditText(QStringLiteral("My \"Face\" <&>"));
    dialog->m_btnInsert->click();
    settle();
    EXPECT_EQ(dialog->m_lstSymbols->m_strFace, grid);
    EXPECT_EQ(byId("box")->getElementsByTagName(QStringLiteral("FONT")).length(), 2);
    undo();
    undo();
    EXPECT_EQ(inner("box"), QStringLiteral("箱"));
}

TEST_F(SymbolPalette, ADoubleClickInsertsOnlyWhileInsertIsEnabled)
{
    ASSERT_NE(openPage(), nullptr);
    // The caret in the BODY itself, where no text is typed.
    doc()->selection().collapseAt(doc()->body(), 0);
    settle();
    VornaDlgSymbol* dialog = palette();
    ASSERT_NE(dialog, nullptr);
    choose(*dialog, 169);
    EXPECT_FALSE(dialog->m_btnInsert->isEnabled());
    QListWidget* list = dialog->m_lstSymbols;
    const QPoint at = list->visualItemRect(list->currentItem()).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    settle();
    EXPECT_EQ(inner("flow"), QStringLiteral("本文"));
    EXPECT_EQ(inner("box"), QStringLiteral("箱"));
}

TEST_F(SymbolPalette, SymbolsPastedIntoAPageComeBackFromItsFileInEitherCharset)
{
    // ★ is a Shift_JIS character, © and € are not: the file keeps them as
    // references or as UTF-8, and the reopened page shows all three.
    for (const char* charset : {"Shift_JIS", "UTF-8"}) {
        SCOPED_TRACE(charset);
        ASSERT_NE(openPage(charset, QLatin1String(charset)), nullptr);
        caretIn("box", 1);
        VornaDlgSymbol* dialog = palette();
        ASSERT_NE(dialog, nullptr);
        dialog->m_btnInsert->setEnabled(true);
        for (int code : {9733, 169, 8364}) {
            choose(*dialog, code);
            ASSERT_TRUE(dialog->OnInsert());
            settle();
        }
        dialog->hide();
        const QString copy = dir.filePath(QStringLiteral("copy-%1.html").arg(QLatin1String(charset)));
        ASSERT_TRUE(view()->GetDocument()->doSave(copy, false));
        const QByteArray written = [&] {
            QFile file(copy);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        ASSERT_FALSE(written.isEmpty());
        EXPECT_EQ(platform::decodeText(written, QLatin1String(charset)).count(QStringLiteral("<FONT face=")), 3);
        ASSERT_TRUE(app->OpenDocumentFile(copy));
        settle();
        ASSERT_NE(byId("box"), nullptr);
        EXPECT_EQ(byId("box")->textContent(), QStringLiteral("箱★©€"));
        EXPECT_EQ(byId("box")->getElementsByTagName(QStringLiteral("FONT")).length(), 3);
    }
}

} // namespace
