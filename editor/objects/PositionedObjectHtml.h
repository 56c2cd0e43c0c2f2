#pragma once

#include <QSize>
#include <QString>

// The HTML of the absolutely positioned objects the insertion tools place on
// a page: one template per kind of object, with the object's Z-INDEX, LEFT
// and TOP in its inline style. The paste, the drag copy and the moving code
// read these style texts back.

// What an armed insertion tool asks for: the main frame's insertion state
// and the sink's default-width flags.
struct InsertRequest
{
    int kind = 0;      // 1 text box, 2 image, 3 media, 4 table, 6 roll-over, 7 rule, 9 marquee, 10 text object
    QSize size;        // the insertion rectangle's width and height
    QString imageSrc;  // kind 2 and 6: the image; a counter image's address or whole IMG tag
    int imageFlag = 0; // kind 2: 0 an image file, 1 a counter image
    QString mediaSrc;  // kind 3: the media file or a counter's whole EMBED tag; kind 6: the link's target
    int mediaType = 0; // kind 3: 0 Flash, 1 Shockwave, 2 Media Player, 3 Real Audio, 4 counter; kind 6: 0
    bool mediaAutoPlay = false;
    bool mediaLoop = false;
    QString html;     // kind 4: the rest of the TABLE start tag and its content; kind 6: extra IMG attributes
    QString linkHref; // kind 6: the link's address, empty for none
    bool hrDefaultWidth = true;
    bool marqueeDefaultWidth = true;
    QSize rollOverSize; // kind 6: the image file's pixel size
};

// The HTML and the tag of the placeholder it replaces. `built` is false for
// the kinds that build nothing (5, 8 and unknown kinds); a kind whose variant
// is unknown (an image or media kind outside the lists, a roll-over with a
// media type other than 0) is built with an empty HTML.
struct InsertHtml
{
    QString html;
    QString tag;
    bool built = false;
};

InsertHtml BuildPositionedObjectHtml(const InsertRequest& request, int zIndex, int x, int y);

// A counter's stored IMG or EMBED tag with the position style and its id
// ("ImageCounter", "FlashCounter") put in; the stored text keeps its own case.
QString SpliceCounterImage(const QString& tag, int zIndex, int x, int y);
QString SpliceCounterEmbed(const QString& tag, int zIndex, int x, int y);

// A text for a double-quoted attribute value: "&" and '"' escaped.
QString HtmlAttributeText(const QString& value);
