// CMList and its owning flavours: ordered insertion from either end, reversing, node insertion,
// ownership and the stored form. Sort is ordered insertion from the tail; the folder listing
// test shows it on strings.
#include "core/CMBaseType.h"
#include "core/CMList.h"
#include "core/CMStringList.h"
#include "tests/FileContents.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// An element ordered by key only, with an id to see which of two equal keys came first.
struct Item : IMComparison<Item> {
    Item(int k, int i) : key(k), id(i) {}
    bool IsGreater(const Item& other) const override { return key > other.key; }
    int key;
    int id;
};

std::vector<int> Ids(const CMList<Item>& list)
{
    std::vector<int> ids;
    for (const Item* item : list)
        ids.push_back(item->id);
    return ids;
}

std::vector<std::string> Texts(const CMStringList& list)
{
    std::vector<std::string> texts;
    for (const CMString* text : list)
        texts.push_back(text->Str());
    return texts;
}

// The links must agree in both directions and with the count (plain and owning lists alike).
template <class List>
void ExpectConsistent(const List& list)
{
    int forward = 0;
    const typename List::Node* previous = nullptr;
    for (const typename List::Node* node = list.GetHead(); node; node = node->next) {
        EXPECT_EQ(node->previous, previous);
        previous = node;
        ++forward;
    }
    EXPECT_EQ(previous, list.GetTail());
    EXPECT_EQ(forward, list.GetCount());
}

}  // namespace

TEST(List, SortedInsertionKeepsEqualElementsInArrivalOrder)
{
    Item a(2, 1), b(1, 2), c(2, 3), d(3, 4), e(1, 5), f(2, 6);
    for (bool fromTail : {false, true}) {
        CMList<Item> list;
        for (Item* item : {&a, &b, &c, &d, &e, &f})
            list.AddSorted(item, nullptr, fromTail);
        EXPECT_EQ(Ids(list), (std::vector<int>{2, 5, 1, 3, 6, 4})) << "fromTail " << fromTail;
        ExpectConsistent(list);
    }
}

TEST(List, SortedInsertionFromAGivenNode)
{
    Item a(1, 1), b(5, 2), c(3, 3);
    CMList<Item> list;
    list.AddTail(&a);
    auto* middle = list.AddTail(&b);
    // Walking forward from the 5 finds it greater at once: the 3 goes in front of it.
    auto* nodeC = list.AddSorted(&c, middle, false);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 3, 2}));
    // Walking backward from the 3: it sorts after 2, the 1 does not, so the 2 goes after the 1.
    Item two(2, 4);
    list.AddSorted(&two, nodeC, true);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 4, 3, 2}));
    // Walking backward from the head past the front puts a 0 at the head.
    Item zero(0, 5);
    list.AddSorted(&zero, list.GetHead(), true);
    EXPECT_EQ(Ids(list), (std::vector<int>{5, 1, 4, 3, 2}));
    ExpectConsistent(list);
}

TEST(List, ReverseAndNodeInsertion)
{
    Item a(0, 1), b(0, 2), c(0, 3), d(0, 4);
    CMList<Item> list;
    list.Reverse();  // empty stays empty
    EXPECT_TRUE(list.IsEmpty());
    auto* nodeB = list.AddTail(&b);
    list.InsertBefore(nodeB, &a);  // b had no predecessor: a becomes the head
    list.InsertAfter(nodeB, &d);   // b was the tail: d becomes the tail
    list.InsertAfter(nodeB, &c);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 4}));
    list.Reverse();
    EXPECT_EQ(Ids(list), (std::vector<int>{4, 3, 2, 1}));
    ExpectConsistent(list);
    EXPECT_EQ(list.GetAt(1)->id, 3);
    EXPECT_EQ(list.GetAt(4), nullptr);
    list.RemoveAll();  // nodes only: the items live on the stack
    EXPECT_TRUE(list.IsEmpty());
    ExpectConsistent(list);
}

TEST(List, OwningListDeletesAndHandsBack)
{
    // Run under the sanitizers: a leak or a double delete fails the test run.
    CMStringList list;
    list.AddTail("one");
    list.AddHead("zero");
    auto* two = list.AddTail("two");
    std::unique_ptr<CMString> taken = list.Remove(two);
    EXPECT_EQ(*taken, "two");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"zero", "one"}));

    CMStringList copy;
    copy.AddTail("stale");
    copy.CopyFrom(list);
    list.DeleteAll();
    EXPECT_EQ(Texts(copy), (std::vector<std::string>{"zero", "one"}));

    CMStringList moved(std::move(copy));
    EXPECT_EQ(copy.GetCount(), 0);
    EXPECT_EQ(moved.GetCount(), 2);
    copy = std::move(moved);
    EXPECT_EQ(Texts(copy), (std::vector<std::string>{"zero", "one"}));
}

TEST(List, StoredFormOfListsRoundTrips)
{
    TempDir dir;
    const std::string path = dir.Path("lists.bin");
    CMStringList names;
    names.AddTail("Tolsen");
    names.AddTail("");
    CMBaseTypeList<unsigned short> meters;
    meters.AddTail(static_cast<unsigned short>(0x0304));
    CMBaseTypeList<char> codes;
    {
        CMFile file(path.c_str(), "wb");
        names.Serialize(file, true);
        meters.Serialize(file, true);
        codes.Serialize(file, true);
    }
    // A count byte, each name with its length, each value in two bytes, an empty list's count.
    EXPECT_EQ(FileContents(path), "\x02\x06Tolsen\x00\x01\x04\x03\x00"s);
    CMFile file(path.c_str(), "rb");
    CMStringList names2;
    CMBaseTypeList<unsigned short> meters2;
    names2.Serialize(file, false);
    meters2.Serialize(file, false);
    EXPECT_EQ(Texts(names2), (std::vector<std::string>{"Tolsen", ""}));
    ASSERT_EQ(meters2.GetCount(), 1);
    EXPECT_EQ(meters2.GetHead()->element->GetValue(), 0x0304);
}
