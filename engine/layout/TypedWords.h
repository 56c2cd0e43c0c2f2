#pragma once

#include <litehtml/litehtml.h>

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The words litehtml holds of the text node last typed in, among the
// children of the element that holds them: where each ends in the text's
// UTF-8 bytes. A key in a long paragraph finds the words it changes from
// these, rather than from the text of every word read again (and the words
// are known to be the text's from the key before, which made them).
class TypedWords
{
public:
    // The words after `marker`, the comment before text node `textNodeId`
    // at `markerAt` among `children`, are `text` (as the parser reads it;
    // `bytes` in UTF-8), each of `lengths` bytes.
    TypedWords(int textNodeId, const std::shared_ptr<litehtml::element>& marker, size_t markerAt,
               const litehtml::elements_vector& children, std::string bytes, QString text,
               const std::vector<size_t>& lengths);

    // Whether they are still the words of text node `textNodeId`, whose text
    // is `text`, after `marker` among `children`.
    bool holds(int textNodeId, const litehtml::element& marker, const litehtml::elements_vector& children,
               const QString& text) const;

    // Where a text's words change when the text becomes another: the
    // bytes [from, to) of the words before, [from, toAfter) of the words
    // after, widened from the characters that differ to white space on both
    // sides (or the ends). litehtml's words break at every white space
    // character alike, whatever stands around it (see
    // PageContainer::split_text): the words outside are those the whole
    // text splits into.
    struct Change
    {
        size_t from = 0;
        size_t to = 0;
        size_t toAfter = 0;
    };
    static Change changeBetween(std::string_view before, std::string_view after);

    size_t markerAt() const { return m_markerAt; }
    size_t count() const { return m_ends.size(); }
    const std::string& bytes() const { return m_bytes; }
    // Where word `word` begins (the text's length for count()).
    size_t startOf(size_t word) const { return word == 0 ? 0 : m_ends[word - 1]; }
    // The first word that begins at byte `at` or after it (count() when
    // none does).
    size_t firstFrom(size_t at) const;

    // The words [from, to) were replaced by words of `lengths` bytes: the
    // text is now `text` (`bytes`), its element holds `children` children.
    void replace(size_t from, size_t to, const std::vector<size_t>& lengths, std::string bytes, QString text,
                 size_t children);

private:
    int m_textNodeId;
    std::weak_ptr<litehtml::element> m_marker;
    size_t m_markerAt;
    size_t m_children;
    std::string m_bytes;
    QString m_text;
    std::vector<size_t> m_ends;
};

} // namespace engine
