#pragma once

#include "platform/ColorRef.h"

#include <QString>

#include <vector>

// The eight filters of the image effects dialog, in the index order the dialog and its pages share.
enum ImgCssFilter {
    kImgCssAlpha,
    kImgCssDropShadow,
    kImgCssGlow,
    kImgCssGradient,
    kImgCssMotionBlur,
    kImgCssShadow,
    kImgCssWave,
    kImgCssOpacity,
    kImgCssFilterCount
};

// One control of a filter page and the parameter it holds.
struct ImgCssField
{
    enum Kind {
        Number, // a number box with its spin range
        List,   // a drop-down list; the value is the entry index
        Color,  // a colour picker; the value is a ColorRef or a colour marker
        Phase   // the wave's phase: an editable list of the tens 0 to 100; the value is the entry index
    };
    Kind kind = Number;
    int controlId = 0;
    int spinId = 0;       // the number box's spin control
    unsigned labelId = 0; // the label's string
    quint32 defaultValue = 0;
    int low = 0; // the spin range, which the value is kept in when the box is left and when the text is written
    int high = 0;
    std::vector<unsigned> entries; // the list's strings
};

// What tells one page from another: its template, the key it reads the image's filter by, and its controls.
struct ImgCssPageSpec
{
    int templateId = 0;
    const char* key = "";
    std::vector<ImgCssField> fields;
};

const ImgCssPageSpec& ImgCssPageSpecOf(int filterIndex);

// The tooltip of a number box: its range, "0 ~ 100".
QString ImgCssRangeTip(const ImgCssField& field);

// The parameters of one filter page, read from an image's filter text and written as that filter's text. Values are
// kept as the controls hold them (a box may hold a value outside its range until it is left); the text written keeps
// every number in its range.
class ImgCssPageModel
{
public:
    explicit ImgCssPageModel(int filterIndex);

    int filterIndex() const { return m_index; }
    const ImgCssPageSpec& spec() const { return ImgCssPageSpecOf(m_index); }

    // The value of the field at `field` (in the order of spec().fields).
    quint32 value(int field) const { return m_values[size_t(field)]; }
    void setValue(int field, quint32 value) { m_values[size_t(field)] = value; }
    const std::vector<quint32>& values() const { return m_values; }

    void RestoreDefaults();

    // Takes the parameters of this page's filter from the image's filter text, as it stands in the style: the first
    // occurrence of the page's key with the arguments up to the next ")". A parameter that is missing or out of the
    // range accepted keeps its value.
    void ReadFilter(const QString& styleFilter);

    // A number box left by the user: its value comes into its range.
    void ClampToRange(int field);

    // The filter's text with the values as they stand.
    QString GetFilterText() const;

    // The wave's phase entry for a phase typed or read: its tens, kept to the entries 0 to 10.
    static int PhaseEntryOf(long long phase);

private:
    int m_index;
    std::vector<quint32> m_values;
};
