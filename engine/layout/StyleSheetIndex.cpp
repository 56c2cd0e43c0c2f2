#include "engine/layout/StyleSheetIndex.h"

#include <memory>

namespace engine {

namespace stylesheetindex_detail {

thread_local std::unique_ptr<StyleSheetIndex> applying;
thread_local int depth = 0;

// Read declarations kept per thread; a page with many different inline
// rules does not make the table grow without end.
constexpr size_t kKeptDeclarations = 4096;

std::string lowerAscii(const char* text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return lower;
}

// The id (`isId`) or else the first class the last element of `selector`
// requires, in lower case; empty when it requires neither.
std::string keyOf(const litehtml::css_element_selector& selector, bool& isId)
{
    std::string firstClass;
    for (const litehtml::css_attribute_selector& a : selector.m_attrs) {
        if (a.condition != litehtml::select_equal)
            continue;
        if (a.attribute == "id" && !a.val.empty()) {
            isId = true;
            return lowerAscii(a.val.c_str());
        }
        // (A class selector, not [class=...], which is compared whole.)
        if (a.attribute == "class" && firstClass.empty() && !a.class_val.empty() && !a.class_val.front().empty())
            firstClass = lowerAscii(a.class_val.front().c_str());
    }
    isId = false;
    return firstClass;
}

} // namespace stylesheetindex_detail

StyleSheetIndex::StyleSheetIndex(const litehtml::css& sheet) : m_sheet(sheet)
{
    const auto& selectors = sheet.selectors();
    for (size_t i = 0; i < selectors.size(); ++i) {
        const auto place = static_cast<uint32_t>(i);
        bool isId = false;
        const std::string key = stylesheetindex_detail::keyOf(selectors[i]->m_right, isId);
        const std::string& tag = selectors[i]->m_right.m_tag;
        if (!key.empty())
            (isId ? m_byId : m_byClass)[key].push_back(place);
        else if (tag.empty() || tag == "*")
            m_anyTag.push_back(place);
        else
            m_byTag[tag].push_back(place);
    }
}

const StyleSheetIndex::Rules* StyleSheetIndex::find(const std::unordered_map<std::string, Rules>& rules,
                                                    const char* name, bool caseless)
{
    if (!name || !*name || rules.empty())
        return nullptr;
    const auto it = rules.find(caseless ? stylesheetindex_detail::lowerAscii(name) : std::string(name));
    return it == rules.end() ? nullptr : &it->second;
}

const StyleSheetIndex* StyleSheetIndex::current(const litehtml::css& sheet)
{
    const StyleSheetIndex* index = stylesheetindex_detail::applying.get();
    return index && &index->sheet() == &sheet ? index : nullptr;
}

StyleSheetIndex::Scope::Scope(const litehtml::css& sheet)
{
    using namespace stylesheetindex_detail;
    if (depth++ == 0)
        applying = std::make_unique<StyleSheetIndex>(sheet);
}

StyleSheetIndex::Scope::~Scope()
{
    using namespace stylesheetindex_detail;
    if (--depth == 0)
        applying.reset();
}

const litehtml::style* parsedDeclarations(const std::string& text, const std::string& baseUrl)
{
    using namespace stylesheetindex_detail;
    if (text.find("var(") != std::string::npos)
        return nullptr;
    thread_local std::unordered_map<std::string, std::unique_ptr<litehtml::style>> read;
    std::string key;
    key.reserve(text.size() + baseUrl.size() + 1);
    key.append(text).push_back('\0');
    key.append(baseUrl);
    auto it = read.find(key);
    if (it == read.end()) {
        if (read.size() >= kKeptDeclarations)
            read.clear();
        auto style = std::make_unique<litehtml::style>();
        style->add(text.c_str(), baseUrl.c_str(), nullptr);
        it = read.emplace(std::move(key), std::move(style)).first;
    }
    return it->second.get();
}

} // namespace engine
