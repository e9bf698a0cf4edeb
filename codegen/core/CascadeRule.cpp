#include "codegen/core/CascadeRule.h"

#include <algorithm>
#include <cstdint>

namespace {

// A set of components as bits.
class TBits {
public:
    explicit TBits(size_t size = 0)
        : words_((size + 63) / 64, 0)
    {
    }
    void Set(size_t i) { words_[i / 64] |= uint64_t { 1 } << (i % 64); }
    bool Test(size_t i) const { return (words_[i / 64] >> (i % 64)) & 1; }
    void Unite(const TBits& other)
    {
        for (size_t i = 0; i < words_.size(); ++i)
            words_[i] |= other.words_[i];
    }
    bool Meets(const TBits& other) const
    {
        for (size_t i = 0; i < words_.size(); ++i)
            if (words_[i] & other.words_[i])
                return true;
        return false;
    }

private:
    std::vector<uint64_t> words_;
};

// Tarjan's strongly connected components, iteratively (a chain of ten
// thousand classes must not exhaust the stack). Components come out in
// reverse topological order: every edge leads to the same component or an
// earlier one.
struct TComponents {
    std::vector<int> of; // component of each class
    int count = 0;
};

TComponents FindComponents(const std::vector<std::vector<int>>& targets)
{
    const int n = static_cast<int>(targets.size());
    TComponents result;
    result.of.assign(n, -1);
    std::vector<int> index(n, -1), low(n, 0);
    std::vector<bool> onStack(n, false);
    std::vector<int> stack;
    std::vector<std::pair<int, size_t>> work; // class, next edge
    int counter = 0;
    for (int root = 0; root < n; ++root) {
        if (index[root] != -1)
            continue;
        work.push_back({ root, 0 });
        while (!work.empty()) {
            auto& [v, edge] = work.back();
            if (edge == 0 && index[v] == -1) {
                index[v] = low[v] = counter++;
                stack.push_back(v);
                onStack[v] = true;
            }
            if (edge < targets[v].size()) {
                int w = targets[v][edge++];
                if (index[w] == -1)
                    work.push_back({ w, 0 });
                else if (onStack[w])
                    low[v] = std::min(low[v], index[w]);
                continue;
            }
            if (low[v] == index[v]) {
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[w] = false;
                    result.of[w] = result.count;
                } while (w != v);
                ++result.count;
            }
            int done = v;
            work.pop_back();
            if (!work.empty())
                low[work.back().first] = std::min(low[work.back().first], low[done]);
        }
    }
    return result;
}

} // namespace

std::vector<bool> CascadingClasses(const std::vector<std::vector<int>>& targets)
{
    const size_t n = targets.size();
    TComponents components = FindComponents(targets);
    const size_t k = static_cast<size_t>(components.count);

    // A class is on a cycle when its component has several classes or it
    // names itself.
    std::vector<int> size(k, 0);
    for (size_t c = 0; c < n; ++c)
        ++size[components.of[c]];
    std::vector<bool> onCycle(n, false);
    for (size_t c = 0; c < n; ++c) {
        onCycle[c] = size[components.of[c]] > 1;
        for (int t : targets[c])
            if (static_cast<size_t>(t) == c)
                onCycle[c] = true;
    }

    // Reach of each component, in reverse topological order: the components
    // it points to are complete before it.
    std::vector<std::vector<int>> membersOf(k);
    for (size_t c = 0; c < n; ++c)
        membersOf[components.of[c]].push_back(static_cast<int>(c));
    std::vector<TBits> reach(k, TBits(k));
    for (size_t comp = 0; comp < k; ++comp) {
        reach[comp].Set(comp);
        for (int c : membersOf[comp])
            for (int t : targets[c])
                if (static_cast<size_t>(components.of[t]) != comp)
                    reach[comp].Unite(reach[components.of[t]]);
    }

    std::vector<bool> cascade(n, true);
    for (size_t c = 0; c < n; ++c) {
        if (onCycle[c]) {
            cascade[c] = false; // c is in the reach of one of its targets
            continue;
        }
        TBits seen(k);
        for (int t : targets[c]) {
            const TBits& r = reach[components.of[t]];
            if (seen.Meets(r)) {
                cascade[c] = false;
                break;
            }
            seen.Unite(r);
        }
    }
    return cascade;
}
