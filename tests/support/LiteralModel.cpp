#include "LiteralModel.h"

#include "MemberTypes.h"

namespace {

bool Has(const std::string& flags, char flag)
{
    return flags.find(flag) != std::string::npos;
}

} // namespace

TModelSnapshot LiteralSnapshot(const TLiteralModel& classes)
{
    std::vector<TSnapshotClass> rows;
    int classId = 0, memberId = 0;
    for (const auto& c : classes) {
        TSnapshotClass row { ++classId, c.name, c.friendName, {} };
        for (const auto& m : c.members) {
            TMember member;
            member.SetMemberId(++memberId);
            member.SetProjectId(1);
            member.SetClassId(classId);
            member.SetMemberName(m.name);
            member.SetMemberType(m.type);
            member.SetMemberLength(m.length);
            member.SetMemberComment(m.comment);
            member.SetMemberIsPri(Has(m.flags, 'p') ? 1 : 0);
            member.SetMemberIsMust(Has(m.flags, 'm') ? 1 : 0);
            member.SetQueryFlag(Has(m.flags, 'q') ? 1 : 0);
            member.SetMemberIsDisplay(Has(m.flags, 'd') ? 1 : 0);
            member.SetMemberQueryDisplay(Has(m.flags, 'h') ? 0 : 1);
            member.SetMemberIsInteger(m.type == kTypeInteger ? 1 : 0);
            member.SetMemberIsFloat(m.type == kTypeFloat ? 1 : 0);
            row.members.push_back(TSnapshotMember::Of(member));
        }
        rows.push_back(std::move(row));
    }
    return TModelSnapshot(1, std::move(rows));
}

TLiteralModel LibraryLiteral()
{
    return {
        { "BookType", { { "bookTypeId", "整型", "pm", 0, "类型编号" }, { "typeName", "字符串", "d", 30, "类型名称" } },
            "图书类型" },
        { "Book",
            { { "isbn", "字符串", "p", 13, "书号" }, { "bookName", "字符串", "qd", 50, "图书名称" },
                { "bookType", "BookType", "qm", 0, "图书类型" }, { "price", "浮点型", "m", 0, "价格" },
                { "stock", "整型", "mh", 0, "库存数量" }, { "publishDate", "日期型", "qm", 0, "出版日期" },
                { "introduction", "字符串", "h", 500, "" } },
            "图书" },
        { "Reader",
            { { "readerNo", "字符串", "pqd", 20, "读者编号" }, { "readerName", "字符串", "m", 20, "姓名" },
                { "book", "Book", "qm", 0, "借阅图书" } },
            "读者" },
    };
}

TLiteralModel TrickyLiteral()
{
    return {
        { "Dept",
            { { "deptNo", "字符串", "pd", 20, "部门\"编号\" \\ 路径 \\u0041" },
                { "deptName", "字符串", "q", 20, "名称 -- 注释 */ 结束 -" } },
            "部门" },
        { "Person",
            { { "personId", "整型", "pm", 0, "编号*/" }, { "personName", "字符串", "qd", 20, "姓名---" },
                { "homeDept", "Dept", "m", 0, "所属部门 */" }, { "workDept", "Dept", "qm", 0, "工作部门" },
                { "birthday", "日期型", "m", 0, "生日--" } },
            "人员" },
    };
}
