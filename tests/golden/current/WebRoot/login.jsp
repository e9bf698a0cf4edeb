<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>系统登录</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<div class="login">
<form class="card narrow" method="post" action="${ctx}/login_CheckLogin.action">
<input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>">
<h1>商店</h1>
<h2>系统登录</h2>
<c:if test="${not empty actionErrors}">
<ul class="errors">
<c:forEach items="${actionErrors}" var="_e"><li><c:out value="${_e}"/></li></c:forEach>
</ul>
</c:if>
<c:if test="${not empty applicationScope.adminProblem and empty actionErrors}"><ul class="errors"><li><c:out value="${applicationScope.adminProblem}"/></li></ul></c:if>
<c:if test="${not empty applicationScope.charsetProblem}"><ul class="errors"><li><c:out value="${applicationScope.charsetProblem}"/></li></ul></c:if>
<table class="form">
<tr><th>用户名</th><td><input type="text" name="username" value="<c:out value='${username}'/>"><c:forEach items="${fieldErrors['username']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>密码</th><td><input type="password" name="password"><c:forEach items="${fieldErrors['password']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
</table>
<p><input class="btn primary" type="submit" value="登录"></p>
</form>
</div>
</body>
</html>
