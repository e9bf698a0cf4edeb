#pragma once
#include <string>

// One generated file, encoded and ready to be put in place.
struct TOutputFile {
    std::string directory; // created with its missing parents when needed
    std::string path; // on disk
    std::string displayPath; // "projects/<project>/src/..." for progress lines
    std::string bytes;
};

// Where a run's files go. Each Put places one file and adds its progress
// line; what "placing" means is the sink's: write the file, merge it with
// the user's edits, or keep it in memory for a preview.
class IOutputSink {
public:
    virtual ~IOutputSink() = default;
    // suffix: "生成完成!", "生成完毕!" or "移动完毕!", the text a plain run
    // puts after the display path.
    virtual void Put(const TOutputFile& file, const std::string& suffix) = 0;
};
