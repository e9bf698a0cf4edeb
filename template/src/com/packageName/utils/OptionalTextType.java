package com.$packageName.utils;

import java.io.Serializable;
import java.sql.PreparedStatement;
import java.sql.ResultSet;
import java.sql.SQLException;
import java.sql.Types;

import org.hibernate.HibernateException;
import org.hibernate.usertype.UserType;

/**
 * 可为空的文字列的 Hibernate 类型: 页面上空着的文字保存为 NULL(而不是空文字);
 * 原来为 NULL 的列在页面上显示为空, 没有改动时不会被重写为空文字.
 */
public class OptionalTextType implements UserType {

    public int[] sqlTypes() {
        return new int[] { Types.VARCHAR };
    }

    public Class<?> returnedClass() {
        return String.class;
    }

    /* 空文字与 NULL 相同 */
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
        return rs.getString(names[0]);
    }

    public void nullSafeSet(PreparedStatement st, Object value, int index) throws HibernateException, SQLException {
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
