<%@ page contentType="text/html; charset=UTF-8" pageEncoding="UTF-8" %>
<%@ taglib prefix="c" uri="jakarta.tags.core" %>
<%@ taglib prefix="fn" uri="jakarta.tags.functions" %>
<c:set var="ctx" value="${pageContext.request.contextPath}"/>
<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="UTF-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>修改库存</title>
<link rel="stylesheet" href="${ctx}/static/app.css">
<script src="${ctx}/static/app.js" defer></script>
</head>
<body>
<%@ include file="/WEB-INF/jspf/frame.jspf" %>
<main class="content">
<div class="crumbs"><a href="${ctx}/user_ShowUser.action">首页</a> / <a href="${ctx}/Stock/Stock_QueryStock.action">库存</a> / 修改</div>
<c:if test="${empty stock}"><c:redirect url="/Stock/Stock_QueryStock.action"><c:param name="refused" value="1"/></c:redirect></c:if>
<div class="card">
<h1>修改库存</h1>
<c:if test="${not empty actionErrors}">
<ul class="errors">
<c:forEach items="${actionErrors}" var="_e"><li><c:out value="${_e}"/></li></c:forEach>
</ul>
</c:if>
<form method="post" action="${ctx}/Stock/Stock_ModifyStock.action">
<input type="hidden" name="_csrf" value="<c:out value='${sessionScope.csrfToken}'/>">
<input type="hidden" name="_loaded" value="<%= com.shop.utils.RowCheck.of(request.getAttribute("stock")) %>">
<table class="form">
<tr><th>商品</th><td><c:out value="${stock.goodsNo}"/><input type="hidden" name="stock.goodsNo" value="<c:out value='${stock.goodsNo}'/>"></td></tr>
<tr><th>仓库</th><td><c:out value="${stock.storeNo}"/><input type="hidden" name="stock.storeNo" value="<c:out value='${stock.storeNo}'/>"></td></tr>
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
