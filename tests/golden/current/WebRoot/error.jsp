<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<c:set var="origin" value="${requestScope['jakarta.servlet.forward.servlet_path']}"/>
<c:choose>
<c:when test="${origin == '/Category/Category_AddCategory.action' or origin == '/Category/Category_ModifyCategory.action'}"><jsp:include page="/Category_add.jsp"/></c:when>
<c:when test="${origin == '/Tag/Tag_AddTag.action' or origin == '/Tag/Tag_ModifyTag.action'}"><jsp:include page="/Tag_add.jsp"/></c:when>
<c:when test="${origin == '/Goods/Goods_AddGoods.action' or origin == '/Goods/Goods_ModifyGoods.action'}"><jsp:include page="/Goods_add.jsp"/></c:when>
<c:when test="${origin == '/Stock/Stock_AddStock.action' or origin == '/Stock/Stock_ModifyStock.action'}"><jsp:include page="/Stock_add.jsp"/></c:when>
<c:when test="${origin == '/GoodsView/GoodsView_AddGoodsView.action' or origin == '/GoodsView/GoodsView_ModifyGoodsView.action'}"><jsp:include page="/GoodsView_add.jsp"/></c:when>
<c:otherwise>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>操作失败</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / 操作结果</div>
<%
    Object text = request.getAttribute("error");
    pageContext.setAttribute("text", text == null ? "" : java.net.URLDecoder.decode(text.toString(), java.nio.charset.StandardCharsets.UTF_8));
%>
<div class="card">
<h1>操作失败</h1>
<p class="error"><c:out value="${text}"/></p>
<p><a class="btn" href="javascript:history.back()">返回</a> <a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</div>
</main>
</div>
</body>
</html>
</c:otherwise>
</c:choose>
