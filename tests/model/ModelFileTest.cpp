// Model files: a project exported as canonical JSON text and imported again
// through the entry rules, whole or not at all.
#include "TempModelTest.h"

#include "ModelBuilder.h"
#include "RandomModel.h"
#include "RawSqlite.h"

#include "model/commands/ModelCommands.h"
#include "model/files/ModelFile.h"
#include "model/store/ClassDAO.h"
#include "model/store/MemberDAO.h"
#include "model/store/ProjectDAO.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

// The text without its "project" line, the one line two exports of one
// model under two names differ in.
std::string WithoutProjectLine(const std::string& text)
{
    std::istringstream in(text);
    std::string line, kept;
    while (std::getline(in, line))
        if (line.rfind("  \"project\": ", 0) != 0)
            kept += line + "\n";
    return kept;
}

// A model file of the given project holding the given classes (the text
// inside the "classes" brackets).
std::string ModelText(const std::string& classes, const std::string& project = "导入")
{
    return "{\n  \"format\": \"javagen-model\",\n  \"version\": 1,\n  \"project\": \"" + project +
        "\",\n  \"classes\": [\n" + classes + "\n  ]\n}\n";
}

// One class with its members (each a JSON object text).
std::string ClassText(const std::string& name, const std::string& friendName, const std::vector<std::string>& members)
{
    std::string text = "    {\"name\": \"" + name + "\", \"friendName\": \"" + friendName + "\", \"members\": [";
    for (size_t i = 0; i < members.size(); ++i)
        text += (i ? ",\n      " : "\n      ") + members[i];
    return text + "]}";
}

// A member object as the export writes it; flags are letters as in
// ModelBuilder (p primary, m required, q query, d display, h hidden on the
// query page).
std::string MemberText(const std::string& name, const std::string& type, int length, const std::string& flags,
    const std::string& comment = "")
{
    auto flag = [&](char letter) { return flags.find(letter) != std::string::npos ? "true" : "false"; };
    return "{\"name\":\"" + name + "\",\"type\":\"" + type + "\",\"length\":" + std::to_string(length) +
        ",\"primary\":" + flag('p') + ",\"required\":" + flag('m') + ",\"query\":" + flag('q') +
        ",\"display\":" + flag('d') + ",\"queryDisplay\":" + (flags.find('h') != std::string::npos ? "false" : "true") +
        ",\"comment\":\"" + comment + "\"}";
}

// A class a refusal test can build on: a key, a display member and a
// reference to the class Shelf.
std::string GoodBook()
{
    return ClassText("Book", "图书",
        { MemberText("isbn", "字符串", 13, "pd", "书号"), MemberText("shelf", "Shelf", 0, "m", "书架") });
}
std::string GoodShelf()
{
    return ClassText("Shelf", "书架", { MemberText("shelfNo", "字符串", 10, "pd") });
}

class ModelFileTest : public TempModelTest {
protected:
    // A model already in the database, so that a refused import has rows
    // and key sequences it could disturb.
    void SetUp() override
    {
        TempModelTest::SetUp();
        library_ = BuildLibraryModel("图书馆");
    }

    // Imports under the new name and exports the new project.
    std::string ReimportedText(const std::string& text, const std::string& newName)
    {
        TCommandResult result = ImportModel(text, "model.json", newName);
        EXPECT_TRUE(result.Done()) << result.message;
        EXPECT_EQ(result.message, "模型已导入为工程“" + newName + "”!");
        return result.Done() ? ExportModel(result.id) : std::string();
    }

    // The import is refused with the message and the database is as it was:
    // no project, class or member, not even a used key.
    void ExpectRefused(
        const std::string& text, const std::string& message, const std::optional<std::string>& newName = std::nullopt)
    {
        std::string before = ModelContents(dbPath_);
        TCommandResult result = ImportModel(text, "model.json", newName);
        EXPECT_FALSE(result.Done());
        EXPECT_EQ(result.message, message);
        EXPECT_EQ(ModelContents(dbPath_), before) << message;
    }

    int library_ = 0;
};

} // namespace

// ---- round trip ---------------------------------------------------------

// What an import knows (database, tables, columns, new types) makes a
// version 2 file that comes back whole; a model without it stays version 1.
TEST_F(ModelFileTest, ColumnDataComesBackInVersion2)
{
    EXPECT_NE(ExportModel(library_).find("  \"version\": 1,\n"), std::string::npos);
    int shop = PlantProject("商店");
    TProjectDAO().SetDatabase(shop,
        { "jdbc:mysql://db:3306/shop?useUnicode=true&characterEncoding=UTF-8", "shopper", "com.mysql.jdbc.Driver",
            "org.hibernate.dialect.MySQL5InnoDBDialect" });
    int goods = PlantClass(shop, "Goods", "商品");
    TClassDAO().SetTableName(goods, "goods", false);
    TMember key = MakeMember(shop, goods, "goodsId", "长整型");
    key.SetMemberIsPri(1);
    key.SetMemberIsMust(1);
    key.SetMemberIsDisplay(1);
    key.SetColumnName("goods_id");
    key.SetKeyGenerator("native");
    PlantMember(key);
    TMember price = MakeMember(shop, goods, "price", "定点数");
    price.SetColumnName("price");
    price.SetMemberNullable(1);
    price.SetMemberPrecision(10);
    price.SetMemberScale(2);
    PlantMember(price);

    std::string text = ExportModel(shop);
    for (const char* part : { "  \"version\": 2,\n",
             "  \"database\": {\"url\":\"jdbc:mysql://db:3306/shop?useUnicode=true&characterEncoding=UTF-8\","
             "\"user\":\"shopper\",\"driver\":\"com.mysql.jdbc.Driver\","
             "\"dialect\":\"org.hibernate.dialect.MySQL5InnoDBDialect\"},\n",
             "      \"table\": \"goods\",\n", "\"comment\":\"\",\"column\":\"goods_id\",\"generator\":\"native\"}",
             "\"column\":\"price\",\"nullable\":true,\"precision\":10,\"scale\":2}" })
        EXPECT_NE(text.find(part), std::string::npos) << part << "\nin\n" << text;
    std::string again = ReimportedText(text, "商店二");
    EXPECT_EQ(WithoutProjectLine(again), WithoutProjectLine(text));

    // A column the database fills needs version 3, which an older program
    // refuses instead of dropping the value.
    TMember updated = MakeMember(shop, goods, "updatedAt", "日期型");
    updated.SetColumnName("updated_at");
    updated.SetColumnFilled("always");
    PlantMember(updated);
    text = ExportModel(shop);
    EXPECT_NE(text.find("  \"version\": 3,\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"column\":\"updated_at\",\"filled\":\"always\"}"), std::string::npos) << text;
    again = ReimportedText(text, "商店三");
    EXPECT_EQ(WithoutProjectLine(again), WithoutProjectLine(text));

    // A view's class needs version 4; in a version 3 file the key is unknown.
    TClassDAO().SetTableName(goods, "goods_view", true);
    text = ExportModel(shop);
    EXPECT_NE(text.find("  \"version\": 4,\n"), std::string::npos) << text;
    EXPECT_NE(text.find("      \"table\": \"goods_view\",\n      \"readOnly\": true,\n"), std::string::npos) << text;
    again = ReimportedText(text, "商店四");
    EXPECT_EQ(WithoutProjectLine(again), WithoutProjectLine(text));
    // The frameworks a project is made for come back with it.
    ASSERT_TRUE(TModelCommands::SetProjectTarget(shop, "current").Done());
    text = ExportModel(shop);
    EXPECT_NE(text.find("  \"target\": \"current\",\n"), std::string::npos) << text;
    again = ReimportedText(text, "商店六");
    EXPECT_EQ(WithoutProjectLine(again), WithoutProjectLine(text));
    std::string older = text;
    older.replace(older.find("\"version\": 4"), std::string("\"version\": 4").size(), "\"version\": 3");
    TCommandResult refused = ImportModel(older, "model.json", "商店五");
    EXPECT_FALSE(refused.Done());
    EXPECT_NE(refused.message.find("本程序不认识的键"), std::string::npos) << refused.message;
}

TEST_F(ModelFileTest, LibraryAndTrickyModelsComeBackTheSame)
{
    int tricky = BuildTrickyModel("公司");
    for (int project : { library_, tricky }) {
        std::string text = ExportModel(project);
        std::string again = ReimportedText(text, "副本" + std::to_string(project));
        EXPECT_EQ(WithoutProjectLine(again), WithoutProjectLine(text));
        EXPECT_NE(again.find("  \"project\": \"副本" + std::to_string(project) + "\",\n"), std::string::npos);
    }
}

TEST_F(ModelFileTest, RandomModelsComeBackTheSame)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::ostringstream description;
        int project = EnterProject("随机" + std::to_string(seed));
        TModelMaker(seed * 7919u, description).Build(project);
        std::string text = ExportModel(project);
        std::string again = ReimportedText(text, "副本" + std::to_string(seed));
        EXPECT_EQ(WithoutProjectLine(again), WithoutProjectLine(text)) << description.str();
    }
}

// The awkward comments land in the database unchanged, not just in the text.
TEST_F(ModelFileTest, ImportedCommentsAreTheEnteredOnes)
{
    int p = EnterProject("注释");
    int c = EnterClass(p, "Note", "便条");
    const std::vector<std::string> comments = { "\"引号\"", "反斜杠\\", "*/ 结束", "-- 注释", "\\u0041", "制表\t符",
        "中文", "'单引号'", "" };
    EnterMember(p, c, "noteId", "整型", "pmd", 20, comments[0]);
    for (size_t i = 1; i < comments.size(); ++i)
        EnterMember(p, c, "note" + std::to_string(i), "字符串", "", 20, comments[i]);
    TCommandResult result = ImportModel(ExportModel(p), "m.json", "注释副本");
    ASSERT_TRUE(result.Done()) << result.message;
    std::string rows = SqlRows(dbPath_,
        "select memberComment from t_member where projectId=" + std::to_string(result.id) + " order by memberId");
    std::string expected;
    for (const auto& comment : comments)
        expected += comment + "\n";
    EXPECT_EQ(rows, expected);
}

// ---- layout -------------------------------------------------------------

TEST_F(ModelFileTest, ExportIsCanonicalText)
{
    int p = EnterProject("书店");
    int shelf = EnterClass(p, "Shelf", "书架");
    int book = EnterClass(p, "Book", "图书");
    EnterClass(p, "Spare", "备用");
    EnterMember(p, book, "isbn", "字符串", "pd", 13, "书号 \"ISBN\"");
    EnterMember(p, book, "shelf", "Shelf", "mqh", 20, "路径\\ */\t尾");
    EnterMember(p, shelf, "shelfId", "整型", "pmd", 20, "");
    EXPECT_EQ(ExportModel(p),
        "{\n"
        "  \"format\": \"javagen-model\",\n"
        "  \"version\": 1,\n"
        "  \"project\": \"书店\",\n"
        "  \"classes\": [\n"
        "    {\n"
        "      \"name\": \"Shelf\",\n"
        "      \"friendName\": \"书架\",\n"
        "      \"members\": [\n"
        "        "
        "{\"name\":\"shelfId\",\"type\":\"整型\",\"length\":0,\"primary\":true,\"required\":true,\"query\":false,"
        "\"display\":true,\"queryDisplay\":true,\"comment\":\"\"}\n"
        "      ]\n"
        "    },\n"
        "    {\n"
        "      \"name\": \"Book\",\n"
        "      \"friendName\": \"图书\",\n"
        "      \"members\": [\n"
        "        "
        "{\"name\":\"isbn\",\"type\":\"字符串\",\"length\":13,\"primary\":true,\"required\":false,\"query\":false,"
        "\"display\":true,\"queryDisplay\":true,\"comment\":\"书号 \\\"ISBN\\\"\"},\n"
        "        "
        "{\"name\":\"shelf\",\"type\":\"Shelf\",\"length\":0,\"primary\":false,\"required\":true,\"query\":true,"
        "\"display\":false,\"queryDisplay\":false,\"comment\":\"路径\\\\ */\\t尾\"}\n"
        "      ]\n"
        "    },\n"
        "    {\n"
        "      \"name\": \"Spare\",\n"
        "      \"friendName\": \"备用\",\n"
        "      \"members\": []\n"
        "    }\n"
        "  ]\n"
        "}\n");
    EXPECT_EQ(ExportModel(EnterProject("空工程")),
        "{\n  \"format\": \"javagen-model\",\n  \"version\": 1,\n  \"project\": \"空工程\",\n  \"classes\": []\n}\n");
}

TEST_F(ModelFileTest, ExportHoldsNoDatabaseIds)
{
    // Every object has exactly its keys, in file order: none for an id.
    auto keys = [](const nlohmann::ordered_json& object) {
        std::vector<std::string> names;
        for (const auto& item : object.items())
            names.push_back(item.key());
        return names;
    };
    auto document = nlohmann::ordered_json::parse(ExportModel(library_));
    EXPECT_EQ(keys(document), (std::vector<std::string> { "format", "version", "project", "classes" }));
    ASSERT_EQ(document["classes"].size(), 3u);
    size_t members = 0;
    for (const auto& c : document["classes"]) {
        EXPECT_EQ(keys(c), (std::vector<std::string> { "name", "friendName", "members" }));
        for (const auto& m : c["members"]) {
            ++members;
            EXPECT_EQ(keys(m),
                (std::vector<std::string> {
                    "name", "type", "length", "primary", "required", "query", "display", "queryDisplay", "comment" }));
        }
    }
    EXPECT_EQ(members, 12u);
}

// ---- references ---------------------------------------------------------

TEST_F(ModelFileTest, ReferenceMayNameALaterClass)
{
    TCommandResult result = ImportModel(ModelText(GoodBook() + ",\n" + GoodShelf()), "m.json");
    ASSERT_TRUE(result.Done()) << result.message;
    EXPECT_EQ(result.message, "模型已导入为工程“导入”!");
    int book = ClassIdOf(result.id, "Book");
    auto shelf = TMemberDAO().GetMember(MemberIdOf(book, "shelf"));
    ASSERT_TRUE(shelf.has_value());
    EXPECT_EQ(shelf->GetMemberType(), "Shelf");
    EXPECT_EQ(shelf->GetMemberIsMust(), 1);
    EXPECT_EQ(shelf->GetMemberComment(), "书架");
    EXPECT_EQ(TClassDAO().GetClassName(ClassIdOf(result.id, "Shelf")), "Shelf");
}

// ---- refusals -----------------------------------------------------------

TEST_F(ModelFileTest, SyntaxErrorGivesLineAndColumnInCharacters)
{
    // Line 7: six blanks, "名": and a blank, then '#' as the twelfth
    // character (the fourteenth byte, 名 being three).
    std::string text = "{\n"
                       "  \"format\": \"javagen-model\",\n"
                       "  \"version\": 1,\n"
                       "  \"project\": \"导入\",\n"
                       "  \"classes\": [\n"
                       "    {\n"
                       "      \"名\": #\n"
                       "    }\n"
                       "  ]\n"
                       "}\n";
    ExpectRefused(text, "导入 model.json 失败：第 7 行第 12 列：不是正确的 JSON 文本");
    // Tabs and Chinese on the first line count one column each.
    ExpectRefused("{\t\"工程\"\t]", "导入 model.json 失败：第 1 行第 8 列：不是正确的 JSON 文本");
    ExpectRefused("{\"a\": 1}\n\nx", "导入 model.json 失败：第 3 行第 1 列：不是正确的 JSON 文本");
    // A missing comma: the string after it is shown from its first quote.
    ExpectRefused("{\"a\": 1 \"for\\\"mat\": 2}", "导入 model.json 失败：第 1 行第 9 列：不是正确的 JSON 文本");
}

TEST_F(ModelFileTest, TruncatedOrEmptyTextIsASyntaxError)
{
    // Cut after line 7: the text ends where line 8 would begin.
    std::string text = ExportModel(library_);
    std::string cut = text.substr(0, text.find("      \"friendName\""));
    ExpectRefused(cut, "导入 model.json 失败：第 8 行第 1 列：不是正确的 JSON 文本", "新名");
    ExpectRefused("", "导入 model.json 失败：第 1 行第 1 列：不是正确的 JSON 文本");
}

TEST_F(ModelFileTest, ClassRefusedByARuleNamesTheClass)
{
    ExpectRefused(ModelText(GoodShelf() + ",\n" + ClassText("book", "图书", {})),
        "导入 model.json 失败：第 8 行，类 book：类名首个字母必须大写");
    ExpectRefused(ModelText(GoodShelf() + ",\n" + ClassText("BookDAO", "图书", {})),
        "导入 model.json 失败：第 8 行，类 BookDAO：类名称不能以 DAO 或 Action 结尾(生成的代码用这些名称命名 DAO 类和 "
        "Action "
        "类)!");
    ExpectRefused(ModelText(GoodShelf() + ",\n" + ClassText("Book", "", {})),
        "导入 model.json 失败：第 8 行，类 Book：友好名称不能为空");
    ExpectRefused(
        ModelText(GoodShelf() + ",\n" + GoodShelf()), "导入 model.json 失败：第 8 行，类 Shelf：该类名称已经存在!");
    TCommandResult result = ImportModel(ModelText(ClassText("book", "图书", {})), "m.json");
    EXPECT_EQ(result.refusal, TRefusal::Name);
}

TEST_F(ModelFileTest, MemberRefusedByARuleNamesClassAndMember)
{
    // Each faulty member comes last, after the rest of the model went in.
    auto withLastMember = [](const std::string& member) {
        return ModelText(
            GoodBook() + ",\n" + ClassText("Shelf", "书架", { MemberText("shelfNo", "字符串", 10, "pd"), member }));
    };
    ExpectRefused(withLastMember(MemberText("Floor", "字符串", 10, "")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 Floor：成员属性首个字母必须小写");
    ExpectRefused(withLastMember(MemberText("floor", "整型", 0, "")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 floor：除了字符串类型外其他类型必须勾选是否必填标志!");
    ExpectRefused(withLastMember(MemberText("floor", "字符串", 0, "")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 floor：字符串类型的长度必须是 1 到 65535 之间的整数!");
    ExpectRefused(withLastMember(MemberText("room", "Room", 0, "m")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 "
        "room：成员类型“Room”不存在，请选择简单类型(字符串、整型、浮点型、日期型、长整型、定点数、双精度、二进制)"
        "之一或本项目的其他类!");
    ExpectRefused(withLastMember(MemberText("shelf", "Shelf", 0, "m")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 shelf：成员名称 shelf 与生成代码中的变量名冲突(它是类 "
        "Shelf 自己的变量名)，请换一个名称!");
    ExpectRefused(withLastMember(MemberText("shelfNo", "字符串", 10, "")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 shelfNo：该成员名称已经存在!");
    ExpectRefused(withLastMember(MemberText("price", "浮点型", 0, "mq")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 price：参与查询的字段不要设置整型或浮点型");
    ExpectRefused(withLastMember(MemberText("note", "字符串", 10, "", "换\\n行")),
        "导入 model.json 失败：第 11 行，类 Shelf 的成员 note：成员注释不能包含换行等控制字符!");
    TCommandResult result = ImportModel(withLastMember(MemberText("floor", "整型", 0, "")), "m.json");
    EXPECT_EQ(result.refusal, TRefusal::Flags);
}

TEST_F(ModelFileTest, MissingKeysAndWrongTypesAreNamed)
{
    const std::string header = "{\"format\": \"javagen-model\", \"version\": 1, ";
    ExpectRefused("[1, 2]", "导入 model.json 失败：不是 javagen 的模型文件");
    ExpectRefused(
        "{\"version\": 1, \"project\": \"p\", \"classes\": []}", "导入 model.json 失败：不是 javagen 的模型文件");
    ExpectRefused("{\"format\": \"other\", \"version\": 1, \"project\": \"p\", \"classes\": []}",
        "导入 model.json 失败：不是 javagen 的模型文件");
    ExpectRefused(
        "{\"format\": \"javagen-model\", \"project\": \"p\", \"classes\": []}", "导入 model.json 失败：缺少“version”");
    // A number must be a whole one an int holds: neither "1", true, nor 1.5,
    // nor one that would wrap round.
    for (auto [version, fault] :
        std::vector<std::pair<const char*, const char*>> { { "\"1\"", "“version”的值类型不对" },
            { "true", "“version”的值类型不对" }, { "1.5", "“version”的值类型不对" }, { "1.0", "“version”的值类型不对" },
            { "4294967297", "“version”的值 4294967297 超出范围" }, { "1e10", "“version”的值 10000000000.0 超出范围" },
            { "1e400", "第 1 行第 40 列：数值 1e400 超出范围" } })
        ExpectRefused(std::string("{\"format\": \"javagen-model\", \"version\": ") + version +
                ", \"project\": \"p\", \"classes\": []}",
            std::string("导入 model.json 失败：") + fault);
    ExpectRefused(header + "\"classes\": []}", "导入 model.json 失败：缺少“project”");
    ExpectRefused(header + "\"project\": 7, \"classes\": []}", "导入 model.json 失败：“project”的值类型不对");
    ExpectRefused(header + "\"project\": \"p\"}", "导入 model.json 失败：缺少“classes”");
    ExpectRefused(header + "\"project\": \"p\", \"classes\": {}}", "导入 model.json 失败：“classes”应是一个数组");

    ExpectRefused(ModelText(GoodShelf() + ",\n    [\"Book\"]"), "导入 model.json 失败：第 2 个类：应是一个对象");
    ExpectRefused(ModelText("    {\"name\": \"Book\", \"members\": []}"),
        "导入 model.json 失败：第 6 行，第 1 个类：缺少“friendName”");
    ExpectRefused(ModelText("    {\"name\": [], \"friendName\": \"图书\", \"members\": []}"),
        "导入 model.json 失败：第 6 行，第 1 个类：“name”的值类型不对");
    ExpectRefused(ModelText(GoodShelf() + ",\n    {\"name\": \"Book\", \"friendName\": \"图书\"}"),
        "导入 model.json 失败：第 8 行，类 Book：缺少“members”");
    ExpectRefused(ModelText(GoodShelf() + ",\n    {\"name\": \"Book\", \"friendName\": \"图书\", \"members\": 3}"),
        "导入 model.json 失败：第 8 行，类 Book：“members”应是一个数组");

    auto shelfWith = [](const std::string& member) {
        return ModelText(ClassText("Shelf", "书架", { MemberText("shelfNo", "字符串", 10, "pd"), member }));
    };
    ExpectRefused(shelfWith("\"floor\""), "导入 model.json 失败：类 Shelf 的第 2 个成员：应是一个对象");
    ExpectRefused(shelfWith("{\"name\":\"floor\",\"type\":\"字符串\",\"comment\":\"\"}"),
        "导入 model.json 失败：第 8 行，类 Shelf 的成员 floor：缺少“length”");
    ExpectRefused(shelfWith("{\"name\":\"floor\",\"type\":\"字符串\",\"length\":\"10\",\"comment\":\"\"}"),
        "导入 model.json 失败：第 8 行，类 Shelf 的成员 floor：“length”的值类型不对");
    for (auto [length, fault] : std::vector<std::pair<const char*, const char*>> { { "true", "“length”的值类型不对" },
             { "20.5", "“length”的值类型不对" }, { "4294967316", "“length”的值 4294967316 超出范围" },
             { "-4294967276", "“length”的值 -4294967276 超出范围" } }) {
        std::string member = MemberText("floor", "字符串", 20, "");
        member.replace(
            member.find("\"length\":20"), std::string("\"length\":20").size(), std::string("\"length\":") + length);
        ExpectRefused(shelfWith(member), std::string("导入 model.json 失败：第 8 行，类 Shelf 的成员 floor：") + fault);
    }
    std::string noQuery = MemberText("floor", "字符串", 10, "");
    noQuery.replace(noQuery.find("\"query\":false,"), std::string("\"query\":false,").size(), "");
    ExpectRefused(shelfWith(noQuery), "导入 model.json 失败：第 8 行，类 Shelf 的成员 floor：缺少“query”");
    std::string numberFlag = MemberText("floor", "字符串", 10, "");
    numberFlag.replace(numberFlag.find("\"display\":false"), std::string("\"display\":false").size(), "\"display\":0");
    ExpectRefused(shelfWith(numberFlag), "导入 model.json 失败：第 8 行，类 Shelf 的成员 floor：“display”的值类型不对");
}

// Text the parser must never be trusted with: each is refused, with where
// it went wrong, before anything is written.
TEST_F(ModelFileTest, HostileTextIsRefusedWithItsPosition)
{
    const std::string head = "{\"format\": \"javagen-model\", \"version\": 1, ";
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const std::string good = ModelText(GoodShelf());
    // A member object with one more key at its end.
    auto WithKey = [](std::string member, const std::string& key) {
        return member.insert(member.size() - 1, ",\"" + key + "\":\"x\"");
    };
    std::vector<std::pair<std::string, std::string>> cases {
        { std::string("\xFF\xFE{\0\"\0", 6), "文件是 UTF-16 编码，请另存为 UTF-8 后再导入" },
        { std::string("{\0\"\0f\0", 6), "文件是 UTF-16 编码，请另存为 UTF-8 后再导入" },
        { head + "\"project\": \"p" + std::string(1, '\0') + "q\", \"classes\": []}",
            "第 1 行第 56 列：含有 NUL 字符" },
        { head + "\"project\": \"p\\u0000q\", \"classes\": []}", "第 1 行第 56 列：含有 NUL 字符(\\u0000)" },
        { head + "\"project\": \"\xC3\x28\", \"classes\": []}", "第 1 行第 55 列：不是正确的 UTF-8 文本" },
        { head + "\"project\": \"\xED\xA0\x80\", \"classes\": []}", "第 1 行第 55 列：不是正确的 UTF-8 文本" },
        { head + "\"project\": \"\\uD800x\", \"classes\": []}", "第 1 行第 55 列：含有不成对的代理项(\\uD800)" },
        { head + "\"project\": \"\\uDC00\", \"classes\": []}", "第 1 行第 55 列：含有不成对的代理项(\\uDC00)" },
        { head + "\"project\": " + deep + ", \"classes\": []}", "第 1 行第 117 列：嵌套超过 64 层" },
        { head + "\"project\": \"p\", \"classes\": [], \"version\": 2}", "第 1 行第 74 列：键“version”重复出现" },
        { head + "\"project\": \"p\", \"classes\": [], \"vers\\u0069on\": 2}", "第 1 行第 74 列：键“version”重复出现" },
        { ModelText(ClassText("Shelf", "书架", { WithKey(MemberText("shelfNo", "字符串", 10, "pd"), "name") })),
            "第 7 行第 144 列：键“name”重复出现" },
        { ModelText(ClassText("Sh\\u001belf", "书架", {})),
            "第 6 行，类 Sh\\u001Belf：类名称只能由英文字母、数字和下划线组成!" },
    };
    for (const auto& [text, fault] : cases)
        ExpectRefused(text, "导入 model.json 失败：" + fault);
    ExpectRefused(good, "导入 model.json 失败：工程“”：工程名称不能为空!", "");

    // One UTF-8 byte-order mark is allowed and dropped.
    TCommandResult result = ImportModel("\xEF\xBB\xBF" + good, "model.json");
    EXPECT_TRUE(result.Done()) << result.message;
}

TEST_F(ModelFileTest, NewerFileVersionIsRefusedNamingIt)
{
    std::string text = ExportModel(library_);
    std::string newer = text;
    const std::string next = std::to_string(kModelFileVersion + 1), now = std::to_string(kModelFileVersion);
    newer.replace(newer.find("\"version\": 1"), std::string("\"version\": 1").size(), "\"version\": " + next);
    ExpectRefused(newer,
        "导入 model.json 失败：文件的格式版本为 " + next + "，本程序只能读取版本 " + now + "，请使用更新的程序导入",
        "新名");
    std::string zero = text;
    zero.replace(zero.find("\"version\": 1"), std::string("\"version\": 1").size(), "\"version\": 0");
    ExpectRefused(
        zero, "导入 model.json 失败：文件的格式版本为 0，本程序只能读取版本 " + now + "，请使用更新的程序导入", "新名");
}

// A key the file's version does not have is a newer program's value:
// refused, never dropped.
TEST_F(ModelFileTest, UnknownKeysAreRefusedNotDropped)
{
    std::string text = ExportModel(library_);
    auto with = [&](const std::string& from, const std::string& to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    const std::string head = "导入 model.json 失败：", tail = "含有本程序不认识的键“";
    const std::string why = "”(可能由更新的程序写出)，为了不丢失其中的内容，拒绝导入";
    ExpectRefused(with("  \"project\"", "  \"colour\": 1,\n  \"project\""), head + tail + "colour" + why, "新名");
    // "filled" is a key of version 3; this file is version 1.
    for (const char* key : { "filled", "unit" })
        ExpectRefused(with("\"comment\":\"图书名称\"", "\"comment\":\"图书名称\",\"" + std::string(key) + "\":\"x\""),
            head + "第 19 行，类 Book 的成员 bookName：" + tail + key + why, "新名");
}

TEST_F(ModelFileTest, ExistingProjectNameNeedsANewName)
{
    std::string text = ExportModel(library_);
    ExpectRefused(text, "导入 model.json 失败：工程“图书馆”：该工程名称已经存在!");
    EXPECT_EQ(ImportModel(text, "model.json").refusal, TRefusal::ProjectNameTaken);
    ExpectRefused(text, "导入 model.json 失败：工程“图书馆”：该工程名称已经存在!", "图书馆");
    ExpectRefused(text, "导入 model.json 失败：工程“a/b”：工程名称不能包含“/”或“\\”!", "a/b");
    ExpectRefused(text, "导入 model.json 失败：工程“ 图书馆”：工程名称的开头和结尾不能是空格!", " 图书馆");

    std::string again = ReimportedText(text, "图书馆二");
    EXPECT_EQ(WithoutProjectLine(again), WithoutProjectLine(text));
    ExpectRefused(text, "导入 model.json 失败：工程“图书馆二”：该工程名称已经存在!", "图书馆二");
    std::vector<std::string> names;
    for (const auto& entry : TProjectDAO().ListProjects())
        names.push_back(entry.text);
    EXPECT_EQ(names, (std::vector<std::string> { "图书馆", "图书馆二" }));
}

// A refusal after many rows went in takes every one of them back, the key
// sequences included: the next import gets the ids a first one would.
TEST_F(ModelFileTest, RefusedImportLeavesNoTrace)
{
    std::string text = ExportModel(library_);
    std::string faulty = text;
    // The last member of the last class gets a name that breaks a rule.
    faulty.replace(faulty.rfind("\"name\":\"book\""), std::string("\"name\":\"book\"").size(), "\"name\":\"Book\"");
    long long projects = SqlNumber(dbPath_, "select count(*) from t_project");
    long long classes = SqlNumber(dbPath_, "select count(*) from t_class");
    long long members = SqlNumber(dbPath_, "select count(*) from t_member");
    ExpectRefused(faulty, "导入 model.json 失败：第 33 行，类 Reader 的成员 Book：成员属性首个字母必须小写", "新名");
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from t_project"), projects);
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from t_class"), classes);
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from t_member"), members);

    TCommandResult result = ImportModel(text, "model.json", "新名");
    ASSERT_TRUE(result.Done()) << result.message;
    EXPECT_EQ(result.id, library_ + 1);
    EXPECT_EQ(SqlNumber(dbPath_, "select min(memberId) from t_member where projectId=" + std::to_string(result.id)),
        members + 1);
}

// ---- update of an existing project ---------------------------------------

namespace {

using nlohmann::ordered_json;

ordered_json& ClassNamed(ordered_json& model, const std::string& name)
{
    for (auto& c : model["classes"])
        if (c["name"] == name)
            return c;
    throw std::logic_error("no class " + name);
}

ordered_json& MemberNamed(ordered_json& model, const std::string& className, const std::string& name)
{
    for (auto& m : ClassNamed(model, className)["members"])
        if (m["name"] == name)
            return m;
    throw std::logic_error("no member " + name);
}

void EraseNamed(ordered_json& list, const std::string& name)
{
    for (auto it = list.begin(); it != list.end(); ++it)
        if ((*it)["name"] == name)
            return void(list.erase(it));
}

std::map<std::string, int> ClassIdsByFriendName(int projectId)
{
    std::map<std::string, int> ids;
    for (const auto& entry : TClassDAO().ListClasses(projectId))
        ids[TClassDAO().GetFriendName(entry.id)] = entry.id;
    return ids;
}

// A file's model as it should come back: the version and the project name
// are the export's own.
nlohmann::json Comparable(nlohmann::json model)
{
    model.erase("version");
    model.erase("project");
    return model;
}

} // namespace

// Each edit of an exported library model, imported into the project: the
// plan names exactly what changed; a loss waits for a confirmation, and
// nothing is written before it; then the project exports as the edited
// file, and every class it kept has its id.
TEST_F(ModelFileTest, UpdatePlansChangesAndKeepsClassIds)
{
    struct TCase {
        const char* label;
        std::function<void(ordered_json&)> edit;
        std::vector<std::string> plan; // after the summary
        std::string counts; // the summary after "变更计划(工程“…”)："
        bool loses;
    };
    const std::vector<TCase> cases = {
        { "a length", [](ordered_json& m) { MemberNamed(m, "Book", "bookName")["length"] = 80; },
            { "  类 Book 修改成员 bookName：length 50 → 80" },
            "新增类 0 个，修改类 1 个，删除类 0 个；新增成员 0 个，修改成员 1 个，删除成员 0 个。", false },
        { "the key moves to another member",
            [](ordered_json& m) {
                MemberNamed(m, "Reader", "readerNo")["primary"] = false;
                MemberNamed(m, "Reader", "readerName")["primary"] = true;
            },
            { "  类 Reader 修改成员 readerNo：primary true → false",
                "  类 Reader 修改成员 readerName：primary false → true" },
            "新增类 0 个，修改类 1 个，删除类 0 个；新增成员 0 个，修改成员 2 个，删除成员 0 个。", false },
        { "a member removed", [](ordered_json& m) { EraseNamed(ClassNamed(m, "Book")["members"], "introduction"); },
            { "  类 Book 删除成员 introduction" },
            "新增类 0 个，修改类 1 个，删除类 0 个；新增成员 0 个，修改成员 0 个，删除成员 1 个。", true },
        { "a class renamed, its friendly name kept",
            [](ordered_json& m) { ClassNamed(m, "Reader")["name"] = "Borrower"; }, { "  类 Reader 改名为 Borrower" },
            "新增类 0 个，修改类 1 个，删除类 0 个；新增成员 0 个，修改成员 0 个，删除成员 0 个。", false },
        { "a class removed with the member referring to it",
            [](ordered_json& m) { EraseNamed(m["classes"], "Reader"); }, { "  删除类 Reader(读者)及其 3 个成员" },
            "新增类 0 个，修改类 0 个，删除类 1 个；新增成员 0 个，修改成员 0 个，删除成员 3 个。", true },
        { "a class added",
            [](ordered_json& m) {
                m["classes"].push_back(
                    ordered_json::parse(ClassText("Shelf", "书架", { MemberText("shelfNo", "字符串", 10, "pd") })));
            },
            { "  新增类 Shelf(书架)，1 个成员" },
            "新增类 1 个，修改类 0 个，删除类 0 个；新增成员 1 个，修改成员 0 个，删除成员 0 个。", false },
        { "members reordered",
            [](ordered_json& m) {
                auto& members = ClassNamed(m, "Book")["members"];
                std::swap(members[3], members[4]);
            },
            { "  类 Book 的成员按文件中的顺序排列" },
            "新增类 0 个，修改类 1 个，删除类 0 个；新增成员 0 个，修改成员 0 个，删除成员 0 个。", false },
        { "the settings",
            [](ordered_json& m) {
                m["version"] = 6;
                m["target"] = "current";
                m["package"] = "edu.lib";
                m["pages"] = true;
            },
            { "  包名：(默认) → edu.lib", "  生成页面：否 → 是",
                "  目标框架：Struts 2.3 + Hibernate 3.6 → Struts 7 + Hibernate 7 (Jakarta EE 10)" },
            "新增类 0 个，修改类 0 个，删除类 0 个；新增成员 0 个，修改成员 0 个，删除成员 0 个。", false },
        { "the database kind",
            [](ordered_json& m) {
                m["version"] = 7;
                m["databaseKind"] = "postgresql";
            },
            { "  数据库：MariaDB/MySQL → PostgreSQL" },
            "新增类 0 个，修改类 0 个，删除类 0 个；新增成员 0 个，修改成员 0 个，删除成员 0 个。", false },
    };
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string name = "馆" + std::to_string(++n);
        int project = BuildLibraryModel(name);
        ordered_json model = ordered_json::parse(ExportModel(project));
        c.edit(model);
        const std::string text = model.dump(2);
        const auto ids = ClassIdsByFriendName(project);
        const std::string before = ModelContents(dbPath_);

        TModelUpdate plan = UpdateModel(text, "model.json", project, { true, false });
        ASSERT_TRUE(plan.result.Done()) << plan.result.message;
        std::vector<std::string> expected = { "变更计划(工程“" + name + "”)：" + c.counts };
        expected.insert(expected.end(), c.plan.begin(), c.plan.end());
        EXPECT_EQ(plan.plan, expected);
        EXPECT_EQ(plan.losses.empty(), !c.loses);
        EXPECT_EQ(ModelContents(dbPath_), before);

        TModelUpdate unconfirmed = UpdateModel(text, "model.json", project, {});
        EXPECT_EQ(unconfirmed.result.refusal, c.loses ? TRefusal::Unconfirmed : TRefusal::None)
            << unconfirmed.result.message;
        if (c.loses) {
            EXPECT_EQ(ModelContents(dbPath_), before);
            TModelUpdate confirmed = UpdateModel(text, "model.json", project, { false, true });
            ASSERT_TRUE(confirmed.result.Done()) << confirmed.result.message;
        }
        EXPECT_EQ(Comparable(ordered_json::parse(ExportModel(project))), Comparable(model));
        for (const auto& [friendName, id] : ClassIdsByFriendName(project))
            if (ids.count(friendName)) {
                EXPECT_EQ(id, ids.at(friendName)) << friendName;
            }
        // Once more: nothing left to change.
        TModelUpdate again = UpdateModel(text, "model.json", project, {});
        EXPECT_EQ(again.plan, std::vector<std::string> { "没有变化：文件与工程“" + name + "”的模型相同。" });
    }
}

// What a file cannot say is kept: an older file leaves the package, the
// pages and a member's column as they are; a file naming another project
// is a loss to confirm; a rule's refusal leaves everything as it was.
TEST_F(ModelFileTest, UpdateKeepsWhatTheFileCannotSay)
{
    int shop = BuildLibraryModel("商店");
    ASSERT_TRUE(TModelCommands::SetProjectPackage(shop, "shop").Done());
    ASSERT_TRUE(TModelCommands::SetProjectWebapp(shop, true).Done());
    ASSERT_TRUE(TModelCommands::SetProjectDatabaseKind(shop, "postgresql").Done());
    int book = TClassDAO().GetClassId(shop, "Book");
    TMember isbn = *TMemberDAO().GetPrimaryMember(book);
    isbn.SetColumnName("isbn_no");
    TMemberDAO().UpdateMember(isbn);
    const std::string exported = ExportModel(shop);
    EXPECT_NE(
        exported.find("  \"version\": 7,\n  \"project\": \"商店\",\n  \"package\": \"shop\",\n  \"pages\": true,\n"
                      "  \"databaseKind\": \"postgresql\",\n"),
        std::string::npos)
        << exported;
    EXPECT_EQ(WithoutProjectLine(ReimportedText(exported, "商店二")), WithoutProjectLine(exported));

    // The library model's file is version 1 and names 图书馆.
    std::string older = ExportModel(library_);
    TModelUpdate update = UpdateModel(older, "old.json", shop, {});
    EXPECT_EQ(update.result.refusal, TRefusal::Unconfirmed);
    EXPECT_EQ(update.result.message,
        "导入 old.json 失败：工程“商店”：这次导入会丢失内容(文件中的工程名是“图书馆”，不是“商店”)，需要确认");
    update = UpdateModel(older, "old.json", shop, { false, true });
    ASSERT_TRUE(update.result.Done()) << update.result.message;
    EXPECT_EQ(update.result.message, "模型已导入到工程“商店”!");
    EXPECT_EQ(ExportModel(shop), exported);

    // A member name that breaks a rule: where it is, and nothing written.
    std::string faulty = exported;
    size_t at = faulty.rfind("\"name\":\"book\"");
    faulty.replace(at, std::string("\"name\":\"book\"").size(), "\"name\":\"Book\"");
    const std::string line = std::to_string(std::count(faulty.begin(), faulty.begin() + at, '\n') + 1);
    const std::string before = ModelContents(dbPath_);
    update = UpdateModel(faulty, "bad.json", shop, { false, true });
    EXPECT_EQ(update.result.message,
        "导入 bad.json 失败：第 " + line + " 行，类 Reader 的成员 Book：成员属性首个字母必须小写");
    EXPECT_TRUE(update.plan.empty());
    EXPECT_EQ(ModelContents(dbPath_), before);

    // A project deleted meanwhile.
    ASSERT_TRUE(TModelCommands::DeleteProject(shop).Done());
    update = UpdateModel(exported, "model.json", shop, {});
    EXPECT_EQ(update.result.refusal, TRefusal::Stale);
}
