#include "TreeCompare.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesBelow(const fs::path& root)
{
    std::set<std::string> files;
    if (!fs::exists(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), root).string());
    return files;
}

std::string FirstDifference(const std::string& name, const std::string& a, const std::string& g)
{
    size_t line = 1, start = 0;
    size_t i = 0;
    for (; i < a.size() && i < g.size() && a[i] == g[i]; ++i)
        if (a[i] == '\n') {
            ++line;
            start = i + 1;
        }
    auto lineAt = [start](const std::string& s) {
        size_t end = s.find('\n', start);
        return s.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
    };
    std::ostringstream out;
    out << name << ": first difference in line " << line << " (byte " << i << ")\n"
        << "  generated: [" << lineAt(a) << "]\n"
        << "  golden:    [" << lineAt(g) << "]\n";
    return out.str();
}

} // namespace

std::string ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::string CompareWithGolden(const fs::path& actual, const fs::path& golden)
{
    const char* update = std::getenv("JAVAGEN_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        fs::remove_all(golden);
        fs::create_directories(golden);
        fs::copy(actual, golden, fs::copy_options::recursive);
        return "";
    }
    std::string report;
    auto generated = FilesBelow(actual);
    auto expected = FilesBelow(golden);
    for (const auto& name : expected)
        if (!generated.count(name))
            report += name + ": not generated\n";
    for (const auto& name : generated) {
        if (!expected.count(name)) {
            report += name + ": generated but not in " + golden.string() + "\n";
            continue;
        }
        std::string a = ReadFileBytes(actual / name);
        std::string g = ReadFileBytes(golden / name);
        if (a != g)
            report += FirstDifference(name, a, g);
    }
    if (!report.empty())
        report += "(regenerate with JAVAGEN_UPDATE_GOLDEN=1 and review the change like code)\n";
    return report;
}
