package com.velmorantis.domain;

public class Reader {
    /*∂¡’ﬂ±‡∫≈*/
    private String readerNo;
    public String getReaderNo() {
        return readerNo;
    }
    public void setReaderNo(String readerNo) {
        this.readerNo = readerNo;
    }

    /*–’√˚*/
    private String readerName;
    public String getReaderName() {
        return readerName;
    }
    public void setReaderName(String readerName) {
        this.readerName = readerName;
    }

    /*ΩË‘ƒÕº È*/
    private Book book;
    public Book getBook() {
        return book;
    }
    public void setBook(Book book) {
        this.book = book;
    }

}