package com.$packageName.utils;

import java.io.Serializable;

import org.hibernate.EmptyInterceptor;
import org.hibernate.type.Type;

/**
 * 应用的 Hibernate 拦截器(src/hibernate.properties 中的 hibernate.session_factory.interceptor 指定本类):
 * 修改的记录写回之前核对它(RowCheck); 页面读被引用类全部对象的语句按个数限制(ChoiceLimit).
 */
public class AppInterceptor extends EmptyInterceptor {
    private static final long serialVersionUID = 1L;

    /*在 Hibernate 比较各属性之前(映射的 select-before-update 在此之后读出记录, 记录不存在时它只说"已被更新或删除")*/
    public int[] findDirty(Object entity, Serializable id, Object[] currentState, Object[] previousState,
            String[] propertyNames, Type[] types) {
        RowCheck.beforeUpdate(entity, id);
        return null;
    }

    public String onPrepareStatement(String sql) {
        return ChoiceLimit.limited(sql);
    }
}
