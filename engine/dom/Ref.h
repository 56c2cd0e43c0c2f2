#pragma once

#include <utility>

namespace engine {

// A counted reference to an engine object (a node). The object stays alive as
// long as one Ref to it exists; a Ref may be null.
template <class T> class Ref
{
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(T* p) : m_p(p)
    {
        if (m_p)
            m_p->ref();
    }
    Ref(const Ref& o) : m_p(o.m_p)
    {
        if (m_p)
            m_p->ref();
    }
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    template <class U> Ref(const Ref<U>& o) : m_p(o.get())
    {
        if (m_p)
            m_p->ref();
    }
    ~Ref()
    {
        if (m_p)
            m_p->deref();
    }

    Ref& operator=(const Ref& o)
    {
        Ref(o).swap(*this);
        return *this;
    }
    Ref& operator=(Ref&& o) noexcept
    {
        Ref(std::move(o)).swap(*this);
        return *this;
    }
    Ref& operator=(T* p)
    {
        Ref(p).swap(*this);
        return *this;
    }

    void swap(Ref& o) noexcept { std::swap(m_p, o.m_p); }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    operator T*() const { return m_p; }

private:
    T* m_p = nullptr;
};

} // namespace engine
