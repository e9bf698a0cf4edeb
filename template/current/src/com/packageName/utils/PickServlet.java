package com.$packageName.utils;

import java.io.IOException;
import java.io.PrintWriter;
import java.util.Collections;
import java.util.List;

import jakarta.servlet.http.HttpServlet;
import jakarta.servlet.http.HttpServletRequest;
import jakarta.servlet.http.HttpServletResponse;

import jakarta.persistence.metamodel.Attribute;
import jakarta.persistence.metamodel.EntityType;

import org.hibernate.Session;
import org.hibernate.query.Query;

/**
 * 引用对象很多(超过 200 个)时, 添加、修改和查询页面用输入框代替下拉框, 边输入边从这里取候选:
 * GET pick.json?entity=类名&display=显示属性&term=输入的文字, 返回最多 20 个 [{"key":主键,"text":显示值}].
 * 类名和属性名必须是映射中存在的, 输入的文字以绑定参数传给查询; 未登录时由 LoginFilter 拒绝(401).
 */
public class PickServlet extends HttpServlet {
    private static final long serialVersionUID = 1L;

    /*一次最多返回的候选个数*/
    private static final int LIMIT = 20;

    protected void doGet(HttpServletRequest request, HttpServletResponse response) throws IOException {
        String entity = request.getParameter("entity");
        String display = request.getParameter("display");
        String term = request.getParameter("term");
        EntityType<?> type = null;
        Attribute<?, ?> shown = null;
        if (entity != null && entity.matches("[A-Za-z_$][A-Za-z0-9_$]*") && display != null) {
            for (EntityType<?> mapped : HibernateUtil.getSessionFactory().getMetamodel().getEntities()) {
                if (mapped.getJavaType().getName().equals("com.$packageName.domain." + entity)) {
                    type = mapped;
                }
            }
            for (Attribute<?, ?> attribute : type == null ? Collections.<Attribute<?, ?>>emptySet() : type.getAttributes()) {
                if (attribute.getName().equals(display) && !attribute.isAssociation() && !attribute.isCollection()) {
                    shown = attribute;
                }
            }
        }
        if (type == null || shown == null) {
            response.sendError(HttpServletResponse.SC_BAD_REQUEST);
            return;
        }
        String key = type.getId(type.getIdType().getJavaType()).getName();
        String like = term == null ? "" : term.replace("!", "!!").replace("%", "!%").replace("_", "!_");
        List<Object[]> rows;
        try {
            Session s = HibernateUtil.getSession();
            Query<Object[]> q = s.createQuery("select e." + key + ", e." + display + " from " + entity + " e where str(e." + display
                    + ") like :term escape '!' order by e." + display, Object[].class);
            q.setParameter("term", "%" + like + "%");
            q.setMaxResults(LIMIT);
            rows = q.list();
        } finally {
            HibernateUtil.closeSession();
        }
        response.setContentType("application/json; charset=UTF-8");
        response.setHeader("Cache-Control", "no-store");
        PrintWriter out = response.getWriter();
        out.print('[');
        for (int i = 0; i < rows.size(); i++) {
            Object[] row = rows.get(i);
            out.print(i == 0 ? "" : ",");
            out.print("{\"key\":" + json(row[0]) + ",\"text\":" + json(row[1]) + "}");
        }
        out.print(']');
    }

    /*JSON 字符串; < 和 > 也转义, 内容不会被当作 HTML*/
    private static String json(Object value) {
        String text = value == null ? "" : value.toString();
        StringBuilder out = new StringBuilder("\"");
        for (int i = 0; i < text.length(); i++) {
            char c = text.charAt(i);
            if (c == '"' || c == '\\') {
                out.append('\\').append(c);
            } else if (c < 0x20 || c == '<' || c == '>' || c == '&' || c == 0x2028 || c == 0x2029) {
                out.append(String.format("\\u%04x", (int) c));
            } else {
                out.append(c);
            }
        }
        return out.append('"').toString();
    }
}
