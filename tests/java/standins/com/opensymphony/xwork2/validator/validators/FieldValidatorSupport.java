/*
 * Compile-only stand-in for the xwork2 class of the same name, used to compile
 * generated sources without the Struts 2 jars. It never runs: every method body
 * throws. Signatures follow the real library, where the protected helpers are
 * inherited from ValidatorSupport.
 */
package com.opensymphony.xwork2.validator.validators;

import com.opensymphony.xwork2.validator.ValidationException;

public abstract class FieldValidatorSupport {

    public String getFieldName() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void setFieldName(String fieldName) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public String getDefaultMessage() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void setDefaultMessage(String message) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    protected Object getFieldValue(String name, Object object) throws ValidationException {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    protected void addFieldError(String propertyName, Object object) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public abstract void validate(Object object) throws ValidationException;
}
