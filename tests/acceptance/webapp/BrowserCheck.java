package javagen.acceptance;

import java.net.URI;
import java.net.http.HttpClient;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;

/**
 * Uses the generated pages of the library model (BookType, Book referring
 * to it) in headless Chromium, through ChromeDriver, as a user would: signs
 * in, adds, lists, pages, searches, modifies and deletes, and checks that
 * forms submit to the action names struts.xml has, bind to the Actions'
 * properties (PageServer refuses any other parameter), that paging links
 * keep the query values and that bad requests are refused.
 *
 *   BrowserCheck APP_URL CHROMEDRIVER_URL
 *
 * Prints a line per failed check and "N passed, M failed"; exits 1 on a failure.
 */
public final class BrowserCheck {

    private final HttpClient http = HttpClient.newHttpClient();
    private final String app;
    private final String driver;
    private String session;
    private int passed;
    private int failed;

    private BrowserCheck(String app, String driver) {
        this.app = app;
        this.driver = driver;
    }

    private void check(boolean ok, String what) {
        if (ok) {
            passed++;
        } else {
            failed++;
            System.out.println("FAILED: " + what);
        }
    }

    // ---- a small WebDriver client ------------------------------------------

    private static String quote(String text) {
        StringBuilder out = new StringBuilder("\"");
        for (char c : text.toCharArray()) {
            if (c == '"' || c == '\\') {
                out.append('\\').append(c);
            } else if (c < 0x20) {
                out.append(String.format("\\u%04x", (int) c));
            } else {
                out.append(c);
            }
        }
        return out.append('"').toString();
    }

    /** The JSON string (or the raw text of another value) after "value":. */
    private static String value(String json) {
        int at = json.indexOf("\"value\":");
        if (at < 0) {
            return json;
        }
        int i = at + 8;
        while (Character.isWhitespace(json.charAt(i))) {
            i++;
        }
        if (json.charAt(i) != '"') {
            int end = i;
            while (end < json.length() && ",}".indexOf(json.charAt(end)) < 0) {
                end++;
            }
            return json.substring(i, end);
        }
        StringBuilder out = new StringBuilder();
        for (i++; json.charAt(i) != '"'; i++) {
            char c = json.charAt(i);
            if (c == '\\') {
                char e = json.charAt(++i);
                if (e == 'u') {
                    out.append((char) Integer.parseInt(json.substring(i + 1, i + 5), 16));
                    i += 4;
                } else {
                    out.append(e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e);
                }
            } else {
                out.append(c);
            }
        }
        return out.toString();
    }

    private String post(String path, String body) throws Exception {
        HttpRequest request = HttpRequest.newBuilder(URI.create(driver + path))
            .header("Content-Type", "application/json").POST(HttpRequest.BodyPublishers.ofString(body)).build();
        return http.send(request, HttpResponse.BodyHandlers.ofString()).body();
    }

    private void start() throws Exception {
        String body = "{\"capabilities\":{\"alwaysMatch\":{\"goog:chromeOptions\":{\"binary\":\"/usr/bin/chromium\","
            + "\"args\":[\"--headless\",\"--no-sandbox\",\"--disable-gpu\",\"--disable-quic\",\"--no-first-run\","
            + "\"--disable-background-networking\",\"--disable-component-update\",\"--disable-sync\","
            + "\"--disable-dev-shm-usage\"]}}}}";
        String reply = post("/session", body);
        int at = reply.indexOf("\"sessionId\":\"");
        if (at < 0) {
            throw new IllegalStateException("no browser session: " + reply);
        }
        session = reply.substring(at + 13, reply.indexOf('"', at + 13));
    }

    private void go(String path) throws Exception {
        post("/session/" + session + "/url", "{\"url\":" + quote(app + path) + "}");
    }

    private String js(String script) throws Exception {
        return value(post("/session/" + session + "/execute/sync", "{\"script\":" + quote(script) + ",\"args\":[]}"));
    }

    private void quit() throws Exception {
        HttpRequest request = HttpRequest.newBuilder(URI.create(driver + "/session/" + session)).DELETE().build();
        http.send(request, HttpResponse.BodyHandlers.ofString());
    }

    // ---- what the user does ------------------------------------------------

    private String text() throws Exception {
        return js("return document.body ? document.body.innerText : '';");
    }

    private String h1() throws Exception {
        return js("var h = document.querySelector('h1'); return h ? h.innerText : '';");
    }

    /** Waits until the page has loaded after a submit or a click. */
    private void settle(String before) throws Exception {
        for (int i = 0; i < 100; i++) {
            String state = js("return document.readyState + '|' + location.href + '|' + document.body.innerText.length;");
            if (state.startsWith("complete") && !state.equals(before)) {
                return;
            }
            Thread.sleep(50);
        }
    }

    private String state() throws Exception {
        return js("return document.readyState + '|' + location.href + '|' + document.body.innerText.length;");
    }

    /** Sets the named fields (name=value pairs) of the page's form and submits it. */
    private void submit(String... fields) throws Exception {
        StringBuilder script = new StringBuilder();
        for (int i = 0; i < fields.length; i += 2) {
            script.append("document.querySelector('[name=\"").append(fields[i]).append("\"]').value = ")
                .append(quote(fields[i + 1])).append(";");
        }
        String before = state();
        js(script + "var f = document.querySelector('form[method=post]') || document.forms[0]; f.submit(); return '';");
        settle(before);
    }

    /** Follows the first link whose text is the given text. */
    private void click(String linkText) throws Exception {
        String before = state();
        js("window.confirm = function() { return true; };"
            + "var links = document.querySelectorAll('a'); for (var i = 0; i < links.length; i++)"
            + " if (links[i].innerText.trim() == " + quote(linkText) + ") { links[i].click(); break; } return '';");
        settle(before);
    }

    private String href(String linkText) throws Exception {
        return js("var links = document.querySelectorAll('a'); for (var i = 0; i < links.length; i++)"
            + " if (links[i].innerText.trim() == " + quote(linkText) + ") return links[i].href; return '';");
    }

    private String formAction() throws Exception {
        return js("var f = document.querySelector('form'); return f ? f.getAttribute('action') : '';");
    }

    // ---- the checks --------------------------------------------------------

    private void signIn() throws Exception {
        go("/");
        check("系统登录".equals(h1()), "the welcome page is the login page: " + h1());
        check(formAction().endsWith("/login_CheckLogin.action"), "login posts to login_CheckLogin");
        go("/Book/Book_QueryBook.action");
        check(js("return location.pathname;").endsWith("/login.jsp"), "a business action without sign-in goes to login.jsp");
        submit("username", "admin", "password", "wrong");
        check(text().contains("用户名或密码错误!"), "a wrong password is refused on the login page");
        submit("username", "admin", "password", "123456");
        check(text().contains("当前用户: admin"), "main.jsp names the signed-in user: " + text());
        check(text().contains("图书类型") && text().contains("图书"), "main.jsp lists every class by its friendly name");
    }

    private void addTypesAndBooks() throws Exception {
        for (String name : new String[] { "小说", "科幻" }) {
            go("/main.jsp");
            click("添加");
            check(formAction().endsWith("/BookType/BookType_AddBookType.action"), "the type form posts to its Add action");
            submit("bookType.typeName", name);
            check(text().contains("BookType添加成功!"), "a book type is added: " + text());
        }
        for (int n = 1; n <= 12; n++) {
            go("/Book/Book_AddView.action");
            check(formAction().endsWith("/Book/Book_AddBook.action"), "the book form posts to AddBook");
            // Book 12 is science fiction, the others novels.
            js("var s = document.querySelector('[name=\"book.bookType.bookTypeId\"]'); s.selectedIndex = " + (n == 12 ? 1 : 0)
                + "; return '';");
            submit("book.isbn", "978-" + n, "book.title", "书名" + n, "book.price", n + ".5", "book.published",
                "2024-01-0" + (n % 9 + 1));
            check(text().contains("Book添加成功!"), "book " + n + " is added: " + text());
        }
    }

    private void refusals() throws Exception {
        go("/Book/Book_AddView.action");
        submit("book.isbn", "978-99", "book.title", "", "book.price", "", "book.published", "2024-01-01");
        String page = text();
        check(page.contains("请输入书名!") && page.contains("价格必须是数字!"), "missing required members are named: " + page);
        check("978-99".equals(js("return document.querySelector('[name=\"book.isbn\"]').value;")),
            "the form keeps what the user typed");
        go("/Book/Book_AddView.action");
        js("document.querySelector('[name=\"book.bookType.bookTypeId\"]').innerHTML = '<option value=\"99\">x</option>';"
            + " return '';");
        submit("book.isbn", "978-98", "book.title", "无类型", "book.price", "1", "book.published", "2024-01-01");
        check(text().contains("所选的BookType不存在!"), "an unknown reference is refused: " + text());
    }

    private void listAndPage() throws Exception {
        go("/Book/Book_QueryBook.action");
        check(text().contains("共 12 条记录，第 1 / 2 页"), "the list counts 12 books on 2 pages: " + text());
        check(js("return document.querySelectorAll('table tr').length;").equals("11"), "a page shows 10 rows");
        click("下一页");
        check(text().contains("第 2 / 2 页"), "the next page is page 2");
        check(!text().contains("无类型"), "the refused book was not stored");
        // A search, then paging keeps it.
        go("/Book/Book_QueryBook.action");
        js("document.querySelector('[name=\"bookType.bookTypeId\"]').selectedIndex = 1; return '';");
        String before = state();
        js("document.querySelector('form[method=get]').submit(); return '';");
        settle(before);
        check(text().contains("共 11 条记录"), "search by type finds the 11 novels: " + text());
        String next = href("下一页");
        check(next.contains("currentPage=2") && next.contains("bookType.bookTypeId=1") && next.contains("title="),
            "the next-page link keeps the query values: " + next);
        click("下一页");
        check(text().contains("共 11 条记录，第 2 / 2 页"), "the second page of the search: " + text());
        go("/Book/Book_QueryBook.action?title=" + java.net.URLEncoder.encode("书名1", "UTF-8"));
        check(text().contains("共 4 条记录"), "search by title: " + text());
    }

    private void modifyAndDelete() throws Exception {
        go("/Book/Book_QueryBook.action");
        click("修改");
        check("修改图书".equals(h1()), "the modify page: " + h1());
        check(formAction().endsWith("/Book/Book_ModifyBook.action"), "the modify form posts to ModifyBook");
        submit("book.title", "");
        check("修改图书".equals(h1()) && formAction().endsWith("/Book/Book_ModifyBook.action") && text().contains("请输入书名!"),
            "a failed modify returns to the modify form: " + h1() + " " + formAction());
        submit("book.title", "改过的书名");
        check(text().contains("Book信息更新成功!"), "the book is modified: " + text());
        go("/Book/Book_QueryBook.action");
        check(text().contains("改过的书名"), "the modified title is listed");
        click("删除");
        check(text().contains("Book删除成功!"), "the book is deleted: " + text());
        go("/Book/Book_QueryBook.action");
        check(text().contains("共 11 条记录"), "11 books are left");
    }

    private void accountPages() throws Exception {
        go("/changePassword.jsp");
        check(formAction().endsWith("/changePassword_ChangePassword.action"), "the password form posts to its action");
        submit("oldPassword", "123456", "newPassword", "abcdef", "confirmPassword", "abcdef");
        check(text().contains("密码修改成功!"), "the password is changed: " + text());
        go("/main.jsp");
        click("注销");
        check("系统登录".equals(h1()), "logout shows the login page");
        go("/Book/Book_QueryBook.action");
        check(js("return location.pathname;").endsWith("/login.jsp"), "signed out, business actions go to login.jsp");
    }

    private void run() throws Exception {
        start();
        try {
            signIn();
            addTypesAndBooks();
            refusals();
            listAndPage();
            modifyAndDelete();
            accountPages();
        } finally {
            quit();
        }
    }

    public static void main(String[] args) {
        BrowserCheck test = new BrowserCheck(args[0], args[1]);
        try {
            test.run();
        } catch (Exception e) {
            e.printStackTrace(System.out);
            test.failed++;
        }
        System.out.println(test.passed + " passed, " + test.failed + " failed");
        System.exit(test.failed == 0 ? 0 : 1);
    }
}
