#pragma once
#include "codegen/core/ClassData.h"
#include "model/rules/JavaWords.h"
#include "model/store/Member.h"

#include <string>

// Java type of a domain field: String for 字符串 and 日期型, int, float, or
// the referenced class name itself.
std::string JavaTypeOf(const std::string& memberType);
// Java type of a domain field of the member: JavaTypeOf its type, or the
// wrapper (Integer, Float, Long) of a number whose column may hold NULL.
std::string FieldTypeOf(const TMember& member);
// Type of a query parameter or query property: String for the text-like
// types, otherwise the member type text (a referenced class).
std::string QueryTypeOf(const std::string& memberType);
// What the Action puts in the context for a drop-down of the referenced
// class R's objects, on a page of class C: rList, or for a class referring
// to itself db_rList (its query page's rows are already rList; no member
// name starts with db_).
std::string ChoiceListName(const std::string& C, const std::string& R);
// Type of the primary key in DAO signatures: String for 字符串, long for
// 长整型, else int.
std::string KeyTypeOf(const std::string& memberType);

// How a DAO finds an object by its key: GetBookByIsbn(String isbn); for a
// composite key GetOrderLineByKey(OrderLine _key), the object holding the
// key members (Hibernate takes such an object as the identifier; the name
// is no member's nor class variable's).
struct TKeyLookup {
    std::string get; // the DAO method's name
    std::string parameter; // its parameter: type and name
    std::string name; // the parameter's name
};
TKeyLookup KeyLookupOf(const TClassData& data);
