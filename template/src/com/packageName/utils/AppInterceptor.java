package com.$packageName.utils;

import java.io.Serializable;

import org.hibernate.EmptyInterceptor;
import org.hibernate.type.CustomType;
import org.hibernate.type.Type;

/**
 * 应用的 Hibernate 拦截器(src/hibernate.properties 中的 hibernate.session_factory.interceptor 指定本类):
 * 修改的记录写回之前核对它(RowCheck); 添加的记录中空着的可选文字和日期留给数据库的默认值;
 * 页面读被引用类全部对象的语句按个数限制(ChoiceLimit).
 */
public class AppInterceptor extends EmptyInterceptor {
    private static final long serialVersionUID = 1L;

    /*在 Hibernate 比较各属性之前(映射的 select-before-update 在此之后读出记录, 记录不存在时它只说"已被更新或删除")*/
    public int[] findDirty(Object entity, Serializable id, Object[] currentState, Object[] previousState,
            String[] propertyNames, Type[] types) {
        RowCheck.beforeUpdate(entity, id);
        return null;
    }

    /*添加的记录: 导入的表中空着的可选文字和日期(以本程序的类型映射)不写入 INSERT(映射的 dynamic-insert), 数据库给它默认值(没有默认值时为 NULL)*/
    public boolean onSave(Object entity, Serializable id, Object[] state, String[] propertyNames, Type[] types) {
        boolean changed = false;
        for (int i = 0; i < state.length; i++) {
            if ("".equals(state[i]) && types[i] instanceof CustomType) {
                state[i] = null;
                changed = true;
            }
        }
        return changed;
    }

    public String onPrepareStatement(String sql) {
        return ChoiceLimit.limited(sql);
    }
}
