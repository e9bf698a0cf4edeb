// The validation of a class's add and modify requests, beside its Action:
// CAction-C_AddC-validation.xml and CAction-C_ModifyC-validation.xml (every
// field checked as it was sent, before anything is converted or stored:
// required, numbers, dates, lengths), and CAction.properties (the message
// of a number that is no number).
#include "codegen/targets/legacy/WebPages.h"

#include "codegen/core/ClassData.h"
#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/targets/legacy/JspText.h"
#include "codegen/text/TextEscape.h"
#include "model/store/MemberTypes.h"

namespace {

// One check of a field: the rule of the "input" validator, its message.
struct TFieldRule {
    std::string rule;
    std::string message;
    int maxLength = 0;
    std::string choices = ""; // the "choice" rule's values, percent-encoded, joined by ","
    int precision = 0; // the "digits" rule's: all digits, and those after the point
    int scale = 0;
};

struct TFieldChecks {
    std::string field; // the request parameter: c.m, or c.m.key of a reference
    std::vector<TFieldRule> rules;
};

const TReferenceMember* ReferenceNamed(const TClassData& data, const std::string& name)
{
    for (const auto& ref : data.references)
        if (ref.name == name)
            return &ref;
    return nullptr;
}

// The rule of a date by the length of its text: 8 a time, over 10 a date
// and time, otherwise a date.
TFieldRule DateRule(const TMember& m, const std::string& label)
{
    if (m.GetMemberLength() == 8)
        return { "time", label + "必须是有效的时间(时:分:秒)!" };
    if (m.GetMemberLength() > 10)
        return { "datetime", label + "必须是有效的日期和时间(yyyy-MM-dd HH:mm:ss)!" };
    return { "date", label + "必须是有效的日期(yyyy-MM-dd)!" };
}

// The checks of every field the form sends. A key the database makes is
// not sent on add; on modify it comes back unchanged and is checked too.
std::vector<TFieldChecks> FieldChecks(const TClassData& data, bool modify)
{
    std::string c = ClassVariableName(data.name);
    std::vector<TFieldChecks> checks;
    for (const auto& member : data.members) {
        const TMember& m = member.member;
        const std::string& type = m.GetMemberType();
        bool key = m.GetMemberIsPri() == 1;
        if (key && !modify && KeyGeneratorOf(m) == "native")
            continue;
        // A file arrives apart from the object's fields.
        if (type == kTypeBinary)
            continue;
        // Struts evaluates "${" and "%{" in a message: never in model text.
        std::string label =
            XmlText(OgnlMessageText(m.GetMemberComment().empty() ? m.GetMemberName() : m.GetMemberComment()));
        const TReferenceMember* ref = ReferenceNamed(data, m.GetMemberName());
        TFieldChecks field { c + "." + m.GetMemberName() + (ref ? "." + ref->keyName : ""), {} };
        if (key || m.GetMemberIsMust() == 1)
            field.rules.push_back({ "required", (ref ? "请选择" : "请输入") + label + "!" });
        if (type == kTypeInteger)
            field.rules.push_back({ "int", label + "必须是整数!" });
        else if (type == kTypeLong)
            field.rules.push_back({ "long", label + "必须是整数!" });
        else if (type == kTypeFloat)
            field.rules.push_back({ "float", label + "必须是数字!" });
        else if (type == kTypeDecimal) {
            field.rules.push_back({ "decimal", label + "必须是数字!" });
            // Digits beyond the column's are refused, never rounded away.
            if (m.GetMemberPrecision() > 0) {
                TFieldRule digits { "digits",
                    label + "最多" + std::to_string(m.GetMemberPrecision() - m.GetMemberScale()) + "位整数、" +
                        std::to_string(m.GetMemberScale()) + "位小数!" };
                digits.precision = m.GetMemberPrecision();
                digits.scale = m.GetMemberScale();
                field.rules.push_back(digits);
            }
        } else if (type == kTypeDouble)
            field.rules.push_back({ "double", label + "必须是数字!" });
        else if (type == kTypeDate)
            field.rules.push_back(DateRule(m, label));
        if (!m.GetMemberChoices().empty()) {
            std::string encoded;
            for (const std::string& value : SplitChoices(m.GetMemberChoices()))
                encoded += (encoded.empty() ? "" : ",") + PercentText(value);
            // Several chosen at once (a SET column): each must be a choice.
            bool several = m.GetChoiceMode() == "several";
            field.rules.push_back({ several ? "choices" : "choice", "请从列表中选择" + label + "!", 0, encoded });
        } else if (type == kTypeString && m.GetMemberLength() > 0)
            field.rules.push_back({ "maxlength", label + "不能超过" + std::to_string(m.GetMemberLength()) + "个字符!",
                m.GetMemberLength() });
        if (!field.rules.empty())
            checks.push_back(field);
    }
    return checks;
}

std::string BuildValidationFile(const TClassData& data, const std::string& what, bool modify)
{
    TText out;
    out.Print({},
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE validators PUBLIC\n"
        "    \"-//Apache Struts//XWork Validator 1.0.2//EN\"\n"
        "    \"http://struts.apache.org/dtds/xwork-validator-1.0.2.dtd\">\n");
    out.Line("<!-- " + what + XmlCommentText(OgnlMessageText(data.friendName)) +
        "的校验: 按提交的原文检查必填、数字、日期和长度 -->");
    out.Line("<validators>");
    for (const auto& field : FieldChecks(data, modify)) {
        out.Line("    <field name=\"" + field.field + "\">");
        for (const auto& rule : field.rules) {
            out.Line("        <field-validator type=\"input\" short-circuit=\"true\">");
            out.Line("            <param name=\"rule\">" + rule.rule + "</param>");
            if (rule.rule == "maxlength")
                out.Line("            <param name=\"maxLength\">" + std::to_string(rule.maxLength) + "</param>");
            if (rule.rule == "digits") {
                out.Line("            <param name=\"precision\">" + std::to_string(rule.precision) + "</param>");
                out.Line("            <param name=\"scale\">" + std::to_string(rule.scale) + "</param>");
            }
            if (rule.rule == "choice" || rule.rule == "choices")
                out.Line("            <param name=\"choices\">" + rule.choices + "</param>");
            out.Line("            <message>" + rule.message + "</message>");
            out.Line("        </field-validator>");
        }
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
            out.Line("invalid.fieldvalue." + c + "." + m.GetMemberName() + "=" +
                PropertiesText(OgnlMessageText(label) + "必须是数字!"));
    }
    for (const auto& ref : data.references)
        out.Line("invalid.fieldvalue." + c + "." + ref.name + "." + ref.keyName + "=" +
            PropertiesText("请选择" + OgnlMessageText(ref.comment.empty() ? ref.name : ref.comment) + "!"));
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
        if (!FieldChecks(c, false).empty())
            out.push_back({ in.KindDir("action"), C + "Action-" + C + "_Add" + C + "-validation.xml",
                BuildValidationFile(c, "添加", false), TEncoding::Utf8, "生成完成!" });
        if (!FieldChecks(c, true).empty())
            out.push_back({ in.KindDir("action"), C + "Action-" + C + "_Modify" + C + "-validation.xml",
                BuildValidationFile(c, "修改", true), TEncoding::Utf8, "生成完成!" });
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
