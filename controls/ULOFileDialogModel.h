#pragma once

#include <QString>

// The rules of the program's page file dialog, without a window: which
// folder each mode starts in and remembers, the address typed in place of a
// file, and the free numbered name proposed when a new page is saved.
//
// Modes: 0 open a page, 1 save a page that has no file yet, 2 save a page
// under another name, 3 a new page from a template, 4 pick or save a page in
// the open web.
class ULOFileDialogModel
{
public:
    // The program's state the folders are prepared from.
    struct Place
    {
        QString installFolder;
        QString webFolder;      // the open web's folder; empty while no web is open
        QString activePageName; // the active page's display name (its file name); empty without one
        QString activePagePath; // the active page's file; empty for a page never saved
        bool activePageInWeb = false;

        // The running program's state, through the application context.
        static Place Current();
    };

    // Prepares the folders and the title: the home folder of the mode, the
    // start folder (the remembered one when it still exists), and the title
    // of mode 3.
    ULOFileDialogModel(int nMode, const QString& fileName, const QString& defExt, const Place& place);

    // The value of "Recent Opened Dir" a mode remembers its folder under.
    static QString RememberedValueName(int mode);
    static QString HomeFolderOf(int mode, const Place& place);

    // OK in mode 0: a name beginning with "http://" or "https://" (any case, after leading
    // blanks) is an address; sets m_bURL and m_strURL. True for an address.
    bool TakeAddress(const QString& typedName);

    // The name for the box when a page is saved in `folder` under `name`: a
    // name of a new page (UNTITLED, ULO, FRAMESET, FRAME followed by a
    // number) whose file exists gets the first free number, without its
    // extension; a free name keeps the extension (the default one added when
    // it had none). Other names come back as given.
    static QString ProposeFreeName(const QString& folder, const QString& name, const QString& defExt);

    // Remembers the folder of the accepted file under the mode's value;
    // nothing for an address or an empty path.
    void RememberFolder(const QString& chosenPath) const;

    QString m_strHomeFolder;
    QString m_strInitialDir;
    QString m_strActivePage;
    QString m_strTitle;
    QString m_strDefExt;
    QString m_strFileName;
    bool m_bNameProposed = false;
    bool m_bURL = false;
    QString m_strURL;
    int m_nMode = 0;
};
