<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" isErrorPage="true" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<c:set var="status" value="${requestScope['jakarta.servlet.error.status_code']}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<title>出错了</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
</head>
<body class="plain">
<div class="card narrow">
<h1>出错了</h1>
<p class="error"><c:choose>
<c:when test="${status == 404}">您访问的页面不存在。</c:when>
<c:when test="${status == 400}">请求的参数不正确。</c:when>
<c:when test="${status == 401 or status == 403}">没有权限访问，请先登录。</c:when>
<c:when test="${status == 405}">不支持这种请求方式。</c:when>
<c:when test="${status == 415}">不接受这种请求内容（本系统没有文件上传）。</c:when>
<c:otherwise>服务器处理请求时出错，请稍后再试或联系管理员。</c:otherwise>
</c:choose></p>
<p><a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</div>
</body>
</html>
