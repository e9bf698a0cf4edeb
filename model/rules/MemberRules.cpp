#include "model/rules/EntryRules.h"

#include "model/rules/ClosestWord.h"
#include "model/rules/RuleText.h"

#include "model/rules/JavaWords.h"
#include "model/rules/TargetFacts.h"
#include "model/store/ClassDAO.h"
#include "model/store/MemberDAO.h"
#include "model/store/MemberFields.h"
#include "model/store/MemberTypes.h"
#include "model/store/ProjectDAO.h"
#include "model/store/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <set>

// The rules of a member entry.

namespace {

// Which rule of the generated code's variable names the member name breaks,
// as the message says it; empty when none.
std::string GeneratedNameClash(const std::string& name, const std::string& className)
{
    if (name == ClassVariableName(className))
        return "是类 " + className + " 自己的变量名";
    if (IsGeneratedName(name))
        return "是生成代码自己用的变量名(如 currentPage、totalPage、recordNumber)";
    // <class>DAO, <class>List and db_<class> are formed from this class's and
    // the referenced classes' variable names.
    if (EndsWith(name, "DAO"))
        return "以 DAO 结尾(生成代码用“类变量名DAO”命名 DAO 对象)";
    if (EndsWith(name, "List"))
        return "以 List 结尾(生成代码用“类变量名List”命名对象列表)";
    if (name.rfind("db_", 0) == 0)
        return "以 db_ 开头(生成代码用“db_类变量名”命名从数据库读出的对象)";
    return "";
}

// The stored target, the default when none is.
std::string ProjectTarget(int projectId)
{
    std::string target = TProjectDAO().GetTarget(projectId);
    return target.empty() ? kTargetLegacy : target;
}

bool IsSelectableType(int projectId, int classId, const std::string& type)
{
    if (IsSimpleType(type))
        return true;
    // One lookup by name (an import adds many members to many classes). A
    // class may refer to itself (a manager, a parent category).
    return TClassDAO().CountOtherClassesByName(projectId, classId, type) > 0 ||
        type == TClassDAO().GetClassName(classId);
}

// "成员类型“整形”不存在，…你是不是想用 整型?": the wrong value, the choices
// and the nearest of them.
std::string UnknownTypeMessage(int projectId, int classId, const std::string& type)
{
    std::string simple;
    for (const std::string& choice : SimpleTypes())
        simple += (simple.empty() ? "" : "、") + choice;
    std::string choices = "简单类型(" + simple + ")之一或本项目的其他类";
    if (type.empty())
        return "请选择成员类型(" + choices + ")!";
    std::string closest = ClosestWord(type, MemberTypeChoices(projectId, classId), 1);
    return "成员类型“" + type + "”不存在，请选择" + choices + "!" +
        (closest.empty() ? "" : " 你是不是想用 " + closest + "?");
}

bool ParseLength(const std::string& text, long& value)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return c >= '0' && c <= '9'; }))
        return false;
    if (text.size() > 6)
        return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

} // namespace

// The rules a member name must keep whatever else the entry holds.
TVerdict CheckMemberNameRules(const std::string& name, const std::string& className)
{
    if (!IsAsciiIdentifier(name))
        return TVerdict::Refuse(TRefusal::Name, "成员名称只能由英文字母、数字和下划线组成!");
    if (name.size() > kMaxNameLength)
        return TVerdict::Refuse(TRefusal::Name, "成员名称不能超过 64 个字符!");
    if (IsJavaKeyword(name))
        return TVerdict::Refuse(TRefusal::Name, "成员名称 " + name + " 是 Java 关键字，不能使用!");
    if (name.size() > 1 && IsUpperAscii(name[1]))
        return TVerdict::Refuse(TRefusal::Name,
            "成员名称的第二个字母不能大写(如 " + name + ")，否则 Hibernate 和 Struts 找不到它的 get/set 方法!");
    if (std::string clash = GeneratedNameClash(name, className); !clash.empty())
        return TVerdict::Refuse(
            TRefusal::Name, "成员名称 " + name + " 与生成代码中的变量名冲突(它" + clash + ")，请换一个名称!");
    if (IsSqlReservedWord(name))
        return TVerdict::Refuse(TRefusal::Name, "成员名称 " + name + " 是数据库保留字，不能作为列名!");
    if (IsPageWord(name))
        return TVerdict::Refuse(TRefusal::Name,
            "成员名称 " + name + " 是 JSP 表达式语言或 Struts(OGNL)的保留字，生成的页面无法使用，请换一个名称!");
    return TVerdict::Accept();
}

namespace {

bool ParseCount(const std::string& text, long& value)
{
    if (text.empty()) {
        value = 0;
        return true;
    }
    return ParseLength(text, value);
}

} // namespace

// The rules on what an import knows of a member's column.
TVerdict CheckChoices(const TMemberEntry& entry)
{
    if (entry.type != kTypeString)
        return TVerdict::Refuse(TRefusal::Column, "只有字符串类型的成员可以设置可选值!");
    long length = 0;
    ParseLength(entry.lengthText, length);
    std::set<std::string> seen;
    for (const std::string& value : SplitChoices(entry.choices)) {
        if (value.empty() || !seen.insert(value).second)
            return TVerdict::Refuse(TRefusal::Column, "可选值以“|”分隔，不能有空值或重复的值!");
        if (HasControlCharacter(value, true) || !IsGbkEncodable(value))
            return TVerdict::Refuse(TRefusal::Column, "可选值“" + value + "”含有控制字符或无法用 GBK 编码保存的字符!");
        if (static_cast<long>(CharacterCount(value)) > length)
            return TVerdict::Refuse(
                TRefusal::Column, "可选值“" + value + "”超过了成员的长度 " + entry.lengthText + "!");
    }
    if (CharacterCount(entry.choices) > kMaxCommentLength)
        return TVerdict::Refuse(
            TRefusal::Column, "可选值合起来不能超过 " + std::to_string(kMaxCommentLength) + " 个字符!");
    return TVerdict::Accept();
}

// A many-to-many member: a class type, both link columns and the table
// named, and none of the flags of a column of the class's own table.
TVerdict CheckLinkData(const TMemberEntry& entry)
{
    for (const std::string* name : { &entry.linkTable, &entry.linkColumn, &entry.columnName })
        if (!IsSqlIdentifier(*name))
            return TVerdict::Refuse(TRefusal::Column,
                "多对多成员的联系表“" + entry.linkTable + "”及其列“" + entry.linkColumn + "”、“" + entry.columnName +
                    "”都必须是普通的 SQL 标识符!");
    if (IsSimpleType(entry.type))
        return TVerdict::Refuse(TRefusal::Type, "多对多成员的类型必须是本项目的类!");
    if (entry.isPri || entry.queryFlag || entry.isDisplay || entry.nullable || !entry.filled.empty() ||
        !entry.keyGenerator.empty())
        return TVerdict::Refuse(TRefusal::Flags, "多对多成员不能是主键、参与查询、下拉框显示、可为空或由数据库填写!");
    return TVerdict::Accept();
}

TVerdict CheckColumnData(const TMemberEntry& entry)
{
    if (!entry.columnName.empty() && !IsSqlIdentifier(entry.columnName))
        return TVerdict::Refuse(TRefusal::Column,
            "列名“" + entry.columnName +
                "”不是普通的 SQL 标识符(只能由字母、数字、下划线和 $ 组成，不以数字开头，最长 64 个字符)!");
    if (entry.nullable && entry.isPri)
        return TVerdict::Refuse(TRefusal::Flags, "主键字段不能允许为空!");
    const std::string& generator = entry.keyGenerator;
    if (!generator.empty() && generator != "native" && generator != "assigned")
        return TVerdict::Refuse(TRefusal::Column, "主键的生成方式只能是 native(由数据库生成)或 assigned(由程序给出)!");
    if (!generator.empty() && !entry.isPri)
        return TVerdict::Refuse(TRefusal::Column, "只有主键字段可以设置生成方式!");
    if (generator == "native" && entry.type == kTypeString)
        return TVerdict::Refuse(TRefusal::Column, "字符串类型的主键不能由数据库生成(native)!");
    long precision = 0, scale = 0;
    if (!ParseCount(entry.precision, precision) || !ParseCount(entry.scale, scale) || precision > 65 || scale > 30 ||
        (precision > 0 && scale > precision) || (precision == 0 && scale > 0))
        return TVerdict::Refuse(
            TRefusal::Length, "定点数的精度必须是 1 到 65 之间的整数，小数位数必须是 0 到 30 之间且不大于精度的整数!");
    if ((precision > 0 || scale > 0) && entry.type != kTypeDecimal)
        return TVerdict::Refuse(TRefusal::Length, "只有定点数类型可以设置精度和小数位数!");
    if (!entry.filled.empty() && entry.filled != "default" && entry.filled != "always")
        return TVerdict::Refuse(TRefusal::Column,
            "由数据库填写的方式只能是 default(页面空着时用数据库的默认值)或 always(ON UPDATE 或生成列，程序从不写入)!");
    if (!entry.filled.empty() && entry.columnName.empty())
        return TVerdict::Refuse(TRefusal::Column, "只有对应数据库列(设置了列名)的成员可以由数据库填写!");
    if (!entry.choices.empty()) {
        TVerdict choices = CheckChoices(entry);
        if (!choices.Accepted())
            return choices;
    }
    if (!entry.choiceMode.empty() && entry.choiceMode != "several")
        return TVerdict::Refuse(TRefusal::Column, "可选值的选法只能是 several(可以选多个)或不写(只选一个)!");
    if (entry.choiceMode == "several" && (entry.choices.empty() || entry.choices.find(',') != std::string::npos))
        return TVerdict::Refuse(
            TRefusal::Column, "可以选多个的成员必须有可选值，且可选值中不能有逗号(选中的值以逗号连接)!");
    if (!entry.linkTable.empty() || !entry.linkColumn.empty()) {
        TVerdict link = CheckLinkData(entry);
        if (!link.Accepted())
            return link;
    }
    if (entry.filled == "always" && entry.isPri)
        return TVerdict::Refuse(
            TRefusal::Column, "主键不能设置为总是由数据库填写(always)，数据库生成的主键请用 native!");
    return TVerdict::Accept();
}

TVerdict CheckMemberEntry(TMemberDialog dialog, int projectId, int classId, int memberId, const TMemberEntry& entry)
{
    const std::string& name = entry.name;
    const std::string& type = entry.type;
    // A long integer key holds what an 整型 key cannot (a BIGINT key).
    bool keyTypeAllowed = type == kTypeString || type == kTypeInteger || type == kTypeLong;
    if (name.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "成员名称输入不能为空!");
    if (!IsLowerAscii(name[0]))
        return TVerdict::Refuse(TRefusal::Name, "成员属性首个字母必须小写");
    // A type that is none of the choices is answered as such before any rule
    // that reads the type.
    if (!IsSelectableType(projectId, classId, type))
        return TVerdict::Refuse(TRefusal::Type, UnknownTypeMessage(projectId, classId, type));
    // Files are uploaded and downloaded only by the current frameworks' code.
    if (type == kTypeBinary && !TargetHasBinaryMembers(ProjectTarget(projectId)))
        return TVerdict::Refuse(TRefusal::Type,
            "二进制成员只能用于目标框架为 " + BinaryTargetCaptions() +
                " 的工程(上传和下载文件)：请先把工程的目标框架改为 " + BinaryTargetNames() + "!");
    // A column that may hold NULL, or that the database fills (imported),
    // is optional whatever its type.
    if (type != kTypeString && !entry.isMust && !entry.nullable && entry.filled.empty() && entry.linkTable.empty())
        return TVerdict::Refuse(TRefusal::Flags, "除了字符串类型外其他类型必须勾选是否必填标志!");
    if (dialog == TMemberDialog::Add && entry.isPri && !keyTypeAllowed)
        return TVerdict::Refuse(TRefusal::Flags, "主键字段必须是整型或字符串型!");
    if (entry.queryFlag && IsNumberType(type))
        return TVerdict::Refuse(TRefusal::Flags, "参与查询的字段不要设置整型或浮点型");
    // Bytes are neither searched nor shown in a drop-down.
    if (type == kTypeBinary && (entry.queryFlag || entry.isDisplay))
        return TVerdict::Refuse(TRefusal::Flags, "二进制成员不能参与查询，也不能作为下拉框显示成员!");

    // Stricter rules: what the generated Java and database need.
    if (entry.isPri && !keyTypeAllowed)
        return TVerdict::Refuse(TRefusal::Flags, "主键字段必须是整型或字符串型!");
    TVerdict text = CheckMemberNameRules(name, TClassDAO().GetClassName(classId));
    if (!text.Accepted())
        return text;
    if (TMemberDAO().CountOtherMembersByName(classId, memberId, name) > 0)
        return TVerdict::Refuse(TRefusal::Duplicate, "该成员名称已经存在!");
    long length = 0;
    if (type == kTypeString && (!ParseLength(entry.lengthText, length) || length < 1 || length > 65535))
        return TVerdict::Refuse(TRefusal::Length, "字符串类型的长度必须是 1 到 65535 之间的整数!");
    if (HasControlCharacter(entry.comment, true))
        return TVerdict::Refuse(TRefusal::Comment, "成员注释不能包含换行等控制字符!");
    if (!IsGbkEncodable(entry.comment))
        return TVerdict::Refuse(TRefusal::Comment, "成员注释含有无法用 GBK 编码保存的字符!");
    if (CharacterCount(entry.comment) > kMaxCommentLength)
        return TVerdict::Refuse(TRefusal::Comment,
            "成员注释不能超过 " + std::to_string(kMaxCommentLength) + " 个字符(生成的 Java 代码容纳不下)!");
    TVerdict column = CheckColumnData(entry);
    if (!column.Accepted())
        return column;
    if (entry.queryFlag && TMemberDAO().CountOtherQueryMembers(classId, memberId) >= kMaxQueryMembers)
        return TVerdict::Refuse(TRefusal::QueryLimit,
            "该类已有 " + std::to_string(kMaxQueryMembers) +
                " 个参与查询的成员，生成的查询方法不能再增加参数(Java 方法最多 255 个参数)!");
    return TVerdict::Accept();
}

TVerdict CheckMemberNameText(const std::string& name, const std::string& className)
{
    if (name.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "成员名称输入不能为空!");
    if (!IsLowerAscii(name[0]))
        return TVerdict::Refuse(TRefusal::Name, "成员属性首个字母必须小写");
    return CheckMemberNameRules(name, className);
}

TMemberEntry EntryOf(const TMember& member)
{
    TMemberEntry entry;
    entry.name = member.GetMemberName();
    entry.type = member.GetMemberType();
    entry.lengthText = std::to_string(member.GetMemberLength());
    entry.comment = member.GetMemberComment();
    for (const TMemberField* flag : EntryFlagFields())
        entry.*flag->entryFlag = (member.*flag->getInt)() == 1;
    for (const TMemberField* field : EntryTextFields()) {
        if (field->kind == TFieldKind::Text)
            entry.*field->entryText = (member.*field->getText)();
        else {
            int value = (member.*field->getInt)();
            entry.*field->entryText = value == 0 ? "" : std::to_string(value);
        }
    }
    return entry;
}

TMember BuildMemberRecord(const TMemberEntry& entry, int projectId, int classId, int memberId)
{
    TMember member;
    member.SetMemberId(memberId);
    member.SetProjectId(projectId);
    member.SetClassId(classId);
    member.SetMemberName(entry.name);
    member.SetMemberType(entry.type);
    // An imported date keeps the length of its column's text (19 for a
    // DATETIME); a date of the dialogs has none.
    bool importedDate = entry.type == kTypeDate && !entry.columnName.empty();
    // Imported bytes keep how many their column holds; other bytes have no
    // limit of their own (the dialogs' length is a text's).
    bool importedBytes = entry.type == kTypeBinary && !entry.columnName.empty();
    if (entry.type == kTypeString || importedDate || importedBytes)
        member.SetMemberLength(static_cast<int>(std::strtol(entry.lengthText.c_str(), nullptr, 10)));
    if (entry.type == kTypeInteger)
        member.SetMemberIsInteger(1);
    if (entry.type == kTypeFloat)
        member.SetMemberIsFloat(1);
    for (const TMemberField* flag : EntryFlagFields())
        (member.*flag->setInt)(entry.*flag->entryFlag ? 1 : 0);
    for (const TMemberField* field : EntryTextFields()) {
        const std::string& text = entry.*field->entryText;
        if (field->kind == TFieldKind::Text)
            (member.*field->setText)(text);
        else
            (member.*field->setInt)(static_cast<int>(std::strtol(text.c_str(), nullptr, 10)));
    }
    member.SetMemberComment(entry.comment);
    return member;
}

std::vector<std::string> MemberTypeChoices(int projectId, int classId)
{
    std::vector<std::string> types = SimpleTypes();
    // Bytes are offered where they can be generated.
    if (!TargetHasBinaryMembers(ProjectTarget(projectId)))
        types.erase(std::remove(types.begin(), types.end(), std::string(kTypeBinary)), types.end());
    for (const auto& entry : TClassDAO().ListOtherClasses(projectId, classId))
        types.push_back(entry.text);
    return types;
}
