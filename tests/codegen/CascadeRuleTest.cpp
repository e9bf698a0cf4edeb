#include "codegen/core/CascadeRule.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

// The definition, followed literally: Reach by a search from each target.
std::set<int> Reach(const std::vector<std::vector<int>>& targets, int from)
{
    std::set<int> seen = { from };
    std::vector<int> open = { from };
    while (!open.empty()) {
        int v = open.back();
        open.pop_back();
        for (int w : targets[v])
            if (seen.insert(w).second)
                open.push_back(w);
    }
    return seen;
}

bool CascadesByDefinition(const std::vector<std::vector<int>>& targets, int c)
{
    std::set<int> all;
    size_t total = 0;
    for (int t : targets[c]) {
        std::set<int> r = Reach(targets, t);
        if (r.count(c))
            return false;
        total += r.size();
        all.insert(r.begin(), r.end());
    }
    return all.size() == total; // pairwise disjoint
}

} // namespace

// Classes: 0 BookType, 1 Book -> BookType, 2 Reader, 3 Borrow -> Book, Reader,
// 4 Account, 5 Transfer -> Account twice, 6 A -> 7 B -> 6 A (a cycle),
// 8 Loan -> Book, BookType, 9 Self -> Self, 10 Lone.
TEST(CascadeRuleTest, NamedShapes)
{
    std::vector<std::vector<int>> targets = { {}, { 0 }, {}, { 1, 2 }, {}, { 4, 4 }, { 7 }, { 6 }, { 1, 0 }, { 9 },
        {} };
    std::vector<bool> cascade = CascadingClasses(targets);
    EXPECT_TRUE(cascade[1]) << "Book -> BookType";
    EXPECT_TRUE(cascade[3]) << "Borrow -> Book (-> BookType), Reader";
    EXPECT_FALSE(cascade[5]) << "Transfer with two references to Account";
    EXPECT_FALSE(cascade[6]) << "a class on a cycle";
    EXPECT_FALSE(cascade[7]) << "a class on a cycle";
    EXPECT_FALSE(cascade[8]) << "Loan -> Book -> BookType and Loan -> BookType";
    EXPECT_FALSE(cascade[9]) << "a class naming itself";
    EXPECT_TRUE(cascade[0]);
    EXPECT_TRUE(cascade[10]);
}

TEST(CascadeRuleTest, RandomGraphsAgreeWithTheDefinition)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        int n = 1 + static_cast<int>(random() % 14);
        int density = 1 + static_cast<int>(random() % 3);
        std::vector<std::vector<int>> targets(n);
        for (int c = 0; c < n; ++c)
            for (int e = static_cast<int>(random() % (density + 1)); e > 0; --e)
                targets[c].push_back(static_cast<int>(random() % n));
        std::vector<bool> cascade = CascadingClasses(targets);
        for (int c = 0; c < n; ++c)
            ASSERT_EQ(cascade[c], CascadesByDefinition(targets, c)) << "round " << round << " class " << c;
    }
}

// A chain of ten thousand classes is walked without recursion.
TEST(CascadeRuleTest, LongChainKeepsCascade)
{
    std::vector<std::vector<int>> targets(10000);
    for (int c = 1; c < 10000; ++c)
        targets[c].push_back(c - 1);
    std::vector<bool> cascade = CascadingClasses(targets);
    EXPECT_EQ(std::count(cascade.begin(), cascade.end(), true), 10000);
    targets[0].push_back(9999); // closes the cycle
    cascade = CascadingClasses(targets);
    EXPECT_EQ(std::count(cascade.begin(), cascade.end(), true), 0);
}
