<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>操作成功</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 操作结果</div>
<%
    Object text = request.getAttribute("message");
    pageContext.setAttribute("text", text == null ? "" : java.net.URLDecoder.decode(text.toString(), java.nio.charset.StandardCharsets.UTF_8));
%>
<div class="card">
<h1>操作成功</h1>
<p class="message"><c:out value="${text}"/></p>
<p><a class="btn" href="javascript:history.back()">返回</a> <a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</div>
</main>
</div>
</body>
</html>
