package javagen.acceptance;

import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collection;
import java.util.HashSet;
import java.util.List;
import java.util.Set;
import java.util.TreeSet;

import com.roundtrip.dao.AdminDAO;
import com.roundtrip.dao.BookDAO;
import com.roundtrip.dao.BookTypeDAO;
import com.roundtrip.dao.LoanDAO;
import com.roundtrip.dao.ReaderDAO;
import com.roundtrip.domain.Admin;
import com.roundtrip.domain.Book;
import com.roundtrip.domain.BookType;
import com.roundtrip.domain.Loan;
import com.roundtrip.domain.Reader;
import com.roundtrip.utils.HibernateUtil;

/**
 * Drives the generated DAO classes of the library model (BookType, Book,
 * Reader, Loan with two references to Book, and the support entity Admin) against the database chosen
 * by the -Dhibernate.* system properties: adds objects, pages through
 * queries with and without each search value, counts records and pages,
 * searches by reference key, looks up by key, updates detached objects and
 * deletes. Search values with an apostrophe, a percent sign or Chinese text
 * check that the DAO binds them as HQL parameters.
 *
 * Prints a line for each failed check, then one final line
 * "N passed, M failed"; exits 1 when a check failed.
 *
 * The sections share one data set and run in order; a section that throws
 * counts one failure and the next section still runs.
 */
public final class RoundTrip {

    private final String database;
    private int passed;
    private int failed;

    private final BookTypeDAO bookTypeDAO = new BookTypeDAO();
    private final BookDAO bookDAO = new BookDAO();
    private final ReaderDAO readerDAO = new ReaderDAO();
    private final LoanDAO loanDAO = new LoanDAO();
    private final AdminDAO adminDAO = new AdminDAO();

    /* Keys assigned by the database to the book types, filled by bookTypes() */
    private int computing;
    private int fiction;

    /* Keys assigned to the loans, filled by readersAndLoans() */
    private final int[] loanIds = new int[5];

    private RoundTrip(String database) {
        this.database = database;
    }

    public static void main(String[] args) {
        RoundTrip test = new RoundTrip(args.length > 0 ? args[0] : "database");
        test.runAll();
        System.out.println(test.passed + " passed, " + test.failed + " failed");
        System.out.flush();
        System.exit(test.failed == 0 ? 0 : 1);
    }

    private interface Body {
        void run() throws Exception;
    }

    private void runAll() {
        // Without a session factory nothing else can run: report why and stop.
        boolean factory = section("session factory", () ->
                check("session factory is built from hibernate.cfg.xml and the mapping files",
                        HibernateUtil.getSessionFactory() != null));
        if (!factory) {
            return;
        }
        section("empty tables", this::emptyTables);
        section("book types", this::bookTypes);
        section("adding books", this::addingBooks);
        section("paged search", this::pagedSearch);
        section("awkward search values", this::awkwardSearchValues);
        section("lookup by key", this::lookupByKey);
        section("update of a detached book", this::updateDetachedBook);
        section("readers and loans", this::readersAndLoans);
        section("loans whose references share objects", this::sharedReferences);
        section("delete", this::delete);
        section("admin", this::admin);
        section("shutdown", () -> {
            HibernateUtil.shutdown();
            check("shutdown releases the session factory", true);
        });
    }

    // ------------------------------------------------------------ sections

    private void emptyTables() throws Exception {
        bookDAO.CalculateTotalPageAndRecordNumber("", null, "");
        counts("books, empty table", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 0, 0);
        equal("books, empty table, page 1", 0, bookDAO.QueryBookInfo("", null, "", 1).size());
        equal("all books, empty table", 0, bookDAO.QueryAllBookInfo().size());
        bookTypeDAO.CalculateTotalPageAndRecordNumber();
        counts("book types, empty table", bookTypeDAO.getRecordNumber(), bookTypeDAO.getTotalPage(), 0, 0);
        loanDAO.CalculateTotalPageAndRecordNumber(null, "");
        counts("loans, empty table", loanDAO.getRecordNumber(), loanDAO.getTotalPage(), 0, 0);
        adminDAO.CalculateTotalPageAndRecordNumber("");
        counts("admins, empty table", adminDAO.getRecordNumber(), adminDAO.getTotalPage(), 0, 0);
    }

    private void bookTypes() throws Exception {
        BookType first = bookType("计算机");
        BookType second = bookType("小说 & 诗歌");
        BookType third = bookType("Temporary");
        bookTypeDAO.AddBookType(first);
        bookTypeDAO.AddBookType(second);
        bookTypeDAO.AddBookType(third);
        computing = first.getBookTypeId();
        fiction = second.getBookTypeId();
        check("the database assigns integer keys to new book types",
                computing > 0 && fiction > 0 && third.getBookTypeId() > 0,
                "keys " + computing + ", " + fiction + ", " + third.getBookTypeId());
        equal("assigned book type keys are distinct", 3,
                new HashSet<Integer>(Arrays.asList(computing, fiction, third.getBookTypeId())).size());

        BookType found = bookTypeDAO.GetBookTypeByBookTypeId(computing);
        check("book type found by key", found != null);
        equal("book type name read back (Chinese)", "计算机", found.getTypeName());
        equal("all book types", 3, bookTypeDAO.QueryAllBookTypeInfo().size());
        equal("book types, page 1", 3, bookTypeDAO.QueryBookTypeInfo(1).size());
        bookTypeDAO.CalculateTotalPageAndRecordNumber();
        counts("book types", bookTypeDAO.getRecordNumber(), bookTypeDAO.getTotalPage(), 3, 1);

        // third is detached: its session closed when AddBookType returned.
        third.setTypeName("历史");
        bookTypeDAO.UpdateBookType(third);
        equal("detached book type updated", "历史",
                bookTypeDAO.GetBookTypeByBookTypeId(third.getBookTypeId()).getTypeName());

        bookTypeDAO.DeleteBookType(third.getBookTypeId());
        check("deleted book type is gone", bookTypeDAO.GetBookTypeByBookTypeId(third.getBookTypeId()) == null);
        bookTypeDAO.CalculateTotalPageAndRecordNumber();
        counts("book types after delete", bookTypeDAO.getRecordNumber(), bookTypeDAO.getTotalPage(), 2, 1);
    }

    private void addingBooks() throws Exception {
        List<Book> books = library();
        for (int i = 0; i < 10; i++) {
            bookDAO.AddBook(books.get(i));
        }
        bookDAO.CalculateTotalPageAndRecordNumber("", null, "");
        counts("10 books", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 10, 1);
        pages("10 books", bookDAO, "", null, "", 10);

        bookDAO.AddBook(books.get(10));
        bookDAO.CalculateTotalPageAndRecordNumber("", null, "");
        counts("11 books", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 11, 2);
        pages("11 books", bookDAO, "", null, "", 10, 1);

        for (int i = 11; i < books.size(); i++) {
            bookDAO.AddBook(books.get(i));
        }
        bookDAO.CalculateTotalPageAndRecordNumber("", null, "");
        counts("23 books", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 23, 3);
        List<Book> all = pages("23 books", bookDAO, "", null, "", 10, 10, 3);
        equal("the three pages hold every book once", isbns(books), isbns(all));
        equal("all books", isbns(books), isbns(bookDAO.QueryAllBookInfo()));
    }

    private void pagedSearch() throws Exception {
        search("title 'Java Vol'", "Java Vol", null, "", range(1, 11), 10, 1);
        search("title 'Java'", "Java", null, "", union(range(1, 11), range(22, 22)), 10, 2);
        search("title 'Vol 1'", "Vol 1", null, "", Arrays.asList(1, 10, 11, 12, 13), 5);

        List<Book> byComputing = search("book type 计算机", "", typeKey(computing), "",
                union(range(1, 12), range(21, 21)), 10, 3);
        boolean loaded = true;
        for (Book b : byComputing) {
            loaded &= b.getBookType() != null && b.getBookType().getBookTypeId() == computing
                    && "计算机".equals(b.getBookType().getTypeName());
        }
        check("books found by book type carry their loaded book type", loaded);
        search("book type 小说", "", typeKey(fiction), "", union(range(13, 20), range(22, 23)), 10);
        search("book type key 0 does not restrict", "", typeKey(0), "", range(1, 23), 10, 10, 3);
        search("unknown book type key", "", typeKey(Math.max(computing, fiction) + 1000), "",
                new ArrayList<Integer>());

        search("published '2021-03'", "", null, "2021-03", range(1, 11), 10, 1);
        search("published '2021'", "", null, "2021", range(1, 12), 10, 2);
        search("published '2023'", "", null, "2023", range(21, 23), 3);

        search("title 'Java' and type 小说", "Java", typeKey(fiction), "", range(22, 22), 1);
        search("title 'Vol', type 计算机, published '2021-04'", "Vol", typeKey(computing), "2021-04",
                range(12, 12), 1);
        search("title 'Python' and type 计算机", "Python", typeKey(computing), "", new ArrayList<Integer>());
        search("no title matches", "Cobol", null, "", new ArrayList<Integer>());
    }

    private void awkwardSearchValues() throws Exception {
        search("apostrophe in a word: \"O'Reilly\"", "O'Reilly", null, "", range(21, 21), 1);
        search("a lone apostrophe", "'", null, "", range(21, 21), 1);
        search("apostrophe and Chinese: \"O'Reilly 指南\"", "O'Reilly 指南", null, "", range(21, 21), 1);
        search("Chinese: 指南", "指南", null, "", range(21, 21), 1);
        search("Chinese: 数据库", "数据库", null, "", range(23, 23), 1);
        search("quoted HQL injection finds nothing", "' or '1'='1", null, "", new ArrayList<Integer>());
        // The value's own wildcards are escaped with MySQL's default LIKE
        // escape, PostgreSQL's too: "%" finds the one title holding it, "_"
        // none. HSQLDB has no default escape (the backslash is then text):
        // nothing is found.
        String url = System.getProperty("hibernate.connection.url", "");
        boolean mysql = url.startsWith("jdbc:mysql:") || url.startsWith("jdbc:postgresql:");
        List<Integer> percent = mysql ? range(22, 22) : new ArrayList<Integer>();
        search("\"100%\" is text", "100%", null, "", percent, mysql ? new int[] {1} : new int[0]);
        search("a lone \"%\" is text", "%", null, "", percent, mysql ? new int[] {1} : new int[0]);
        search("a lone \"_\" is text", "_", null, "", new ArrayList<Integer>());
    }

    private void lookupByKey() throws Exception {
        Book b = bookDAO.GetBookByIsbn(isbn(21));
        check("book found by its text key", b != null);
        equal("title read back", "O'Reilly 指南", b.getTitle());
        equal("float member read back", 59.5f, b.getPrice());
        equal("integer member read back", 321, b.getPages());
        equal("date member read back", "2023-01-15", b.getPublished());
        equal("text member with quotes, percent, underscore and backslash read back",
                "含有 ' \" % _ \\ 的简介", b.getIntro());
        check("referenced book type loaded with the book",
                b.getBookType() != null && b.getBookType().getBookTypeId() == computing
                        && "计算机".equals(b.getBookType().getTypeName()));
        check("unknown book key gives null", bookDAO.GetBookByIsbn("no-such-isbn") == null);
        check("unknown book type key gives null",
                bookTypeDAO.GetBookTypeByBookTypeId(Math.max(computing, fiction) + 1000) == null);
    }

    private void updateDetachedBook() throws Exception {
        Book b = bookDAO.GetBookByIsbn(isbn(5));
        BookType fictionType = bookTypeDAO.GetBookTypeByBookTypeId(fiction);
        // Both are detached now: each DAO call closes its session.
        b.setTitle("Java Vol 5 修订版");
        b.setPrice(88.25f);
        b.setPages(555);
        b.setPublished("2024-12-31");
        b.setBookType(fictionType);
        bookDAO.UpdateBook(b);

        Book again = bookDAO.GetBookByIsbn(isbn(5));
        equal("updated title", "Java Vol 5 修订版", again.getTitle());
        equal("updated price", 88.25f, again.getPrice());
        equal("updated pages", 555, again.getPages());
        equal("updated date", "2024-12-31", again.getPublished());
        equal("updated book type", fiction, again.getBookType().getBookTypeId());
        equal("book type of the update kept its name", "小说 & 诗歌", again.getBookType().getTypeName());
        search("updated book found by its new title", "修订版", null, "", range(5, 5), 1);
        bookDAO.CalculateTotalPageAndRecordNumber("", typeKey(fiction), "");
        counts("books of 小说 after the update", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 11, 2);
        bookDAO.CalculateTotalPageAndRecordNumber("", null, "");
        counts("all books after the update", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 23, 3);
    }

    private void readersAndLoans() throws Exception {
        Reader zhang = reader("R001", "张三");
        Reader obrien = reader("R002", "O'Brien");
        readerDAO.AddReader(zhang);
        readerDAO.AddReader(obrien);
        equal("reader found by text key", "O'Brien", readerDAO.GetReaderByReaderNo("R002").getReaderName());
        readerDAO.CalculateTotalPageAndRecordNumber();
        counts("readers", readerDAO.getRecordNumber(), readerDAO.getTotalPage(), 2, 1);

        Book b21 = bookDAO.GetBookByIsbn(isbn(21));
        Book b1 = bookDAO.GetBookByIsbn(isbn(1));
        Book b22 = bookDAO.GetBookByIsbn(isbn(22));
        // reservedBook is a second reference to Book, with a column of its
        // own. Here the two books of a loan never share a book type; the
        // next section covers that.
        Loan[] loans = {
            loan(b21, zhang, b22, "2024-01-10"),
            loan(b21, obrien, bookDAO.GetBookByIsbn(isbn(13)), "2024-02-11"),
            loan(b21, zhang, null, "2024-02-20"),
            loan(b1, obrien, bookDAO.GetBookByIsbn(isbn(14)), "2024-03-01"),
            loan(b22, zhang, b21, "2024-03-05"),
        };
        for (int i = 0; i < loans.length; i++) {
            loanDAO.AddLoan(loans[i]);
            loanIds[i] = loans[i].getLoanId();
        }
        Set<Integer> distinct = new HashSet<Integer>();
        boolean positive = true;
        for (int id : loanIds) {
            distinct.add(id);
            positive &= id > 0;
        }
        check("the database assigns distinct keys to new loans", positive && distinct.size() == 5,
                Arrays.toString(loanIds));

        loanDAO.CalculateTotalPageAndRecordNumber(null, "");
        counts("all loans", loanDAO.getRecordNumber(), loanDAO.getTotalPage(), 5, 1);
        List<Loan> of21 = loanDAO.QueryLoanInfo(bookKey(isbn(21)), "", 1);
        equal("loans found by book key", ids(loanIds[0], loanIds[1], loanIds[2]), loanKeys(of21));
        boolean loaded = true;
        for (Loan l : of21) {
            loaded &= l.getBook() != null && isbn(21).equals(l.getBook().getIsbn())
                    && "O'Reilly 指南".equals(l.getBook().getTitle())
                    && l.getReader() != null && l.getReader().getReaderName() != null
                    && l.getBook().getBookType() != null
                    && "计算机".equals(l.getBook().getBookType().getTypeName());
        }
        check("loans found by book key carry their book, its book type and the reader", loaded);
        loanDAO.CalculateTotalPageAndRecordNumber(bookKey(isbn(21)), "");
        counts("loans of one book", loanDAO.getRecordNumber(), loanDAO.getTotalPage(), 3, 1);
        equal("empty book key does not restrict", 5, loanDAO.QueryLoanInfo(bookKey(""), "", 1).size());
        equal("no book does not restrict", 5, loanDAO.QueryLoanInfo(null, "", 1).size());
        equal("loans found by date", ids(loanIds[1], loanIds[2]), loanKeys(loanDAO.QueryLoanInfo(null, "2024-02", 1)));
        equal("loans found by book key and date", ids(loanIds[1], loanIds[2]),
                loanKeys(loanDAO.QueryLoanInfo(bookKey(isbn(21)), "2024-02", 1)));
        equal("book key and date that do not meet", 0, loanDAO.QueryLoanInfo(bookKey(isbn(1)), "2024-02", 1).size());
        equal("unknown book key finds no loan", 0, loanDAO.QueryLoanInfo(bookKey("no-such-isbn"), "", 1).size());
        equal("book key search ignores the second reference to Book", ids(loanIds[4]),
                loanKeys(loanDAO.QueryLoanInfo(bookKey(isbn(22)), "", 1)));
        Loan l1 = loanDAO.GetLoanByLoanId(loanIds[0]);
        equal("first reference to Book read back", isbn(21), l1.getBook().getIsbn());
        equal("second reference to Book read back", isbn(22), l1.getReservedBook().getIsbn());
        check("empty second reference read back as null", loanDAO.GetLoanByLoanId(loanIds[2]).getReservedBook() == null);
        equal("all loans", 5, loanDAO.QueryAllLoanInfo().size());

        Loan l4 = loanDAO.GetLoanByLoanId(loanIds[3]);
        check("loan found by integer key", l4 != null);
        equal("loan's book", isbn(1), l4.getBook().getIsbn());
        equal("loan's reader (reference that is not a query member)", "O'Brien", l4.getReader().getReaderName());
        check("unknown loan key gives null", loanDAO.GetLoanByLoanId(loanIds[4] + 1000) == null);

        // l4 is detached; give it the other reader and a new date.
        l4.setReader(readerDAO.GetReaderByReaderNo("R001"));
        l4.setLoanDate("2024-03-02");
        l4.setReservedBook(bookDAO.GetBookByIsbn(isbn(15)));
        loanDAO.UpdateLoan(l4);
        Loan again = loanDAO.GetLoanByLoanId(loanIds[3]);
        equal("updated loan's reader", "R001", again.getReader().getReaderNo());
        equal("updated loan's date", "2024-03-02", again.getLoanDate());
        equal("updated loan's second reference to Book", isbn(15), again.getReservedBook().getIsbn());
        equal("updated loan's book unchanged", isbn(1), again.getBook().getIsbn());

        loanDAO.DeleteLoan(loanIds[4]);
        check("deleted loan is gone", loanDAO.GetLoanByLoanId(loanIds[4]) == null);
        loanDAO.CalculateTotalPageAndRecordNumber(null, "");
        counts("loans after delete", loanDAO.getRecordNumber(), loanDAO.getTotalPage(), 4, 1);
        check("deleting a loan keeps its book", bookDAO.GetBookByIsbn(isbn(22)) != null);
    }

    /* What the generated LoanAction does on add and modify: it loads each
       referenced object with its own DAO call (each call its own session)
       and hands the loan to the DAO. The two books loaded here share a book
       type, or are the same book, loaded twice; saving or updating the loan
       must still work. */
    private void sharedReferences() throws Exception {
        Loan loan = loan(bookDAO.GetBookByIsbn(isbn(2)), readerDAO.GetReaderByReaderNo("R001"),
                bookDAO.GetBookByIsbn(isbn(3)), "2024-04-01");
        if (attempt("adding a loan whose two books (loaded separately) share a book type",
                () -> loanDAO.AddLoan(loan))) {
            Loan stored = loanDAO.GetLoanByLoanId(loan.getLoanId());
            equal("loan with two books of one type: book", isbn(2), stored.getBook().getIsbn());
            equal("loan with two books of one type: second book", isbn(3), stored.getReservedBook().getIsbn());
            loanDAO.DeleteLoan(loan.getLoanId());
            check("loan with two books of one type deleted", loanDAO.GetLoanByLoanId(loan.getLoanId()) == null);
        }

        Loan third = loanDAO.GetLoanByLoanId(loanIds[2]);
        third.setBook(bookDAO.GetBookByIsbn(isbn(4)));
        third.setReservedBook(bookDAO.GetBookByIsbn(isbn(4)));
        if (attempt("updating a detached loan whose two references are one book, loaded twice",
                () -> loanDAO.UpdateLoan(third))) {
            Loan again = loanDAO.GetLoanByLoanId(loanIds[2]);
            check("loan with one book twice read back",
                    isbn(4).equals(again.getBook().getIsbn()) && isbn(4).equals(again.getReservedBook().getIsbn()));
        }
    }

    private void delete() throws Exception {
        bookDAO.DeleteBook(isbn(23));
        check("deleted book is gone", bookDAO.GetBookByIsbn(isbn(23)) == null);
        search("deleted book is not found", "数据库", null, "", new ArrayList<Integer>());
        bookDAO.CalculateTotalPageAndRecordNumber("", null, "");
        counts("books after delete", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 22, 3);
        pages("22 books", bookDAO, "", null, "", 10, 10, 2);

        // Book 1 is still lent (loan 4): the foreign key refuses the delete,
        // the DAO rolls back and rethrows, and the book stays.
        boolean refused = false;
        try {
            bookDAO.DeleteBook(isbn(1));
        } catch (Exception e) {
            refused = true;
        }
        check("deleting a lent book is refused", refused);
        check("refused delete leaves the book in place", bookDAO.GetBookByIsbn(isbn(1)) != null);
        bookDAO.CalculateTotalPageAndRecordNumber("", null, "");
        counts("books after the refused delete", bookDAO.getRecordNumber(), bookDAO.getTotalPage(), 22, 3);
    }

    private void admin() throws Exception {
        adminDAO.AddAdmin(new Admin("admin", "123456"));
        adminDAO.AddAdmin(new Admin("张三", "密码"));
        adminDAO.AddAdmin(new Admin("o'neil", "x%y"));
        equal("all admins", names("admin", "o'neil", "张三"), adminNames(adminDAO.QueryAllAdminInfo()));
        equal("admins, no user name", names("admin", "o'neil", "张三"), adminNames(adminDAO.QueryAdminInfo("", 1)));
        equal("admins, null user name", 3, adminDAO.QueryAdminInfo(null, 1).size());
        equal("admins by apostrophe", names("o'neil"), adminNames(adminDAO.QueryAdminInfo("'", 1)));
        equal("admins by Chinese", names("张三"), adminNames(adminDAO.QueryAdminInfo("张", 1)));
        // A search value's own % and _ are not wildcards.
        for (String literal : new String[] {"%", "_", "o_n", "\\"})
            equal("admins by \"" + literal + "\" (no user name holds it)", 0,
                    adminDAO.QueryAdminInfo(literal, 1).size());
        adminDAO.CalculateTotalPageAndRecordNumber("'");
        counts("admins by apostrophe", adminDAO.getRecordNumber(), adminDAO.getTotalPage(), 1, 1);

        Admin zhang = adminDAO.GetAdminByUsername("张三");
        check("admin found by user name", zhang != null);
        equal("admin password read back", "密码", zhang.getPassword());
        check("unknown admin gives null", adminDAO.GetAdminByUsername("nobody") == null);
        check("null user name gives null", adminDAO.GetAdminByUsername(null) == null);

        zhang.setPassword("新密码'%");
        adminDAO.UpdateAdmin(zhang);
        equal("detached admin updated", "新密码'%", adminDAO.GetAdminByUsername("张三").getPassword());

        for (int i = 1; i <= 8; i++) {
            adminDAO.AddAdmin(new Admin("user0" + i, "pw" + i));
        }
        adminDAO.CalculateTotalPageAndRecordNumber("");
        counts("11 admins", adminDAO.getRecordNumber(), adminDAO.getTotalPage(), 11, 2);
        List<Admin> first = adminDAO.QueryAdminInfo("", 1);
        List<Admin> second = adminDAO.QueryAdminInfo("", 2);
        equal("admins, page 1", 10, first.size());
        equal("admins, page 2", 1, second.size());
        List<Admin> both = new ArrayList<Admin>(first);
        both.addAll(second);
        equal("the two admin pages hold every admin once", 11, new HashSet<String>(adminNames(both)).size());
        equal("page 0 is read as page 1", adminNames(first), adminNames(adminDAO.QueryAdminInfo("", 0)));
        adminDAO.CalculateTotalPageAndRecordNumber("user");
        counts("admins by 'user'", adminDAO.getRecordNumber(), adminDAO.getTotalPage(), 8, 1);
        adminDAO.AddAdmin(new Admin("user09", "pw9"));
        adminDAO.AddAdmin(new Admin("user10", "pw10"));
        adminDAO.CalculateTotalPageAndRecordNumber("user");
        counts("admins by 'user', 10 rows", adminDAO.getRecordNumber(), adminDAO.getTotalPage(), 10, 1);

        adminDAO.DeleteAdmin("o'neil");
        check("deleted admin is gone", adminDAO.GetAdminByUsername("o'neil") == null);
        adminDAO.DeleteAdmin("nobody");
        adminDAO.CalculateTotalPageAndRecordNumber("");
        counts("admins after delete", adminDAO.getRecordNumber(), adminDAO.getTotalPage(), 12, 2);
    }

    // ------------------------------------------------------------ data

    /* Book number n (1..23) has this key. */
    private static String isbn(int n) {
        return String.format("978-7-0000-%04d", n);
    }

    /* The 23 books: 1-11 "Java Vol n" (计算机, March 2021), 12 "Kotlin Vol 1"
       (计算机, April 2021), 13-20 "Python Vol n" (小说, July 2022), 21 with an
       apostrophe and Chinese (计算机), 22 with a percent sign and 23 in Chinese
       (both 小说, 2023). */
    private List<Book> library() {
        BookType comp = typeKeyNamed(computing, "计算机");
        BookType fict = typeKeyNamed(fiction, "小说 & 诗歌");
        List<Book> books = new ArrayList<Book>();
        for (int n = 1; n <= 11; n++) {
            books.add(book(n, "Java Vol " + n, comp, 10.5f + n, 100 + n, String.format("2021-03-%02d", n), ""));
        }
        books.add(book(12, "Kotlin Vol 1", comp, 30f, 200, "2021-04-01", null));
        for (int n = 13; n <= 20; n++) {
            books.add(book(n, "Python Vol " + (n - 12), fict, 20.25f, 150, String.format("2022-07-%02d", n), "简介"));
        }
        books.add(book(21, "O'Reilly 指南", comp, 59.5f, 321, "2023-01-15", "含有 ' \" % _ \\ 的简介"));
        books.add(book(22, "100% Pure Java", fict, 45f, 280, "2023-02-01", "100%"));
        books.add(book(23, "数据库系统概论", fict, 39.75f, 400, "2023-03-01", "第五版"));
        return books;
    }

    private static Book book(int n, String title, BookType type, float price, int pages, String published,
            String intro) {
        Book b = new Book();
        b.setIsbn(isbn(n));
        b.setTitle(title);
        b.setBookType(type);
        b.setPrice(price);
        b.setPages(pages);
        b.setPublished(published);
        b.setIntro(intro);
        return b;
    }

    private static BookType bookType(String name) {
        BookType t = new BookType();
        t.setTypeName(name);
        return t;
    }

    /* A book type carrying only its key, as a search form posts it. */
    private static BookType typeKey(int id) {
        BookType t = new BookType();
        t.setBookTypeId(id);
        return t;
    }

    private static BookType typeKeyNamed(int id, String name) {
        BookType t = typeKey(id);
        t.setTypeName(name);
        return t;
    }

    /* A book carrying only its key, as a search form posts it. */
    private static Book bookKey(String isbn) {
        Book b = new Book();
        b.setIsbn(isbn);
        return b;
    }

    private static Reader reader(String no, String name) {
        Reader r = new Reader();
        r.setReaderNo(no);
        r.setReaderName(name);
        return r;
    }

    private static Loan loan(Book book, Reader reader, Book reserved, String date) {
        Loan l = new Loan();
        l.setBook(book);
        l.setReader(reader);
        l.setReservedBook(reserved);
        l.setLoanDate(date);
        return l;
    }

    // ------------------------------------------------------------ helpers

    /* Runs the paged query with these values and checks the count method
       and every page (of 10) against the expected book numbers; pageSizes
       lists the expected size of each page (when not given: full pages of
       10 and a last short one). Returns the books of all pages. */
    private List<Book> search(String what, String title, BookType type, String published,
            List<Integer> expected, int... pageSizes) {
        bookDAO.CalculateTotalPageAndRecordNumber(title, type, published);
        int rows = expected.size();
        counts(what, bookDAO.getRecordNumber(), bookDAO.getTotalPage(), rows, (rows + 9) / 10);
        int[] sizes = pageSizes;
        if (sizes.length == 0) {
            sizes = new int[(rows + 9) / 10];
            for (int i = 0; i < sizes.length; i++) {
                sizes[i] = Math.min(10, rows - 10 * i);
            }
        }
        List<Book> found = pages(what, bookDAO, title, type, published, sizes);
        Set<String> want = new TreeSet<String>();
        for (int n : expected) {
            want.add(isbn(n));
        }
        equal(what + ": books found", want, isbns(found));
        return found;
    }

    /* Reads pages 1, 2, ... until the first empty one (at most 10) and checks
       their sizes. */
    private List<Book> pages(String what, BookDAO dao, String title, BookType type, String published,
            int... sizes) {
        List<Book> all = new ArrayList<Book>();
        List<Integer> got = new ArrayList<Integer>();
        for (int page = 1; page <= 10; page++) {
            ArrayList<Book> rows = dao.QueryBookInfo(title, type, published, page);
            if (rows.isEmpty()) {
                break;
            }
            got.add(rows.size());
            all.addAll(rows);
        }
        List<Integer> want = new ArrayList<Integer>();
        for (int s : sizes) {
            want.add(s);
        }
        equal(what + ": page sizes", want, got);
        return all;
    }

    private void counts(String what, int records, int pages, int wantRecords, int wantPages) {
        equal(what + ": recordNumber", wantRecords, records);
        equal(what + ": totalPage", wantPages, pages);
    }

    private static List<Integer> range(int from, int to) {
        List<Integer> r = new ArrayList<Integer>();
        for (int i = from; i <= to; i++) {
            r.add(i);
        }
        return r;
    }

    private static List<Integer> union(List<Integer> a, List<Integer> b) {
        List<Integer> r = new ArrayList<Integer>(a);
        r.addAll(b);
        return r;
    }

    private static Set<String> isbns(Collection<Book> books) {
        Set<String> s = new TreeSet<String>();
        for (Book b : books) {
            s.add(b.getIsbn());
        }
        return s;
    }

    private static Set<Integer> ids(int... ids) {
        Set<Integer> s = new TreeSet<Integer>();
        for (int id : ids) {
            s.add(id);
        }
        return s;
    }

    private static Set<Integer> loanKeys(Collection<Loan> loans) {
        Set<Integer> s = new TreeSet<Integer>();
        for (Loan l : loans) {
            s.add(l.getLoanId());
        }
        return s;
    }

    private static List<String> names(String... names) {
        List<String> l = new ArrayList<String>(Arrays.asList(names));
        java.util.Collections.sort(l);
        return l;
    }

    /* Admin user names, sorted here: the order of Chinese names depends on
       the database's collation. */
    private static List<String> adminNames(Collection<Admin> admins) {
        List<String> l = new ArrayList<String>();
        for (Admin a : admins) {
            l.add(a.getUsername());
        }
        java.util.Collections.sort(l);
        return l;
    }

    // ------------------------------------------------------------ checks

    private boolean section(String name, Body body) {
        int before = failed;
        try {
            body.run();
        } catch (Throwable t) {
            fail(name + ": " + describe(t));
        }
        return failed == before;
    }

    /* Runs one DAO call as a check of its own: passes when it returns,
       fails with the exception when it throws. */
    private boolean attempt(String what, Body body) {
        try {
            body.run();
            passed++;
            return true;
        } catch (Throwable t) {
            fail(what + ": " + describe(t));
            return false;
        }
    }

    private void check(String what, boolean ok) {
        check(what, ok, null);
    }

    private void check(String what, boolean ok, String detail) {
        if (ok) {
            passed++;
        } else {
            fail(what + (detail != null ? " (" + detail + ")" : ""));
        }
    }

    private void equal(String what, Object expected, Object actual) {
        boolean ok = expected == null ? actual == null : expected.equals(actual);
        check(what, ok, "expected <" + expected + "> but got <" + actual + ">");
    }

    private void fail(String message) {
        failed++;
        System.out.println("FAIL [" + database + "] " + message);
    }

    /* An exception with its causes, and where it left the generated code
       (or, failing that, where it was thrown). */
    private static String describe(Throwable t) {
        StringBuilder text = new StringBuilder();
        Set<Throwable> seen = new HashSet<Throwable>();
        for (Throwable c = t; c != null && seen.add(c); c = c.getCause()) {
            if (text.length() > 0) {
                text.append("\n    caused by: ");
            }
            text.append(c.toString());
        }
        StackTraceElement where = null;
        for (StackTraceElement e : t.getStackTrace()) {
            if (e.getClassName().startsWith("com.roundtrip.")) {
                where = e;
                break;
            }
        }
        if (where == null && t.getStackTrace().length > 0) {
            where = t.getStackTrace()[0];
        }
        if (where != null) {
            text.append("\n    at ").append(where);
        }
        return text.toString();
    }
}
