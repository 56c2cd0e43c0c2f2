#pragma once

#include "engine/dom/Ref.h"
#include "platform/Hresult.h"

#include <QString>
#include <QStringList>

class CZQView;

namespace engine {
class Document;
class Element;
} // namespace engine

// Client-side image maps of the live page: an IMG's usemap names a MAP by
// its name ("ULOMap" and a number for the maps the editor makes). While a
// page is edited its IMG usemap values are kept without their leading "#";
// usemap values compare in their "#" form, names without regard to case.

// The first element of the active page, in document order, with the tag whose
// attribute equals the value: 0 with it, -1 with none. The MAP of a name is
// ("MAP", "name", name); the IMG that uses a map is ("IMG", "usemap", "#name").
HRESULT FindImagesUsingMap(const QString& tagName, const QString& attributeName, const QString& value,
                           engine::Ref<engine::Element>& element);

// The first "ULOMap<n>" (n = 0, 1, ...) that no MAP of the active page is
// named and that is not among the reserved names. Without a page the name is
// left as it was.
void MakeUniqueMapName(QString& name, const QStringList& reserved = {});

// Deletes the objects selected in the active page, as one undo step: each with
// the link around it when it is that link's only content, and the image map
// of a deleted IMG when no image left in the page uses it.
void RemoveImageMap();

// Removes the links (their content stays), MAP and AREA elements and IMG
// usemap values of a page whose content comes from another folder (the
// view's imported flag; the active view when none is given), as one undo step.
// Does nothing for any other page.
void StripLinksAndImageMaps(engine::Document* document, CZQView* view = nullptr);
