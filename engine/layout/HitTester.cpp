#include "engine/layout/HitTester.h"

#include "engine/dom/Document.h"
#include "engine/layout/DocumentLayout.h"

#include <QPolygon>
#include <QRegularExpression>

#include <algorithm>

namespace engine {

namespace hittester_detail {

std::vector<int> numbers(const QString& coords)
{
    std::vector<int> out;
    for (const QString& part : coords.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts))
        out.push_back(static_cast<int>(part.trimmed().toDouble()));
    return out;
}

} // namespace hittester_detail

bool HitTester::isTablePart(const QString& tag)
{
    return tag == QLatin1String("TR") || tag == QLatin1String("TBODY") || tag == QLatin1String("THEAD") ||
           tag == QLatin1String("TFOOT");
}

bool HitTester::areaContains(const QString& shapeIn, const QString& coords, QPoint p)
{
    const QString shape = shapeIn.trimmed().toLower();
    const std::vector<int> c = hittester_detail::numbers(coords);
    if (shape == QLatin1String("default"))
        return true;
    if (shape == QLatin1String("circle") || shape == QLatin1String("circ")) {
        if (c.size() < 3)
            return false;
        const long long dx = p.x() - c[0], dy = p.y() - c[1];
        return dx * dx + dy * dy < static_cast<long long>(c[2]) * c[2];
    }
    if (shape == QLatin1String("poly") || shape == QLatin1String("polygon")) {
        if (c.size() < 6)
            return false;
        QPolygon poly;
        for (size_t i = 0; i + 1 < c.size(); i += 2)
            poly << QPoint(c[i], c[i + 1]);
        return poly.containsPoint(p, Qt::OddEvenFill);
    }
    // rect, rectangle, or no shape.
    if (c.size() < 4)
        return false;
    const int left = std::min(c[0], c[2]), right = std::max(c[0], c[2]);
    const int top = std::min(c[1], c[3]), bottom = std::max(c[1], c[3]);
    return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
}

bool HitTester::boxContains(int index, QPoint page) const
{
    const LayoutBox* b = m_layout.boxAt(index);
    if (!b)
        return false;
    if (b->inlineLevel && !b->lineBoxes.empty())
        return std::any_of(b->lineBoxes.begin(), b->lineBoxes.end(), [&](const QRect& r) { return r.contains(page); });
    return b->borderBox.contains(page);
}

int HitTester::deepestAt(int index, QPoint page)
{
    const LayoutBox* b = m_layout.boxAt(index);
    if (!b)
        return -1;
    if (b->clipsContent && !b->paddingBox.contains(page))
        return index;
    for (auto it = b->children.rbegin(); it != b->children.rend(); ++it) {
        const LayoutBox* child = m_layout.boxAt(*it);
        if (!child || child->positioned)
            continue;
        if (boxContains(*it, page))
            return deepestAt(*it, page);
        // An inline box's replaced or block content may stand outside its
        // line boxes, and the boxes of table rows and sections do not cover
        // their cells: look inside them as well.
        if (child->inlineLevel || isTablePart(child->tag)) {
            const int inner = deepestAt(*it, page);
            if (inner != *it)
                return inner;
        }
    }
    return index;
}

int HitTester::boxAt(QPoint page)
{
    const LayoutTree& tree = m_layout.tree();
    if (tree.boxes.empty())
        return -1;
    std::vector<int> positioned;
    for (int i = 0; i < static_cast<int>(tree.boxes.size()); ++i) {
        if (tree.boxes[static_cast<size_t>(i)].positioned)
            positioned.push_back(i);
    }
    std::stable_sort(positioned.begin(), positioned.end(), [&tree](int a, int b) {
        const LayoutBox& x = tree.boxes[static_cast<size_t>(a)];
        const LayoutBox& y = tree.boxes[static_cast<size_t>(b)];
        if (x.zIndex != y.zIndex)
            return x.zIndex > y.zIndex;
        return x.order > y.order;
    });
    for (int i : positioned) {
        if (!boxContains(i, page))
            continue;
        // A clipping ancestor hides what lies outside it.
        bool clipped = false;
        for (const LayoutBox* a = m_layout.boxAt(tree.boxes[static_cast<size_t>(i)].parent); a && !clipped;
             a = m_layout.boxAt(a->parent))
            clipped = a->clipsContent && !a->paddingBox.contains(page);
        if (!clipped)
            return deepestAt(i, page);
    }
    return deepestAt(0, page);
}

Element* HitTester::areaAt(Element* img, QPoint page)
{
    const QString usemap = img->getAttributeText(QStringLiteral("usemap")).trimmed();
    if (!usemap.startsWith(u'#'))
        return img;
    const QString name = usemap.mid(1);
    const LayoutBox* b = m_layout.box(img);
    if (!b || name.isEmpty())
        return img;
    const QPoint local = page - b->contentBox.topLeft();
    const ElementCollection maps = m_layout.document()->getElementsByTagName(QStringLiteral("MAP"));
    for (int i = 0; i < maps.length(); ++i) {
        Element* map = maps.item(i);
        if (map->name().compare(name, Qt::CaseInsensitive) != 0 && map->id().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const ElementCollection areas = map->areas();
        for (int a = 0; a < areas.length(); ++a) {
            Element* area = areas.item(a);
            if (areaContains(area->getAttributeText(QStringLiteral("shape")),
                             area->getAttributeText(QStringLiteral("coords")), local))
                return area;
        }
        return img;
    }
    return img;
}

Element* HitTester::elementAtPagePoint(QPoint page)
{
    Document* doc = m_layout.document();
    if (!doc)
        return nullptr;
    const int index = boxAt(page);
    Element* el = index >= 0 ? m_layout.elementOfBox(index) : nullptr;
    if (!el || el->hasTag(QLatin1String("HTML")) || el->hasTag(QLatin1String("HEAD")))
        return doc->body();
    if (el->hasTag(QLatin1String("TR")) || el->hasTag(QLatin1String("TBODY")) || el->hasTag(QLatin1String("THEAD")) ||
        el->hasTag(QLatin1String("TFOOT"))) {
        for (Element* p = el->parentElement(); p; p = p->parentElement()) {
            if (p->hasTag(QLatin1String("TABLE")))
                return p;
        }
    }
    if (el->hasTag(QLatin1String("IMG")))
        return areaAt(el, page);
    return el;
}

Element* HitTester::elementFromPoint(QPoint client)
{
    const QSize view = m_layout.viewportSize();
    if (client.x() < 0 || client.y() < 0 || client.x() >= view.width() || client.y() >= view.height())
        return nullptr;
    return elementAtPagePoint(client + m_layout.scrollPosition());
}

} // namespace engine
