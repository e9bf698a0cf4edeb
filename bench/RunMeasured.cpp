// Runs a command and prints its wall time, user and system CPU time in
// seconds and its peak resident memory in MiB (the kernel's accounting of
// the child).
//   bench_run_measured COMMAND ARGS...
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    struct rusage usage { };
    wait4(pid, &status, 0, &usage);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    auto cpu = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    std::printf("%.3f %.3f %.3f %.1f\n", seconds, cpu(usage.ru_utime), cpu(usage.ru_stime), usage.ru_maxrss / 1024.0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
