#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class VornaFrameSet;

// The values and rules of the hyperlink dialog without its window: the kind of
// address (the scheme), how the address is rewritten when the scheme changes
// and when OK takes it, which page of the list it names, the target frames on
// offer and the checks of OK. Prefixes and suffixes compare without regard to
// case.
class HyperlinkDialogModel
{
public:
    // The scheme box's items, in their order; kNoScheme is no selection.
    enum Scheme {
        kNoScheme = -1,
        kSchemeUrl = 0,
        kSchemeMail = 1,
        kSchemeDownload = 2,
        kSchemeImage = 3,
    };

    // One row of the page list.
    struct PageRow
    {
        QString title;
        QString fileName;
        bool operator==(const PageRow&) const = default;
    };

    // What OK makes of the values.
    enum class OkOutcome {
        Accept,       // the address stands (rewritten for its scheme)
        DeleteLink,   // the address of the link being edited was erased: the link goes
        NoAddress,    // nothing typed: the dialog stays open with a message
        ChooseScheme, // an address with neither a scheme nor a page row: the dialog stays open
    };

    // The address as the dialog shows it when it opens: "/" for every "\",
    // blanks for "%20", a "file:///" address as its path.
    static QString NormaliseAddress(QString address);
    static QString WithoutFilePrefix(QString address);

    // The scheme of an existing link: a web or mail address, a picture, else
    // a download file unless it is a page (kNoScheme).
    static int ClassifyLink(const QString& address);
    // The scheme as typing changes it: a web or mail address, a picture;
    // anything else keeps the current scheme.
    static int ClassifyTyped(const QString& address, int currentScheme);

    // The address rewritten when the scheme box changes to the scheme: the
    // other prefix swapped for the scheme's own, or taken away for a file.
    static QString RewriteForScheme(const QString& address, int scheme);
    // The address OK writes for the scheme.
    static QString AddressForOk(const QString& address, int scheme);
    // The part selected when the address box gets the focus: after the scheme
    // prefix; {-1, 0} without one.
    static std::pair<int, int> SelectionAfterPrefix(const QString& address);

    // The target box is offered for no scheme, a web address and a picture;
    // the browse button for a download file and a picture.
    static bool TargetEnabled(int scheme) { return scheme != kSchemeMail && scheme != kSchemeDownload; }
    static bool BrowseEnabled(int scheme) { return scheme == kSchemeDownload || scheme == kSchemeImage; }

    // The pages of a folder: its HTML files (no folders, no hidden files),
    // each with the title of the page, in the order of their names.
    static QList<PageRow> FolderPageRows(const QString& folder);
    // The rows of the open web's pages: file names and titles side by side,
    // up to the first empty file name.
    static QList<PageRow> WebPageRows(const QStringList& fileNames, const QStringList& titles);

    // The target box's items: "_self", "_blank", "_parent", "_top", then the
    // frames' names of the tree, depth first, without empty or "noname" ones.
    static QStringList TargetItems(const VornaFrameSet* root);
    // The index of the item equal to the target without regard to case, or -1.
    static int FindItem(const QStringList& items, const QString& text);

    // The file a browse starts from: the address as a local path, empty when
    // no such file exists.
    static QString BrowseStartPath(const QString& address);

    // Step 4 and 5 of opening: the address relative to the web, the rows, and
    // the row (and no scheme) the address names.
    void TakePageRows(const QList<PageRow>& rows, const QString& relativeAddress);
    // Step 7 and 8 of opening: the scheme of an edited link, the address
    // without "file:///"; m_nCurScheme follows.
    void ClassifyOnOpen();
    // Live classification of the address (typed, or picked from the
    // history): the row it names, else its scheme. True when the scheme changed.
    bool ClassifyAddress(const QString& address);
    // The scheme box changed: no page row, the address rewritten.
    void ChangeScheme(int scheme);
    // A click on a row: the row's file name becomes the address and the
    // scheme is cleared. False for a row outside the list or the row already taken.
    bool TakeRow(int row);
    // OK's rules on m_strURL (m_strOrigURL, m_nCurScheme, m_nPageItem).
    OkOutcome CheckOk();

    QList<PageRow> m_rows;

    QString m_strURL;
    int m_bRemoveUnderline = 1;
    bool m_bEnableRemoveUnderline = true;
    bool m_bPageInWeb = false;
    int m_nScheme = kNoScheme;
    int m_nCurScheme = kNoScheme;
    bool m_bEditLink = false;
    bool m_bDeleteLink = false;
    QString m_strOrigURL;
    QString m_strTarget;
    QString m_strTargetFrame;
    int m_nPageItem = -1;
};
