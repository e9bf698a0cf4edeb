package com.$packageName.utils;

import java.io.IOException;
import java.io.PrintWriter;
import java.util.Arrays;
import java.util.List;

import javax.servlet.http.HttpServlet;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.HttpServletResponse;

import org.hibernate.Query;
import org.hibernate.Session;
import org.hibernate.metadata.ClassMetadata;

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
        ClassMetadata meta = null;
        if (entity != null && entity.matches("[A-Za-z_$][A-Za-z0-9_$]*")) {
            meta = HibernateUtil.getSessionFactory().getClassMetadata("com.$packageName.domain." + entity);
        }
        if (meta == null || display == null || !Arrays.asList(meta.getPropertyNames()).contains(display)
                || meta.getPropertyType(display).isAssociationType()) {
            response.sendError(HttpServletResponse.SC_BAD_REQUEST);
            return;
        }
        String key = meta.getIdentifierPropertyName();
        String like = term == null ? "" : term.replace("!", "!!").replace("%", "!%").replace("_", "!_");
        List<?> rows;
        try {
            Session s = HibernateUtil.getSession();
            Query q = s.createQuery("select e." + key + ", e." + display + " from " + entity + " e where str(e." + display
                    + ") like :term escape '!' order by e." + display);
            q.setString("term", "%" + like + "%");
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
            Object[] row = (Object[]) rows.get(i);
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
