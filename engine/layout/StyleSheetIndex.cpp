#include "engine/layout/StyleSheetIndex.h"

#include <memory>

namespace engine {

namespace stylesheetindex_detail {

thread_local std::unique_ptr<StyleSheetIndex> applying;
thread_local int depth = 0;

// Read declarations kept per thread; a page with many different inline
// rules does not make the table grow without end.
constexpr size_t kKeptDeclarations = 4096;

} // namespace stylesheetindex_detail

StyleSheetIndex::StyleSheetIndex(const litehtml::css& sheet) : m_sheet(sheet)
{
    const auto& selectors = sheet.selectors();
    for (size_t i = 0; i < selectors.size(); ++i) {
        const std::string& tag = selectors[i]->m_right.m_tag;
        if (tag.empty() || tag == "*")
            m_anyTag.push_back(static_cast<uint32_t>(i));
        else
            m_byTag[tag].push_back(static_cast<uint32_t>(i));
    }
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
