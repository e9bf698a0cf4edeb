package com.$packageName.utils;

import java.math.BigDecimal;
import java.math.BigInteger;
import java.text.ParsePosition;
import java.text.SimpleDateFormat;

@@legacy@@import javax.servlet.http.HttpServletRequest;
@@current@@import jakarta.servlet.http.HttpServletRequest;

import org.apache.struts2.ServletActionContext;

@@legacy@@import com.opensymphony.xwork2.validator.ValidationException;
@@legacy@@import com.opensymphony.xwork2.validator.validators.FieldValidatorSupport;
@@current@@import org.apache.struts2.validator.ValidationException;
@@current@@import org.apache.struts2.validator.validators.FieldValidatorSupport;

/**
 * 按表单提交的原文校验一个字段(字段名就是请求参数名), 在数据转换之前把错误的输入挡住:
 * 空着的必填数字不会被当作 0 保存, 不存在的日期不会原样存入数据库.
 * 在 src/validators.xml 中注册为 type="input", 参数 rule 选择规则:
 *   required  必须填写(不能只有空格)
 *   int long float decimal  填写时必须是该类型范围内的数(半角数字; 全角数字不接受)
 *   digits  小数的位数: 整数部分最多 precision - scale 位, 小数部分最多 scale 位(多出的不四舍五入, 不接受)
 *   date time datetime  填写时必须是存在的(半角数字的)日期 yyyy-MM-dd、时间 HH:mm:ss、日期时间 yyyy-MM-dd HH:mm:ss
 *   maxlength  填写时不能超过参数 maxLength 个字符
 *   choice  填写时必须是参数 choices 中的一个(各值按 UTF-8 百分号编码, 以逗号分隔)
 *   choices  可以选多个(同名的多个参数), 每一个都必须是参数 choices 中的一个
 */
public class InputFieldValidator extends FieldValidatorSupport {

    private String rule = "required";
    public void setRule(String rule) {
        this.rule = rule;
    }
    public String getRule() {
        return rule;
    }

    private int maxLength;
    public void setMaxLength(int maxLength) {
        this.maxLength = maxLength;
    }
    public int getMaxLength() {
        return maxLength;
    }

    private int precision;

    public void setPrecision(int precision) {
        this.precision = precision;
    }

    public int getPrecision() {
        return precision;
    }

    private int scale;

    public void setScale(int scale) {
        this.scale = scale;
    }

    public int getScale() {
        return scale;
    }

    private String choices = "";
    public void setChoices(String choices) {
        this.choices = choices;
    }
    public String getChoices() {
        return choices;
    }

    public void validate(Object object) throws ValidationException {
        String field = getFieldName();
        HttpServletRequest request = ServletActionContext.getRequest();
        String value = request == null ? null : request.getParameter(field);
        boolean blank = value == null || value.trim().length() == 0;
        if ("choices".equals(rule)) {
            String[] values = request == null ? null : request.getParameterValues(field);
            for (int i = 0; values != null && i < values.length; i++) {
                if (values[i].trim().length() > 0 && !isChoice(values[i].trim())) {
                    addFieldError(field, object);
                    return;
                }
            }
            return;
        }
        if ("required".equals(rule)) {
            if (blank) {
                addFieldError(field, object);
            }
            return;
        }
        if (!blank && !accepts(value.trim())) {
            addFieldError(field, object);
        }
    }

    /*填写了的值是否符合规则*/
    boolean accepts(String value) {
        if ("int".equals(rule)) {
            return inRange(value, Integer.MIN_VALUE, Integer.MAX_VALUE);
        }
        if ("long".equals(rule)) {
            return inRange(value, Long.MIN_VALUE, Long.MAX_VALUE);
        }
        if ("float".equals(rule)) {
            try {
                float number = Float.parseFloat(value);
                return !Float.isNaN(number) && !Float.isInfinite(number) && value.matches("[-+]?[0-9.eE+-]+");
            } catch (NumberFormatException e) {
                return false;
            }
        }
        if ("double".equals(rule)) {
            try {
                double number = Double.parseDouble(value);
                return !Double.isNaN(number) && !Double.isInfinite(number) && value.matches("[-+]?[0-9.eE+-]+");
            } catch (NumberFormatException e) {
                return false;
            }
        }
        if ("decimal".equals(rule)) {
            return DECIMAL.matcher(value).matches();
        }
        if ("digits".equals(rule)) {
            if (!DECIMAL.matcher(value).matches()) {
                return true;
            }
            BigDecimal number = new BigDecimal(value.startsWith("+") ? value.substring(1) : value);
            if (number.signum() == 0) {
                return true;
            }
            number = number.stripTrailingZeros();
            return Math.max(number.scale(), 0) <= scale && number.precision() - number.scale() <= precision - scale;
        }
        if ("date".equals(rule)) {
            return isDate(value, "yyyy-MM-dd");
        }
        if ("time".equals(rule)) {
            return isDate(value, "HH:mm:ss") || isDate(value, "HH:mm");
        }
        if ("datetime".equals(rule)) {
            return isDate(value, "yyyy-MM-dd HH:mm:ss");
        }
        if ("maxlength".equals(rule)) {
            return value.codePointCount(0, value.length()) <= maxLength;
        }
        if ("choice".equals(rule)) {
            return isChoice(value);
        }
        return true;
    }

    /*小数: 半角数字, 可带符号、小数点和指数*/
    private static final java.util.regex.Pattern DECIMAL =
            java.util.regex.Pattern.compile("[-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][-+]?[0-9]{1,4})?");

    /*是否为参数 choices 中的一个值*/
    boolean isChoice(String value) {
        for (String choice : choices.split(",")) {
            try {
                if (java.net.URLDecoder.decode(choice, "UTF-8").equals(value)) {
                    return true;
                }
            } catch (java.io.UnsupportedEncodingException e) {
                return false;
            }
        }
        return false;
    }

    private static boolean inRange(String value, long min, long max) {
        if (!value.matches("[-+]?[0-9]{1,20}")) {
            return false;
        }
        BigInteger number = new BigInteger(value.startsWith("+") ? value.substring(1) : value);
        return number.compareTo(BigInteger.valueOf(min)) >= 0 && number.compareTo(BigInteger.valueOf(max)) <= 0;
    }

    /*按格式严格解析: 2021-02-30、2021/13/45 之类都不接受*/
    private static boolean isDate(String value, String pattern) {
        if (value.length() != pattern.length() || !value.matches("[0-9: -]+")) {
            return false;
        }
        SimpleDateFormat format = new SimpleDateFormat(pattern);
        format.setLenient(false);
        ParsePosition position = new ParsePosition(0);
        return format.parse(value, position) != null && position.getIndex() == value.length();
    }
}
