#pragma once
#include <map>
#include <string>

#include <vector>

// A template a generator reads: a text to fill in, or bytes copied as they are.
struct TTemplateUse {
    std::string path; // relative to the template directory
    bool bytes = false;
};

// A target's folder of the template directory ("current/"; "" for the
// target whose templates are the shared tree itself) and its name.
struct TTemplateFolder {
    std::string folder;
    std::string target;
};

// A shared template's text as one target sees it: a line that starts with
// "@@NAME@@" is that target's alone (the rest of the line is the line);
// the other lines are every target's.
std::string TargetLines(const std::string& text, const std::string& target);

// The template files of a run, checked and read before the run writes
// anything, so that a missing or unusable template stops the run instead of
// turning into empty output files.
class TTemplates {
public:
    // Reads the templates below templateDir (relative to the current
    // directory). A path in a target's folder is read from there when the
    // file is there, else from the shared tree; a text is read as its
    // target sees it. Throws TFileError whose message names the missing or
    // unusable file, or the missing directory and where it was looked for.
    static TTemplates Load(const std::string& templateDir, const std::vector<TTemplateUse>& uses,
        const std::vector<TTemplateFolder>& folders);

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
