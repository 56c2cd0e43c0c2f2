#include "dialogs/MarqueeModel.h"

#include "controls/NumberField.h"
#include "dialogs/SizeUnits.h"

#include <algorithm>

namespace marqueemodel_detail {

constexpr const char* kDirections[] = {"left", "right", "up", "down"};
constexpr const char* kBehaviors[] = {"scroll", "slide", "alternate"};
constexpr int kDefaultAmount = 6;
constexpr int kDefaultDelay = 85;

template <size_t N> int indexOf(const QString& word, const char* const (&words)[N])
{
    if (word.isEmpty())
        return -1;
    for (size_t i = 1; i < N; ++i) {
        if (word.trimmed().compare(QLatin1String(words[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return 0;
}

template <size_t N> QString wordOf(int index, const char* const (&words)[N])
{
    if (index < 0)
        return QString();
    return QString::fromLatin1(words[index < int(N) ? index : 0]);
}

// The text a value shows: -2 empty, -1 the default's number.
QString textOf(int value, int defaultValue)
{
    if (value == -2)
        return QString();
    return QString::number(value == -1 ? defaultValue : value);
}

// A number as a box holds it: -2 for an empty text.
int numberOf(const QString& text)
{
    return text.trimmed().isEmpty() ? -2 : NumberField::valueOf(text.trimmed());
}

} // namespace marqueemodel_detail

std::pair<int, int> MarqueeModel::RangeOf(Box box) const
{
    if ((box == Width && m_nWidthUnit == 0) || (box == Height && m_nHeightUnit == 0))
        return {0, 100};
    return {0, 10000};
}

int MarqueeModel::DirectionIndex(const QString& word)
{
    return marqueemodel_detail::indexOf(word, marqueemodel_detail::kDirections);
}

int MarqueeModel::BehaviorIndex(const QString& word)
{
    return marqueemodel_detail::indexOf(word, marqueemodel_detail::kBehaviors);
}

QString& MarqueeModel::TextOf(Box box)
{
    switch (box) {
    case Width:
        return m_strWidth;
    case Height:
        return m_strHeight;
    case Amount:
        return m_strAmount;
    case Delay:
        return m_strDelay;
    default:
        return m_strLoop;
    }
}

void MarqueeModel::InitTexts()
{
    namespace detail = marqueemodel_detail;
    m_strWidth = detail::textOf(m_nWidth, 0);
    m_strHeight = detail::textOf(m_nHeight, 0);
    m_strAmount = detail::textOf(m_nAmount, detail::kDefaultAmount);
    m_strDelay = detail::textOf(m_nDelay, detail::kDefaultDelay);
    m_strLoop = detail::textOf(m_nLoop, 1);
    m_dWidth = NumberField::valueOf(m_strWidth);
    m_dHeight = NumberField::valueOf(m_strHeight);
    m_nInitialWidthUnit = m_nWidthUnit;
    m_nInitialHeightUnit = m_nHeightUnit;
}

void MarqueeModel::OnBoxLeft(Box box)
{
    QString& text = TextOf(box);
    if (text.trimmed().isEmpty())
        return;
    const auto [low, high] = RangeOf(box);
    const int number = std::clamp(NumberField::valueOf(text.trimmed()), low, high);
    text = QString::number(number);
    double* exact = box == Width ? &m_dWidth : box == Height ? &m_dHeight : nullptr;
    if (exact && number != TruncatedSize(*exact))
        *exact = number;
}

bool MarqueeModel::OnBehaviorChanged(int index)
{
    if (index == 1)
        m_bContinuous = 0;
    m_bLoopChanged = true;
    return index != 1;
}

void MarqueeModel::OnUnitChanged(Box box, int unit)
{
    if (box != Width && box != Height)
        return;
    int& current = box == Width ? m_nWidthUnit : m_nHeightUnit;
    if (current == unit)
        return;
    // A number typed and not yet left counts.
    OnBoxLeft(box);
    current = unit;
    QString& text = TextOf(box);
    double& exact = box == Width ? m_dWidth : m_dHeight;
    const int reference = box == Width ? m_nReferenceWidth : m_nReferenceHeight;
    if (!text.trimmed().isEmpty()) {
        exact = SizeInUnit(exact, unit, reference);
        const auto [low, high] = RangeOf(box);
        const int number = TruncatedSize(exact);
        const int clamped = std::clamp(number, low, high);
        if (clamped != number)
            exact = clamped;
        text = QString::number(clamped);
    }
    (box == Width ? m_bWidthChanged : m_bHeightChanged) = true;
}

void MarqueeModel::OnOK(int directionIndex, int behaviorIndex, platform::ColorRef pickerColor)
{
    namespace detail = marqueemodel_detail;
    for (Box box : {Width, Height, Amount, Delay, Loop})
        OnBoxLeft(box);
    const QString direction = detail::wordOf(directionIndex, detail::kDirections);
    const QString behavior = detail::wordOf(behaviorIndex, detail::kBehaviors);
    int width = detail::numberOf(m_strWidth);
    int height = detail::numberOf(m_strHeight);
    int amount = detail::numberOf(m_strAmount);
    int delay = detail::numberOf(m_strDelay);
    int loop = detail::numberOf(m_strLoop);
    if (width != -2 && !m_bWidthOn)
        width = -1;
    if (height != -2 && !m_bHeightOn)
        height = -1;
    if (loop != -2 && m_bContinuous)
        loop = -1;
    // The defaults are left out of the page.
    if (amount == detail::kDefaultAmount)
        amount = -1;
    if (delay == detail::kDefaultDelay)
        delay = -1;

    m_bAmountChanged = m_bDelayChanged = m_bLoopChanged = m_bHeightChanged = m_bWidthChanged = false;
    m_bDirectionChanged = m_bBehaviorChanged = m_bColorChanged = false;
    // The first entry stands for the default word.
    const auto word = [](int index, const QString& chosen, QString& field, bool& changed) {
        const QString stored = index == 0 ? QStringLiteral("Default") : chosen;
        if (stored.compare(field, Qt::CaseInsensitive) == 0 || chosen.compare(field, Qt::CaseInsensitive) == 0)
            return;
        changed = true;
        field = stored;
    };
    word(directionIndex, direction, m_strDirection, m_bDirectionChanged);
    word(behaviorIndex, behavior, m_strBehavior, m_bBehaviorChanged);
    const auto number = [](int value, int& field, bool& changed, QString& text) {
        if (value == field)
            return;
        changed = true;
        field = value;
        if (value >= 0)
            text = QString::number(value);
    };
    number(width, m_nWidth, m_bWidthChanged, m_strWidth);
    number(height, m_nHeight, m_bHeightChanged, m_strHeight);
    number(amount, m_nAmount, m_bAmountChanged, m_strAmount);
    number(delay, m_nDelay, m_bDelayChanged, m_strDelay);
    number(loop, m_nLoop, m_bLoopChanged, m_strLoop);
    // A size given in the other unit is a change even with the same number.
    if (m_bWidthOn && m_nWidth >= 0 && m_nWidthUnit != m_nInitialWidthUnit)
        m_bWidthChanged = true;
    if (m_bHeightOn && m_nHeight >= 0 && m_nHeightUnit != m_nInitialHeightUnit)
        m_bHeightChanged = true;
    if (pickerColor != m_crBackground) {
        m_bColorChanged = true;
        m_crBackground = pickerColor;
    }
}
