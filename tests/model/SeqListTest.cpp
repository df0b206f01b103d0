#include "model/SeqList.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct TCounters {
    int Made = 0; // constructed, by the test or by Clone
    int Clones = 0;
    int Assigns = 0;
    int Destroyed = 0;
    int FailAtAssign = 0; // the Assign with this 1-based number throws
};

class TItem : public TSequenceListObj {
public:
    explicit TItem(TCounters& c, std::string value = "") : Value(std::move(value)), c_(c) { ++c_.Made; }
    ~TItem() override { ++c_.Destroyed; }
    std::string Value;

    std::unique_ptr<TSequenceListObj> Clone() const override {
        ++c_.Clones;
        return std::make_unique<TItem>(c_);
    }
    void Assign(const TSequenceListObj& Source) override {
        const TItem& s = SequenceSourceAs<TItem>(Source);
        ++c_.Assigns;
        if (c_.Assigns == c_.FailAtAssign) throw std::runtime_error("assign failed");
        Value = s.Value;
    }

private:
    TCounters& c_;
};

class TOtherItem : public TSequenceListObj {
public:
    std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TOtherItem>(); }
    void Assign(const TSequenceListObj& Source) override { (void)SequenceSourceAs<TOtherItem>(Source); }
};

TSequenceList<TItem> makeList(TCounters& c, std::initializer_list<const char*> values) {
    TSequenceList<TItem> list;
    for (const char* v : values)
        list.push_back(std::make_unique<TItem>(c, v));
    return list;
}

std::vector<std::string> values(const TSequenceList<TItem>& list) {
    std::vector<std::string> out;
    for (const auto& p : list)
        out.push_back(p ? p->Value : "<nil>");
    return out;
}

// Checks the state every successful synchronisation must leave.
void expectInStep(const TSequenceList<TItem>& dst, const TSequenceList<TItem>& src) {
    ASSERT_EQ(dst.size(), src.size());
    for (size_t i = 0; i < src.size(); ++i) {
        ASSERT_TRUE(src[i] && dst[i]);
        EXPECT_EQ(src[i]->Index, int(i));
        EXPECT_EQ(dst[i]->Index, int(i));
        EXPECT_FALSE(src[i]->Modified);
        EXPECT_NE(src[i].get(), dst[i].get());
        EXPECT_EQ(dst[i]->Value, src[i]->Value);
    }
}

// A synchronised pair of lists a, b, c; counters reset afterwards.
struct TSyncedLists {
    TCounters c;
    TSequenceList<TItem> src = makeList(c, {"a", "b", "c"});
    TSequenceList<TItem> dst;
    TSyncedLists() {
        EXPECT_TRUE(AssignSequenceLists(dst, src));
        int destroyed = c.Destroyed;
        c = TCounters{};
        c.Destroyed = destroyed;
    }
    std::vector<TItem*> dstObjects() const {
        std::vector<TItem*> out;
        for (const auto& p : dst)
            out.push_back(p.get());
        return out;
    }
};

} // namespace

TEST(SeqList, FirstSynchronisationAndQuickTest) {
    TSyncedLists l;
    expectInStep(l.dst, l.src);
    EXPECT_EQ(values(l.dst), (std::vector<std::string>{"a", "b", "c"}));

    // In step: false and nothing created, freed or assigned.
    auto before = l.dstObjects();
    EXPECT_FALSE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(l.c.Clones + l.c.Assigns + l.c.Destroyed, 0);
    EXPECT_EQ(l.dstObjects(), before);
}

TEST(SeqList, AppendReusesEveryExistingObject) {
    TSyncedLists l;
    auto before = l.dstObjects();
    l.src.push_back(std::make_unique<TItem>(l.c, "d"));
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(l.c.Clones, 1);
    EXPECT_EQ(l.c.Assigns, 1);
    EXPECT_EQ(l.c.Destroyed, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(l.dst[i].get(), before[i]);
    EXPECT_EQ(l.src[3]->Index, 3);
    expectInStep(l.dst, l.src);
}

TEST(SeqList, DeletingAndReorderingReusesTheSurvivors) {
    TSyncedLists l;
    auto before = l.dstObjects();
    l.src.erase(l.src.begin());
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(l.c.Clones, 0);
    EXPECT_EQ(l.c.Assigns, 0);
    EXPECT_EQ(l.c.Destroyed, 2); // "a" itself and its copy
    ASSERT_EQ(l.dst.size(), 2u);
    EXPECT_EQ(l.dst[0].get(), before[1]);
    EXPECT_EQ(l.dst[1].get(), before[2]);
    expectInStep(l.dst, l.src);

    // Swapping two elements moves the destination objects along with them.
    std::swap(l.src[0], l.src[1]);
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(l.dst[0].get(), before[2]);
    EXPECT_EQ(l.dst[1].get(), before[1]);
    expectInStep(l.dst, l.src);
}

TEST(SeqList, DuplicateIndexModifiedInPlaceAndEmptySource) {
    TSyncedLists l;
    auto before = l.dstObjects();
    // A copy of "b" that kept b's index, inserted right after it.
    auto copy = std::make_unique<TItem>(l.c, "b2");
    copy->Index = 1;
    l.src.insert(l.src.begin() + 2, std::move(copy));
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(l.dst[1].get(), before[1]); // first claimant keeps the object
    EXPECT_EQ(l.c.Clones, 1);             // the second gets a clone
    EXPECT_EQ(values(l.dst), (std::vector<std::string>{"a", "b", "b2", "c"}));
    expectInStep(l.dst, l.src);

    // Modified in place: no rebuild, only that one object is assigned.
    l.c = TCounters{};
    auto objects = l.dstObjects();
    l.src[3]->Value = "C";
    l.src[3]->Modified = true;
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(l.c.Clones, 0);
    EXPECT_EQ(l.c.Assigns, 1);
    EXPECT_EQ(l.dstObjects(), objects);
    EXPECT_EQ(l.dst[3]->Value, "C");
    expectInStep(l.dst, l.src);

    // An empty source empties and frees the destination.
    l.c = TCounters{};
    l.src.clear();
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_TRUE(l.dst.empty());
    EXPECT_EQ(l.c.Destroyed, 4 + 4); // four source objects and their four copies
}

TEST(SeqList, NilEntries) {
    TSyncedLists l;
    // A nil destination entry: the whole destination is freed and rebuilt.
    l.dst[1].reset();
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(l.c.Destroyed, 3); // b's copy (reset) and the other two
    EXPECT_EQ(l.c.Clones, 3);
    expectInStep(l.dst, l.src);

    // Nil source entries are dropped; the later entries move up.
    l.src.insert(l.src.begin(), nullptr);
    l.src.push_back(nullptr);
    EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
    EXPECT_EQ(values(l.src), (std::vector<std::string>{"a", "b", "c"}));
    expectInStep(l.dst, l.src);
}

TEST(SeqList, FailingAssignFreesEverythingExactlyOnce) {
    // Part-way through a rebuild: the second clone's Assign throws.
    {
        TSyncedLists l;
        l.src.insert(l.src.begin(), std::make_unique<TItem>(l.c, "new1"));
        l.src.insert(l.src.begin() + 2, std::make_unique<TItem>(l.c, "new2"));
        l.c.FailAtAssign = 2;
        EXPECT_THROW(AssignSequenceLists(l.dst, l.src), std::runtime_error);
        EXPECT_TRUE(l.dst.empty());
        EXPECT_EQ(values(l.src), (std::vector<std::string>{"new1", "a", "new2", "b", "c"}));
        // Made: 2 sources and 2 clones; the clones, and the 3 old copies, are freed.
        EXPECT_EQ(l.c.Destroyed, 2 + 3);
        // The next run rebuilds everything from the source.
        l.c.FailAtAssign = 0;
        EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
        expectInStep(l.dst, l.src);
    }
    // Part-way through an append.
    {
        TSyncedLists l;
        l.src.push_back(std::make_unique<TItem>(l.c, "d"));
        l.src.push_back(std::make_unique<TItem>(l.c, "e"));
        l.c.FailAtAssign = 2;
        EXPECT_THROW(AssignSequenceLists(l.dst, l.src), std::runtime_error);
        EXPECT_TRUE(l.dst.empty());
        EXPECT_EQ(l.c.Destroyed, 3 + 2); // old copies, the copy of d, the failed copy of e
        l.c.FailAtAssign = 0;
        EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
        expectInStep(l.dst, l.src);
        EXPECT_EQ(values(l.dst), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    }
    // While copying the modified fields.
    {
        TSyncedLists l;
        l.src[0]->Modified = true;
        l.src[2]->Modified = true;
        l.src[2]->Value = "changed";
        l.c.FailAtAssign = 2;
        EXPECT_THROW(AssignSequenceLists(l.dst, l.src), std::runtime_error);
        EXPECT_TRUE(l.dst.empty());
        EXPECT_EQ(l.c.Destroyed, 3);
        EXPECT_EQ(l.src.size(), 3u);
        l.c.FailAtAssign = 0;
        EXPECT_TRUE(AssignSequenceLists(l.dst, l.src));
        expectInStep(l.dst, l.src);
        EXPECT_EQ(l.dst[2]->Value, "changed");
    }
}

TEST(SeqList, AssignChecksTheClass) {
    TCounters c;
    TItem item(c, "x");
    TOtherItem other;
    EXPECT_THROW(item.Assign(other), EConvertError);
    EXPECT_EQ(item.Value, "x");
    EXPECT_THROW(other.Assign(item), EConvertError);
}
