#include "engine/layout/MovedWords.h"

#include "engine/layout/LayoutElements.h"
#include "engine/layout/TypedWords.h"

#include <litehtml/el_space.h>
#include <litehtml/el_text.h>

#include <algorithm>
#include <cstring>

namespace engine {

namespace movedwords_detail {

bool isWord(const litehtml::element& el)
{
    return el.get_display() == litehtml::display_inline_text && !el.is_comment();
}

// White space marked as standing at its box's edge stays there: it is
// made anew where a text is taken over.
bool isEdgeSpace(const litehtml::element& el)
{
    return dynamic_cast<const layoutelements_detail::EdgeSpace*>(&el) != nullptr;
}

} // namespace movedwords_detail

size_t MovedWords::Old::wordAt(size_t at) const
{
    if (at == 0)
        return 0;
    const auto found = std::lower_bound(ends.begin(), ends.end(), at);
    return found != ends.end() && *found == at ? static_cast<size_t>(found - ends.begin()) + 1 : count + 1;
}

MovedWords::MovedWords(const std::vector<std::shared_ptr<litehtml::element>>& old)
{
    for (const auto& el : old)
        collect(*el);
}

MovedWords::~MovedWords() = default;

size_t MovedWords::leastShared()
{
    const size_t least = leastForTests().load(std::memory_order_relaxed);
    return least ? least : kLeastShared;
}

size_t MovedWords::leftOutFrom()
{
    const size_t least = leastForTests().load(std::memory_order_relaxed);
    return least ? least : kLeftOutFrom;
}

void MovedWords::addCut(const std::shared_ptr<litehtml::element>& box, litehtml::elements_vector words,
                        std::string bytes)
{
    if (bytes.size() < leastShared() || words.empty())
        return;
    m_cut.push_back(std::make_unique<litehtml::elements_vector>(std::move(words)));
    m_boxesOfCut.push_back(box);
    Old text;
    text.box = box.get();
    text.words = m_cut.back().get();
    text.cut = true;
    text.count = text.words->size();
    text.back = text.count;
    text.bytes = std::move(bytes);
    size_t end = 0;
    std::string one;
    for (const auto& word : *text.words) {
        one.clear();
        word->get_text(one);
        text.ends.push_back(end += one.size());
    }
    if (end == text.bytes.size())
        m_old.push_back(std::move(text));
}

void MovedWords::collect(litehtml::element& el)
{
    using movedwords_detail::isWord;
    const litehtml::elements_vector& children = childrenOf(el);
    for (size_t i = 0; i < children.size(); ++i) {
        litehtml::element& child = *children[i];
        if (!child.is_comment()) {
            if (!isWord(child))
                collect(child);
            continue;
        }
        // A text's words follow the comment that marks where it begins.
        Old text;
        text.box = &el;
        text.words = &children;
        text.first = i + 1;
        size_t end = text.first;
        while (end < children.size() && isWord(*children[end]))
            ++end;
        text.count = end - text.first;
        for (size_t w = text.first; w < end; ++w) {
            children[w]->get_text(text.bytes);
            text.ends.push_back(text.bytes.size());
        }
        text.back = text.count;
        if (text.bytes.size() >= leastShared())
            m_old.push_back(std::move(text));
        i = end - 1;
    }
}

bool MovedWords::sameWords(const Old& old, litehtml::element& box) const
{
    // A word's element holds its measure in its box's font, its case and
    // whether it is white space or a break as its box's white space says.
    if (old.box == &box)
        return true;
    const char* transform = old.box->get_style_property("text-transform", true, "none");
    const char* transformNow = box.get_style_property("text-transform", true, "none");
    return old.box->get_font(nullptr) == box.get_font(nullptr) && old.box->get_white_space() == box.get_white_space() &&
           transform && transformNow && std::strcmp(transform, transformNow) == 0;
}

litehtml::elements_vector MovedWords::wordsOf(litehtml::element& box, const std::string& text,
                                              litehtml::document_container& container,
                                              const std::shared_ptr<litehtml::document>& doc)
{
    using movedwords_detail::isEdgeSpace;
    // The old text it begins as (the most bytes), and the one it ends as.
    Old* head = nullptr;
    size_t headWords = 0;
    size_t headBytes = 0;
    Old* tail = nullptr;
    size_t tailFrom = 0;
    size_t tailBytesFrom = text.size();
    const size_t least = leastShared();
    if (text.size() >= least) {
        for (Old& old : m_old) {
            if (!sameWords(old, box))
                continue;
            TypedWords::Change change = TypedWords::changeBetween(old.bytes, text);
            // (A text as it was is taken whole.)
            const bool same = old.bytes == text;
            const size_t to = same ? old.count : old.wordAt(change.from);
            if (same)
                change.from = text.size();
            if (old.front == 0 && to <= old.back && change.from >= least && change.from > headBytes) {
                head = &old;
                headWords = to;
                headBytes = change.from;
            }
            const size_t from = old.wordAt(change.to);
            if (old.back == old.count && from <= old.count && from >= old.front &&
                text.size() - change.toAfter >= least && change.toAfter < tailBytesFrom) {
                tail = &old;
                tailFrom = from;
                tailBytesFrom = change.toAfter;
            }
        }
    }
    // (Both from one old text: as the change between them says; from two:
    // the end taken after the beginning.)
    if (head && tail && head != tail && tailBytesFrom < headBytes)
        tail = nullptr;
    if (head == tail && head && tailFrom < headWords)
        tail = nullptr;
    if (!tail)
        tailBytesFrom = text.size();
    // The edges taken over, less their white space marked as at an edge.
    size_t headFrom = 0;
    size_t headBytesFrom = 0;
    if (head) {
        const litehtml::elements_vector& children = *head->words;
        if (headWords > 0 && isEdgeSpace(*children[head->first]))
            headFrom = 1;
        while (headWords > headFrom && isEdgeSpace(*children[head->first + headWords - 1]))
            --headWords;
        headBytesFrom = head->startOf(headFrom);
        headBytes = head->startOf(headWords);
    }
    size_t tailTo = tail ? tail->count : 0;
    size_t tailBytesTo = text.size();
    if (tail) {
        const litehtml::elements_vector& children = *tail->words;
        if (tailTo > tailFrom && isEdgeSpace(*children[tail->first + tailTo - 1]))
            --tailTo;
        while (tailFrom < tailTo && isEdgeSpace(*children[tail->first + tailFrom]))
            ++tailFrom;
        // (The old text's end is the text's.)
        tailBytesFrom = text.size() - (tail->bytes.size() - tail->startOf(tailFrom));
        tailBytesTo = text.size() - (tail->bytes.size() - tail->startOf(tailTo));
    }
    if (!head || headWords <= headFrom) {
        head = nullptr;
        headBytesFrom = headBytes = 0;
    }
    if (!tail || tailTo <= tailFrom) {
        tail = nullptr;
        tailBytesFrom = tailBytesTo = text.size();
    }

    const std::shared_ptr<litehtml::element> owner = box.shared_from_this();
    litehtml::elements_vector words;
    const auto make = [&](size_t from, size_t to) {
        if (to <= from)
            return;
        const std::string part = text.substr(from, to - from);
        const size_t at = words.size();
        makeWords(container, doc, part.c_str(), words);
        for (size_t w = at; w < words.size(); ++w) {
            words[w]->parent(owner);
            words[w]->parse_styles(false);
        }
    };
    const auto takeOver = [&](Old& old, size_t from, size_t to) {
        const litehtml::elements_vector& children = *old.words;
        const auto first = children.begin() + static_cast<std::ptrdiff_t>(old.first + from);
        for (auto w = first; w != first + static_cast<std::ptrdiff_t>(to - from); ++w) {
            (*w)->parent(owner);
            words.push_back(*w);
        }
        m_taken += to - from;
    };
    make(0, headBytesFrom);
    if (head) {
        takeOver(*head, headFrom, headWords);
        head->front = headWords;
    }
    make(headBytes, tailBytesFrom);
    if (tail) {
        takeOver(*tail, tailFrom, tailTo);
        tail->back = tailFrom;
    }
    make(tailBytesTo, text.size());
    return words;
}

void MovedWords::take()
{
    // (From the last words of each box on, so that the first stand where
    // they were found.)
    std::vector<Old*> taken;
    for (Old& old : m_old) {
        if ((old.front > 0 || old.back < old.count) && !old.cut)
            taken.push_back(&old);
    }
    std::sort(taken.begin(), taken.end(),
              [](const Old* a, const Old* b) { return a->box != b->box ? a->box < b->box : a->first > b->first; });
    for (Old* old : taken) {
        auto& children = const_cast<litehtml::elements_vector&>(childrenOf(*old->box));
        const auto first = children.begin() + static_cast<std::ptrdiff_t>(old->first);
        children.erase(first + static_cast<std::ptrdiff_t>(old->back), first + static_cast<std::ptrdiff_t>(old->count));
        children.erase(first, first + static_cast<std::ptrdiff_t>(old->front));
    }
}

void MovedWords::makeWords(litehtml::document_container& container, const std::shared_ptr<litehtml::document>& doc,
                           const char* text, litehtml::elements_vector& words, std::vector<size_t>* lengths)
{
    container.split_text(
        text,
        [&](const char* word) {
            words.push_back(std::make_shared<litehtml::el_text>(word, doc));
            if (lengths)
                lengths->push_back(std::strlen(word));
        },
        [&](const char* space) {
            words.push_back(std::make_shared<litehtml::el_space>(space, doc));
            if (lengths)
                lengths->push_back(std::strlen(space));
        });
}

} // namespace engine
