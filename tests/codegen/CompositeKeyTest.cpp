// A table whose key is several columns: each target maps the object as its
// own identifier, finds and deletes it by an object holding the key, and
// the pages send the key as the object's members.
#include "LiteralModel.h"

#include <gtest/gtest.h>

#include "GeneratedFiles.h"
#include "codegen/run/RunChecks.h"
#include "model/commands/ModelChecks.h"

#include <map>

namespace {

const TLiteralModel kShop = {
    { "Goods@goods", { { "goodsId@goods_id", "整型", "pmag", 0, "编号" }, { "title@title", "字符串", "md", 40, "" } } },
    { "OrderLine@order_line",
        { { "orderNo@order_no", "整型", "pm", 0, "订单" }, { "code@product_code", "字符串", "pm", 15, "产品" },
            { "qty@qty", "整型", "nd", 0, "数量" }, { "goods@goods_id", "Goods", "n", 0, "" } } },
};

} // namespace

TEST(CompositeKeyTest, EachTargetFindsTheObjectByAllItsKeyMembers)
{
    struct TPart {
        std::string target;
        const char* file;
        const char* text;
    } parts[] = {
        { kTargetLegacy, "src/com/shop/domain/OrderLine.hbm.xml",
            "<composite-id>\r\n"
            "            <key-property name=\"orderNo\" column=\"order_no\" type=\"int\"/>\r\n"
            "            <key-property name=\"code\" column=\"product_code\" type=\"string\" length=\"15\"/>\r\n"
            "          </composite-id>" },
        { kTargetLegacy, "src/com/shop/domain/OrderLine.java",
            "public class OrderLine implements java.io.Serializable {" },
        { kTargetLegacy, "src/com/shop/dao/OrderLineDAO.java",
            "    public OrderLine GetOrderLineByKey(OrderLine _key) {\r\n        Session s = null;\r\n"
            "        if(_key == null) return null;" },
        { kTargetLegacy, "src/com/shop/dao/OrderLineDAO.java",
            "            hql += \" order by orderLine.orderNo, orderLine.code\";" },
        { kTargetLegacy, "src/com/shop/dao/OrderLineDAO.java",
            "            if(orderLine == null) throw new HibernateException(\"该OrderLine不存在!\");" },
        { "current", "src/com/shop/domain/OrderLine.java",
            "    @Id\r\n    @Column(name = \"order_no\")\r\n    private int orderNo;" },
        { "current", "src/com/shop/domain/OrderLine.java",
            "    @Id\r\n    @Column(name = \"product_code\", length = 15)\r\n    private String code;" },
        { "current", "src/com/shop/dao/OrderLineDAO.java",
            "            OrderLine orderLine = _key == null ? null : s.find(OrderLine.class, _key);" },
        { "current", "src/com/shop/dao/OrderLineDAO.java",
            "            hql += \" order by orderLine.orderNo, orderLine.code\";" },
        // A save finds the row by a key object of its own, never by the object being saved.
        { "current", "src/com/shop/dao/OrderLineDAO.java",
            "            OrderLine _key = new OrderLine();\r\n            _key.setOrderNo(orderLine.getOrderNo());\r\n"
            "            _key.setCode(orderLine.getCode());\r\n"
            "            OrderLine _found = s.find(OrderLine.class, _key, LockModeType.PESSIMISTIC_WRITE);\r\n" },
    };
    std::map<std::string, std::map<std::string, std::string>> files = {
        { kTargetLegacy, GeneratedFiles(kShop, kTargetLegacy) }, { "current", GeneratedFiles(kShop, "current") }
    };
    for (const auto& part : parts)
        EXPECT_NE(files[part.target][part.file].find(part.text), std::string::npos) << part.file << " lacks\n"
                                                                                    << part.text << "\nin\n"
                                                                                    << files[part.target][part.file];
    for (std::string target : { kTargetLegacy, "current" }) {
        auto& tree = files[target];
        const std::string& domain = tree["src/com/shop/domain/OrderLine.java"];
        EXPECT_NE(domain.find("java.util.Objects.equals(orderNo, _that.orderNo) && java.util.Objects.equals(code, "
                              "_that.code)"),
            std::string::npos);
        EXPECT_NE(domain.find("return java.util.Objects.hash(orderNo, code);"), std::string::npos);
        const std::string& action = tree["src/com/shop/action/OrderLineAction.java"];
        EXPECT_EQ(action.find("private int orderNo;"), std::string::npos) << "the key arrives in the object";
        EXPECT_NE(action.find("OrderLine orderLine = orderLineDAO.GetOrderLineByKey(this.orderLine);\r\n"
                              "        this.orderLine = orderLine;"),
            std::string::npos);
        EXPECT_NE(action.find("orderLineDAO.DeleteOrderLine(orderLine);"), std::string::npos);
        EXPECT_NE(action.find("if(null != orderLineDAO.GetOrderLineByKey(orderLine)) {"), std::string::npos);
        // Both key members are entered on add, shown on modify, sent by the list.
        const std::string& list = tree["WebRoot/OrderLine_query_result.jsp"];
        EXPECT_NE(list.find("<c:param name=\"orderLine.orderNo\" value=\"${_row.orderNo}\"/><c:param "
                            "name=\"orderLine.code\" value=\"${_row.code}\"/>"),
            std::string::npos)
            << list;
        EXPECT_NE(list.find("<a href=\"<c:out value='${modifyUrl}'/>\">"), std::string::npos);
        const std::string& add = tree["WebRoot/OrderLine_add.jsp"];
        EXPECT_NE(add.find("<input type=\"number\" step=\"1\" name=\"orderLine.orderNo\""), std::string::npos);
        EXPECT_NE(add.find("<input type=\"text\" name=\"orderLine.code\""), std::string::npos);
        EXPECT_NE(tree["WebRoot/OrderLine_modify.jsp"].find("<input type=\"hidden\" name=\"orderLine.code\""),
            std::string::npos);
    }
}

// Several primary members only for a table of the user's, of simple key
// types, none made by the database, and no reference to such a class.
TEST(CompositeKeyTest, TheChecksAcceptOnlyATableKeyOfSimpleMembers)
{
    struct TCase {
        TLiteralModel model;
        const char* message; // empty: passes
    } cases[] = {
        { kShop, "" },
        { { { "OrderLine", { { "orderNo", "整型", "pmd", 0, "" }, { "code", "字符串", "pm", 15, "" } } } },
            "OrderLine表主键设置错误，每个类只能设置一个主键!" },
        { { { "OrderLine@order_line", { { "orderNo", "整型", "pmd", 0, "" }, { "day", "日期型", "pm", 10, "" } } } },
            "OrderLine表的主键由多个成员组成，主键成员day只能是整型、长整型或字符串!" },
        { { { "OrderLine@order_line", { { "orderNo", "整型", "pmdg", 0, "" }, { "code", "字符串", "pm", 15, "" } } } },
            "OrderLine表的主键由多个成员组成，主键成员orderNo不能由数据库生成!" },
        { { kShop[0], kShop[1],
              { "Note", { { "noteId", "整型", "pmd", 0, "" }, { "line", "OrderLine", "m", 0, "" } } } },
            "Note表的成员line引用的类OrderLine的主键由多个成员组成，不能被引用!" },
    };
    for (const auto& c : cases) {
        TModelSnapshot snapshot = LiteralSnapshot(c.model);
        TCheckResult result = CheckPrimaryMembers(snapshot);
        if (result.Passed())
            result = CheckReferenceMembers(snapshot);
        EXPECT_EQ(result.message, c.message);
    }
}
