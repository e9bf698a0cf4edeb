#pragma once
#include "LiteralModel.h"
#include "codegen/core/Generator.h"

#include <map>
#include <string>

// Every file a --webapp run of the target writes for a literal model, by
// its path (package "shop", project "商店" unless given).
std::map<std::string, std::string> GeneratedFiles(const TLiteralModel& model, std::string target,
    const TProjectDatabase& database = {}, const std::string& packageName = "shop",
    const std::string& projectName = "商店");
