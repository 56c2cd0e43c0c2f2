#pragma once

#include <litehtml/litehtml.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

// The rules of a style sheet grouped by the tag their selector's last element
// names. litehtml tries every rule of a sheet on every element; a rule whose
// last element names another tag can never match, so an element need only
// try the rules of its own tag and those of any tag, in the sheet's order.
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
    // (its name as the element reports it), in the order of the sheet.
    template <class F> void forEachCandidate(const char* tag, F&& f) const
    {
        static const std::vector<uint32_t> none;
        const auto it = tag ? m_byTag.find(tag) : m_byTag.end();
        const std::vector<uint32_t>& own = it == m_byTag.end() ? none : it->second;
        const auto& selectors = m_sheet.selectors();
        size_t a = 0, b = 0;
        while (a < own.size() || b < m_anyTag.size()) {
            const bool takeOwn = b == m_anyTag.size() || (a < own.size() && own[a] < m_anyTag[b]);
            f(selectors[takeOwn ? own[a++] : m_anyTag[b++]]);
        }
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
    const litehtml::css& m_sheet;
    std::unordered_map<std::string, std::vector<uint32_t>> m_byTag;
    std::vector<uint32_t> m_anyTag;
};

// The declarations of a rule as litehtml reads them, read once per thread
// and text: litehtml reads a rule's text again for every element it applies
// to. Null when the declarations depend on the element (custom properties).
const litehtml::style* parsedDeclarations(const std::string& text, const std::string& baseUrl);

} // namespace engine
