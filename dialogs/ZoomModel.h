#pragma once

#include <QString>
#include <QStringList>

// The values and rules of the zoom dialog without its window: a factor of
// the list (typed or picked, "130%" or "130") or a value of the user's, each
// a zoom the page can show (25 to 200 per cent).
class ZoomModel
{
public:
    enum Choice { kNoChoice = -1, kFactor = 0, kUser = 1 };
    static constexpr int kMinZoom = 25;
    static constexpr int kMaxZoom = 200;

    // The list's entries: "25%" ... "200%".
    static QStringList Factors();
    // The per cent of a text: digits, optionally followed by "%", blanks
    // around them allowed; 0 for anything else and for zooms outside 25 .. 200.
    static int ParseZoom(const QString& text);

    // OK: m_nZoom from the chosen radio's control, 0 when none is chosen or
    // its text is no zoom.
    void OnOK();

    int m_nChoice = kNoChoice;
    QString m_strFactor;
    QString m_strUser;
    int m_nZoom = 0;
};
