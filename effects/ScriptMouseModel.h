#pragma once

#include <QString>

// The mouse page of the script wizard: crosshair lines in a colour, one of
// five click animations, and a changed pointer (0 a text, 1 an image) that
// the next page sets.
class ScriptMouseModel
{
public:
    static constexpr int ClickKindCount = 5;

    int m_nClickKind = 0;
    QString m_strLineColor = QStringLiteral("0, 0, 0"); // "red, green, blue" in decimal
    QString m_strPointerType = QStringLiteral("TEXT");  // "TEXT" or "IMG"
    bool m_bClickEffect = false;
    bool m_bCrosshair = false;
    int m_nPointerKind = 0;
    bool m_bPointerEffect = false;

    bool HasEffect() const { return m_bClickEffect || m_bCrosshair || m_bPointerEffect; }
    // The description of the chosen options; empty when none is chosen.
    QString Description() const;
    static QString ClickKindText(int kind);
    // The click kind's picture of that number (1 to 10); empty for another kind.
    static QString ClickPicture(int kind, int number);
    // "r, g, b" of a colour.
    static QString LineColorText(int red, int green, int blue);
};
