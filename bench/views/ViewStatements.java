package javagen.bench;

import java.sql.Connection;
import java.sql.DriverManager;
import java.sql.PreparedStatement;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;

import org.hibernate.stat.Statistics;

import com.opensymphony.xwork2.ActionContext;

import com.bench.action.CourseAction;
import com.bench.action.TeacherAction;
import com.bench.domain.Department;
import com.bench.domain.Teacher;
import com.bench.utils.HibernateUtil;

/**
 * SQL statements and time of the views of a generated application on big tables: 5,000 departments,
 * 5,000 teachers (each in a department), 20,000 courses (each with a teacher). Calls the generated
 * Actions as Struts does (one ActionContext per request) and reads Hibernate's statistics.
 *
 *   ViewStatements JDBC_URL REPEAT
 */
public final class ViewStatements {

    public static void main(String[] args) throws Exception {
        String url = args[0];
        int repeat = Integer.parseInt(args[1]);
        HibernateUtil.getSessionFactory(); // creates the tables
        fill(url);
        Statistics stats = HibernateUtil.getSessionFactory().getStatistics();
        stats.setStatisticsEnabled(true);
        report("Course list (QueryCourse, page 1)", stats, repeat, () -> {
            CourseAction action = new CourseAction();
            action.setCurrentPage(1);
            action.QueryCourse();
        });
        report("Course list (QueryCourse, page 1,000)", stats, repeat, () -> {
            CourseAction action = new CourseAction();
            action.setCurrentPage(1000);
            action.QueryCourse();
        });
        report("Course add view (AddView)", stats, repeat, () -> new CourseAction().AddView());
        report("Teacher add view (AddView)", stats, repeat, () -> new TeacherAction().AddView());
        int[] n = { 0 };
        report("Teacher add (AddTeacher)", stats, repeat, () -> {
            TeacherAction action = new TeacherAction();
            Teacher teacher = new Teacher();
            teacher.setTeacherName("新教师" + (n[0]++));
            Department department = new Department();
            department.setDeptId(7);
            teacher.setDepartment(department);
            action.setTeacher(teacher);
            action.AddTeacher();
        });
        System.out.println("department rows written by the adds: " + stats.getEntityUpdateCount());
        HibernateUtil.getSessionFactory().close();
    }

    interface View {
        void run() throws Exception;
    }

    static void report(String name, Statistics stats, int repeat, View view) throws Exception {
        List<Long> times = new ArrayList<Long>();
        long statements = 0;
        for (int i = 0; i < repeat; i++) {
            ActionContext.setContext(new ActionContext(new HashMap<String, Object>()));
            long before = stats.getPrepareStatementCount();
            long start = System.nanoTime();
            view.run();
            times.add(System.nanoTime() - start);
            statements = stats.getPrepareStatementCount() - before;
        }
        times.sort(null);
        System.out.printf("%-40s %6d statements  median %8.1f ms%n", name, statements, times.get(times.size() / 2) / 1e6);
    }

    static void fill(String url) throws Exception {
        try (Connection c = DriverManager.getConnection(url, "SA", "")) {
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
