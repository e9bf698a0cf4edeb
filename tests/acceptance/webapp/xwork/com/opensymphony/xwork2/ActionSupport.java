/*
 * A working stand-in for the xwork2 class of the same name (its error
 * bookkeeping), for the page test's dispatcher.
 */
package com.opensymphony.xwork2;

import java.io.Serializable;
import java.util.ArrayList;
import java.util.Collection;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

public class ActionSupport implements Serializable {
    private static final long serialVersionUID = 1L;

    public static final String SUCCESS = "success";
    public static final String NONE = "none";
    public static final String ERROR = "error";
    public static final String INPUT = "input";
    public static final String LOGIN = "login";

    private final List<String> actionErrors = new ArrayList<String>();
    private final Map<String, List<String>> fieldErrors = new LinkedHashMap<String, List<String>>();

    public String execute() throws Exception {
        return SUCCESS;
    }

    public void validate() {
    }

    public void addActionError(String message) {
        actionErrors.add(message);
    }

    public void addActionMessage(String message) {
    }

    public void addFieldError(String field, String message) {
        if (!fieldErrors.containsKey(field)) {
            fieldErrors.put(field, new ArrayList<String>());
        }
        fieldErrors.get(field).add(message);
    }

    public boolean hasActionErrors() {
        return !actionErrors.isEmpty();
    }

    public boolean hasFieldErrors() {
        return !fieldErrors.isEmpty();
    }

    public boolean hasErrors() {
        return hasActionErrors() || hasFieldErrors();
    }

    public Collection<String> getActionErrors() {
        return actionErrors;
    }

    public Map<String, List<String>> getFieldErrors() {
        return fieldErrors;
    }

    public String getText(String name) {
        return name;
    }
}
