// The validation of a class's add and modify requests, beside its Action:
// CAction-C_AddC-validation.xml and CAction-C_ModifyC-validation.xml (the
// required text and date members, and a text key, must not be blank), and
// CAction.properties (the message of a number that is no number).
#include "WebPages.h"

#include "JavaNames.h"
#include "JspText.h"
#include "MemberTypes.h"

namespace {

// The members whose value must not be blank: required texts and dates,
// and the key when it is text (the modify form sends it back unchanged).
std::vector<const TMember*> RequiredTexts(const TClassData& data)
{
    std::vector<const TMember*> members;
    for (const auto& member : data.members) {
        const TMember& m = member.member;
        bool text = IsTextLikeType(m.GetMemberType());
        if (text && (m.GetMemberIsMust() == 1 || m.GetMemberIsPri() == 1))
            members.push_back(&m);
    }
    return members;
}

std::string BuildValidationFile(const TClassData& data, const std::string& what)
{
    std::string c = ClassVariableName(data.name);
    TText out;
    out.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.Line("<!DOCTYPE validators PUBLIC");
    out.Line("    \"-//Apache Struts//XWork Validator 1.0.2//EN\"");
    out.Line("    \"http://struts.apache.org/dtds/xwork-validator-1.0.2.dtd\">");
    out.Line("<!-- " + what + HtmlText(data.friendName) + "的校验: 必填的成员不能为空 -->");
    out.Line("<validators>");
    for (const TMember* m : RequiredTexts(data)) {
        out.Line("    <field name=\"" + c + "." + m->GetMemberName() + "\">");
        out.Line("        <field-validator type=\"requiredstring\">");
        out.Line("            <param name=\"trim\">true</param>");
        out.Line("            <message>请输入" + LabelOf(*m) + "!</message>");
        out.Line("        </field-validator>");
        out.Line("    </field>");
    }
    out.Line("</validators>");
    return out.Str();
}

// A properties file is Latin-1: every other character as \uXXXX.
std::string PropertiesText(const std::string& utf8)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        unsigned code = b;
        size_t length = 1;
        if (b >= 0xF0) {
            code = b & 0x07;
            length = 4;
        } else if (b >= 0xE0) {
            code = b & 0x0F;
            length = 3;
        } else if (b >= 0xC0) {
            code = b & 0x1F;
            length = 2;
        }
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (code < 0x80 && code != '\\') {
            out += static_cast<char>(code);
            continue;
        }
        auto unit = [&](unsigned u) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(u >> shift) & 0xF];
        };
        if (code >= 0x10000) {
            code -= 0x10000;
            unit(0xD800 + (code >> 10));
            unit(0xDC00 + (code & 0x3FF));
        } else {
            unit(code);
        }
    }
    return out;
}

// The conversion messages: a number field holding no number, a drop-down
// sending no key.
std::string BuildConversionMessages(const TClassData& data)
{
    std::string c = ClassVariableName(data.name);
    TText out;
    out.Line("# " + PropertiesText(data.name + "Action 的转换错误提示"));
    for (const auto& member : data.members) {
        const TMember& m = member.member;
        std::string label = m.GetMemberComment().empty() ? m.GetMemberName() : m.GetMemberComment();
        if (IsNumberType(m.GetMemberType()))
            out.Line("invalid.fieldvalue." + c + "." + m.GetMemberName() + "=" + PropertiesText(label + "必须是数字!"));
    }
    for (const auto& ref : data.references)
        out.Line("invalid.fieldvalue." + c + "." + ref.name + "." + ref.keyName + "=" +
            PropertiesText("请选择" + (ref.comment.empty() ? ref.name : ref.comment) + "!"));
    return out.Str();
}

class TValidationGenerator : public IGenerator {
public:
    const char* Name() const override { return "validation"; }
    bool Enabled(const TGenInput& in) const override { return in.webapp; }
    void ClassFiles(const TGenInput& in, const TClassData& c, TFiles& out) const override
    {
        const std::string& C = c.name;
        // XWork refuses a validation file without a validator.
        if (!RequiredTexts(c).empty()) {
            out.push_back({ in.KindDir("action"), C + "Action-" + C + "_Add" + C + "-validation.xml",
                BuildValidationFile(c, "添加"), TEncoding::Utf8, "生成完成!" });
            out.push_back({ in.KindDir("action"), C + "Action-" + C + "_Modify" + C + "-validation.xml",
                BuildValidationFile(c, "修改"), TEncoding::Utf8, "生成完成!" });
        }
        out.push_back({ in.KindDir("action"), C + "Action.properties", BuildConversionMessages(c), TEncoding::Utf8,
            "生成完成!" });
    }
    std::vector<std::string> ClassFileNames(const std::string& C) const override
    {
        return { C + "Action-" + C + "_Modify" + C + "-validation.xml", C + "Action.properties" };
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.KindDir("action") }; }
    int PreviewRank() const override { return 6; }
};

} // namespace

const IGenerator& ValidationGenerator()
{
    static const TValidationGenerator generator;
    return generator;
}
