package javagen.bench;

import java.lang.reflect.Method;
import java.lang.reflect.Proxy;
import java.sql.Connection;
import java.sql.DriverManager;
import java.sql.PreparedStatement;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

import org.hibernate.stat.Statistics;

import com.bench.action.CourseAction;
import com.bench.action.TeacherAction;
import com.bench.utils.ChoiceLimit;
import com.bench.utils.HibernateUtil;

/**
 * SQL statements, rows read and time of the list, add and modify views of a generated application on big
 * tables: 5,000 departments, 5,000 teachers (each in a department), 20,000 courses (each with a teacher and
 * two assistant teachers, a many-to-many member). Calls the generated Actions as Struts does (one
 * ActionContext per request, naming the method it runs) and then counts what the page counts when the
 * Action left a list of choices empty. Rows read are the objects Hibernate loaded.
 *
 *   ViewStatements JDBC_URL USER PASSWORD REPEAT legacy|current before|after
 * "before" runs the views without the action method in the context: the choices are read whole, as
 * before the pages decided by a count.
 */
public final class ViewStatements {

    private static String target;
    private static boolean before;

    public static void main(String[] args) throws Exception {
        String url = args[0];
        int repeat = Integer.parseInt(args[3]);
        target = args[4];
        before = "before".equals(args[5]);
        HibernateUtil.getSessionFactory(); // creates the tables
        fill(url, args[1], args[2]);
        Statistics stats = HibernateUtil.getSessionFactory().getStatistics();
        stats.setStatisticsEnabled(true);
        report("Course list, page 1", stats, repeat, "QueryCourse", "Teacher", () -> {
            CourseAction action = new CourseAction();
            action.setCurrentPage(1);
            action.QueryCourse();
        });
        report("Course list, page 1,000", stats, repeat, "QueryCourse", "Teacher", () -> {
            CourseAction action = new CourseAction();
            action.setCurrentPage(1000);
            action.QueryCourse();
        });
        report("Course add view", stats, repeat, "AddView", "Teacher", () -> new CourseAction().AddView());
        report("Course modify view", stats, repeat, "ModifyCourseQuery", "Teacher", () -> {
            CourseAction action = new CourseAction();
            action.setCourseId(1234);
            action.ModifyCourseQuery();
        });
        report("Teacher list, page 1", stats, repeat, "QueryTeacher", "Department", () -> {
            TeacherAction action = new TeacherAction();
            action.setCurrentPage(1);
            action.QueryTeacher();
        });
        report("Teacher add view", stats, repeat, "AddView", "Department", () -> new TeacherAction().AddView());
        report("Teacher modify view", stats, repeat, "ModifyTeacherQuery", "Department", () -> {
            TeacherAction action = new TeacherAction();
            action.setTeacherId(321);
            action.ModifyTeacherQuery();
        });
        HibernateUtil.getSessionFactory().close();
    }

    interface View {
        void run() throws Exception;
    }

    static void report(String name, Statistics stats, int repeat, String method, String choices, View view)
            throws Exception {
        List<Long> times = new ArrayList<Long>();
        long statements = 0;
        long rows = 0;
        for (int i = 0; i < repeat; i++) {
            Map<String, Object> context = request(method);
            long statementsBefore = stats.getPrepareStatementCount();
            long rowsBefore = stats.getEntityLoadCount() + stats.getCollectionLoadCount();
            long start = System.nanoTime();
            view.run();
            // The page asks the count when the Action left the choices empty.
            for (Object value : context.values()) {
                if (value instanceof List && ((List<?>) value).isEmpty()) {
                    new ChoiceLimit().count(choices);
                    break;
                }
            }
            times.add(System.nanoTime() - start);
            statements = stats.getPrepareStatementCount() - statementsBefore;
            rows = stats.getEntityLoadCount() + stats.getCollectionLoadCount() - rowsBefore;
        }
        times.sort(null);
        System.out.printf("%-26s %4d statements %7d rows  median %8.1f ms%n", name, statements, rows,
                times.get(times.size() / 2) / 1e6);
    }

    /** A fresh ActionContext for the thread, as Struts makes one per request, with the method it runs. */
    static Map<String, Object> request(String method) throws Exception {
        boolean legacy = "legacy".equals(target);
        String xwork = legacy ? "com.opensymphony.xwork2." : "org.apache.struts2.";
        Class<?> contextClass = Class.forName(xwork + "ActionContext");
        Class<?> invocationClass = Class.forName(xwork + "ActionInvocation");
        Class<?> proxyClass = Class.forName(xwork + "ActionProxy");
        Map<String, Object> map = new HashMap<String, Object>();
        Object context;
        if (legacy) {
            context = contextClass.getConstructor(Map.class).newInstance(map);
            contextClass.getMethod("setContext", contextClass).invoke(null, context);
        } else {
            context = contextClass.getMethod("of", Map.class).invoke(null, map);
            contextClass.getMethod("bind").invoke(context);
        }
        if (!before) {
            Object proxy = Proxy.newProxyInstance(proxyClass.getClassLoader(), new Class<?>[] { proxyClass },
                    (p, m, a) -> "getMethod".equals(m.getName()) ? method : null);
            Object invocation = Proxy.newProxyInstance(invocationClass.getClassLoader(), new Class<?>[] { invocationClass },
                    (p, m, a) -> "getProxy".equals(m.getName()) ? proxy : null);
            Method set = legacy ? contextClass.getMethod("setActionInvocation", invocationClass)
                    : contextClass.getMethod("withActionInvocation", invocationClass);
            set.invoke(context, invocation);
        }
        Object contextMap = contextClass.getMethod("getContextMap").invoke(context);
        @SuppressWarnings("unchecked")
        Map<String, Object> values = (Map<String, Object>) contextMap;
        return values;
    }

    static void fill(String url, String user, String password) throws Exception {
        try (Connection c = DriverManager.getConnection(url, user, password)) {
            c.setAutoCommit(false);
            insert(c, "insert into t_Department (deptName) values (?)", 5000, (s, i) -> s.setString(1, "部门" + i));
            insert(c, "insert into t_Teacher (teacherName, deptId) values (?, ?)", 5000, (s, i) -> {
                s.setString(1, "教师" + i);
                s.setInt(2, i % 5000 + 1);
            });
            insert(c, "insert into t_Course (title, teacherId) values (?, ?)", 20000, (s, i) -> {
                s.setString(1, "课程" + i);
                s.setInt(2, i % 5000 + 1);
            });
            insert(c, "insert into t_course_assistant (courseId, teacherId) values (?, ?)", 40000, (s, i) -> {
                s.setInt(1, i / 2 + 1);
                s.setInt(2, (i * 7) % 5000 + 1);
            });
            c.commit();
        }
    }

    interface Row {
        void set(PreparedStatement s, int i) throws Exception;
    }

    static void insert(Connection c, String sql, int rows, Row row) throws Exception {
        try (PreparedStatement s = c.prepareStatement(sql)) {
            for (int i = 0; i < rows; i++) {
                row.set(s, i);
                s.addBatch();
            }
            s.executeBatch();
        }
    }
}
