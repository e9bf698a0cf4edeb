/*
 * Compile-only stand-in for the xwork2 class of the same name, used to compile
 * generated sources without the Struts 2 jars. It never runs: every method body
 * throws. Signatures follow the real library.
 */
package com.opensymphony.xwork2;

import java.io.Serializable;
import java.util.Map;

public class ActionContext implements Serializable {
    private static final long serialVersionUID = 1L;

    public static ActionContext getContext() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public Object get(Object key) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void put(String key, Object value) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public Map<String, Object> getSession() {
        throw new UnsupportedOperationException("compile-only stand-in");
    }

    public void setSession(Map<String, Object> session) {
        throw new UnsupportedOperationException("compile-only stand-in");
    }
}
