// The merging generation on real generated files when the user's edits and
// the model's changes touch different members: no conflict, both changes in
// the result, and the tree still compiles; a real collision stays a
// conflict confined to its member; a file with unresolved markers is not
// merged again; a file that does not parse is merged by lines.
#include "TempModelTest.h"

#include "ModelBuilder.h"
#include "RecordingListener.h"
#include "RunCommand.h"

#include "codegen/merge/BaseStore.h"
#include "codegen/merge/StructuralMerge.h"
#include "model/commands/ModelCommands.h"
#include "model/store/TextCodec.h"

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void Write(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A hand edit: the text put before the first occurrence of anchor (or, with
// last, the last one), or replacing it; all UTF-8, GBK where the file is.
struct TEdit {
    const char* file; // below src/
    const char* anchor;
    const char* text;
    enum { Before, BeforeLast, Replace } how;
};

class StructuralMergeTest : public TempModelTest {
protected:
    void SetUp() override
    {
        TempModelTest::SetUp();
        library_ = BuildLibraryModel("Library");
        src_ = dir_ / "out" / "projects" / "Library" / "src";
    }

    // What a merging generation reported.
    struct TRun {
        std::vector<std::string> events;
        std::vector<std::string> progress;
        std::optional<TMergeSummary> summary;
    };
    TRun Merge()
    {
        TRecordingListener listener;
        listener.runKind = TRunKind::Merge;
        EXPECT_TRUE(
            listener.RunAndWait(library_, "Library", "velmorantis", { JAVAGEN_TEMPLATES, (dir_ / "out").string() }));
        return { listener.events, listener.progress, listener.summary };
    }

    fs::path File(const std::string& relative) const
    {
        return relative.rfind("struts", 0) == 0 ? src_ / relative : src_ / "com" / "velmorantis" / relative;
    }

    static bool Gbk(const std::string& file) { return file.find(".java") != std::string::npos; }

    void Apply(const TEdit& edit)
    {
        fs::path file = File(edit.file);
        std::string bytes = Read(file);
        std::string anchor = Gbk(edit.file) ? Utf8ToGbk(edit.anchor) : edit.anchor;
        std::string text = Gbk(edit.file) ? Utf8ToGbk(edit.text) : edit.text;
        size_t at = edit.how == TEdit::BeforeLast ? bytes.rfind(anchor) : bytes.find(anchor);
        ASSERT_NE(at, std::string::npos) << edit.file << ": " << edit.anchor;
        if (edit.how == TEdit::Replace)
            bytes.replace(at, anchor.size(), text);
        else
            bytes.insert(at, text);
        Write(file, bytes);
    }

    // The file as UTF-8 text.
    std::string Text(const std::string& relative) const
    {
        std::string bytes = Read(File(relative));
        return Gbk(relative) ? GbkToUtf8(bytes) : bytes;
    }

    void ExpectNoConflict(const TRun& run)
    {
        ASSERT_TRUE(run.summary);
        EXPECT_TRUE(run.summary->Conflicts().empty()) << run.summary->Counts();
        for (const auto& line : run.progress)
            EXPECT_EQ(line.find("按行合并"), std::string::npos) << line;
    }

    void ExpectCompiles()
    {
        TProcessResult javac = RunCommand(
            "/bin/bash", { JAVAGEN_JAVA_DIR "/compile_tree.sh", src_.string(), (dir_ / "classes").string() });
        EXPECT_EQ(javac.status, 0) << javac.out << javac.err;
    }

    void AddMember(const std::string& className, const std::string& name, const std::string& type, bool query)
    {
        TMemberEntry entry;
        entry.name = name;
        entry.type = type;
        entry.lengthText = "30";
        entry.isMust = type != "字符串";
        entry.queryFlag = query;
        TCommandResult added = TModelCommands::AddMember(library_, ClassIdOf(library_, className), entry);
        ASSERT_TRUE(added.Done()) << added.message;
    }

    int library_ = 0;
    fs::path src_;
};

// What a user typically writes into generated files.
const TEdit kUserEdits[] = {
    { "domain/Book.java", "}",
        "    public String describe() {\r\n        return isbn + \" \" + bookName;\r\n    }\r\n\r\n",
        TEdit::BeforeLast },
    { "dao/BookDAO.java", "    /*查询Book信息*/",
        "    /*手工添加: 按书号是否存在*/\r\n    public boolean Exists(String isbn) {\r\n        return "
        "GetBookByIsbn(isbn) != null;\r\n"
        "    }\r\n\r\n",
        TEdit::Before },
    { "action/BookAction.java", "    /*当前第几页*/",
        "    /*手工添加的属性*/\r\n    private String note;\r\n    public String getNote() {\r\n        return "
        "note;\r\n    }\r\n"
        "    public void setNote(String note) {\r\n        this.note = note;\r\n    }\r\n\r\n",
        TEdit::Before },
    { "action/ReaderAction.java", "import java.util.List;\r\n", "import java.util.Date;\r\n", TEdit::Before },
    { "domain/Book.hbm.xml", "      </class>",
        "          <property name=\"remark\" column=\"remark\" type=\"string\" length=\"100\"/>\r\n\r\n",
        TEdit::Before },
    { "struts.xml", "</struts>",
        "         <package name=\"report\" namespace=\"/report\" extends=\"struts-default\">\r\n"
        "           <action name=\"report_*\" class=\"com.velmorantis.action.UserAction\" method=\"{1}\"/>\r\n"
        "         </package>\r\n",
        TEdit::Before },
    { "dao/ReaderDAO.java", "            return reader;\r\n",
        "            /*手工: 记录查找*/\r\n            return reader;\r\n", TEdit::Replace },
};

} // namespace

// Two rounds of hand edits and model changes that do not touch the same
// members: every change of both sides lands, nothing conflicts, it compiles.
TEST_F(StructuralMergeTest, EditsAndModelChangesOfDifferentMembersMergeCleanly)
{
    ASSERT_EQ(Merge().events, std::vector<std::string> { "merged" });
    for (const auto& edit : kUserEdits)
        Apply(edit);
    // The user deletes a generated method.
    std::string reader = Read(File("action/BookTypeAction.java"));
    size_t from = reader.find(Utf8ToGbk("    /*跳转到添加BookType视图*/"));
    size_t to = reader.find(Utf8ToGbk("    /*添加BookType信息*/"));
    ASSERT_TRUE(from != std::string::npos && to != std::string::npos);
    Write(File("action/BookTypeAction.java"), reader.erase(from, to - from));
    // The model: a member, a query member, a reference, one member less, a class.
    AddMember("Book", "author", "字符串", true);
    AddMember("Reader", "favourite", "BookType", true);
    ASSERT_TRUE(TModelCommands::DeleteMember(MemberIdOf(ClassIdOf(library_, "Book"), "introduction")).Done());
    int publisher = EnterClass(library_, "Publisher", "出版社");
    EnterMember(library_, publisher, "publisherId", "整型", "pmd");

    TRun first = Merge();
    ExpectNoConflict(first);
    const std::pair<const char*, const char*> present[] = {
        { "domain/Book.java", "public String describe()" },
        { "domain/Book.java", "private String author;" },
        { "dao/BookDAO.java", "public boolean Exists(String isbn)" },
        { "dao/BookDAO.java", "String author" },
        { "action/BookAction.java", "private String note;" },
        { "action/BookAction.java", "private String author;" },
        { "action/ReaderAction.java", "import java.util.Date;" },
        { "action/ReaderAction.java", "import com.velmorantis.domain.BookType;" },
        { "domain/Book.hbm.xml", "name=\"remark\"" },
        { "domain/Book.hbm.xml", "name=\"author\"" },
        { "struts.xml", "<package name=\"report\"" },
        { "struts.xml", "<package name=\"Publisher\"" },
        { "dao/ReaderDAO.java", "/*手工: 记录查找*/" },
        { "dao/ReaderDAO.java", "favourite" },
    };
    for (const auto& [file, text] : present)
        EXPECT_NE(Text(file).find(text), std::string::npos) << file << " lacks " << text;
    EXPECT_EQ(Text("domain/Book.java").find("introduction"), std::string::npos);
    EXPECT_EQ(Text("domain/Book.hbm.xml").find("introduction"), std::string::npos);
    EXPECT_EQ(Text("action/BookTypeAction.java").find("AddView"), std::string::npos);
    // The user's method stays after the model's new property, at the end.
    EXPECT_LT(Text("domain/Book.java").find("private String author;"), Text("domain/Book.java").find("describe()"));
    ExpectCompiles();

    // A second round on top of the first.
    Apply({ "domain/Book.java", "        return isbn + \" \" + bookName;", "        return isbn + \" / \" + bookName;",
        TEdit::Replace });
    AddMember("BookType", "shelf", "字符串", false);
    ASSERT_TRUE(TModelCommands::DeleteMember(MemberIdOf(ClassIdOf(library_, "Book"), "author")).Done());
    TRun second = Merge();
    ExpectNoConflict(second);
    EXPECT_NE(Text("domain/Book.java").find("isbn + \" / \" + bookName"), std::string::npos);
    EXPECT_EQ(Text("domain/Book.java").find("author"), std::string::npos);
    EXPECT_NE(Text("domain/BookType.java").find("private String shelf;"), std::string::npos);
    EXPECT_NE(Text("dao/BookDAO.java").find("public boolean Exists"), std::string::npos);
    ExpectCompiles();
}

// Both sides change one member (the user edits a method the model changes,
// or one the model removes): a conflict marked in that member only.
TEST_F(StructuralMergeTest, RealCollisionsStayConflictsConfinedToTheirMember)
{
    ASSERT_EQ(Merge().events, std::vector<std::string> { "merged" });
    Apply({ "dao/BookDAO.java", "String publishDate,int currentPage) { ",
        "String publishDate,int currentPage) throws Exception { ", TEdit::Replace });
    Apply(
        { "domain/Book.java", "        return introduction;", "        return introduction.trim();", TEdit::Replace });
    AddMember("Book", "author", "字符串", true);
    ASSERT_TRUE(TModelCommands::DeleteMember(MemberIdOf(ClassIdOf(library_, "Book"), "introduction")).Done());
    TRun run = Merge();
    ASSERT_TRUE(run.summary);
    EXPECT_EQ(run.summary->Conflicts(),
        (std::vector<std::string> { "projects/Library/src/com/velmorantis/domain/Book.java",
            "projects/Library/src/com/velmorantis/dao/BookDAO.java" }));
    std::string dao = Text("dao/BookDAO.java");
    size_t open = dao.find("<<<<<<< ");
    size_t close = dao.find(">>>>>>> ");
    ASSERT_TRUE(open != std::string::npos && close != std::string::npos);
    // The markers stand inside the query method; the count method, which
    // the model changed too, is merged outside them.
    EXPECT_GT(open, dao.find("public ArrayList<Book> QueryBookInfo("));
    EXPECT_LT(close, dao.find("public ArrayList<Book> QueryAllBookInfo()"));
    EXPECT_NE(
        dao.find(
            "CalculateTotalPageAndRecordNumber(String bookName,BookType bookType,String publishDate,String author)"),
        std::string::npos);
    std::string domain = Text("domain/Book.java");
    EXPECT_NE(domain.find("introduction.trim()"), std::string::npos);
    EXPECT_NE(domain.find("private String author;"), std::string::npos);
}

// A file that still holds the markers of the last merge is left as it is
// (its base too), reported, and makes the merge end with a conflict.
TEST_F(StructuralMergeTest, UnresolvedConflictIsNotMergedAgain)
{
    ASSERT_EQ(Merge().events, std::vector<std::string> { "merged" });
    Apply(
        { "domain/Book.java", "        return introduction;", "        return introduction.trim();", TEdit::Replace });
    ASSERT_TRUE(TModelCommands::DeleteMember(MemberIdOf(ClassIdOf(library_, "Book"), "introduction")).Done());
    Merge();
    std::string marked = Read(File("domain/Book.java"));
    ASSERT_NE(marked.find("<<<<<<< "), std::string::npos);
    TBaseStore bases((dir_ / "out" / "projects" / "Library").string());
    std::string base = bases.Read("src/com/velmorantis/domain/Book.java").value_or("");

    AddMember("Book", "author", "字符串", false);
    TRun again = Merge();
    EXPECT_EQ(Read(File("domain/Book.java")), marked);
    EXPECT_EQ(bases.Read("src/com/velmorantis/domain/Book.java").value_or(""), base);
    ASSERT_TRUE(again.summary);
    EXPECT_EQ(again.summary->Conflicts(),
        (std::vector<std::string> { "projects/Library/src/com/velmorantis/domain/Book.java" }));
    EXPECT_NE(std::find(again.progress.begin(), again.progress.end(),
                  "projects/Library/src/com/velmorantis/domain/Book.java仍有未解决的冲突，本次未合并!"),
        again.progress.end());
    EXPECT_NE(again.summary->Counts().find("仍有未解决的冲突而未合并 1 个"), std::string::npos);
}

// A Java file the user left broken is merged by lines, and the line says so.
TEST_F(StructuralMergeTest, FileThatDoesNotParseIsMergedByLines)
{
    ASSERT_EQ(Merge().events, std::vector<std::string> { "merged" });
    Apply({ "domain/Reader.java", "}", "    void unfinished( {\r\n\r\n", TEdit::BeforeLast });
    AddMember("Reader", "phone", "字符串", false);
    TRun run = Merge();
    EXPECT_NE(
        std::find(run.progress.begin(), run.progress.end(),
            "projects/Library/src/com/velmorantis/domain/Reader.java有冲突，请手工解决!(文件无法解析，已按行合并)"),
        run.progress.end());
    EXPECT_NE(Text("domain/Reader.java").find("<<<<<<< "), std::string::npos);
}

// The pieces of a file give it back byte for byte, and name its members.
TEST(ChunkTest, PiecesGiveTheTextBack)
{
    const std::string java =
        "package a;\r\n\r\nimport java.util.List;\r\nimport java.util.List;\r\n\r\n/** c */\r\n"
        "public class A {\r\n    /*x*/\r\n    private int x;\r\n    public int getX() { return x; }\r\n"
        "    public void f(List<String> a, int[] b) {}\r\n    /* block */\r\n    A(int x) {}\r\n"
        "    int a, b;\r\n    static class B {}\r\n    enum E { P }\r\n}";
    auto chunks = ChunkJava(java);
    ASSERT_TRUE(chunks);
    std::string joined;
    std::vector<std::string> keys;
    for (const auto& c : *chunks) {
        joined += c.text;
        keys.push_back(c.key);
    }
    EXPECT_EQ(joined, java);
    EXPECT_EQ(keys,
        (std::vector<std::string> { "#head", "package", "import:importjava.util.List;",
            "import:importjava.util.List;#2", "#classhead", "field:x", "method:getX()", "method:f(List<String>,int[])",
            "constructor:A(int)", "field:a,b", "type:B", "type:E", "#tail" }));
    EXPECT_FALSE(ChunkJava("public class A { void f( }"));

    const std::string xml =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<m>\r\n  <class name=\"A\">\r\n    <!-- k -->\r\n"
        "    <id name=\"id\"/>\r\n    <property name=\"p\"\r\n      length=\"3\"/>\r\n  </class>\r\n</m>\r\n";
    auto pieces = ChunkXml(xml);
    ASSERT_TRUE(pieces);
    joined.clear();
    keys.clear();
    for (const auto& c : *pieces) {
        joined += c.text;
        keys.push_back(c.key);
    }
    EXPECT_EQ(joined, xml);
    EXPECT_EQ(keys, (std::vector<std::string> { "#head", "id:name=id", "property:name=p", "#tail" }));
    EXPECT_EQ((*pieces)[1].text, "    <!-- k -->\r\n    <id name=\"id\"/>\r\n");
    EXPECT_FALSE(ChunkXml("<m><a></m>"));
}

// Pieces merged by key: a piece one side changed takes that side, a piece
// one side removed goes, the model's new pieces follow the piece the new
// text has before them, the user's keep their place.
TEST(ChunkTest, MergedPiecesTakeTheirPlaces)
{
    // Each piece is its key and a line; a changed piece is "key'".
    auto cut = [](const std::string& keys) {
        TChunks chunks;
        for (size_t at = 0; at < keys.size();) {
            size_t space = keys.find(' ', at);
            std::string text = keys.substr(at, space == std::string::npos ? std::string::npos : space - at);
            std::string key = text.substr(0, text.find('\''));
            chunks.push_back({ key, text + "\n" });
            at = space == std::string::npos ? keys.size() : space + 1;
        }
        return chunks;
    };
    struct TCase {
        const char *base, *ours, *theirs, *merged;
    };
    const TCase cases[] = {
        { "h a b t", "h a b t", "h n a b t", "h n a b t" }, // new at the start
        { "h a b t", "h a b t", "h a n m b t", "h a n m b t" }, // two new in the middle
        { "h a b t", "h a u b t", "h a b n t", "h a u b n t" }, // each side adds
        { "h a b t", "h a u b t", "h a n b t", "h a n u b t" }, // both after a: the model's first
        { "h a b t", "h a' b t", "h a b' t", "h a' b' t" }, // each side changes one
        { "h a b t", "h a b t'", "h b t", "h b t'" }, // removed by the model
        { "h a b t", "h b a t", "h a b n t", "h b n a t" }, // the user's order stays
        { "h t", "t h", "x h t", "x t h" }, // a new first piece goes first
    };
    for (const auto& c : cases) {
        TMergedText merged = MergeChunks(cut(c.base), cut(c.ours), cut(c.theirs), {});
        std::string expected;
        for (const auto& chunk : cut(c.merged))
            expected += chunk.text;
        EXPECT_TRUE(merged.clean) << c.ours << " / " << c.theirs;
        EXPECT_EQ(merged.bytes, expected) << c.ours << " / " << c.theirs;
    }
    // Changed by the user and removed by the model: a conflict in that piece.
    EXPECT_FALSE(MergeChunks(cut("h a b t"), cut("h a' b t"), cut("h b t"), {}).clean);
}
