#pragma once
#include <map>
#include <string>

#include <vector>

// A template a generator reads: a text to fill in, or bytes copied as they are.
struct TTemplateUse {
    std::string path; // relative to the template directory
    bool bytes = false;
};

// The template files of a run, checked and read before the run writes
// anything, so that a missing or unusable template stops the run instead of
// turning into empty output files.
class TTemplates {
public:
    // Reads the templates below templateDir (relative to the current
    // directory). Throws TFileError whose message names the missing or
    // unusable file, or the missing directory and where it was looked for.
    static TTemplates Load(const std::string& templateDir, const std::vector<TTemplateUse>& uses);

    // A template to fill in, as UTF-8 text with CR LF line ends (the rules
    // of TFileOperate::ReadText).
    const std::string& Text(const std::string& relative) const;
    // A template copied as it is, its bytes unchanged.
    const std::string& Bytes(const std::string& relative) const;

    // Template paths relative to the template directory.
    static const char* const kStruts;
    static const char* const kHibernate;
    static const char* const kMapping;

private:
    std::map<std::string, std::string> texts_;
    std::map<std::string, std::string> bytes_;
};
