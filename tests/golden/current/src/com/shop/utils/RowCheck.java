package com.shop.utils;

import java.lang.reflect.Field;
import java.lang.reflect.Member;
import java.lang.reflect.Method;
import java.nio.charset.StandardCharsets;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;

import jakarta.persistence.metamodel.Attribute;
import jakarta.persistence.metamodel.EntityType;
import jakarta.persistence.metamodel.SingularAttribute;
import jakarta.servlet.http.HttpServletRequest;

import org.apache.struts2.ActionContext;
import org.apache.struts2.ServletActionContext;
import org.hibernate.Hibernate;
import org.hibernate.HibernateException;
import org.hibernate.SessionFactory;

/**
 * 修改时不覆盖别人的修改, 也不把别人删掉的记录重新写回:
 * 修改页面在隐藏字段 _loaded 中带着打开页面时这条记录的摘要(类名:各列值的 SHA-256);
 * 保存时(DAO 的 Update 方法)在同一个事务中锁住(select ... for update)并重新读出这条记录,
 * 摘要不同或记录已不存在就拒绝, 什么也不写. 两个人同时保存同一条记录时, 后一个等前一个提交后
 * 读到新的值, 同样被拒绝. 拒绝的原因放在请求属性 _rowRefusal 中(gone: 已被删除; changed: 已被
 * 别人修改), 表单据此说明; 记录现在的摘要放在 _rowNow 中: 用户核对后再次保存, 才会覆盖别人的修改.
 */
public final class RowCheck {

    /*修改表单中带着摘要的隐藏字段*/
    public static final String PARAMETER = "_loaded";

    /*请求属性: 拒绝的原因(gone / changed)*/
    public static final String REFUSAL = "_rowRefusal";

    /*请求属性: 记录现在的摘要*/
    public static final String NOW = "_rowNow";

    private RowCheck() {
    }

    /*对象各映射属性值的摘要, 前面加上类名; 集合和二进制内容不算, 引用的对象按主键算*/
    public static String of(Object entity) {
        if (entity == null) {
            return "";
        }
        SessionFactory factory = HibernateUtil.getSessionFactory();
        Class<?> type = Hibernate.getClass(entity);
        StringBuilder text = new StringBuilder();
        for (Attribute<?, ?> attribute : attributes(factory.getMetamodel().entity(type), false)) {
            append(text, factory, valueOf(entity, attribute));
        }
        return type.getSimpleName() + ":" + sha256(text.toString());
    }

    /*保存前读出的记录(已锁住)是否就是表单打开时的样子; 请求没有带摘要或带的是别的类的摘要时不核对*/
    public static boolean unchanged(Object now) {
        HttpServletRequest request = request();
        String loaded = request == null ? null : request.getParameter(PARAMETER);
        if (loaded == null || now == null || !loaded.startsWith(Hibernate.getClass(now).getSimpleName() + ":")) {
            return true;
        }
        return MessageDigest.isEqual(loaded.getBytes(StandardCharsets.UTF_8), of(now).getBytes(StandardCharsets.UTF_8));
    }

    /*拒绝保存: 记下原因(和记录现在的摘要), 返回要抛出的异常, 事务因此回滚*/
    public static HibernateException refused(String reason, Object now, String text) {
        HttpServletRequest request = request();
        if (request != null) {
            request.setAttribute(REFUSAL, reason);
            if (now != null) {
                request.setAttribute(NOW, of(now));
            }
        }
        return new HibernateException(text);
    }

    private static HttpServletRequest request() {
        return ActionContext.getContext() == null ? null : ServletActionContext.getRequest();
    }

    /*一个类的属性(按名称排序): 集合除外; keysOnly 时只要主键成员*/
    private static List<Attribute<?, ?>> attributes(EntityType<?> entity, boolean keysOnly) {
        List<Attribute<?, ?>> list = new ArrayList<Attribute<?, ?>>();
        for (Attribute<?, ?> attribute : entity.getAttributes()) {
            boolean key = attribute instanceof SingularAttribute && ((SingularAttribute<?, ?>) attribute).isId();
            if (!attribute.isCollection() && (key || !keysOnly)) {
                list.add(attribute);
            }
        }
        list.sort(Comparator.comparing(Attribute::getName));
        return list;
    }

    private static Object valueOf(Object entity, Attribute<?, ?> attribute) {
        Member member = attribute.getJavaMember();
        try {
            if (member instanceof Field) {
                Field field = (Field) member;
                field.setAccessible(true);
                return field.get(entity);
            }
            return ((Method) member).invoke(entity);
        } catch (ReflectiveOperationException e) {
            throw new HibernateException("读取 " + attribute.getName() + " 失败", e);
        }
    }

    /*一个值的文字: 引用的对象取主键(不加载它), 二进制内容不算(读出对象时只取了第一个字节)*/
    private static void append(StringBuilder text, SessionFactory factory, Object value) {
        if (value == null) {
            text.append('\u0001');
        } else if (value instanceof byte[]) {
            text.append('\u0002');
        } else if (isEntity(factory, value)) {
            Object key = factory.getPersistenceUnitUtil().getIdentifier(value);
            if (key != null && isEntity(factory, key)) {
                /*复合主键: 键对象是同一个类的对象, 取它的主键成员*/
                for (Attribute<?, ?> attribute : attributes(factory.getMetamodel().entity(Hibernate.getClass(key)), true)) {
                    append(text, factory, valueOf(key, attribute));
                }
            } else {
                append(text, factory, key);
            }
            return;
        } else {
            text.append(value.toString());
        }
        text.append('\u0000');
    }

    private static boolean isEntity(SessionFactory factory, Object value) {
        try {
            factory.getMetamodel().entity(Hibernate.getClass(value));
            return true;
        } catch (IllegalArgumentException e) {
            return false;
        }
    }

    private static String sha256(String text) {
        try {
            byte[] digest = MessageDigest.getInstance("SHA-256").digest(text.getBytes(StandardCharsets.UTF_8));
            StringBuilder hex = new StringBuilder();
            for (byte b : digest) {
                hex.append(String.format("%02x", b & 0xff));
            }
            return hex.toString();
        } catch (NoSuchAlgorithmException e) {
            throw new IllegalStateException(e);
        }
    }
}
