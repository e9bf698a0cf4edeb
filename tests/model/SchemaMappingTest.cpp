// The rules that turn tables into classes, on schemas written as literals.
#include "model/import/SchemaMapping.h"
#include "codegen/core/Target.h"
#include "model/commands/ModelSnapshot.h"
#include "model/import/DbSchema.h"
#include "model/import/SchemaColumns.h"
#include "model/store/MemberTypes.h"

#include "TempModelTest.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TDbColumn Column(const std::string& name, const std::string& type, long long length = -1, bool nullable = true,
    const std::string& comment = "")
{
    TDbColumn column;
    column.name = name;
    column.dataType = type;
    column.columnType = type;
    column.length = length;
    column.nullable = nullable;
    column.comment = comment;
    return column;
}

const TPlannedMember* Member(const TPlannedClass& c, const std::string& name)
{
    for (const auto& m : c.members)
        if (m.entry.name == name)
            return &m;
    return nullptr;
}

bool Noted(const TImportPlan& plan, const std::string& start)
{
    return std::any_of(
        plan.notes.begin(), plan.notes.end(), [&](const std::string& note) { return note.rfind(start, 0) == 0; });
}

TDbSchema Library()
{
    TDbSchema schema;
    schema.tables.push_back({ "t_book_type", "图书类型",
        { Column("book_type_id", "int", -1, false), Column("type_name", "varchar", 30, false, "类型名称") },
        { "book_type_id" }, {} });
    schema.tables.push_back({ "tb_book", "",
        { Column("isbn", "varchar", 20, false, "书号"), Column("remark", "varchar", 100),
            Column("book_title", "varchar", 80, false), Column("book_type_id", "int", -1, false),
            Column("price", "decimal"), Column("pages", "smallint"), Column("published", "datetime"),
            Column("intro", "longtext"), Column("cover", "blob"), Column("class", "char", 0), Column("xPos", "int"),
            Column("出版社", "varchar", 40), Column("book", "varchar", 10) },
        { "isbn" }, { { "book_type_id", "t_book_type", "book_type_id" } } });
    schema.tables.push_back({ "loan_item", "", { Column("a", "int"), Column("due", "date") }, { "a", "due" }, {} });
    schema.tables.push_back({ "no_key", "", { Column("x", "int") }, {}, {} });
    schema.tables.push_back({ "date_key", "", { Column("d", "date") }, { "d" }, {} });
    schema.tables.push_back({ "用户", "", { Column("id", "int", -1, false) }, { "id" }, {} });
    return schema;
}

} // namespace

TEST(SchemaMappingTest, TablesBecomeClassesAndColumnsMembers)
{
    TImportPlan plan = PlanSchemaImport(Library(), {}, false);
    ASSERT_EQ(plan.classes.size(), 3u);
    EXPECT_EQ(plan.classes[0].className, "BookType");
    EXPECT_EQ(plan.classes[0].friendName, "图书类型");
    const TPlannedClass& book = plan.classes[1];
    EXPECT_EQ(book.className, "Book");
    EXPECT_EQ(book.friendName, "Book"); // no table comment

    const TPlannedMember* isbn = Member(book, "isbn");
    ASSERT_TRUE(isbn);
    EXPECT_TRUE(isbn->entry.isPri);
    EXPECT_TRUE(isbn->entry.isMust);
    EXPECT_EQ(isbn->entry.lengthText, "20");
    EXPECT_EQ(isbn->entry.comment, "书号");
    EXPECT_FALSE(Member(book, "remark")->entry.isMust); // a nullable string
    EXPECT_TRUE(Member(book, "bookTitle")->entry.isMust);
    EXPECT_EQ(Member(book, "bookType")->entry.type, "BookType");
    EXPECT_TRUE(Member(book, "bookType")->entry.isMust);
    EXPECT_EQ(Member(book, "price")->entry.type, "定点数");
    EXPECT_EQ(Member(book, "pages")->entry.type, "整型");
    EXPECT_FALSE(Member(book, "pages")->entry.isMust); // its column may hold NULL
    EXPECT_TRUE(Member(book, "pages")->entry.nullable);
    EXPECT_EQ(Member(book, "published")->entry.type, "日期型");
    EXPECT_EQ(Member(book, "intro")->entry.lengthText, "65535");
    EXPECT_EQ(Member(book, "class_")->entry.lengthText, "1");
    EXPECT_FALSE(Member(book, "cover"));
    for (const auto& m : book.members)
        EXPECT_FALSE(m.entry.queryFlag) << m.entry.name;

    // The display member: the first text column saying title, not the
    // first text column.
    EXPECT_TRUE(Member(book, "bookTitle")->entry.isDisplay);
    EXPECT_EQ(
        std::count_if(book.members.begin(), book.members.end(), [](const auto& m) { return m.entry.isDisplay; }), 1);
    // A table with only its key shows the key.
    EXPECT_EQ(plan.classes[2].className, "Table6");
    EXPECT_TRUE(plan.classes[2].members[0].entry.isDisplay);
}

TEST(SchemaMappingTest, EveryRenameAndSkipIsReported)
{
    TImportPlan plan = PlanSchemaImport(Library(), {}, false);
    const TPlannedClass& book = plan.classes[1];
    EXPECT_TRUE(Member(book, "class_"));
    EXPECT_TRUE(Noted(plan, "改名 列 tb_book.class 的成员名 class → class_："));
    EXPECT_TRUE(Member(book, "xpos"));
    EXPECT_TRUE(Noted(plan, "改名 列 tb_book.xPos 的成员名 xPos → xpos："));
    EXPECT_TRUE(Member(book, "field12"));
    EXPECT_TRUE(Noted(plan, "改名 列 tb_book.出版社 的成员名 出版社 → field12：名称不是英文字母和数字"));
    // "book" is the class's own variable name.
    EXPECT_TRUE(Member(book, "book_"));
    EXPECT_TRUE(Noted(plan, "改名 列 tb_book.book 的成员名 book → book_："));
    EXPECT_TRUE(Noted(plan, "改名 表 用户 的类名 用户 → Table6：名称不是英文字母和数字"));
    EXPECT_TRUE(Noted(plan, "跳过列 tb_book.cover：类型 blob 不受支持"));
    EXPECT_TRUE(Noted(plan, "跳过表 loan_item：主键 due 不是整数或文本列"));
    EXPECT_TRUE(Noted(plan, "跳过表 no_key：没有主键"));
    EXPECT_TRUE(Noted(plan, "跳过表 date_key：主键 d 不是整数或文本列"));
}

// Each rename gives its reason, a comment that lost characters to GBK is
// named, and a key pointing at its own table refers to the class itself.
TEST(SchemaMappingTest, RenamesLossesAndSelfReferencesSayWhy)
{
    TDbSchema schema = Library();
    schema.tables.push_back({ "t_reader", "读者😀",
        { Column("id", "int", -1, false), Column("parent_id", "int", -1, true, "上级😀"), Column("xPos", "int"),
            Column("xpos", "int") },
        { "id" }, { { "parent_id", "t_reader", "id" } } });
    schema.tables.push_back({ "reader", "", { Column("id", "int", -1, false) }, { "id" }, {} });
    TImportPlan plan = PlanSchemaImport(schema, {}, false);
    for (const auto& note : plan.notes) {
        if (note.rfind("改名", 0) == 0) {
            EXPECT_NE(note.substr(note.size() - 3), "：") << note;
        }
    }
    for (const char* note : { "改名 表 reader 的类名 Reader → Reader_：与表 t_reader 的类名相同",
             "改名 列 tb_book.xPos 的成员名 xPos → xpos：第二个字母是大写时 Hibernate 找不到它的 get 方法，改为小写",
             "改名 列 t_reader.xpos 的成员名 xpos → xpos_：与列 xPos 的成员名相同",
             "注释 表 t_reader(类 Reader)的注释中有 GBK 无法表示的字符，已换成“?”",
             "注释 列 t_reader.parent_id(成员 parent)的注释中有 GBK 无法表示的字符，已换成“?”" })
        EXPECT_TRUE(std::find(plan.notes.begin(), plan.notes.end(), note) != plan.notes.end()) << note;
    EXPECT_FALSE(Noted(plan, "外键 t_reader.parent_id"));
    EXPECT_EQ(plan.classes[3].friendName, "读者?");
    // The key pointing at its own table is a reference to the class itself.
    EXPECT_EQ(plan.classes[3].members[1].entry.name, "parent");
    EXPECT_EQ(plan.classes[3].members[1].entry.type, "Reader");
}

TEST(SchemaMappingTest, ChosenTablesAndTextQueryMembers)
{
    TImportPlan plan = PlanSchemaImport(Library(), { "tb_book", "missing" }, true);
    ASSERT_EQ(plan.classes.size(), 1u);
    const TPlannedClass& book = plan.classes[0];
    // The referenced table is not imported: the key column stays a number.
    EXPECT_EQ(Member(book, "bookTypeId")->entry.type, "整型");
    EXPECT_TRUE(Noted(plan, "外键 tb_book.book_type_id 指向的表 t_book_type 未导入"));
    EXPECT_TRUE(Noted(plan, "跳过表 missing：数据库中没有这个表"));
    EXPECT_TRUE(Member(book, "bookTitle")->entry.queryFlag);
    EXPECT_FALSE(Member(book, "isbn")->entry.queryFlag); // the key
    EXPECT_FALSE(Member(book, "pages")->entry.queryFlag);
}

using SchemaImportTest = TempModelTest;

// The plan passes every entry rule: the project is created whole.
TEST_F(SchemaImportTest, ThePlanIsStoredThroughTheEntryRules)
{
    TImportPlan plan = PlanSchemaImport(Library(), {}, false);
    TCommandResult result = ApplyImportPlan(plan, "导入");
    ASSERT_TRUE(result.Done()) << result.message;
    EXPECT_EQ(result.message, "已从数据库导入工程“导入”：3 个类。");
    TCommandResult again = ApplyImportPlan(plan, "导入");
    EXPECT_FALSE(again.Done());
    EXPECT_EQ(again.message, "从数据库导入失败：该工程名称已经存在!");
}

TEST_F(SchemaImportTest, AViewIsStoredAsAReadOnlyClass)
{
    TDbSchema schema;
    schema.tables.push_back(
        { "book_view", "", { Column("id", "int", -1, false), Column("title", "varchar", 20) }, {}, {}, true });
    TCommandResult result = ApplyImportPlan(PlanSchemaImport(schema, {}, false), "视图");
    ASSERT_TRUE(result.Done()) << result.message;
    TModelSnapshot snapshot = TModelSnapshot::Read(result.id);
    ASSERT_EQ(snapshot.Classes().size(), 1u);
    EXPECT_TRUE(snapshot.Classes()[0].readOnly);
    EXPECT_EQ(snapshot.Classes()[0].tableName, "book_view");
}

// What an import keeps of each column, so that the generated application
// reads and writes the very tables it came from.
TEST(SchemaMappingTest, MembersKeepTheirColumnsTypesAndNullability)
{
    TDbSchema schema;
    TDbColumn unsignedId = Column("order_id", "int", -1, false);
    unsignedId.columnType = "int(10) unsigned";
    unsignedId.autoIncrement = true;
    TDbColumn amount = Column("total_amount", "decimal", -1, true, "金额");
    amount.precision = 12;
    amount.scale = 2;
    schema.tables.push_back({ "shop_order", "订单",
        { unsignedId, Column("buyer_name", "varchar", 40, false), Column("big_count", "bigint"), amount,
            Column("created_at", "datetime", -1, false), Column("pay_time", "time"), Column("paid_on", "date"),
            Column("note", "text"), Column("buyer_id", "bigint") },
        { "order_id" }, { { "buyer_id", "buyer", "buyer_id" } } });
    schema.tables.push_back({ "buyer", "", { Column("buyer_id", "bigint", -1, false), Column("name", "varchar", 20) },
        { "buyer_id" }, {} });
    // A view without a column that can serve as its key.
    schema.tables.push_back({ "order_view", "", { Column("total", "decimal") }, {}, {}, true });

    TImportPlan plan = PlanSchemaImport(schema, {}, false);
    ASSERT_EQ(plan.classes.size(), 2u);
    const TPlannedClass& order = plan.classes[0];
    EXPECT_EQ(order.table, "shop_order");
    struct TExpected {
        const char* member;
        const char* column;
        const char* type;
        bool nullable;
        bool required;
        const char* length;
        const char* precision;
        const char* generator;
    };
    const TExpected expected[] = {
        { "orderId", "order_id", "长整型", false, true, "0", "", "native" },
        { "buyerName", "buyer_name", "字符串", false, true, "40", "", "" },
        { "bigCount", "big_count", "长整型", true, false, "0", "", "" },
        { "totalAmount", "total_amount", "定点数", true, false, "0", "12", "" },
        { "createdAt", "created_at", "日期型", false, true, "19", "", "" },
        { "payTime", "pay_time", "日期型", true, false, "8", "", "" },
        { "paidOn", "paid_on", "日期型", true, false, "10", "", "" },
        { "note", "note", "字符串", true, false, "65535", "", "" },
        { "buyer", "buyer_id", "Buyer", true, false, "", "", "" },
    };
    for (const auto& e : expected) {
        const TPlannedMember* m = Member(order, e.member);
        ASSERT_TRUE(m) << e.member;
        EXPECT_EQ(m->entry.columnName, e.column) << e.member;
        EXPECT_EQ(m->entry.type, e.type) << e.member;
        EXPECT_EQ(m->entry.nullable, e.nullable) << e.member;
        EXPECT_EQ(m->entry.isMust, e.required) << e.member;
        EXPECT_EQ(m->entry.lengthText, e.length) << e.member;
        EXPECT_EQ(m->entry.precision, e.precision) << e.member;
        EXPECT_EQ(m->entry.keyGenerator, e.generator) << e.member;
    }
    EXPECT_EQ(Member(order, "totalAmount")->entry.scale, "2");
    EXPECT_EQ(Member(plan.classes[1], "buyerId")->entry.keyGenerator, "assigned"); // no AUTO_INCREMENT
    EXPECT_TRUE(Noted(plan, "跳过视图 order_view：没有可以作为键的列"));

    TImportPlan named = PlanSchemaImport(schema, { "order_view" }, false);
    EXPECT_TRUE(named.classes.empty());
    EXPECT_TRUE(Noted(named, "跳过视图 order_view："));
}

// A table of two key columns, each a foreign key, is a many-to-many member
// of the class its first column refers to.
TEST(SchemaMappingTest, LinkTablesBecomeManyToManyMembers)
{
    auto shop = [](std::vector<TDbColumn> linkColumns, std::vector<TDbForeignKey> keys,
                    std::vector<std::string> primaryKey = { "goods_id", "tag_id" },
                    std::vector<std::vector<std::string>> unique = {}) {
        TDbSchema schema;
        schema.tables.push_back({ "goods", "", { Column("goods_id", "int", -1, false), Column("name", "varchar", 20) },
            { "goods_id" }, {} });
        schema.tables.push_back({ "goods_tag", "标签", linkColumns, primaryKey, keys, false, unique });
        schema.tables.push_back(
            { "tag", "", { Column("tag_id", "int", -1, false), Column("goods", "varchar", 20) }, { "tag_id" }, {} });
        return PlanSchemaImport(schema, {}, false);
    };
    const std::vector<TDbColumn> pair = { Column("goods_id", "int", -1, false), Column("tag_id", "int", -1, false) };
    const std::vector<TDbForeignKey> both = { { "goods_id", "goods", "goods_id" }, { "tag_id", "tag", "tag_id" } };
    TImportPlan plan = shop(pair, both);
    ASSERT_EQ(plan.classes.size(), 2u);
    const TPlannedMember* set = Member(plan.classes[0], "tagSet");
    ASSERT_TRUE(set);
    EXPECT_EQ(set->entry.type, "Tag");
    EXPECT_EQ(set->entry.linkTable, "goods_tag");
    EXPECT_EQ(set->entry.linkColumn, "goods_id");
    EXPECT_EQ(set->entry.columnName, "tag_id");
    EXPECT_EQ(set->entry.comment, "标签");
    EXPECT_TRUE(Noted(plan, "多对多 联系表 goods_tag 成为类 Goods 的成员 tagSet"));

    // An extra column, a key column that is no foreign key, a target not imported.
    std::vector<TDbColumn> extra = pair;
    extra.push_back(Column("added_at", "datetime"));
    EXPECT_TRUE(Noted(shop(extra, both), "复合主键 表 goods_tag 导入为类 GoodsTag：主键由列 goods_id、tag_id 组成"));
    EXPECT_TRUE(Noted(shop(pair, { both[0] }), "复合主键 表 goods_tag 导入为类 GoodsTag"));
    EXPECT_TRUE(Noted(shop(pair, { both[0], { "tag_id", "missing", "tag_id" } }),
        "跳过表 goods_tag：它是联系表，但它的外键指向的表没有作为类导入"));

    // Without a primary key, a UNIQUE key over both NOT NULL columns makes
    // the link (PetClinic's vet_specialties); one over less, or over a
    // column that may be NULL, does not.
    struct TUniqueCase {
        std::vector<TDbColumn> columns;
        std::vector<std::vector<std::string>> unique;
        bool link;
    } uniqueCases[] = {
        { pair, { { "goods_id", "tag_id" } }, true },
        { pair, { { "tag_id" }, { "tag_id", "goods_id" } }, true },
        { pair, { { "goods_id" } }, false },
        { { Column("goods_id", "int", -1, false), Column("tag_id", "int") }, { { "goods_id", "tag_id" } }, false },
        { pair, {}, false },
    };
    for (const auto& c : uniqueCases) {
        TImportPlan unique = shop(c.columns, both, {}, c.unique);
        EXPECT_EQ(Noted(unique, "多对多 联系表 goods_tag 成为类 "), c.link) << c.unique.size();
        EXPECT_EQ(Noted(unique, "跳过表 goods_tag：没有主键"), !c.link) << c.unique.size();
    }
}

// A trigger runs when the application writes: the import says so.
TEST(SchemaMappingTest, TriggersAreNamed)
{
    TDbSchema schema;
    schema.tables.push_back({ "orders", "", { Column("id", "int", -1, false) }, { "id" }, {}, false, {},
        { "orders_stamp(BEFORE INSERT)", "orders_log(AFTER UPDATE)" } });
    TImportPlan plan = PlanSchemaImport(schema, {}, false);
    EXPECT_TRUE(
        Noted(plan, "提示 表 orders 有触发器 orders_stamp(BEFORE INSERT)：生成的应用写入这张表时数据库照常执行它"));
    EXPECT_TRUE(Noted(plan, "提示 表 orders 有触发器 orders_log(AFTER UPDATE)："));
}

// An ENUM holds one of its values, a SET several, joined by ",". The values
// keep their case exactly: a choice in another case posts a value the
// column reads as another one (or none), and a save destroys the stored one.
TEST(SchemaMappingTest, EnumAndSetValuesBecomeChoices)
{
    struct TCase {
        const char* columnType; // as the server reports it
        const char* choices;
        const char* mode;
    } cases[] = {
        { "enum('red','it''s')", "red|it's", "" },
        { "set('x','y z')", "x|y z", "several" },
        { "varchar(20)", "", "" },
        { "enum('G','PG','PG-13','R','NC-17')", "G|PG|PG-13|R|NC-17", "" },
        { "ENUM('M','F')", "M|F", "" },
        { "set('Trailers','Commentaries','Deleted Scenes','Behind the Scenes')",
            "Trailers|Commentaries|Deleted Scenes|Behind the Scenes", "several" },
        { "enum('It''S','Ab')", "It'S|Ab", "" },
    };
    for (const auto& c : cases) {
        std::string type = ColumnTypeText(c.columnType);
        TDbColumn column = Column("kind", type.substr(0, type.find('(')), 20);
        column.columnType = type;
        TDbSchema schema;
        schema.tables.push_back({ "thing", "", { Column("id", "int", -1, false), column }, { "id" }, {} });
        TImportPlan plan = PlanSchemaImport(schema, {}, false);
        ASSERT_EQ(plan.classes.size(), 1u);
        const TPlannedMember* kind = Member(plan.classes[0], "kind");
        ASSERT_TRUE(kind) << c.columnType;
        EXPECT_EQ(kind->entry.choices, c.choices) << c.columnType;
        EXPECT_EQ(kind->entry.choiceMode, c.mode) << c.columnType;
    }
}

// A BIGINT UNSIGNED key is held in a long: imported only when no key can
// be beyond it, and then with a word on the limit.
TEST(SchemaMappingTest, UnsignedBigintKeysFitALongOrTheTableIsSkipped)
{
    struct TCase {
        bool autoIncrement;
        bool beyondLong;
        const char* note; // the start of the note it gets
    } cases[] = {
        { true, false, "提示 表 big 的主键 id 是 BIGINT UNSIGNED 自增列，按长整型导入" },
        { false, false, "跳过表 big：主键 id 是 BIGINT UNSIGNED 且不是自增列" },
        { true, true, "跳过表 big：主键 id 是 BIGINT UNSIGNED，已有大于 9223372036854775807 的键值" },
    };
    for (const auto& c : cases) {
        TDbColumn key = Column("id", "bigint", -1, false);
        key.columnType = "bigint(20) unsigned";
        key.autoIncrement = c.autoIncrement;
        key.beyondLong = c.beyondLong;
        TDbSchema schema;
        schema.tables.push_back({ "big", "", { key, Column("name", "varchar", 20) }, { "id" }, {} });
        TImportPlan plan = PlanSchemaImport(schema, {}, false);
        EXPECT_TRUE(Noted(plan, c.note)) << c.note;
        bool skipped = std::string(c.note).rfind("跳过", 0) == 0;
        ASSERT_EQ(plan.classes.size(), skipped ? 0u : 1u) << c.note;
        if (!skipped) {
            EXPECT_EQ(Member(plan.classes[0], "id")->entry.type, kTypeLong);
        }
    }
}

// Only the type's words are folded to lower case, never a quoted value.
TEST(SchemaMappingTest, ColumnTypesKeepTheirQuotedValues)
{
    const std::pair<const char*, const char*> cases[] = {
        { "INT(10) UNSIGNED ZEROFILL", "int(10) unsigned zerofill" },
        { "DECIMAL(8,2)", "decimal(8,2)" },
        { "ENUM('PG','nc-17')", "enum('PG','nc-17')" },
        { "SET('A''B','C\\\\','Eq')", "set('A''B','C\\\\','Eq')" },
        { "enum('X')", "enum('X')" },
    };
    for (const auto& [reported, kept] : cases)
        EXPECT_EQ(ColumnTypeText(reported), kept) << reported;
}

// A view becomes a read-only class keyed by a column that can serve as one.
TEST(SchemaMappingTest, ViewsBecomeReadOnlyClassesWhenAColumnCanBeTheKey)
{
    struct TCase {
        std::vector<TDbColumn> columns;
        const char* key; // the key member's column; empty: the view is skipped
    } cases[] = {
        { { Column("name", "varchar", 20, false), Column("ID", "int", -1, false) }, "ID" },
        { { Column("total", "int", -1, false), Column("order_id", "bigint", -1, false) }, "order_id" },
        { { Column("customer_id", "int", -1, true), Column("code_id", "varchar", 8, false) }, "code_id" },
        { { Column("id", "datetime", -1, false), Column("total", "int", -1, false) }, "" },
    };
    for (const auto& c : cases) {
        TDbSchema schema;
        schema.tables.push_back({ "sales_view", "", c.columns, {}, {}, true });
        TImportPlan plan = PlanSchemaImport(schema, {}, false);
        if (!*c.key) {
            EXPECT_TRUE(plan.classes.empty());
            EXPECT_TRUE(Noted(plan, "跳过视图 sales_view：没有可以作为键的列"));
            continue;
        }
        ASSERT_EQ(plan.classes.size(), 1u) << c.key;
        const TPlannedClass& view = plan.classes[0];
        EXPECT_TRUE(view.readOnly);
        const TPlannedMember* key = nullptr;
        for (const auto& m : view.members)
            if (m.entry.isPri)
                key = &m;
        ASSERT_TRUE(key) << c.key;
        EXPECT_EQ(key->column, c.key);
        EXPECT_EQ(key->entry.keyGenerator, "assigned");
        EXPECT_TRUE(Noted(plan, "只读 视图 sales_view 导入为只读类 SalesView：以列 " + std::string(c.key)));
    }
}

// A key of several integer or text columns makes a class of several key
// members; their foreign keys stay plain values, and no other class refers
// to it by a reference member.
TEST(SchemaMappingTest, CompositeKeysBecomeClassesOfSeveralKeyMembers)
{
    auto autoIncrement = [](TDbColumn column) {
        column.autoIncrement = true;
        return column;
    };
    struct TCase {
        std::vector<TDbColumn> keys;
        bool imported;
        const char* note;
    } cases[] = {
        { { Column("order_no", "int", -1, false), Column("product_code", "varchar", 15, false) }, true,
            "复合主键 表 order_line 导入为类 OrderLine：主键由列 order_no、product_code 组成" },
        { { Column("order_no", "bigint", -1, false), Column("line", "int", -1, false),
              Column("part", "char", 2, false) },
            true, "复合主键 表 order_line 导入为类 OrderLine：主键由列 order_no、line、part 组成" },
        { { autoIncrement(Column("order_no", "int", -1, false)), Column("line", "int", -1, false) }, false,
            "跳过表 order_line：主键由多个列组成，其中 order_no 是自增列" },
        { { Column("order_no", "int", -1, false), Column("day", "date", -1, false) }, false,
            "跳过表 order_line：主键 day 不是整数或文本列" },
    };
    for (const auto& c : cases) {
        TDbSchema schema;
        schema.tables.push_back({ "orders", "", { Column("order_no", "int", -1, false) }, { "order_no" }, {} });
        std::vector<TDbColumn> columns = c.keys;
        columns.push_back(Column("qty", "int"));
        std::vector<std::string> key;
        for (const auto& column : c.keys)
            key.push_back(column.name);
        schema.tables.push_back({ "order_line", "", columns, key, { { "order_no", "orders", "order_no" } } });
        // A foreign key to the composite table stays a number.
        schema.tables.push_back(
            { "remark", "", { Column("remark_id", "int", -1, false), Column("order_no", "int", -1, false) },
                { "remark_id" }, { { "order_no", "order_line", "order_no" } } });
        TImportPlan plan = PlanSchemaImport(schema, {}, false);
        EXPECT_TRUE(Noted(plan, c.note)) << c.note;
        const TPlannedClass* line = nullptr;
        for (const auto& planned : plan.classes)
            if (planned.table == "order_line")
                line = &planned;
        if (!c.imported) {
            EXPECT_FALSE(line) << c.note;
            continue;
        }
        ASSERT_TRUE(line) << c.note;
        size_t keys = 0;
        for (const auto& m : line->members)
            if (m.entry.isPri) {
                ++keys;
                EXPECT_EQ(m.entry.keyGenerator, "assigned") << m.column;
                EXPECT_TRUE(IsSimpleType(m.entry.type)) << m.column;
            }
        EXPECT_EQ(keys, c.keys.size()) << c.note;
        EXPECT_TRUE(Noted(plan, "外键 order_line.order_no 是复合主键的一部分，按普通列导入"));
        EXPECT_EQ(Member(plan.classes.back(), "orderNo")->entry.type, kTypeInteger);
    }
}

// A BLOB is a 二进制 member of a project for the current target, else it is
// skipped, with one hint how to import it.
TEST(SchemaMappingTest, BlobsBecomeBinaryMembersOnlyForTheCurrentTarget)
{
    InstallTargets(); // as the programs do at start
    TDbSchema schema;
    schema.tables.push_back({ "goods", "",
        { Column("goods_id", "int", -1, false), Column("photo", "mediumblob", 16777215),
            Column("thumb", "varbinary", 200) },
        { "goods_id" }, {} });
    for (const std::string target : { "", "legacy", "current" }) {
        TImportPlan plan = PlanSchemaImport(schema, {}, false, target);
        ASSERT_EQ(plan.classes.size(), 1u);
        EXPECT_EQ(plan.target, target);
        const TPlannedMember* photo = Member(plan.classes[0], "photo");
        bool hint = Noted(plan, "提示 BLOB 等二进制列只在目标框架 current");
        if (target == "current") {
            ASSERT_TRUE(photo);
            EXPECT_EQ(photo->entry.type, kTypeBinary);
            EXPECT_EQ(photo->entry.lengthText, "16777215");
            // A VARBINARY holds codes more often than files.
            EXPECT_FALSE(Member(plan.classes[0], "thumb"));
            EXPECT_FALSE(hint);
        } else {
            EXPECT_FALSE(photo);
            EXPECT_TRUE(Noted(plan, "跳过列 goods.photo：类型 mediumblob 不受支持"));
            EXPECT_TRUE(hint);
            EXPECT_EQ(std::count_if(plan.notes.begin(), plan.notes.end(),
                          [](const std::string& n) { return n.rfind("提示 BLOB", 0) == 0; }),
                1);
        }
    }
}

// The window's import dialog and the CLI share the refusal of an empty
// field: nothing is tried with the client library's defaults.
TEST(SchemaMappingTest, EmptyConnectionFieldsAreRefusedBeforeConnecting)
{
    for (auto [field, what] :
        std::vector<std::pair<std::string TDbConnection::*, std::string>> { { &TDbConnection::host, "主机" },
            { &TDbConnection::user, "用户名" }, { &TDbConnection::database, "数据库名" } }) {
        TDbConnection c;
        c.host = "127.0.0.1";
        c.port = 1; // nothing listens: a connection tried would fail otherwise
        c.user = "u";
        c.database = "d";
        c.*field = "";
        try {
            ReadDbSchema(c);
            ADD_FAILURE() << what;
        } catch (const TDbImportError& e) {
            EXPECT_EQ(std::string(e.what()), "请填写" + what + "!");
        }
    }
}
