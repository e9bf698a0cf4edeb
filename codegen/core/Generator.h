#pragma once
#include "codegen/core/ClassData.h"
#include "codegen/core/WebStyle.h"
#include "codegen/io/Templates.h"
#include "model/store/ProjectDAO.h"
#include "model/store/ProjectDatabase.h"

#include <string>
#include <vector>

// How a generated file's text is written to disk.
enum class TEncoding {
    Gbk, // the text's GBK bytes, no byte-order mark
    Utf8Bom, // EF BB BF, then the text's UTF-8 bytes
    Utf8, // the text's UTF-8 bytes, no byte-order mark (pages, web.xml)
    Bytes, // the text is the file's bytes, written unchanged
};

// One file a generator makes, as a value: where it goes (a directory
// relative to the output root projects/<project>, forward slashes), its text
// and encoding, and the suffix of its progress line.
struct TGeneratedFile {
    std::string dir; // "src", "src/com/velmorantis/dao", "WebRoot", ..., "" for the output root
    std::string name;
    std::string text; // UTF-8, or the bytes themselves for TEncoding::Bytes
    TEncoding encoding = TEncoding::Gbk;
    std::string suffix; // "生成完成!", "生成完毕!" or "移动完毕!"

    std::string Relative() const { return dir.empty() ? name : dir + "/" + name; }
};

// What every generator is given: the project's classes, the package, the
// templates, and which optional outputs the run makes.
struct TGenInput {
    std::string packageName; // "velmorantis", "org.example"
    std::string packagePath; // "org/example"
    const TTemplates& templates;
    const std::vector<TClassData>& classes;
    bool webapp = false; // the pages, web.xml and build are made too
    TProjectDatabase database = {}; // the database of an imported project; empty otherwise
    std::string projectName = {}; // names the web application and its war
    std::string target = kTargetLegacy; // a row of the target table (Target.h)
    TWebStyle web = {}; // the words of the target's pages: set by the target that prints them

    // "src" and "src/com/<package path>/<kind>".
    std::string SourceDir() const { return "src"; }
    std::string KindDir(const std::string& kind) const { return "src/com/" + packagePath + "/" + kind; }
    // "$packageName", then "$packagePath", replaced.
    std::string SubstitutePackage(const std::string& text) const;
};

using TFiles = std::vector<TGeneratedFile>;

// One kind of output: turns the project, or one class, into files. A run
// calls every generator of the list in order: first its project files,
// then its files for each class in class order.
class IGenerator {
public:
    virtual ~IGenerator() = default;
    // A short name: what `preview --file` takes for a per-class generator.
    virtual const char* Name() const = 0;
    // False for an optional output the run was not asked for.
    virtual bool Enabled(const TGenInput& in) const
    {
        (void)in;
        return true;
    }
    virtual void ProjectFiles(const TGenInput& in, TFiles& out) const
    {
        (void)in;
        (void)out;
    }
    virtual void ClassFiles(const TGenInput& in, const TClassData& c, TFiles& out) const
    {
        (void)in;
        (void)c;
        (void)out;
    }
    // The names of the files ClassFiles makes for a class of that name, for
    // the check of name lengths before a run.
    virtual std::vector<std::string> ClassFileNames(const std::string& className) const
    {
        (void)className;
        return {};
    }
    // The directories it writes (relative to the output root), where a run
    // killed while writing may have left temporary files.
    virtual std::vector<std::string> Directories(const TGenInput& in) const = 0;
    // The templates it reads, relative to the template directory.
    virtual std::vector<TTemplateUse> TemplatesUsed() const { return {}; }
    // Where the preview shows its files among the per-class generators
    // (smaller first); 0 when it has no per-class files to preview.
    virtual int PreviewRank() const { return 0; }
};

// Every generator, in the order of the files of a run: struts.xml,
// hibernate.cfg.xml, the mapping files, the support files, the domain,
// Action and DAO classes, then the optional ones.
// Those of a known target (the run checks the name first).
const std::vector<const IGenerator*>& Generators(const std::string& target = kTargetLegacy);

// The per-class generators the preview shows, in its order.
std::vector<const IGenerator*> PreviewGenerators(const TGenInput& in);

// Every template any generator reads.
std::vector<TTemplateUse> AllTemplatesUsed();
// The templates the generators a run of that input calls read.
std::vector<TTemplateUse> TemplatesUsed(const TGenInput& in);
