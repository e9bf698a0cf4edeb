package javagen.acceptance;

import java.io.File;
import java.sql.Connection;
import java.sql.DriverManager;
import java.sql.PreparedStatement;
import java.sql.ResultSet;
import java.time.Duration;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

import org.openqa.selenium.By;
import org.openqa.selenium.Cookie;
import org.openqa.selenium.JavascriptExecutor;
import org.openqa.selenium.WebDriver;
import org.openqa.selenium.WebElement;
import org.openqa.selenium.chrome.ChromeDriver;
import org.openqa.selenium.chrome.ChromeDriverService;
import org.openqa.selenium.chrome.ChromeOptions;
import org.openqa.selenium.support.ui.ExpectedConditions;
import org.openqa.selenium.support.ui.Select;
import org.openqa.selenium.support.ui.WebDriverWait;

/**
 * The generated library application, deployed on Tomcat, used in headless
 * Chromium: signing in, the forced change of the first password, adding,
 * listing, paging, searching, modifying and deleting books, refused input,
 * bad requests and stored passwords. Every case checks what the page shows
 * and what the database holds afterwards (read through the HSQLDB server
 * that WarServer runs next to the application).
 *
 *   BrowserSuite APP_URL JDBC_URL PROFILE_DIR
 *
 * Prints one line per failed case, then "N passed, M failed"; exits 1 when
 * a case failed.
 */
public final class BrowserSuite {
    private final String app;
    private final WebDriver d;
    private final Connection db;
    private final String profile;
    private int passed;
    private int failed;

    private BrowserSuite(String app, WebDriver d, Connection db, String profile) {
        this.app = app;
        this.d = d;
        this.db = db;
        this.profile = profile;
    }

    /** A headless Chromium with a profile of its own: another user's browser. */
    private static WebDriver browser(String profileDir) {
        ChromeOptions options = new ChromeOptions();
        options.setBinary("/usr/bin/chromium");
        options.addArguments("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--disable-dev-shm-usage", "--lang=zh-CN", "--user-data-dir=" + new File(profileDir).getAbsolutePath());
        ChromeDriverService service = new ChromeDriverService.Builder()
                .usingDriverExecutable(new File("/usr/bin/chromedriver")).usingAnyFreePort().build();
        WebDriver driver = new ChromeDriver(service, options);
        driver.manage().timeouts().pageLoadTimeout(Duration.ofSeconds(30));
        driver.manage().timeouts().scriptTimeout(Duration.ofSeconds(30));
        return driver;
    }

    public static void main(String[] args) throws Exception {
        if (args.length != 3) {
            System.err.println("usage: BrowserSuite APP_URL JDBC_URL PROFILE_DIR");
            System.exit(2);
        }
        System.setProperty("webdriver.chrome.driver", "/usr/bin/chromedriver");
        WebDriver driver = browser(args[2]);
        int failed;
        try (Connection db = DriverManager.getConnection(args[1], System.getProperty("javagen.db.user", "SA"),
                System.getProperty("javagen.db.password", ""))) {
            BrowserSuite suite = new BrowserSuite(args[0], driver, db, args[2]);
            suite.run();
            // tools/screenshots.sh asks for the README's pictures of the application.
            String shots = System.getenv("WEBAPP_SCREENSHOTS");
            if (shots != null && !shots.isEmpty()) {
                driver.manage().window().setSize(new org.openqa.selenium.Dimension(1200, 720));
                driver.get(args[0] + "/Book/Book_QueryBook.action");
                java.nio.file.Files.write(new File(shots, "webapp-list.png").toPath(),
                        ((org.openqa.selenium.TakesScreenshot) driver).getScreenshotAs(org.openqa.selenium.OutputType.BYTES));
                driver.get(args[0] + "/Book/Book_AddView.action");
                java.nio.file.Files.write(new File(shots, "webapp-add.png").toPath(),
                        ((org.openqa.selenium.TakesScreenshot) driver).getScreenshotAs(org.openqa.selenium.OutputType.BYTES));
            }
            System.out.println(suite.passed + " passed, " + suite.failed + " failed");
            failed = suite.failed;
        } finally {
            driver.quit();
        }
        System.exit(failed == 0 ? 0 : 1);
    }

    private interface Check {
        void run() throws Exception;
    }

    private void check(String group, String name, Check body) {
        try {
            body.run();
            passed++;
        } catch (Throwable e) {
            failed++;
            String where;
            try {
                where = here();
            } catch (Throwable ignored) {
                where = "?";
            }
            String why = String.valueOf(e.getMessage()).split("\n", 2)[0];
            System.out.println("FAILED " + group + " / " + name + ": " + why + " (at " + where + ")");
        }
    }

    private void run() {
        check("setup", "the groups run", () -> {
            signedOut();
            firstSignIn();
            bookTypes();
            typeUnderType();
            addingBooks();
            listing();
            modifyingAndDeleting();
            badRequests();
            storedPasswords();
            typeSets();
            copies();
            if ("current".equals(System.getProperty("javagen.target"))) {
                files();
            }
            actionsByMapping();
            picking();
            manyUsers();
            manyChoices();
            lockout();
        });
    }

    // ---- the cases ----

    private void signedOut() {
        for (String path : new String[] {"/Book/Book_QueryBook.action", "/Book/Book_AddView.action",
                "/user_ShowUser.action", "/changePassword_input.action", "/main.jsp", "/Book_add.jsp",
                "/Book/Book_QueryBook"}) {
            check("signed out", path + " goes to the login page", () -> {
                open(path);
                expectAt("/login.jsp");
                expectText("系统登录");
                expect(scalar("select count(*) from t_admin").equals(1L), "t_admin holds one administrator");
            });
        }
        check("signed out", "the first administrator has a hashed password to change", () -> {
            String stored = (String) scalar("select password from t_admin where username = 'admin'");
            expect(stored != null && stored.startsWith("!pbkdf2$"), "admin password is stored as !pbkdf2$..., not "
                    + stored);
        });
        for (String path : new String[] {"/", "/login.jsp"}) {
            check("signed out", path + " shows the login form", () -> {
                open(path);
                expectAt(path);
                expectText("用户名");
                expect(!d.findElements(By.name("password")).isEmpty(), "a password field");
            });
        }
        check("signed out", "/static/app.css is served", () -> {
            open("/login.jsp");
            Object[] r = fetch("/static/app.css", "GET", false);
            expect(r[0].equals(200L), "HTTP 200, got " + r[0]);
            String bg = (String) js("return getComputedStyle(document.body).fontFamily");
            expect(bg != null && !bg.isEmpty(), "the style sheet applies");
        });
    }

    private void firstSignIn() {
        check("first sign-in", "a wrong password is refused", () -> {
            String before = (String) scalar("select password from t_admin where username = 'admin'");
            login("admin", "wrong-password");
            expectAt("/login_CheckLogin.action");
            expectText("用户名或密码错误!");
            expect(before.equals(scalar("select password from t_admin where username = 'admin'")),
                    "the stored password is unchanged");
        });
        check("first sign-in", "admin/admin123 signs in with a new session and must change the password", () -> {
            open("/login.jsp");
            Cookie old = d.manage().getCookieNamed("JSESSIONID");
            login("admin", "admin123");
            expectAt("/changePassword_input.action");
            expectText("这是初始密码");
            Cookie now = d.manage().getCookieNamed("JSESSIONID");
            expect(old != null && now != null && !old.getValue().equals(now.getValue()),
                    "JSESSIONID changes at login");
            expect(((String) scalar("select password from t_admin where username = 'admin'")).startsWith("!pbkdf2$"),
                    "still the initial password");
        });
        for (String path : new String[] {"/Book/Book_QueryBook.action", "/user_ShowUser.action", "/main.jsp"}) {
            check("first sign-in", path + " waits for the new password", () -> {
                open(path);
                expectAt("/changePassword_input.action");
                expectText("修改密码");
            });
        }
        String[][] changes = {
            // old, new, confirm, what the page says, whether the password is then changed
            {"admin123", "abc", "abc", "新密码长度必须在6到20个字符之间!", "no"},
            {"admin123", "abcdefghijklmnopqrstu", "abcdefghijklmnopqrstu", "新密码长度必须在6到20个字符之间!", "no"},
            {"admin123", "secret123", "secret124", "两次输入的新密码不一致!", "no"},
            {"wrong-old", "secret123", "secret123", "原密码不正确!", "no"},
            {"admin123", "secret123", "secret123", "密码修改成功!", "yes"},
        };
        for (String[] c : changes) {
            check("change password", c[3] + " (" + c[1] + ")", () -> {
                open("/changePassword_input.action");
                expectAt("/changePassword_input.action");
                fill("changePassword_ChangePassword.action",
                        fields("oldPassword", c[0], "newPassword", c[1], "confirmPassword", c[2]));
                expectText(c[3]);
                String stored = (String) scalar("select password from t_admin where username = 'admin'");
                if (c[4].equals("yes")) {
                    expect(stored.startsWith("pbkdf2$") && !stored.contains("secret123"),
                            "the new password is stored hashed: " + stored);
                } else {
                    expect(stored.startsWith("!pbkdf2$"), "the initial password is kept: " + stored);
                }
            });
        }
        String[][] pages = {
            {"/user_ShowUser.action", "/user_ShowUser.action"},
            {"/main.jsp", "/user_ShowUser.action"},
            {"/Book_add.jsp", "/user_ShowUser.action"},
        };
        for (String[] p : pages) {
            check("signed in", p[0] + " shows the main page", () -> {
                open(p[0]);
                expectAt(p[1]);
                expectText("当前用户: admin");
                expectText("图书类型");
                expect("UTF-8".equals(js("return document.characterSet")), "the page is UTF-8");
            });
        }
    }

    private void bookTypes() {
        for (String name : new String[] {"计算机", "文学"}) {
            check("book types", "add " + name, () -> {
                open("/BookType/BookType_AddView.action");
                fill("BookType_AddBookType.action", fields("bookType.typeName", name));
                expectText("BookType添加成功!");
                expect(scalar("select count(*) from t_BookType where typeName = ?", name).equals(1L),
                        "t_BookType holds " + name);
            });
        }
        check("book types", "the list shows them", () -> {
            open("/BookType/BookType_QueryBookType.action");
            expectText("计算机");
            expectText("文学");
            expect(scalar("select count(*) from t_BookType").equals(2L), "two rows in t_BookType");
        });
    }

    /** A class referring to itself: a type under another type, picked from a drop-down of the types. */
    private void typeUnderType() throws Exception {
        String computing = String.valueOf(scalar("select bookTypeId from t_BookType where typeName = '计算机'"));
        check("type under type", "add one under 计算机", () -> {
            open("/BookType/BookType_AddView.action");
            Select parent = new Select(d.findElement(By.name("bookType.parent.bookTypeId")));
            expect(parent.getOptions().stream().anyMatch(o -> o.getText().equals("计算机")), "计算机 is offered");
            parent.selectByVisibleText("计算机");
            fill("BookType_AddBookType.action", fields("bookType.typeName", "程序设计"));
            expectText("BookType添加成功!");
            expect(String.valueOf(scalar("select parent from t_BookType where typeName = '程序设计'")).equals(computing),
                    "its parent is stored");
            expect(scalar("select count(*) from t_BookType where parent is null").equals(2L),
                    "the others have none");
        });
        check("type under type", "the list finds it by its parent and shows the parent", () -> {
            open("/BookType/BookType_QueryBookType.action?parent.bookTypeId=" + computing);
            expectText("共 1 条记录");
            String row = d.findElement(By.xpath("//table[contains(@class,'grid')]//tr[td]")).getText();
            expect(row.contains("程序设计") && row.contains("计算机"), "the row names the type and its parent: " + row);
        });
        check("type under type", "it is deleted from the list", () -> {
            open("/BookType/BookType_QueryBookType.action?typeName=" + enc("程序设计"));
            d.findElement(By.xpath("//button[normalize-space()='删除']")).click();
            new WebDriverWait(d, Duration.ofSeconds(10)).until(ExpectedConditions.alertIsPresent()).accept();
            waitForText("BookType删除成功!");
            expect(scalar("select count(*) from t_BookType").equals(2L), "two rows in t_BookType again");
        });
    }

    /** A many-to-many member: chosen in a multiple selection, stored as pairs of its link table. */
    private void typeSets() throws Exception {
        String computing = String.valueOf(scalar("select bookTypeId from t_BookType where typeName = '计算机'"));
        String isbn = "9787111000099";
        String pairs = "select count(*) from t_book_type_set where isbn = '" + isbn + "'";
        check("type sets", "a book is added with two types in its set", () -> {
            open("/Book/Book_AddView.action");
            Select set = new Select(d.findElement(By.name("typeSetKeys")));
            expect(set.isMultiple() && set.getOptions().size() == 2, "a multiple selection of both types");
            set.selectByVisibleText("计算机");
            set.selectByVisibleText("文学");
            Select tags = new Select(d.findElement(By.name("book.tags")));
            expect(tags.isMultiple(), "the tags are a multiple selection");
            tags.selectByVisibleText("新书");
            tags.selectByVisibleText("特价");
            fill("Book_AddBook.action", fields("book.isbn", isbn, "book.title", "两类之书", "book.bookType.bookTypeId",
                    computing, "book.price", "5", "book.published", "2021-01-01"));
            expectText("Book添加成功!");
            expect(scalar(pairs).equals(2L), "two pairs are stored");
            expect("新书,特价".equals(scalar("select tags from t_Book where isbn = ?", isbn)),
                    "the tags are stored joined by commas: " + scalar("select tags from t_Book where isbn = ?", isbn));
        });
        check("type sets", "the modify page shows them chosen; a save keeps the one left", () -> {
            open("/Book/Book_ModifyBookQuery.action?isbn=" + isbn);
            Select set = new Select(d.findElement(By.name("typeSetKeys")));
            expect(set.getAllSelectedOptions().size() == 2, "both are chosen");
            expect(new Select(d.findElement(By.name("book.tags"))).getAllSelectedOptions().size() == 2,
                    "both tags are chosen");
            set.deselectByVisibleText("文学");
            fill("Book_ModifyBook.action", fields());
            expectText("Book信息更新成功!");
            expect(scalar(pairs).equals(1L), "one pair is left");
        });
        check("type sets", "a key that names no type is refused", () -> {
            open("/Book/Book_ModifyBookQuery.action?isbn=" + isbn);
            js("var o = document.createElement('option'); o.value = '999'; o.selected = true;"
                    + "document.getElementsByName('typeSetKeys')[0].appendChild(o);");
            fill("Book_ModifyBook.action", fields());
            expectText("所选的BookType不存在!");
            expect(scalar(pairs).equals(1L), "the pair is kept");
        });
        check("type sets", "deleting the book deletes its pairs", () -> {
            open("/Book/Book_QueryBook.action?title=" + enc("两类之书"));
            d.findElement(By.xpath("//button[normalize-space()='删除']")).click();
            new WebDriverWait(d, Duration.ofSeconds(10)).until(ExpectedConditions.alertIsPresent()).accept();
            waitForText("Book删除成功!");
            expect(scalar(pairs).equals(0L), "no pair is left");
        });
    }

    /** A composite key: entered on add, read-only on modify, sent by the list's links as both members. */
    private void copies() {
        String[][] added = {
            // isbn, copy number, shelf, what the page says
            {"9787111000001", "1", "A1", "Copy添加成功!"},
            {"9787111000001", "2", "A2", "Copy添加成功!"},
            {"9787111000002", "1", "C1", "Copy添加成功!"},
            {"9787111000001", "1", "X9", "该图书副本已经存在!"},
        };
        for (String[] r : added) {
            check("composite key", "add " + r[0] + "/" + r[1] + " → " + r[3], () -> {
                open("/Copy/Copy_AddView.action");
                fill("Copy_AddCopy.action", fields("copy.isbn", r[0], "copy.copyNo", r[1], "copy.shelf", r[2]));
                expectText(r[3]);
            });
        }
        check("composite key", "three rows, the duplicate refused", () -> {
            expect(scalar("select count(*) from t_copy").equals(3L), "3 rows in t_copy");
            expect("A1".equals(scalar("select shelf from t_copy where isbn = '9787111000001' and copy_no = 1")),
                    "the first copy keeps its shelf");
        });
        check("composite key", "modify from the list: the key is shown, not edited", () -> {
            open("/Copy/Copy_QueryCopy.action?shelf=A2");
            expectText("共 1 条记录");
            String href = d.findElement(By.linkText("修改")).getAttribute("href");
            d.findElement(By.linkText("修改")).click();
            expect(here().startsWith("/Copy/Copy_ModifyCopyQuery.action"), "the modify page of " + href);
            expect(d.findElements(By.cssSelector("input[type=hidden][name='copy.copyNo']")).size() == 1,
                    "the copy number is a hidden field");
            fill("Copy_ModifyCopy.action", fields("copy.shelf", "B2"));
            expectText("Copy信息更新成功!");
            expect("B2".equals(scalar("select shelf from t_copy where isbn = '9787111000001' and copy_no = 2")),
                    "the one row of the key is updated");
            expect("A1".equals(scalar("select shelf from t_copy where isbn = '9787111000001' and copy_no = 1")),
                    "the other copy of the book is not");
        });
        check("composite key", "a key of no row goes back to the list", () -> {
            open("/Copy/Copy_ModifyCopyQuery.action?copy.isbn=9787111000001&copy.copyNo=7");
            expectText("请求的参数不正确或记录不存在");
        });
        check("composite key", "delete from the list", () -> {
            open("/Copy/Copy_QueryCopy.action?shelf=C1");
            d.findElement(By.xpath("//button[normalize-space()='删除']")).click();
            new WebDriverWait(d, Duration.ofSeconds(10)).until(ExpectedConditions.alertIsPresent()).accept();
            waitForText("Copy删除成功!");
            expect(scalar("select count(*) from t_copy").equals(2L), "2 rows left");
            expect(scalar("select count(*) from t_copy where isbn = '9787111000002'").equals(0L), "C1 is gone");
        });
    }

    /** Bytes: uploaded on add and modify, kept by a save without a file, downloaded from the list. */
    private void files() throws Exception {
        java.nio.file.Path first = java.nio.file.Files.createTempFile("photo", ".bin");
        java.nio.file.Path second = java.nio.file.Files.createTempFile("photo", ".bin");
        byte[] bytes = new byte[70000];
        new java.util.Random(7).nextBytes(bytes);
        java.nio.file.Files.write(first, bytes);
        java.nio.file.Files.write(second, new byte[] {0, 1, 2, (byte) 255});
        String stored = "select image from t_Photo where title in ('第一张', '改过的标题')";
        check("files", "a photo is added with its file", () -> {
            open("/Photo/Photo_AddView.action");
            d.findElement(By.name("imageUpload")).sendKeys(first.toString());
            fill("Photo_AddPhoto.action", fields("photo.title", "第一张"));
            expectText("Photo添加成功!");
            expect(java.util.Arrays.equals(bytes, bytes(stored)), "the file's bytes are stored");
        });
        check("files", "the list downloads them", () -> {
            open("/Photo/Photo_QueryPhoto.action");
            String href = d.findElement(By.linkText("下载")).getAttribute("href");
            Object length = ((JavascriptExecutor) d).executeAsyncScript(
                    "var done = arguments[arguments.length - 1];"
                    + "fetch(arguments[0], {credentials: 'same-origin'}).then(function (r) { return r.arrayBuffer(); })"
                    + ".then(function (b) { var a = new Uint8Array(b); done([a.length, a[0], a[69999]]); });", href);
            List<?> got = (List<?>) length;
            expect(((Number) got.get(0)).intValue() == 70000 && ((Number) got.get(1)).intValue() == (bytes[0] & 0xff)
                    && ((Number) got.get(2)).intValue() == (bytes[69999] & 0xff), "the download is the file: " + got);
        });
        check("files", "a save without a file keeps them, a new file replaces them", () -> {
            String id = String.valueOf(scalar("select photoId from t_Photo where title = '第一张'"));
            open("/Photo/Photo_ModifyPhotoQuery.action?photoId=" + id);
            expectText("已有内容");
            fill("Photo_ModifyPhoto.action", fields("photo.title", "改过的标题"));
            expectText("Photo信息更新成功!");
            expect(java.util.Arrays.equals(bytes, bytes(stored)), "the bytes are kept");
            open("/Photo/Photo_ModifyPhotoQuery.action?photoId=" + id);
            d.findElement(By.name("imageUpload")).sendKeys(second.toString());
            fill("Photo_ModifyPhoto.action", fields());
            expectText("Photo信息更新成功!");
            expect(java.util.Arrays.equals(new byte[] {0, 1, 2, (byte) 255}, bytes(stored)),
                    "the new file's bytes are stored");
        });
        String[][] forged = {
            // case, the form's fields as script, status
            {"an upload without the session's token is refused",
                "data.append('_csrf', 'wrong'); data.append('imageUpload', new Blob([new Uint8Array([1, 2, 3])]), 'x.bin');",
                "403"},
            {"an upload naming a framework property is refused",
                "data.append('class.x', '1'); data.append('_csrf', document.querySelector(\"input[name='_csrf']\").value);",
                "400"},
        };
        for (String[] f : forged) {
            check("files", f[0], () -> {
                open("/Photo/Photo_AddView.action");
                Object status = ((JavascriptExecutor) d).executeAsyncScript(
                        "var done = arguments[arguments.length - 1]; var data = new FormData();"
                        + "data.append('photo.title', '伪造');" + f[1]
                        + "fetch(arguments[0], {method: 'POST', credentials: 'same-origin', body: data, redirect: 'manual'})"
                        + ".then(function (r) { done(r.status); }).catch(function (e) { done(-1); });",
                        app + "/Photo/Photo_AddPhoto.action");
                expect(String.valueOf(status).equals(f[2]), f[2] + ", got " + status);
                expect(scalar("select count(*) from t_Photo where title = '伪造'").equals(0L), "nothing is stored");
            });
        }
        check("files", "a file larger than the column is refused, the stored one kept", () -> {
            java.nio.file.Path big = java.nio.file.Files.createTempFile("photo", ".bin");
            java.nio.file.Files.write(big, new byte[100001]);
            String id = String.valueOf(scalar("select photoId from t_Photo where title = '改过的标题'"));
            open("/Photo/Photo_ModifyPhotoQuery.action?photoId=" + id);
            d.findElement(By.name("imageUpload")).sendKeys(big.toString());
            fill("Photo_ModifyPhoto.action", fields("photo.title", "不该保存"));
            expectText("图像的文件太大(最多 100000 字节)!");
            expect(java.util.Arrays.equals(new byte[] {0, 1, 2, (byte) 255}, bytes(stored)), "the bytes are kept");
            expect(scalar("select count(*) from t_Photo where title = '不该保存'").equals(0L), "nothing else is saved");
        });
        check("files", "a file over the form's limit is refused on the form, not as a 403", () -> {
            java.nio.file.Path huge = java.nio.file.Files.createTempFile("photo", ".bin");
            try (java.io.RandomAccessFile file = new java.io.RandomAccessFile(huge.toFile(), "rw")) {
                file.setLength(18L << 20);
            }
            String id = String.valueOf(scalar("select photoId from t_Photo where title = '改过的标题'"));
            open("/Photo/Photo_ModifyPhotoQuery.action?photoId=" + id);
            d.findElement(By.name("imageUpload")).sendKeys(huge.toString());
            fill("Photo_ModifyPhoto.action", fields("photo.title", "不该保存"));
            expectText("文件太大: 整个表单最多 17825792 字节");
            String body = d.findElement(By.tagName("body")).getText();
            expect(!body.contains("请先登录"), "not sent to the login page");
            expect(java.util.Arrays.equals(new byte[] {0, 1, 2, (byte) 255}, bytes(stored)), "the bytes are kept");
            expect(scalar("select count(*) from t_Photo where title = '不该保存'").equals(0L), "nothing else is saved");
            java.nio.file.Files.delete(huge);
        });
        check("files", "a photo without a file has no link; a missing one is 404", () -> {
            open("/Photo/Photo_AddView.action");
            fill("Photo_AddPhoto.action", fields("photo.title", "没有文件"));
            expectText("Photo添加成功!");
            open("/Photo/Photo_QueryPhoto.action?title=" + enc("没有文件"));
            expect(d.findElements(By.linkText("下载")).isEmpty(), "no download link");
            Object[] missing = fetch("/Photo/Photo_DownloadPhotoImage.action?photoId="
                    + scalar("select photoId from t_Photo where title = '没有文件'"), "GET", false);
            expect(String.valueOf(missing[0]).equals("404"), "404, got " + missing[0]);
        });
    }

    private void addingBooks() throws Exception {
        String computing = String.valueOf(scalar("select bookTypeId from t_BookType where typeName = '计算机'"));
        String literature = String.valueOf(scalar("select bookTypeId from t_BookType where typeName = '文学'"));
        String[][] rows = {
            // case, isbn, title, type, price, published, what the page says, rows with that isbn afterwards
            {"a valid book", "9787111000001", "深入理解计算机系统", computing, "99.5", "2016-11-01", "Book添加成功!", "1"},
            {"markup in a title", "9787111000002", "<script>x</script>", literature, "10", "2020-01-02", "Book添加成功!", "1"},
            {"no price", "9787111000003", "无价之书", computing, "", "2020-01-02", "请输入价格!", "0"},
            {"a price that is no number", "9787111000003", "无价之书", computing, "abc", "2020-01-02", "价格必须是数字!", "0"},
            {"an impossible date", "9787111000003", "无价之书", computing, "12", "2020-13-45",
                "出版日期必须是有效的日期(yyyy-MM-dd)!", "0"},
            {"a key too long", "97871110000031", "无价之书", computing, "12", "2020-01-02", "书号不能超过13个字符!", "0"},
            {"a duplicate key", "9787111000001", "另一本书", computing, "12", "2020-01-02", "图书未保存: 该书号已经存在!", "1"},
            {"an unknown type", "9787111000004", "无类之书", "999", "12", "2020-01-02",
                "图书未保存: 所选的BookType不存在!", "0"},
            {"a full-width price", "9787111000005", "全角之书", computing, "１２", "2020-01-02", "价格必须是数字!", "0"},
            {"a full-width date", "9787111000005", "全角之书", computing, "12", "２０２０-０１-０２",
                "出版日期必须是有效的日期(yyyy-MM-dd)!", "0"},
            // The ninth column, when there is one, is the discount, a decimal(5,2).
            {"a discount beyond its scale", "9787111000005", "折扣之书", computing, "12", "2020-01-02",
                "折扣最多3位整数、2位小数!", "0", "1.234"},
            {"a discount beyond its precision", "9787111000005", "折扣之书", computing, "12", "2020-01-02",
                "折扣最多3位整数、2位小数!", "0", "1234.5"},
            {"a discount in full-width digits", "9787111000005", "折扣之书", computing, "12", "2020-01-02",
                "折扣必须是数字!", "0", "１.５"},
        };
        for (String[] r : rows) {
            check("add a book", r[0], () -> {
                open("/Book/Book_AddView.action");
                Map<String, String> book = fields("book.isbn", r[1], "book.title", r[2],
                        "book.bookType.bookTypeId", r[3], "book.price", r[4], "book.published", r[5]);
                if (r.length > 8) {
                    book.put("book.discount", r[8]);
                }
                fill("Book_AddBook.action", book);
                expectText(r[6]);
                expect(scalar("select count(*) from t_Book where isbn = ?", r[1]).equals(Long.valueOf(r[7])),
                        r[7] + " row(s) with isbn " + r[1]);
                if (r[6].endsWith("添加成功!")) {
                    expect(r[2].equals(scalar("select title from t_Book where isbn = ?", r[1])), "the title is stored");
                    expect(Double.valueOf(r[4]).equals(((Number) scalar("select price from t_Book where isbn = ?",
                            r[1])).doubleValue()), "the price is stored");
                    expect(r[5].equals(String.valueOf(scalar("select published from t_Book where isbn = ?", r[1]))),
                            "the date is stored");
                } else {
                    expect(!d.findElements(By.cssSelector("form[action$='Book_AddBook.action']")).isEmpty(),
                            "the add form is shown again");
                    expect(r[2].equals(d.findElement(By.name("book.title")).getAttribute("value")),
                            "the title entered is kept");
                }
            });
        }
        check("add a book", "the duplicate left the stored book alone", () -> {
            expect("深入理解计算机系统".equals(scalar("select title from t_Book where isbn = '9787111000001'")),
                    "the first title is kept");
        });
    }

    private void listing() throws Exception {
        // The books the add cases store, put in directly when those failed,
        // so that the cases below still show what they check.
        seedBook("9787111000001", "深入理解计算机系统", "计算机", 99.5, "2016-11-01");
        seedBook("9787111000002", "<script>x</script>", "文学", 10, "2020-01-02");
        try (PreparedStatement insert = db.prepareStatement(
                "insert into t_Book (isbn, title, bookTypeId, price, published) values (?, ?, ?, 1.5, DATE '2021-03-04')")) {
            for (int i = 0; i < 10; i++) {
                insert.setObject(3, scalar("select bookTypeId from t_BookType where typeName = '文学'"));
                insert.setString(1, "P" + i);
                insert.setString(2, "分页测试" + i);
                insert.executeUpdate();
            }
        }
        String[][] rows = {
            // case, query, where the browser ends, texts the page shows
            {"all books, page 1", "", "/Book/Book_QueryBook.action", "共 12 条记录，第 1 / 2 页"},
            {"page 2", "?currentPage=2", "/Book/Book_QueryBook.action", "共 12 条记录，第 2 / 2 页"},
            {"a page past the end goes to the last", "?currentPage=999", "/Book/Book_QueryBook.action",
                "第 2 / 2 页", "currentPage=2"},
            {"a page that is no number", "?currentPage=abc", "/Book/Book_QueryBook.action",
                "请求的参数不正确或记录不存在"},
            {"search by title", "?title=" + enc("深入"), "/Book/Book_QueryBook.action", "共 1 条记录",
                "深入理解计算机系统"},
            {"search by type", "?bookType.bookTypeId=" + scalar("select bookTypeId from t_BookType where typeName = '文学'"), "/Book/Book_QueryBook.action", "共 11 条记录"},
        };
        for (String[] r : rows) {
            check("list books", r[0], () -> {
                open("/Book/Book_QueryBook.action" + r[1]);
                expectAt(r[2]);
                for (int i = 3; i < r.length; i++) {
                    if (r[i].startsWith("currentPage=")) {
                        expect(d.getCurrentUrl().contains(r[i]), "the address has " + r[i]);
                    } else {
                        expectText(r[i]);
                    }
                }
                expect(scalar("select count(*) from t_Book").equals(12L), "listing changes nothing: 12 rows");
            });
        }
        check("list books", "markup in a title is shown as text", () -> {
            open("/Book/Book_QueryBook.action?title=" + enc("script"));
            expectText("<script>x</script>");
            expect(Long.valueOf(0).equals(js("return Array.prototype.filter.call(document.scripts,"
                    + " function (s) { return s.text === 'x'; }).length")), "no script element from the data");
            expect("<script>x</script>".equals(scalar("select title from t_Book where isbn = '9787111000002'")),
                    "stored as entered");
        });
    }

    private void modifyingAndDeleting() {
        check("modify a book", "change title and price", () -> {
            open("/Book/Book_QueryBook.action?title=" + enc("深入"));
            d.findElement(By.linkText("修改")).click();
            expectAt("/Book/Book_ModifyBookQuery.action");
            expect("深入理解计算机系统".equals(d.findElement(By.name("book.title")).getAttribute("value")),
                    "the form holds the stored title");
            fill("Book_ModifyBook.action", fields("book.title", "深入理解计算机系统第三版", "book.price", "88"));
            expectText("Book信息更新成功!");
            expect("深入理解计算机系统第三版".equals(scalar("select title from t_Book where isbn = '9787111000001'")),
                    "the title is updated");
            expect(((Number) scalar("select price from t_Book where isbn = '9787111000001'")).doubleValue() == 88.0,
                    "the price is updated");
            expect(scalar("select count(*) from t_Book").equals(12L), "still 12 rows");
        });
        String[][] refused = {
            // case, request, table, rows it must still hold
            {"modify a book that does not exist", "/Book/Book_ModifyBookQuery.action?isbn=nope", "t_Book", "12"},
            {"delete a type with a key that is no number", "/BookType/BookType_DeleteBookType.action?bookTypeId=abc",
                "t_BookType", "2"},
            {"modify a type with a key that is no number", "/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=x",
                "t_BookType", "2"},
        };
        for (String[] r : refused) {
            check("modify and delete", r[0], () -> {
                if (r[1].contains("_Delete")) {
                    // Deleting is a POST carrying the session's token, as the list's button sends it.
                    open("/BookType/BookType_QueryBookType.action");
                    Map<String, String> values = new java.util.LinkedHashMap<>();
                    values.put("_csrf", String.valueOf(js("return document.querySelector(\"input[name='_csrf']\").value;")));
                    post(r[1], values, false);
                } else {
                    open(r[1]);
                }
                expectAt(r[1].substring(0, r[1].indexOf('_')) + "_Query");
                expectText("请求的参数不正确或记录不存在");
                expect(scalar("select count(*) from " + r[2]).equals(Long.valueOf(r[3])), r[3] + " rows in " + r[2]);
            });
        }
        check("modify and delete", "delete a book from the list", () -> {
            open("/Book/Book_QueryBook.action?title=" + enc("分页测试0"));
            d.findElement(By.xpath("//button[normalize-space()='删除']")).click();
            new WebDriverWait(d, Duration.ofSeconds(10)).until(ExpectedConditions.alertIsPresent()).accept();
            waitForText("Book删除成功!");
            expect(scalar("select count(*) from t_Book where isbn = 'P0'").equals(0L), "P0 is gone");
            expect(scalar("select count(*) from t_Book").equals(11L), "11 rows left");
        });
        check("modify and delete", "a forged delete (a link, or a post without the token) is refused", () -> {
            open("/Book/Book_QueryBook.action");
            Object[] link = fetch("/Book/Book_DeleteBook.action?isbn=9787111000001", "GET", false);
            expect(String.valueOf(link[0]).equals("405"), "GET is refused with 405, got " + link[0]);
            Object status = ((JavascriptExecutor) d).executeAsyncScript(
                    "var done = arguments[arguments.length - 1];"
                    + "fetch(arguments[0], {method: 'POST', credentials: 'same-origin', redirect: 'manual',"
                    + " body: new URLSearchParams('isbn=9787111000001')})"
                    + ".then(function (r) { done(r.status); }).catch(function (e) { done(-1); });",
                    app + "/Book/Book_DeleteBook.action");
            expect(String.valueOf(status).equals("403"), "a POST without the token is refused with 403, got " + status);
            expect(scalar("select count(*) from t_Book where isbn = '9787111000001'").equals(1L), "the book is kept");
        });
    }

    private void badRequests() {
        String[][] rows = {
            // request, method, status, what the page says
            {"/Book/Book_getBookDAO.action", "GET", "404", "您访问的页面不存在"},
            {"/Book/Book_toString.action", "GET", "404", "您访问的页面不存在"},
            {"/Book/Book_clearErrorsAndMessages.action", "GET", "404", "您访问的页面不存在"},
            {"/Book/Book_QueryBook", "GET", "404", "您访问的页面不存在"},
            {"/Book/Book_QueryBook;x=1", "GET", "404", "您访问的页面不存在"},
            {"/Book/Book_QueryBook.action?actionErrors=" + enc("伪造"), "GET", "400", "请求的参数不正确"},
            {"/Book/Book_QueryBook.action?class.x=1", "GET", "400", "请求的参数不正确"},
            {"/Book/Book_AddBook.action", "POST class.x", "400", "请求的参数不正确"},
            {"/Book/Book_AddBook.action", "POST multipart", "415", "不接受这种请求内容"},
        };
        for (String page : new String[] {"-2147483648", "99999999999999999999", "+0"}) {
            check("bad requests", "page " + page + " shows a page of the list", () -> {
                Object[] got = fetch("/Book/Book_QueryBook.action?currentPage=" + enc(page), "GET", false);
                // Or a redirect (not followed) to the last page.
                expect(String.valueOf(got[0]).matches("200|302|0"), "HTTP 200 or a redirect, got " + got[0]);
                open("/Book/Book_QueryBook.action?currentPage=" + enc(page));
                expectText("图书列表");
            });
        }
        for (String[] r : rows) {
            check("bad requests", r[1] + " " + r[0] + " → " + r[2], () -> {
                open("/user_ShowUser.action");
                Map<String, String> book = fields("book.isbn", "9787111000009", "book.title", "不该保存",
                        "book.price", "1", "book.published", "2020-01-01");
                if (r[1].equals("GET")) {
                    Object[] got = fetch(r[0], "GET", false);
                    expect(String.valueOf(got[0]).equals(r[2]), "HTTP " + r[2] + ", got " + got[0]);
                    open(r[0]);
                } else {
                    if (r[1].endsWith("class.x")) {
                        book.put("class.x", "1");
                    }
                    boolean multipart = r[1].endsWith("multipart");
                    Object[] got = fetch(r[0], "POST", multipart);
                    expect(String.valueOf(got[0]).equals(r[2]), "HTTP " + r[2] + ", got " + got[0]);
                    post(r[0], book, multipart);
                }
                expectText(r[3]);
                String page = d.getPageSource();
                for (String leak : new String[] {"Exception", "com.velmorantis", "org.apache", "at java.",
                        "深入理解计算机系统", "分页测试"}) {
                    expect(!page.contains(leak), "the page does not show " + leak);
                }
                expect(scalar("select count(*) from t_Book").equals(11L), "still 11 books");
                expect(scalar("select count(*) from t_Book where isbn = '9787111000009'").equals(0L),
                        "nothing was stored");
            });
        }
    }

    private void storedPasswords() throws Exception {
        try (PreparedStatement insert = db.prepareStatement("insert into t_admin (username, password) values (?, ?)")) {
            insert.setString(1, "clerk");
            insert.setString(2, "secret99");
            insert.executeUpdate();
        }
        String[][] rows = {
            // user, password, where the browser ends, what the page says
            {"clerk", "secret99", "/user_ShowUser.action", "当前用户: clerk"},
            {"clerk", "secret99", "/user_ShowUser.action", "当前用户: clerk"},
            {"clerk", "wrong-password", "/login_CheckLogin.action", "用户名或密码错误!"},
            {"admin", "admin123", "/login_CheckLogin.action", "用户名或密码错误!"},
            {"admin", "secret123", "/user_ShowUser.action", "当前用户: admin"},
        };
        for (String[] r : rows) {
            check("stored passwords", r[0] + "/" + r[1], () -> {
                logout();
                expectAt("/login.jsp");
                login(r[0], r[1]);
                expectAt(r[2]);
                expectText(r[3]);
                String stored = (String) scalar("select password from t_admin where username = ?", r[0]);
                expect(stored.startsWith("pbkdf2$"), r[0] + "'s password is stored hashed: " + stored);
                expect(scalar("select count(*) from t_admin where password not like 'pbkdf2$%'"
                        + " and password not like '!pbkdf2$%'").equals(0L), "no clear-text password is left");
            });
        }
    }

    /**
     * Whether an action changes data is read from the action it maps to, not
     * from the text of the address: a class named with "_", a root action
     * under any prefix, logging in and out.
     */
    private void actionsByMapping() throws Exception {
        try (PreparedStatement insert = db.prepareStatement("insert into t_Shelf_Mark (markId, label) values (?, ?)")) {
            insert.setInt(1, 11);
            insert.setString(2, "甲架");
            insert.executeUpdate();
        }
        String[][] gets = {
            // a GET that must not change data, and what it may answer: 405, or
            // 404 where the framework maps the address to no action at all
            {"/Shelf_Mark/Shelf_Mark_DeleteShelf_Mark.action?shelf_Mark.markId=11", "405"},
            {"/Shelf_Mark/Shelf_Mark_AddShelf_Mark.action?shelf_Mark.markId=12&shelf_Mark.label=x", "405"},
            {"/Shelf_Mark/Shelf_Mark_ModifyShelf_Mark.action?shelf_Mark.markId=11&shelf_Mark.label=x", "405"},
            {"/foo/changePassword_ChangePassword.action?oldPassword=secret123&newPassword=evil1234&confirmPassword=evil1234",
                "405 404"},
            {"/user_Logout.action", "405"},
            {"/x/y/user_Logout.action", "405 404"},
        };
        for (String[] g : gets) {
            check("actions by mapping", "GET " + g[0] + " answers " + g[1], () -> {
                open("/user_ShowUser.action");
                Object[] r = fetch(g[0], "GET", false);
                expect(java.util.Arrays.asList(g[1].split(" ")).contains(String.valueOf(r[0])),
                        "HTTP " + g[1] + ", got " + r[0]);
                expect(scalar("select count(*) from t_Shelf_Mark").equals(1L), "t_Shelf_Mark still holds one row");
                expect("甲架".equals(scalar("select label from t_Shelf_Mark where markId = 11")), "the row is unchanged");
                expect(((String) scalar("select password from t_admin where username = 'admin'")).startsWith("pbkdf2$"),
                        "the password is unchanged");
                open("/user_ShowUser.action");
                expectText("当前用户: admin");
            });
        }
        check("actions by mapping", "a POST without the token to a class with \"_\" is refused", () -> {
            open("/user_ShowUser.action");
            post("/Shelf_Mark/Shelf_Mark_DeleteShelf_Mark.action", fields("shelf_Mark.markId", "11"), false);
            expect(scalar("select count(*) from t_Shelf_Mark").equals(1L), "the row is kept");
        });
        check("actions by mapping", "the class with \"_\" is deleted from its list page", () -> {
            open("/Shelf_Mark/Shelf_Mark_QueryShelf_Mark.action");
            expectText("甲架");
            WebElement html = d.findElement(By.tagName("html"));
            js("window.confirm = function () { return true; };");
            js("arguments[0].click();", d.findElement(By.cssSelector("form[action*='DeleteShelf_Mark'] [type=submit]")));
            settle(html);
            expect(scalar("select count(*) from t_Shelf_Mark").equals(0L), "the row is gone");
        });
        check("actions by mapping", "GET of the login action under /static/ does not sign in", () -> {
            logout();
            Object[] r = fetch("/static/login_CheckLogin.action?username=admin&password=secret123", "GET", false);
            expect(String.valueOf(r[0]).equals("405") || String.valueOf(r[0]).equals("404"), "HTTP 405 or 404, got " + r[0]);
            open("/user_ShowUser.action");
            expectAt("/login.jsp");
            login("admin", "secret123");
            expectText("当前用户: admin");
        });
        check("actions by mapping", "logging out is a POST with the token", () -> {
            open("/user_ShowUser.action");
            WebElement html = d.findElement(By.tagName("html"));
            js("arguments[0].click();", d.findElement(By.cssSelector("form[action$='user_Logout.action'] button")));
            settle(html);
            open("/user_ShowUser.action");
            expectAt("/login.jsp");
            login("admin", "secret123");
            expectText("当前用户: admin");
        });
    }

    /** pick.json answers the model's classes with their display member only. */
    private void picking() {
        String[][] cases = {
            {"?entity=BookType&display=typeName&term=", "200"},
            {"?entity=BookType&term=", "200"},
            {"?entity=Admin&display=password&term=", "400"},
            {"?entity=Admin&display=username&term=", "400"},
            {"?entity=Book&display=price&term=", "400"},
            {"?entity=Book&display=title&term=", "200"},
            {"?entity=NoSuch&display=title&term=", "400"},
        };
        for (String[] c : cases) {
            check("pick.json", c[0] + " answers " + c[1], () -> {
                open("/user_ShowUser.action");
                Object[] r = fetch("/pick.json" + c[0], "GET", false);
                expect(String.valueOf(r[0]).equals(c[1]), "HTTP " + c[1] + ", got " + r[0]);
                expect(!String.valueOf(r[1]).contains("pbkdf2"), "no password hash in the answer");
            });
        }
    }

    /**
     * A second user in a browser of their own and a SQL client write between
     * the first user's requests: every request sees what was committed.
     */
    private void manyUsers() throws Exception {
        try (PreparedStatement insert = db.prepareStatement("insert into t_admin (username, password) values (?, ?)")) {
            insert.setString(1, "second");
            insert.setString(2, "second99");
            insert.executeUpdate();
        }
        WebDriver other = browser(profile + "-second");
        try {
            BrowserSuite b = new BrowserSuite(app, other, db, profile + "-second");
            check("many users", "an administrator added by SQL signs in at once", () -> {
                b.login("second", "second99");
                b.expectText("当前用户: second");
            });
            check("many users", "a row the SQL client adds is listed on the next request", () -> {
                open("/BookType/BookType_QueryBookType.action");
                try (PreparedStatement insert = db.prepareStatement("insert into t_BookType (typeName) values (?)")) {
                    insert.setString(1, "外部添加");
                    insert.executeUpdate();
                }
                open("/BookType/BookType_QueryBookType.action");
                expectText("外部添加");
            });
            check("many users", "a row the other user adds is listed on the next request", () -> {
                open("/BookType/BookType_QueryBookType.action");
                b.open("/BookType/BookType_AddView.action");
                b.fill("BookType_AddBookType.action", fields("bookType.typeName", "第二人添加"));
                b.expectText("添加成功");
                open("/BookType/BookType_QueryBookType.action");
                expectText("第二人添加");
            });
            check("many users", "a row the SQL client deletes is gone from the list and from its modify link", () -> {
                open("/BookType/BookType_QueryBookType.action");
                expectText("外部添加");
                Object id = scalar("select bookTypeId from t_BookType where typeName = '外部添加'");
                try (PreparedStatement delete = db.prepareStatement("delete from t_BookType where bookTypeId = ?")) {
                    delete.setObject(1, id);
                    delete.executeUpdate();
                }
                open("/BookType/BookType_QueryBookType.action");
                String body = d.findElement(By.tagName("body")).getText();
                expect(!body.contains("外部添加"), "the deleted row is not listed");
                open("/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=" + id);
                body = d.findElement(By.tagName("body")).getText();
                expect(!body.contains("外部添加"), "the deleted row does not open");
            });
            check("many users", "a row the SQL client changes shows its new value", () -> {
                open("/BookType/BookType_QueryBookType.action");
                expectText("第二人添加");
                try (PreparedStatement update = db.prepareStatement(
                        "update t_BookType set typeName = '第二人改过' where typeName = '第二人添加'")) {
                    update.executeUpdate();
                }
                open("/BookType/BookType_QueryBookType.action");
                expectText("第二人改过");
                b.open("/BookType/BookType_QueryBookType.action");
                b.expectText("第二人改过");
            });
            check("many users", "a save over another user's change is refused with the input kept, a second save wins",
                    () -> {
                Object id = scalar("select bookTypeId from t_BookType where typeName = '第二人改过'");
                open("/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=" + id);
                b.open("/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=" + id);
                b.fill("BookType_ModifyBookType.action", fields("bookType.typeName", "乙先保存"));
                b.expectText("更新成功");
                fill("BookType_ModifyBookType.action", fields("bookType.typeName", "甲后保存"));
                expectText("已被其他用户修改");
                expect(d.findElement(By.name("bookType.typeName")).getAttribute("value").equals("甲后保存"),
                        "the input is kept");
                expect(scalar("select typeName from t_BookType where bookTypeId = " + id).equals("乙先保存"),
                        "the other user's change stays");
                fill("BookType_ModifyBookType.action", fields("bookType.typeName", "甲后保存"));
                expectText("更新成功");
                expect(scalar("select typeName from t_BookType where bookTypeId = " + id).equals("甲后保存"),
                        "the second save, made knowingly, wins");
            });
            check("many users", "a save of a row deleted meanwhile says so and creates nothing", () -> {
                Object id = scalar("select bookTypeId from t_BookType where typeName = '甲后保存'");
                open("/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=" + id);
                try (PreparedStatement delete = db.prepareStatement("delete from t_BookType where bookTypeId = ?")) {
                    delete.setObject(1, id);
                    delete.executeUpdate();
                }
                fill("BookType_ModifyBookType.action", fields("bookType.typeName", "不该回来"));
                expectText("不存在，可能已被删除");
                expect(scalar("select count(*) from t_BookType where bookTypeId = " + id + " or typeName = '不该回来'")
                        .equals(0L), "nothing is written back");
            });
            check("many users", "the idle application holds no transaction open", () -> {
                Object open = scalar("select count(*) from information_schema.innodb_trx");
                expect(open.equals(0L), "open InnoDB transactions: " + open);
            });
        } finally {
            other.quit();
        }
    }

    /**
     * Over 200 objects of a referenced class: the pages count them instead of
     * reading them, and offer pickers; a picker can be cleared, and text that
     * names no object is refused.
     */
    private void manyChoices() throws Exception {
        try (PreparedStatement insert = db.prepareStatement("insert into t_BookType (typeName) values (?)")) {
            for (int i = 0; i < 250; i++) {
                insert.setString(1, "大量类型" + i);
                insert.addBatch();
            }
            insert.executeBatch();
        }
        Map<String, String> book = fields("book.isbn", "9780000000250", "book.title", "大量类型的书", "book.price", "10",
                "book.published", "2024-01-01");
        check("many choices", "over 200 objects are offered by search fields, not drop-downs", () -> {
            open("/Book/Book_AddView.action");
            expect(d.findElements(By.cssSelector("select[name='book.bookType.bookTypeId']")).isEmpty(),
                    "no drop-down of 250 types");
            expect(d.findElements(By.cssSelector("select[name='typeSetKeys']")).isEmpty(), "no multiple selection");
            expect(!d.findElements(By.cssSelector(".picker input[name='book.bookType.bookTypeId']")).isEmpty(),
                    "a picker for the type");
            expect(!d.findElements(By.cssSelector(".picker.multi[data-name='typeSetKeys']")).isEmpty(),
                    "a picker for the other types");
        });
        check("many choices", "text that names no type is refused on the page", () -> {
            open("/Book/Book_AddView.action");
            d.findElement(By.cssSelector(".picker:not(.multi) input[type=text]")).sendKeys("没有这种类型");
            fill("Book_AddBook.action", book, false);
            expectAt("/Book/Book_AddView.action");
            expectText("没有与“没有这种类型”对应的选项");
            expect(scalar("select count(*) from t_Book where isbn = '9780000000250'").equals(0L), "nothing is saved");
        });
        check("many choices", "a type and another type chosen with the pickers are saved", () -> {
            open("/Book/Book_AddView.action");
            pick(".picker:not(.multi)", "大量类型17");
            pick(".picker.multi", "大量类型42");
            fill("Book_AddBook.action", book);
            expectText("添加成功");
            expect(scalar("select t.typeName from t_Book b join t_BookType t on t.bookTypeId = b.bookTypeId "
                    + "where b.isbn = '9780000000250'").equals("大量类型17"), "the type picked");
            expect(scalar("select count(*) from t_book_type_set s join t_BookType t on t.bookTypeId = s.bookTypeId "
                    + "where s.isbn = '9780000000250' and t.typeName = '大量类型42'").equals(1L), "the other type picked");
        });
        check("many choices", "an optional reference picked can be cleared", () -> {
            Object id = scalar("select bookTypeId from t_BookType where typeName = '大量类型2'");
            open("/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=" + id);
            pick(".picker", "大量类型1");
            fill("BookType_ModifyBookType.action", fields());
            expectText("更新成功");
            open("/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=" + id);
            WebElement text = d.findElement(By.cssSelector(".picker input[type=text]"));
            expect(text.getAttribute("value").equals("大量类型1"), "the parent is shown: " + text.getAttribute("value"));
            text.clear();
            js("arguments[0].dispatchEvent(new Event('input'));", text);
            fill("BookType_ModifyBookType.action", fields());
            expectText("更新成功");
            open("/BookType/BookType_ModifyBookTypeQuery.action?bookTypeId=" + id);
            expect(d.findElement(By.cssSelector(".picker input[type=text]")).getAttribute("value").isEmpty(),
                    "no parent any more");
        });
        for (String sql : new String[] {"delete from t_book_type_set where isbn = '9780000000250'",
                "delete from t_Book where isbn = '9780000000250'", "delete from t_BookType where typeName like '大量类型%'"}) {
            try (PreparedStatement clean = db.prepareStatement(sql)) {
                clean.executeUpdate();
            }
        }
    }

    /** Types a term into a picker and chooses the first object it offers. */
    private void pick(String picker, String term) {
        WebElement input = d.findElement(By.cssSelector(picker + " input[type=text]"));
        input.clear();
        input.sendKeys(term);
        WebElement first = new WebDriverWait(d, Duration.ofSeconds(10)).until(
                ExpectedConditions.visibilityOfElementLocated(By.cssSelector(picker + " li")));
        js("arguments[0].dispatchEvent(new MouseEvent('mousedown'));", first);
    }

    /** Failed logins count per account, however its name is spelt, and the lock does not tell names apart. */
    private void lockout() throws Exception {
        try (PreparedStatement insert = db.prepareStatement("insert into t_admin (username, password) values (?, ?)")) {
            insert.setString(1, "tester");
            insert.setString(2, "right-pass1");
            insert.executeUpdate();
        }
        check("lockout", "five failures in any spelling lock the account", () -> {
            logout();
            for (String name : new String[] {"tester", "TESTER", "Tester", "tester", "TESTER"}) {
                login(name, "wrong-pass");
                expectText("用户名或密码错误!");
            }
            for (String name : new String[] {"tester", "TESTER", "Tëster"}) {
                login(name, "right-pass1");
                expectText("登录失败次数过多");
                expectAt("/login_CheckLogin.action");
            }
            expect(scalar("select failures from t_login_failure where account = 'tester'").equals(5L),
                    "five failures are stored for the account");
        });
        check("lockout", "an unknown name is locked the same way", () -> {
            for (int i = 0; i < 5; i++) {
                login("nobody", "wrong-pass");
                expectText("用户名或密码错误!");
            }
            login("NOBODY", "wrong-pass");
            expectText("登录失败次数过多");
        });
        check("lockout", "40 parallel wrong passwords check at most 5", () -> {
            try (PreparedStatement insert = db.prepareStatement("insert into t_admin (username, password) values (?, ?)")) {
                insert.setString(1, "racer");
                insert.setString(2, "right-pass2");
                insert.executeUpdate();
            }
            open("/login.jsp");
            String token = d.findElement(By.name("_csrf")).getAttribute("value");
            Object result = ((JavascriptExecutor) d).executeAsyncScript(
                    "var done = arguments[arguments.length - 1], all = [];"
                    + "for (var i = 0; i < 40; i++) {"
                    + "  var body = new URLSearchParams({username: 'racer', password: 'wrong' + i, _csrf: arguments[1]});"
                    + "  all.push(fetch(arguments[0], {method: 'POST', body: body, credentials: 'same-origin',"
                    + "      redirect: 'manual'}).then(function (r) { return r.text(); }));"
                    + "}"
                    + "Promise.all(all).then(function (t) { done(t.length); }).catch(function (e) { done(String(e)); });",
                    app + "/login_CheckLogin.action", token);
            expect(String.valueOf(result).equals("40"), "40 answers, got " + result);
            Object failures = scalar("select failures from t_login_failure where account = 'racer'");
            expect(failures != null && ((Number) failures).longValue() <= 5, "at most 5 passwords checked: " + failures);
            login("racer", "right-pass2");
            expectText("登录失败次数过多");
        });
        check("lockout", "the first administrator still signs in", () -> {
            login("admin", "secret123");
            expectText("当前用户: admin");
        });
    }

    private void logout() {
        open("/login.jsp");
        String token = d.findElement(By.name("_csrf")).getAttribute("value");
        post("/user_Logout.action", fields("_csrf", token), false);
    }

    private void seedBook(String isbn, String title, String type, double price, String published) throws Exception {
        if (scalar("select count(*) from t_Book where isbn = ?", isbn).equals(0L)) {
            try (PreparedStatement insert = db.prepareStatement("insert into t_Book (isbn, title, bookTypeId, price, published)"
                    + " values (?, ?, (select bookTypeId from t_BookType where typeName = ?), ?, ?)")) {
                insert.setString(1, isbn);
                insert.setString(2, title);
                insert.setString(3, type);
                insert.setDouble(4, price);
                insert.setDate(5, java.sql.Date.valueOf(published));
                insert.executeUpdate();
            }
        }
    }

    // ---- the browser ----

    private void open(String path) {
        d.get(app + path);
    }

    /** The current address, from the application's root, without the query. */
    private String here() {
        String url = d.getCurrentUrl();
        String path = url.startsWith(app) ? url.substring(app.length()) : url;
        int q = path.indexOf('?');
        return q < 0 ? path : path.substring(0, q);
    }

    private void expectAt(String path) {
        String at = here();
        expect(path.equals("/") ? at.equals("/") || at.isEmpty() : at.startsWith(path),
                "expected to be at " + path + ", at " + at);
    }

    private void expectText(String text) {
        String body = d.findElement(By.tagName("body")).getText();
        expect(body.contains(text), "the page shows \"" + text + "\"; it shows: "
                + body.replaceAll("\\s+", " ").substring(0, Math.min(300, body.replaceAll("\\s+", " ").length())));
    }

    private void waitForText(String text) {
        new WebDriverWait(d, Duration.ofSeconds(15)).until(
                ExpectedConditions.textToBePresentInElementLocated(By.tagName("body"), text));
    }

    private Object js(String script, Object... args) {
        return ((JavascriptExecutor) d).executeScript(script, args);
    }

    private void login(String user, String password) {
        open("/login.jsp");
        WebElement name = d.findElement(By.name("username"));
        name.clear();
        name.sendKeys(user);
        d.findElement(By.name("password")).sendKeys(password);
        WebElement html = d.findElement(By.tagName("html"));
        // Clicked from the page itself, as fill() does.
        js("arguments[0].click();", d.findElement(By.cssSelector("input[type=submit]")));
        settle(html);
    }

    /**
     * Fills the form whose action ends with ACTION and submits it with its
     * button. Values go in as they are: number and date fields become text
     * fields, a select gains an option it lacks, the browser's own checks are
     * off, so that the server's checks are the ones that answer.
     */
    /**
     * Waits until the page that replaces the one whose root was html has
     * loaded: the old root gone stale is not enough on a busy machine, where
     * the new document may still be parsing when the next check reads it.
     */
    private void settle(WebElement html) {
        WebDriverWait wait = new WebDriverWait(d, Duration.ofSeconds(15));
        wait.until(ExpectedConditions.stalenessOf(html));
        wait.until(driver -> "complete".equals(((JavascriptExecutor) driver).executeScript("return document.readyState")));
    }

    private void fill(String action, Map<String, String> values) {
        fill(action, values, true);
    }

    /** Fills a form and presses its button; the page's own checks may keep it (leaves false). */
    private void fill(String action, Map<String, String> values, boolean leaves) {
        WebElement form = d.findElement(By.cssSelector("form[action$='" + action + "'], form[action*='" + action + "?']"));
        js("var form = arguments[0], values = arguments[1]; form.noValidate = true;"
                + "for (var name in values) {"
                + "  var field = form.elements[name];"
                + "  if (field.tagName === 'SELECT') {"
                + "    if (!Array.prototype.some.call(field.options, function (o) { return o.value === values[name]; })) {"
                + "      var o = document.createElement('option'); o.value = values[name]; o.text = values[name];"
                + "      field.appendChild(o);"
                + "    }"
                + "  } else if (field.type === 'number' || field.type === 'date') {"
                + "    field.type = 'text';"
                + "  }"
                + "  field.removeAttribute('maxlength'); field.value = values[name];"
                + "}", form, values);
        WebElement html = d.findElement(By.tagName("html"));
        // Clicked from the page itself: the driver's own click may still
        // inspect the button while the next page replaces it.
        js("arguments[0].click();", form.findElement(By.cssSelector("input[type=submit]")));
        if (leaves) {
            settle(html);
        }
    }

    /** Posts a form of its own making, as a page with such a form would. */
    private void post(String path, Map<String, String> values, boolean multipart) {
        WebElement html = d.findElement(By.tagName("html"));
        js("var form = document.createElement('form'); form.method = 'post'; form.action = arguments[0];"
                + "if (arguments[2]) form.enctype = 'multipart/form-data';"
                + "for (var name in arguments[1]) {"
                + "  var f = document.createElement('input'); f.type = 'hidden'; f.name = name;"
                + "  f.value = arguments[1][name]; form.appendChild(f);"
                + "}"
                + "document.body.appendChild(form); form.submit();", app + path, values, multipart);
        settle(html);
    }

    /** The browser's request with its session: {status, body}; a redirect is 302. */
    private Object[] fetch(String path, String method, boolean multipart) {
        Object result = ((JavascriptExecutor) d).executeAsyncScript(
                "var done = arguments[arguments.length - 1];"
                + "var init = {method: arguments[1], redirect: 'manual', credentials: 'same-origin'};"
                + "if (arguments[1] === 'POST') {"
                + "  var data = new FormData(); data.append('book.isbn', '9787111000009'); data.append('class.x', '1');"
                + "  init.body = arguments[2] ? data : new URLSearchParams(data);"
                + "}"
                + "fetch(arguments[0], init).then(function (r) {"
                + "  return r.text().then(function (t) { done([r.type === 'opaqueredirect' ? 302 : r.status, t]); });"
                + "}).catch(function (e) { done([-1, String(e)]); });", app + path, method, multipart);
        List<?> list = (List<?>) result;
        return new Object[] {list.get(0), list.get(1)};
    }

    // ---- the database ----

    private byte[] bytes(String sql) throws Exception {
        try (PreparedStatement st = db.prepareStatement(sql); ResultSet rs = st.executeQuery()) {
            return rs.next() ? rs.getBytes(1) : null;
        }
    }

    private Object scalar(String sql, Object... args) throws Exception {
        try (PreparedStatement st = db.prepareStatement(sql)) {
            for (int i = 0; i < args.length; i++) {
                st.setObject(i + 1, args[i]);
            }
            try (ResultSet rs = st.executeQuery()) {
                if (!rs.next()) {
                    return null;
                }
                Object value = rs.getObject(1);
                return value instanceof Number && !(value instanceof Double || value instanceof Float
                        || value instanceof java.math.BigDecimal) ? (Object) ((Number) value).longValue() : value;
            }
        }
    }

    // ---- small helpers ----

    private static void expect(boolean condition, String what) {
        if (!condition) {
            throw new AssertionError(what);
        }
    }

    private static Map<String, String> fields(String... pairs) {
        Map<String, String> map = new LinkedHashMap<String, String>();
        for (int i = 0; i < pairs.length; i += 2) {
            map.put(pairs[i], pairs[i + 1]);
        }
        return map;
    }

    private static String enc(String text) {
        return java.net.URLEncoder.encode(text, java.nio.charset.StandardCharsets.UTF_8);
    }
}
