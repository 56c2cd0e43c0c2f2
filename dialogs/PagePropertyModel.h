#pragma once

#include "controls/ColorValue.h"

#include <QString>
#include <QStringList>

// The values and rules of the document properties dialog without its window:
// the page's title, background image, five colours with their changed flags,
// background sound with its repeat count, and its encoding.
//
// Colours are kColorDefault (-1) for the default colour (no attribute) or
// kColorNone (-2, the start) for none, else the colour; each has a flag set
// when the user picks a colour in its picker, and m_bModified is set by any
// colour, the title and the background image. The encoding is the language
// name of the page's charset (or empty) on entry and, after OK, the charset
// name of the entry selected (empty when none is).
class PagePropertyModel
{
public:
    // The colour pickers' control ids.
    enum ColorId { TextColor = 1446, BackgroundColor = 1033, LinkColor = 1035, ALinkColor = 1008, VLinkColor = 1007 };

    static constexpr int kRepeatMin = 1;
    static constexpr int kRepeatMax = 9999;

    // The language name the encoding list shows for a charset (compared
    // without regard to case); empty for a charset not in the list.
    static QString CharsetToDisplayName(const QString& charset);
    // The charset of a language name of the list (compared without regard to
    // case, a trailing line feed of the name not counted); empty for another
    // text.
    static QString DisplayNameToCharset(const QString& displayName);
    // The encoding list's entries in the order the user reads them.
    static QStringList EncodingNames();
    // The colour a picker shows for kColorDefault.
    static platform::ColorRef DefaultColorOf(int colorId);
    // A sound text that the sound chooser takes as an address.
    static bool IsSoundAddress(const QString& sound);

    // The entry of `names` the list opens with: the encoding field's entry
    // (without regard to case), "日本語(JIS)" for an empty field, -1 for a
    // name the list does not hold.
    int InitialEncodingIndex(const QStringList& names) const;
    // The user chose an entry.
    void OnEncodingChosen(const QString& displayName);
    // The user picked a colour in one of the pickers; other ids are ignored.
    void OnColorChosen(int colorId, platform::ColorRef color);
    // The colour field of a picker; null for another id.
    platform::ColorRef* ColorField(int colorId);
    // The title or background image was edited, or an image chosen.
    void OnTextEdited() { m_bModified = true; }
    // The repeat box was left: its number put into 1..9999 (an empty box
    // reads as 0).
    void OnRepeatLeft();
    // OK: the repeat box's leaving rule, and the charset of the selected
    // entry (empty without one).
    void OnOK(const QString& selectedDisplayName);

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
