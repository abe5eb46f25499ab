// CMList: the doubly linked list of element pointers that the song model, the performance engine
// and the MIDI writer are built on. Two flavours:
//   CMList<T>        a non-owning list: it frees its nodes, never its elements;
//   CMOwningList<T>  wraps one, owns its elements (handed over as std::unique_ptr), deletes them.
// The ordering predicate of a list is its elements' IsGreater ("sorts after"); ordered insertion
// always puts a new element behind the elements equal to it, so sorting is stable.
// Users iterate node by node (GetHead / next) or with range-for over the element pointers.
#pragma once

#include "core/CMFile.h"

#include <cassert>
#include <iterator>
#include <memory>
#include <utility>

template <class T>
struct CMListNode {
    T* element = nullptr;
    CMListNode* next = nullptr;
    CMListNode* previous = nullptr;
};

// IMComparison: the ordering interface of list elements. The default answer ("always after")
// makes an ordered insertion from the tail put each new element at the head.
template <class T>
class IMComparison {
public:
    virtual ~IMComparison() = default;
    virtual bool IsGreater(const T&) const { return true; }
};

template <class T>
class CMList {
public:
    using Node = CMListNode<T>;

    template <class E>
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = E*;
        using difference_type = std::ptrdiff_t;
        using pointer = E**;
        using reference = E*;
        explicit Iterator(const Node* node = nullptr) : m_node(node) {}
        E* operator*() const { return m_node->element; }
        Iterator& operator++()
        {
            m_node = m_node->next;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            m_node = m_node->next;
            return old;
        }
        bool operator==(const Iterator& other) const { return m_node == other.m_node; }

    private:
        const Node* m_node;
    };

    CMList() = default;
    CMList(const CMList&) = delete;
    CMList& operator=(const CMList&) = delete;
    CMList(CMList&& other) noexcept { TakeNodes(other); }
    CMList& operator=(CMList&& other) noexcept
    {
        if (this != &other) {
            RemoveAll();
            TakeNodes(other);
        }
        return *this;
    }
    ~CMList() { RemoveAll(); }

    Node* GetHead() const { return m_head; }
    Node* GetTail() const { return m_tail; }
    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    Iterator<T> begin() { return Iterator<T>(m_head); }
    Iterator<T> end() { return Iterator<T>(); }
    Iterator<const T> begin() const { return Iterator<const T>(m_head); }
    Iterator<const T> end() const { return Iterator<const T>(); }

    // The element at a 0-based position, null when there is none (walks the list).
    T* GetAt(int index) const
    {
        for (Node* node = m_head; node; node = node->next, --index)
            if (index == 0)
                return node->element;
        return nullptr;
    }

    Node* AddHead(T* element) { return InsertBefore(m_head, element); }
    Node* AddTail(T* element) { return InsertAfter(m_tail, element); }

    // New node before `node`; at the head when `node` is null or the head.
    Node* InsertBefore(Node* node, T* element)
    {
        Node* fresh = new Node{element, node, node ? node->previous : nullptr};
        if (!node) {
            fresh->next = m_head;
            if (m_head)
                m_head->previous = fresh;
            else
                m_tail = fresh;
            m_head = fresh;
        } else {
            if (node->previous)
                node->previous->next = fresh;
            else
                m_head = fresh;
            node->previous = fresh;
        }
        ++m_count;
        return fresh;
    }

    // New node after `node`; at the tail when `node` is null or the tail.
    Node* InsertAfter(Node* node, T* element)
    {
        Node* fresh = new Node{element, node ? node->next : nullptr, node};
        if (!node) {
            fresh->previous = m_tail;
            if (m_tail)
                m_tail->next = fresh;
            else
                m_head = fresh;
            m_tail = fresh;
        } else {
            if (node->next)
                node->next->previous = fresh;
            else
                m_tail = fresh;
            node->next = fresh;
        }
        ++m_count;
        return fresh;
    }

    // Ordered insertion. From the head: before the first node that sorts after the new element.
    // From the tail: after the last node that does not sort after it. Either way a new element
    // goes behind the elements equal to it. `start` defaults to the head or the tail.
    Node* AddSorted(T* element, Node* start = nullptr, bool fromTail = false)
    {
        if (!fromTail) {
            for (Node* node = start ? start : m_head; node; node = node->next)
                if (node->element->IsGreater(*element))
                    return InsertBefore(node, element);
            return AddTail(element);
        }
        for (Node* node = start ? start : m_tail; node; node = node->previous)
            if (!node->element->IsGreater(*element))
                return InsertAfter(node, element);
        return AddHead(element);
    }

    // Stable reordering by the element predicate, through from-tail ordered insertion.
    void Sort()
    {
        CMList sorted;
        for (T* element : *this)
            sorted.AddSorted(element, nullptr, true);
        RemoveAll();
        TakeNodes(sorted);
    }

    void Reverse()
    {
        CMList reversed;
        for (T* element : *this)
            reversed.AddHead(element);
        RemoveAll();
        TakeNodes(reversed);
    }

    // Unlinks a node and answers its element; the caller decides what becomes of the element.
    T* Unlink(Node* node)
    {
        assert(node);
        if (node->previous)
            node->previous->next = node->next;
        else
            m_head = node->next;
        if (node->next)
            node->next->previous = node->previous;
        else
            m_tail = node->previous;
        T* element = node->element;
        delete node;
        --m_count;
        return element;
    }

    // Frees the nodes, not the elements.
    void RemoveAll()
    {
        while (m_head) {
            Node* next = m_head->next;
            delete m_head;
            m_head = next;
        }
        m_tail = nullptr;
        m_count = 0;
    }

private:
    void TakeNodes(CMList& other)
    {
        m_head = std::exchange(other.m_head, nullptr);
        m_tail = std::exchange(other.m_tail, nullptr);
        m_count = std::exchange(other.m_count, 0);
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};

// A list that owns its elements. It wraps a CMList rather than deriving from one, so no
// reference to the plain list exists through which an element could enter unowned or leave
// without being deleted. Elements come in as std::unique_ptr and go out the same way.
template <class T>
class CMOwningList {
public:
    using Node = typename CMList<T>::Node;

    CMOwningList() = default;
    CMOwningList(CMOwningList&&) noexcept = default;
    CMOwningList& operator=(CMOwningList&& other) noexcept
    {
        if (this != &other) {
            DeleteAll();
            m_list = std::move(other.m_list);
        }
        return *this;
    }
    virtual ~CMOwningList() { DeleteAll(); }

    Node* GetHead() const { return m_list.GetHead(); }
    Node* GetTail() const { return m_list.GetTail(); }
    int GetCount() const { return m_list.GetCount(); }
    bool IsEmpty() const { return m_list.IsEmpty(); }
    T* GetAt(int index) const { return m_list.GetAt(index); }

    auto begin() { return m_list.begin(); }
    auto end() { return m_list.end(); }
    auto begin() const { return m_list.begin(); }
    auto end() const { return m_list.end(); }

    Node* AddHead(std::unique_ptr<T> element) { return m_list.AddHead(element.release()); }
    Node* AddTail(std::unique_ptr<T> element) { return m_list.AddTail(element.release()); }
    Node* InsertBefore(Node* node, std::unique_ptr<T> element)
    {
        return m_list.InsertBefore(node, element.release());
    }
    Node* InsertAfter(Node* node, std::unique_ptr<T> element)
    {
        return m_list.InsertAfter(node, element.release());
    }
    Node* AddSorted(std::unique_ptr<T> element, Node* start = nullptr, bool fromTail = false)
    {
        return m_list.AddSorted(element.release(), start, fromTail);
    }

    void Sort() { m_list.Sort(); }
    void Reverse() { m_list.Reverse(); }

    // Removes a node and hands its element back to the caller.
    std::unique_ptr<T> Remove(Node* node) { return std::unique_ptr<T>(m_list.Unlink(node)); }

    // Replaces the contents by copies of another list's elements.
    void CopyFrom(const CMOwningList& other)
    {
        if (this == &other)
            return;
        DeleteAll();
        for (const T* element : other)
            AddTail(std::make_unique<T>(*element));
    }

    void DeleteAll()
    {
        for (T* element : m_list)
            delete element;
        m_list.RemoveAll();
    }

    // Stored form: the count as a variable-length quantity, then every element. Loading appends
    // default-made elements that read themselves.
    void Serialize(CMFile& file, bool store)
    {
        if (store) {
            file.WriteVarLen(static_cast<unsigned>(GetCount()));
            for (T* element : m_list)
                element->Serialize(file, true);
            return;
        }
        const int count = static_cast<int>(file.ReadVarLen());
        for (int i = 0; i < count && !file.IsAtEnd(); ++i) {
            auto element = std::make_unique<T>();
            element->Serialize(file, false);
            AddTail(std::move(element));
        }
    }

private:
    CMList<T> m_list;
};
