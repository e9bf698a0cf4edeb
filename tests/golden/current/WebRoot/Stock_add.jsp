<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<c:set var="_origin" value="${requestScope['jakarta.servlet.forward.servlet_path']}"/>
<c:if test="${_origin != '/Stock/Stock_AddView.action' and _origin != '/Stock/Stock_AddStock.action' and _origin != '/Stock/Stock_ModifyStock.action'}">
<c:redirect url="/Stock/Stock_QueryStock.action"><c:param name="refused" value="1"/></c:redirect>
</c:if>
<c:set var="_modifying" value="${_origin == '/Stock/Stock_ModifyStock.action'}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title><c:choose><c:when test="${_modifying}">修改库存</c:when><c:otherwise>添加库存</c:otherwise></c:choose></title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / <a href="${ctx}/Stock/Stock_QueryStock.action">库存</a> / <c:choose><c:when test="${_modifying}">修改</c:when><c:otherwise>添加</c:otherwise></c:choose></div>
<div class="card">
<h1><c:choose><c:when test="${_modifying}">修改库存</c:when><c:otherwise>添加库存</c:otherwise></c:choose></h1>
<c:if test="${not empty actionErrors}">
<ul class="errors">
<c:forEach items="${actionErrors}" var="_e"><li><c:out value="${_e}"/></li></c:forEach>
</ul>
</c:if>
<c:if test="${not empty requestScope.error}">
<%
    pageContext.setAttribute("_refusal", java.net.URLDecoder.decode(request.getAttribute("error").toString(), java.nio.charset.StandardCharsets.UTF_8));
%>
<ul class="errors"><li>库存未保存: <c:out value="${_refusal}"/></li>
<c:if test="${requestScope._rowRefusal == 'gone'}"><li>该库存不存在，可能已被删除!</li></c:if>
<c:if test="${requestScope._rowRefusal == 'changed'}"><li>该库存在您打开后已被其他用户修改，您的输入尚未保存：请核对，再次保存将覆盖其修改!</li></c:if>
</ul>
</c:if>
<form method="post" action="${ctx}/Stock/${_modifying ? 'Stock_ModifyStock' : 'Stock_AddStock'}.action">
<input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>">
<c:if test="${_modifying}"><input type="hidden" name="_loaded" value="<c:out value='${empty requestScope._rowNow ? param._loaded : requestScope._rowNow}'/>"></c:if>
<table class="form">
<c:choose><c:when test="${_modifying}">
<tr><th>商品</th><td><c:out value="${stock.goodsNo}"/><input type="hidden" name="stock.goodsNo" value="<c:out value='${stock.goodsNo}'/>"></td></tr>
<tr><th>仓库</th><td><c:out value="${stock.storeNo}"/><input type="hidden" name="stock.storeNo" value="<c:out value='${stock.storeNo}'/>"></td></tr>
</c:when><c:otherwise>
<tr><th>商品<span class="required">*</span></th><td><input type="number" step="1" name="stock.goodsNo" value="<c:out value='${not empty paramValues["stock.goodsNo"] ? param["stock.goodsNo"] : stock.goodsNo}'/>"><c:forEach items="${fieldErrors['stock.goodsNo']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
<tr><th>仓库<span class="required">*</span></th><td><input type="text" name="stock.storeNo" maxlength="10" value="<c:out value='${not empty paramValues["stock.storeNo"] ? param["stock.storeNo"] : stock.storeNo}'/>"><c:forEach items="${fieldErrors['stock.storeNo']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
</c:otherwise></c:choose>
<tr><th>数量<span class="required">*</span></th><td><input type="number" step="1" name="stock.amount" value="<c:out value='${not empty paramValues["stock.amount"] ? param["stock.amount"] : stock.amount}'/>"><c:forEach items="${fieldErrors['stock.amount']}" var="_e"><span class="error"><c:out value="${_e}"/></span></c:forEach></td></tr>
</table>
<p><span class="required">*</span> 为必填项</p>
<p><input class="btn primary" type="submit" value="保存"> <a class="btn" href="${ctx}/Stock/Stock_QueryStock.action">返回列表</a> <a class="btn" href="${ctx}/user_ShowUser.action">返回主页</a></p>
</form>
</div>
</main>
</div>
</body>
</html>
