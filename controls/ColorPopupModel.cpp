#include "controls/ColorPopupModel.h"

#include "res/resource.h"
#include "util/StringResources.h"

using platform::ColorRef;
using platform::Rect;
using platform::rgb;

const std::array<ColorPopupModel::NamedColor, 16>& ColorPopupModel::StandardColors()
{
    static const std::array<NamedColor, 16> table = {{
        {rgb(0, 0, 0), IDS_COLOR_BLACK},
        {rgb(255, 255, 255), IDS_COLOR_WHITE},
        {rgb(0, 128, 0), IDS_COLOR_GREEN},
        {rgb(128, 0, 0), IDS_COLOR_MAROON},
        {rgb(128, 128, 0), IDS_COLOR_OLIVE},
        {rgb(0, 0, 128), IDS_COLOR_NAVY},
        {rgb(128, 0, 128), IDS_COLOR_PURPLE},
        {rgb(128, 128, 128), IDS_COLOR_GRAY},
        {rgb(255, 255, 0), IDS_COLOR_YELLOW},
        {rgb(0, 255, 0), IDS_COLOR_LIME},
        {rgb(0, 255, 255), IDS_COLOR_AQUA},
        {rgb(255, 0, 255), IDS_COLOR_FUCHSIA},
        {rgb(192, 192, 192), IDS_COLOR_SILVER},
        {rgb(255, 0, 0), IDS_COLOR_RED},
        {rgb(0, 0, 255), IDS_COLOR_BLUE},
        {rgb(0, 128, 128), IDS_COLOR_TEAL},
    }};
    return table;
}

ColorPopupModel::ColorPopupModel(ColorRef initialColor, ColorRef defaultColor)
    : m_initial(initialColor), m_default(defaultColor)
{
    m_user.fill(kMissingCustomColor);
    SetUserColors(m_user);
    SetTexts(LoadResString(IDS_COLOR_POPUP_DEFAULT), LoadResString(IDS_COLOR_POPUP_CUSTOM),
             LoadResString(IDS_COLOR_POPUP_STANDARD), LoadResString(IDS_COLOR_POPUP_USER));
}

void ColorPopupModel::SetTexts(const QString& defaultText, const QString& customText, const QString& standardLabel,
                               const QString& userLabel)
{
    m_defaultText = defaultText;
    m_customText = customText;
    m_standardLabel = standardLabel;
    m_userLabel = userLabel;
}

void ColorPopupModel::SetUserColors(const CustomColorTable& colors)
{
    m_user = colors;
    for (size_t i = 0; i < m_user.size(); ++i) {
        const ColorRef c = m_user[i];
        QString tip = QStringLiteral("RGB={%1,%2,%3}")
                          .arg(QString::number(platform::redOf(c), 16).toUpper(),
                               QString::number(platform::greenOf(c), 16).toUpper(),
                               QString::number(platform::blueOf(c), 16).toUpper());
        for (const NamedColor& named : StandardColors()) {
            if (named.color == c) {
                tip = LoadResString(named.nameId);
                break;
            }
        }
        m_userTips[i] = tip;
    }
}

ColorRef ColorPopupModel::ColorOfItem(int item) const
{
    if (item == kDefaultItem)
        return m_default;
    if (item == kCustomItem)
        return m_custom;
    if (item == kNoItem)
        return m_initial;
    if (item >= 0 && item < kStandardCount)
        return StandardColors()[size_t(item)].color;
    if (item >= kStandardCount && item < kItemCount)
        return m_user[size_t(item - kStandardCount)];
    return kColorNone;
}

QString ColorPopupModel::TextOfItem(int item) const
{
    if (item == kDefaultItem)
        return m_defaultText;
    if (item == kCustomItem)
        return m_customText;
    if (item >= 0 && item < kStandardCount)
        return LoadResString(StandardColors()[size_t(item)].nameId);
    if (item >= kStandardCount && item < kItemCount)
        return m_userTips[size_t(item - kStandardCount)];
    return {};
}

int ColorPopupModel::RowOfItem(int item) const
{
    if ((item == kCustomItem && HasCustomButton()) || (item == kDefaultItem && HasDefaultButton()))
        return item;
    if (item < 0 || item >= kItemCount)
        return kNoItem;
    return item / kColumns;
}

int ColorPopupModel::ColumnOfItem(int item) const
{
    if ((item == kCustomItem && HasCustomButton()) || (item == kDefaultItem && HasDefaultButton()))
        return item;
    if (item < 0 || item >= kItemCount)
        return kNoItem;
    return item % kColumns;
}

int ColorPopupModel::ItemAt(int row, int column) const
{
    if ((row == kCustomItem || column == kCustomItem) && HasCustomButton())
        return kCustomItem;
    if ((row == kDefaultItem || column == kDefaultItem) && HasDefaultButton())
        return kDefaultItem;
    if (row < 0 || column < 0 || row >= kRows || column >= kColumns || row * kColumns + column >= kItemCount)
        return kNoItem;
    return row * kColumns + column;
}

int ColorPopupModel::ItemOfColor(ColorRef color)
{
    if (color == kColorNone)
        return kNoItem;
    if (color == kColorDefault)
        return HasDefaultButton() ? kDefaultItem : kNoItem;
    for (int item = 0; item < kItemCount; ++item) {
        if (ColorOfItem(item) == color)
            return item;
    }
    if (!HasCustomButton())
        return kNoItem;
    m_custom = color;
    return kCustomItem;
}

int ColorPopupModel::CellSizeFor(int margin)
{
    return 18 - 2 * margin - 2 < 5 ? 2 * margin + 7 : 18;
}

void ColorPopupModel::LayoutWindow(int minimumWidth, int margin)
{
    Layout& l = m_layout;
    l.margin = margin;
    l.cellSize = CellSizeFor(margin);
    const int s = l.cellSize;
    const int m = margin;
    int width = minimumWidth > 0 ? minimumWidth : 0;
    if (8 * s + 2 * m + 12 > width)
        width = 8 * s + 2 * m + 12;
    const int buttonWidth = width - 2 * m - 7;
    const int gridWidth = 8 * s;
    const int gridX = (width - gridWidth) / 2 - m;
    l.defaultButton = Rect(3, 3, 3 + buttonWidth, 3 + kButtonHeight);
    l.standardLabel =
        Rect(gridX, l.defaultButton.bottom + 3, gridX + gridWidth, l.defaultButton.bottom + 3 + kLabelHeight);
    l.standardGrid = Rect(gridX, l.standardLabel.bottom, gridX + gridWidth, l.standardLabel.bottom + 2 * s);
    l.divider1 = Rect(3, l.standardGrid.bottom + 6, 3 + buttonWidth, l.standardGrid.bottom + 7);
    l.userLabel = Rect(gridX, l.divider1.bottom + 6, gridX + gridWidth, l.divider1.bottom + 6 + kLabelHeight);
    l.userGrid = Rect(gridX, l.userLabel.bottom, gridX + gridWidth, l.userLabel.bottom + 2 * s);
    l.divider2 = Rect(3, l.userGrid.bottom + 6, 3 + buttonWidth, l.userGrid.bottom + 7);
    l.customButton = Rect(3, l.divider2.bottom + 3, 3 + buttonWidth, l.divider2.bottom + 3 + kButtonHeight);
    l.window = Rect(0, 0, width, l.customButton.bottom + m + 6);
}

Rect ColorPopupModel::PlaceWindow(QPoint position, QSize size, const Rect& screen, int openerHeight)
{
    Rect r(position.x(), position.y(), position.x() + size.width(), position.y() + size.height());
    if (r.right > screen.right)
        r.offset(screen.right - r.right, 0);
    if (r.left < screen.left)
        r.offset(screen.left - r.left, 0);
    if (r.bottom > screen.bottom) {
        r.offset(0, -(openerHeight + size.height()));
        if (r.top < screen.top)
            r.offset(0, screen.top - r.top);
    }
    return r;
}

Rect ColorPopupModel::RectOfItem(int item) const
{
    const Layout& l = m_layout;
    if (item == kDefaultItem)
        return l.defaultButton;
    if (item == kCustomItem)
        return l.customButton;
    if (item < 0 || item >= kItemCount)
        return Rect();
    const int s = l.cellSize;
    const int row = item / kColumns;
    const int column = item % kColumns;
    const Rect& grid = row < 2 ? l.standardGrid : l.userGrid;
    const int top = grid.top + (row < 2 ? row : row - 2) * s;
    const int left = grid.left + column * s;
    return Rect(left, top, left + s, top + s);
}

int ColorPopupModel::HitTest(QPoint p) const
{
    const Layout& l = m_layout;
    const int s = l.cellSize;
    if (HasDefaultButton() && l.defaultButton.contains(p))
        return kDefaultItem;
    if (HasCustomButton() && l.customButton.contains(p))
        return kCustomItem;
    if (l.standardGrid.contains(p))
        return ItemAt((p.y() - l.standardGrid.top) / s, (p.x() - l.standardGrid.left) / s);
    if (l.userGrid.contains(p)) {
        const int item = ItemAt((p.y() - l.userGrid.top) / s, (p.x() - l.userGrid.left) / s);
        return item < 0 ? kNoItem : kStandardCount + item;
    }
    return kNoItem;
}

bool ColorPopupModel::OnItemRegion(QPoint p) const
{
    const Layout& l = m_layout;
    return (HasDefaultButton() && l.defaultButton.contains(p)) || (HasCustomButton() && l.customButton.contains(p)) ||
           l.standardGrid.contains(p) || l.userGrid.contains(p);
}

int ColorPopupModel::ItemAfterMove(int item, Move move) const
{
    const bool d = HasDefaultButton();
    const bool c = HasCustomButton();
    constexpr int first = 0;
    constexpr int last = kItemCount - 1;
    // The fallback when a move leaves the cells: first choice, second, else the given cell.
    const auto fallback = [&](int preferred, int second, int cell) {
        const bool has1 = preferred == kCustomItem ? c : d;
        const bool has2 = second == kCustomItem ? c : d;
        return has1 ? preferred : has2 ? second : cell;
    };
    const int r = RowOfItem(item);
    const int col = ColumnOfItem(item);
    switch (move) {
    case Move::Down: {
        if (item == kDefaultItem)
            return first;
        if (item == kCustomItem)
            return d ? kDefaultItem : first;
        const int next = ItemAt(r + 1, col);
        return next != kNoItem ? next : fallback(kCustomItem, kDefaultItem, first);
    }
    case Move::Up:
        if (item == kDefaultItem)
            return c ? kCustomItem : last;
        if (item == kCustomItem)
            return last;
        if (r > 0)
            return ItemAt(r - 1, col);
        return fallback(kDefaultItem, kCustomItem, last);
    case Move::Right: {
        if (item == kDefaultItem)
            return first;
        if (item == kCustomItem)
            return d ? kDefaultItem : first;
        const int next = col == kColumns - 1 ? ItemAt(r + 1, 0) : ItemAt(r, col + 1);
        return next != kNoItem ? next : fallback(kCustomItem, kDefaultItem, first);
    }
    case Move::Left:
        if (item == kDefaultItem)
            return c ? kCustomItem : last;
        if (item == kCustomItem)
            return last;
        if (col > 0)
            return ItemAt(r, col - 1);
        if (r > 0)
            return ItemAt(r - 1, kColumns - 1);
        return fallback(kDefaultItem, kCustomItem, last);
    }
    return item;
}

ColorPopupModel::Commit ColorPopupModel::CommitItem(int item) const
{
    Commit commit;
    if (item == kDefaultItem)
        commit.result = kColorDefault;
    else if (item == kNoItem)
        commit.result = m_initial;
    else
        commit.result = ColorOfItem(item);
    commit.openColorSpace = item == kCustomItem;
    return commit;
}

ColorRef ColorPopupModel::ColorSpaceStart() const
{
    if (m_initial == kColorDefault)
        return m_default;
    if (m_initial == kColorNone)
        return rgb(255, 255, 255);
    return m_initial;
}
