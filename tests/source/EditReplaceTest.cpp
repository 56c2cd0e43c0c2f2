#include "BufferTestSupport.h"
#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "source/CEditReplaceDlg.h"
#include "source/EditReplaceModel.h"
#include "source/VornaSourceDoc.h"
#include "source/VornaSourceEditView.h"
#include "util/CRegistryEx.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace {

// Runs the model against a real edit view and counts the not-found notices.
class ViewReplaceTarget : public EditReplaceTarget
{
public:
    explicit ViewReplaceTarget(VornaSourceEditView& view) : view(view) {}
    bool FindInText(const std::string& what, QPoint start, uint32_t flags, bool wrap, QPoint& found) override
    {
        return view.FindInText(what, start, flags, wrap, found);
    }
    bool FindInRange(const std::string& what, QPoint start, QPoint blockStart, QPoint blockEnd, uint32_t flags,
                     bool wrap, QPoint& found) override
    {
        return view.FindInRange(what, start, blockStart, blockEnd, flags, wrap, found);
    }
    void SelectFoundText(QPoint start, int length) override { view.SelectFoundText(start, length); }
    bool ReplaceSelection(const std::string& text) override { return view.ReplaceSelection(text); }
    void ReportNotFound(const QString&) override { ++notFound; }

    VornaSourceEditView& view;
    int notFound = 0;
};

class EditReplaceModelTest : public ::testing::Test
{
protected:
    void SetUp() override { view.OnInitialUpdate(); }
    VornaSourceTextBuffer& Buffer() { return view.GetSourceDoc()->m_xTextBuffer; }
    void Load(const std::string& text) { Buffer().LoadFromBytes(text); }
    void WholeText(QPoint start = QPoint(0, 0))
    {
        model.m_bEnableScopeSelection = false;
        model.m_nScope = 1;
        model.m_ptSearchStart = start;
    }
    void Block(QPoint begin, QPoint end)
    {
        model.m_bEnableScopeSelection = true;
        model.m_nScope = 0;
        model.m_ptSearchStart = begin;
        model.m_ptBlockBegin = begin;
        model.m_ptBlockEnd = end;
    }

    VornaSourceEditView view;
    ViewReplaceTarget target{view};
    EditReplaceModel model{&target};
};

TEST_F(EditReplaceModelTest, ReplaceAllInSelectionFollowsGrowingBlockEnd)
{
    Load("ab ab ab ab");
    Block(QPoint(0, 0), QPoint(8, 0)); // the first three
    model.m_sText = QStringLiteral("ab");
    model.m_sNewText = QStringLiteral("xyz");
    model.OnReplaceAll();
    EXPECT_EQ(BufferLines(Buffer()), Lines{"xyz xyz xyz ab"});
    EXPECT_EQ(model.m_ptBlockEnd, QPoint(11, 0));
    EXPECT_EQ(target.notFound, 1);
    EXPECT_FALSE(model.m_bFound);
    EXPECT_EQ(model.m_ptSearchStart, QPoint(0, 0));
}

TEST_F(EditReplaceModelTest, ReplaceAllInWholeTextWithShorterText)
{
    Load("<B>a</B>\r\n<b>c</b>");
    WholeText();
    model.m_sText = QStringLiteral("<b>");
    model.m_sNewText = QStringLiteral("<i>");
    model.OnReplaceAll();
    EXPECT_EQ(BufferLines(Buffer()), (Lines{"<i>a</B>", "<i>c</b>"}));
    model.m_bMatchCase = true;
    model.m_sText = QStringLiteral("</b>");
    model.m_sNewText = QString();
    model.OnReplaceAll();
    EXPECT_EQ(BufferLines(Buffer()), (Lines{"<i>a</B>", "<i>c"}));
}

TEST_F(EditReplaceModelTest, ReplaceBeforeFindNextOnlySearches)
{
    Load("one two one");
    WholeText(QPoint(2, 0));
    model.m_sText = QStringLiteral("one");
    model.m_sNewText = QStringLiteral("1");
    model.OnReplace();
    EXPECT_EQ(BufferLines(Buffer()), Lines{"one two one"});
    EXPECT_TRUE(model.m_bFound);
    EXPECT_EQ(model.m_ptCurrentPos, QPoint(8, 0));
    model.OnReplace(); // now replaces and looks for the next
    EXPECT_EQ(BufferLines(Buffer()), Lines{"one two 1"});
    EXPECT_EQ(target.notFound, 1);
}

TEST_F(EditReplaceModelTest, FindNextStepsOnAndRestartsAfterNotFound)
{
    Load("aaa");
    WholeText();
    model.m_sText = QStringLiteral("a");
    model.OnFindNext();
    EXPECT_EQ(model.m_ptCurrentPos, QPoint(0, 0));
    model.OnFindNext();
    EXPECT_EQ(model.m_ptCurrentPos, QPoint(1, 0));
    model.OnFindNext();
    model.OnFindNext();
    EXPECT_EQ(target.notFound, 1);
    model.OnFindNext();
    EXPECT_EQ(model.m_ptCurrentPos, QPoint(0, 0));
    QPoint start, end;
    view.GetSelection(start, end);
    EXPECT_EQ(end, QPoint(1, 0));
}

TEST_F(EditReplaceModelTest, EmptySearchTextReplacesNothing)
{
    Load("abc");
    WholeText();
    EXPECT_FALSE(model.CanReplace());
    EXPECT_FALSE(model.CanFindNext());
    model.OnReplaceAll();
    model.OnReplace();
    EXPECT_EQ(BufferLines(Buffer()), Lines{"abc"});
    EXPECT_EQ(target.notFound, 0);
}

TEST_F(EditReplaceModelTest, RefusedReplacementEndsReplaceAll)
{
    Load("aa");
    WholeText();
    model.m_sText = QStringLiteral("a");
    model.OnFindNext();
    ASSERT_TRUE(model.m_bFound);
    view.SetSelection(QPoint(0, 0), QPoint(0, 0)); // the match is no longer selected
    model.OnReplaceAll();
    EXPECT_FALSE(model.m_bFound);
    EXPECT_EQ(BufferLines(Buffer()), Lines{"aa"});
}

TEST_F(EditReplaceModelTest, ProfileKeepsOptionsAndTexts)
{
    model.m_bMatchCase = true;
    model.m_sText = QStringLiteral("日本");
    model.m_sNewText = QStringLiteral("x");
    model.SaveProfile();
    EditReplaceModel loaded(&target);
    loaded.LoadProfile();
    EXPECT_TRUE(loaded.m_bMatchCase);
    EXPECT_FALSE(loaded.m_bWholeWord);
    EXPECT_EQ(loaded.m_sText, QStringLiteral("日本"));
    EXPECT_EQ(loaded.m_sNewText, QStringLiteral("x"));
}

class ReplaceDialogTest : public EditReplaceModelTest
{
};

TEST_F(ReplaceDialogTest, CancelStoresChangedOptions)
{
    Load("abc");
    platform::ModalResponder responder;
    responder.on(IDD_EDIT_REPLACE, [](QDialog& dialog) {
        platform::ModalResponder::setText(dialog, IDC_EDIT_TEXT, QString());
        EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("id_8610"))->isEnabled());
        EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("id_8608"))->isEnabled());
        EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("id_8613"))->isEnabled());
        platform::ModalResponder::setChecked(dialog, IDC_EDIT_WHOLE_WORD, true);
        platform::ModalResponder::setText(dialog, IDC_EDIT_TEXT, QStringLiteral("b"));
        EXPECT_TRUE(dialog.findChild<QWidget*>(QStringLiteral("id_8610"))->isEnabled());
        platform::ModalResponder::press(dialog, platform::IDCANCEL);
    });
    view.OnEditReplace();
    EXPECT_EQ(responder.pending(), 0);
    CRegistryEx registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.Open(HKEY_CURRENT_USER, QString::fromLatin1(kEditReplaceProfileKey)));
    int wholeWord = 0;
    QString findWhat;
    EXPECT_TRUE(registry.ReadInt(QStringLiteral("WholeWord"), wholeWord));
    EXPECT_TRUE(registry.ReadString(QStringLiteral("FindWhat"), findWhat));
    EXPECT_EQ(wholeWord, 1);
    EXPECT_EQ(findWhat, QStringLiteral("b"));
}

TEST_F(ReplaceDialogTest, ReplaceAllOverSelectionKeepsTrackedSelection)
{
    Load("x ab ab\r\nab");
    view.SetAnchor(QPoint(2, 0));
    view.SetSelection(QPoint(2, 0), QPoint(7, 0));
    view.SetCaretPosition(QPoint(7, 0));
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("ab"));
    responder.on(IDD_EDIT_REPLACE, [](QDialog& dialog) {
        platform::ModalResponder::setText(dialog, IDC_EDIT_TEXT, QStringLiteral("ab"));
        platform::ModalResponder::setText(dialog, IDC_EDIT_REPLACE_WITH, QStringLiteral("ABCD"));
        EXPECT_TRUE(platform::ModalResponder::press(dialog, IDC_EDIT_REPLACE_ALL));
        platform::ModalResponder::press(dialog, platform::IDCANCEL);
    });
    view.OnEditReplace();
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(BufferLines(Buffer()), (Lines{"x ABCD ABCD", "ab"}));
    QPoint start, end;
    view.GetSelection(start, end);
    EXPECT_EQ(start, QPoint(2, 0)); // the selection followed the replacements
    EXPECT_EQ(end.y(), 0);
    EXPECT_FALSE(view.IsReplaceTracking());
    // Each replacement undoes in two steps.
    view.OnEditUndo();
    view.OnEditUndo();
    EXPECT_EQ(BufferLines(Buffer()), (Lines{"x ABCD ab", "ab"}));
}

} // namespace
