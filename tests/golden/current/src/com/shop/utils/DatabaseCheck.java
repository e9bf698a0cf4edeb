package com.shop.utils;

import java.sql.Connection;
import java.sql.ResultSet;
import java.sql.SQLException;
import java.sql.Statement;
import java.util.ArrayList;
import java.util.List;

import org.hibernate.jdbc.Work;

/**
 * 数据库的问题, 用中文说明原因(启动时记入日志, 显示在登录页面上): 连不上服务器、库不存在、
 * 缺少表、用户名或密码不对, 以及库或表的字符集不是 utf8mb4(中文和表情符号会保存失败).
 */
public final class DatabaseCheck {

    private DatabaseCheck() {
    }

    /*访问数据库失败的原因*/
    public static String describe(Throwable e) {
        for (Throwable t = e; t != null; t = t.getCause() == t ? null : t.getCause()) {
            if (!(t instanceof SQLException)) {
                continue;
            }
            SQLException sql = (SQLException) t;
            switch (sql.getErrorCode()) {
            case 1049:
                return "数据库不存在(" + sql.getMessage() + "): 请以管理员身份执行一次 sql/create_database.sql"
                        + "(库名与 hibernate.cfg.xml 中的一致), 然后重新启动应用.";
            case 1146:
                return "数据库中缺少表(" + sql.getMessage() + "): 由程序建表的工程重新启动应用即可建表;"
                        + " 从数据库导入的工程请在数据库中执行一次 sql/t_admin.sql.";
            case 1044:
            case 1045:
                return "数据库拒绝了连接(" + sql.getMessage() + "): 请检查 hibernate.cfg.xml 中的用户名、密码和授权.";
            default:
                break;
            }
            if (sql.getSQLState() != null && sql.getSQLState().startsWith("08")) {
                return "无法连接数据库服务器(" + sql.getMessage() + "): 请确认服务器已启动,"
                        + " hibernate.cfg.xml 中的地址和端口正确.";
            }
        }
        return "访问数据库失败(" + e + "): 请确认数据库可以连接, 且其中有管理员表 t_admin"
                + "(从数据库导入的工程请在数据库中执行一次 sql/t_admin.sql).";
    }

    /*MariaDB/MySQL 的库或表的字符集不是 utf8mb4 时的说明; 没有问题(或不是这两种数据库)时为 null*/
    public static String charsetProblem() {
        final List<String> found = new ArrayList<String>();
        try {
            HibernateUtil.getSession().doWork(new Work() {
                public void execute(Connection connection) throws SQLException {
                    String product = connection.getMetaData().getDatabaseProductName().toLowerCase();
                    if (!product.contains("mysql") && !product.contains("mariadb")) {
                        return;
                    }
                    Statement st = connection.createStatement();
                    try {
                        ResultSet r = st.executeQuery("select @@character_set_database, database()");
                        if (r.next() && !r.getString(1).startsWith("utf8mb4")) {
                            found.add("数据库 " + r.getString(2) + " 的字符集是 " + r.getString(1));
                        }
                        r = st.executeQuery("select table_name, table_collation from information_schema.tables"
                                + " where table_schema = database() and table_type = 'BASE TABLE'"
                                + " and table_collation not like 'utf8mb4%' order by table_name");
                        while (r.next()) {
                            found.add("表 " + r.getString(1) + " 的排序规则是 " + r.getString(2));
                        }
                    } finally {
                        st.close();
                    }
                }
            });
        } catch (RuntimeException e) {
            return null;
        } finally {
            HibernateUtil.closeSession();
        }
        if (found.isEmpty()) {
            return null;
        }
        StringBuilder text = new StringBuilder();
        for (String one : found) {
            text.append(text.length() == 0 ? "" : "; ").append(one);
        }
        return text + ": 中文和表情符号会保存失败. 请按 sql/create_database.sql 建库(utf8mb4),"
                + " 已有的表可以用 ALTER TABLE 表名 CONVERT TO CHARACTER SET utf8mb4 转换.";
    }
}
