#include "commands/PropertyDispatch.h"

#include "res/resource.h"

namespace propertydispatch_detail {

struct Kind
{
    quint32 bits;
    int command;
    unsigned textId;
};

constexpr Kind kObjects[] = {
    {0x100 | 0x200, ID_COUNTER_PROPERTIES, IDS_COUNTER_PROPERTIES_ITEM},
    {0x8 | 0x2000, ID_IMAGE_PROPERTIES, IDS_IMAGE_PROPERTIES_ITEM},
    {0x400000 | 0x800000, ID_RULE_PROPERTIES, IDS_RULE_PROPERTIES_ITEM},
    {0x2000000 | 0x4000000, ID_MARQUEE_PROPERTIES, IDS_MARQUEE_PROPERTIES_ITEM},
};

constexpr Kind kLinks[] = {
    {0x20, ID_INSERT_HYPERLINK, IDS_HYPERLINK_ITEM},
    {0x40, ID_INSERT_WEB_BOARD, IDS_BOARD_LINK_ITEM},
    {0x80, ID_INSERT_GUEST_BOOK, IDS_GUEST_BOOK_LINK_ITEM},
};

template <size_t N> const Kind* firstOf(const Kind (&kinds)[N], quint32 mask)
{
    for (const Kind& kind : kinds) {
        if (mask & kind.bits)
            return &kind;
    }
    return nullptr;
}

} // namespace propertydispatch_detail

int ObjectPropertiesCommand(quint32 mask)
{
    const auto* kind = propertydispatch_detail::firstOf(propertydispatch_detail::kObjects, mask);
    return kind ? kind->command : 0;
}

unsigned ObjectPropertiesTextId(quint32 mask)
{
    const auto* kind = propertydispatch_detail::firstOf(propertydispatch_detail::kObjects, mask);
    return kind ? kind->textId : IDS_OBJECT_PROPERTIES_ITEM;
}

int LinkObjectPropertiesCommand(quint32 mask)
{
    const auto* kind = propertydispatch_detail::firstOf(propertydispatch_detail::kLinks, mask);
    return kind ? kind->command : 0;
}

unsigned LinkObjectPropertiesTextId(quint32 mask)
{
    const auto* kind = propertydispatch_detail::firstOf(propertydispatch_detail::kLinks, mask);
    return kind ? kind->textId : 0;
}
