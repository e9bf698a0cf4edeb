package com.org.example.domain;

public class Dept {
    /*部门"编号" \ 路径 \\u0041*/
    private String deptNo;
    public String getDeptNo() {
        return deptNo;
    }
    public void setDeptNo(String deptNo) {
        this.deptNo = deptNo;
    }

    /*名称 -- 注释 *\/ 结束 -*/
    private String deptName;
    public String getDeptName() {
        return deptName;
    }
    public void setDeptName(String deptName) {
        this.deptName = deptName;
    }

}