#pragma once

// litehtml with the least container that lays out and paints text: the
// figure the engine's own layout is held against.

#include <litehtml/litehtml.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <memory>
#include <vector>

namespace bench_pages {

// No caches, no element classes of ours.
class BareContainer : public litehtml::document_container
{
public:
    std::vector<std::unique_ptr<QFont>> fonts;
    litehtml::uint_ptr create_font(const char* face, int size, int weight, litehtml::font_style italic, unsigned,
                                   litehtml::font_metrics* fm) override
    {
        auto f = std::make_unique<QFont>(QString::fromUtf8(face));
        f->setPixelSize(size);
        f->setWeight(static_cast<QFont::Weight>(weight));
        f->setItalic(italic == litehtml::fontStyleItalic);
        QFontMetrics m(*f);
        if (fm) {
            fm->ascent = m.ascent();
            fm->descent = m.descent();
            fm->height = m.height();
            fm->x_height = m.xHeight();
            fm->draw_spaces = false;
        }
        fonts.push_back(std::move(f));
        return fonts.size();
    }
    void delete_font(litehtml::uint_ptr) override {}
    int text_width(const char* text, litehtml::uint_ptr h) override
    {
        return QFontMetrics(*fonts[h - 1]).horizontalAdvance(QString::fromUtf8(text));
    }
    void draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr h, litehtml::web_color c,
                   const litehtml::position& pos) override
    {
        auto* p = reinterpret_cast<QPainter*>(hdc);
        p->setFont(*fonts[h - 1]);
        p->setPen(QColor(c.red, c.green, c.blue));
        p->drawText(pos.x, pos.y + QFontMetrics(*fonts[h - 1]).ascent(), QString::fromUtf8(text));
    }
    int pt_to_px(int pt) const override { return pt * 96 / 72; }
    int get_default_font_size() const override { return 16; }
    const char* get_default_font_name() const override { return "IPAPGothic"; }
    void draw_list_marker(litehtml::uint_ptr, const litehtml::list_marker&) override {}
    void load_image(const char*, const char*, bool) override {}
    void get_image_size(const char*, const char*, litehtml::size& sz) override { sz.width = sz.height = 0; }
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override
    {
        if (bg.color.alpha)
            reinterpret_cast<QPainter*>(hdc)->fillRect(bg.clip_box.x, bg.clip_box.y, bg.clip_box.width,
                                                       bg.clip_box.height,
                                                       QColor(bg.color.red, bg.color.green, bg.color.blue));
    }
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& b, const litehtml::position& pos, bool) override
    {
        if (b.top.width)
            reinterpret_cast<QPainter*>(hdc)->drawRect(pos.x, pos.y, pos.width - 1, pos.height - 1);
    }
    void set_caption(const char*) override {}
    void set_base_url(const char*) override {}
    void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
    void on_anchor_click(const char*, const litehtml::element::ptr&) override {}
    void set_cursor(const char*) override {}
    void transform_text(litehtml::tstring&, litehtml::text_transform) override {}
    void import_css(litehtml::tstring&, const litehtml::tstring&, litehtml::tstring&) override {}
    void set_clip(const litehtml::position&, const litehtml::border_radiuses&, bool, bool) override {}
    void del_clip() override {}
    void get_client_rect(litehtml::position& client) const override { client = litehtml::position(0, 0, 800, 600); }
    std::shared_ptr<litehtml::element> create_element(const char*, const litehtml::string_map&,
                                                      const std::shared_ptr<litehtml::document>&) override
    {
        return nullptr;
    }
    void get_media_features(litehtml::media_features& media) const override
    {
        media.type = litehtml::media_type_screen;
        media.width = media.device_width = 800;
        media.height = media.device_height = 600;
    }
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override
    {
        language = "ja";
        culture = "ja-JP";
    }
};

} // namespace bench_pages
