package javagen.acceptance;

import java.sql.Connection;
import java.sql.DriverManager;
import java.sql.PreparedStatement;
import java.sql.Statement;

/**
 * Fills the shop tables (category, supplier, goods) through plain JDBC, as
 * another application of the database would, using the
 * -Dhibernate.connection.* properties: 3 categories, 2 suppliers and 25
 * goods, among them one with every nullable column NULL and one holding a
 * BIGINT above 2^31, a DECIMAL to the cent and a long text.
 */
public final class FillShop {

    static Connection connect() throws Exception {
        return DriverManager.getConnection(System.getProperty("hibernate.connection.url"),
            System.getProperty("hibernate.connection.username", "sa"),
            System.getProperty("hibernate.connection.password", ""));
    }

    /** The long description of the goods 大苹果: 3,000 Chinese characters. */
    static String longText() {
        StringBuilder text = new StringBuilder();
        for (int i = 0; i < 1000; i++) {
            text.append("描述文");
        }
        return text.toString();
    }

    public static void main(String[] args) throws Exception {
        try (Connection c = connect(); Statement s = c.createStatement()) {
            s.executeUpdate("insert into category (category_id, category_name) values (1, '水果')");
            s.executeUpdate("insert into category (category_id, category_name) values (2, '文具')");
            s.executeUpdate("insert into category (category_id, category_name) values (3, '书籍')");
            s.executeUpdate("insert into category (category_id, category_name, parent_id) values (4, '苹果', 1)");
            s.executeUpdate("insert into supplier (supplier_name) values ('甲供应商')");
            s.executeUpdate("insert into supplier (supplier_name) values ('乙供应商')");
            String insert = "insert into goods (goods_name, category_id, supplier_id, stock, price, view_count,"
                + " description, listed_at) values (?, ?, (select supplier_id from supplier where supplier_name = ?),"
                + " ?, ?, ?, ?, ?)";
            try (PreparedStatement p = c.prepareStatement(insert)) {
                String[][] kinds = { { "苹果", "1" }, { "铅笔", "2" }, { "小说", "3" } };
                int n = 0;
                for (String[] kind : kinds) {
                    for (int i = 1; i <= (kind[1].equals("2") ? 9 : 8); i++) {
                        n++;
                        p.setString(1, kind[0] + i);
                        p.setInt(2, Integer.parseInt(kind[1]));
                        p.setString(3, i % 2 == 0 ? "甲供应商" : "乙供应商");
                        p.setInt(4, n * 10);
                        p.setBigDecimal(5, new java.math.BigDecimal(n + ".50"));
                        p.setLong(6, n * 100L);
                        p.setString(7, "第" + n + "种");
                        p.setString(8, "2024-01-02 03:04:05");
                        p.executeUpdate();
                    }
                }
            }
            s.executeUpdate("update goods set supplier_id = null, stock = null, price = null, view_count = null,"
                + " description = null where goods_name = '苹果1'");
            try (PreparedStatement p = c.prepareStatement("update goods set goods_name = '大苹果', view_count = ?,"
                + " price = ?, description = ? where goods_name = '苹果2'")) {
                p.setLong(1, 5000000000L);
                p.setBigDecimal(2, new java.math.BigDecimal("1234567.89"));
                p.setString(3, longText());
                p.executeUpdate();
            }
        }
        System.out.println("filled");
    }
}
