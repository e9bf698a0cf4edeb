// The merging generation's pieces: the three-way merge on the files' own
// bytes, the merge sink's decisions (and its dry run), and the bases a plain
// run refreshes but never makes. The whole command through javagen-cli is
// tests/app/merge_generation.sh.
#include "TempModelTest.h"

#include "ModelBuilder.h"
#include "RecordingListener.h"
#include "TreeCompare.h"

#include "codegen/io/TreeGuard.h"
#include "codegen/merge/BaseStore.h"
#include "codegen/merge/ThreeWayMerge.h"
#include "model/commands/ModelCommands.h"
#include "model/store/DbHelper.h"
#include "model/store/TextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The labels the merge sink writes after the conflict markers.
const char* const kOursLabel = "手工修改(磁盘上的文件)";
const char* const kTheirsLabel = "模型生成的新代码";

// True when every line of the text ends in CR LF.
bool OnlyCrLf(const std::string& text)
{
    for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
        if (i == 0 || text[i - 1] != '\r')
            return false;
    return true;
}

// Plain labels for the merge on its own.
const TMergeLabels kLabels = { "base", "mine", "model" };

// Shop: Customer, Purchase referring to it, and Note, each with its key.
class MergeRunTest : public TempModelTest {
protected:
    void SetUp() override
    {
        TempModelTest::SetUp();
        shop_ = EnterProject("Shop");
        int customer = EnterClass(shop_, "Customer", "客户");
        int purchase = EnterClass(shop_, "Purchase", "订单");
        int note = EnterClass(shop_, "Note", "便条");
        EnterMember(shop_, customer, "customerId", "整型", "pm");
        EnterMember(shop_, customer, "name", "字符串", "dq", 40, "姓名");
        EnterMember(shop_, purchase, "purchaseNo", "字符串", "pd", 20);
        EnterMember(shop_, purchase, "customer", "Customer", "mq");
        EnterMember(shop_, note, "noteId", "整型", "pmd");
        root_ = dir_ / "out" / "projects" / "Shop";
        package_ = root_ / "src" / "com" / "velmorantis";
    }

    struct TRunResult {
        std::vector<std::string> events;
        std::vector<std::string> progress;
        TMergeSummary summary;
    };
    TRunResult Run(TRunKind kind, const std::string& package = "velmorantis", bool deleteOldPackage = false)
    {
        TRecordingListener listener;
        listener.runKind = kind;
        TRunLocations locations { JAVAGEN_TEMPLATES, (dir_ / "out").string() };
        locations.deleteOldPackage = deleteOldPackage;
        locations.webapp = webapp_;
        locations.target = target_;
        EXPECT_TRUE(listener.RunAndWait(shop_, "Shop", package, locations));
        return { listener.events, listener.progress, listener.summary.value_or(TMergeSummary {}) };
    }

    // Replaces the first occurrence of a text in a file (both UTF-8; in GBK
    // when the file is).
    void Edit(const fs::path& file, const std::string& from, const std::string& to, bool gbk)
    {
        std::string bytes = ReadFileBytes(file);
        std::string was = gbk ? Utf8ToGbk(from) : from;
        size_t at = bytes.find(was);
        ASSERT_NE(at, std::string::npos) << file << ": " << from;
        bytes.replace(at, was.size(), gbk ? Utf8ToGbk(to) : to);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    }

    // Changes the comment and the length of Customer.name.
    void ChangeCustomerName(const std::string& comment, int length)
    {
        TDbHelper().ExecuteSql(
            "update t_member set memberComment=?, memberLength=? where memberName='name'", { comment, length });
    }

    // Every file below the output root (bases included) with its bytes.
    std::map<std::string, std::string> Tree() const
    {
        std::map<std::string, std::string> files;
        if (!fs::exists(dir_ / "out"))
            return files;
        for (const auto& entry : fs::recursive_directory_iterator(dir_ / "out"))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), dir_ / "out").generic_string()] = ReadFileBytes(entry.path());
        return files;
    }

    // The generated files' paths relative to the output root, bases left out.
    std::set<std::string> GeneratedFiles() const
    {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root_ / "src"))
            if (entry.is_regular_file())
                files.insert(fs::relative(entry.path(), root_).generic_string());
        return files;
    }

    std::string Display(const std::string& relative) const { return "projects/Shop/src/com/velmorantis/" + relative; }

    int shop_ = 0;
    fs::path root_;
    bool webapp_ = false;
    std::string target_ = kTargetLegacy;
    fs::path package_;
};

// An entry of a summary as one comparable line.
std::vector<std::string> Entries(const TMergeSummary& summary)
{
    std::vector<std::string> lines;
    for (const auto& entry : summary.entries)
        lines.push_back(
            std::string(MergeActionWord(entry.action)) + " " + entry.displayPath + (entry.deleted ? " deleted" : ""));
    return lines;
}

// A conflict resolved by taking one side: the text between the markers of
// the other side goes with the marker lines.
std::string TakeSide(const std::string& bytes, bool ours)
{
    std::string out;
    enum { Outside, Ours, Theirs } where = Outside;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        std::string line = bytes.substr(start, end - start);
        start = end;
        if (line.rfind("<<<<<<< ", 0) == 0)
            where = Ours;
        else if (line == "=======\r\n" && where == Ours)
            where = Theirs;
        else if (line.rfind(">>>>>>> ", 0) == 0 && where == Theirs)
            where = Outside;
        else if (where == Outside || (where == Ours) == ours)
            out += line;
    }
    return out;
}

} // namespace

// ---- the three-way merge on its own ----------------------------------------

TEST(ThreeWayMergeTest, KeepsBothSidesChangesOnCrLfText)
{
    std::string base = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n";
    std::string ours = "one\r\ntwo edited\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n";
    std::string theirs = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nsix and a half\r\nseven\r\n";
    TMergedText merged = MergeThreeWays(base, ours, theirs, kLabels);
    EXPECT_TRUE(merged.clean);
    EXPECT_EQ(merged.bytes, "one\r\ntwo edited\r\nthree\r\nfour\r\nfive\r\nsix\r\nsix and a half\r\nseven\r\n");

    // A line removed on one side and one added on the other.
    TMergedText removed = MergeThreeWays(base, "one\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n", theirs, kLabels);
    EXPECT_TRUE(removed.clean);
    EXPECT_EQ(removed.bytes, "one\r\nthree\r\nfour\r\nfive\r\nsix\r\nsix and a half\r\nseven\r\n");

    // The same change on both sides is no conflict.
    TMergedText same = MergeThreeWays(base, ours, ours, kLabels);
    EXPECT_TRUE(same.clean);
    EXPECT_EQ(same.bytes, ours);
}

TEST(ThreeWayMergeTest, ConflictIsMarkedWithCrLfLinesAndTheLabels)
{
    std::string base = "a\r\nb\r\nc\r\nd\r\n";
    TMergedText merged = MergeThreeWays(base, "a\r\nb mine\r\nc\r\nd\r\n", "a\r\nb model\r\nc\r\nd\r\n", kLabels);
    EXPECT_FALSE(merged.clean);
    EXPECT_EQ(merged.bytes, "a\r\n<<<<<<< mine\r\nb mine\r\n=======\r\nb model\r\n>>>>>>> model\r\nc\r\nd\r\n");

    // Labels are written as given, bytes that are no UTF-8 included.
    TMergeLabels gbk = { Utf8ToGbk("上次生成的代码"), Utf8ToGbk(kOursLabel), Utf8ToGbk(kTheirsLabel) };
    TMergedText labelled = MergeThreeWays(base, "a\r\nx\r\nc\r\nd\r\n", "a\r\ny\r\nc\r\nd\r\n", gbk);
    EXPECT_FALSE(labelled.clean);
    EXPECT_EQ(labelled.bytes,
        "a\r\n<<<<<<< " + gbk.ours + "\r\nx\r\n=======\r\ny\r\n>>>>>>> " + gbk.theirs + "\r\nc\r\nd\r\n");
}

// Two sides that differ only in blank lines (the same method added at the
// end, a blank line apart) are no conflict: the user's side stays.
TEST(ThreeWayMergeTest, SidesThatDifferOnlyInBlankLinesAreNoConflict)
{
    std::string base = "class A {\r\n}\r\n";
    std::string ours = "class A {\r\n    void f() {\r\n    }\r\n}\r\n";
    std::string theirs = "class A {\r\n\r\n    void f() {\r\n    }\r\n\r\n}\r\n";
    TMergedText merged = MergeThreeWays(base, ours, theirs, kLabels);
    EXPECT_TRUE(merged.clean) << merged.bytes;
    EXPECT_EQ(merged.bytes.find("<<<<<<<"), std::string::npos) << merged.bytes;
    EXPECT_NE(merged.bytes.find("    void f() {\r\n"), std::string::npos);
    // A real difference stays a conflict.
    TMergedText real = MergeThreeWays(base, ours, "class A {\r\n    void g() {\r\n    }\r\n}\r\n", kLabels);
    EXPECT_FALSE(real.clean);
}

// ---- runs -----------------------------------------------------------------

TEST_F(MergeRunTest, ConflictsAreMarkedInTheEncodingOfEachFile)
{
    ASSERT_EQ(Run(TRunKind::Merge).events, std::vector<std::string> { "merged" });
    fs::path java = package_ / "domain" / "Customer.java"; // GBK, no BOM
    fs::path mapping = package_ / "domain" / "Customer.hbm.xml"; // UTF-8 with BOM
    ASSERT_EQ(ReadFileBytes(mapping).substr(0, 3), "\xEF\xBB\xBF");
    Edit(java, "    /*姓名*/\r\n", "    /*顾客的姓名*/\r\n", true);
    Edit(mapping, "length=\"40\"", "length=\"60\" <!-- 手工 -->", false);
    ChangeCustomerName("客户名称", 80);

    auto run = Run(TRunKind::Merge);
    EXPECT_EQ(run.events, std::vector<std::string> { "merged" });
    EXPECT_EQ(run.summary.Conflicts(),
        (std::vector<std::string> { Display("domain/Customer.hbm.xml"), Display("domain/Customer.java") }));
    // The edited mapping file no longer parses (a comment inside a tag): it
    // is merged by lines, and the line says so.
    for (std::string line : { Display("domain/Customer.hbm.xml") + "有冲突，请手工解决!(文件无法解析，已按行合并)",
             Display("domain/Customer.java") + "有冲突，请手工解决!" })
        EXPECT_NE(std::find(run.progress.begin(), run.progress.end(), line), run.progress.end()) << line;

    std::string javaBytes = ReadFileBytes(java);
    EXPECT_TRUE(OnlyCrLf(javaBytes));
    EXPECT_NE(javaBytes.find(Utf8ToGbk(std::string("<<<<<<< ") + kOursLabel + "\r\n    /*顾客的姓名*/\r\n=======\r\n" +
                  "    /*客户名称*/\r\n>>>>>>> " + kTheirsLabel + "\r\n")),
        std::string::npos)
        << javaBytes;
    EXPECT_EQ(javaBytes.find(kOursLabel), std::string::npos); // no UTF-8 in the GBK file
    EXPECT_EQ(javaBytes.find(kTheirsLabel), std::string::npos);

    std::string mappingBytes = ReadFileBytes(mapping);
    EXPECT_TRUE(OnlyCrLf(mappingBytes));
    EXPECT_EQ(mappingBytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(
        mappingBytes.find(std::string("<<<<<<< ") + kOursLabel + "\r\n            length=\"60\" <!-- 手工 -->\r\n" +
            "=======\r\n            length=\"80\"\r\n>>>>>>> " + kTheirsLabel + "\r\n"),
        std::string::npos)
        << mappingBytes;
    EXPECT_EQ(mappingBytes.find(Utf8ToGbk(kOursLabel)), std::string::npos);

    // Outside the markers each file is the new text: taking the model's side
    // gives exactly what the program wrote as the new base, and the comment
    // line, untouched by the user, follows the model in the mapping.
    TBaseStore bases(root_.string());
    EXPECT_EQ(TakeSide(javaBytes, false), bases.Read("src/com/velmorantis/domain/Customer.java").value_or(""));
    EXPECT_EQ(TakeSide(mappingBytes, false), bases.Read("src/com/velmorantis/domain/Customer.hbm.xml").value_or(""));
    EXPECT_NE(TakeSide(mappingBytes, true).find("简单字符串属性: 客户名称"), std::string::npos);
}

TEST_F(MergeRunTest, DryRunWritesNothingAndPlansWhatTheMergeThenDoes)
{
    // Without any earlier run: every file would be new, and nothing is made.
    auto first = Run(TRunKind::MergeDryRun);
    EXPECT_EQ(first.events, std::vector<std::string> { "merged" });
    EXPECT_FALSE(fs::exists(dir_ / "out"));
    ASSERT_FALSE(first.summary.entries.empty());
    EXPECT_EQ(first.summary.Count(TMergeAction::New), static_cast<int>(first.summary.entries.size()));

    ASSERT_EQ(Run(TRunKind::Merge).events, std::vector<std::string> { "merged" });
    // One file for each thing a merge can do.
    fs::remove(package_ / "action" / "PurchaseAction.java"); // new
    std::ofstream(package_ / "utils" / "HibernateUtil.java", std::ios::app) << "// kept\r\n"; // keep
    Edit(package_ / "dao" / "CustomerDAO.java", "import java.util.ArrayList;\r\n",
        "import java.util.ArrayList;\r\n// 手工添加的注释\r\n", true); // merge
    Edit(package_ / "domain" / "Customer.java", "    /*姓名*/\r\n", "    /*顾客的姓名*/\r\n", true); // conflict
    fs::remove(root_ / ".javagen" / "base" / "src" / "com" / "velmorantis" / "test" / "TestUtil.java");
    std::ofstream(package_ / "test" / "TestUtil.java", std::ios::app) << "// mine\r\n"; // beside
    std::ofstream(package_ / "action" / "NoteAction.java", std::ios::app) << "// mine\r\n"; // obsolete, kept
    ChangeCustomerName("客户名称", 40);
    TMemberEntry email;
    email.name = "email";
    email.type = "字符串";
    email.lengthText = "60";
    email.queryFlag = true;
    ASSERT_TRUE(TModelCommands::AddMember(shop_, ClassIdOf(shop_, "Customer"), email).Done());
    ASSERT_TRUE(TModelCommands::DeleteClass(ClassIdOf(shop_, "Note")).Done());

    auto before = Tree();
    auto dry = Run(TRunKind::MergeDryRun);
    EXPECT_EQ(dry.events, std::vector<std::string> { "merged" });
    EXPECT_TRUE(Tree() == before) << "the dry run changed the tree";

    auto merge = Run(TRunKind::Merge);
    EXPECT_EQ(merge.events, std::vector<std::string> { "merged" });
    EXPECT_EQ(Entries(dry.summary), Entries(merge.summary));
    // A dry run's progress line is the action's word and the file.
    std::vector<std::string> words;
    for (const auto& entry : merge.summary.entries)
        words.push_back(std::string(MergeActionWord(entry.action)) + " " + entry.displayPath);
    EXPECT_EQ(dry.progress, words);
    EXPECT_EQ(merge.progress.size(), merge.summary.entries.size());

    const std::vector<std::pair<TMergeAction, std::string>> expected = { { TMergeAction::New,
                                                                             "action/PurchaseAction.java" },
        { TMergeAction::Keep, "utils/HibernateUtil.java" }, { TMergeAction::Merge, "dao/CustomerDAO.java" },
        { TMergeAction::Conflict, "domain/Customer.java" }, { TMergeAction::Beside, "test/TestUtil.java" },
        { TMergeAction::Replace, "domain/Customer.hbm.xml" }, { TMergeAction::Unchanged, "domain/Purchase.java" },
        { TMergeAction::Obsolete, "action/NoteAction.java" }, { TMergeAction::Obsolete, "domain/Note.java" } };
    for (const auto& [action, file] : expected) {
        bool found = false;
        for (const auto& entry : merge.summary.entries)
            found = found || (entry.action == action && entry.displayPath == Display(file));
        EXPECT_TRUE(found) << MergeActionWord(action) << " " << file;
    }
    for (const auto& entry : merge.summary.entries) {
        if (entry.action == TMergeAction::Obsolete) {
            EXPECT_EQ(entry.deleted, entry.displayPath != Display("action/NoteAction.java")) << entry.displayPath;
        }
    }
    EXPECT_FALSE(fs::exists(package_ / "domain" / "Note.java"));
    EXPECT_TRUE(fs::exists(package_ / "action" / "NoteAction.java"));
    EXPECT_TRUE(fs::exists(package_ / "test" / "TestUtil.java.new"));
}

// So that the order generate, edit, merge merges: the first merge after a
// plain run finds the bases of what the plain run wrote.
// A changed package (a restart that lost it, a typing slip) never costs the
// old package's files: the plan says so first, keeps them, and deletes the
// unedited ones only when that is asked for on its own. The hand edits of
// an old file are merged into its new-package file, as a class rename's are.
TEST_F(MergeRunTest, FilesOfAnEarlierPackageGoOnlyWhenConfirmed)
{
    Run(TRunKind::Plain);
    std::ofstream(package_ / "domain" / "Note.java", std::ios::app) << "// hand edit\r\n";
    size_t oldFiles = std::distance(fs::recursive_directory_iterator(package_), fs::recursive_directory_iterator()) -
        std::distance(fs::directory_iterator(package_), fs::directory_iterator()); // files, not kind folders
    auto dry = Run(TRunKind::MergeDryRun, "org.shop");
    ASSERT_FALSE(dry.progress.empty());
    EXPECT_EQ(dry.progress.front(),
        "包名已由 com.velmorantis 改为 com.org.shop：旧包中的文件 " + std::to_string(oldFiles) +
            " 个，1 个的手工修改已合并进新包中的同名文件，全部保留(删除须另行确认)");

    auto kept = Run(TRunKind::Merge, "org.shop");
    EXPECT_TRUE(fs::exists(package_ / "dao" / "NoteDAO.java"));
    EXPECT_TRUE(fs::exists(root_ / "src/com/org/shop/dao/NoteDAO.java"));
    const std::string moved = ReadFileBytes(root_ / "src/com/org/shop/domain/Note.java");
    EXPECT_NE(moved.find("// hand edit"), std::string::npos) << "the edit moves with the package";
    EXPECT_NE(moved.find("package com.org.shop.domain;"), std::string::npos);
    for (const auto& [file, line] : std::vector<std::pair<std::string, std::string>> {
             { "dao/NoteDAO.java", "旧包中的文件，已保留(删除须另行确认)!" },
             { "domain/Note.java",
                 "旧包中的文件，手工修改已带入projects/Shop/src/com/org/shop/domain/"
                 "Note.java，已保留(删除须另行确认)!" } })
        EXPECT_NE(std::find(kept.progress.begin(), kept.progress.end(), Display(file) + line), kept.progress.end())
            << file;

    // An edited file whose edits did not move may use its unedited
    // siblings: confirmed or not, the old package stays whole then.
    // (Note.java's edit moved in the run before; it still counts here.)
    const std::string dao = ReadFileBytes(package_ / "dao" / "NoteDAO.java");
    std::ofstream(package_ / "dao" / "NoteDAO.java", std::ios::app) << "// another edit\r\n";
    auto whole = Run(TRunKind::Merge, "org.shop", true);
    EXPECT_NE(whole.progress.front().find("其中 2 个有手工修改，它们可能用到其他文件，所以全部保留"), std::string::npos)
        << whole.progress.front();
    EXPECT_TRUE(fs::exists(package_ / "dao" / "NoteDAO.java"));
    std::ofstream(package_ / "dao" / "NoteDAO.java", std::ios::binary | std::ios::trunc) << dao;
    fs::remove(package_ / "domain" / "Note.java");
    auto gone = Run(TRunKind::Merge, "org.shop", true);
    EXPECT_NE(
        std::find(gone.progress.begin(), gone.progress.end(), Display("dao/NoteDAO.java") + "旧包中的文件，已删除!"),
        gone.progress.end());
    EXPECT_FALSE(fs::exists(package_ / "dao" / "NoteDAO.java"));
    EXPECT_EQ(nlohmann::json::parse(ReadFileBytes(root_ / ".javagen/manifest.json"))["package"], "org.shop");

    // The old package below the new one is no part of it.
    Run(TRunKind::Merge, "org.shop.admin");
    auto up = Run(TRunKind::Merge, "org.shop");
    EXPECT_EQ(
        up.progress.front().substr(0, up.progress.front().find("：")), "包名已由 com.org.shop.admin 改为 com.org.shop");
    EXPECT_TRUE(fs::exists(root_ / "src/com/org/shop/admin/dao/NoteDAO.java"));
}

// A renamed class's files take the hand edits of the old ones, which go; an
// old file whose edits could not be merged cleanly stays.
TEST_F(MergeRunTest, RenamedClassTakesItsHandEditsAlong)
{
    ASSERT_EQ(Run(TRunKind::Plain).events, std::vector<std::string> { "done" });
    Edit(package_ / "domain" / "Note.java", "public class Note {\r\n",
        "public class Note {\r\n    // 手工添加的说明\r\n", true);
    TDbHelper().ExecuteSql("update t_class set className='Memo' where className='Note'", {});
    auto merge = Run(TRunKind::Merge);
    EXPECT_EQ(merge.summary.Count(TMergeAction::Beside), 0) << merge.summary.Counts();
    std::string memo = GbkToUtf8(ReadFileBytes(package_ / "domain" / "Memo.java"));
    EXPECT_NE(memo.find("手工添加的说明"), std::string::npos) << memo;
    EXPECT_NE(memo.find("public class Memo"), std::string::npos);
    EXPECT_FALSE(fs::exists(package_ / "domain" / "Note.java"));
    // The unedited files of the old name go as before.
    EXPECT_FALSE(fs::exists(package_ / "dao" / "NoteDAO.java"));
    auto has = [&](const std::string& part) {
        return std::any_of(merge.progress.begin(), merge.progress.end(),
            [&](const std::string& line) { return line.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(has("domain/Memo.java已合并!(类已改名，手工修改从 Note.java 带入)"));
    EXPECT_TRUE(has("domain/Note.java类已改名，手工修改已带入"));
}

TEST_F(MergeRunTest, PlainRunRecordsBases)
{
    EXPECT_EQ(Run(TRunKind::Plain).events, std::vector<std::string> { "done" });
    EXPECT_EQ(TBaseStore(root_.string()).List(), GeneratedFiles());
    Edit(package_ / "dao" / "CustomerDAO.java", "import java.util.ArrayList;\r\n",
        "import java.util.ArrayList;\r\n// 手工添加的注释\r\n", true);
    ChangeCustomerName("客户名称", 80);
    auto merge = Run(TRunKind::Merge);
    EXPECT_EQ(merge.summary.Count(TMergeAction::Beside), 0) << merge.summary.Counts();
    EXPECT_NE(
        GbkToUtf8(ReadFileBytes(package_ / "dao" / "CustomerDAO.java")).find("手工添加的注释"), std::string::npos);
}

// The pages and web.xml are UTF-8 without a BOM, with Chinese in them: text
// like any other, merged, never set aside as binary.
TEST_F(MergeRunTest, EditedPagesMergeLikeAnyText)
{
    webapp_ = true;
    ASSERT_EQ(Run(TRunKind::Plain).events, std::vector<std::string> { "done" });
    Edit(root_ / "WebRoot" / "Customer_add.jsp", "<div class=\"card\">\r\n",
        "<div class=\"card\">\r\n<p>手工添加的说明</p>\r\n", false);
    Edit(root_ / "WebRoot" / "WEB-INF" / "web.xml", "</web-app>", "    <!-- 手工添加 -->\r\n</web-app>", false);
    ChangeCustomerName("客户名称", 80);
    auto merge = Run(TRunKind::Merge);
    EXPECT_EQ(merge.summary.Count(TMergeAction::Beside), 0) << merge.summary.Counts();
    std::string page = ReadFileBytes(root_ / "WebRoot" / "Customer_add.jsp");
    EXPECT_NE(page.find("手工添加的说明"), std::string::npos);
    EXPECT_NE(page.find("客户名称"), std::string::npos);
    EXPECT_NE(ReadFileBytes(root_ / "WebRoot" / "WEB-INF" / "web.xml").find("手工添加"), std::string::npos);

    // Without the pages, their files are obsolete, and the plan says why.
    webapp_ = false;
    auto plan = Run(TRunKind::MergeDryRun);
    bool said = false;
    for (const auto& entry : plan.summary.entries)
        if (entry.displayPath.find("WebRoot/Customer_query_result.jsp") != std::string::npos)
            said = entry.why.find("这次不生成网页") != std::string::npos;
    EXPECT_TRUE(said);
}

// What an editor did to the user's files stays: line ends turned into LF,
// a line typed in UTF-8 inside a GBK source. The markers of a conflict are
// in the encoding of the file they land in.
TEST_F(MergeRunTest, LineEndsAndEncodingsOfTheUsersFilesAreKept)
{
    webapp_ = true;
    ASSERT_EQ(Run(TRunKind::Plain).events, std::vector<std::string> { "done" });
    const fs::path addPage = root_ / "WebRoot" / "Customer_add.jsp";
    const fs::path listPage = root_ / "WebRoot" / "Customer_query_result.jsp";
    const fs::path java = package_ / "domain" / "Customer.java";
    Edit(addPage, "<div class=\"card\">\r\n", "<div class=\"card\">\r\n<p>手工添加的说明</p>\r\n", false);
    std::string lf = ReadFileBytes(addPage);
    for (size_t at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n", at))
        lf.erase(at, 1);
    std::ofstream(addPage, std::ios::binary | std::ios::trunc) << lf;
    Edit(listPage, "<th>姓名</th>", "<th>顾客的姓名</th>", false);
    const std::string utf8Line = "    // 手工写的 UTF-8 注释\r\n";
    std::string source = ReadFileBytes(java);
    source.insert(source.find("\r\n") + 2, utf8Line);
    std::ofstream(java, std::ios::binary | std::ios::trunc) << source;
    ChangeCustomerName("客户名称", 80);

    auto merge = Run(TRunKind::Merge);
    std::string page = ReadFileBytes(addPage);
    EXPECT_EQ(page.find('\r'), std::string::npos) << "the LF line ends stay";
    EXPECT_NE(page.find("手工添加的说明"), std::string::npos);
    EXPECT_NE(page.find("客户名称"), std::string::npos);
    EXPECT_EQ(page.find("<<<<<<<"), std::string::npos);
    std::string list = ReadFileBytes(listPage);
    EXPECT_NE(list.find("<<<<<<< 手工修改(磁盘上的文件)"), std::string::npos);
    EXPECT_TRUE(IsUtf8Text(list)) << "the markers are UTF-8 in a UTF-8 page";
    EXPECT_FALSE(fs::exists(java.string() + ".new"));
    std::string merged = ReadFileBytes(java);
    EXPECT_NE(merged.find(utf8Line), std::string::npos) << "the UTF-8 line keeps its bytes";
    EXPECT_NE(merged.find(Utf8ToGbk("客户名称")), std::string::npos);
    EXPECT_EQ(merge.summary.Count(TMergeAction::Beside), 0) << merge.summary.Counts();
}

TEST_F(MergeRunTest, PlainRunRefreshesBasesThatExist)
{
    ASSERT_EQ(Run(TRunKind::Merge).events, std::vector<std::string> { "merged" });
    Edit(package_ / "domain" / "Customer.java", "    /*姓名*/\r\n", "    /*顾客的姓名*/\r\n", true);
    ChangeCustomerName("客户名称", 80);
    ASSERT_EQ(Run(TRunKind::Plain).events, std::vector<std::string> { "done" });

    // Each base is what the plain run wrote, edited file included.
    TBaseStore bases(root_.string());
    EXPECT_EQ(bases.List(), GeneratedFiles());
    for (const auto& file : bases.List())
        EXPECT_EQ(bases.Read(file).value_or("(none)"), ReadFileBytes(root_ / file)) << file;
    EXPECT_EQ(GbkToUtf8(ReadFileBytes(package_ / "domain" / "Customer.java")).find("顾客的姓名"), std::string::npos);
    auto manifest = nlohmann::json::parse(ReadFileBytes(root_ / ".javagen" / "manifest.json"));
    EXPECT_EQ(manifest["files"].get<std::set<std::string>>(), GeneratedFiles());

    // So a merge now finds nothing edited and nothing to change.
    auto merge = Run(TRunKind::Merge);
    EXPECT_EQ(merge.summary.Count(TMergeAction::Unchanged), static_cast<int>(merge.summary.entries.size()))
        << merge.summary.Counts();
}

// What the user approved is what is written: a model change after the plan
// does not slip in, and a file changed after the plan stops it whole.
TEST_F(MergeRunTest, ApprovedPlanIsAppliedAsItStandsOrNotAtAll)
{
    ASSERT_EQ(Run(TRunKind::Merge).events, std::vector<std::string> { "merged" });
    ChangeCustomerName("计划中的注释", 40);
    TRecordingListener planning;
    planning.runKind = TRunKind::MergeDryRun;
    ASSERT_TRUE(planning.RunAndWait(shop_, "Shop", "velmorantis", { JAVAGEN_TEMPLATES, (dir_ / "out").string() }));
    ASSERT_TRUE(planning.plan);
    ChangeCustomerName("计划之后的注释", 40);
    // A killed run's temporary file goes when the plan is applied, as in a merge.
    std::ofstream(package_ / "dao" / "CustomerDAO.java.javagen-99999999-3.tmp") << "torn";
    TRecordingListener applying;
    ASSERT_TRUE(applying.ApplyAndWait(planning.plan));
    EXPECT_EQ(applying.events, std::vector<std::string> { "merged" });
    EXPECT_FALSE(fs::exists(package_ / "dao" / "CustomerDAO.java.javagen-99999999-3.tmp"));
    std::string java = GbkToUtf8(ReadFileBytes(package_ / "domain" / "Customer.java"));
    EXPECT_NE(java.find("计划中的注释"), std::string::npos);
    EXPECT_EQ(java.find("计划之后的注释"), std::string::npos);

    TRecordingListener again;
    again.runKind = TRunKind::MergeDryRun;
    ASSERT_TRUE(again.RunAndWait(shop_, "Shop", "velmorantis", { JAVAGEN_TEMPLATES, (dir_ / "out").string() }));
    Edit(package_ / "dao" / "CustomerDAO.java", "import java.util.ArrayList;\r\n",
        "import java.util.ArrayList;\r\n// 计划之后的修改\r\n", true);
    auto before = Tree();
    TRecordingListener stale;
    ASSERT_TRUE(stale.ApplyAndWait(again.plan));
    ASSERT_EQ(stale.events.size(), 1u);
    EXPECT_EQ(stale.events[0],
        "stale:projects/Shop/src/com/velmorantis/dao/CustomerDAO.java "
        "在合并计划做出后已被修改，计划没有执行，请重新合并生成!");
    EXPECT_TRUE(Tree() == before) << "a stale plan wrote something";

    // A file long untouched is looked at by its times, not read again: an
    // edit of the same size that puts the old modification time back still
    // stops the plan.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    TRecordingListener settled;
    settled.runKind = TRunKind::MergeDryRun;
    ASSERT_TRUE(settled.RunAndWait(shop_, "Shop", "velmorantis", { JAVAGEN_TEMPLATES, (dir_ / "out").string() }));
    const std::filesystem::path dao = package_ / "dao" / "CustomerDAO.java";
    struct stat was;
    ASSERT_EQ(stat(dao.c_str(), &was), 0);
    std::string bytes = ReadFileBytes(dao);
    bytes[bytes.find(Utf8ToGbk("计划之后的修改")) - 1] = '#';
    std::ofstream(dao, std::ios::binary | std::ios::trunc) << bytes;
    const timespec times[2] = { was.st_atim, was.st_mtim };
    ASSERT_EQ(utimensat(AT_FDCWD, dao.c_str(), times, 0), 0);
    TRecordingListener sameSize;
    ASSERT_TRUE(sameSize.ApplyAndWait(settled.plan));
    ASSERT_EQ(sameSize.events.size(), 1u);
    EXPECT_EQ(sameSize.events[0].rfind("stale:", 0), 0u) << sameSize.events[0];
}

// A tree that others had their hands on: links planted among the bases and
// the files, a NAME.new of the user's own, a file that is no text. The
// merge follows no link, touches nothing outside the tree, overwrites no
// file it did not write and empties no file.
TEST_F(MergeRunTest, HostileTreesAreNeverFollowedNorOverwritten)
{
    ASSERT_EQ(Run(TRunKind::Merge).events, std::vector<std::string> { "merged" });
    fs::path outside = dir_ / "outside";
    fs::create_directories(outside);
    std::ofstream(outside / "precious.txt") << "keep me";
    std::ofstream(outside / "TestUtil.java") << "outside";
    // A base that is a link to a file outside, and its file a copy of it.
    fs::path baseDir = root_ / ".javagen" / "base" / "src" / "com" / "velmorantis" / "action";
    fs::create_symlink(outside / "precious.txt", baseDir / "Evil.java");
    std::ofstream(package_ / "action" / "Evil.java") << "keep me";
    // A kind directory swapped for a link to a directory outside.
    fs::remove_all(package_ / "test");
    fs::create_directory_symlink(outside, package_ / "test");
    // A file without base whose NAME.new is the user's.
    fs::remove(root_ / ".javagen" / "base" / "src" / "com" / "velmorantis" / "domain" / "Note.java");
    std::ofstream(package_ / "domain" / "Note.java", std::ios::app) << "// mine\r\n";
    std::ofstream(package_ / "domain" / "Note.java.new") << "my own notes";
    // A hand-edited file that is no text any more.
    std::string binary = ReadFileBytes(package_ / "domain" / "Customer.java") + std::string("\0\x01\x02", 3);
    std::ofstream(package_ / "domain" / "Customer.java", std::ios::binary) << binary;
    ChangeCustomerName("客户名称", 40);
    TMemberEntry note;
    note.name = "text";
    note.type = "字符串";
    note.lengthText = "20";
    ASSERT_TRUE(TModelCommands::AddMember(shop_, ClassIdOf(shop_, "Note"), note).Done());

    auto run = Run(TRunKind::Merge);
    EXPECT_EQ(run.events, std::vector<std::string> { "merged" });
    EXPECT_EQ(ReadFileBytes(outside / "precious.txt"), "keep me");
    EXPECT_EQ(ReadFileBytes(outside / "TestUtil.java"), "outside");
    EXPECT_TRUE(fs::exists(package_ / "action" / "Evil.java"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(package_ / "test")));
    auto has = [&](const std::string& line) {
        return std::find(run.progress.begin(), run.progress.end(), line) != run.progress.end();
    };
    EXPECT_TRUE(
        has(Display("test/TestUtil.java") + "未处理：" + (package_ / "test").string() + " 是符号链接，已跳过!"));
    EXPECT_TRUE(
        has("projects/Shop/.javagen/base/src/com/velmorantis/action/Evil.java未处理：基准目录中的这一项是符号链接或"
            "不是普通文件，已跳过!"));
    EXPECT_EQ(ReadFileBytes(package_ / "domain" / "Note.java.new"), "my own notes");
    EXPECT_NE(GbkToUtf8(ReadFileBytes(package_ / "domain" / "Note.java.new2")).find("private String text;"),
        std::string::npos);
    EXPECT_TRUE(has(Display("domain/Note.java") +
        "与生成的代码不同且没有基准，已保留，新代码写入Note.java.new2!(Note.java.new 不是本程序写的文件，未改动)"));
    EXPECT_EQ(ReadFileBytes(package_ / "domain" / "Customer.java"), binary);
    EXPECT_TRUE(fs::exists(package_ / "domain" / "Customer.java.new"));
    // It has a base: the reason is that it is no text.
    EXPECT_TRUE(has(Display("domain/Customer.java") +
        "有手工修改但无法合并(磁盘上的文件含有 NUL 字节、UTF-16 或 GBK/UTF-8 "
        "以外的字节，不是可以逐行合并的文本)，已保留，"
        "新代码写入Customer.java.new!"));
}

// A plain run follows no link either: a folder of the tree swapped for a
// link outside is named, and no file is written, there or anywhere.
TEST_F(MergeRunTest, PlainRunWritesNothingThroughALinkedFolder)
{
    ASSERT_EQ(Run(TRunKind::Plain).events, std::vector<std::string> { "done" });
    fs::path outside = dir_ / "outside";
    fs::create_directories(outside);
    fs::remove_all(package_ / "dao");
    fs::create_directory_symlink(outside, package_ / "dao");
    const std::string before = ReadFileBytes(package_ / "domain" / "Customer.java");
    ChangeCustomerName("客户名称", 40);
    auto run = Run(TRunKind::Plain);
    EXPECT_EQ(run.events,
        std::vector<std::string> { "failed:" + (package_ / "dao").string() +
            " 是符号链接，生成的文件会写到工程目录之外：没有写入任何文件。请把它换成普通目录后再生成!" });
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_EQ(ReadFileBytes(package_ / "domain" / "Customer.java"), before);
}

// A hand-edited legacy tree regenerated for the current target keeps the
// edits: additions move into the new files, an edited member that the new
// frameworks rewrote is a conflict of that member alone, and the mapping
// files go unless edited. The plan says first what changed.
TEST_F(MergeRunTest, RetargetingCarriesTheEditsIntoTheCurrentFrameworks)
{
    Run(TRunKind::Plain);
    Edit(package_ / "action" / "CustomerAction.java", "public class CustomerAction extends ActionSupport {\r\n",
        "public class CustomerAction extends ActionSupport {\r\n\r\n    /*手工加的*/\r\n    public String Hello() {\r\n"
        "        return \"hello\";\r\n    }\r\n",
        true);
    Edit(package_ / "domain" / "Customer.java", "public class Customer {\r\n",
        "public class Customer {\r\n    /*手工加的字段*/\r\n    private transient int visits;\r\n", true);
    Edit(package_ / "dao" / "CustomerDAO.java", "            s.save(customer);",
        "            s.save(customer);\r\n            s.flush();", true);
    Edit(package_ / "domain" / "Purchase.hbm.xml", "<class ", "<!-- 手工 -->\r\n<class ", false);
    target_ = "current";
    TRunResult merged = Run(TRunKind::Merge);
    ASSERT_FALSE(merged.progress.empty());
    EXPECT_EQ(merged.progress[0].rfind(
                  "目标框架已由 Struts 2.3 + Hibernate 3.6 改为 Struts 7 + Hibernate 7 (Jakarta EE 10)：", 0),
        0u)
        << merged.progress[0];
    struct TKept {
        const char* file;
        const char* text;
    } kept[] = {
        { "action/CustomerAction.java", "    public String Hello() {" },
        { "action/CustomerAction.java", "import org.apache.struts2.ActionSupport;" },
        { "domain/Customer.java", "    private transient int visits;" },
        { "domain/Customer.java", "@Entity" },
        { "dao/CustomerDAO.java", "            return s.find(Customer.class, customerId);" },
    };
    for (const auto& k : kept)
        EXPECT_NE(GbkToUtf8(ReadFileBytes(package_ / k.file)).find(k.text), std::string::npos)
            << k.file << ": " << k.text;
    std::string dao = GbkToUtf8(ReadFileBytes(package_ / "dao" / "CustomerDAO.java"));
    size_t conflict = dao.find("<<<<<<<");
    ASSERT_NE(conflict, std::string::npos) << dao;
    EXPECT_EQ(dao.find("<<<<<<<", conflict + 1), std::string::npos) << "one member in conflict";
    EXPECT_LT(dao.rfind("public void AddCustomer", conflict), conflict);
    EXPECT_TRUE(fs::exists(package_ / "domain" / "Purchase.hbm.xml")); // edited: kept
    EXPECT_FALSE(fs::exists(package_ / "domain" / "Customer.hbm.xml")); // unedited: gone
    // The next run of the same target says nothing of a change.
    TRunResult again = Run(TRunKind::MergeDryRun);
    for (const auto& line : again.progress)
        EXPECT_EQ(line.find("目标框架已由"), std::string::npos) << line;
}
