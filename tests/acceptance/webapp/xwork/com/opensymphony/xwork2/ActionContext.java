/*
 * A working stand-in for the xwork2 class of the same name, for the page
 * test's dispatcher (PageServer), which stands in for Struts: one context
 * per request, on its thread, with the request's values and the session.
 */
package com.opensymphony.xwork2;

import java.util.HashMap;
import java.util.Map;

public class ActionContext {
    private static final ThreadLocal<ActionContext> current = new ThreadLocal<ActionContext>();

    private final Map<String, Object> values = new HashMap<String, Object>();
    private Map<String, Object> session = new HashMap<String, Object>();

    public static ActionContext getContext() {
        return current.get();
    }

    public static void setContext(ActionContext context) {
        current.set(context);
    }

    public Object get(Object key) {
        return values.get(key);
    }

    public void put(String key, Object value) {
        values.put(key, value);
    }

    public Map<String, Object> getSession() {
        return session;
    }

    public void setSession(Map<String, Object> session) {
        this.session = session;
    }
}
