#include "web/SitePageOperations.h"

#include "util/PageLinks.h"

void ApplyBodyAttributesToSitePages(const QString& background, const QString& bgColor, const QString& text,
                                    const QString& link, const QString& aLink, const QString& vLink)
{
    WriteBodyAttributes(nullptr, background, bgColor, text, link, aLink, vLink);
}
