package com.org.example.action;

import java.util.List;
import com.opensymphony.xwork2.ActionContext;
import com.opensymphony.xwork2.ActionSupport;
import com.org.example.dao.DeptDAO;
import com.org.example.domain.Dept;
import com.org.example.test.TestUtil;

public class DeptAction extends ActionSupport {

    /*界面层需要查询的属性: 名称 -- 注释 *\/ 结束 -*/
    private String deptName;
    public void setDeptName(String deptName) {
        this.deptName = deptName;
    }
    public String getDeptName() {
        return this.deptName;
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

    private String deptNo;
    public void setDeptNo(String deptNo) {
        this.deptNo = deptNo;
    }
    public String getDeptNo() {
        return deptNo;
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
    DeptDAO deptDAO = new DeptDAO();

    /*待操作的Dept对象*/
    private Dept dept;
    public void setDept(Dept dept) {
        this.dept = dept;
    }
    public Dept getDept() {
        return this.dept;
    }

    /*跳转到添加Dept视图*/
    public String AddView() {
        ActionContext ctx = ActionContext.getContext();
        return "add_view";
    }

    /*添加Dept信息*/
    @SuppressWarnings("deprecation")
    public String AddDept() {
        ActionContext ctx = ActionContext.getContext();
        if(null == dept) {
            ctx.put("error",  java.net.URLEncoder.encode("Dept添加失败!"));
            return "error";
        }
        /*验证部门"编号" \ 路径 \\u0041是否已经存在*/
        String deptNo = dept.getDeptNo();
        Dept db_dept = deptDAO.GetDeptByDeptNo(deptNo);
        if(null != db_dept) {
            ctx.put("error",  java.net.URLEncoder.encode("该部门\"编号\" \\ 路径 \\u0041已经存在!"));
            return "error";
        }
        try {
            deptDAO.AddDept(dept);
            ctx.put("message",  java.net.URLEncoder.encode("Dept添加成功!"));
            return "add_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Dept添加失败!"));
            return "error";
        }
    }

    /*查询Dept信息*/
    public String QueryDept() {
        if(currentPage == 0) currentPage = 1;
        if(deptName == null) deptName = "";
        List<Dept> deptList = deptDAO.QueryDeptInfo(deptName, currentPage);
        /*计算总的页数和总的记录数*/
        deptDAO.CalculateTotalPageAndRecordNumber(deptName);
        /*获取到总的页码数目*/
        totalPage = deptDAO.getTotalPage();
        /*当前查询条件下总记录数*/
        recordNumber = deptDAO.getRecordNumber();
        ActionContext ctx = ActionContext.getContext();
        ctx.put("deptList",  deptList);
        ctx.put("totalPage", totalPage);
        ctx.put("recordNumber", recordNumber);
        ctx.put("currentPage", currentPage);
        ctx.put("deptName", deptName);
        return "query_view";
    }

    /*查询要修改的Dept信息*/
    public String ModifyDeptQuery() {
        ActionContext ctx = ActionContext.getContext();
        /*根据主键deptNo获取Dept对象*/
        Dept dept = deptDAO.GetDeptByDeptNo(deptNo);

        ctx.put("dept",  dept);
        return "modify_view";
    }

    /*更新修改Dept信息*/
    public String ModifyDept() {
        ActionContext ctx = ActionContext.getContext();
        try {
            deptDAO.UpdateDept(dept);
            ctx.put("message",  java.net.URLEncoder.encode("Dept信息更新成功!"));
            return "modify_success";
        } catch (Exception e) {
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Dept信息更新失败!"));
            return "error";
       }
   }

    /*删除Dept信息*/
    public String DeleteDept() {
        ActionContext ctx = ActionContext.getContext();
        try { 
            deptDAO.DeleteDept(deptNo);
            ctx.put("message",  java.net.URLEncoder.encode("Dept删除成功!"));
            return "delete_success";
        } catch (Exception e) { 
            e.printStackTrace();
            ctx.put("error",  java.net.URLEncoder.encode("Dept删除失败!"));
            return "error";
        }
    }

}
