#pragma once

#include <QString>

// The text-pointer page of the script wizard: a message that follows the
// pointer (0 standard, 1 spread text) in a face, size and colour.
class ScriptTextModel
{
public:
    static constexpr int MinFontSize = 1;
    static constexpr int MaxFontSize = 500;

    QString m_strMessage;
    int m_nTextKind = 0;
    QString m_strFontFace;                        // empty, "(デフォルト)" or a face name
    QString m_strFontSize = QStringLiteral("15"); // the size as a decimal number
    QString m_strFontColor = QStringLiteral("#808080");
    int m_nFontSize = 15;

    // Sets the size, forced into 1 to 500, and its text.
    void SetFontSize(int size);
    // The size of a size-step row (0 the default, 1 to 7 the HTML sizes): its number plus one.
    void SetSizeStep(int row);
    bool HasMessage() const { return !m_strMessage.isEmpty(); }
};
