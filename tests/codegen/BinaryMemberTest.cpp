// Bytes (二进制 members): on the current target a file uploaded on the add
// and modify pages and downloaded from the list; refused on the legacy one.
#include "LiteralModel.h"

#include <gtest/gtest.h>

#include "GeneratedFiles.h"
#include "codegen/run/RunChecks.h"

#include <map>

namespace {

const TLiteralModel kShop = {
    { "Goods@goods",
        { { "goodsId@goods_id", "整型", "pmag", 0, "编号" }, { "title@title", "字符串", "md", 40, "" },
            { "photo@photo", "二进制", "n", 65535, "照片" } } },
};

std::map<std::string, std::string> CurrentFiles(const TLiteralModel& model)
{
    return GeneratedFiles(model, "current");
}

} // namespace

TEST(BinaryMemberTest, TheCurrentTargetUploadsAndDownloadsTheBytes)
{
    auto files = CurrentFiles(kShop);
    struct TPart {
        const char* file;
        const char* text;
    } parts[] = {
        { "src/com/shop/domain/Goods.java",
            "    @Lob\r\n    @Column(name = \"photo\", length = 65535, updatable = false)\r\n"
            "    @org.hibernate.annotations.ColumnTransformer(read = \"substring(photo, 1, 1)\")\r\n"
            "    private byte[] photo;" },
        { "src/com/shop/dao/GoodsDAO.java", "    public byte[] GetGoodsPhotoBytes(int goodsId) {" },
        { "src/com/shop/dao/GoodsDAO.java", "prepareStatement(\"select photo from goods where goods_id = ?\")" },
        { "src/com/shop/dao/GoodsDAO.java",
            "    public void UpdateGoods(Goods goods, java.util.Map<String, byte[]> _files) throws Exception {" },
        { "src/com/shop/dao/GoodsDAO.java",
            "            s.merge(goods);\r\n            if(_files.containsKey(\"photoUpload\"))\r\n"
            "                s.createNativeMutationQuery(\"update goods set photo = :v where goods_id = :k\")" },
        { "src/com/shop/action/GoodsAction.java",
            "public class GoodsAction extends ActionSupport implements UploadedFilesAware {" },
        { "src/com/shop/action/GoodsAction.java", "            goodsDAO.UpdateGoods(goods, _uploads);\r\n" },
        { "src/com/shop/action/GoodsAction.java",
            "_uploads.get(\"photoUpload\").length > 65535)\r\n            return \"照片的文件太大(最多 65535 "
            "字节)!\";" },
        { "src/com/shop/action/GoodsAction.java", "            String _refused = TakeUploads(goods);" },
        { "src/com/shop/action/GoodsAction.java", "    public String DownloadGoodsPhoto() throws Exception {" },
        { "src/struts.xml", "ModifyGoods,DeleteGoods,DownloadGoodsPhoto</allowed-methods>" },
        { "src/struts.xml", "<constant name=\"struts.multipart.maxSize\" value=\"17825792\" />" },
        { "src/com/shop/utils/LoginFilter.java",
            "java.util.Arrays.asList(new String[] { \"/Goods/Goods_AddGoods.action\", "
            "\"/Goods/Goods_ModifyGoods.action\" }));" },
        { "WebRoot/Goods_add.jsp", "<input type=\"file\" name=\"photoUpload\">" },
        { "WebRoot/Goods_modify.jsp", "Goods_ModifyGoods.action\" enctype=\"multipart/form-data\">" },
        { "src/struts.xml",
            "<package name=\"Goods\" namespace=\"/Goods\" extends=\"struts-default\">\r\n"
            "           <interceptors>\r\n"
            "             <interceptor name=\"uploadGuard\" class=\"com.shop.utils.UploadGuard\"/>\r\n" },
        { "src/com/shop/utils/UploadGuard.java", "public class UploadGuard extends AbstractInterceptor {" },
        { "WebRoot/Goods_query_result.jsp",
            "<td><c:if test=\"${not empty _row.photo}\"><c:url var=\"_download\" "
            "value=\"/Goods/Goods_DownloadGoodsPhoto.action\"><c:param name=\"goodsId\" value=\"${_row.goodsId}\"/>" },
    };
    for (const auto& part : parts)
        EXPECT_NE(files[part.file].find(part.text), std::string::npos) << part.file << " lacks\n"
                                                                       << part.text << "\nin\n"
                                                                       << files[part.file];
    // A file is no field of the object: nothing validates goods.photo.
    for (const auto& [path, text] : files) {
        if (path.find("validation.xml") != std::string::npos) {
            EXPECT_EQ(text.find("goods.photo"), std::string::npos) << path;
        }
    }

    // A column whose name Hibernate would also find inside "substring" is
    // read whole.
    auto whole = CurrentFiles({ { "Doc@doc",
        { { "docId@doc_id", "整型", "pmag", 0, "" }, { "t@t", "字符串", "md", 4, "" },
            { "str@str", "二进制", "n", 0, "" } } } });
    EXPECT_EQ(whole["src/com/shop/domain/Doc.java"].find("ColumnTransformer"), std::string::npos);
    EXPECT_NE(
        whole["src/com/shop/domain/Doc.java"].find("@Column(name = \"str\", length = 16777215, updatable = false)"),
        std::string::npos);

    // Without bytes nothing takes a file.
    auto plain = CurrentFiles({ { "Goods", { { "goodsId", "整型", "pmg", 0, "" }, { "t", "字符串", "md", 4, "" } } } });
    EXPECT_NE(
        plain["src/struts.xml"].find("<constant name=\"struts.multipart.maxSize\" value=\"0\" />"), std::string::npos);
    EXPECT_NE(plain["src/com/shop/utils/LoginFilter.java"].find("java.util.Arrays.asList(new String[] {  }));"),
        std::string::npos);
}

TEST(BinaryMemberTest, OnlyTheCurrentTargetAndAClassOfOneKeyTakeBytes)
{
    struct TCase {
        TLiteralModel model;
        std::string target;
        const char* message; // empty: passes
    } cases[] = {
        { kShop, "current", "" },
        { kShop, kTargetLegacy,
            "Goods表的成员photo是二进制类型，只能在目标框架 Struts 7 + Hibernate 7 "
            "中生成(上传和下载文件)：请把工程的目标框架"
            "改为 current!" },
        { { { "Line@line",
              { { "a", "整型", "pmd", 0, "" }, { "b", "整型", "pm", 0, "" }, { "c", "二进制", "n", 0, "" } } } },
            "current", "Line表的成员c是二进制类型，所在的类须只有一个主键成员!" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckBinaryMembers(LiteralSnapshot(c.model), c.target).message, c.message);
}
