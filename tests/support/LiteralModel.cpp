#include "LiteralModel.h"

#include "model/store/MemberTypes.h"

#include <utility>

namespace {

bool Has(const std::string& flags, char flag)
{
    return flags.find(flag) != std::string::npos;
}

// "name@extra" as its two parts; no "@" gives an empty second part.
std::pair<std::string, std::string> Split(const std::string& text)
{
    size_t at = text.find('@');
    if (at == std::string::npos)
        return { text, "" };
    return { text.substr(0, at), text.substr(at + 1) };
}

} // namespace

TModelSnapshot LiteralSnapshot(const TLiteralModel& classes)
{
    std::vector<TSnapshotClass> rows;
    int classId = 0, memberId = 0;
    for (const auto& c : classes) {
        auto [name, table] = Split(c.name);
        // "View@some_view!": a view's read-only class.
        bool readOnly = !table.empty() && table.back() == '!';
        if (readOnly)
            table.pop_back();
        TSnapshotClass row { ++classId, name, c.friendName, {}, table, readOnly };
        for (const auto& m : c.members) {
            TMember member;
            member.SetMemberId(++memberId);
            member.SetProjectId(1);
            member.SetClassId(classId);
            auto [memberName, column] = Split(m.name);
            member.SetMemberName(memberName);
            member.SetColumnName(column);
            std::string type = m.type;
            size_t open = type.find('(');
            if (open != std::string::npos) {
                member.SetMemberPrecision(std::stoi(type.substr(open + 1)));
                member.SetMemberScale(std::stoi(type.substr(type.find(',') + 1)));
                type = type.substr(0, open);
            }
            member.SetMemberType(type);
            member.SetMemberNullable(Has(m.flags, 'n') ? 1 : 0);
            member.SetKeyGenerator(Has(m.flags, 'g') ? "native" : Has(m.flags, 'a') ? "assigned" : "");
            member.SetColumnFilled(Has(m.flags, 'f') ? "default" : Has(m.flags, 'F') ? "always" : "");
            member.SetMemberLength(m.length);
            member.SetMemberComment(m.comment);
            member.SetMemberIsPri(Has(m.flags, 'p') ? 1 : 0);
            member.SetMemberIsMust(Has(m.flags, 'm') ? 1 : 0);
            member.SetQueryFlag(Has(m.flags, 'q') ? 1 : 0);
            member.SetMemberIsDisplay(Has(m.flags, 'd') ? 1 : 0);
            member.SetMemberQueryDisplay(Has(m.flags, 'h') ? 0 : 1);
            member.SetMemberIsInteger(type == kTypeInteger ? 1 : 0);
            member.SetMemberIsFloat(type == kTypeFloat ? 1 : 0);
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
