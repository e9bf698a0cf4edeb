#include "model/rules/TargetFacts.h"

namespace {

std::vector<TTargetFacts>& Table()
{
    static std::vector<TTargetFacts> table;
    return table;
}

} // namespace

void SetKnownTargets(std::vector<TTargetFacts> targets)
{
    Table() = std::move(targets);
}

const std::vector<TTargetFacts>& KnownTargets()
{
    return Table();
}

const TTargetFacts* FindTarget(const std::string& name)
{
    for (const TTargetFacts& facts : Table())
        if (facts.name == name)
            return &facts;
    return nullptr;
}

std::string TargetChoices(const std::string& separator)
{
    std::string text;
    for (const TTargetFacts& facts : Table())
        text += (text.empty() ? "" : separator) + facts.name + "(" + facts.choiceNote + ")";
    return text;
}

std::string TargetNames(const std::string& separator)
{
    std::string text;
    for (const TTargetFacts& facts : Table())
        text += (text.empty() ? "" : separator) + facts.name;
    return text;
}

bool TargetHasBinaryMembers(const std::string& name)
{
    const TTargetFacts* facts = FindTarget(name);
    return facts && facts->binaryMembers;
}

namespace {

std::string BinaryTargets(std::string TTargetFacts::*field)
{
    std::string text;
    for (const TTargetFacts& facts : Table())
        if (facts.binaryMembers)
            text += (text.empty() ? "" : " 或 ") + facts.*field;
    return text;
}

} // namespace

std::string BinaryTargetCaptions()
{
    return BinaryTargets(&TTargetFacts::shortCaption);
}

std::string BinaryTargetNames()
{
    return BinaryTargets(&TTargetFacts::name);
}
