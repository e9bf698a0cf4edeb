// Update of an existing project from a model file: applied through the
// command layer in one transaction, the plan read off the project as it was
// and as it is then, so that it says exactly what changed.
#include "model/files/ModelFile.h"
#include "model/store/DatabaseKind.h"

#include "model/commands/ModelSnapshot.h"
#include "model/commands/ProjectSettings.h"
#include "model/files/ModelFileRead.h"
#include "model/files/ModelFileText.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberFields.h"

#include <map>
#include <set>
#include <tuple>

using nlohmann::ordered_json;

namespace {

struct TClassState {
    int id = 0;
    std::string name;
    std::string friendName;
    std::string table;
    bool readOnly = false;
    std::vector<TSnapshotMember> members;
};

struct TProjectState {
    bool exists = false;
    std::string name;
    TProjectSettings settings;
    TProjectDatabase database;
    std::vector<TClassState> classes;
};

TProjectState ReadState(int projectId)
{
    TModelSnapshot snapshot = TModelSnapshot::Read(projectId);
    TProjectState state;
    state.exists = snapshot.ProjectName().has_value();
    state.name = snapshot.ProjectName().value_or("");
    state.settings = ReadProjectSettings(projectId);
    state.database = snapshot.Database();
    for (TSnapshotClass& c : snapshot.TakeClasses())
        state.classes.push_back(
            { c.classId, c.className, c.friendName, c.tableName, c.readOnly, std::move(c.members) });
    return state;
}

std::string Shown(const std::string& text)
{
    return "“" + ShownName(text) + "”";
}

// The fields of a stored member that a file of an older version cannot
// carry, kept as they are.
void KeepUncarriedFields(const TMember& stored, int version, TMemberEntry& entry)
{
    for (const auto& field : MemberFields()) {
        if (field.since == 0 || !field.jsonKey || field.fileVersion <= version)
            continue;
        if (field.kind == TFieldKind::Flag && field.entryFlag)
            entry.*field.entryFlag = (stored.*field.getInt)() == 1;
        else if (field.kind == TFieldKind::Integer && field.entryText)
            entry.*field.entryText = (stored.*field.getInt)() == 0 ? "" : std::to_string((stored.*field.getInt)());
        else if (field.kind == TFieldKind::Text && field.entryText)
            entry.*field.entryText = (stored.*field.getText)();
    }
}

// The project brought to the file's state; the first refusal names where.
class TModelApply {
public:
    TModelApply(const TModelFileReader& reader, const TFileModel& file, int projectId, const TProjectState& before)
        : reader_(reader)
        , file_(file)
        , projectId_(projectId)
        , before_(before)
    {
    }

    TCommandResult Run()
    {
        if (TCommandResult set = Settings(); !set.Done())
            return reader_.Refuse(set.refusal, "工程" + Shown(before_.name), set.message);
        Match();
        for (size_t b = 0; b < before_.classes.size(); ++b)
            if (!matchedBefore_.count(b))
                if (TCommandResult removed = TModelCommands::DeleteClass(before_.classes[b].id); !removed.Done())
                    return removed;
        std::vector<int> classIds(file_.classes.size());
        for (size_t c = 0; c < file_.classes.size(); ++c) {
            TCommandResult entered =
                match_[c] ? Change(file_.classes[c], *match_[c]) : EnterClass(projectId_, file_.classes[c]);
            if (!entered.Done())
                return reader_.Refuse(entered.refusal, reader_.ClassWhere(file_.classes[c]), entered.message);
            classIds[c] = match_[c] ? match_[c]->id : entered.id;
        }
        // Every class's members entered anew in the file's order: the rules
        // see no half-changed class (a key moved from one member to another).
        for (const TClassState* kept : match_)
            if (kept)
                for (const TSnapshotMember& row : kept->members)
                    if (TCommandResult removed = TModelCommands::DeleteMember(row.member.GetMemberId());
                        !removed.Done())
                        return removed;
        for (size_t c = 0; c < file_.classes.size(); ++c)
            for (const TFileMember& member : file_.classes[c].members) {
                TMemberEntry entry = member.entry;
                if (const TMember* stored = StoredMember(c, entry.name))
                    KeepUncarriedFields(*stored, file_.version, entry);
                TCommandResult added = TModelCommands::AddMember(projectId_, classIds[c], entry);
                if (!added.Done())
                    return reader_.Refuse(added.refusal, reader_.MemberWhere(file_.classes[c], member), added.message);
            }
        return { TRefusal::None, "", projectId_ };
    }

private:
    // The settings the file's version carries; a key it leaves out means the default.
    TCommandResult Settings()
    {
        const TProjectSettings& now = before_.settings;
        TCommandResult done { TRefusal::None, "", projectId_ };
        if (file_.version >= kFileVersionDatabase && !(file_.database == before_.database))
            done = TModelCommands::SetProjectDatabase(projectId_, file_.database);
        std::string target = file_.target.empty() ? kTargetLegacy : file_.target;
        if (done.Done() && file_.version >= kFileVersionTarget && target != now.target)
            done = TModelCommands::SetProjectTarget(projectId_, target);
        if (done.Done() && file_.packageName && (!now.packageStored || *file_.packageName != now.packageName))
            done = TModelCommands::SetProjectPackage(projectId_, *file_.packageName);
        if (done.Done() && file_.version >= kFileVersionSettings && file_.pages != now.webapp)
            done = TModelCommands::SetProjectWebapp(projectId_, file_.pages);
        std::string kind = file_.databaseKind.empty() ? kDatabaseMysql : file_.databaseKind;
        if (done.Done() && file_.version >= kFileVersionDatabaseKind && kind != now.databaseKind)
            done = TModelCommands::SetProjectDatabaseKind(projectId_, kind);
        return done;
    }

    // Classes by name; then an unmatched file class and an unmatched
    // project class that alone share a friendly name, as a rename.
    void Match()
    {
        match_.assign(file_.classes.size(), nullptr);
        std::map<std::string, size_t> byName;
        for (size_t b = 0; b < before_.classes.size(); ++b)
            byName.emplace(before_.classes[b].name, b);
        for (size_t c = 0; c < file_.classes.size(); ++c)
            if (auto found = byName.find(file_.classes[c].name);
                found != byName.end() && matchedBefore_.insert(found->second).second)
                match_[c] = &before_.classes[found->second];
        std::multimap<std::string, size_t> fileByFriend, beforeByFriend;
        for (size_t c = 0; c < file_.classes.size(); ++c)
            if (!match_[c])
                fileByFriend.emplace(file_.classes[c].friendName, c);
        for (size_t b = 0; b < before_.classes.size(); ++b)
            if (!matchedBefore_.count(b))
                beforeByFriend.emplace(before_.classes[b].friendName, b);
        for (const auto& [friendName, c] : fileByFriend)
            if (fileByFriend.count(friendName) == 1 && beforeByFriend.count(friendName) == 1) {
                size_t b = beforeByFriend.find(friendName)->second;
                match_[c] = &before_.classes[b];
                matchedBefore_.insert(b);
            }
    }

    TCommandResult Change(const TFileClass& theClass, const TClassState& kept)
    {
        TCommandResult done { TRefusal::None, "", kept.id };
        if (theClass.name != kept.name || theClass.friendName != kept.friendName)
            done = TModelCommands::ChangeClass(projectId_, kept.id, theClass.name, theClass.friendName);
        bool readOnly = file_.version >= kFileVersionReadOnly ? theClass.readOnly : kept.readOnly;
        if (done.Done() && file_.version >= kFileVersionTable &&
            (theClass.table != kept.table || readOnly != kept.readOnly))
            done = TModelCommands::SetClassTable(kept.id, theClass.table, readOnly);
        return done;
    }

    const TMember* StoredMember(size_t c, const std::string& name) const
    {
        if (!match_[c])
            return nullptr;
        for (const TSnapshotMember& row : match_[c]->members)
            if (row.member.GetMemberName() == name)
                return &row.member;
        return nullptr;
    }

    const TModelFileReader& reader_;
    const TFileModel& file_;
    int projectId_;
    const TProjectState& before_;
    std::vector<const TClassState*> match_; // per file class: the project's class it updates
    std::set<size_t> matchedBefore_;
};

// What changed between two states of a project, one line per change.
class TUpdatePlan {
public:
    TUpdatePlan(const TProjectState& before, const TProjectState& after, const TFileModel& file)
        : before_(before)
        , after_(after)
    {
        Settings();
        if (file.project != before.name)
            losses_.push_back("文件中的工程名是" + Shown(file.project) + "，不是" + Shown(before.name));
        Classes(file);
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        if (changes_.empty()) {
            lines.push_back("没有变化：文件与工程" + Shown(before_.name) + "的模型相同。");
            return lines;
        }
        lines.push_back("变更计划(工程" + Shown(before_.name) + ")：新增类 " + std::to_string(classes_[0]) +
            " 个，修改类 " + std::to_string(classes_[1]) + " 个，删除类 " + std::to_string(classes_[2]) +
            " 个；新增成员 " + std::to_string(members_[0]) + " 个，修改成员 " + std::to_string(members_[1]) +
            " 个，删除成员 " + std::to_string(members_[2]) + " 个。");
        for (const std::string& change : changes_)
            lines.push_back("  " + change);
        return lines;
    }
    const std::vector<std::string>& Losses() const { return losses_; }

private:
    void Settings()
    {
        const TProjectSettings &was = before_.settings, &is = after_.settings;
        auto package = [](const TProjectSettings& s) { return s.packageStored ? s.packageName : "(默认)"; };
        if (package(was) != package(is))
            changes_.push_back("包名：" + package(was) + " → " + package(is));
        if (was.webapp != is.webapp)
            changes_.push_back(
                std::string("生成页面：") + (was.webapp ? "是" : "否") + " → " + (is.webapp ? "是" : "否"));
        if (was.target != is.target)
            changes_.push_back("目标框架：" + TargetCaption(was.target) + " → " + TargetCaption(is.target));
        if (was.databaseKind != is.databaseKind)
            changes_.push_back(
                "数据库：" + DatabaseKindCaption(was.databaseKind) + " → " + DatabaseKindCaption(is.databaseKind));
        const TProjectDatabase &a = before_.database, &b = after_.database;
        for (auto [what, x, y] : { std::tuple("URL", &a.url, &b.url), std::tuple("用户名", &a.user, &b.user),
                 std::tuple("驱动类", &a.driver, &b.driver), std::tuple("方言", &a.dialect, &b.dialect) })
            if (*x != *y) {
                changes_.push_back(std::string("数据库连接的") + what + "：" + Text(*x) + " → " + Text(*y));
                if (y->empty())
                    losses_.push_back(std::string("清除数据库连接的") + what);
            }
    }

    static std::string Text(const std::string& value) { return value.empty() ? "(无)" : Shown(value); }

    void Classes(const TFileModel& file)
    {
        std::map<int, const TClassState*> was;
        for (const TClassState& c : before_.classes)
            was.emplace(c.id, &c);
        std::set<int> kept;
        for (const TClassState& c : after_.classes) {
            auto found = was.find(c.id);
            if (found == was.end()) {
                ++classes_[0];
                members_[0] += static_cast<int>(c.members.size());
                changes_.push_back("新增类 " + ShownName(c.name) + "(" + ShownName(c.friendName) + ")，" +
                    std::to_string(c.members.size()) + " 个成员");
                continue;
            }
            kept.insert(c.id);
            ChangedClass(*found->second, c);
        }
        for (const TClassState& c : before_.classes)
            if (!kept.count(c.id)) {
                ++classes_[2];
                members_[2] += static_cast<int>(c.members.size());
                changes_.push_back("删除类 " + ShownName(c.name) + "(" + ShownName(c.friendName) + ")及其 " +
                    std::to_string(c.members.size()) + " 个成员");
                losses_.push_back("删除类 " + ShownName(c.name));
            }
        // Classes keep their ids, and with them the order they were entered in.
        std::vector<std::string> fileOrder, order;
        for (const TFileClass& c : file.classes)
            fileOrder.push_back(c.name);
        for (const TClassState& c : after_.classes)
            order.push_back(c.name);
        if (fileOrder != order)
            changes_.push_back("类的顺序与文件中的不同：保留工程中的顺序(类的编号不变，合并生成据此认出它们的文件)");
    }

    void ChangedClass(const TClassState& was, const TClassState& is)
    {
        std::vector<std::string> changes;
        if (was.name != is.name)
            changes.push_back("类 " + ShownName(was.name) + " 改名为 " + ShownName(is.name));
        std::string name = "类 " + ShownName(is.name);
        if (was.friendName != is.friendName)
            changes.push_back(name + " 的友好名：" + Shown(was.friendName) + " → " + Shown(is.friendName));
        if (was.table != is.table)
            changes.push_back(name + " 的数据表：" + Text(was.table) + " → " + Text(is.table));
        if (was.readOnly != is.readOnly)
            changes.push_back(name + (is.readOnly ? " 改为只读(视图)" : " 不再只读"));
        std::map<std::string, ordered_json> old;
        std::vector<std::string> oldOrder, newOrder;
        for (const TSnapshotMember& row : was.members) {
            old.emplace(row.member.GetMemberName(), MemberObject(row.member));
            oldOrder.push_back(row.member.GetMemberName());
        }
        std::set<std::string> present;
        for (const TSnapshotMember& row : is.members) {
            const std::string& memberName = row.member.GetMemberName();
            present.insert(memberName);
            auto found = old.find(memberName);
            if (found == old.end()) {
                ++members_[0];
                changes.push_back(name + " 新增成员 " + ShownName(memberName));
                continue;
            }
            newOrder.push_back(memberName);
            if (std::string differences = Differences(found->second, MemberObject(row.member)); !differences.empty()) {
                ++members_[1];
                changes.push_back(name + " 修改成员 " + ShownName(memberName) + "：" + differences);
            }
        }
        for (const std::string& memberName : oldOrder)
            if (!present.count(memberName)) {
                ++members_[2];
                changes.push_back(name + " 删除成员 " + ShownName(memberName));
                losses_.push_back("删除类 " + ShownName(is.name) + " 的成员 " + ShownName(memberName));
            }
        std::vector<std::string> keptOrder;
        for (const std::string& memberName : oldOrder)
            if (present.count(memberName))
                keptOrder.push_back(memberName);
        if (keptOrder != newOrder)
            changes.push_back(name + " 的成员按文件中的顺序排列");
        if (!changes.empty())
            ++classes_[1];
        changes_.insert(changes_.end(), changes.begin(), changes.end());
    }

    // "length 50 → 80，comment "书名" → "标题"": the keys whose values differ.
    static std::string Differences(const ordered_json& was, const ordered_json& is)
    {
        auto shown = [](const ordered_json& object, const std::string& key) {
            auto found = object.find(key);
            return found == object.end() ? std::string("(无)")
                                         : found->dump(-1, ' ', false, ordered_json::error_handler_t::replace);
        };
        std::vector<std::string> keys;
        for (const auto& item : was.items())
            keys.push_back(item.key());
        for (const auto& item : is.items())
            if (!was.contains(item.key()))
                keys.push_back(item.key());
        std::string text;
        for (const std::string& key : keys)
            if (shown(was, key) != shown(is, key))
                text += (text.empty() ? "" : "，") + key + " " + shown(was, key) + " → " + shown(is, key);
        return text;
    }

    const TProjectState& before_;
    const TProjectState& after_;
    std::vector<std::string> changes_;
    std::vector<std::string> losses_;
    int classes_[3] = {}; // added, changed, removed
    int members_[3] = {};
};

// The first few losses, so that the message stays readable; the plan has all.
std::string Joined(const std::vector<std::string>& parts)
{
    const size_t shown = 5;
    std::string text;
    for (size_t i = 0; i < parts.size() && i < shown; ++i)
        text += (text.empty() ? "" : "；") + parts[i];
    if (parts.size() > shown)
        text += " 等 " + std::to_string(parts.size()) + " 项";
    return text;
}

} // namespace

TModelUpdate UpdateModel(std::string_view text, const std::string& fileName, int projectId, TUpdateOptions options)
{
    TModelUpdate update;
    TModelFileReader reader(text, fileName);
    TFileModel file;
    if (auto refusal = reader.Read(file)) {
        update.result = *refusal;
        return update;
    }
    TDbHelper().WriteAtomically([&] {
        TProjectState before = ReadState(projectId);
        if (!before.exists) {
            update.result = reader.Refuse(TRefusal::Stale, "", "该工程已不存在，请重新选择!");
            return false;
        }
        update.result = TModelApply(reader, file, projectId, before).Run();
        if (!update.result.Done())
            return false;
        TUpdatePlan plan(before, ReadState(projectId), file);
        update.plan = plan.Lines();
        update.losses = plan.Losses();
        if (options.dryRun) {
            update.result = { TRefusal::None, "试运行：工程" + Shown(before.name) + "没有改动。", projectId };
            return false;
        }
        if (!update.losses.empty() && !options.confirmed) {
            update.result = reader.Refuse(TRefusal::Unconfirmed, "工程" + Shown(before.name),
                "这次导入会丢失内容(" + Joined(update.losses) + ")，需要确认");
            return false;
        }
        update.result = { TRefusal::None, "模型已导入到工程" + Shown(before.name) + "!", projectId };
        return true;
    });
    return update;
}
