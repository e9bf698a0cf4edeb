/*
 * Compile-only stand-in for the xwork2 class of the same name, used to compile
 * generated sources without the Struts 2 jars. It never runs. Constructors
 * follow the real library.
 */
package com.opensymphony.xwork2.validator;

public class ValidationException extends Exception {
    private static final long serialVersionUID = 1L;

    public ValidationException() {
    }

    public ValidationException(String s) {
        super(s);
    }
}
