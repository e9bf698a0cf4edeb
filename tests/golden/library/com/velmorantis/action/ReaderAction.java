package com.velmorantis.action;

import java.util.List;
import com.opensymphony.xwork2.ActionContext;
import com.opensymphony.xwork2.ActionSupport;
import com.velmorantis.dao.ReaderDAO;
import com.velmorantis.domain.Reader;
import com.velmorantis.dao.BookDAO;
import com.velmorantis.domain.Book;
import com.velmorantis.test.TestUtil;

public class ReaderAction extends ActionSupport {

    /*界面层需要查询的属性: 读者编号*/
    private String readerNo;
    public void setReaderNo(String readerNo) {
        this.readerNo = readerNo;
    }
    public String getReaderNo() {
        return this.readerNo;
    }

    /*界面层需要查询的属性: 借阅图书*/
    private Book book;
    public void setBook(Book book) {
        this.book = book;
    }
    public Book getBook() {
        return this.book;
    }

    /*当前第几页*/
    private int currentPage;
    public void setCurrentPage(int currentPage) {
        this.currentPage = currentPage;
    }
    public int getCurrentPage() {
        return currentPage;
    }

    /*一共多少页*/
    private int totalPage;
    public void setTotalPage(int totalPage) {
        this.totalPage = totalPage;
    }
    public int getTotalPage() {
        return totalPage;
    }

    /*当前查询的总记录数目*/
    private int recordNumber;
    public void setRecordNumber(int recordNumber) {
        this.recordNumber = recordNumber;
    }
    public int getRecordNumber() {
        return recordNumber;
    }

    /*业务层对象*/
    ReaderDAO readerDAO = new ReaderDAO();

    /*待操作的Reader对象*/
    private Reader reader;
    public void setReader(Reader reader) {
        this.reader = reader;
    }
    public Reader getReader() {
        return this.reader;
    }

    /*跳转到添加Reader视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        /*查询所有的Book信息*/
        BookDAO bookDAO = new BookDAO();
        List<Book> bookList = bookDAO.QueryAllBookInfo();
        ctx.put("bookList", bookList);
        return "add_view";
    }

    /*添加Reader信息*/
    @SuppressWarnings("deprecation")
    public String AddReader() {
        ActionContext ctx = ActionContext.getContext();
        if(null == reader) {
            ctx.put("error",  java.net.URLEncoder.encode("Reader添加失败!"));
            return "error";
        }
        /*验证读者编号是否已经存在*/
        String readerNo = reader.getReaderNo();
        Reader db_reader = readerDAO.GetReaderByReaderNo(readerNo);
        if(null != db_reader) {
            ctx.put("error",  java.net.URLEncoder.encode("该读者编号已经存在!"));
            return "error";
        }
        try {
            BookDAO bookDAO = new BookDAO();
            book = bookDAO.GetBookByIsbn(reader.getBook().getIsbn());
            reader.setBook(book);
            if(null == book) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Book不存在!"));
                return "error";
            }
            readerDAO.AddReader(reader);
            ctx.put("message",  java.net.URLEncoder.encode("Reader添加成功!"));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Reader添加失败!"));
            return "error";
        }
    }

    /*查询Reader信息*/
    public String QueryReader() {
        if(currentPage == 0) currentPage = 1;
        if(readerNo == null) readerNo = "";
        List<Reader> readerList = readerDAO.QueryReaderInfo(readerNo, book, currentPage);
        /*计算总的页数和总的记录数*/
        readerDAO.CalculateTotalPageAndRecordNumber(readerNo, book);
        /*获取到总的页码数目*/
        totalPage = readerDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = readerDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("readerList",  readerList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        ctx.put("readerNo", readerNo);
        ctx.put("book", book);
        BookDAO bookDAO = new BookDAO();
        List<Book> bookList = bookDAO.QueryAllBookInfo();
        ctx.put("bookList", bookList);
        return "query_view";
    }

    /*查询要修改的Reader信息*/
    public String ModifyReaderQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据主键readerNo获取Reader对象*/
        Reader reader = readerDAO.GetReaderByReaderNo(readerNo);

        BookDAO bookDAO = new BookDAO();
        List<Book> bookList = bookDAO.QueryAllBookInfo();
        ctx.put("bookList", bookList);
        ctx.put("reader",  reader);
        return "modify_view";
    }

    /*更新修改Reader信息*/
    public String ModifyReader() {
        ActionContext ctx = ActionContext.getContext();
        try {
            BookDAO bookDAO = new BookDAO();
            book = bookDAO.GetBookByIsbn(reader.getBook().getIsbn());
            reader.setBook(book);
            if(null == book) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Book不存在!"));
                return "error";
            }
            readerDAO.UpdateReader(reader);
            ctx.put("message",  java.net.URLEncoder.encode("Reader信息更新成功!"));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Reader信息更新失败!"));
            return "error";
       }
   }

    /*删除Reader信息*/
    public String DeleteReader() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            readerDAO.DeleteReader(readerNo);
            ctx.put("message",  java.net.URLEncoder.encode("Reader删除成功!"));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Reader删除失败!"));
            return "error";
        }
    }

}
