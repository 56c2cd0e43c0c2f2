#pragma once

#include "platform/ColorRef.h"

#include <QString>

class CZQDoc;
class CZQView;
class ZQ_DIAG_PAGEPROPERTY;

namespace engine {
class Document;
}

// Reading a page's title, BODY attributes and background sound into the
// document properties dialog and writing back what the user changed, for
// 設定 > ドキュメントのプロパティ.

// The page as the dialog opens with it, kept to tell afterwards what the
// user changed.
struct PageRead
{
    QString title;
    // BODY "background" as written.
    QString background;
    // BODY bgColor, text, link, aLink and vLink; -1 when absent or empty.
    platform::ColorRef bgColor = 0xFFFFFFFFu;
    platform::ColorRef textColor = 0xFFFFFFFFu;
    platform::ColorRef linkColor = 0xFFFFFFFFu;
    platform::ColorRef aLinkColor = 0xFFFFFFFFu;
    platform::ColorRef vLinkColor = 0xFFFFFFFFu;
    // The "src" of the page's (last) BGSOUND; empty without one.
    QString sound;
    // The repeat as the dialog offers it: "1" without a sound, the loop count
    // in decimal, or "infinite" for a sound that loops for ever (then the
    // dialog's continuous box is on and its repeat text stays "1").
    QString repeat = QStringLiteral("1");
    bool continuous = false;
};

// Reads the page: the title, BODY's background and colours, and the last
// BGSOUND's src and loop. A loop of "infinite" or any text that is no whole
// number loops for ever; an absent loop plays the sound once.
PageRead ReadPageProperties(engine::Document* document);

// Fills the dialog with what was read and the page's charset (shown by its
// language name).
void PutPageValues(ZQ_DIAG_PAGEPROPERTY& dialog, const PageRead& read, const QString& charset);

// What writing the dialog back to the page changed.
struct PageWrite
{
    bool title = false;
    bool background = false;
    bool anyColor = false;
};

// Writes the title when it differs (exactly), the background image (emptied:
// removed; else written with "/" for "\" when it differs) and the colours the
// user picked (the default or none removes the attribute); the view's page
// colours follow the background and text colours.
PageWrite WritePageBody(engine::Document* document, CZQView* view, const ZQ_DIAG_PAGEPROPERTY& dialog,
                        const PageRead& read);

// The charset the page takes from the dialog: the encoding field's charset
// (its language name is read as the charset it stands for), or empty when
// it names none or the page's own (by the charset's standard name).
QString ChosenCharset(const ZQ_DIAG_PAGEPROPERTY& dialog, const QString& pageCharset);

// The page is saved in the charset from now on: the document takes it, and
// the page's META names it (a META that names another charset is changed;
// a page without one gets one at the start of HEAD), so that the saved file
// reads back in it.
void ApplyPageCharset(CZQDoc* document, const QString& charset);

// The repeat the dialog asks for: "infinite" when continuous, else its text.
QString RequestedRepeat(const ZQ_DIAG_PAGEPROPERTY& dialog);

// Whether the background sound must be written again: the file or the
// repeat differs from what was read (the repeat without regard to case).
bool SoundChanged(const ZQ_DIAG_PAGEPROPERTY& dialog, const PageRead& read);

// The repeat written into the page: "infinite", or a whole number put into
// 1..9999 (another text gives 1).
QString BackgroundSoundLoop(const QString& repeat);

// The link to a background sound. For a page of the open web (`otherFolder`
// its "other" folder, made when missing) a sound file is copied there and
// linked as "other/" and its name; a file already there is not copied. A
// relative file is read below `pageFolder`. An address, a page outside the
// web, and a file that could not be copied are linked as given, with "/" for
// "\".
QString PlaceBackgroundSound(const QString& sound, const QString& pageFolder, const QString& otherFolder);

// Replaces the page's background sound: every BGSOUND goes; for a non-empty
// link a new one with src, loop and an empty volume stands right after the
// first TITLE, or at the end of HEAD without one. False when nothing could
// be inserted.
bool ReplaceBackgroundSound(engine::Document* document, CZQView* view, const QString& link, const QString& loop);
