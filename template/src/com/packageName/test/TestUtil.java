package com.$packageName.test;

import java.sql.Connection;
import java.sql.DatabaseMetaData;
import java.sql.SQLException;
import java.util.Collection;
import java.util.List;

import org.hibernate.Session;
import org.hibernate.jdbc.Work;

import com.$packageName.utils.HibernateUtil;

/**
 * 开发调试用的小工具: 检查数据库连接, 打印对象列表.
 * 命令行用法: java com.$packageName.test.TestUtil [类名 ...]
 * 先显示所连接的数据库, 再逐个列出给定领域类(如 Admin)的全部记录.
 */
public class TestUtil {

    private TestUtil() {
    }

    /*打开一个会话, 返回所连接数据库的名称、版本和地址*/
    public static String checkConnection() {
        final StringBuilder info = new StringBuilder();
        try {
            Session s = HibernateUtil.getSession();
            s.doWork(new Work() {
                public void execute(Connection connection) throws SQLException {
                    DatabaseMetaData meta = connection.getMetaData();
                    info.append(meta.getDatabaseProductName()).append(' ')
                        .append(meta.getDatabaseProductVersion()).append(" (")
                        .append(meta.getURL()).append(')');
                }
            });
        } finally {
            HibernateUtil.closeSession();
        }
        return info.toString();
    }

    /*查询某个领域类的全部对象*/
    public static List<?> queryAll(Class<?> type) {
        try {
            Session s = HibernateUtil.getSession();
@@legacy@@            return s.createQuery("from " + type.getName()).list();
@@current@@            return s.createQuery("from " + type.getName(), type).list();
        } finally {
            HibernateUtil.closeSession();
        }
    }

    /*打印对象列表, 每个对象一行*/
    public static void printList(String title, Collection<?> items) {
        int count = items == null ? 0 : items.size();
        System.out.println(title + ": 共 " + count + " 条");
        if (items == null) {
            return;
        }
        int index = 1;
        for (Object item : items) {
            System.out.println("  " + index + ". " + item);
            index++;
        }
    }

    public static void main(String[] args) throws Exception {
        try {
            System.out.println("数据库连接正常: " + checkConnection());
            for (String name : args) {
                Class<?> type = Class.forName("com.$packageName.domain." + name);
                printList(name, queryAll(type));
            }
        } finally {
            HibernateUtil.shutdown();
        }
    }
}
