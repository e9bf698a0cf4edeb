package com.$packageName.utils;

import java.io.Serializable;
import java.sql.PreparedStatement;
import java.sql.ResultSet;
import java.sql.SQLException;
import java.sql.Time;
import java.sql.Timestamp;
import java.sql.Types;
import java.text.SimpleDateFormat;

import org.hibernate.HibernateException;
import org.hibernate.usertype.UserType;

/**
 * 日期型成员的 Hibernate 类型: 数据库中的 DATETIME、TIMESTAMP、DATE、TIME 列
 * 在程序中是 "2024-01-02 03:04:05"、"2024-01-02"、"03:04:05" 这样的文字.
 * JDBC 驱动把 DATETIME 读成文字时会带上小数秒(".0"), 这里按列的类型格式化,
 * 读出的文字与写入的文字相同.
 */
public class DateTextType implements UserType {

    public int[] sqlTypes() {
        return new int[] { Types.VARCHAR };
    }

    public Class<?> returnedClass() {
        return String.class;
    }

    public boolean equals(Object x, Object y) throws HibernateException {
        return x == null ? y == null : x.equals(y);
    }

    public int hashCode(Object x) throws HibernateException {
        return x == null ? 0 : x.hashCode();
    }

    public Object nullSafeGet(ResultSet rs, String[] names, Object owner) throws HibernateException, SQLException {
        Object value = rs.getObject(names[0]);
        if (value == null) {
            return null;
        }
        if (value instanceof Timestamp) {
            return new SimpleDateFormat("yyyy-MM-dd HH:mm:ss").format((Timestamp) value);
        }
        if (value instanceof Time) {
            return new SimpleDateFormat("HH:mm:ss").format((Time) value);
        }
        if (value instanceof java.sql.Date) {
            return new SimpleDateFormat("yyyy-MM-dd").format((java.sql.Date) value);
        }
        return value.toString();
    }

    public void nullSafeSet(PreparedStatement st, Object value, int index) throws HibernateException, SQLException {
        if (value == null) {
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
