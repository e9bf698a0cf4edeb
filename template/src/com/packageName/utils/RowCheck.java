package com.$packageName.utils;

import java.io.Serializable;
import java.nio.charset.StandardCharsets;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.Arrays;

import javax.servlet.http.HttpServletRequest;

import org.apache.struts2.ServletActionContext;
import org.hibernate.EntityMode;
import org.hibernate.HibernateException;
import org.hibernate.LockOptions;
import org.hibernate.Session;
import org.hibernate.SessionFactory;
import org.hibernate.StaleStateException;
import org.hibernate.metadata.ClassMetadata;
import org.hibernate.proxy.HibernateProxy;
import org.hibernate.type.ComponentType;
import org.hibernate.type.Type;

import com.opensymphony.xwork2.ActionContext;

/**
 * 修改时不覆盖别人的修改, 也不把别人删掉的记录重新写回:
 * 修改页面在隐藏字段 _loaded 中带着打开页面时这条记录的摘要(类名:各列值的 SHA-256);
 * 保存时(AppInterceptor)在同一个事务中锁住(select ... for update)并重新读出这条记录, 摘要不同或记录已不存在就拒绝,
 * 什么也不写. 两个人同时保存同一条记录时, 后一个等前一个提交后读到新的值, 同样被拒绝.
 * 拒绝的原因放在请求属性 _rowRefusal 中(gone: 已被删除; changed: 已被别人修改), 表单据此说明;
 * 记录现在的摘要放在 _rowNow 中: 用户核对后再次保存, 才会覆盖别人的修改.
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

    /*对象各映射属性值的摘要, 前面加上类名; 集合不算, 引用的对象按主键算*/
    public static String of(Object entity) {
        if (entity == null) {
            return "";
        }
        SessionFactory factory = HibernateUtil.getSessionFactory();
        ClassMetadata meta = factory.getClassMetadata(classOf(entity));
        if (meta == null) {
            return "";
        }
        StringBuilder text = new StringBuilder();
        append(text, factory, meta.getIdentifier(entity, EntityMode.POJO), meta.getIdentifierType());
        Object[] values = meta.getPropertyValues(entity, EntityMode.POJO);
        Type[] types = meta.getPropertyTypes();
        for (int i = 0; i < values.length; i++) {
            if (!types[i].isCollectionType()) {
                append(text, factory, values[i], types[i]);
            }
        }
        return classOf(entity).getSimpleName() + ":" + sha256(text.toString());
    }

    /*修改的记录写回之前(AppInterceptor): 请求带着这个类的摘要时, 在同一个连接和事务中锁住并重新读出这条记录,
      已被删除或已被别人修改就拒绝*/
    public static void beforeUpdate(Object entity, Serializable id) {
        if (!expected(entity.getClass())) {
            return;
        }
        Session fresh = HibernateUtil.getSessionFactory().openSession(HibernateUtil.getSession().connection());
        try {
            Object now;
            try {
                now = fresh.get(entity.getClass(), keyOf(entity, id), LockOptions.UPGRADE);
            } catch (StaleStateException e) {
                /*加锁读取时记录已不存在*/
                now = null;
            }
            if (now == null) {
                throw refused("gone", null, "记录不存在, 可能已被删除");
            }
            if (!unchanged(now)) {
                throw refused("changed", now, "记录已被其他用户修改");
            }
        } finally {
            fresh.close();
        }
    }

    /*主键; 复合主键的键对象就是对象本身, Hibernate 会把读出的记录装进给它的键对象, 所以另做一个*/
    private static Serializable keyOf(Object entity, Serializable id) {
        if (id == null || id.getClass() != entity.getClass()) {
            return id;
        }
        ClassMetadata meta = HibernateUtil.getSessionFactory().getClassMetadata(entity.getClass());
        ComponentType key = (ComponentType) meta.getIdentifierType();
        Object copy = meta.instantiate(null, EntityMode.POJO);
        key.setPropertyValues(copy, key.getPropertyValues(id, EntityMode.POJO), EntityMode.POJO);
        return (Serializable) copy;
    }

    /*保存前读出的记录(已锁住)是否就是表单打开时的样子; 请求没有带摘要或带的是别的类的摘要时不核对*/
    public static boolean unchanged(Object now) {
        HttpServletRequest request = request();
        String loaded = request == null ? null : request.getParameter(PARAMETER);
        if (loaded == null || now == null || !loaded.startsWith(classOf(now).getSimpleName() + ":")) {
            return true;
        }
        return MessageDigest.isEqual(loaded.getBytes(StandardCharsets.UTF_8), of(now).getBytes(StandardCharsets.UTF_8));
    }

    /*这个请求是否带着某个类的摘要(修改表单提交的)*/
    private static boolean expected(Class<?> type) {
        HttpServletRequest request = request();
        String loaded = request == null ? null : request.getParameter(PARAMETER);
        return loaded != null && loaded.startsWith(type.getSimpleName() + ":");
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

    private static Class<?> classOf(Object entity) {
        return entity instanceof HibernateProxy
                ? ((HibernateProxy) entity).getHibernateLazyInitializer().getPersistentClass()
                : entity.getClass();
    }

    /*一个值的文字: 引用的对象取主键(不加载它), 复合值逐个成员, 二进制内容取长度和散列*/
    private static void append(StringBuilder text, SessionFactory factory, Object value, Type type) {
        if (value == null) {
            text.append('\u0001');
        } else if (type.isEntityType()) {
            ClassMetadata meta = factory.getClassMetadata(classOf(value));
            Object key = value instanceof HibernateProxy
                    ? ((HibernateProxy) value).getHibernateLazyInitializer().getIdentifier()
                    : meta.getIdentifier(value, EntityMode.POJO);
            append(text, factory, key, meta.getIdentifierType());
            return;
        } else if (type.isComponentType()) {
            ComponentType component = (ComponentType) type;
            Object[] values = component.getPropertyValues(value, EntityMode.POJO);
            Type[] types = component.getSubtypes();
            for (int i = 0; i < values.length; i++) {
                append(text, factory, values[i], types[i]);
            }
            return;
        } else if (value instanceof byte[]) {
            text.append(((byte[]) value).length).append('#').append(Arrays.hashCode((byte[]) value));
        } else {
            text.append(value.toString());
        }
        text.append('\u0000');
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
