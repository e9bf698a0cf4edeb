#include "CliArgs.h"
#include "Commands.h"

int RunGenerateCommand(const std::vector<std::string>&)
{
    throw TUsageError("generate 尚未实现");
}
