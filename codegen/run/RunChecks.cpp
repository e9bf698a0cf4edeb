#include "codegen/run/RunChecks.h"

#include "codegen/core/Generator.h"
#include "codegen/core/Target.h"
#include "codegen/io/FileOperate.h"
#include "model/rules/JavaWords.h"
#include "model/store/MemberTypes.h"
#include "model/store/TextCodec.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Why a name cannot be a Java identifier written in a GBK file, or empty.
std::string IdentifierFault(const std::string& name)
{
    if (!IsJavaIdentifier(name))
        return "不是合法的 Java 标识符";
    if (!IsGbkEncodable(name))
        return "含有无法用 GBK 编码保存的字符";
    if (IsReservedJavaWord(name))
        return "是 Java 关键字";
    return "";
}

// Longest name a generator of the run gives a file of this class.
size_t LongestFileName(const std::string& className, bool webapp)
{
    TTemplates none;
    std::vector<TClassData> noClasses;
    TGenInput in { "", "", none, noClasses, webapp, {}, "" };
    size_t longest = 0;
    for (const TTargetInfo& target : TargetTable())
        for (const IGenerator* generator : target.generators())
            if (generator->Enabled(in))
                for (const auto& name : generator->ClassFileNames(className))
                    longest = std::max(longest, name.size());
    return longest;
}

TCheckResult Refuse(const std::string& message)
{
    return TCheckResult::Refuse(message);
}

// A refusal because of one class, which the window then selects.
TCheckResult Refuse(const TSnapshotClass& c, const std::string& message)
{
    return { TCheckKind::Refused, c.classId, c.className, message };
}

} // namespace

TCheckResult CheckReferenceMembers(const TModelSnapshot& snapshot)
{
    for (const auto& c : snapshot.Classes())
        for (const auto& row : c.members) {
            if (!row.isReference)
                continue;
            const std::string& type = row.member.GetMemberType();
            std::string prefix = c.className + "表的成员" + row.member.GetMemberName() + "引用的类" + type;
            const TSnapshotClass* target = snapshot.FindClass(type);
            if (!target)
                return Refuse(c, prefix + "不存在!");
            if (!snapshot.PrimaryMemberByClassName(type))
                return Refuse(c, prefix + "没有主键!");
            // The pages choose an object by one key.
            if (std::count_if(target->members.begin(), target->members.end(),
                    [](const TSnapshotMember& m) { return m.isPrimary; }) > 1)
                return Refuse(c, prefix + "的主键由多个成员组成，不能被引用!");
        }
    return {};
}

TCheckResult CheckJavaNames(const TModelSnapshot& snapshot)
{
    std::unordered_set<std::string> classNames;
    for (const auto& c : snapshot.Classes()) {
        const std::string& name = c.className;
        std::string fault = IdentifierFault(name);
        if (!fault.empty())
            return Refuse(c, "类名“" + name + "”" + fault + "，无法生成代码!");
        if (IsRestrictedTypeName(name))
            return Refuse(c, "类名“" + name + "”不能用作 Java 类名，无法生成代码!");
        std::string variable = ClassVariableName(name);
        if (IsReservedJavaWord(variable))
            return Refuse(c, "类名“" + name + "”的变量名“" + variable + "”是 Java 关键字，无法生成代码!");
        if (!classNames.insert(name).second)
            return Refuse(c, "工程中有两个名为“" + name + "”的类，无法生成代码!");
    }
    for (const auto& c : snapshot.Classes()) {
        std::unordered_set<std::string> memberNames;
        // name and Name would both get getName() and setName().
        std::unordered_map<std::string, std::string> accessors;
        for (const auto& row : c.members) {
            const std::string& name = row.member.GetMemberName();
            std::string fault = IdentifierFault(name);
            if (!fault.empty())
                return Refuse(c, c.className + "表的成员“" + name + "”" + fault + "，无法生成代码!");
            if (!memberNames.insert(name).second)
                return Refuse(c, c.className + "表中有两个名为“" + name + "”的成员，无法生成代码!");
            auto accessor = accessors.emplace(CapitalizedName(name), name);
            if (!accessor.second)
                return Refuse(c,
                    c.className + "表的成员“" + accessor.first->second + "”和“" + name +
                        "”的 get/set 方法同名，无法生成代码!");
        }
    }
    return {};
}

TCheckResult CheckOutputPaths(const TModelSnapshot& snapshot, const std::string& packageName, bool webapp)
{
    const size_t limit = TFileOperate::kMaxOutputNameBytes;
    size_t start = 0;
    for (;;) {
        size_t dot = packageName.find('.', start);
        std::string segment = packageName.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (segment.size() > limit)
            return Refuse("包名中的“" + segment + "”太长，目录名会超过文件系统允许的 255 字节!");
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    for (const auto& c : snapshot.Classes())
        if (LongestFileName(c.className, webapp) > limit)
            return Refuse(c, "类名“" + c.className + "”太长，生成的文件名会超过文件系统允许的 255 字节!");
    return {};
}

TCheckResult CheckBinaryMembers(const TModelSnapshot& snapshot, const std::string& target)
{
    InstallTargets(); // the facts asked below are the table's
    for (const auto& c : snapshot.Classes()) {
        auto keys = std::count_if(c.members.begin(), c.members.end(), [](const auto& m) { return m.isPrimary; });
        for (const auto& row : c.members) {
            if (row.member.GetMemberType() != kTypeBinary)
                continue;
            std::string prefix = c.className + "表的成员" + row.member.GetMemberName() + "是二进制类型，";
            if (!TargetHasBinaryMembers(target))
                return Refuse(c,
                    prefix + "只能在目标框架 " + BinaryTargetCaptions() +
                        " 中生成(上传和下载文件)：请把工程的目标框架改为 " + BinaryTargetNames() + "!");
            if (keys > 1 || row.isPrimary)
                return Refuse(c, prefix + "所在的类须只有一个主键成员!");
        }
    }
    return {};
}

TCheckResult CheckModel(
    const TModelSnapshot& snapshot, const std::string& packageName, bool webapp, const std::string& target)
{
    InstallTargets(); // the facts the messages name are the table's
    // A name stored by a newer program, say: not another target's code.
    if (!FindTargetInfo(target))
        return Refuse("目标框架“" + target + "”不存在(可能由更新的程序设置)：只能是 " + TargetChoices() + "!");
    for (auto check : { CheckPrimaryMembers, CheckDisplayMembers, CheckReferenceMembers, CheckJavaNames }) {
        TCheckResult result = check(snapshot);
        if (!result.Passed())
            return result;
    }
    if (TCheckResult binary = CheckBinaryMembers(snapshot, target); !binary.Passed())
        return binary;
    return CheckOutputPaths(snapshot, packageName, webapp);
}
