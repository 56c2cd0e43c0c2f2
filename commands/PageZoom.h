#pragma once

#include <QString>

// Shows the active page at a zoom ("25%" to "200%"; "100%" shows it as it
// is). Only the view scales: the page's markup is left as it is.
void SetPageZoom(const QString& zoomText);

// The zoom percentage of a zoom text ("150%" gives 150); 0 when the text is
// no percentage from 25 to 200.
int PageZoomPercent(const QString& zoomText);
