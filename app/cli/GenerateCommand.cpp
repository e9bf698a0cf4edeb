#include "CliArgs.h"
#include "Commands.h"

#include "AutoCode.h"
#include "ClassDAO.h"
#include "EntryRules.h"

#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>

namespace {

// Prints what the window would show: progress lines on standard output,
// everything else on standard error; remembers how the run ended.
class TConsoleListener : public IGenerationListener {
public:
    void SetErrorClassId(int classId) override { errorClassId_ = classId; }
    void PrimaryMemberError() override
    {
        Refuse(TClassDAO().GetClassName(errorClassId_) + "表主键设置错误，每个类只能设置一个主键!");
    }
    void DisplayMemberError() override
    {
        Refuse(TClassDAO().GetClassName(errorClassId_) + "表显示成员设置错误，每个类有且只能设置一个显示成员!");
    }
    void ModelRefused(const std::string& message) override { Refuse(message); }
    // Buffered by the C library: a line at a time on a terminal, in blocks
    // into a pipe or file.
    void Progress(const std::string& line) override
    {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    void Done() override { std::cerr << "所有代码生成完毕!\n"; }
    void Failed(const std::string& message) override
    {
        std::cerr << "代码生成失败：" << message << '\n';
        status_ = 3;
    }
    void Finished() override
    {
        std::lock_guard<std::mutex> guard(lock_);
        finished_ = true;
        ended_.notify_all();
    }

    int WaitForEnd()
    {
        std::unique_lock<std::mutex> guard(lock_);
        ended_.wait(guard, [this] { return finished_; });
        return status_;
    }

private:
    void Refuse(const std::string& message)
    {
        std::cerr << message << '\n';
        status_ = 1;
    }

    int errorClassId_ = 0;
    int status_ = 0;
    bool finished_ = false;
    std::mutex lock_;
    std::condition_variable ended_;
};

} // namespace

int RunGenerateCommand(const std::vector<std::string>& words)
{
    TCliArgs args(words, { "--package", "--templates", "--root" }, {});
    args.ExpectPositional(1, "generate PROJECT [--package NAME] [--templates DIR] [--root DIR]");
    std::string packageName = args.Value("--package", "velmorantis");
    TVerdict package = CheckPackageName(packageName);
    if (!package.Accepted())
        throw TRefused(package.message);
    std::string projectName = args.Positional()[0];
    int projectId = FindProjectId(projectName);

    TRunLocations locations;
    locations.templateDir = args.Value("--templates", "template");
    while (locations.templateDir.size() > 1 && locations.templateDir.back() == '/')
        locations.templateDir.pop_back();
    locations.rootDir = args.Value("--root");

    TConsoleListener listener;
    TAutoCode::Start(new TAutoCode(projectId, projectName, packageName, listener, locations));
    return listener.WaitForEnd();
}
