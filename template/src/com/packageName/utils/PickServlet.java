package com.$packageName.utils;

import java.io.IOException;
import java.io.PrintWriter;
@@legacy@@import java.util.Arrays;
@@current@@import java.util.Collections;
import java.util.List;

@@legacy@@import javax.servlet.http.HttpServlet;
@@legacy@@import javax.servlet.http.HttpServletRequest;
@@legacy@@import javax.servlet.http.HttpServletResponse;
@@current@@import jakarta.servlet.http.HttpServlet;
@@current@@import jakarta.servlet.http.HttpServletRequest;
@@current@@import jakarta.servlet.http.HttpServletResponse;

@@legacy@@import org.hibernate.Query;
@@current@@import jakarta.persistence.metamodel.Attribute;
@@current@@import jakarta.persistence.metamodel.EntityType;
@@current@@
import org.hibernate.Session;
@@legacy@@import org.hibernate.metadata.ClassMetadata;
@@current@@import org.hibernate.query.Query;

/**
 * 引用对象很多(超过 200 个)时, 添加、修改和查询页面用输入框代替下拉框, 边输入边从这里取候选:
 * GET pick.json?entity=类名&display=显示属性&term=输入的文字, 返回最多 20 个 [{"key":主键,"text":显示值}].
 * 只回答 web.xml 中 shown 参数列出的业务类, 只给出主键和页面上显示的那个成员(管理员、其他成员、二进制内容一概不答);
 * 输入的文字以绑定参数传给查询; 未登录时由 LoginFilter 拒绝(401).
 */
public class PickServlet extends HttpServlet {
    private static final long serialVersionUID = 1L;

    /*一次最多返回的候选个数*/
    private static final int LIMIT = 20;

    /*可以查询的类 -> 它在页面上显示的成员, 来自 web.xml 的 shown 参数(类名=显示成员, 以逗号分隔)*/
    private final java.util.Map<String, String> shown = new java.util.HashMap<String, String>();

    public void init() {
        String list = getInitParameter("shown");
        for (String pair : (list == null ? "" : list).split(",")) {
            int equals = pair.indexOf('=');
            if (equals > 0) {
                shown.put(pair.substring(0, equals).trim(), pair.substring(equals + 1).trim());
            }
        }
    }

    protected void doGet(HttpServletRequest request, HttpServletResponse response) throws IOException {
        String entity = request.getParameter("entity");
        String display = entity == null ? null : shown.get(entity);
        String asked = request.getParameter("display");
        if (display == null || (asked != null && !asked.equals(display))) {
            response.sendError(HttpServletResponse.SC_BAD_REQUEST);
            return;
        }
        String term = request.getParameter("term");
@@legacy@@        ClassMetadata meta = null;
@@legacy@@        if (entity != null && entity.matches("[A-Za-z_$][A-Za-z0-9_$]*")) {
@@legacy@@            meta = HibernateUtil.getSessionFactory().getClassMetadata("com.$packageName.domain." + entity);
@@current@@        EntityType<?> type = null;
@@current@@        Attribute<?, ?> shown = null;
@@current@@        if (entity != null && entity.matches("[A-Za-z_$][A-Za-z0-9_$]*") && display != null) {
@@current@@            for (EntityType<?> mapped : HibernateUtil.getSessionFactory().getMetamodel().getEntities()) {
@@current@@                if (mapped.getJavaType().getName().equals("com.$packageName.domain." + entity)) {
@@current@@                    type = mapped;
@@current@@                }
@@current@@            }
@@current@@            for (Attribute<?, ?> attribute : type == null ? Collections.<Attribute<?, ?>>emptySet() : type.getAttributes()) {
@@current@@                if (attribute.getName().equals(display) && !attribute.isAssociation() && !attribute.isCollection()) {
@@current@@                    shown = attribute;
@@current@@                }
@@current@@            }
        }
@@legacy@@        if (meta == null || display == null || !Arrays.asList(meta.getPropertyNames()).contains(display)
@@legacy@@                || meta.getPropertyType(display).isAssociationType()) {
@@current@@        if (type == null || shown == null) {
            response.sendError(HttpServletResponse.SC_BAD_REQUEST);
            return;
        }
@@legacy@@        String key = meta.getIdentifierPropertyName();
@@current@@        String key = type.getId(type.getIdType().getJavaType()).getName();
        String like = term == null ? "" : term.replace("!", "!!").replace("%", "!%").replace("_", "!_");
@@legacy@@        List<?> rows;
@@current@@        List<Object[]> rows;
        try {
            Session s = HibernateUtil.getSession();
@@legacy@@            Query q = s.createQuery("select e." + key + ", e." + display + " from " + entity + " e where str(e." + display
@@legacy@@                    + ") like :term escape '!' order by e." + display);
@@legacy@@            q.setString("term", "%" + like + "%");
@@current@@            Query<Object[]> q = s.createQuery("select e." + key + ", e." + display + " from " + entity + " e where str(e." + display
@@current@@                    + ") like :term escape '!' order by e." + display, Object[].class);
@@current@@            q.setParameter("term", "%" + like + "%");
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
@@legacy@@            Object[] row = (Object[]) rows.get(i);
@@current@@            Object[] row = rows.get(i);
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
