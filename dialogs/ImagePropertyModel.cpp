#include "dialogs/ImagePropertyModel.h"

#include "controls/NumberField.h"
#include "dialogs/SizeUnits.h"

#include <algorithm>

namespace imagepropertymodel_detail {

QString textOf(int value)
{
    return value < 0 ? QString() : QString::number(value);
}

int numberOf(const QString& text)
{
    return text.trimmed().isEmpty() ? -1 : NumberField::valueOf(text.trimmed());
}

} // namespace imagepropertymodel_detail

void ImagePropertyModel::InitTexts()
{
    namespace detail = imagepropertymodel_detail;
    if (m_bMultiple) {
        m_strWidth.clear();
        m_strHeight.clear();
        m_strBorder.clear();
    } else {
        // Differs from dividing by any height: a size that is not known
        // (below 1) gives no ratio either.
        if (m_nHeight <= 0 || m_nWidth <= 0) {
            m_dRatio = -1.0;
            m_bKeepRatio = 0;
        } else {
            m_bKeepRatio = 1;
            m_dRatio = double(m_nWidth) / double(m_nHeight);
        }
        m_strHeight = detail::textOf(m_nHeight);
        m_strWidth = detail::textOf(m_nWidth);
        m_strBorder = detail::textOf(m_nBorder);
    }
    m_bInitialized = true;
}

platform::ColorRef ImagePropertyModel::PickerColor() const
{
    if (m_crBorder == kColorNone)
        return 0;
    if (m_crBorder == kColorDefault)
        return kColorNone;
    return m_crBorder;
}

bool ImagePropertyModel::BorderColorEnabled(bool current) const
{
    if (m_strBorder.trimmed().isEmpty())
        return current;
    return NumberField::valueOf(m_strBorder.trimmed()) >= 1;
}

bool ImagePropertyModel::OnSizeEdited(bool height)
{
    QString& text = height ? m_strHeight : m_strWidth;
    if (!m_bInitialized || text.trimmed().isEmpty())
        return true;
    int& edited = height ? m_nHeight : m_nWidth;
    edited = NumberField::valueOf(text.trimmed());
    if (!m_bKeepRatio || !HasRatio())
        return true;
    int& other = height ? m_nWidth : m_nHeight;
    other = TruncatedSize(height ? edited * m_dRatio : edited / m_dRatio);
    (height ? m_strWidth : m_strHeight) = QString::number(other);
    return false;
}

bool ImagePropertyModel::OnHeightEdited()
{
    return OnSizeEdited(true);
}

bool ImagePropertyModel::OnWidthEdited()
{
    return OnSizeEdited(false);
}

void ImagePropertyModel::OnSizeLeft(bool height)
{
    QString& text = height ? m_strHeight : m_strWidth;
    int& edited = height ? m_nHeight : m_nWidth;
    if (text.trimmed().isEmpty()) {
        if (m_bMultiple)
            edited = -1;
        else
            text = imagepropertymodel_detail::textOf(edited);
        return;
    }
    edited = NumberField::valueOf(text.trimmed());
    if (edited <= kSizeMax)
        return;
    edited = kSizeMax;
    text = QString::number(edited);
    // Differs from scaling by a ratio that is not there (-1.0 or 0.0, which
    // gave a negative size or a division by zero): only this size is capped.
    if (!HasRatio())
        return;
    int& other = height ? m_nWidth : m_nHeight;
    other = TruncatedSize(height ? kSizeMax * m_dRatio : kSizeMax / m_dRatio);
    (height ? m_strWidth : m_strHeight) = QString::number(other);
}

void ImagePropertyModel::OnHeightLeft()
{
    OnSizeLeft(true);
}

void ImagePropertyModel::OnWidthLeft()
{
    OnSizeLeft(false);
}

void ImagePropertyModel::OnBorderLeft()
{
    if (m_strBorder.trimmed().isEmpty()) {
        m_nBorder = -1;
        return;
    }
    m_nBorder = std::min(NumberField::valueOf(m_strBorder.trimmed()), kBorderMax);
    m_strBorder = QString::number(m_nBorder);
}

void ImagePropertyModel::OnColorChosen(platform::ColorRef color)
{
    m_crBorder = color;
    m_bColorChanged = true;
}

bool ImagePropertyModel::OnOK(platform::ColorRef pickerColor)
{
    namespace detail = imagepropertymodel_detail;
    OnWidthLeft();
    OnHeightLeft();
    OnBorderLeft();
    // The colour the images had stays unless the user picked one.
    if (m_bColorChanged)
        m_crBorder = pickerColor;
    m_nWidth = detail::numberOf(m_strWidth);
    m_nHeight = detail::numberOf(m_strHeight);
    m_nBorder = detail::numberOf(m_strBorder);
    return m_bMultiple || !m_strPath.isEmpty();
}
