#pragma once
#include <vector>

// Which classes keep cascade="save-update" on their many-to-one lines.
//
// The Add and Modify operations load each referenced object in a session of
// its own; Hibernate then refuses a cascading save (NonUniqueObjectException)
// exactly when one row can be reached through two separately loaded
// references, or when the class lies on a reference cycle. So, with
// Reach(T) the classes reachable from T along reference members (T
// included), class C cascades when C is in no Reach(Ti) of its targets
// T1..Tk and those sets are pairwise disjoint (two members naming one class
// always overlap).
//
// targets[c] lists, per reference member of class c, the index of the class
// it names. Reachability is computed once, over the strongly connected
// components, with one bit set per component.
std::vector<bool> CascadingClasses(const std::vector<std::vector<int>>& targets);
