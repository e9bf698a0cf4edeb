package javagen.acceptance;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.stream.Collectors;
import java.util.stream.Stream;

import javax.xml.parsers.DocumentBuilder;
import javax.xml.parsers.DocumentBuilderFactory;

import org.apache.jasper.JspC;

/**
 * Checks a generated project whose model texts are hostile: every XML file
 * is well-formed, every page translates and compiles on the real JSP engine
 * (Jasper), and no page evaluates an expression that came from the model:
 * the only expressions Jasper finds are those the generator writes itself.
 *
 *   HostileTree PROJECT_DIR WORK_DIR CLASS_PATH
 *
 * Exit status 0 when all holds; 1 with one line per fault otherwise.
 */
public final class HostileTree {
    /** Fragments of the hostile texts that must never reach an evaluation. */
    private static final String[] MARKERS = {"7*6", "getClass", "getSession", "user.home", "remoteAddr", "#application"};

    public static void main(String[] args) throws Exception {
        Path project = Paths.get(args[0]);
        Path work = Paths.get(args[1]);
        List<String> faults = new ArrayList<>();
        wellFormed(project, faults);
        pages(project.resolve("WebRoot"), work.resolve("jsp"), args[2], faults);
        for (String fault : faults)
            System.out.println("FAIL " + fault);
        System.out.println(faults.isEmpty() ? "hostile tree: all checks passed" : faults.size() + " faults");
        System.exit(faults.isEmpty() ? 0 : 1);
    }

    private static List<Path> files(Path root, String suffix) throws IOException {
        try (Stream<Path> walk = Files.walk(root)) {
            return walk.filter(p -> p.toString().endsWith(suffix)).sorted().collect(Collectors.toList());
        }
    }

    private static void wellFormed(Path project, List<String> faults) throws Exception {
        DocumentBuilderFactory factory = DocumentBuilderFactory.newInstance();
        factory.setValidating(false);
        factory.setFeature("http://apache.org/xml/features/nonvalidating/load-external-dtd", false);
        for (Path xml : files(project, ".xml")) {
            DocumentBuilder builder = factory.newDocumentBuilder();
            builder.setErrorHandler(null);
            try {
                builder.parse(xml.toFile());
            } catch (Exception e) {
                faults.add(project.relativize(xml) + " is not well-formed: " + e.getMessage());
            }
        }
    }

    private static void pages(Path webRoot, Path out, String classPath, List<String> faults) throws Exception {
        JspC jspc = new JspC();
        jspc.setUriroot(webRoot.toString());
        jspc.setOutputDir(out.toString());
        jspc.setClassPath(classPath);
        jspc.setCompile(true);
        jspc.setFailOnError(false);
        jspc.setJavaEncoding("UTF-8");
        // The Java level of the target: 8 for the legacy one, 17 for the current.
        String vm = System.getProperty("javagen.jsp.vm", "8").equals("8") ? "1.8" : System.getProperty("javagen.jsp.vm");
        jspc.setCompilerSourceVM(vm);
        jspc.setCompilerTargetVM(vm);
        try {
            jspc.execute();
        } catch (Exception e) {
            faults.add("Jasper: " + e.getMessage());
        }
        List<Path> servlets = Files.exists(out) ? files(out, "_jsp.java") : new ArrayList<Path>();
        List<Path> classes = Files.exists(out) ? files(out, "_jsp.class") : new ArrayList<Path>();
        List<Path> jsps = files(webRoot, ".jsp");
        if (classes.size() != jsps.size())
            faults.add(jsps.size() + " pages, " + classes.size() + " compiled by Jasper");
        for (Path servlet : servlets) {
            for (String line : Files.readAllLines(servlet, StandardCharsets.UTF_8)) {
                if (!line.contains("proprietaryEvaluate") && !line.contains("createValueExpression")
                        && !line.contains("createMethodExpression"))
                    continue;
                for (String marker : MARKERS)
                    if (line.contains(marker))
                        faults.add(out.relativize(servlet) + " evaluates model text: " + line.trim());
            }
        }
    }
}
