#pragma once
#include <string>
#include <vector>

// A list entry: the text shown to the user with the row's key attached.
struct TIdEntry {
    std::string text;
    int id = 0;
};

using TIdList = std::vector<TIdEntry>;
