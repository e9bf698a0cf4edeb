#include "ModelBuilder.h"

#include "model/commands/ModelCommands.h"
#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberDAO.h"
#include "model/store/MemberTypes.h"
#include "model/store/ProjectDAO.h"

#include <stdexcept>

namespace {

bool HasFlag(const std::string& flags, char flag)
{
    return flags.find(flag) != std::string::npos;
}

int LastInsertedId()
{
    return TDbHelper().QueryInteger("select last_insert_rowid()");
}

int Entered(const std::string& name, const TCommandResult& result)
{
    if (!result.Done())
        throw std::runtime_error(name + ": " + result.message);
    return result.id;
}

} // namespace

int PlantProject(const std::string& name)
{
    TProjectDAO().AddProject(name);
    return LastInsertedId();
}

int PlantClass(int projectId, const std::string& name, const std::string& friendName)
{
    TClassDAO().AddClass(projectId, name, friendName);
    return LastInsertedId();
}

TMember MakeMember(int projectId, int classId, const std::string& name, const std::string& type)
{
    TMember m;
    m.SetProjectId(projectId);
    m.SetClassId(classId);
    m.SetMemberName(name);
    m.SetMemberType(type);
    return m;
}

int PlantMember(const TMember& member)
{
    TMemberDAO().AddMember(member);
    return LastInsertedId();
}

int PlantMember(int projectId, int classId, const std::string& name, const std::string& type, const std::string& flags,
    int length, const std::string& comment)
{
    TMember m = MakeMember(projectId, classId, name, type);
    m.SetMemberLength(length);
    m.SetMemberIsPri(HasFlag(flags, 'p') ? 1 : 0);
    m.SetMemberIsMust(HasFlag(flags, 'm') ? 1 : 0);
    m.SetQueryFlag(HasFlag(flags, 'q') ? 1 : 0);
    m.SetMemberIsDisplay(HasFlag(flags, 'd') ? 1 : 0);
    m.SetMemberQueryDisplay(HasFlag(flags, 'h') ? 0 : 1);
    m.SetMemberIsInteger(type == kTypeInteger ? 1 : 0);
    m.SetMemberIsFloat(type == kTypeFloat ? 1 : 0);
    m.SetMemberComment(comment);
    return PlantMember(m);
}

int EnterProject(const std::string& name)
{
    return Entered(name, TModelCommands::NewProject(name));
}

int EnterClass(int projectId, const std::string& name, const std::string& friendName)
{
    return Entered(name, TModelCommands::AddClass(projectId, name, friendName));
}

int EnterMember(int projectId, int classId, const std::string& name, const std::string& type, const std::string& flags,
    int length, const std::string& comment)
{
    TMemberEntry e;
    e.name = name;
    e.type = type;
    e.lengthText = std::to_string(length);
    e.isPri = HasFlag(flags, 'p');
    e.isMust = HasFlag(flags, 'm');
    e.queryFlag = HasFlag(flags, 'q');
    e.isDisplay = HasFlag(flags, 'd');
    e.queryDisplay = !HasFlag(flags, 'h');
    e.comment = comment;
    return EnterMember(projectId, classId, e);
}

int EnterMember(int projectId, int classId, const TMemberEntry& entry)
{
    return Entered(entry.name, TModelCommands::AddMember(projectId, classId, entry));
}

int ClassIdOf(int projectId, const std::string& className)
{
    int id = TClassDAO().GetClassId(projectId, className);
    if (id == -1)
        throw std::runtime_error("no class " + className + " in project " + std::to_string(projectId));
    return id;
}

int MemberIdOf(int classId, const std::string& memberName)
{
    int id = TDbHelper().QueryInteger(
        "select memberId from t_member where classId=? and memberName=? order by memberId", { classId, memberName });
    if (id == -1)
        throw std::runtime_error("no member " + memberName + " in class " + std::to_string(classId));
    return id;
}

int BuildLibraryModel(const std::string& projectName)
{
    int p = EnterProject(projectName);
    int bookType = EnterClass(p, "BookType", "图书类型");
    int book = EnterClass(p, "Book", "图书");
    int reader = EnterClass(p, "Reader", "读者");
    EnterMember(p, bookType, "bookTypeId", "整型", "pm", 20, "类型编号");
    EnterMember(p, bookType, "typeName", "字符串", "d", 30, "类型名称");
    EnterMember(p, book, "isbn", "字符串", "p", 13, "书号");
    EnterMember(p, book, "bookName", "字符串", "qd", 50, "图书名称");
    EnterMember(p, book, "bookType", "BookType", "qm", 20, "图书类型");
    EnterMember(p, book, "price", "浮点型", "m", 20, "价格");
    EnterMember(p, book, "stock", "整型", "mh", 20, "库存数量");
    EnterMember(p, book, "publishDate", "日期型", "qm", 20, "出版日期");
    EnterMember(p, book, "introduction", "字符串", "h", 500, "");
    EnterMember(p, reader, "readerNo", "字符串", "pqd", 20, "读者编号");
    EnterMember(p, reader, "readerName", "字符串", "m", 20, "姓名");
    EnterMember(p, reader, "book", "Book", "qm", 20, "借阅图书");
    return p;
}

int BuildTrickyModel(const std::string& projectName)
{
    int p = EnterProject(projectName);
    int dept = EnterClass(p, "Dept", "部门");
    int person = EnterClass(p, "Person", "人员");
    EnterMember(p, dept, "deptNo", "字符串", "pd", 20, "部门\"编号\" \\ 路径 \\u0041");
    EnterMember(p, dept, "deptName", "字符串", "q", 20, "名称 -- 注释 */ 结束 -");
    EnterMember(p, person, "personId", "整型", "pm", 20, "编号*/");
    EnterMember(p, person, "personName", "字符串", "qd", 20, "姓名---");
    EnterMember(p, person, "homeDept", "Dept", "m", 20, "所属部门 */");
    EnterMember(p, person, "workDept", "Dept", "qm", 20, "工作部门");
    EnterMember(p, person, "birthday", "日期型", "m", 20, "生日--");
    return p;
}
