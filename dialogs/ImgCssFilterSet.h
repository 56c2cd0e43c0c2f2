#pragma once

#include "dialogs/ImgCssPageModel.h"

#include <QString>

#include <array>

// The filters of one image as the image effects dialog sees them: which of its eight filters the image's filter text
// holds, the rest of that text kept as it was written, and the text the dialog hands back.
class ImgCssFilterSet
{
public:
    // The text each filter is recognised by, in index order.
    static QString RecognitionKey(int filterIndex);

    // Takes the image's filter text apart. Each filter is looked up in index order and its segment (up to and with its
    // ")", and what stood between it and the ")" before) leaves the other-filters text; the drop shadow goes before
    // the shadow, whose key it contains.
    void Recognise(const QString& filterText);

    bool recognised(int filterIndex) const { return m_recognised[size_t(filterIndex)]; }
    // The filter text less every recognised segment, with its case kept.
    const QString& otherFilters() const { return m_otherFilters; }

    // The dialog's result: the other filters, then a line feed before the text of each filter that has one, in index
    // order. `texts` holds a text for each checked filter and an empty one for the others.
    QString Result(const std::array<QString, kImgCssFilterCount>& texts) const;
    // The filter of the preview: the other filters, then a blank before each filter's text.
    QString PreviewFilter(const std::array<QString, kImgCssFilterCount>& texts) const;

private:
    std::array<bool, kImgCssFilterCount> m_recognised{};
    QString m_otherFilters;
};
