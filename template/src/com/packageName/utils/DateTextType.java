package com.$packageName.utils;

import java.io.Serializable;
import java.sql.PreparedStatement;
import java.sql.ResultSet;
import java.sql.SQLException;
import java.sql.Types;

import org.hibernate.HibernateException;
import org.hibernate.usertype.UserType;

/**
 * 日期型成员的 Hibernate 类型: 数据库中的 DATETIME、TIMESTAMP、DATE、TIME 列
 * 在程序中是 "2024-01-02 03:04:05"、"2024-01-02"、"03:04:05" 这样的文字.
 * 读写都按文字进行, 读出的文字与写入的文字相同; 空文字保存为 NULL.
 */
public class DateTextType implements UserType {

    public int[] sqlTypes() {
        return new int[] { Types.VARCHAR };
    }

    public Class<?> returnedClass() {
        return String.class;
    }

    /* 空文字与 NULL 相同: 原来为 NULL 的日期没有改动时不会被重写 */
    public boolean equals(Object x, Object y) throws HibernateException {
        return text(x).equals(text(y));
    }

    private static String text(Object value) {
        return value == null ? "" : (String) value;
    }

    public int hashCode(Object x) throws HibernateException {
        return text(x).hashCode();
    }

    public Object nullSafeGet(ResultSet rs, String[] names, Object owner) throws HibernateException, SQLException {
        // 按文字读出, 不经过 JVM 的时区: 小数秒、超过 24 小时的 TIME、零日期都原样保留;
        // 只有全为 0 的小数秒(有的驱动加上的 ".0")去掉, 写回时是同一个值.
        String text;
        try {
            text = rs.getString(names[0]);
        } catch (SQLException e) {
            // Connector/J 5.1 不能把超过 24 小时的 TIME 或零日期读成文字, 列的字节就是那段文字
            byte[] bytes = rs.getBytes(names[0]);
            text = bytes == null ? null : new String(bytes, java.nio.charset.StandardCharsets.UTF_8);
        }
        if (text == null) {
            return null;
        }
        if (text.indexOf('.') < 0 && text.indexOf(':') > 0) {
            // Connector/J 5.1 读 TIME(3) 这样的列时文字里没有小数秒, 列的字节里有: 取字节中的完整文字
            try {
                byte[] bytes = rs.getBytes(names[0]);
                String whole = bytes == null ? "" : new String(bytes, java.nio.charset.StandardCharsets.UTF_8);
                if (whole.startsWith(text + ".")) {
                    text = whole;
                }
            } catch (SQLException e) {
                // 驱动不给字节: 文字就是它能给的全部
            }
        }
        int dot = text.lastIndexOf('.');
        if (dot > 0 && text.indexOf(':') > 0 && text.substring(dot + 1).matches("0+")) {
            text = text.substring(0, dot);
        }
        return text;
    }

    public void nullSafeSet(PreparedStatement st, Object value, int index) throws HibernateException, SQLException {
        // 页面上空着的日期保存为 NULL, 数据库不接受空文字作为日期
        if (value == null || ((String) value).length() == 0) {
            st.setNull(index, Types.VARCHAR);
        } else {
            st.setString(index, (String) value);
        }
    }

    public Object deepCopy(Object value) throws HibernateException {
        return value;
    }

    public boolean isMutable() {
        return false;
    }

    public Serializable disassemble(Object value) throws HibernateException {
        return (Serializable) value;
    }

    public Object assemble(Serializable cached, Object owner) throws HibernateException {
        return cached;
    }

    public Object replace(Object original, Object target, Object owner) throws HibernateException {
        return original;
    }
}
