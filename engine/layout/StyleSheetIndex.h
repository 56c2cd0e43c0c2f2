#pragma once

#include <litehtml/litehtml.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

// The rules of a style sheet grouped by what their selector's last element
// requires: an id, else a class, else a tag. litehtml tries every rule of a
// sheet on every element; a rule whose last element names another id, a
// class the element does not have or another tag can never match, so an
// element need only try the rules of its id, of its classes, of its own tag
// and those that require none of these, in the sheet's order. (litehtml
// compares ids and classes without regard to ASCII case: so does the index.)
//
// While a sheet is applied to a page (from the element where its application
// starts down the whole tree, see Scope), the index of that sheet is at hand
// on the thread that applies it.
class StyleSheetIndex
{
public:
    explicit StyleSheetIndex(const litehtml::css& sheet);

    const litehtml::css& sheet() const { return m_sheet; }

    // Calls `f` with each selector that may match an element of this tag
    // (its name as the element reports it), id (null: none) and classes, in
    // the order of the sheet.
    template <class F>
    void forEachCandidate(const char* tag, const char* id, const std::vector<std::string>& classes, F&& f) const
    {
        const auto& selectors = m_sheet.selectors();
        forEachIndex(tag, id, classes, [&](uint32_t i) { f(selectors[i]); });
    }
    // The same for an element without id or classes.
    template <class F> void forEachCandidate(const char* tag, F&& f) const
    {
        static const std::vector<std::string> none;
        forEachCandidate(tag, nullptr, none, std::forward<F>(f));
    }

    // The index of `sheet` while it is being applied on this thread; null
    // outside an application of it.
    static const StyleSheetIndex* current(const litehtml::css& sheet);

    // Marks an application of a sheet to an element and all it holds: the
    // outermost one on a thread indexes the sheet for the time it lasts.
    class Scope
    {
    public:
        explicit Scope(const litehtml::css& sheet);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

private:
    using Rules = std::vector<uint32_t>; // places in the sheet, in order
    // Merges the lists that apply in the sheet's order (a rule stands in one
    // list; a class the element names twice gives its rules once).
    template <class G>
    void forEachIndex(const char* tag, const char* id, const std::vector<std::string>& classes, G&& g) const
    {
        const Rules* lists[8];
        size_t count = 0;
        std::vector<const Rules*> more;
        const auto add = [&](const Rules* rules) {
            if (!rules || rules->empty())
                return;
            if (count < std::size(lists))
                lists[count++] = rules;
            else
                more.push_back(rules);
        };
        add(&m_anyTag);
        add(find(m_byTag, tag, false));
        add(find(m_byId, id, true));
        for (const std::string& name : classes)
            add(find(m_byClass, name.c_str(), true));
        if (!more.empty()) {
            more.insert(more.begin(), lists, lists + count);
            return merge(more.data(), more.size(), g);
        }
        merge(lists, count, g);
    }
    template <class G> static void merge(const Rules* const* lists, size_t count, G&& g)
    {
        size_t at[8] = {};
        std::vector<size_t> moreAt(count > std::size(at) ? count : 0);
        size_t* next = count > std::size(at) ? moreAt.data() : at;
        uint64_t last = ~uint64_t(0);
        while (true) {
            size_t least = count;
            for (size_t k = 0; k < count; ++k) {
                if (next[k] < lists[k]->size() &&
                    (least == count || (*lists[k])[next[k]] < (*lists[least])[next[least]]))
                    least = k;
            }
            if (least == count)
                return;
            const uint32_t i = (*lists[least])[next[least]++];
            if (i != last)
                g(i);
            last = i;
        }
    }
    // The rules keyed by `name` (ids and classes: in lower case); null when
    // none.
    static const Rules* find(const std::unordered_map<std::string, Rules>& rules, const char* name, bool caseless);

    const litehtml::css& m_sheet;
    std::unordered_map<std::string, Rules> m_byId;
    std::unordered_map<std::string, Rules> m_byClass;
    std::unordered_map<std::string, Rules> m_byTag;
    Rules m_anyTag;
};

// The declarations of a rule as litehtml reads them, read once per thread
// and text: litehtml reads a rule's text again for every element it applies
// to. Null when the declarations depend on the element (custom properties).
const litehtml::style* parsedDeclarations(const std::string& text, const std::string& baseUrl);

} // namespace engine
