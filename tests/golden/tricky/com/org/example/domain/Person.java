package com.org.example.domain;

public class Person {
    /*编号*\/*/
    private int personId;
    public int getPersonId() {
        return personId;
    }
    public void setPersonId(int personId) {
        this.personId = personId;
    }

    /*姓名---*/
    private String personName;
    public String getPersonName() {
        return personName;
    }
    public void setPersonName(String personName) {
        this.personName = personName;
    }

    /*所属部门 *\/*/
    private Dept homeDept;
    public Dept getHomeDept() {
        return homeDept;
    }
    public void setHomeDept(Dept homeDept) {
        this.homeDept = homeDept;
    }

    /*工作部门*/
    private Dept workDept;
    public Dept getWorkDept() {
        return workDept;
    }
    public void setWorkDept(Dept workDept) {
        this.workDept = workDept;
    }

    /*生日--*/
    private String birthday;
    public String getBirthday() {
        return birthday;
    }
    public void setBirthday(String birthday) {
        this.birthday = birthday;
    }

}