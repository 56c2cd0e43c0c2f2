#include "engine/layout/TableElement.h"

#include "engine/layout/PresentationalHints.h"
#include "engine/layout/TableColumns.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <limits>

namespace engine {

namespace tableelement_detail {

bool isPercent(const litehtml::css_length& length)
{
    return !length.is_predefined() && length.units() == litehtml::css_units_percentage;
}

litehtml::css_length pixels(int width)
{
    litehtml::css_length length;
    length.set_value(static_cast<float>(width), litehtml::css_units_px);
    return length;
}

litehtml::css_length autoWidth()
{
    litehtml::css_length length;
    length.predef(0);
    return length;
}

bool isBottomCaption(litehtml::element& caption)
{
    const char* side = caption.get_style_property("caption-side", true, "top");
    return side && strcasecmp(side, "bottom") == 0;
}

// Widths the passes change, put back when the table is laid out.
class SavedWidths
{
public:
    explicit SavedWidths(litehtml::table_grid& grid) : m_grid(grid)
    {
        m_columns.reserve(static_cast<size_t>(grid.cols_count()));
        for (int c = 0; c < grid.cols_count(); ++c)
            m_columns.push_back(grid.column(c).css_width);
    }
    ~SavedWidths()
    {
        for (int c = 0; c < m_grid.cols_count() && c < static_cast<int>(m_columns.size()); ++c)
            m_grid.column(c).css_width = m_columns[static_cast<size_t>(c)];
        // Latest first, so that a cell changed twice gets its first width.
        for (auto it = m_cells.rbegin(); it != m_cells.rend(); ++it)
            it->first->set_css_width(it->second);
    }
    SavedWidths(const SavedWidths&) = delete;
    SavedWidths& operator=(const SavedWidths&) = delete;

    void setCell(const litehtml::element::ptr& cell, litehtml::css_length width)
    {
        m_cells.emplace_back(cell, cell->get_css_width());
        cell->set_css_width(width);
    }

private:
    litehtml::table_grid& m_grid;
    std::vector<litehtml::css_length> m_columns;
    std::vector<std::pair<litehtml::element::ptr, litehtml::css_length>> m_cells;
};

// A span attribute as browsers read it: digits after optional blanks, at
// most `high`; none, unreadable or below 1: 1, except a rowspan of 0, which
// spans the rows to the end (`high`). litehtml makes a grid column for every
// spanned column, and reads spans below 1 as rows or columns before it.
int readSpan(const char* value, bool zeroToEnd, int high)
{
    if (!value)
        return 1;
    while (*value == ' ' || *value == '\t' || *value == '\n' || *value == '\r' || *value == '\f')
        ++value;
    if (*value == '+')
        ++value;
    long long n = 0;
    bool digits = false;
    for (; *value >= '0' && *value <= '9'; ++value) {
        digits = true;
        n = std::min<long long>(n * 10 + (*value - '0'), high);
    }
    return !digits ? 1 : n == 0 ? (zeroToEnd ? high : 1) : static_cast<int>(n);
}

bool isRowGroup(const litehtml::element& el)
{
    const litehtml::style_display display = el.get_display();
    return display == litehtml::display_table_row_group || display == litehtml::display_table_header_group ||
           display == litehtml::display_table_footer_group;
}

bool hasTag(const litehtml::element& el, const char* tag)
{
    const char* t = el.get_tagName();
    return t && std::strcmp(t, tag) == 0;
}

void collectGroupRows(const litehtml::element& parent, std::vector<litehtml::element::ptr>& rows)
{
    for (const auto& child : childrenOf(parent)) {
        if (child->get_display() == litehtml::display_table_row)
            rows.push_back(child);
        else if (isRowGroup(*child))
            collectGroupRows(*child, rows);
    }
}

// The rows of a table as browsers show them, not those of the tables inside
// it: the first THEAD's rows first, then the bodies' and the rows outside
// any group, the TFOOTs' last, wherever the page writes them (an HTML 4
// page writes TFOOT before TBODY). (The default style sheet lays THEAD and
// TFOOT out as bodies: litehtml 0.6 would wrap them in a cell of their own.)
void collectRows(const litehtml::element& table, std::vector<litehtml::element::ptr>& rows)
{
    const auto& children = childrenOf(table);
    const auto head = std::find_if(children.begin(), children.end(),
                                   [](const auto& c) { return isRowGroup(*c) && hasTag(*c, "thead"); });
    if (head != children.end())
        collectGroupRows(**head, rows);
    for (auto child = children.begin(); child != children.end(); ++child) {
        if ((*child)->get_display() == litehtml::display_table_row)
            rows.push_back(*child);
        else if (isRowGroup(**child) && child != head && !hasTag(**child, "tfoot"))
            collectGroupRows(**child, rows);
    }
    for (const auto& child : children) {
        if (isRowGroup(*child) && hasTag(*child, "tfoot"))
            collectGroupRows(*child, rows);
    }
}

// The cells' spans while litehtml builds the grid: read as browsers read
// them, and without the columns in which no cell begins (they take no room in
// browsers: a colspan=9 over a grid of two columns adds no spacing for seven
// more). The page's own spans are put back once the grid is built, so that a
// grid built again after an edit starts from them.
class GridSpans
{
public:
    explicit GridSpans(litehtml::element& table)
    {
        std::vector<litehtml::element::ptr> rows;
        collectRows(table, rows);
        struct Placed
        {
            litehtml::element::ptr cell;
            int column, span, rowSpan;
        };
        std::vector<Placed> placed;
        std::vector<int> busyRows; // per column: rows still taken by a rowspan
        std::vector<bool> begins;
        for (const litehtml::element::ptr& row : rows) {
            int column = 0;
            for (size_t i = 0; i < row->get_children_count(); ++i) {
                const litehtml::element::ptr cell = row->get_child(static_cast<int>(i));
                if (!cell || cell->get_display() != litehtml::display_table_cell)
                    continue;
                while (column < static_cast<int>(busyRows.size()) && busyRows[static_cast<size_t>(column)] > 0)
                    ++column;
                const int span = readSpan(cell->get_attr("colspan"), false, 1000);
                const int rowSpan = readSpan(cell->get_attr("rowspan"), true, 65534);
                const size_t end = static_cast<size_t>(column + span);
                if (busyRows.size() < end) {
                    busyRows.resize(end, 0);
                    begins.resize(end, false);
                }
                begins[static_cast<size_t>(column)] = true;
                for (size_t c = static_cast<size_t>(column); c < end; ++c)
                    busyRows[c] = std::max(busyRows[c], rowSpan);
                placed.push_back({cell, column, span, rowSpan});
                column += span;
            }
            for (int& busy : busyRows)
                busy = std::max(0, busy - 1);
        }
        for (const Placed& p : placed) {
            const auto first = begins.begin() + p.column;
            set(p.cell, "colspan", static_cast<int>(std::count(first, first + p.span, true)));
            set(p.cell, "rowspan", p.rowSpan);
        }
    }
    ~GridSpans()
    {
        for (auto it = m_page.rbegin(); it != m_page.rend(); ++it)
            std::get<0>(*it)->set_attr(std::get<1>(*it), std::get<2>(*it).c_str());
    }
    GridSpans(const GridSpans&) = delete;
    GridSpans& operator=(const GridSpans&) = delete;

private:
    void set(const litehtml::element::ptr& cell, const char* name, int span)
    {
        const char* page = cell->get_attr(name);
        if (!page && span == 1)
            return;
        const std::string text = std::to_string(span);
        if (page && text == page)
            return;
        m_page.emplace_back(cell, name, page ? page : "1");
        cell->set_attr(name, text.c_str());
    }

    std::vector<std::tuple<litehtml::element::ptr, const char*, std::string>> m_page;
};

} // namespace tableelement_detail

void TableElement::init()
{
    // litehtml builds the grid anew (a cell's width was edited in place) but
    // adds the captions to those it had: each caption would be laid out once
    // more per rebuild, the table a caption higher each time.
    if (m_grid)
        m_grid->captions().clear();
    // (What the last layout gave the cells is of the grid it had.)
    m_columnWidths.clear();
    m_cellWidths.clear();
    const tableelement_detail::GridSpans spans(*this);
    if (m_display != litehtml::display_table && m_display != litehtml::display_inline_table) {
        Hinted::init();
        return;
    }
    // The grid as litehtml builds it, but of every row in the order browsers
    // show them (litehtml 0.6 leaves out the rows of THEAD and TFOOT).
    if (m_grid)
        m_grid->clear();
    else
        m_grid = std::make_unique<litehtml::table_grid>();
    std::vector<litehtml::element::ptr> rows;
    tableelement_detail::collectRows(*this, rows);
    for (litehtml::element::ptr& row : rows) {
        m_grid->begin_row(row);
        for (litehtml::element::ptr cell : childrenOf(*row)) {
            if (cell->get_display() == litehtml::display_table_cell)
                m_grid->add_cell(cell);
        }
    }
    for (const auto& child : m_children) {
        if (child->get_display() == litehtml::display_table_caption)
            m_grid->captions().push_back(child);
    }
    m_grid->finish();
    for (const auto& child : m_children)
        child->init();
}

void TableElement::parse_styles(bool is_reparse)
{
    Hinted::parse_styles(is_reparse);
    // A table made a block (as the style sheets of some documentation
    // generators do, for scrolling) holds its captions and rows in an
    // anonymous table as wide as they need, which takes the table's
    // spacing and borders model; the block is as wide as blocks are. It is
    // laid out as that table, its box then widened to the block (see
    // render).
    m_blockAroundTable = m_display == litehtml::display_block;
    if (m_blockAroundTable)
        m_display = litehtml::display_table;
    // Widths and spacings no page can mean (99999999999) would overflow the
    // table's width in pixels.
    constexpr float largestWidth = 1e6f;
    if (!m_css_width.is_predefined() && std::abs(m_css_width.val()) > largestWidth)
        m_css_width.set_value(std::copysign(largestWidth, m_css_width.val()), m_css_width.units());
    constexpr int largestSpacing = 10000;
    m_border_spacing_x = std::clamp(m_border_spacing_x, 0, largestSpacing);
    m_border_spacing_y = std::clamp(m_border_spacing_y, 0, largestSpacing);
    // In a centred DIV, cell or CENTER the table stands in the middle, unless
    // it floats (browsers centre it whatever its side margins say).
    const char* centre = get_style_property(kCenterTablesProperty, true, nullptr);
    if (centre && std::strcmp(centre, "center") == 0 && get_float() == litehtml::float_none) {
        m_css_margins.left.fromString("auto", "auto");
        m_css_margins.right.fromString("auto", "auto");
    }
}

int TableElement::render(int x, int y, int max_width, bool second_pass)
{
    const layoutelements_detail::WrapPause pause(layoutelements_detail::watchingWraps > 0);
    if (layingOutPositionedAgain(second_pass)) {
        // Laid out at the percentage of its containing block, which is its
        // border box as a width in pixels is.
        const litehtml::css_length width = m_css_width;
        m_css_width = tableelement_detail::pixels(m_pos.width);
        const int ret = render(x, y, max_width, false);
        m_css_width = width;
        keepPositionedSize();
        return ret;
    }
    // litehtml answers a table's width without its borders, padding and
    // margins; the box around it (a positioned DIV without a width, a cell)
    // sizes itself by the answer and would cut the table's frame off its
    // columns, and leave no room for its margins (auto ones take none).
    const int frame = m_padding.width() + m_borders.width();
    if (!m_blockAroundTable)
        return renderTable(x, y, max_width, second_pass) + frame +
               layoutelements_detail::styledSideMargins(m_css_margins, m_margins);
    // The anonymous table takes no width of the block's.
    const litehtml::css_length width = m_css_width;
    m_css_width = tableelement_detail::autoWidth();
    const int tableWidth = renderTable(x, y, max_width, second_pass) + frame;
    m_css_width = width;
    const int blockWidth =
        width.is_predefined() ? max_width - m_margins.left - m_margins.right - frame : width.calc_percent(max_width);
    m_pos.width = std::max(m_pos.width, blockWidth);
    return std::max(tableWidth, m_pos.width + frame);
}

bool TableElement::appendChild(const litehtml::element::ptr& el)
{
    const char* tag = el ? el->get_tagName() : nullptr;
    if (tag && (strcasecmp(tag, "colgroup") == 0 || strcasecmp(tag, "col") == 0)) {
        m_columnElements.push_back(el);
        return true;
    }
    return Hinted::appendChild(el);
}

std::vector<litehtml::css_length> TableElement::columnElementWidths(int cols) const
{
    using namespace tableelement_detail;
    std::vector<litehtml::css_length> widths(static_cast<size_t>(cols), autoWidth());
    // (The elements are outside the layout: their style attribute and width
    // attribute are read as written.)
    const auto widthOf = [](const litehtml::element& el) {
        static const QRegularExpression inStyle(QStringLiteral("(?:^|;)\\s*width\\s*:\\s*([^;]+)"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = inStyle.match(QString::fromUtf8(el.get_attr("style", "")));
        QString value = m.hasMatch() ? m.captured(1).trimmed() : QString::fromUtf8(el.get_attr("width", "")).trimmed();
        if (!value.isEmpty() && value.back().isDigit())
            value += QLatin1String("px");
        litehtml::css_length width;
        width.fromString(value.toStdString(), "auto");
        const bool usable =
            !width.is_predefined() && width.val() > 0 &&
            (width.units() == litehtml::css_units_px || width.units() == litehtml::css_units_percentage);
        return usable ? width : autoWidth();
    };
    int at = 0;
    const auto give = [&](const litehtml::element& el, const litehtml::css_length& width) {
        const int span = readSpan(el.get_attr("span"), false, 1000);
        for (int i = 0; i < span && at < cols; ++i, ++at) {
            if (!width.is_predefined())
                widths[static_cast<size_t>(at)] = width;
        }
    };
    for (const auto& element : m_columnElements) {
        if (strcasecmp(element->get_tagName(), "col") == 0) {
            give(*element, widthOf(*element));
            continue;
        }
        bool hasColumns = false;
        for (const auto& column : childrenOf(*element)) {
            if (strcasecmp(column->get_tagName(), "col") != 0)
                continue;
            hasColumns = true;
            const litehtml::css_length own = widthOf(*column);
            give(*column, own.is_predefined() ? widthOf(*element) : own);
        }
        if (!hasColumns)
            give(*element, widthOf(*element));
    }
    return widths;
}

namespace tableelement_detail {
// How many tables are fitting their cells to their columns (litehtml lays
// each cell out at its column's width).
thread_local int fittingCells = 0;
struct CellFitScope
{
    CellFitScope() { ++fittingCells; }
    ~CellFitScope() { --fittingCells; }
    CellFitScope(const CellFitScope&) = delete;
    CellFitScope& operator=(const CellFitScope&) = delete;
};
} // namespace tableelement_detail

int TableElement::renderTable(int x, int y, int max_width, bool second_pass)
{
    using namespace tableelement_detail;
    m_columnWidths.clear();
    m_cellWidths.clear();
    if (m_grid && m_grid->cols_count() < 1)
        return renderEmpty(x, y, max_width, second_pass);
    if (!m_grid || (m_display != litehtml::display_table && m_display != litehtml::display_inline_table))
        return renderGrid(x, y, max_width, second_pass);
    // A table with a width in pixels asks for the width it was laid out at.
    const bool pixelWidth = !m_css_width.is_predefined() && !isPercent(m_css_width);
    if (m_grid->cols_count() == 1 && m_grid->captions().empty() && !m_css_width.is_predefined()) {
        const int ret = renderGrid(x, y, max_width, second_pass);
        return pixelWidth ? m_pos.width : ret;
    }
    litehtml::table_grid& grid = *m_grid;
    const int cols = grid.cols_count();
    const int rows = grid.rows_count();
    SavedWidths saved(grid);
    std::vector<TableColumnInput> input(static_cast<size_t>(cols));

    // Columns without a width of their cells take their COL's.
    // (Their widths in pixels are the cells' border boxes.)
    const std::vector<litehtml::css_length> columnWidths = columnElementWidths(cols);
    std::vector<bool> borderBoxWidth(static_cast<size_t>(cols), false);
    for (int c = 0; c < cols; ++c) {
        if (grid.column(c).css_width.is_predefined() && !columnWidths[static_cast<size_t>(c)].is_predefined()) {
            grid.column(c).css_width = columnWidths[static_cast<size_t>(c)];
            borderBoxWidth[static_cast<size_t>(c)] = true;
        }
    }
    // Percentages are ours to share out (litehtml would measure such a cell
    // at its share of the width, not by its content). Asked how wide it can
    // be by a table measuring the cell it stands in, it has none: the
    // percentages are of a width the cell does not have yet, and widening
    // the table until each percentage column gets its content at its share
    // would stretch the cell, and the tables around it, to the page.
    const bool measuredInCell = layoutelements_detail::measuringCells > 0;
    for (int c = 0; c < cols; ++c) {
        litehtml::table_column& col = grid.column(c);
        if (isPercent(col.css_width)) {
            if (!measuredInCell)
                input[static_cast<size_t>(c)].percent = col.css_width.val();
            col.css_width = autoWidth();
        }
    }
    // A width in pixels is the cells' content box (unless they are sized
    // with their border); litehtml takes it as their border box.
    for (int c = 0; c < cols; ++c) {
        litehtml::table_column& col = grid.column(c);
        if (col.css_width.is_predefined())
            continue;
        input[static_cast<size_t>(c)].fixed = true;
        int margins = 0;
        for (int r = 0; r < rows; ++r) {
            const litehtml::table_cell* cell = grid.cell(c, r);
            const auto* sized = cell && cell->el ? dynamic_cast<const CellElement*>(cell->el.get()) : nullptr;
            if (cell && cell->el && cell->colspan == 1 && !(sized && sized->sizedWithBorder()))
                margins = std::max(margins, cell->el->padding_left() + cell->el->padding_right() +
                                                cell->el->border_left() + cell->el->border_right());
        }
        if (margins > 0 && !borderBoxWidth[static_cast<size_t>(c)])
            col.css_width = pixels(static_cast<int>(col.css_width.val()) + margins);
    }

    // The narrowest and widest each cell can be, measured as litehtml does.
    const bool autoTableWidth = m_css_width.is_predefined();
    // The margins as styled (auto ones as none), not as the last layout
    // centred the table: laid out again, the table must come out as the
    // first time.
    calc_outlines(max_width);
    const int frame = m_padding.width() + m_borders.width();
    const int spacing = columnSpacing();
    const int blockWidth =
        autoTableWidth ? std::max(0, max_width ? max_width - content_margins_left() - content_margins_right() : 0)
                       : calc_width(max_width) - frame;
    struct Span
    {
        int first, count, minWidth, maxWidth;
        double percent;
    };
    std::vector<Span> spans;
    m_cellMeasureWidth = blockWidth - spacing;
    {
        const layoutelements_detail::CellMeasureScope measuring;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const litehtml::table_cell* cell = grid.cell(c, r);
                if (!cell || !cell->el)
                    continue;
                double percent = 0;
                const bool percentCell = isPercent(cell->el->get_css_width());
                if (percentCell) {
                    if (!measuredInCell)
                        percent = cell->el->get_css_width().val();
                    saved.setCell(cell->el, autoWidth());
                }
                const litehtml::css_length& fixedWidth = grid.column(c).css_width;
                int minWidth = 0, maxWidth = 0;
                if (cell->colspan <= 1 && !fixedWidth.is_predefined()) {
                    // A fixed column gives way down to its content's minimum
                    // when the table is narrower than the widths ask.
                    const int width = fixedWidth.calc_percent(blockWidth);
                    saved.setCell(cell->el, autoWidth());
                    minWidth = cell->el->render(0, 0, 1);
                    maxWidth = std::max(width, minWidth);
                } else if (cols == 1 && cell->colspan <= 1 && !percentCell && autoTableWidth &&
                           grid.captions().empty()) {
                    // The one column of a table sized by its content takes
                    // its widest content when that fits the room; only
                    // wider content needs its narrowest (a long page in a
                    // text box: every word a line of its own).
                    // Content that wraps in the room would be wider: the
                    // column takes all of it, as a browser's does.
                    const int room = blockWidth - spacing;
                    const layoutelements_detail::WrapWatch watch;
                    // (The cell of a text box notes how wide each of its
                    // blocks makes it.)
                    auto* textCell = get_element_position() == litehtml::element_position_absolute
                                         ? dynamic_cast<CellElement*>(cell->el.get())
                                         : nullptr;
                    layoutelements_detail::CellWidthsRecording recording{cell->el.get(), {}};
                    auto* const outer =
                        std::exchange(layoutelements_detail::recordingCellWidths,
                                      textCell ? &recording : layoutelements_detail::recordingCellWidths);
                    maxWidth = cell->el->render(0, 0, room);
                    layoutelements_detail::recordingCellWidths = outer;
                    if (maxWidth < room && watch.wrapped())
                        maxWidth = room;
                    if (textCell && maxWidth <= room)
                        textCell->blockWidths().take(std::move(recording.widths));
                    else if (textCell)
                        textCell->blockWidths().forget();
                    if (maxWidth > room)
                        minWidth = cell->el->render(0, 0, 1);
                } else {
                    const int room = blockWidth - spacing;
                    minWidth = cell->el->render(0, 0, 1);
                    maxWidth = cell->el->render(0, 0, room);
                    // Measured for the cell around the table, content that
                    // wraps in the room asks for all of it, as its lines
                    // unwrapped would (its widest line can end short of the
                    // room by less than its narrowest width only where a
                    // line wrapped).
                    if (measuredInCell && maxWidth < room && maxWidth + minWidth > room)
                        maxWidth = std::max(maxWidth, std::min(room, cell->el->render(0, 0, 2 * room)));
                }
                if (cell->colspan > 1) {
                    spans.push_back({c, cell->colspan, minWidth, maxWidth, percent});
                    continue;
                }
                if (!measuredInCell) {
                    m_cellWidths.resize(static_cast<size_t>(rows * cols), {-1, -1});
                    m_cellWidths[static_cast<size_t>(r * cols + c)] = {minWidth, maxWidth};
                }
                TableColumnInput& in = input[static_cast<size_t>(c)];
                in.minWidth = std::max(in.minWidth, minWidth);
                in.maxWidth = std::max(in.maxWidth, maxWidth);
            }
        }
    }
    // Narrower spans first; a span's percentage goes by the maximum widths
    // its columns have before it widens them.
    std::stable_sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.count < b.count; });
    for (const Span& span : spans) {
        if (span.percent > 0)
            spreadSpanningPercentage(input, span.first, span.count, span.percent);
        // The spacing between the spanned columns is the cell's too.
        const int inside = spacingBetween(span.first, span.first + span.count);
        growSpannedColumns(input, span.first, span.count, span.minWidth - inside, span.maxWidth - inside);
    }
    capColumnPercentages(input);

    // The width the columns share: the table's own, or as wide as they ask
    // within the room there is; never narrower than a caption's longest word.
    const int captionMin = captionsMinWidth();
    int target = autoTableWidth ? tableMaxColumnsWidth(input, std::max(0, blockWidth - spacing)) : blockWidth - spacing;
    target = std::max(target, captionMin - frame - spacing);
    const std::vector<int> widths = distributeColumnWidths(input, target);
    // (Kept only where a cell of its own may be laid out again alone.)
    if (!measuredInCell)
        m_columnWidths = widths;

    // litehtml lays the table out with every column fixed at its width; the
    // cells of one column carry its width too, as the grid reads them.
    for (int c = 0; c < cols; ++c) {
        const litehtml::css_length w = pixels(widths[static_cast<size_t>(c)]);
        grid.column(c).css_width = w;
        for (int r = 0; r < rows; ++r) {
            const litehtml::table_cell* cell = grid.cell(c, r);
            if (cell && cell->el && cell->colspan == 1)
                saved.setCell(cell->el, w);
        }
    }
    int ret = 0;
    {
        const tableelement_detail::CellFitScope fitting;
        ret = renderGrid(x, y, max_width, second_pass);
    }
    if (pixelWidth)
        return m_pos.width;
    // Laid out in the cell of a table that fits its cells to their columns
    // (not measuring them), or asked how narrow it can be, it answers the
    // width it was laid out at: a cell holding a table of 100% is as wide
    // as its column, not as the table's text would make it.
    if (max_width <= 1 || (tableelement_detail::fittingCells > 0 && layoutelements_detail::measuringCells == 0))
        return std::max(ret, captionMin - frame);
    // Otherwise litehtml answers the columns' widths as laid out; the box
    // around it asks for the widest the content would make it, at the
    // columns' percentages (a percentage of that box's width asks for what a
    // table without a width would), within the room the table has: columns
    // that take all of it leave none for the spacing and frame around them.
    int laidOut = 0, widest = 0;
    for (int c = 0; c < cols; ++c) {
        laidOut += grid.column(c).max_width;
        widest += std::max(input[static_cast<size_t>(c)].minWidth, input[static_cast<size_t>(c)].maxWidth);
    }
    const int room = max_width - content_margins_left() - content_margins_right() - spacing;
    widest = tableMaxColumnsWidth(input, std::max(room, widest));
    return std::max(ret + widest - laidOut, captionMin - frame);
}

bool TableElement::sizedByOneColumn() const
{
    return !m_blockAroundTable && m_grid && m_grid->cols_count() == 1 && m_grid->captions().empty() &&
           m_columnElements.empty() && m_css_width.is_predefined() && m_css_height.is_predefined() &&
           (m_display == litehtml::display_table || m_display == litehtml::display_inline_table);
}

int TableElement::rowOf(const litehtml::element& cell) const
{
    if (!m_grid || m_grid->cols_count() != 1)
        return -1;
    for (int r = 0; r < m_grid->rows_count(); ++r) {
        const litehtml::table_cell* c = m_grid->cell(0, r);
        if (c && c->el.get() == &cell)
            return c->rowspan == 1 ? r : -1;
    }
    return -1;
}

void TableElement::growRow(int row, int dy)
{
    litehtml::table_row& grown = m_grid->row(row);
    grown.height += dy;
    grown.bottom += dy;
    // (The cells stand in the table, not in their rows.)
    for (int below = row + 1; below < m_grid->rows_count(); ++below) {
        litehtml::table_row& next = m_grid->row(below);
        next.top += dy;
        next.bottom += dy;
        if (const litehtml::table_cell* c = m_grid->cell(0, below); c && c->el)
            c->el->get_position().y += dy;
    }
    m_pos.height += dy;
}

bool TableElement::placeOfCell(const litehtml::element& cell, int& column, int& row) const
{
    if (!m_grid)
        return false;
    for (int r = 0; r < m_grid->rows_count(); ++r) {
        for (int c = 0; c < m_grid->cols_count(); ++c) {
            const litehtml::table_cell* at = m_grid->cell(c, r);
            if (at && at->el.get() == &cell) {
                column = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

bool TableElement::laysOutCellAlone(const litehtml::element& cell) const
{
    using namespace tableelement_detail;
    if (!m_grid || m_blockAroundTable || m_grid->cols_count() < 2 || !m_grid->captions().empty() ||
        !m_columnElements.empty() || static_cast<int>(m_columnWidths.size()) != m_grid->cols_count() ||
        !cell.get_css_width().is_predefined())
        return false;
    const int cols = m_grid->cols_count();
    int column = -1, row = -1;
    if (!placeOfCell(cell, column, row) || !m_grid->column(column).css_width.is_predefined() ||
        m_cellWidths.size() != static_cast<size_t>(m_grid->rows_count() * cols) ||
        m_cellWidths[static_cast<size_t>(row * cols + column)].first < 0)
        return false;
    // (A cell spanning rows shares its height out among them.)
    for (int r = 0; r < m_grid->rows_count(); ++r) {
        for (int c = 0; c < m_grid->cols_count(); ++c) {
            const litehtml::table_cell* at = m_grid->cell(c, r);
            if (at && at->el && (at->rowspan > 1 || (at->el.get() == &cell && at->colspan > 1)))
                return false;
        }
    }
    return true;
}

TableElement::CellMeasure TableElement::layOutCellAgain(const std::shared_ptr<litehtml::element>& cell)
{
    using namespace tableelement_detail;
    CellMeasure measure;
    int column = -1, row = -1;
    if (!placeOfCell(*cell, column, row))
        return measure;
    // (Its content starts at the fraction of a pixel the table's did.)
    const BlockFlow::FractionScope fraction(BlockFlow::originFractionOf(*cell));
    // As the table measures it for its column...
    const int cols = m_grid->cols_count();
    {
        const layoutelements_detail::CellMeasureScope measuring;
        const int minWidth = cell->render(0, 0, 1);
        const int maxWidth = cell->render(0, 0, m_cellMeasureWidth);
        m_cellWidths[static_cast<size_t>(row * cols + column)] = {minWidth, maxWidth};
    }
    for (int r = 0; r < m_grid->rows_count(); ++r) {
        const auto [minWidth, maxWidth] = m_cellWidths[static_cast<size_t>(r * cols + column)];
        measure.columnMin = std::max(measure.columnMin, minWidth);
        measure.columnMax = std::max(measure.columnMax, maxWidth);
    }
    // ... and as litehtml lays it out in its column of the width the
    // table gave it: widened to the column, then stretched to its row.
    const int width = m_columnWidths[static_cast<size_t>(column)];
    const litehtml::table_column& col = m_grid->column(column);
    const int cellWidth = col.right - col.left;
    const int sides = cell->content_margins_left() + cell->content_margins_right();
    litehtml::css_length styled = cell->get_css_width();
    litehtml::css_length fixed = pixels(width);
    cell->set_css_width(fixed);
    {
        const CellFitScope fitting;
        const int fitted = cell->render(0, 0, width);
        measure.fits = fitted <= width;
        litehtml::position& pos = cell->get_position();
        pos.width = std::max(width, fitted) - sides;
        if (pos.width != cellWidth - sides) {
            cell->render(col.left, 0, cellWidth);
            pos.width = cellWidth - sides;
        } else {
            pos.x = col.left + cell->content_margins_left();
        }
    }
    cell->set_css_width(styled);
    measure.height = cell->height();
    const litehtml::table_row& at = m_grid->row(row);
    litehtml::position& pos = cell->get_position();
    pos.y = at.top + cell->content_margins_top();
    pos.height = at.bottom - at.top - cell->content_margins_top() - cell->content_margins_bottom();
    cell->apply_vertical_align();
    return measure;
}

int TableElement::renderEmpty(int x, int y, int max_width, bool second_pass)
{
    // A table without cells is its borders: no spacing around columns it
    // does not have.
    const int spacingX = m_border_spacing_x, spacingY = m_border_spacing_y;
    m_border_spacing_x = m_border_spacing_y = 0;
    const int ret = renderGrid(x, y, max_width, second_pass);
    m_border_spacing_x = spacingX;
    m_border_spacing_y = spacingY;
    return ret;
}

int TableElement::columnSpacing() const
{
    const int cols = m_grid->cols_count();
    if (m_border_collapse == litehtml::border_collapse_separate)
        return m_border_spacing_x * 2 + spacingBetween(0, cols);
    return -std::min(border_left(), m_grid->column(0).border_left) -
           std::min(border_right(), m_grid->column(cols - 1).border_right) + spacingBetween(0, cols);
}

int TableElement::spacingBetween(int first, int end) const
{
    end = std::min(end, m_grid->cols_count());
    if (end - first < 2)
        return 0;
    if (m_border_collapse == litehtml::border_collapse_separate)
        return m_border_spacing_x * (end - first - 1);
    // Collapsed borders: neighbours share the narrower of their borders.
    int spacing = 0;
    for (int c = first + 1; c < end; ++c)
        spacing -= std::min(m_grid->column(c).border_left, m_grid->column(c - 1).border_right);
    return spacing;
}

int TableElement::captionsMinWidth()
{
    int widest = 0;
    for (const auto& caption : m_grid->captions())
        widest = std::max(widest, caption->render(0, 0, 1));
    return widest;
}

int TableElement::renderGrid(int x, int y, int max_width, bool second_pass)
{
    if (!m_grid || m_grid->captions().empty())
        return el_table::render(x, y, max_width, second_pass);
    // litehtml moves the rows down by the captions' height along with their
    // cells, but the cells are placed in the table, not in their row: keep
    // the rows where they were (else the cells' boxes sit lower than drawn,
    // by more each layout).
    std::vector<int> rowTops;
    rowTops.reserve(static_cast<size_t>(m_grid->rows_count()));
    for (int r = 0; r < m_grid->rows_count(); ++r) {
        const auto& row = m_grid->row(r).el_row;
        rowTops.push_back(row ? row->get_position().y : 0);
    }
    const int ret = el_table::render(x, y, max_width, second_pass);
    for (int r = 0; r < m_grid->rows_count() && r < static_cast<int>(rowTops.size()); ++r) {
        if (const auto& row = m_grid->row(r).el_row)
            row->get_position().y = rowTops[static_cast<size_t>(r)];
    }
    int captions = 0;
    for (const auto& caption : m_grid->captions())
        captions += caption->height();
    placeCaptions(captions);
    return ret;
}

void TableElement::placeCaptions(int shiftedBy)
{
    using namespace tableelement_detail;
    // litehtml puts every caption above the rows; caption-side: bottom ones
    // go below them.
    int top = 0, bottom = 0;
    for (const auto& caption : m_grid->captions())
        (isBottomCaption(*caption) ? bottom : top) += caption->height();
    m_bottomCaptionsHeight = bottom;
    m_grid->captions_height(top);
    if (bottom == 0)
        return;
    const int gridHeight = m_pos.height - shiftedBy;
    int above = -border_top();
    int below = top + gridHeight + border_bottom();
    for (const auto& caption : m_grid->captions()) {
        int& at = isBottomCaption(*caption) ? below : above;
        caption->get_position().y += at - caption->top();
        at += caption->height();
    }
    for (int r = 0; r < m_grid->rows_count(); ++r) {
        for (int c = 0; c < m_grid->cols_count(); ++c) {
            const litehtml::table_cell* cell = m_grid->cell(c, r);
            if (cell && cell->el)
                cell->el->get_position().y -= bottom;
        }
    }
}

void TableElement::draw_background(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip)
{
    // The background and borders leave out the captions below the rows as
    // litehtml leaves out those above.
    m_pos.height -= m_bottomCaptionsHeight;
    el_table::draw_background(hdc, x, y, clip);
    m_pos.height += m_bottomCaptionsHeight;
}

} // namespace engine
