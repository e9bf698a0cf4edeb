#include "codegen/merge/MergePlan.h"

#include "codegen/io/FileOperate.h"
#include "codegen/io/TreeGuard.h"
#include "codegen/merge/StructuralMerge.h"
#include "codegen/merge/ThreeWayMerge.h"
#include "codegen/text/TextEscape.h"
#include "model/store/TextCodec.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string_view>
#include <thread>

namespace fs = std::filesystem;

namespace {

const char* const kOursLabel = "手工修改(磁盘上的文件)";
const char* const kTheirsLabel = "模型生成的新代码";
const char* const kBaseLabel = "上次生成的代码";

bool IsUtf8WithBom(const std::string& bytes)
{
    return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

} // namespace

// Labels in the encoding of the file they land in: UTF-8 for a text that
// is UTF-8 (the pages, web.xml) and for an ASCII one that is not Java or
// said to be GBK; GBK otherwise.
TMergeLabels LabelsFor(const std::string& path, const std::string& bytes)
{
    bool high = std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    bool utf8 = high ? IsUtf8WithBom(bytes) || IsUtf8Text(bytes)
                     : fs::path(path).extension() != ".java" && bytes.find("encoding=\"GBK\"") == std::string::npos;
    if (utf8)
        return { kBaseLabel, kOursLabel, kTheirsLabel };
    return { Utf8ToGbk(kBaseLabel), Utf8ToGbk(kOursLabel), Utf8ToGbk(kTheirsLabel) };
}

// A conflict of ours the user has not resolved yet.
bool HasConflictMarkers(const std::string& bytes)
{
    return bytes.find("\n<<<<<<< ") != std::string::npos || bytes.compare(0, 8, "<<<<<<< ") == 0;
}

const char* MergeActionWord(TMergeAction action)
{
    switch (action) {
    case TMergeAction::New:
        return "new";
    case TMergeAction::Replace:
        return "replace";
    case TMergeAction::Unchanged:
        return "unchanged";
    case TMergeAction::Keep:
        return "keep";
    case TMergeAction::Merge:
        return "merge";
    case TMergeAction::Conflict:
        return "conflict";
    case TMergeAction::Beside:
        return "beside";
    case TMergeAction::Obsolete:
        return "obsolete";
    case TMergeAction::Unresolved:
        return "unresolved";
    case TMergeAction::Refused:
        return "refused";
    }
    return "";
}

int TMergeSummary::Count(TMergeAction action) const
{
    int n = 0;
    for (const auto& entry : entries)
        n += entry.action == action ? 1 : 0;
    return n;
}

std::vector<std::string> TMergeSummary::Conflicts() const
{
    std::vector<std::string> paths;
    for (const auto& entry : entries)
        if (entry.action == TMergeAction::Conflict || entry.action == TMergeAction::Unresolved)
            paths.push_back(entry.displayPath);
    return paths;
}

std::string TMergeSummary::Counts() const
{
    auto n = [this](TMergeAction action) { return std::to_string(Count(action)); };
    return "写入 " + std::to_string(Count(TMergeAction::New) + Count(TMergeAction::Replace)) + " 个文件，合并 " +
        n(TMergeAction::Merge) + " 个，保留手工修改 " + n(TMergeAction::Keep) + " 个，冲突 " +
        n(TMergeAction::Conflict) + " 个，另存为 .new " + n(TMergeAction::Beside) + " 个，未改动 " +
        n(TMergeAction::Unchanged) + " 个，过时 " + n(TMergeAction::Obsolete) + " 个" +
        (Count(TMergeAction::Unresolved) ? "，仍有未解决的冲突而未合并 " + n(TMergeAction::Unresolved) + " 个" : "") +
        (Count(TMergeAction::Refused) ? "，跳过不安全的路径 " + n(TMergeAction::Refused) + " 个" : "") + "。";
}

std::string TMergeSummary::BesideHint() const
{
    int withoutBase = 0;
    std::vector<std::string> unmerged; // they have a base, but cannot be merged
    for (const auto& entry : entries)
        if (entry.action == TMergeAction::Beside) {
            if (entry.why.rfind("有基准", 0) == 0)
                unmerged.push_back(entry.displayPath + "（" + entry.why + "）");
            else
                ++withoutBase;
        }
    std::string hint;
    if (withoutBase > 0)
        hint = "另存为 .new 的 " + std::to_string(withoutBase) +
            " 个文件与生成的代码不同，而程序没有它们的基准(不知道哪些是手工修改)：原文件保留不动，新代码写在旁边的 "
            ".new "
            "文件中。请比较两者，把想要的内容留在原文件中，再删除 .new；下一次合并生成发现原文件与 .new "
            "相同时会记下基准并删除 .new。";
    if (!unmerged.empty()) {
        hint += std::string(hint.empty() ? "" : "\n") + "另有 " + std::to_string(unmerged.size()) +
            " 个有手工修改的文件无法逐行合并，原文件保留不动，新代码写在旁边的 .new 文件中，请手工合并后删除 .new：";
        for (const auto& line : unmerged)
            hint += "\n  " + line;
    }
    return hint;
}

TFileState TFileState::Of(const std::optional<std::string>& bytes, const TFileStamp& stamp)
{
    if (!bytes)
        return {};
    return { true, std::hash<std::string_view>()(*bytes), bytes->size(), stamp };
}

bool TFileState::Still(const std::string& path, const std::function<std::optional<std::string>()>& read) const
{
    return (exists && stamp.Unchanged(path)) || Of(read()) == *this;
}

std::string TMergeStep::Outcome(const std::string& plainSuffix, bool deleted) const
{
    switch (action) {
    case TMergeAction::New:
    case TMergeAction::Replace:
        return plainSuffix;
    case TMergeAction::Unchanged:
        return "未改动!";
    case TMergeAction::Keep:
        return "已保留手工修改!";
    case TMergeAction::Merge:
        return "已合并!" + note;
    case TMergeAction::Conflict:
        return "有冲突，请手工解决!" + note;
    case TMergeAction::Unresolved:
        return "仍有未解决的冲突，本次未合并!";
    case TMergeAction::Beside:
        if (base.exists)
            return "有手工修改但无法合并" + note + "，已保留，新代码写入" + fs::path(besidePath).filename().string() +
                "!";
        return "与生成的代码不同且没有基准，已保留，新代码写入" + fs::path(besidePath).filename().string() + "!" + note;
    case TMergeAction::Refused:
        return "未处理：" + note + "，已跳过!";
    case TMergeAction::Obsolete:
        if (!carriedTo.empty() && oldPackage)
            return deleted ? "旧包中的文件，手工修改已带入" + carriedTo + "，已删除!"
                           : "旧包中的文件，手工修改已带入" + carriedTo + "，已保留(删除须另行确认)!";
        if (!carriedTo.empty())
            return deleted ? "类已改名，手工修改已带入" + carriedTo + "，已删除!" : "类已改名，已保留!";
        if (oldPackage)
            return !unedited ? "旧包中的文件，有手工修改，已保留!"
                             : (deleted ? "旧包中的文件，已删除!" : "旧包中的文件，已保留(删除须另行确认)!");
        return unedited ? "已过时，已删除!" : "已过时，有手工修改，已保留!";
    }
    return "";
}

namespace {

// A file only a run that makes the pages writes.
bool IsWebFile(const std::string& relative)
{
    auto ends = [&](const std::string& tail) {
        return relative.size() >= tail.size() &&
            relative.compare(relative.size() - tail.size(), tail.size(), tail) == 0;
    };
    for (const char* name : { "pom.xml", "build.xml", "README.txt", ".mvn/jvm.config", "src/validators.xml" })
        if (relative == name)
            return true;
    return relative.rfind("WebRoot/", 0) == 0 || ends("-validation.xml") || ends("Action.properties") ||
        ends("/utils/LoginFilter.java") || ends("/utils/EncodingFilter.java") || ends("/utils/AppStartup.java") ||
        ends("/utils/InputFieldValidator.java") || ends("/utils/PickServlet.java");
}

} // namespace

std::string TMergePlan::PackageChange() const
{
    if (oldPackageFiles == 0)
        return "";
    return (previousPackage.empty() ? "包名已改为 com." + package
                                    : "包名已由 com." + previousPackage + " 改为 com." + package) +
        "：旧包中的文件 " + std::to_string(oldPackageFiles) + " 个，" +
        (oldPackageCarried > 0 ? std::to_string(oldPackageCarried) + " 个的手工修改已合并进新包中的同名文件，"
                               : std::string()) +
        (deleteOldPackage && oldPackageEdited > 0
                ? "其中 " + std::to_string(oldPackageEdited) + " 个有手工修改，它们可能用到其他文件，所以全部保留"
                : deleteOldPackage ? "未经手工修改的将删除"
                                   : "全部保留(删除须另行确认)");
}

std::string TMergePlan::TargetChange() const
{
    if (previousTarget.empty() || previousTarget == target)
        return "";
    auto caption = [](const std::string& name) {
        return name == "current" ? std::string("Struts 7 + Hibernate 7 (Jakarta EE 10)")
                                 : std::string("Struts 2.3 + Hibernate 3.6");
    };
    return "目标框架已由 " + caption(previousTarget) + " 改为 " + caption(target) +
        "：每个文件按新框架重新生成，手工加的方法、字段、import、struts.xml 中的 action 和属性带入新文件；"
        "生成的成员被手工改过、而新框架又改写了它的，标为冲突，只限于该成员；"
        "只有旧框架才有的文件(如映射文件 *.hbm.xml)列为过时：没有手工修改的删除，有手工修改的保留。";
}

std::string TMergePlan::Heading() const
{
    std::string targetLine = TargetChange();
    std::string packageLine = oldPackageFiles > 0 ? PackageChange() : "";
    return targetLine + (!targetLine.empty() && !packageLine.empty() ? "\n" : "") + packageLine;
}

bool TMergePlan::Deletes(const TMergeStep& step) const
{
    return step.action == TMergeAction::Obsolete && (step.unedited || !step.carriedTo.empty()) &&
        (!step.oldPackage || (deleteOldPackage && oldPackageEdited == 0));
}

std::string TMergePlan::Why(const TMergeStep& step) const
{
    if (step.action == TMergeAction::Refused)
        return step.note;
    if (step.action == TMergeAction::Beside)
        return step.base.exists ? "有基准，但" +
                (step.note.size() > 2 ? step.note.substr(1, step.note.size() - 2) : std::string("无法合并"))
                                : "没有基准，不知道哪些是手工修改";
    if (step.action != TMergeAction::Obsolete)
        return "";
    if (!step.carriedTo.empty() && step.oldPackage)
        return Deletes(step) ? "将删除：包名已改，手工修改已带入 " + step.carriedTo
                             : "将保留：包名已改，手工修改已带入 " + step.carriedTo + "；旧包中的文件删除须另行确认";
    if (!step.carriedTo.empty())
        return "将删除：类已改名，手工修改已带入 " + step.carriedTo;
    if (!webapp && step.unedited && !step.oldPackage && IsWebFile(step.relative))
        return "将删除：这次不生成网页(没有勾选“同时生成网页”或用了 --no-webapp)，且没有手工修改";
    if (!step.unedited)
        return "将保留：有手工修改";
    if (step.oldPackage && deleteOldPackage && oldPackageEdited > 0)
        return "将保留：旧包中有手工修改的文件，它们可能用到这个文件，整个旧包都保留";
    if (step.oldPackage)
        return deleteOldPackage ? "将删除：旧包中的文件，没有手工修改，已确认删除"
                                : "将保留：旧包中的文件，删除须另行确认";
    return "将删除：模型不再生成它，且没有手工修改";
}

TMergeSummary TMergePlan::Summary() const
{
    TMergeSummary summary;
    for (const auto& step : steps)
        if (step.action != TMergeAction::Obsolete || step.disk.exists)
            summary.entries.push_back({ step.action, step.displayPath, Deletes(step), Why(step) });
    return summary;
}

TMergePlanner::TMergePlanner(
    const std::string& outputRoot, const std::string& projectName, const std::string& packageName)
    : bases_(outputRoot)
    , displayRoot_("projects/" + projectName + "/")
    , packageDir_("src/com/" + ReplaceAll(packageName, ".", "/") + "/")
    , queue_(std::max(2u, std::min(4u, std::thread::hardware_concurrency())))
{
    plan_.outputRoot = outputRoot;
    plan_.package = packageName;
    // A package change carries the edits of the old package's files into
    // the new ones, as a class rename does.
    std::string recorded = bases_.RecordedPackage();
    if (!recorded.empty() && recorded != packageName)
        previousPackageDir_ = "src/com/" + ReplaceAll(recorded, ".", "/") + "/";
}

void TMergePlanner::Put(const TOutputFile& file, const std::string& suffix)
{
    steps_.emplace_back();
    TMergeStep& step = steps_.back();
    step.relative = bases_.Relative(file.path);
    step.path = file.path;
    step.displayPath = file.displayPath;
    step.suffix = suffix;
    produced_.insert(step.relative);
    queue_.Add([this, &step, bytes = file.bytes] { Decide(step, bytes); });
}

TMergePlan TMergePlanner::Finish()
{
    queue_.WaitAll();
    // The old files of renamed classes whose edits were merged cleanly into
    // the new ones.
    std::map<std::string, std::string> carried;
    for (const auto& step : steps_)
        if (!step.carriedFrom.empty() && step.action == TMergeAction::Merge)
            carried[step.carriedFrom] = step.displayPath;
    for (auto& step : steps_)
        plan_.steps.push_back(std::move(step));
    steps_.clear();
    TBaseStore::TListing listing = bases_.Listing();
    for (const auto& relative : listing.files) {
        if (produced_.count(relative))
            continue;
        TMergeStep step;
        step.action = TMergeAction::Obsolete;
        step.relative = relative;
        step.path = bases_.FilePath(relative);
        step.displayPath = displayRoot_ + relative;
        std::string unsafe = bases_.Guard().Unsafe(relative);
        if (!unsafe.empty()) {
            step.action = TMergeAction::Refused;
            step.note = unsafe;
            plan_.steps.push_back(std::move(step));
            continue;
        }
        TFileStamp diskStamp, baseStamp;
        std::optional<std::string> disk = TFileOperate::ReadIfRegular(step.path, &diskStamp);
        std::optional<std::string> base = bases_.Read(relative, &baseStamp);
        step.disk = TFileState::Of(disk, diskStamp);
        step.base = TFileState::Of(base, baseStamp);
        step.unedited = disk && disk == base;
        if (carried.count(relative) && disk)
            step.carriedTo = carried[relative];
        // A file in a package directory other than this run's: outside
        // it, or in a package below it (the run writes only KIND/FILE
        // there; a package "shop" after "shop.admin" must not take
        // shop/admin/ for its own).
        bool inPackage = relative.rfind(packageDir_, 0) == 0;
        step.oldPackage = relative.rfind("src/", 0) == 0 && relative.find('/', 4) != std::string::npos &&
            (!inPackage || std::count(relative.begin() + packageDir_.size(), relative.end(), '/') > 1);
        if (step.oldPackage && step.disk.exists) {
            ++plan_.oldPackageFiles;
            // Edits carried cleanly into the new package no longer hold the old one.
            if (!step.unedited && step.carriedTo.empty())
                ++plan_.oldPackageEdited;
            if (!step.unedited && !step.carriedTo.empty())
                ++plan_.oldPackageCarried;
            // Its utils/HibernateUtil.java tells the package it was.
            const std::string top = "src/com/", util = "/utils/HibernateUtil.java";
            if (plan_.previousPackage.empty() && relative.rfind(top, 0) == 0 &&
                relative.size() > top.size() + util.size() &&
                relative.compare(relative.size() - util.size(), util.size(), util) == 0)
                plan_.previousPackage =
                    ReplaceAll(relative.substr(top.size(), relative.size() - util.size() - top.size()), "/", ".");
        }
        plan_.steps.push_back(std::move(step));
    }
    if (plan_.oldPackageFiles > 0) {
        std::string recorded = bases_.RecordedPackage();
        if (!recorded.empty() && recorded != plan_.package)
            plan_.previousPackage = recorded;
    }
    for (const auto& stray : listing.strays) {
        TMergeStep step;
        step.action = TMergeAction::Refused;
        step.relative = ".javagen/base/" + stray;
        step.path = bases_.OutputRoot() + "/" + step.relative;
        step.displayPath = displayRoot_ + step.relative;
        step.note = "基准目录中的这一项是符号链接或不是普通文件";
        plan_.steps.push_back(std::move(step));
    }
    return std::move(plan_);
}

void ReportMergePlan(const TMergePlan& plan, IGenerationListener& listener)
{
    if (!plan.TargetChange().empty())
        listener.Progress(plan.TargetChange());
    if (plan.oldPackageFiles > 0)
        listener.Progress(plan.PackageChange());
    for (const auto& step : plan.steps)
        if (step.action != TMergeAction::Obsolete || step.disk.exists)
            listener.Progress(std::string(MergeActionWord(step.action)) + " " + step.displayPath);
}

void IGenerationListener::MergePlanned(const std::shared_ptr<const TMergePlan>& plan)
{
    MergeDone(plan->Summary());
}
