#include "DateTextType.h"

#include "MemberTypes.h"

namespace {

const char* const kTemplate = "src/com/packageName/utils/DateTextType.java";

class TDateTextTypeGenerator : public IGenerator {
public:
    const char* Name() const override { return "datetext"; }
    bool Enabled(const TGenInput& in) const override
    {
        for (const auto& c : in.classes)
            for (const auto& m : c.members)
                if (UsesDateTextType(m.member))
                    return true;
        return false;
    }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        out.push_back({ in.KindDir("utils"), "DateTextType.java", in.SubstitutePackage(in.templates.Text(kTemplate)),
            TEncoding::Gbk, "移动完毕!" });
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.KindDir("utils") }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kTemplate } }; }
};

} // namespace

bool UsesDateTextType(const TMember& member)
{
    return member.GetMemberType() == kTypeDate && !member.GetColumnName().empty();
}

const IGenerator& DateTextTypeGenerator()
{
    static const TDateTextTypeGenerator generator;
    return generator;
}
