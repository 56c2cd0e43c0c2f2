#pragma once

#include <QSize>
#include <QString>

// The values and rules of the roll-over image dialog without its window: which
// paths count as pictures, which controls each state enables, the size of the
// preview picture, the preview page and the link as the hyperlink dialog gets
// it and gives it back.
class RollOverDialogModel
{
public:
    // The enabled states of the controls the rules switch.
    struct Controls
    {
        bool imageBox = true;    // 1003
        bool imageBrowse = true; // 1004
        bool rollBox = false;    // 1005
        bool rollBrowse = false; // 1006
        bool link = false;       // 1008
        bool ok = false;         // 1
        bool remove = false;     // 4
        bool operator==(const Controls&) const = default;
    };

    // What the hyperlink dialog opens with for the link.
    struct LinkStart
    {
        QString url;
        int scheme = -1;
        bool editLink = false;
    };

    // A path names one picture file: no wildcard, not a folder, present.
    static bool IsValidImagePath(const QString& path);
    // A path relative to the page's folder as a full one; others as they are.
    static QString ResolvedPath(const QString& path, const QString& pageFolder);
    // The two pictures as files, found from the page's folder.
    QString ImageFile() const { return ResolvedPath(m_strImage, m_strPageFolder); }
    QString RollImageFile() const { return ResolvedPath(m_strRollImage, m_strPageFolder); }

    // The preview picture's size: at most two thirds of the frame each way,
    // keeping the picture's proportions.
    static QSize PreviewImageSize(QSize frame, QSize image);

    // The preview's page: the base picture centred, with the roll-over
    // attributes and script when there is a roll-over picture.
    static QString PreviewHtml(const QString& imagePath, QSize size, const QString& attributes, const QString& script);

    // A link as its box shows it, in double quotes ("#" and nothing stand
    // alone), and as the page writes it, with one quote taken from each end:
    // every address comes back as it went in, quotes of its own included.
    static QString QuotedLink(const QString& link);
    static QString UnquotedLink(QString link);

    // The link as the hyperlink dialog opens with it: "#" is no link; the
    // quotes around it go and its kind gives the scheme; a page of the web is
    // named by its file name.
    static LinkStart LinkForHyperlinkDialog(const QString& link, bool pageInWeb);
    // The link the hyperlink dialog gave: quoted, blanks for "%20"; none when
    // it was deleted.
    void TakeHyperlink(bool deleted, const QString& url, const QString& targetFrame);

    // The base picture changed (typed or browsed): the roll-over picture is
    // offered only for a valid one. True when the preview wants redrawing.
    bool ImageChanged();
    // The roll-over picture changed: the link and OK only for a valid one.
    // True when the preview wants redrawing.
    bool RollImageChanged();
    // The states that follow from the files as they are now.
    void UpdateControlStates();
    // The roll-over is taken away; the dialog stays open.
    void RemoveRollOver();

    QString m_strName;
    QString m_strTarget;
    QString m_strImage;
    QString m_strRollImage;
    QString m_strLink;
    bool m_bEdit = false;
    bool m_bRemoveRollOver = false;
    bool m_bNoRollImage = false;
    bool m_bImageShown = false;
    bool m_bRollShown = false;
    // The folder of the page, which relative picture paths start from.
    QString m_strPageFolder;
    Controls m_controls;
};
