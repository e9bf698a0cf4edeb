// Bytes (二进制 members): a file uploaded on the add and modify pages and
// downloaded from the list, on the current target only. The column is
// written on add with the object and on modify by a statement of its own,
// so that a save without a new file keeps the stored bytes.
#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/Printer.h"
#include "codegen/text/TextEscape.h"
#include "model/store/MemberTypes.h"

std::vector<TMember> BinaryMembers(const TClassData& c)
{
    std::vector<TMember> binary;
    for (const auto& mapped : c.members)
        if (mapped.member.GetMemberType() == kTypeBinary)
            binary.push_back(mapped.member);
    return binary;
}

long long BinaryCapacity(const TMember& m)
{
    const long long most = 16777215; // a MEDIUMBLOB
    return m.GetMemberLength() > 0 ? std::min<long long>(m.GetMemberLength(), most) : most;
}

std::string UploadActions(const std::vector<TClassData>& classes)
{
    std::string list;
    for (const auto& c : classes)
        if (!BinaryMembers(c).empty())
            for (const char* action : { "_Add", "_Modify" })
                list += (list.empty() ? "\"/" : ", \"/") + c.name + "/" + c.name + action + c.name + ".action\"";
    return list;
}

std::string BuildUploadMethods(const TClassData& c)
{
    const std::string& C = c.name;
    std::string cv = ClassVariableName(C);
    const std::string& p = c.primary.GetMemberName();
    TPrinter::TVars vars = { { "C", C }, { "c", cv }, { "p", p }, { "P", CapitalizedName(p) } };
    TPrinter out;
    out.Print(vars,
        "    /*上传的文件: 二进制成员的新内容, 按表单中的字段名; 空文件表示不更换*/\n"
        "    private final java.util.Map<String, byte[]> _uploads = new java.util.HashMap<String, byte[]>();\n"
        "    public void withUploadedFiles(java.util.List<UploadedFile> _files) {\n"
        "        for (UploadedFile _file : _files) {\n"
        "            if (_file.length() == null || _file.length() == 0)\n"
        "                continue;\n"
        "            try {\n"
        "                _uploads.put(_file.getInputName(), java.nio.file.Files.readAllBytes(new "
        "java.io.File(_file.getAbsolutePath()).toPath()));\n"
        "            } catch (java.io.IOException e) {\n"
        "                addActionError(\"上传的文件无法读取!\");\n"
        "            }\n"
        "        }\n"
        "    }\n"
        "\n"
        "    /*上传的文件超过列的容量时拒绝*/\n"
        "    private String CheckUploads() {\n");
    for (const TMember& m : BinaryMembers(c)) {
        TPrinter::TVars member = { { "m", m.GetMemberName() },
            { "label", JavaStringText(m.GetMemberComment().empty() ? m.GetMemberName() : m.GetMemberComment()) },
            { "max", std::to_string(BinaryCapacity(m)) } };
        out.Print(member,
            "        if (_uploads.containsKey(\"$m$Upload\") && _uploads.get(\"$m$Upload\").length > $max$)\n"
            "            return \"$label$的文件太大(最多 $max$ 字节)!\";\n");
    }
    // What the column holds may still be more than the server takes in one
    // statement (max_allowed_packet).
    out.Print(vars,
        "        for (byte[] _bytes : _uploads.values())\n"
        "            if (_bytes.length > HibernateUtil.DatabaseLimit())\n"
        "                return \"文件太大: 数据库一次最多接受 \" + HibernateUtil.DatabaseLimit() + \" "
        "字节(max_allowed_packet 的一半)!\";\n"
        "        return null;\n"
        "    }\n"
        "\n"
        "    /*添加时上传的文件随对象写入; 必填的二进制成员没有上传时拒绝*/\n"
        "    private String TakeUploads($C$ $c$) {\n"
        "        String _refused = CheckUploads();\n"
        "        if (null != _refused)\n"
        "            return _refused;\n");
    for (const TMember& m : BinaryMembers(c)) {
        TPrinter::TVars member = vars;
        member["m"] = m.GetMemberName();
        member["M"] = CapitalizedName(m.GetMemberName());
        member["label"] = JavaStringText(m.GetMemberComment().empty() ? m.GetMemberName() : m.GetMemberComment());
        if (m.GetMemberIsMust() == 1 && m.GetMemberNullable() != 1)
            out.Print(member,
                "        if (!_uploads.containsKey(\"$m$Upload\"))\n"
                "            return \"请上传$label$!\";\n");
        out.Print(member, "        $c$.set$M$(_uploads.get(\"$m$Upload\"));\n");
    }
    out.Print("        return null;\n    }\n\n");
    // A text key may be missing from the request.
    std::string find = c.primary.GetMemberType() == kTypeString ? p + " == null ? null : " : "";
    for (const TMember& m : BinaryMembers(c)) {
        TPrinter::TVars member = vars;
        member["m"] = m.GetMemberName();
        member["M"] = CapitalizedName(m.GetMemberName());
        member["find"] = find;
        out.Print(member,
            "    /*下载$C$的$m$(二进制列): 没有内容时回答 404*/\n"
            "    public String Download$C$$M$() throws Exception {\n"
            "        byte[] _bytes = $find$$c$DAO.Get$C$$M$Bytes($p$);\n"
            "        HttpServletResponse _response = ServletActionContext.getResponse();\n"
            "        if (_bytes == null || _bytes.length == 0) {\n"
            "            _response.sendError(HttpServletResponse.SC_NOT_FOUND);\n"
            "            return null;\n"
            "        }\n"
            "        _response.setContentType(\"application/octet-stream\");\n"
            "        _response.setHeader(\"Content-Disposition\", \"attachment; filename=\\\"$C$-$m$.bin\\\"\");\n"
            "        _response.setHeader(\"Cache-Control\", \"no-store\");\n"
            "        _response.setContentLength(_bytes.length);\n"
            "        _response.getOutputStream().write(_bytes);\n"
            "        return null;\n"
            "    }\n"
            "\n");
    }
    return out.Str();
}
