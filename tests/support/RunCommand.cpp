#include "RunCommand.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// A started program and the files its output goes to.
struct TStarted {
    pid_t pid = -1;
    std::string outName;
    std::string errName;
};

TStarted Start(const std::string& program, const std::vector<std::string>& args, const std::string& workingDir)
{
    char outName[] = "/tmp/javagen-out-XXXXXX";
    char errName[] = "/tmp/javagen-err-XXXXXX";
    int outFd = mkstemp(outName);
    int errFd = mkstemp(errName);
    if (outFd < 0 || errFd < 0)
        throw std::runtime_error("no temporary file for the output of " + program);
    // Everything the child needs is made before fork: it only calls what is
    // safe there.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        if (!workingDir.empty() && chdir(workingDir.c_str()) != 0)
            _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(outFd);
    close(errFd);
    if (pid < 0)
        throw std::runtime_error("cannot start " + program);
    return { pid, outName, errName };
}

TProcessResult Finish(const TStarted& started)
{
    int status = 0;
    waitpid(started.pid, &status, 0);
    TProcessResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(started.outName);
    result.err = Slurp(started.errName);
    unlink(started.outName.c_str());
    unlink(started.errName.c_str());
    return result;
}

} // namespace

TProcessResult RunCommand(
    const std::string& program, const std::vector<std::string>& args, const std::string& workingDir)
{
    return Finish(Start(program, args, workingDir));
}

std::pair<TProcessResult, TProcessResult> RunTogether(const std::string& program, const std::vector<std::string>& first,
    const std::vector<std::string>& second, const std::string& workingDir)
{
    TStarted a = Start(program, first, workingDir);
    TStarted b = Start(program, second, workingDir);
    TProcessResult resultA = Finish(a);
    return { resultA, Finish(b) };
}
