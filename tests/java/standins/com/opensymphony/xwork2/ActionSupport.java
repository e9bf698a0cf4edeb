/*
 * Compile-only stand-in for the xwork2 class of the same name, used to compile
 * generated sources without the Struts 2 jars. It never runs: every method body
 * throws. Signatures follow the real library.
 */
package com.opensymphony.xwork2;

import java.io.Serializable;

public class ActionSupport implements Serializable {
    private static final long serialVersionUID = 1L;

    public static final String SUCCESS = "success";
    public static final String NONE = "none";
    public static final String ERROR = "error";
    public static final String INPUT = "input";
    public static final String LOGIN = "login";

    public String execute() throws Exception {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void validate() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void addActionError(String anErrorMessage) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void addActionMessage(String aMessage) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void addFieldError(String fieldName, String errorMessage) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public boolean hasActionErrors() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public boolean hasFieldErrors() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public boolean hasErrors() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public String getText(String aTextName) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }
}
