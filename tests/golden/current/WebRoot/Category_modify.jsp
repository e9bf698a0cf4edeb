<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>修改分类</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / <a href="${ctx}/Category/Category_QueryCategory.action">分类</a> / 修改</div>
<c:if test="${empty category}"><c:redirect url="/Category/Category_QueryCategory.action"><c:param name="refused" value="1"/></c:redirect></c:if>
<jsp:useBean id="_choices" class="com.shop.utils.ChoiceLimit"/>
<c:if test="${db_categoryList == null}">
<jsp:useBean id="categoryDAO" class="com.shop.dao.CategoryDAO"/>
<c:set var="db_categoryList" value="${categoryDAO.QueryAllCategoryInfo()}"/>
</c:if>
<div class="card">
<h1>修改分类</h1>
<c:if test="${not empty actionErrors}">
<ul class="errors">
<c:forEach items="${actionErrors}" var="_e"><li><c:out value="${_e}"/></li></c:forEach>
</ul>
</c:if>
<form method="post" action="${ctx}/Category/Category_ModifyCategory.action">
<input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>">
<input type="hidden" name="_loaded" value="<%= com.shop.utils.RowCheck.of(request.getAttribute("category")) %>">
<table class="form">
<tr><th>分类编号</th><td><c:out value="${category.categoryId}"/><input type="hidden" name="category.categoryId" value="<c:out value='${category.categoryId}'/>"></td></tr>
<tr><th>名称<span class="required">*</span></th><td><input type="text" name="category.title" maxlength="40" value="<c:out value='${not empty paramValues["category.title"] ? param["category.title"] : category.title}'/>"><c:forEach items="${fieldErrors['category.title']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>上级分类</th><td><c:choose><c:when test="${(empty db_categoryList ? _choices.count('Category') : fn:length(db_categoryList)) > 200}"><span class="picker" data-url="${ctx}/pick.json" data-entity="Category" data-display="title" data-none="0"><input type="hidden" name="category.parent.categoryId" value="<c:out value='${(not empty paramValues["category.parent.categoryId"] ? param["category.parent.categoryId"] : category.parent.categoryId)}'/>"><input type="text" value="<c:out value='${category.parent.title}'/>" placeholder="输入以搜索"></span></c:when><c:otherwise><select name="category.parent.categoryId"><option value="0">（无）</option><c:forEach items="${db_categoryList}" var="_item"><option value="<c:out value='${_item.categoryId}'/>"<c:if test="${fn:trim(_item.categoryId) == fn:trim((not empty paramValues['category.parent.categoryId'] ? param['category.parent.categoryId'] : category.parent.categoryId))}"> selected</c:if>><c:out value="${_item.title}"/></option></c:forEach></select></c:otherwise></c:choose><c:forEach items="${fieldErrors['category.parent.categoryId']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
</table>
<p><span class="required">*</span> 为必填项</p>
<p><input class="btn primary" type="submit" value="保存"> <a class="btn" href="${ctx}/Category/Category_QueryCategory.action">返回列表</a> <a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</form>
</div>
</main>
</div>
</body>
</html>
