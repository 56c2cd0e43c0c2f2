#pragma once

#include <QString>
#include <QStringList>

// The values and rules of the frameset properties dialog without its
// window: the frameset page's path and title, whether its frames have
// borders, the spacing between them and the page's encoding.
//
// The encoding is the language name of the page's charset on entry and the
// charset name on return. The page's charset as it was (m_strCharset) stays
// unless the user picks an entry, also one the list does not hold.
class FramesetPropertyModel
{
public:
    static constexpr int kMaxSpacing = 100;

    static QString CharsetToDisplayName(const QString& charset);
    static QString DisplayNameToCharset(const QString& displayName);
    // The encoding list's entries as the sorted list shows them.
    static QStringList EncodingNames();
    // How far the panes move apart at their shared edges when the spacing
    // changes: old - (new + border), a border of 0 counting as 1.
    static int LayoutGap(int oldSpacing, int newSpacing, int border);

    // The entry the list opens with: the encoding's, else (an empty or an
    // unknown one) "日本語(JIS)"; -1 when the list lacks it.
    int InitialEncodingIndex(const QStringList& names) const;
    // The user picked an entry.
    void OnEncodingChosen(const QString& displayName);
    // The spacing field was left: put into 0 .. 100.
    void OnSpacingLeft();
    // OK: the encoding becomes the charset to set.
    void OnOK(const QString& selectedDisplayName);

    QString m_strPath;
    int m_nFrameSpacing = 0;
    QString m_strTitle;
    int m_nBorder = -1;
    QString m_strEncoding;
    // The page's charset on entry.
    QString m_strCharset;
    bool m_bEncodingChosen = false;
};
