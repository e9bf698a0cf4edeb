<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>修改密码</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 修改密码</div>
<div class="card">
<h1>修改密码</h1>
<c:if test="${not empty sessionScope.passwordMustChange}"><p class="notice">这是初始密码，请先设置新密码再使用系统。</p></c:if>
<p>当前用户: <c:out value="${sessionScope.username}"/></p>
<c:if test="${not empty actionErrors}">
<ul class="errors">
<c:forEach items="${actionErrors}" var="_e"><li><c:out value="${_e}"/></li></c:forEach>
</ul>
</c:if>
<form method="post" action="${ctx}/changePassword_ChangePassword.action">
<input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>">
<table class="form">
<tr><th>原密码</th><td><input type="password" name="oldPassword"><c:forEach items="${fieldErrors['oldPassword']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>新密码</th><td><input type="password" name="newPassword"><c:forEach items="${fieldErrors['newPassword']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>确认新密码</th><td><input type="password" name="confirmPassword"><c:forEach items="${fieldErrors['confirmPassword']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
</table>
<p><input class="btn primary" type="submit" value="修改"> <a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</form>
</div>
</main>
</div>
</body>
</html>
