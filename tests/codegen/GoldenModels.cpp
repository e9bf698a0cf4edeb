#include "GoldenModels.h"

#include "ClassDAO.h"
#include "EntryRules.h"
#include "MemberDAO.h"
#include "ProjectDAO.h"

#include <stdexcept>

namespace {

int AddProject(const std::string& name)
{
    TVerdict verdict = CheckNewProject(name);
    if (!verdict.Accepted())
        throw std::runtime_error(verdict.message);
    TProjectDAO().AddProject(name);
    return TProjectDAO().ListProjects().back().id;
}

int AddClass(int projectId, const std::string& name, const std::string& friendName)
{
    TVerdict verdict = CheckAddClass(projectId, name, friendName);
    if (!verdict.Accepted())
        throw std::runtime_error(verdict.message);
    TClassDAO().AddClass(projectId, name, friendName);
    return TClassDAO().GetClassId(projectId, name);
}

struct TMemberRow {
    const char* name;
    const char* type;
    const char* flags; // p primary, m required, q query, d display, h hidden on the query page
    const char* comment;
    const char* length = "20";
};

void AddMembers(int projectId, int classId, std::initializer_list<TMemberRow> rows)
{
    for (const auto& row : rows) {
        TMemberEntry e;
        e.name = row.name;
        e.type = row.type;
        e.lengthText = row.length;
        std::string flags = row.flags;
        e.isPri = flags.find('p') != std::string::npos;
        e.isMust = flags.find('m') != std::string::npos;
        e.queryFlag = flags.find('q') != std::string::npos;
        e.isDisplay = flags.find('d') != std::string::npos;
        e.queryDisplay = flags.find('h') == std::string::npos;
        e.comment = row.comment;
        AddCheckedMember(projectId, classId, e);
    }
}

} // namespace

void AddCheckedMember(int projectId, int classId, const TMemberEntry& entry)
{
    TVerdict verdict = CheckMemberEntry(TMemberDialog::Add, projectId, classId, 0, entry);
    if (!verdict.Accepted())
        throw std::runtime_error(entry.name + ": " + verdict.message);
    TMemberDAO().AddMember(BuildMemberRecord(entry, projectId, classId, 0));
}

int BuildLibraryModel(const std::string& projectName)
{
    int p = AddProject(projectName);
    int bookType = AddClass(p, "BookType", "图书类型");
    int book = AddClass(p, "Book", "图书");
    int reader = AddClass(p, "Reader", "读者");
    AddMembers(p, bookType,
        {
            { "bookTypeId", "整型", "pm", "类型编号" },
            { "typeName", "字符串", "d", "类型名称", "30" },
        });
    AddMembers(p, book,
        {
            { "isbn", "字符串", "p", "书号", "13" },
            { "bookName", "字符串", "qd", "图书名称", "50" },
            { "bookType", "BookType", "qm", "图书类型" },
            { "price", "浮点型", "m", "价格" },
            { "stock", "整型", "mh", "库存数量" },
            { "publishDate", "日期型", "qm", "出版日期" },
            { "introduction", "字符串", "h", "", "500" },
        });
    AddMembers(p, reader,
        {
            { "readerNo", "字符串", "pqd", "读者编号" },
            { "readerName", "字符串", "m", "姓名" },
            { "book", "Book", "qm", "借阅图书" },
        });
    return p;
}

int BuildTrickyModel(const std::string& projectName)
{
    int p = AddProject(projectName);
    int dept = AddClass(p, "Dept", "部门");
    int person = AddClass(p, "Person", "人员");
    AddMembers(p, dept,
        {
            { "deptNo", "字符串", "pd", "部门\"编号\" \\ 路径 \\u0041" },
            { "deptName", "字符串", "q", "名称 -- 注释 */ 结束 -" },
        });
    AddMembers(p, person,
        {
            { "personId", "整型", "pm", "编号*/" },
            { "personName", "字符串", "qd", "姓名---" },
            { "homeDept", "Dept", "m", "所属部门 */" },
            { "workDept", "Dept", "qm", "工作部门" },
            { "birthday", "日期型", "m", "生日--" },
        });
    return p;
}
