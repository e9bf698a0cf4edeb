#pragma once
#include <CLI/CLI.hpp>

#include <functional>
#include <stdexcept>
#include <string>

// Wrong use of the command line: exit status 2.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Refused by an entry rule or a model check, or not found: exit status 1.
class TRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a parsed command does, run once the whole command line is parsed (and
// --db applied); returns the exit status. Failures are thrown: TRefused,
// TUsageError, or a database or file error (status 3).
using TCliAction = std::function<int()>;

// Each adds its commands to the application; the parsed one sets action.
void AddModelCommands(CLI::App& app, TCliAction& action);
void AddGenerateCommand(CLI::App& app, TCliAction& action);
void AddModelFileCommands(CLI::App& app, TCliAction& action);
void AddImportDbCommand(CLI::App& app, TCliAction& action);
void AddPreviewCommand(CLI::App& app, TCliAction& action);

// Lookups by name shared by the commands; TRefused when there is none.
int FindProjectId(const std::string& projectName);
int FindClassId(int projectId, const std::string& className);

// The four simple member types may be given by their English words.
std::string MemberTypeWord(const std::string& word);

// The package and the page setting of one run: what the project stores (the
// window's per-project settings, the default package when none is stored),
// unless the command line gives them for this run; an override is said on
// standard error.
struct TRunSettingsArgs {
    CLI::Option* package = nullptr; // --package NAME
    CLI::Option* webapp = nullptr; // --webapp
    CLI::Option* noWebapp = nullptr; // --no-webapp
    CLI::Option* target = nullptr; // --target legacy|current
    std::shared_ptr<std::string> targetName = std::make_shared<std::string>();
};
struct TRunSettings {
    std::string packageName;
    bool webapp = false;
    std::string target; // kTargetLegacy or kTargetCurrent
};
TRunSettings ResolveRunSettings(
    int projectId, const std::string& projectName, const TRunSettingsArgs& given, const std::string& packageName);
// Adds --package, --webapp and --no-webapp to a command.
TRunSettingsArgs AddRunSettingsOptions(CLI::App& command, std::string& packageName, const std::string& webappHelp);
