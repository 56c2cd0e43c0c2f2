#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

// The text rewriting of HTML fragments that are pasted onto a page or copied
// by a Ctrl+drag: positioned objects keep their style text as written, and
// only the numbers of their LEFT, TOP and Z-INDEX declarations and the names
// that must stay unique on a page (roll-over image names, image-map names)
// are rewritten in place. Searches run on an upper-case twin of the text, so
// a place found in the twin is the same place in the text.

// The twin: ASCII letters upper-cased, every other UTF-16 unit kept, so the
// two have the same length and the same places.
QString UpperTwin(const QString& text);

// A text and its twin, changed together.
class TwinText
{
public:
    explicit TwinText(const QString& text = QString());

    const QString& text() const { return m_text; }
    const QString& twin() const { return m_twin; }
    int length() const { return int(m_text.size()); }

    void insert(int pos, const QString& s);
    void remove(int pos, int count);
    void prepend(const QString& s) { insert(0, s); }
    void append(const QString& s) { insert(length(), s); }
    // Writes over the characters from pos on (the text does not grow).
    void overwrite(int pos, const QString& s);

private:
    QString m_text;
    QString m_twin;
};

// The slot of a number in a style text: the characters between a
// property's colon and the end of its value (the unit "PX", or the ";" or
// '"' after a Z-INDEX), blanks included.
struct ValueSlot
{
    int key = -1;   // where the property name starts
    int start = -1; // the first character after the colon
    int end = -1;   // one past the slot: where the unit or terminator stands
    int value = 0;

    bool found() const { return start >= 0; }
};

// The number a slot holds: blanks, an optional sign, digits and an optional
// decimal fraction (dropped), blanks. Numbers beyond the int range clamp to
// it. Nothing for a slot that holds anything else ("auto", another
// declaration) or no digit.
std::optional<int> ReadSlotNumber(QStringView slot);

// How a search for a LEFT or TOP declaration ended.
enum class SlotSearch {
    Found,
    NoKey,  // no such declaration after the place
    NoUnit, // the declaration has no "PX" after it
};

// The first declaration of the property (LEFT or TOP, upper case) at or
// after `from` in a twin: the whole property name (not the end of
// MARGIN-LEFT or PADDING-TOP), blanks, ":", then a number slot up to the
// next "PX".
ValueSlot FindLengthSlot(const QString& twin, QLatin1String key, int from, SlotSearch* result = nullptr);

// The first Z-INDEX declaration at or after `from` whose value slot holds a
// number; the slot ends at the nearer of the next ";" and '"'. With
// `keyOnly`, the first Z-INDEX name followed by ":" whatever its value.
ValueSlot FindZIndexSlot(const QString& twin, int from, bool keyOnly = false);

// The smallest and largest Z-INDEX of a fragment.
struct ZIndexBand
{
    bool found = false;
    int zMin = 0;
    int zMax = 0;
};
ZIndexBand FindZIndexBand(const QString& twin);

// Writes the number into the slot: padded with blanks on the left when it is
// shorter; when it is longer, blanks are first inserted at the slot's start.
// The slot's end moves with them. Returns the number of blanks inserted.
int RewriteSlot(TwinText& text, ValueSlot& slot, int value);

// The highest Z-INDEX the page counter may reach, so that adding to it
// never overflows.
inline constexpr int kMaxTopZIndex = 1000000000;

// A copied Z-INDEX renumbered above the page's objects: top + (z - zMin) + 1.
int RenumberedZIndex(int topZIndex, int z, int zMin);
// The page counter after writing a band: top + zMax - zMin + 1 (unchanged
// when the fragment has no Z-INDEX).
int RaisedTopZIndex(int topZIndex, const ZIndexBand& band);

// The positioned objects of a pasted fragment, walked by their STYLE
// keywords: an object that would land exactly on an object of the page (or
// one placed before it in the same paste) is moved 10 pixels right and down
// until it lands free, and its Z-INDEX is renumbered above the page's.
struct PastedObjects
{
    std::vector<QPoint> points; // page positions of the objects, in fragment order
    bool positioned = false;    // some STYLE keyword had LEFT, TOP or a Z-INDEX after it
};
// `occupied` tells whether an object of the page stands at a page position;
// without it (no page) positions and Z-INDEX values stay as copied.
PastedObjects PlacePastedObjects(TwinText& text, const ZIndexBand& band, int topZIndex,
                                 const std::function<bool(int, int)>& occupied);

// The first LEFT and the first TOP of an object's HTML set to x and y.
void MoveObjectHtml(TwinText& html, int x, int y);
// Every STYLE keyword's first Z-INDEX renumbered above the page's objects.
void RenumberCopiedZIndexes(TwinText& text, const ZIndexBand& band, int topZIndex);

// The value of an attribute in one tag's text: the whole attribute name
// outside quoted values, "=", blanks, then a quoted or bare value. Nothing
// when the tag has no such attribute.
std::optional<QString> TagAttributeValue(const QString& tagText, const QString& name);

// New names for the roll-over images and image maps of a fragment. A
// roll-over image (id "VornaRollImage") gets the name "VornaRollImage<n>"
// from `rollNumber` on, each reference to its old name in its own tag
// following; an IMG with a usemap gets a new map name (from `newMapName`,
// given the names handed out so far) and the MAP of that name in the
// fragment, or with `mapText` in that text, is renamed with it. `pageMapHtml`
// gives the page's MAP of a name (its outer HTML) to put in front of
// `mapText`.
struct RenameServices
{
    int rollNumber = 1;
    std::function<QString(const QStringList& handedOut)> newMapName;
    std::function<QString(const QString& mapName)> pageMapHtml; // only with a map text
};
struct RenamedNames
{
    int rollOvers = 0;
    QStringList maps;
};
RenamedNames RenameRollOversAndMaps(TwinText& text, const RenameServices& services, TwinText* mapText = nullptr);

// Plain text as the markup of a text box: "&", "<" and ">" escaped, line
// breaks as <BR>.
QString PlainTextAsHtml(const QString& text);

// The text box a paste without positioned objects goes into.
QString PasteTextBoxHtml(const QString& content, int zIndex);
