#include "engine/dom/Variant.h"

#include "engine/dom/Element.h"

namespace engine {

Variant::Variant() = default;
Variant::Variant(bool b) : m_type(Type::Bool)
{
    m_num.b = b;
}
Variant::Variant(int i) : m_type(Type::Int)
{
    m_num.i = i;
}
Variant::Variant(unsigned int i) : m_type(Type::Int)
{
    m_num.i = i;
}
Variant::Variant(long long i) : m_type(Type::Int)
{
    m_num.i = i;
}
Variant::Variant(double d) : m_type(Type::Double)
{
    m_num.d = d;
}
Variant::Variant(const QString& s) : m_type(Type::String), m_str(s) {}
Variant::Variant(const char* s) : m_type(Type::String), m_str(QString::fromUtf8(s)) {}
Variant::Variant(Element* e) : m_type(e ? Type::Element : Type::Null), m_el(e) {}
Variant::Variant(const Ref<Element>& e) : Variant(e.get()) {}
Variant::Variant(const Variant& o) = default;
Variant& Variant::operator=(const Variant& o) = default;
Variant::~Variant() = default;

Variant Variant::null()
{
    Variant v;
    v.m_type = Type::Null;
    return v;
}

Variant Variant::styleOf(Element* e)
{
    Variant v(e);
    if (e)
        v.m_type = Type::Style;
    return v;
}

bool Variant::toBool() const
{
    switch (m_type) {
    case Type::Bool:
        return m_num.b;
    case Type::Int:
        return m_num.i != 0;
    case Type::Double:
        return m_num.d != 0;
    case Type::String:
        return !m_str.isEmpty() && m_str.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
    case Type::Element:
    case Type::Style:
        return true;
    default:
        return false;
    }
}

int Variant::toInt(bool* ok) const
{
    bool good = true;
    int r = 0;
    switch (m_type) {
    case Type::Bool:
        r = m_num.b ? 1 : 0;
        break;
    case Type::Int:
        r = int(m_num.i);
        break;
    case Type::Double:
        r = int(m_num.d);
        break;
    case Type::String:
        r = m_str.trimmed().toInt(&good);
        break;
    default:
        good = false;
    }
    if (ok)
        *ok = good;
    return good ? r : 0;
}

double Variant::toDouble(bool* ok) const
{
    if (m_type == Type::Double) {
        if (ok)
            *ok = true;
        return m_num.d;
    }
    if (m_type == Type::String)
        return m_str.trimmed().toDouble(ok);
    return toInt(ok);
}

QString Variant::toString() const
{
    switch (m_type) {
    case Type::Bool:
        return m_num.b ? QStringLiteral("true") : QStringLiteral("false");
    case Type::Int:
        return QString::number(m_num.i);
    case Type::Double:
        return QString::number(m_num.d);
    case Type::String:
        return m_str;
    default:
        return QString();
    }
}

Element* Variant::toElement() const
{
    return m_type == Type::Element ? m_el.get() : nullptr;
}

Style* Variant::toStyle() const
{
    return m_type == Type::Style ? &m_el->style() : nullptr;
}

bool Variant::operator==(const Variant& o) const
{
    if (m_type != o.m_type)
        return false;
    switch (m_type) {
    case Type::Bool:
        return m_num.b == o.m_num.b;
    case Type::Int:
        return m_num.i == o.m_num.i;
    case Type::Double:
        return m_num.d == o.m_num.d;
    case Type::String:
        return m_str == o.m_str;
    case Type::Element:
    case Type::Style:
        return m_el == o.m_el;
    default:
        return true;
    }
}

} // namespace engine
