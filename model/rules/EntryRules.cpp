#include "model/rules/EntryRules.h"

#include "model/rules/ClosestWord.h"
#include "model/rules/RuleText.h"

#include "model/rules/JavaWords.h"
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

// The project name names the output directory projects/<name>.
TVerdict CheckProjectNameText(const std::string& name)
{
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return TVerdict::Refuse(TRefusal::Name, "工程名称不能包含“/”或“\\”!");
    if (HasControlCharacter(name, false))
        return TVerdict::Refuse(TRefusal::Name, "工程名称不能包含控制字符!");
    if (name == "." || name == "..")
        return TVerdict::Refuse(TRefusal::Name, "工程名称不能是“.”或“..”!");
    if (!IsGbkEncodable(name))
        return TVerdict::Refuse(TRefusal::Name, "工程名称含有无法用 GBK 编码保存的字符!");
    // It names a directory; file names are limited to 255 bytes.
    if (name.size() > 200)
        return TVerdict::Refuse(TRefusal::Name, "工程名称太长(最多 200 个字节，一个汉字占 3 个字节)!");
    return TVerdict::Accept();
}

TVerdict CheckClassNameText(const std::string& className, const std::string& friendName)
{
    if (!IsAsciiIdentifier(className))
        return TVerdict::Refuse(TRefusal::Name, "类名称只能由英文字母、数字和下划线组成!");
    if (IsReservedClassName(className))
        return TVerdict::Refuse(TRefusal::Name, "类名称 " + className + " 与生成代码所用的类名冲突，请换一个名称!");
    std::string variable = ClassVariableName(className);
    if (className.size() > kMaxNameLength)
        return TVerdict::Refuse(TRefusal::Name, "类名称不能超过 64 个字符!");
    if (IsJavaKeyword(variable) || IsGeneratedName(variable))
        return TVerdict::Refuse(TRefusal::Name,
            "类名称 " + className + " 的变量名 " + variable + " 与 Java 关键字或生成代码中的变量名冲突，请换一个名称!");
    if (IsHqlKeyword(variable))
        return TVerdict::Refuse(TRefusal::Name,
            "类名称 " + className + " 的变量名 " + variable +
                " 是 Hibernate 查询语言的关键字，生成的查询无法执行，请换一个名称!");
    if (IsPageWord(variable))
        return TVerdict::Refuse(TRefusal::Name,
            "类名称 " + className + " 的变量名 " + variable +
                " 是 JSP 表达式语言或 Struts(OGNL)的保留字，生成的页面无法使用，请换一个名称!");
    if (EndsWith(className, "DAO") || EndsWith(className, "Action"))
        return TVerdict::Refuse(
            TRefusal::Name, "类名称不能以 DAO 或 Action 结尾(生成的代码用这些名称命名 DAO 类和 Action 类)!");
    if (HasControlCharacter(friendName, false))
        return TVerdict::Refuse(TRefusal::FriendName, "友好名称不能包含控制字符!");
    if (!IsGbkEncodable(friendName))
        return TVerdict::Refuse(TRefusal::FriendName, "友好名称含有无法用 GBK 编码保存的字符!");
    if (CharacterCount(friendName) > kMaxCommentLength)
        return TVerdict::Refuse(TRefusal::FriendName,
            "友好名称不能超过 " + std::to_string(kMaxCommentLength) + " 个字符(生成的 Java 代码容纳不下)!");
    return TVerdict::Accept();
}

TVerdict CheckNewProject(const std::string& projectName)
{
    if (projectName.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "工程名称不能为空!");
    if (TProjectDAO().CountProjectsByName(projectName) > 0)
        return TVerdict::Refuse(TRefusal::Duplicate, "该工程名称已经存在!");
    TVerdict blanks = CheckProjectNameBlanks(projectName);
    if (!blanks.Accepted())
        return blanks;
    return CheckProjectNameText(projectName);
}

TVerdict CheckRenameProject(int projectId, const std::string& newName)
{
    if (newName.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "工程项目名称不能为空!");
    TVerdict blanks = CheckProjectNameBlanks(newName);
    if (!blanks.Accepted())
        return blanks;
    TVerdict text = CheckProjectNameText(newName);
    if (!text.Accepted())
        return text;
    if (TProjectDAO().CountOtherProjectsByName(projectId, newName) > 0)
        return TVerdict::Refuse(TRefusal::Duplicate, "该工程名称已经存在!");
    return TVerdict::Accept();
}

TVerdict CheckAddClass(int projectId, const std::string& className, const std::string& friendName)
{
    if (className.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "类名称不能为空!");
    if (friendName.empty())
        return TVerdict::Refuse(TRefusal::FriendName, "友好名称不能为空");
    if (!IsUpperAscii(className[0]))
        return TVerdict::Refuse(TRefusal::Name, "类名首个字母必须大写");
    if (TClassDAO().CountClassesByName(projectId, className) > 0)
        return TVerdict::Refuse(TRefusal::Duplicate, "该类名称已经存在!");
    return CheckClassNameText(className, friendName);
}

TVerdict CheckUpdateClass(int projectId, int classId, const std::string& className, const std::string& friendName)
{
    if (className.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "类名称不能为空");
    if (!IsUpperAscii(className[0]))
        return TVerdict::Refuse(TRefusal::Name, "类名首个字母必须大写");
    if (friendName.empty())
        return TVerdict::Refuse(TRefusal::FriendName, "友好名称不能为空");
    TVerdict text = CheckClassNameText(className, friendName);
    if (!text.Accepted())
        return text;
    if (TClassDAO().CountOtherClassesByName(projectId, classId, className) > 0)
        return TVerdict::Refuse(TRefusal::Duplicate, "该类名称已经存在!");
    // The class variable name becomes a field of the generated Action class.
    std::string variable = ClassVariableName(className);
    auto members = TMemberDAO().OpenClassMembers(classId);
    for (; !members->Eof(); members->Next()) {
        if (members->AsText("memberName") == variable)
            return TVerdict::Refuse(
                TRefusal::Name, "类名称 " + className + " 与该类的成员 " + variable + " 冲突，请换一个名称!");
    }
    return TVerdict::Accept();
}

TVerdict CheckPackageName(const std::string& packageName)
{
    if (packageName.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "包名输入不能为空!");
    static const char* const rule = "包名必须由以“.”分隔的 Java 标识符组成(英文字母、数字和下划线，不以数字开头，不用 "
                                    "Java 关键字)，如 velmorantis 或 org.example!";
    // Checked whole before anything is written: it becomes a folder per part.
    if (packageName.size() > kMaxPackageLength)
        return TVerdict::Refuse(
            TRefusal::Name, "包名不能超过 " + std::to_string(kMaxPackageLength) + " 个字符(它的每一段都是一层目录)!");
    size_t start = 0;
    for (;;) {
        size_t dot = packageName.find('.', start);
        std::string segment = packageName.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (!IsAsciiIdentifier(segment) || IsJavaKeyword(segment))
            return TVerdict::Refuse(TRefusal::Name, rule);
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return TVerdict::Accept();
}

bool IsSqlIdentifier(const std::string& name)
{
    if (name.empty() || name.size() > 64 * 4 || (name[0] >= '0' && name[0] <= '9'))
        return false;
    size_t characters = 0;
    for (unsigned char c : name) {
        if ((c & 0xC0) != 0x80)
            ++characters;
        // Letters of any script (the database accepts them unquoted), digits, _ and $.
        if (c < 0x80 && !std::isalnum(c) && c != '_' && c != '$')
            return false;
    }
    return characters <= 64 && IsGbkEncodable(name);
}

TVerdict CheckClassNameOnly(const std::string& className)
{
    if (className.empty())
        return TVerdict::Refuse(TRefusal::EmptyName, "类名称不能为空!");
    if (!IsUpperAscii(className[0]))
        return TVerdict::Refuse(TRefusal::Name, "类名首个字母必须大写");
    return CheckClassNameText(className, className);
}

namespace {

// A qualified Java class name: identifiers separated by dots.
bool IsJavaClassName(const std::string& text)
{
    size_t start = 0;
    while (true) {
        size_t dot = text.find('.', start);
        std::string part = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        // Inner classes have a "$" in their binary name.
        std::string plain = part;
        std::replace(plain.begin(), plain.end(), '$', '_');
        if (!IsAsciiIdentifier(plain))
            return false;
        if (dot == std::string::npos)
            return true;
        start = dot + 1;
    }
}

} // namespace

TVerdict CheckProjectDatabase(const TProjectDatabase& database)
{
    auto refuse = [](const std::string& what, const std::string& text, const std::string& rule) {
        return TVerdict::Refuse(TRefusal::Column, "数据库连接的" + what + "(" + text + ")" + rule + "!");
    };
    if (!database.driver.empty() && !IsJavaClassName(database.driver))
        return refuse("驱动类", database.driver, "必须是 Java 类名，如 com.mysql.jdbc.Driver");
    if (!database.dialect.empty() && !IsJavaClassName(database.dialect))
        return refuse("方言", database.dialect, "必须是 Java 类名，如 org.hibernate.dialect.MySQL5InnoDBDialect");
    if (!database.url.empty() &&
        (database.url.rfind("jdbc:", 0) != 0 || database.url.find_first_of(" \t<>\"'`") != std::string::npos))
        return refuse("URL", database.url, "必须是以 jdbc: 开头、不含空格、引号和尖括号的 JDBC URL");
    if (database.user.find_first_of("<>&\"'") != std::string::npos)
        return refuse("用户名", database.user, "不能含有 < > & 和引号");
    return TVerdict::Accept();
}
