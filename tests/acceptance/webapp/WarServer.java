package javagen.acceptance;

import java.io.File;
import java.net.ServerSocket;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;

import org.apache.catalina.connector.Connector;
import org.apache.catalina.startup.Tomcat;
import org.hsqldb.server.Server;

/**
 * Serves a web application's war the way a user's container does: an
 * embedded Tomcat 9 on a free loopback port, with the application at /app.
 * An HSQLDB server in the same JVM publishes the in-memory database "web"
 * (the one the application opens as jdbc:hsqldb:mem:web through the system
 * properties its HibernateUtil honours) so that a checker in another process
 * can read what the application stored, as jdbc:hsqldb:hsql://127.0.0.1:PORT/web.
 *
 *   WarServer WAR WORK_DIR PORT_FILE [external]
 *
 * external: the application uses a database server of its own (MariaDB,
 * started by the test); no HSQLDB is published and DB_PORT is 0.
 *
 * When both are up, writes "HTTP_PORT DB_PORT" to PORT_FILE (atomically).
 * The HSQLDB driver comes from this launcher's class path; the application's
 * class loader finds it there.
 */
public final class WarServer {
    public static void main(String[] args) throws Exception {
        if (args.length != 3 && !(args.length == 4 && args[3].equals("external"))) {
            System.err.println("usage: WarServer WAR WORK_DIR PORT_FILE [external]");
            System.exit(2);
        }
        File webapp = new File(args[0]).getAbsoluteFile();
        File work = new File(args[1]).getAbsoluteFile();
        Path portFile = new File(args[2]).toPath();

        int dbPort = 0;
        Server db = null;
        if (args.length == 3) {
            try (ServerSocket probe = new ServerSocket(0, 1, java.net.InetAddress.getLoopbackAddress())) {
                dbPort = probe.getLocalPort();
            }
            db = new Server();
            db.setAddress("127.0.0.1");
            db.setPort(dbPort);
            db.setDatabaseName(0, "web");
            db.setDatabasePath(0, "mem:web");
            db.setSilent(true);
            db.setTrace(false);
            db.setLogWriter(null);
            db.setNoSystemExit(true);
            db.start();
        }

        Tomcat tomcat = new Tomcat();
        File base = new File(work, "tomcat");
        new File(base, "webapps").mkdirs();
        tomcat.setBaseDir(base.getPath());
        Connector connector = tomcat.getConnector();
        connector.setPort(0);
        connector.setProperty("address", "127.0.0.1");
        tomcat.getHost().setAutoDeploy(false);
        tomcat.addWebapp("/app", webapp.getPath());
        tomcat.start();
        int httpPort = connector.getLocalPort();
        if (httpPort <= 0 || !tomcat.getHost().findChild("/app").getState().isAvailable()) {
            System.err.println("WarServer: the application did not start");
            tomcat.stop();
            if (db != null) {
                db.shutdown();
            }
            System.exit(1);
        }

        Path tmp = portFile.resolveSibling(portFile.getFileName() + ".tmp");
        Files.write(tmp, (httpPort + " " + dbPort + "\n").getBytes(StandardCharsets.US_ASCII));
        Files.move(tmp, portFile, StandardCopyOption.ATOMIC_MOVE);
        System.err.println("WarServer: http " + httpPort + (db == null ? "" : ", hsqldb " + dbPort));
        tomcat.getServer().await();
    }
}
