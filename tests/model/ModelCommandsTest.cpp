// The command layer every model change goes through: what each command
// confirms, what it refuses and that a refusal stores nothing.
#include "TempModelTest.h"

#include "ModelBuilder.h"
#include "RawSqlite.h"

#include "model/commands/ModelCommands.h"
#include "model/store/ClassDAO.h"
#include "model/store/DbError.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberDAO.h"
#include "model/store/ProjectDAO.h"

#include <sqlite3.h>

#include <functional>
#include <vector>

namespace {

TMemberEntry Entry(const std::string& name, const std::string& type = "字符串")
{
    TMemberEntry e;
    e.name = name;
    e.type = type;
    e.lengthText = "20";
    e.isMust = type != "字符串";
    return e;
}

TMemberEntry QueryEntry(const std::string& name)
{
    TMemberEntry e = Entry(name);
    e.queryFlag = true;
    return e;
}

class ModelCommandsTest : public TempModelTest {
protected:
    // A refused command, the refusal expected and its message.
    struct TRefused {
        const char* what;
        std::function<TCommandResult()> command;
        TRefusal kind;
        std::string message;
    };

    // Runs each command: refused as expected, and nothing stored by any.
    void ExpectRefusedUnwritten(const std::vector<TRefused>& cases)
    {
        std::string before = ModelContents(dbPath_);
        for (const auto& c : cases) {
            TCommandResult result = c.command();
            EXPECT_FALSE(result.Done()) << c.what;
            EXPECT_EQ(result.refusal, c.kind) << c.what;
            EXPECT_EQ(result.message, c.message) << c.what;
            EXPECT_EQ(ModelContents(dbPath_), before) << c.what;
        }
    }
};

} // namespace

TEST_F(ModelCommandsTest, EachCommandConfirmsWithItsOwnTextAndNamesItsRow)
{
    TCommandResult project = TModelCommands::NewProject("图书馆");
    EXPECT_EQ(project.message, "工程名称添加成功！");
    ASSERT_TRUE(project.Done());
    EXPECT_EQ(TProjectDAO().ListProjects().at(0).id, project.id);
    int p = project.id;

    TCommandResult renamed = TModelCommands::RenameProject(p, "Library");
    EXPECT_EQ(renamed.message, "工程名称修改成功！");
    EXPECT_EQ(renamed.id, p);
    EXPECT_EQ(TProjectDAO().ListProjects().at(0).text, "Library");

    TCommandResult bookType = TModelCommands::AddClass(p, "BookType", "类型");
    EXPECT_EQ(bookType.message, "类名称添加成功！");
    EXPECT_EQ(bookType.id, ClassIdOf(p, "BookType"));
    TCommandResult book = TModelCommands::AddClass(p, "Book", "图书");
    EXPECT_EQ(book.id, ClassIdOf(p, "Book"));

    TCommandResult member = TModelCommands::AddMember(p, book.id, Entry("kind", "BookType"));
    EXPECT_EQ(member.message, "类成员属性添加成功!");
    EXPECT_EQ(member.id, MemberIdOf(book.id, "kind"));

    TCommandResult changedClass = TModelCommands::ChangeClass(p, bookType.id, "Category", "分类");
    EXPECT_EQ(changedClass.message, "类名称更新成功");
    EXPECT_EQ(changedClass.id, bookType.id);
    EXPECT_EQ(TClassDAO().GetClassName(bookType.id), "Category");
    // the reference follows the class
    EXPECT_EQ(TMemberDAO().GetMember(member.id)->GetMemberType(), "Category");

    TMemberEntry changed = Entry("category", "Category");
    changed.comment = "分类";
    TCommandResult changedMember = TModelCommands::ChangeMember(member.id, changed);
    EXPECT_EQ(changedMember.message, "类成员属性更新成功!");
    EXPECT_EQ(changedMember.id, member.id);
    EXPECT_EQ(TMemberDAO().GetMember(member.id)->GetMemberName(), "category");
    EXPECT_EQ(TMemberDAO().GetMember(member.id)->GetClassId(), book.id);

    TCommandResult doneMember = TModelCommands::DeleteMember(member.id);
    EXPECT_EQ(doneMember.message, "成员属性删除成功");
    EXPECT_FALSE(TMemberDAO().GetMember(member.id));

    int title = EnterMember(p, book.id, "title", "字符串", "");
    TCommandResult doneClass = TModelCommands::DeleteClass(book.id);
    EXPECT_EQ(doneClass.message, "类对象删除成功!");
    EXPECT_FALSE(TMemberDAO().GetMember(title));
    EXPECT_EQ(TClassDAO().GetClassId(p, "Book"), -1);

    TCommandResult doneProject = TModelCommands::DeleteProject(p);
    EXPECT_EQ(doneProject.message, "删除成功!");
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from t_project"), 0);
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from t_class"), 0);
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from t_member"), 0);
}

TEST_F(ModelCommandsTest, RefusalsNameTheirKindAndStoreNothing)
{
    int p = EnterProject("Shop");
    int other = EnterProject("Store");
    int customer = EnterClass(p, "Customer", "客户");
    int order = EnterClass(p, "Purchase", "订单");
    EnterMember(p, customer, "name", "字符串", "d");
    int phone = EnterMember(p, customer, "phone", "字符串", "");
    ExpectRefusedUnwritten({
        { "empty project", [] { return TModelCommands::NewProject(""); }, TRefusal::EmptyName, "工程名称不能为空!" },
        { "empty rename", [&] { return TModelCommands::RenameProject(p, ""); }, TRefusal::EmptyName,
            "工程项目名称不能为空!" },
        { "empty member", [&] { return TModelCommands::AddMember(p, customer, Entry("")); }, TRefusal::EmptyName,
            "成员名称输入不能为空!" },
        { "empty member change", [&] { return TModelCommands::ChangeMember(phone, Entry("")); }, TRefusal::EmptyName,
            "成员名称输入不能为空!" },
        { "same project", [] { return TModelCommands::NewProject("Shop"); }, TRefusal::Duplicate,
            "该工程名称已经存在!" },
        { "rename onto another", [&] { return TModelCommands::RenameProject(other, "Shop"); }, TRefusal::Duplicate,
            "该工程名称已经存在!" },
        { "same class", [&] { return TModelCommands::AddClass(p, "Customer", "又一个"); }, TRefusal::Duplicate,
            "该类名称已经存在!" },
        { "class renamed onto another", [&] { return TModelCommands::ChangeClass(p, order, "Customer", "订单"); },
            TRefusal::Duplicate, "该类名称已经存在!" },
        { "same member", [&] { return TModelCommands::AddMember(p, customer, Entry("name")); }, TRefusal::Duplicate,
            "该成员名称已经存在!" },
        { "member renamed onto another", [&] { return TModelCommands::ChangeMember(phone, Entry("name")); },
            TRefusal::Duplicate, "该成员名称已经存在!" },
        { "lower-case class", [&] { return TModelCommands::AddClass(p, "item", "商品"); }, TRefusal::Name,
            "类名首个字母必须大写" },
        { "length",
            [&] {
                TMemberEntry e = Entry("note");
                e.lengthText = "0";
                return TModelCommands::AddMember(p, customer, e);
            },
            TRefusal::Length, "字符串类型的长度必须是 1 到 65535 之间的整数!" },
    });
}

TEST_F(ModelCommandsTest, AdminIsNoClassName)
{
    int p = EnterProject("Shop");
    int customer = EnterClass(p, "Customer", "客户");
    std::string before = ModelContents(dbPath_);
    TCommandResult added = TModelCommands::AddClass(p, "Admin", "管理员");
    EXPECT_EQ(added.refusal, TRefusal::Name);
    EXPECT_NE(added.message.find("Admin"), std::string::npos) << added.message;
    TCommandResult renamed = TModelCommands::ChangeClass(p, customer, "Admin", "管理员");
    EXPECT_EQ(renamed.refusal, TRefusal::Name);
    EXPECT_NE(renamed.message.find("Admin"), std::string::npos) << renamed.message;
    EXPECT_EQ(ModelContents(dbPath_), before);
}

// A row deleted by another program (or with its class or project) is named
// gone, and nothing is stored for it.
TEST_F(ModelCommandsTest, CommandsOnDeletedRowsAreStale)
{
    int p = EnterProject("Shop");
    int customer = EnterClass(p, "Customer", "客户");
    int name = EnterMember(p, customer, "name", "字符串", "d");
    int gone = EnterMember(p, customer, "gone", "字符串", "");
    TModelCommands::DeleteMember(gone);
    int goneClass = EnterClass(p, "Gone", "已删除");
    TModelCommands::DeleteClass(goneClass);
    int orphan = PlantMember(p, goneClass, "left", "字符串", ""); // left behind by another tool
    int goneProject = EnterProject("Closed");
    TModelCommands::DeleteProject(goneProject);

    EXPECT_TRUE(TModelCommands::MemberToChange(name).Done());
    EXPECT_EQ(TModelCommands::MemberToChange(name).message, "");
    const std::string memberGone = "该成员已不存在，请重新选择!";
    const std::string classGone = "该类已不存在，请重新选择!";
    const std::string projectGone = "该工程已不存在，请重新选择!";
    ExpectRefusedUnwritten({
        { "member to change", [&] { return TModelCommands::MemberToChange(gone); }, TRefusal::Stale, memberGone },
        { "change member", [&] { return TModelCommands::ChangeMember(gone, Entry("again")); }, TRefusal::Stale,
            memberGone },
        { "member of a deleted class", [&] { return TModelCommands::MemberToChange(orphan); }, TRefusal::Stale,
            memberGone },
        { "change member of a deleted class", [&] { return TModelCommands::ChangeMember(orphan, Entry("again")); },
            TRefusal::Stale, memberGone },
        { "add member", [&] { return TModelCommands::AddMember(p, goneClass, Entry("again")); }, TRefusal::Stale,
            classGone },
        { "change class", [&] { return TModelCommands::ChangeClass(p, goneClass, "Again", "又一个"); }, TRefusal::Stale,
            classGone },
        { "rename project", [&] { return TModelCommands::RenameProject(goneProject, "Again"); }, TRefusal::Stale,
            projectGone },
        { "add class", [&] { return TModelCommands::AddClass(goneProject, "Again", "又一个"); }, TRefusal::Stale,
            projectGone },
    });
}

TEST_F(ModelCommandsTest, ProjectNameMustNotBeginOrEndWithABlank)
{
    int p = EnterProject("Shop");
    const std::string refusal = "工程名称的开头和结尾不能是空格!";
    for (const std::string name : { "   ", " 图书馆", "图书馆 ", "图书馆\xE3\x80\x80", "\xE3\x80\x80图书馆" }) {
        std::string before = ModelContents(dbPath_);
        TCommandResult added = TModelCommands::NewProject(name);
        EXPECT_EQ(added.refusal, TRefusal::Name) << "[" << name << "]";
        EXPECT_EQ(added.message, refusal) << "[" << name << "]";
        TCommandResult renamed = TModelCommands::RenameProject(p, name);
        EXPECT_EQ(renamed.refusal, TRefusal::Name) << "[" << name << "]";
        EXPECT_EQ(renamed.message, refusal) << "[" << name << "]";
        EXPECT_EQ(ModelContents(dbPath_), before) << "[" << name << "]";
    }
    EXPECT_TRUE(TModelCommands::NewProject("图书 馆").Done());
    EXPECT_TRUE(TModelCommands::RenameProject(p, "商\xE3\x80\x80店").Done());
    EXPECT_EQ(SqlRows(dbPath_, "select projectName from t_project order by projectId"), "商\xE3\x80\x80店\n图书 馆\n");
}

// The generated paged query takes a parameter per query member, the page
// number and "this": 253 query members fill Java's 255 slots.
TEST_F(ModelCommandsTest, ClassTakesAtMost253QueryMembers)
{
    int p = EnterProject("Wide");
    int wide = EnterClass(p, "Wide", "宽");
    TDbHelper().WriteAtomically([&] {
        for (int i = 0; i < 252; ++i)
            PlantMember(p, wide, "f" + std::to_string(i), "字符串", "q", 10);
        return true;
    });
    int last = EnterMember(p, wide, QueryEntry("f252"));
    int plain = EnterMember(p, wide, "plain", "字符串", "");
    const std::string limit = "该类已有 253 个参与查询的成员，生成的查询方法不能再增加参数(Java 方法最多 255 个参数)!";
    ExpectRefusedUnwritten({
        { "254th added", [&] { return TModelCommands::AddMember(p, wide, QueryEntry("f253")); }, TRefusal::QueryLimit,
            limit },
        { "254th by a change", [&] { return TModelCommands::ChangeMember(plain, QueryEntry("plain")); },
            TRefusal::QueryLimit, limit },
    });
    // A query member of a full class is still changed; other members are
    // still added.
    EXPECT_TRUE(TModelCommands::ChangeMember(last, QueryEntry("f252renamed")).Done());
    EXPECT_TRUE(TModelCommands::AddMember(p, wide, Entry("another")).Done());
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from t_member where queryFlag=1"), 253);
}

// Another program holding the database: the command fails at once with the
// busy message naming the file, and stores nothing.
TEST_F(ModelCommandsTest, DatabaseHeldByAnotherProgramIsReportedBusy)
{
    EnterProject("kept");
    // The shared connection would wait 10 s for the lock; this test does not.
    sqlite3_busy_timeout(TDbHelper().GetConnection(), 0);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(dbPath_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    std::string file = sqlite3_db_filename(other, "main");
    std::string message;
    try {
        TModelCommands::NewProject("x");
    } catch (const TDbError& e) {
        message = e.what();
    }
    sqlite3_exec(other, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(message.substr(0, message.find('\n')), "数据库正忙：" + file + " 正被其他程序使用，请稍后再试。");
    EXPECT_EQ(SqlRows(dbPath_, "select projectName from t_project"), "kept\n");
    EXPECT_TRUE(TModelCommands::NewProject("x").Done());
}
