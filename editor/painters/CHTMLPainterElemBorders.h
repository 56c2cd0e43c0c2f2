#pragma once

#include "editor/painters/CHTMLPainter.h"

#include "engine/dom/Ref.h"

#include <QColor>
#include <QPointer>

#include <vector>

class CZQView;

namespace engine {
class Document;
class Element;
class Geometry;
} // namespace engine

// Outlines the page's objects that show no edge of their own: embedded
// objects always, and on a silver page also text boxes and marquees. Attached
// to BODY, below the content, in the contrast grey of the page's background.
class CHTMLPainterElemBorders : public CHTMLPainter
{
public:
    // The page of `view`; none: the active page.
    explicit CHTMLPainterElemBorders(CZQView* view = nullptr);

    void draw(QPainter& painter, const QRect& bounds, const QRect& update, int flags) override;

    // The elements to outline, in document order: the EMBEDs, then, when the
    // background is silver, the text boxes and MARQUEEs.
    static std::vector<engine::Element*> OutlinedElements(engine::Document* document);
    // The same, kept from the last paint while the page has not changed
    // since: a paint of a long page is not a walk over all its elements.
    // A long page of a view (that of `view`) is walked in steps on the event
    // loop after a change, the list from before given meanwhile (none for a
    // page new to the painter); the painter repaints when the walk ends with
    // another list.
    const std::vector<engine::Ref<engine::Element>>& outlinedElementsOf(engine::Document* document,
                                                                        CZQView* view = nullptr);
    // Draws one element's outline, one pixel outside its border box, unless
    // it lies outside the update area grown by a pixel. `bounds` is BODY's:
    // its top-left is the page's origin in the painter's coordinates.
    static void DrawElementBorder(QPainter& painter, engine::Element* element, engine::Geometry& geometry,
                                  const QRect& bounds, const QRect& update, const QColor& color);

    QPointer<CZQView> m_pView;

private:
    class Walk;
    QPointer<QObject> m_walk; // under way, over the page of a view
    const engine::Document* m_outlinedOf = nullptr;
    quint64 m_outlinedAt = 0; // the page's version then
    std::vector<engine::Ref<engine::Element>> m_outlined;
};
