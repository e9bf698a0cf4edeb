package javagen.acceptance;

import java.io.File;
import java.io.IOException;
import java.io.InputStream;
import java.io.PrintWriter;
import java.lang.reflect.Method;
import java.math.BigDecimal;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.Properties;

import javax.servlet.DispatcherType;
import javax.servlet.Filter;
import javax.servlet.ServletException;
import javax.servlet.http.HttpServlet;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.HttpServletRequestWrapper;
import javax.servlet.http.HttpServletResponse;
import javax.servlet.http.HttpSession;
import javax.xml.parsers.DocumentBuilderFactory;

import org.apache.tomcat.InstanceManager;
import org.apache.tomcat.SimpleInstanceManager;
import org.apache.tomcat.util.scan.StandardJarScanner;
import org.eclipse.jetty.apache.jsp.JettyJasperInitializer;
import org.eclipse.jetty.jsp.JettyJspServlet;
import org.eclipse.jetty.server.Server;
import org.eclipse.jetty.server.ServerConnector;
import org.eclipse.jetty.servlet.DefaultServlet;
import org.eclipse.jetty.servlet.FilterHolder;
import org.eclipse.jetty.servlet.ServletContextHandler;
import org.eclipse.jetty.servlet.ServletHolder;
import org.eclipse.jetty.util.component.AbstractLifeCycle;
import org.w3c.dom.Document;
import org.w3c.dom.Element;
import org.w3c.dom.NodeList;

import com.opensymphony.xwork2.ActionContext;
import com.opensymphony.xwork2.ActionSupport;

/**
 * Serves a generated web application on Jetty 9 with its JSP engine and
 * JSTL, the pages and filters as generated, and a small dispatcher that
 * stands in for Struts 2 (whose jars Debian does not ship): it reads the
 * generated struts.xml, binds request parameters to the Action's properties
 * (refusing a parameter no property takes, so that a form naming a field
 * wrongly is caught), checks the required fields its validation files name,
 * runs the Action method, and forwards to the result's page with the
 * action-context values and the Action's properties readable as request
 * attributes, as Struts' request wrapper makes them.
 *
 *   PageServer WEBROOT PACKAGE PORTFILE
 *
 * The model's DAO layer runs on the database the -Dhibernate.* properties
 * name; an administrator admin / 123456 is added first.
 */
public final class PageServer {

    /** One action entry of struts.xml. */
    static final class ActionConfig {
        String namespace;
        String prefix; // the name before "*"
        String className;
        final Map<String, String> results = new HashMap<String, String>();
    }

    static final class Dispatcher extends HttpServlet {
        private static final long serialVersionUID = 1L;
        private final List<ActionConfig> actions = new ArrayList<ActionConfig>();
        private final Map<String, String> globalResults = new HashMap<String, String>();

        Dispatcher() throws Exception {
            InputStream in = PageServer.class.getClassLoader().getResourceAsStream("struts.xml");
            DocumentBuilderFactory factory = DocumentBuilderFactory.newInstance();
            factory.setValidating(false);
            factory.setFeature("http://apache.org/xml/features/nonvalidating/load-external-dtd", false);
            Document doc = factory.newDocumentBuilder().parse(in);
            NodeList packages = doc.getElementsByTagName("package");
            for (int i = 0; i < packages.getLength(); i++) {
                Element pkg = (Element) packages.item(i);
                NodeList globals = pkg.getElementsByTagName("global-results");
                for (int g = 0; g < globals.getLength(); g++) {
                    NodeList results = ((Element) globals.item(g)).getElementsByTagName("result");
                    for (int r = 0; r < results.getLength(); r++) {
                        Element result = (Element) results.item(r);
                        globalResults.put(result.getAttribute("name"), result.getTextContent().trim());
                    }
                }
                NodeList entries = pkg.getElementsByTagName("action");
                for (int a = 0; a < entries.getLength(); a++) {
                    Element entry = (Element) entries.item(a);
                    ActionConfig config = new ActionConfig();
                    config.namespace = pkg.getAttribute("namespace");
                    config.prefix = entry.getAttribute("name").replace("*", "");
                    config.className = entry.getAttribute("class");
                    NodeList results = entry.getElementsByTagName("result");
                    for (int r = 0; r < results.getLength(); r++) {
                        Element result = (Element) results.item(r);
                        config.results.put(result.getAttribute("name"), result.getTextContent().trim());
                    }
                    actions.add(config);
                }
            }
        }

        @Override
        protected void service(HttpServletRequest request, HttpServletResponse response)
                throws ServletException, IOException {
            String path = request.getServletPath();
            int slash = path.lastIndexOf('/');
            String namespace = slash == 0 ? "/" : path.substring(0, slash);
            String name = path.substring(slash + 1, path.length() - ".action".length());
            ActionConfig config = null;
            for (ActionConfig candidate : actions) {
                if (candidate.namespace.equals(namespace) && name.startsWith(candidate.prefix)) {
                    config = candidate;
                }
            }
            if (config == null) {
                response.sendError(404, "struts.xml has no action " + path);
                return;
            }
            try {
                run(config, name, request, response);
            } catch (UnboundParameter e) {
                response.sendError(400, "unbound parameter: " + e.getMessage());
            } catch (Exception e) {
                throw new ServletException(e);
            }
        }

        private void run(ActionConfig config, String name, HttpServletRequest request, HttpServletResponse response)
                throws Exception {
            Object action = Class.forName(config.className).getDeclaredConstructor().newInstance();
            ActionContext context = new ActionContext();
            HttpSession httpSession = request.getSession(true);
            Map<String, Object> session = new HashMap<String, Object>();
            for (Enumeration<String> e = httpSession.getAttributeNames(); e.hasMoreElements();) {
                String key = e.nextElement();
                session.put(key, httpSession.getAttribute(key));
            }
            context.setSession(session);
            ActionContext.setContext(context);
            String result;
            try {
                Properties messages = new Properties();
                InputStream text = action.getClass().getResourceAsStream(action.getClass().getSimpleName() + ".properties");
                if (text != null) {
                    messages.load(text);
                }
                for (Map.Entry<String, String[]> param : request.getParameterMap().entrySet()) {
                    bind((ActionSupport) action, param.getKey(), param.getValue()[0], messages);
                }
                validate((ActionSupport) action, name);
                if (((ActionSupport) action).hasFieldErrors()) {
                    result = "input";
                } else {
                    result = (String) action.getClass().getMethod(name.substring(config.prefix.length())).invoke(action);
                }
            } finally {
                ActionContext.setContext(null);
            }
            for (String key : Collections.list(httpSession.getAttributeNames())) {
                if (!session.containsKey(key)) {
                    httpSession.removeAttribute(key);
                }
            }
            for (Map.Entry<String, Object> entry : session.entrySet()) {
                httpSession.setAttribute(entry.getKey(), entry.getValue());
            }
            String page = config.results.containsKey(result) ? config.results.get(result) : globalResults.get(result);
            if (page == null) {
                response.sendError(500, "struts.xml has no result " + result + " for " + name);
                return;
            }
            request.getRequestDispatcher(page).forward(new StrutsLikeRequest(request, context, action), response);
        }

        /** Sets a property path like book.bookType.bookTypeId, making the objects on the way. */
        private void bind(ActionSupport action, String path, String value, Properties messages) throws Exception {
            String[] parts = path.split("\\.");
            Object target = action;
            for (int i = 0; i < parts.length - 1; i++) {
                Method getter = getter(target.getClass(), parts[i]);
                Method setter = setter(target.getClass(), parts[i]);
                if (getter == null || setter == null) {
                    throw new UnboundParameter(path);
                }
                Object next = getter.invoke(target);
                if (next == null) {
                    next = setter.getParameterTypes()[0].getDeclaredConstructor().newInstance();
                    setter.invoke(target, next);
                }
                target = next;
            }
            Method setter = setter(target.getClass(), parts[parts.length - 1]);
            if (setter == null) {
                throw new UnboundParameter(path);
            }
            Class<?> type = setter.getParameterTypes()[0];
            try {
                setter.invoke(target, convert(type, value));
            } catch (NumberFormatException e) {
                String message = messages.getProperty("invalid.fieldvalue." + path);
                action.addFieldError(path, message != null ? message : "Invalid field value for field \"" + path + "\".");
            }
        }

        private static Object convert(Class<?> type, String value) {
            if (type == String.class) {
                return value;
            }
            if (value.trim().isEmpty() && !type.isPrimitive()) {
                return null;
            }
            if (type == int.class || type == Integer.class) {
                return Integer.valueOf(value.trim());
            }
            if (type == long.class || type == Long.class) {
                return Long.valueOf(value.trim());
            }
            if (type == float.class || type == Float.class) {
                return Float.valueOf(value.trim());
            }
            if (type == BigDecimal.class) {
                return new BigDecimal(value.trim());
            }
            throw new NumberFormatException("no conversion to " + type);
        }

        /** The requiredstring fields of the Action's validation file for this action name. */
        private void validate(ActionSupport action, String name) throws Exception {
            String file = action.getClass().getSimpleName() + "-" + name + "-validation.xml";
            InputStream in = action.getClass().getResourceAsStream(file);
            if (in == null) {
                return;
            }
            DocumentBuilderFactory factory = DocumentBuilderFactory.newInstance();
            factory.setFeature("http://apache.org/xml/features/nonvalidating/load-external-dtd", false);
            Document doc = factory.newDocumentBuilder().parse(in);
            NodeList fields = doc.getElementsByTagName("field");
            for (int i = 0; i < fields.getLength(); i++) {
                Element field = (Element) fields.item(i);
                String path = field.getAttribute("name");
                Object value = read(action, path);
                String message = ((Element) field.getElementsByTagName("message").item(0)).getTextContent();
                if (value == null || value.toString().trim().isEmpty()) {
                    action.addFieldError(path, message);
                }
            }
        }
    }

    static final class UnboundParameter extends Exception {
        private static final long serialVersionUID = 1L;

        UnboundParameter(String path) {
            super(path);
        }
    }

    static Method getter(Class<?> type, String property) {
        String suffix = Character.toUpperCase(property.charAt(0)) + property.substring(1);
        try {
            return type.getMethod("get" + suffix);
        } catch (NoSuchMethodException e) {
            return null;
        }
    }

    static Method setter(Class<?> type, String property) {
        String name = "set" + Character.toUpperCase(property.charAt(0)) + property.substring(1);
        for (Method method : type.getMethods()) {
            if (method.getName().equals(name) && method.getParameterTypes().length == 1) {
                return method;
            }
        }
        return null;
    }

    /** A property path read from an object; null where the path ends. */
    static Object read(Object target, String path) throws Exception {
        for (String part : path.split("\\.")) {
            if (target == null) {
                return null;
            }
            Method getter = getter(target.getClass(), part);
            if (getter == null) {
                return null;
            }
            target = getter.invoke(target);
        }
        return target;
    }

    /** Request attributes fall back to the action context, then the Action's properties. */
    static final class StrutsLikeRequest extends HttpServletRequestWrapper {
        private final ActionContext context;
        private final Object action;

        StrutsLikeRequest(HttpServletRequest request, ActionContext context, Object action) {
            super(request);
            this.context = context;
            this.action = action;
        }

        @Override
        public Object getAttribute(String name) {
            Object value = super.getAttribute(name);
            if (value == null) {
                value = context.get(name);
            }
            if (value == null && !name.startsWith("javax.") && !name.startsWith("org.")) {
                try {
                    value = read(action, name);
                } catch (Exception e) {
                    value = null;
                }
            }
            return value;
        }
    }

    /** Starts the JSP engine in a plain servlet context (as Jetty's embedded examples do). */
    static final class JspStarter extends AbstractLifeCycle
            implements ServletContextHandler.ServletContainerInitializerCaller {
        private final JettyJasperInitializer initializer = new JettyJasperInitializer();
        private final ServletContextHandler context;

        JspStarter(ServletContextHandler context) {
            this.context = context;
            context.setAttribute("org.apache.tomcat.JarScanner", new StandardJarScanner());
        }

        @Override
        protected void doStart() throws Exception {
            ClassLoader old = Thread.currentThread().getContextClassLoader();
            Thread.currentThread().setContextClassLoader(context.getClassLoader());
            try {
                initializer.onStartup(null, context.getServletContext());
                super.doStart();
            } finally {
                Thread.currentThread().setContextClassLoader(old);
            }
        }
    }

    public static void main(String[] args) throws Exception {
        String webRoot = args[0];
        String packageName = args[1];
        Class<?> adminDao = Class.forName("com." + packageName + ".dao.AdminDAO");
        Class<?> admin = Class.forName("com." + packageName + ".domain.Admin");
        adminDao.getMethod("AddAdmin", admin).invoke(adminDao.getDeclaredConstructor().newInstance(),
            admin.getConstructor(String.class, String.class).newInstance("admin", "123456"));

        Server server = new Server(0);
        ServletContextHandler context = new ServletContextHandler(ServletContextHandler.SESSIONS);
        context.setContextPath("/app");
        context.setResourceBase(new File(webRoot).getAbsolutePath());
        context.setWelcomeFiles(new String[] { "login.jsp" });
        context.setClassLoader(new URLClassLoader(new URL[0], PageServer.class.getClassLoader()));
        context.setAttribute(InstanceManager.class.getName(), new SimpleInstanceManager());
        context.addBean(new JspStarter(context), true);
        // The generated filters, in web.xml's order; Struts' own is this dispatcher.
        for (String filter : new String[] { "EncodingFilter", "LoginFilter" }) {
            Class<?> type = Class.forName("com." + packageName + ".utils." + filter);
            context.addFilter(new FilterHolder((Filter) type.getDeclaredConstructor().newInstance()), "/*",
                java.util.EnumSet.of(DispatcherType.REQUEST));
        }
        ServletHolder jsp = new ServletHolder("jsp", JettyJspServlet.class);
        jsp.setInitOrder(0);
        jsp.setInitParameter("compilerTargetVM", "1.8");
        jsp.setInitParameter("compilerSourceVM", "1.8");
        context.addServlet(jsp, "*.jsp");
        context.addServlet(new ServletHolder(new Dispatcher()), "*.action");
        context.addServlet(new ServletHolder("default", DefaultServlet.class), "/");
        server.setHandler(context);
        server.start();
        int port = ((ServerConnector) server.getConnectors()[0]).getLocalPort();
        try (PrintWriter out = new PrintWriter(args[2], "UTF-8")) {
            out.println(port);
        }
        Files.write(new File(args[2] + ".ready").toPath(), "ok".getBytes(StandardCharsets.UTF_8));
        server.join();
    }
}
