#include "dialogs/ZoomModel.h"

#include "controls/NumberField.h"

QStringList ZoomModel::Factors()
{
    return {QStringLiteral("25%"),  QStringLiteral("50%"),  QStringLiteral("75%"), QStringLiteral("100%"),
            QStringLiteral("125%"), QStringLiteral("150%"), QStringLiteral("200%")};
}

int ZoomModel::ParseZoom(const QString& text)
{
    QString number = text.trimmed();
    if (number.endsWith(QLatin1Char('%')))
        number = number.chopped(1).trimmed();
    if (number.isEmpty() || !NumberField::isDigits(number))
        return 0;
    const int percent = NumberField::valueOf(number);
    return percent >= kMinZoom && percent <= kMaxZoom ? percent : 0;
}

void ZoomModel::OnOK()
{
    switch (m_nChoice) {
    case kFactor:
        m_nZoom = ParseZoom(m_strFactor);
        break;
    case kUser:
        m_nZoom = ParseZoom(m_strUser);
        break;
    default:
        m_nZoom = 0;
        break;
    }
}
