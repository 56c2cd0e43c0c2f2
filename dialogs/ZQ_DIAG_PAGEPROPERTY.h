#pragma once

#include "controls/ColorValue.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

// The document properties dialog (131 "ドキュメントのプロパティ") of
// 設定 > ドキュメントのプロパティ and of the page encoding command: the page's
// title, background image, five colours, background sound with its repeat
// count, and its encoding. The caller fills the fields, runs it, and after
// IDOK reads them back and writes what changed.
//
// Colours are kColorDefault (-1) for the default colour (no attribute) or
// kColorNone (-2, the start) for none, else the colour; each has a flag set
// when the user picks a colour in its picker, and m_bModified is set by any
// colour, the title and the background image. The encoding is the display
// name of the page's charset on entry and the charset name of the entry the
// user picks.
//
// Until the dialog's own controls come, it shows its OK and Cancel buttons
// only: OK hands the fields back as the caller filled them.
class ZQ_DIAG_PAGEPROPERTY : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_PAGE_PROPERTY;

    explicit ZQ_DIAG_PAGEPROPERTY(QWidget* parent = nullptr);
    ~ZQ_DIAG_PAGEPROPERTY() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    // The language name the encoding list shows for a charset (compared
    // without regard to case); empty for a charset not in the list.
    static QString CharsetToDisplayName(const QString& charset);
    // The charset of a language name of the list (compared without regard to
    // case, a trailing line feed of the name not counted); empty for another
    // text.
    static QString DisplayNameToCharset(const QString& displayName);

    bool m_bBgColorChanged = false;
    bool m_bTextColorChanged = false;
    bool m_bLinkColorChanged = false;
    bool m_bALinkColorChanged = false;
    bool m_bVLinkColorChanged = false;
    bool m_bModified = false;
    QString m_strEncoding;
    platform::ColorRef m_crText = kColorNone;
    platform::ColorRef m_crBackground = kColorNone;
    platform::ColorRef m_crLink = kColorNone;
    platform::ColorRef m_crALink = kColorNone;
    platform::ColorRef m_crVLink = kColorNone;
    QString m_strBackground;
    QString m_strTitle;
    // A file path with "/" or an address.
    QString m_strSound;
    QString m_strRepeat = QStringLiteral("1");
    int m_bContinuous = 0;
};
