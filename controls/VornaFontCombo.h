#pragma once

#include "controls/CFontObj.h"
#include "controls/VornaComboEx.h"

#include <QHash>
#include <QTimer>

#include <map>

class CVornaTip;

// The font chooser: every face of the machine once, sorted by the locale's
// collation and drawn in its own face, with the last six chosen faces on a
// tinted section at the top. While the list is open, a tip beside it names
// the highlighted face in plain text (so that symbol faces stay readable).
// A typed name that begins no face is put back to the text the box had when
// it got the focus.
class VornaFontCombo : public VornaComboEx
{
    Q_OBJECT
public:
    static constexpr int kItemHeight = 20;
    static constexpr int kCellHeight = 18;

    explicit VornaFontCombo(QWidget* parent = nullptr);
    ~VornaFontCombo() override;

    // Fills the list with the machine's faces (or the faces given) once and
    // widens the drop-down to the widest name; starts the tip's timer.
    void AdjustDropWidth();
    void AdjustDropWidth(const QStringList& faces);

    // Puts the face on top of the recent section unless it stands there.
    void MoveToRecent(const QString& face);
    // A text that no entry begins with gives way to the text saved at focus
    // gain; true when the text was kept.
    bool ValidateText();
    // The tip's timer: shows the highlighted face beside the open list.
    void OnTimer();

    bool isRecentFace(const QString& face) const;
    CVornaTip& tip() const { return *m_tip; }

    // A face at the given cell height (ascent plus descent, in pixels).
    static QFont FontOfCellHeight(const QString& face, int cellHeight);

    QString m_strSaved;
    std::map<QString, CFontObj> m_mapFonts;

    void hidePopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CVornaTip* m_tip;
    QTimer m_timer;
};

// Draws each face name in its own face on the combo's rows (one font kept per
// face), over the recent section's colours and divider.
class VornaFontComboDelegate : public VornaComboExDelegate
{
    Q_OBJECT
public:
    using VornaComboExDelegate::VornaComboExDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    const QFont& fontOf(const QString& face) const;

private:
    mutable QHash<QString, QFont> m_fonts;
};
