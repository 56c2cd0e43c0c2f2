#pragma once

#include "engine/layout/DocumentMode.h"
#include "engine/layout/FontCatalog.h"

#include <litehtml/litehtml.h>

#include <QCache>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

class QGlyphRun;
class QPainter;
class QPointF;
class QColor;

namespace engine {

// litehtml's window on the world: fonts through QFont, images through QImage
// from the page's folder, and every drawing call on the QPainter passed as the
// drawing context. One container serves one layout document (and the
// documents its parts were read into, on several threads at once: what they
// ask while being read, fonts, widths, images and style sheets, may be asked
// from any thread).
class PageContainer final : public litehtml::document_container
{
public:
    PageContainer();
    ~PageContainer();

    // Relative image and style sheet addresses resolve against this folder.
    void setBaseFolder(const QString& folder);
    const QString& baseFolder() const { return m_baseFolder; }

    // The area the page is shown in (media queries, the root background).
    void setViewportSize(QSize size) { m_viewport = size; }

    // The mode the page is laid out in (quirks mode unless told).
    void setDocumentMode(DocumentMode mode) { m_mode = mode; }
    DocumentMode documentMode() const { return m_mode; }

    FontCatalog& fonts() { return m_fonts; }

    // The local file an image or style sheet address stands for, or empty
    // when it is not a local file (network addresses are not fetched here).
    QString resolvePath(const QString& src, const QString& baseUrl = QString()) const;
    // The image at an address, loaded once; null when it cannot be read.
    QImage image(const QString& src, const QString& baseUrl = QString());

    // Style sheets are read once for each reading of a page: until
    // forgetStyleSheets(), a sheet asked for again (by a run of blocks read
    // apart from the page) gives the rules the page was read with, also
    // when its file changed or came or went since.
    void forgetStyleSheets();
    // Whether the rules of the style sheet at an address allow reading the
    // page in parts (see LayoutSerializer::styleSheetAllowsParts); a sheet
    // that cannot be read holds no rules.
    bool styleSheetAllowsParts(const QString& href);
    // The same for every style sheet read since forgetStyleSheets().
    bool styleSheetsAllowParts() const;

    // Painters the engine runs after an element's background and before its
    // content (TD, BODY and IMG call it with their node id and border box).
    using BelowContentHook = std::function<void(QPainter&, int nodeId, const QRect& borderBox)>;
    void setBelowContentHook(BelowContentHook hook) { m_belowContent = std::move(hook); }
    const BelowContentHook& belowContentHook() const { return m_belowContent; }
    void paintBelowContent(litehtml::uint_ptr hdc, int nodeId, const QRect& borderBox);

    // The effect an image's style filter asks for, applied to the next image
    // drawn (set and cleared around the image by its element).
    void setImageFilter(const QString& filter) { m_imageFilter = filter; }

    // Brackets one drawing pass: clips set by the layout apply to this painter
    // and are all undone at the end.
    void beginDraw(QPainter* painter);
    void endDraw();

    // Placeholder drawing for boxes the layout cannot show (form controls,
    // plug-ins, images that failed to load).
    void drawPlaceholder(litehtml::uint_ptr hdc, const QRect& box, const QString& label, int kind);
    enum PlaceholderKind {
        PlaceholderObject,
        PlaceholderField,
        PlaceholderButton,
        PlaceholderCheck,
        PlaceholderRadio,
        PlaceholderList,
        PlaceholderBrokenImage
    };

    // Width and height of the box shown for an image that cannot be loaded.
    static constexpr int kBrokenImageSize = 16;

    // litehtml::document_container
    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight, litehtml::font_style italic,
                                   unsigned int decoration, litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr hFont) override;
    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) override;
    void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr hFont,
                   litehtml::web_color color, const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const litehtml::tchar_t* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool redraw_on_ready) override;
    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, litehtml::size& sz) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& draw_pos,
                      bool root) override;
    void set_caption(const litehtml::tchar_t* caption) override;
    void set_base_url(const litehtml::tchar_t* base_url) override;
    void link(const std::shared_ptr<litehtml::document>& doc, const litehtml::element::ptr& el) override;
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
    void set_cursor(const litehtml::tchar_t* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& bdr_radius, bool valid_x,
                  bool valid_y) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element> create_element(const litehtml::tchar_t* tag_name,
                                                      const litehtml::string_map& attributes,
                                                      const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;
    void split_text(const char* text, const std::function<void(const litehtml::tchar_t*)>& on_word,
                    const std::function<void(const litehtml::tchar_t*)>& on_space) override;

    // A style sheet's text in the layout text begins with this mark, after
    // its STYLE's start tag: it is read whole, not split into words as text
    // to be shown is (a long sheet would make a word object of each).
    static constexpr std::string_view kStyleSheetMark = "/*sheet*/";

    // Whether a character is a line-break opportunity on both sides (CJK).
    static bool isCjkBreakable(char32_t c);
    // Whether a character must not start a line (closing CJK punctuation).
    static bool isCjkNoLineStart(char32_t c);

private:
    // A run's underline, strike-out and overline, drawn at the run.
    static void drawTextLines(QPainter& p, const QPointF& origin, const QGlyphRun& run, const QColor& color);
    // The picture scaled to the size and changed by the image filter, kept per picture, size and filter text so that
    // scrolling and drags do not compute it again.
    QPixmap filteredPicture(const QString& key, const QImage& img, QSize size);

    FontCatalog m_fonts;
    QString m_baseFolder;
    QSize m_viewport{800, 600};
    DocumentMode m_mode = DocumentMode::Quirks;
    QHash<QString, QImage> m_images;
    std::mutex m_imagesLock; // (the parts of a long page are read on several threads)
    struct StyleSheet
    {
        std::string text; // as litehtml reads it
        std::string folder;
        bool allowsParts = true;
    };
    // The sheet at a local path, read when first asked for.
    StyleSheet styleSheet(const QString& path);
    QHash<QString, StyleSheet> m_styleSheets;
    mutable std::mutex m_styleSheetsLock;
    BelowContentHook m_belowContent;
    QString m_imageFilter;
    // Pixels of filtered pictures kept at most.
    static constexpr qint64 kFilteredCacheCost = 32 * 1024 * 1024;
    QCache<QString, QPixmap> m_filtered{kFilteredCacheCost};
    QPainter* m_drawPainter = nullptr;
    int m_clipDepth = 0;
};

QPainter* painterOf(litehtml::uint_ptr hdc);
QRect toQRect(const litehtml::position& pos);
QColor toQColor(const litehtml::web_color& color);

} // namespace engine
