#include "codegen/targets/legacy/ColumnTypes.h"

#include "model/store/MemberTypes.h"

namespace {

class TColumnTypeGenerator : public IGenerator {
public:
    TColumnTypeGenerator(const char* name, const char* javaFile, bool (*uses)(const TMember&))
        : name_(name)
        , javaFile_(javaFile)
        , template_(std::string("src/com/packageName/utils/") + javaFile)
        , uses_(uses)
    {
    }
    const char* Name() const override { return name_; }
    bool Enabled(const TGenInput& in) const override
    {
        for (const auto& c : in.classes)
            for (const auto& m : c.members)
                if (uses_(m.member))
                    return true;
        return false;
    }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        out.push_back({ in.KindDir("utils"), javaFile_, in.SubstitutePackage(in.templates.Text(template_)),
            TEncoding::Gbk, "移动完毕!" });
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.KindDir("utils") }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { template_ } }; }

private:
    const char* name_;
    const char* javaFile_;
    std::string template_;
    bool (*uses_)(const TMember&);
};

} // namespace

bool UsesDateTextType(const TMember& member)
{
    return member.GetMemberType() == kTypeDate && !member.GetColumnName().empty();
}

bool UsesOptionalTextType(const TMember& member)
{
    return member.GetMemberType() == kTypeString && !member.GetColumnName().empty() && member.GetMemberNullable();
}

bool InsertedByApplication(const TMember& member)
{
    const std::string& filled = member.GetColumnFilled();
    return filled.empty() || (filled == "default" && !IsTextLikeType(member.GetMemberType()));
}

bool UpdatedByApplication(const TMember& member)
{
    return member.GetColumnFilled() != "always";
}

const IGenerator& DateTextTypeGenerator()
{
    static const TColumnTypeGenerator generator("datetext", "DateTextType.java", UsesDateTextType);
    return generator;
}

const IGenerator& OptionalTextTypeGenerator()
{
    static const TColumnTypeGenerator generator("optionaltext", "OptionalTextType.java", UsesOptionalTextType);
    return generator;
}
