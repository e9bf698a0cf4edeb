package com.$packageName.utils;

import java.util.Calendar;

@@legacy@@import com.opensymphony.xwork2.validator.ValidationException;
@@legacy@@import com.opensymphony.xwork2.validator.validators.FieldValidatorSupport;
@@current@@import org.apache.struts2.validator.ValidationException;
@@current@@import org.apache.struts2.validator.validators.FieldValidatorSupport;

/**
 * 居民身份证号码字段校验器.
 * 接受 18 位号码: 前 17 位是数字, 第 7 到 14 位是有效的出生日期 yyyyMMdd,
 * 最后一位是按 GB 11643 计算的校验码(0-9 或 X, 小写 x 也接受).
 * 空值不在这里报错, 是否必填由 requiredstring 校验器负责.
 *
 * 在 src/validators.xml 中注册后, 校验文件里即可用 type="cardid":
 *   <validator name="cardid" class="com.$packageName.utils.CardIdFieldValidator"/>
 */
public class CardIdFieldValidator extends FieldValidatorSupport {

    /*前 17 位数字各自的加权因子*/
    private static final int[] WEIGHTS = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};

    /*加权和除以 11 的余数 0..10 对应的校验码*/
    private static final String CHECK_CODES = "10X98765432";

    public void validate(Object object) throws ValidationException {
        String fieldName = getFieldName();
        Object value = getFieldValue(fieldName, object);
        if (value == null) {
            return;
        }
        String cardId = value.toString().trim();
        if (cardId.length() == 0) {
            return;
        }
        if (!isValidCardId(cardId)) {
            addFieldError(fieldName, object);
        }
    }

    /*判断一个 18 位身份证号码是否有效*/
    public static boolean isValidCardId(String cardId) {
        if (cardId == null || cardId.length() != 18) {
            return false;
        }
        int sum = 0;
        for (int i = 0; i < 17; i++) {
            char ch = cardId.charAt(i);
            if (ch < '0' || ch > '9') {
                return false;
            }
            sum += (ch - '0') * WEIGHTS[i];
        }
        char check = cardId.charAt(17);
        if (check == 'x') {
            check = 'X';
        }
        if (check != CHECK_CODES.charAt(sum % 11)) {
            return false;
        }
        return isValidBirthDate(cardId.substring(6, 14));
    }

    /*判断 8 位数字 yyyyMMdd 是否为 1900 年以来且不晚于今天的一个真实日期*/
    static boolean isValidBirthDate(String yyyyMMdd) {
        int year = Integer.parseInt(yyyyMMdd.substring(0, 4));
        int month = Integer.parseInt(yyyyMMdd.substring(4, 6));
        int day = Integer.parseInt(yyyyMMdd.substring(6, 8));
        if (year < 1900 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
            return false;
        }
        Calendar today = Calendar.getInstance();
        int todayValue = today.get(Calendar.YEAR) * 10000 + (today.get(Calendar.MONTH) + 1) * 100
                + today.get(Calendar.DAY_OF_MONTH);
        return year * 10000 + month * 100 + day <= todayValue;
    }

    private static int daysInMonth(int year, int month) {
        switch (month) {
            case 2:
                boolean leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
                return leap ? 29 : 28;
            case 4:
            case 6:
            case 9:
            case 11:
                return 30;
            default:
                return 31;
        }
    }
}
