package com.org.example.action;

import java.util.List;
import com.opensymphony.xwork2.ActionContext;
import com.opensymphony.xwork2.ActionSupport;
import com.org.example.dao.PersonDAO;
import com.org.example.domain.Person;
import com.org.example.dao.DeptDAO;
import com.org.example.domain.Dept;
import com.org.example.dao.DeptDAO;
import com.org.example.domain.Dept;
import com.org.example.test.TestUtil;

public class PersonAction extends ActionSupport {

    /*界面层需要查询的属性: 姓名---*/
    private String personName;
    public void setPersonName(String personName) {
        this.personName = personName;
    }
    public String getPersonName() {
        return this.personName;
    }

    /*界面层需要查询的属性: 工作部门*/
    private Dept workDept;
    public void setWorkDept(Dept workDept) {
        this.workDept = workDept;
    }
    public Dept getWorkDept() {
        return this.workDept;
    }

    /*关联对象属性: 所属部门 *\/*/
    private Dept homeDept;
    public void setHomeDept(Dept homeDept) {
        this.homeDept = homeDept;
    }
    public Dept getHomeDept() {
        return this.homeDept;
    }

    /*当前第几页*/
    private int currentPage;
    public void setCurrentPage(int currentPage) {
        this.currentPage = currentPage;
    }
    public int getCurrentPage() {
        return currentPage;
    }

    /*一共多少页*/
    private int totalPage;
    public void setTotalPage(int totalPage) {
        this.totalPage = totalPage;
    }
    public int getTotalPage() {
        return totalPage;
    }

    private int personId;
    public void setPersonId(int personId) {
        this.personId = personId;
    }
    public int getPersonId() {
        return personId;
    }

    /*当前查询的总记录数目*/
    private int recordNumber;
    public void setRecordNumber(int recordNumber) {
        this.recordNumber = recordNumber;
    }
    public int getRecordNumber() {
        return recordNumber;
    }

    /*业务层对象*/
    PersonDAO personDAO = new PersonDAO();

    /*待操作的Person对象*/
    private Person person;
    public void setPerson(Person person) {
        this.person = person;
    }
    public Person getPerson() {
        return this.person;
    }

    /*跳转到添加Person视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        /*查询所有的Dept信息*/
        DeptDAO deptDAO = new DeptDAO();
        List<Dept> deptList = deptDAO.QueryAllDeptInfo();
        ctx.put("deptList", deptList);
        return "add_view";
    }

    /*添加Person信息*/
    @SuppressWarnings("deprecation")
    public String AddPerson() {
        ActionContext ctx = ActionContext.getContext();
        try {
            DeptDAO deptDAO = new DeptDAO();
            homeDept = deptDAO.GetDeptByDeptNo(person.getHomeDept().getDeptNo());
            person.setHomeDept(homeDept);
            if(null == homeDept) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Dept不存在!"));
                return "error";
            }
            workDept = deptDAO.GetDeptByDeptNo(person.getWorkDept().getDeptNo());
            person.setWorkDept(workDept);
            if(null == workDept) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Dept不存在!"));
                return "error";
            }
            personDAO.AddPerson(person);
            ctx.put("message",  java.net.URLEncoder.encode("Person添加成功!"));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Person添加失败!"));
            return "error";
        }
    }

    /*查询Person信息*/
    public String QueryPerson() {
        if(currentPage == 0) currentPage = 1;
        if(personName == null) personName = "";
        List<Person> personList = personDAO.QueryPersonInfo(personName, workDept, currentPage);
        /*计算总的页数和总的记录数*/
        personDAO.CalculateTotalPageAndRecordNumber(personName, workDept);
        /*获取到总的页码数目*/
        totalPage = personDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = personDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("personList",  personList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        ctx.put("personName", personName);
        ctx.put("workDept", workDept);
        DeptDAO deptDAO = new DeptDAO();
        List<Dept> deptList = deptDAO.QueryAllDeptInfo();
        ctx.put("deptList", deptList);
        return "query_view";
    }

    /*查询要修改的Person信息*/
    public String ModifyPersonQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据主键personId获取Person对象*/
        Person person = personDAO.GetPersonByPersonId(personId);

        DeptDAO deptDAO = new DeptDAO();
        List<Dept> deptList = deptDAO.QueryAllDeptInfo();
        ctx.put("deptList", deptList);
        ctx.put("person",  person);
        return "modify_view";
    }

    /*更新修改Person信息*/
    public String ModifyPerson() {
        ActionContext ctx = ActionContext.getContext();
        try {
            DeptDAO deptDAO = new DeptDAO();
            homeDept = deptDAO.GetDeptByDeptNo(person.getHomeDept().getDeptNo());
            person.setHomeDept(homeDept);
            if(null == homeDept) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Dept不存在!"));
                return "error";
            }
            workDept = deptDAO.GetDeptByDeptNo(person.getWorkDept().getDeptNo());
            person.setWorkDept(workDept);
            if(null == workDept) {
                ctx.put("error",  java.net.URLEncoder.encode("所选的Dept不存在!"));
                return "error";
            }
            personDAO.UpdatePerson(person);
            ctx.put("message",  java.net.URLEncoder.encode("Person信息更新成功!"));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Person信息更新失败!"));
            return "error";
       }
   }

    /*删除Person信息*/
    public String DeletePerson() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            personDAO.DeletePerson(personId);
            ctx.put("message",  java.net.URLEncoder.encode("Person删除成功!"));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Person删除失败!"));
            return "error";
        }
    }

}
