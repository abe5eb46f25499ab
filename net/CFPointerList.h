// CFPointerList: a list that owns its elements and travels as a count (a variable-length quantity)
// followed by each element's encoding. Decoding checks the count against the bytes present before
// it builds anything, so a huge count in a short message costs nothing.
#pragma once

#include "net/CFSerialData.h"
#include "net/CFVariableLengthQuantity.h"
#include "net/IFSerializable.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// T must be default-constructible and implement IFSerializable; every element encodes to at
// least one byte.
template <class T>
class CFPointerList : public IFSerializable {
public:
    using Elements = std::vector<std::unique_ptr<T>>;

    CFPointerList() = default;
    CFPointerList(CFPointerList&&) noexcept = default;
    CFPointerList& operator=(CFPointerList&&) noexcept = default;

    // Takes ownership of `element` and appends it; answers it.
    T& Add(std::unique_ptr<T> element)
    {
        m_elements.push_back(std::move(element));
        return *m_elements.back();
    }
    void Clear() { m_elements.clear(); }

    std::int32_t GetCount() const { return static_cast<std::int32_t>(m_elements.size()); }
    bool IsEmpty() const { return m_elements.empty(); }
    const T& GetAt(std::int32_t index) const
    {
        return *m_elements[static_cast<std::size_t>(index)];
    }
    typename Elements::const_iterator begin() const { return m_elements.begin(); }
    typename Elements::const_iterator end() const { return m_elements.end(); }

    void AppendTo(CFSerialData& out) const override
    {
        out.AppendQuantity(static_cast<std::uint32_t>(m_elements.size()));
        for (const auto& element : m_elements)
            element->AppendTo(out);
    }

    // A truncated list (a count larger than the elements present, or a broken element) answers
    // -1 and leaves the list empty.
    std::int32_t Deserialize(const std::uint8_t* data, std::int32_t size) override
    {
        Clear();
        std::uint32_t count = 0;
        std::int32_t consumed = CFVariableLengthQuantity::Decode(data, size, count);
        if (consumed == 0 || count > static_cast<std::uint32_t>(size - consumed))
            return -1;
        m_elements.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            auto element = std::make_unique<T>();
            const std::int32_t used = element->Deserialize(data + consumed, size - consumed);
            if (used < 0) {
                Clear();
                return -1;
            }
            consumed += used;
            m_elements.push_back(std::move(element));
        }
        return consumed;
    }

    std::int32_t GetSerialSize() const override
    {
        std::int32_t size =
            CFVariableLengthQuantity::GetSize(static_cast<std::uint32_t>(m_elements.size()));
        for (const auto& element : m_elements)
            size += element->GetSerialSize();
        return size;
    }

private:
    Elements m_elements;
};
