#include "TempModelTest.h"

#include "TreeCompare.h"
#include "codegen/io/FileOperate.h"
#include "codegen/run/OutputPaths.h"

#include <fstream>
#include <optional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Files in a temporary directory.
class FileOperateTest : public TempModelTest {
protected:
    std::string Read(const std::string& bytes)
    {
        std::ofstream(dir_ / "t.txt", std::ios::binary) << bytes;
        return TFileOperate::ReadText((dir_ / "t.txt").string());
    }
};

} // namespace

TEST_F(FileOperateTest, ReadTextLineRules)
{
    EXPECT_EQ(Read("a\nb"), "a\r\nb\r\n");
    EXPECT_EQ(Read("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(Read("a\rb\n"), "ab\r\n");
    EXPECT_EQ(Read("a\r"), "a\r\n");
    EXPECT_EQ(Read("\n\n"), "\r\n\r\n");
    EXPECT_EQ(Read("kept\nend\x1Agone\n"), "kept\r\nend\r\n");
    EXPECT_EQ(Read(""), "");
    EXPECT_EQ(Read("\xD6\xD0\xCE\xC4\n"), "中文\r\n");
    EXPECT_EQ(TFileOperate::ReadText((dir_ / "missing").string()), "");
    EXPECT_THROW(Read("\xFF\xFF\n"), TFileError);
}

TEST_F(FileOperateTest, WritesGbkOrBomAndUtf8)
{
    std::string sub = (dir_ / "a" / "b").string();
    TFileOperate::WriteText(sub, sub + "/plain.txt", "中");
    EXPECT_EQ(ReadFileBytes(sub + "/plain.txt"), "\xD6\xD0");
    TFileOperate::WriteUtf8Text(sub, sub + "/u.txt", "中");
    EXPECT_EQ(ReadFileBytes(sub + "/u.txt"), "\xEF\xBB\xBF\xE4\xB8\xAD");
    TFileOperate::SaveUtf8(sub + "/abc.txt", "abc");
    EXPECT_EQ(ReadFileBytes(sub + "/abc.txt"),
        "\xEF\xBB\xBF"
        "abc");
    TFileOperate::SaveUtf8(sub + "/empty.txt", "");
    EXPECT_EQ(ReadFileBytes(sub + "/empty.txt"), "\xEF\xBB\xBF");
    // an existing file is replaced, never appended to
    TFileOperate::WriteText(sub, sub + "/plain.txt", "x");
    EXPECT_EQ(ReadFileBytes(sub + "/plain.txt"), "x");
}

TEST_F(FileOperateTest, FailuresLeaveNoHalfWrittenFile)
{
    std::string sub = (dir_ / "d").string();
    TFileOperate::WriteText(sub, sub + "/kept.java", "old");
    EXPECT_THROW(TFileOperate::WriteText(sub, sub + "/kept.java", "\xF0\x9F\x98\x80"), TFileError);
    EXPECT_EQ(ReadFileBytes(sub + "/kept.java"), "old");
    std::ofstream(dir_ / "file") << "x";
    EXPECT_THROW(TFileOperate::WriteText((dir_ / "file" / "sub").string(), (dir_ / "file" / "sub" / "y").string(), "y"),
        TFileError);
    int count = 0;
    for (const auto& entry : fs::directory_iterator(sub)) {
        ++count;
        EXPECT_EQ(entry.path().filename(), "kept.java");
    }
    EXPECT_EQ(count, 1);
}

// What a read inside an output tree finds in a file's place.
TEST_F(FileOperateTest, ReadIfRegularNeverFollowsALink)
{
    std::ofstream(dir_ / "plain.java", std::ios::binary) << "class A {}";
    fs::create_symlink(dir_ / "plain.java", dir_ / "link.java");
    fs::create_directory(dir_ / "folder.java");
    mkfifo((dir_ / "pipe.java").c_str(), 0600);
    struct Case {
        const char* name;
        std::optional<std::string> bytes;
        bool throws;
    } cases[] = {
        { "plain.java", "class A {}", false },
        { "missing.java", std::nullopt, false },
        { "plain.java/below", std::nullopt, false },
        { "link.java", std::nullopt, true },
        { "folder.java", std::nullopt, true },
        { "pipe.java", std::nullopt, true },
    };
    for (const auto& c : cases) {
        std::string path = (dir_ / c.name).string();
        if (c.throws) {
            EXPECT_THROW(TFileOperate::ReadIfRegular(path), TFileError) << c.name;
            continue;
        }
        TFileStamp stamp;
        EXPECT_EQ(TFileOperate::ReadIfRegular(path, &stamp), c.bytes) << c.name;
        EXPECT_EQ(stamp.size, c.bytes ? static_cast<int64_t>(c.bytes->size()) : 0) << c.name;
    }
}

TEST(OutputPathsTest, DottedPackageIsADirectoryPerSegment)
{
    TOutputPaths paths("/root", "图书馆", "org.example");
    EXPECT_EQ(paths.KindDir("dao"), "/root/projects/图书馆/src/com/org/example/dao");
    EXPECT_EQ(paths.DisplayKind("domain", "Book.java"), "projects/图书馆/src/com/org/example/domain/Book.java");
    EXPECT_EQ(paths.DisplaySource("hibernate.cfg.xml"), "projects/图书馆/src/hibernate.cfg.xml");
    EXPECT_EQ(TOutputPaths("/r", "p", "velmorantis").KindDir("test"), "/r/projects/p/src/com/velmorantis/test");
}
