#pragma once
#include <string>
#include <vector>

// Each returns the exit status; failures are thrown as TRefused,
// TUsageError or TDbError and turned into statuses by main.
int RunProjectCommand(const std::vector<std::string>& words);
int RunClassCommand(const std::vector<std::string>& words);
int RunMemberCommand(const std::vector<std::string>& words);
int RunGenerateCommand(const std::vector<std::string>& words);

// Lookups by name shared by the commands; TRefused when there is none.
int FindProjectId(const std::string& projectName);
int FindClassId(int projectId, const std::string& className);
