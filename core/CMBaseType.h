// CMBaseType and CMBaseTypeList: boxed small values and owning lists of them, used by the song
// model for ordered sequences of label codes and time signatures. The stored form of a box is the
// raw value in little-endian byte order.
#pragma once

#include "core/CMFile.h"
#include "core/CMList.h"
#include "core/IMSerializable.h"

#include <type_traits>

template <class T>
class CMBaseType : public IMSerializable {
    static_assert(std::is_integral_v<T> && sizeof(T) <= 2, "a box holds a char or a 16-bit value");

public:
    CMBaseType() = default;
    explicit CMBaseType(T value) : m_value(value) {}

    T GetValue() const { return m_value; }
    void SetValue(T value) { m_value = value; }

    // The list ordering of boxes is the default one: no order among values.
    bool IsGreater(const CMBaseType&) const { return true; }

    void Serialize(CMFile& file, bool store) override
    {
        using Raw = std::conditional_t<sizeof(T) == 1, std::uint8_t, std::uint16_t>;
        Raw raw = static_cast<Raw>(m_value);
        if (store) {
            file << raw;
        } else {
            file >> raw;
            m_value = static_cast<T>(raw);
        }
    }

private:
    T m_value = 0;
};

template <class T>
class CMBaseTypeList : public CMOwningList<CMBaseType<T>> {
    using Base = CMOwningList<CMBaseType<T>>;

public:
    using Node = typename Base::Node;
    using Base::AddHead;
    using Base::AddTail;

    Node* AddHead(T value) { return AddHead(std::make_unique<CMBaseType<T>>(value)); }
    Node* AddTail(T value) { return AddTail(std::make_unique<CMBaseType<T>>(value)); }

    bool Contains(T value) const
    {
        for (const CMBaseType<T>* box : *this)
            if (box->GetValue() == value)
                return true;
        return false;
    }
};
