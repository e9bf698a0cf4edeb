#pragma once
// What the model commands of javagen-cli share: confirmations, lookups,
// the member line, and how a command and its arguments are added.
#include "app/cli/CliApp.h"

#include "model/commands/ModelCommands.h"
#include "model/commands/ModelReads.h"

#include <iostream>
#include <string>

// Prints the confirmation of a command that was done; a refusal is thrown.
inline int Report(const TCommandResult& result)
{
    if (!result.Done())
        throw TRefused(result.message);
    std::cout << result.message << '\n';
    return 0;
}

inline int FindMemberId(int classId, const std::string& memberName)
{
    int memberId = FindMemberIdByName(classId, memberName);
    if (memberId == -1)
        throw TRefused("找不到成员: " + memberName);
    return memberId;
}

// A text as one field of a listing line: a backslash, TAB, CR or LF in it
// written as \\, \t, \r, \n, so that every line has its fields.
inline std::string Field(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

inline void PrintMember(const TMemberRow& row, bool all)
{
    std::cout << row.memberId << '\t' << Field(row.name) << '\t' << Field(row.type) << '\t' << row.length;
    for (bool flag : row.flags)
        std::cout << '\t' << (flag ? 1 : 0);
    std::cout << '\t' << Field(row.comment);
    if (all)
        for (const auto& value : row.columnData)
            std::cout << '\t' << Field(value);
    std::cout << '\n';
}

inline CLI::App* Command(CLI::App& parent, const std::string& name, const std::string& description)
{
    CLI::App* command = parent.add_subcommand(name, description);
    command->group("命令");
    return command;
}

// A positional argument every command of this file needs.
inline void Positional(CLI::App* command, const std::string& name, std::string& value, const std::string& description)
{
    command->add_option(name, value, description)->required()->type_name("");
}

void AddMemberCommands(CLI::App& app, TCliAction& action);
