// The raw cost of writing a generated tree: reads every file below SRC into
// memory, then times writing the same bytes to the same relative paths
// below DST (directories created as needed).
//   bench_write_same SRC DST
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    std::vector<std::pair<fs::path, std::string>> files;
    for (const auto& entry : fs::recursive_directory_iterator(argv[1])) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files.emplace_back(fs::relative(entry.path(), argv[1]),
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    auto start = std::chrono::steady_clock::now();
    for (const auto& [relative, bytes] : files) {
        fs::path target = fs::path(argv[2]) / relative;
        fs::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << bytes;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f %zu\n", seconds, files.size());
    return 0;
}
