package javagen.acceptance;

import java.util.List;

import com.imported.dao.BookDAO;
import com.imported.dao.BookTypeDAO;
import com.imported.dao.LoanDAO;
import com.imported.dao.ReaderDAO;
import com.imported.domain.Book;
import com.imported.domain.BookType;
import com.imported.domain.Loan;
import com.imported.domain.Reader;

/**
 * Drives the DAO classes generated from a model imported from a database
 * schema (BookType, Book with a reference to BookType, Reader, Loan with
 * references to Book and Reader; renamed members class_ and order_) against
 * the database chosen by the -Dhibernate.* system properties: adds, finds by
 * key, pages, counts, updates and deletes.
 *
 * Prints a line for each failed check and a final "N passed, M failed";
 * exits 1 when a check failed.
 */
public final class ImportedRoundTrip {

    private int passed;
    private int failed;

    private void check(boolean ok, String what) {
        if (ok) {
            passed++;
        } else {
            failed++;
            System.out.println("FAILED: " + what);
        }
    }

    private void run() throws Exception {
        BookTypeDAO typeDAO = new BookTypeDAO();
        BookType novel = new BookType();
        novel.setTypeName("小说");
        typeDAO.AddBookType(novel);
        check(novel.getBookTypeId() != 0, "the database assigns the book type's key");

        BookDAO bookDAO = new BookDAO();
        Book book = new Book();
        book.setIsbn("978-7-5366-9293-0");
        book.setBookTitle("三体");
        book.setBookType(novel);
        book.setPrice(new java.math.BigDecimal("23.50"));
        book.setPages(302);
        book.setPublished("2008-01-01");
        book.setIntro("地球往事 'O''Neil' 100%");
        book.setClass_("I247.5");
        bookDAO.AddBook(book);
        Book stored = bookDAO.GetBookByIsbn("978-7-5366-9293-0");
        check(stored != null, "the book is found by its key");
        check(stored != null && "三体".equals(stored.getBookTitle()), "the Chinese title comes back");
        check(stored != null && stored.getBookType() != null
            && stored.getBookType().getBookTypeId() == novel.getBookTypeId(), "the book keeps its type");
        check(stored != null && "I247.5".equals(stored.getClass_()), "the renamed member class_ is stored");

        ReaderDAO readerDAO = new ReaderDAO();
        Reader reader = new Reader();
        reader.setReaderNo("R001");
        reader.setReaderName("张三");
        reader.setOrder_(7);
        readerDAO.AddReader(reader);
        check(readerDAO.GetReaderByReaderNo("R001").getOrder_() == 7, "the renamed member order_ is stored");

        LoanDAO loanDAO = new LoanDAO();
        Loan loan = new Loan();
        loan.setIsbn(stored);
        loan.setReaderNo(reader);
        loan.setLoanDate("2024-05-01");
        loanDAO.AddLoan(loan);
        check(loan.getLoanId() != 0, "the database assigns the loan's key");
        List<Loan> loans = loanDAO.QueryAllLoanInfo();
        check(loans.size() == 1, "one loan is listed");
        check(loans.size() == 1 && "三体".equals(loans.get(0).getIsbn().getBookTitle()),
            "the loan's book is loaded with it");
        loanDAO.CalculateTotalPageAndRecordNumber();
        check(loanDAO.getRecordNumber() == 1 && loanDAO.getTotalPage() == 1, "one record on one page");
        check(loanDAO.QueryLoanInfo(1).size() == 1, "the first page holds the loan");

        stored.setBookTitle("三体 II");
        bookDAO.UpdateBook(stored);
        check("三体 II".equals(bookDAO.GetBookByIsbn("978-7-5366-9293-0").getBookTitle()), "the update is stored");

        loanDAO.DeleteLoan(loan.getLoanId());
        check(loanDAO.QueryAllLoanInfo().isEmpty(), "the loan is deleted");
        readerDAO.DeleteReader("R001");
        bookDAO.DeleteBook("978-7-5366-9293-0");
        typeDAO.DeleteBookType(novel.getBookTypeId());
        check(bookDAO.QueryAllBookInfo().isEmpty() && typeDAO.QueryAllBookTypeInfo().isEmpty(),
            "everything is deleted");
    }

    public static void main(String[] args) {
        ImportedRoundTrip test = new ImportedRoundTrip();
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
