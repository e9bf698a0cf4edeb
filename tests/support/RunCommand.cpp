#include "RunCommand.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

} // namespace

TCommandResult RunCommand(
    const std::string& program, const std::vector<std::string>& args, const std::string& workingDir)
{
    char outName[] = "/tmp/javagen-out-XXXXXX";
    char errName[] = "/tmp/javagen-err-XXXXXX";
    int outFd = mkstemp(outName);
    int errFd = mkstemp(errName);
    TCommandResult result;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        if (!workingDir.empty() && chdir(workingDir.c_str()) != 0)
            _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(outFd);
    close(errFd);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(outName);
    result.err = Slurp(errName);
    unlink(outName);
    unlink(errName);
    return result;
}
