// A domain class mapped with Jakarta Persistence annotations: what the
// legacy target's mapping file says, on the fields themselves.
#include "codegen/core/DatabaseUse.h"
#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/targets/legacy/ColumnTypes.h"
#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/targets/legacy/DomainOperate.h"
#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/Printer.h"
#include "codegen/text/TextEscape.h"
#include "model/store/MemberTypes.h"

#include <set>

namespace {

// The longest VARCHAR HSQLDB creates in the tests (16 MB); a longer text
// column of the user's database is mapped as it is.
const int kLongestVarchar = 16777215;

// What @Column says beside the name: length, precision, and
// whether the application writes the column.
std::string ColumnAttributes(const TMember& m)
{
    std::string attributes;
    const std::string& type = m.GetMemberType();
    bool imported = !m.GetColumnName().empty();
    if (type == kTypeString) {
        int length = m.GetMemberLength() > 0 ? m.GetMemberLength() : 20;
        attributes += ", length = " + std::to_string(std::min(length, kLongestVarchar));
    } else if (type == kTypeDate) {
        attributes += ", length = " + std::to_string(imported && m.GetMemberLength() > 0 ? m.GetMemberLength() : 10);
    } else if (type == kTypeDecimal && m.GetMemberPrecision() > 0) {
        attributes += ", precision = " + std::to_string(m.GetMemberPrecision()) +
            ", scale = " + std::to_string(m.GetMemberScale());
    }
    if (!InsertedByApplication(m))
        attributes += ", insertable = false";
    if (!UpdatedByApplication(m))
        attributes += ", updatable = false";
    return attributes;
}

// A file is read as its first byte only (a list never carries the files):
// the loaded stand-ins are remembered, so that the DAO gives a copy added as
// a new object its original's whole files instead of the stand-in.
void AddStandInRecord(TPrinter& out, const TClassData& c)
{
    std::vector<TMember> files = BinaryMembers(c);
    if (files.empty())
        return;
    TPrinter::TVars vars = { { "key", c.primary.GetMemberName() } };
    out.Print(vars,
        "    /** 读出的对象的文件内容只有第一个字节(见上): 记下它们来自哪个对象, 复制后添加时由 DAO 换成完整内容 */\n"
        "    private static final java.util.Map<byte[], Object> loadedStandIns =\n"
        "        java.util.Collections.synchronizedMap(new java.util.WeakHashMap<byte[], Object>());\n"
        "\n"
        "    @PostLoad\n"
        "    void rememberStandIns() {\n");
    for (const TMember& m : files)
        out.Print({ { "m", m.GetMemberName() }, { "key", c.primary.GetMemberName() } },
            "        if ($m$ != null)\n"
            "            loadedStandIns.put($m$, $key$);\n");
    out.Print({}, "    }\n\n");
    for (const TMember& m : files)
        out.Print({ { "m", m.GetMemberName() }, { "M", CapitalizedName(m.GetMemberName()) } },
            "    /** bytes 是读出的某个对象的$m$时, 那个对象的键; 否则 null */\n"
            "    public static Object copiedFrom$M$(byte[] bytes) {\n"
            "        return bytes == null ? null : loadedStandIns.get(bytes);\n"
            "    }\n"
            "\n");
}

// An optional text or date left empty on the add page is left out of the
// INSERT (the class inserts dynamically): the column gets the database's
// default, NULL when it has none. Without this the empty text was written,
// and stored as NULL over the default.
void AddEmptyOnAdd(TPrinter& out, const TClassData& c)
{
    std::vector<std::string> names;
    for (const TClassMember& mapped : c.members)
        if (mapped.isNonPrimary && (UsesOptionalTextType(mapped.member) || UsesDateTextType(mapped.member)) &&
            InsertedByApplication(mapped.member))
            names.push_back(mapped.member.GetMemberName());
    if (names.empty() || c.tableName.empty() || c.readOnly)
        return;
    out.Print({},
        "    /** 添加时空着的可选文字和日期不写入, 数据库给它默认值(没有默认值时为 NULL) */\n"
        "    @PrePersist\n"
        "    void emptyAsDefault() {\n");
    for (const std::string& name : names)
        out.Print({ { "m", name } },
            "        if ($m$ != null && $m$.isEmpty())\n"
            "            $m$ = null;\n");
    out.Print({}, "    }\n");
}

void AddAccessors(TPrinter& out, const std::string& type, const std::string& name)
{
    out.Print({ { "t", type }, { "m", name }, { "M", CapitalizedName(name) } },
        "    public $t$ get$M$() {\n"
        "        return $m$;\n"
        "    }\n"
        "    public void set$M$($t$ $m$) {\n"
        "        this.$m$ = $m$;\n"
        "    }\n"
        "\n");
}

void AddComment(TPrinter& out, const TMember& m)
{
    const std::string& comment = m.GetMemberComment();
    if (m.GetColumnName().empty())
        out.Print({ { "c", JavaCommentText(comment) } }, "    /*$c$*/\n");
    else
        out.Print({ { "c", JavaCommentText(comment) + (comment.empty() ? "" : " ") }, { "col", m.GetColumnName() } },
            "    /** $c$(列 $col$) */\n");
}

} // namespace

std::string BuildEntityClass(const TGenInput& in, const TClassData& c)
{
    TPrinter out;
    TPrinter::TVars vars = { { "pkg", in.packageName }, { "C", c.name },
        { "table", c.tableName.empty() ? "t_" + c.name : Quoted(c.tableName) },
        { "friend", JavaCommentText(c.friendName) } };
    out.Print(vars,
        "package com.$pkg$.domain;\n"
        "\n"
        "import jakarta.persistence.*;\n"
        "\n"
        "/** $friend$ */\n"
        "@Entity\n"
        "@Table(name = \"$table$\")\n");
    // A table of the user's: only the columns a save changes are written,
    // and a column left empty on add gets its default. A view is never written.
    if (!c.tableName.empty())
        out.Print({}, "@org.hibernate.annotations.DynamicInsert\n@org.hibernate.annotations.DynamicUpdate\n");
    if (c.readOnly)
        out.Print({}, "@org.hibernate.annotations.Immutable\n");
    // A composite key: several @Id, the object itself is the identifier.
    out.Print(vars, c.CompositeKey() ? "public class $C$ implements java.io.Serializable {\n" : "public class $C$ {\n");

    std::set<std::string> columns = { ColumnOf(c.primary) };
    for (const TMember& key : c.keys)
        columns.insert(ColumnOf(key));
    for (const auto& mapped : c.members)
        if (mapped.isNonPrimary && IsSimpleType(mapped.member.GetMemberType()))
            columns.insert(ColumnOf(mapped.member));
    for (const TClassMember& mapped : c.members) {
        const TMember& m = mapped.member;
        const std::string& type = m.GetMemberType();
        std::string field = FieldTypeOf(m);
        TPrinter::TVars member = { { "t", field }, { "m", m.GetMemberName() }, { "col", ColumnOf(m) },
            { "attributes", ColumnAttributes(m) } };
        AddComment(out, m);
        if (!mapped.isNonPrimary) {
            out.Print({}, "    @Id\n");
            if (KeyGeneratorOf(m) == "native")
                out.Print({}, "    @GeneratedValue(strategy = GenerationType.IDENTITY)\n");
            out.Print(member, "    @Column(name = \"$col$\"$attributes$)\n");
        } else if (type == kTypeBinary) {
            // Written on add with the object, on modify only by a new file.
            // A row is read with the first byte only (whether there are any):
            // a list never carries the files; the DAO reads one for a download.
            // Hibernate puts the alias before the column by replacing its name
            // in the expression: a name inside "substring", or one quoted for
            // MariaDB, is read whole instead.
            member["C"] = c.name;
            member["M"] = CapitalizedName(m.GetMemberName());
            member["length"] = std::to_string(BinaryCapacity(m));
            const std::string& col = member["col"];
            bool marker = col.find('`') == std::string::npos && std::string("substring").find(col) == std::string::npos;
            // On PostgreSQL a @Lob byte[] is a large object (oid); without
            // it the column is bytea, which substring reads as well.
            member["lob"] = UsesPostgresql(in.database) ? "" : "    @Lob\r\n";
            out.Print(member,
                marker ? "    // 读取对象时只取第一个字节(判断有无内容); 完整内容由 $C$DAO.Get$C$$M$Bytes 读取\n"
                         "$lob$"
                         "    @Column(name = \"$col$\", length = $length$, updatable = false)\n"
                         "    @org.hibernate.annotations.ColumnTransformer(read = \"substring($col$, 1, 1)\")\n"
                       : "$lob$"
                         "    @Column(name = \"$col$\", length = $length$, updatable = false)\n");
        } else if (!IsSimpleType(type)) {
            // As the legacy mapping: the pages check a required reference,
            // the column may hold NULL.
            member["col"] = ReferenceColumn(mapped, columns);
            member["write"] = (InsertedByApplication(m) ? "" : ", insertable = false") +
                std::string(UpdatedByApplication(m) ? "" : ", updatable = false");
            out.Print(member,
                "    @ManyToOne(fetch = FetchType.EAGER)\n"
                "    @JoinColumn(name = \"$col$\"$write$)\n");
        } else {
            // An empty optional text, and an empty date, are stored as NULL.
            if (UsesOptionalTextType(m) || UsesDateTextType(m))
                out.Print(vars, "    @Convert(converter = com.$pkg$.utils.EmptyAsNull.class)\n");
            if (type == kTypeString && !m.GetColumnName().empty() && m.GetMemberLength() > kLongestVarchar)
                out.Print({}, "    @Lob\n");
            out.Print(member, "    @Column(name = \"$col$\"$attributes$)\n");
        }
        out.Print(member, "    private $t$ $m$;\n");
        AddAccessors(out, field, m.GetMemberName());
    }
    for (const TCollectionMember& m : c.collections) {
        std::string set = "java.util.Set<" + m.type + ">";
        out.Print({ { "comment", JavaCommentText(m.comment) }, { "link", Quoted(m.linkTable) },
                      { "owner", Quoted(m.ownerColumn) }, { "col", Quoted(m.column) }, { "t", set }, { "R", m.type },
                      { "m", m.name } },
            "    /** $comment$ (联系表 $link$) */\n"
            "    @ManyToMany(fetch = FetchType.EAGER)\n"
            "    @JoinTable(name = \"$link$\", joinColumns = @JoinColumn(name = \"$owner$\"),\n"
            "        inverseJoinColumns = @JoinColumn(name = \"$col$\"))\n"
            "    private $t$ $m$ = new java.util.HashSet<$R$>();\n");
        AddAccessors(out, set, m.name);
    }
    AddEmptyOnAdd(out, c);
    AddStandInRecord(out, c);
    if (c.CompositeKey())
        out.Append(TDomainOperate::BuildKeyEquality(c));
    out.Print({}, "}\n");
    return out.Str();
}
