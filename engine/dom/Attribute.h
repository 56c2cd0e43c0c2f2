#pragma once

#include <QString>

namespace engine {

// One attribute as written: its name keeps the case of its first writing;
// `hasValue` is false for a bare attribute (`noWrap`).
struct Attribute
{
    QString name;
    QString value;
    bool hasValue = true;

    bool operator==(const Attribute&) const = default;
};

} // namespace engine
