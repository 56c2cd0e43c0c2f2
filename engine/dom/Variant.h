#pragma once

#include "engine/dom/Ref.h"

#include <QString>

namespace engine {

class Element;
class Style;

// The value of an attribute, a property or a command argument: empty, null,
// bool, int, double, string or element (the style object is reached through
// its element).
class Variant
{
public:
    enum class Type { Empty, Null, Bool, Int, Double, String, Element, Style };

    Variant();
    Variant(bool b);
    Variant(int i);
    Variant(unsigned int i);
    Variant(long long i);
    Variant(double d);
    Variant(const QString& s);
    Variant(const char* s);
    Variant(Element* e);
    Variant(const Ref<Element>& e);
    Variant(const Variant& o);
    Variant& operator=(const Variant& o);
    ~Variant();

    static Variant null();
    // The style object of an element, as getAttribute("style") hands it out.
    static Variant styleOf(Element* e);

    Type type() const { return m_type; }
    bool isEmpty() const { return m_type == Type::Empty; }
    bool isNull() const { return m_type == Type::Null; }
    bool isBool() const { return m_type == Type::Bool; }
    bool isInt() const { return m_type == Type::Int; }
    bool isDouble() const { return m_type == Type::Double; }
    bool isString() const { return m_type == Type::String; }
    bool isElement() const { return m_type == Type::Element; }
    bool isStyle() const { return m_type == Type::Style; }
    bool isNumber() const { return m_type == Type::Int || m_type == Type::Double; }

    bool toBool() const;
    // Numbers as they are, bools as 0/1, texts read as a decimal integer.
    int toInt(bool* ok = nullptr) const;
    double toDouble(bool* ok = nullptr) const;
    // Texts as they are, numbers in decimal, bools as "true"/"false", null
    // and empty as an empty text.
    QString toString() const;
    Element* toElement() const;
    Style* toStyle() const;

    bool operator==(const Variant& o) const;
    bool operator!=(const Variant& o) const { return !(*this == o); }

private:
    Type m_type = Type::Empty;
    union {
        bool b;
        long long i;
        double d;
    } m_num{};
    QString m_str;
    Ref<Element> m_el;
};

} // namespace engine
