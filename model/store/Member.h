#pragma once
#include <string>

// One member of a class, a field per column of t_member. Flags hold 0 or 1;
// a new record starts with every flag 0 but memberQueryDisplay 1.
class TMember {
public:
    int GetMemberId() const { return memberId_; }
    void SetMemberId(int value) { memberId_ = value; }
    int GetProjectId() const { return projectId_; }
    void SetProjectId(int value) { projectId_ = value; }
    int GetClassId() const { return classId_; }
    void SetClassId(int value) { classId_ = value; }
    const std::string& GetMemberName() const { return memberName_; }
    void SetMemberName(const std::string& value) { memberName_ = value; }
    const std::string& GetMemberType() const { return memberType_; }
    void SetMemberType(const std::string& value) { memberType_ = value; }
    int GetMemberLength() const { return memberLength_; }
    void SetMemberLength(int value) { memberLength_ = value; }
    int GetMemberIsPri() const { return memberIsPri_; }
    void SetMemberIsPri(int value) { memberIsPri_ = value; }
    const std::string& GetMemberComment() const { return memberComment_; }
    void SetMemberComment(const std::string& value) { memberComment_ = value; }
    int GetMemberIsMust() const { return memberIsMust_; }
    void SetMemberIsMust(int value) { memberIsMust_ = value; }
    int GetMemberIsInteger() const { return memberIsInteger_; }
    void SetMemberIsInteger(int value) { memberIsInteger_ = value; }
    int GetMemberIsFloat() const { return memberIsFloat_; }
    void SetMemberIsFloat(int value) { memberIsFloat_ = value; }
    int GetQueryFlag() const { return queryFlag_; }
    void SetQueryFlag(int value) { queryFlag_ = value; }
    int GetMemberIsDisplay() const { return memberIsDisplay_; }
    void SetMemberIsDisplay(int value) { memberIsDisplay_ = value; }
    int GetMemberQueryDisplay() const { return memberQueryDisplay_; }
    void SetMemberQueryDisplay(int value) { memberQueryDisplay_ = value; }

    // What a member imported from a database knows of its column; empty or
    // 0 for a member entered in the dialogs, which generates as it always has.
    const std::string& GetColumnName() const { return columnName_; }
    void SetColumnName(const std::string& value) { columnName_ = value; }
    int GetMemberNullable() const { return memberNullable_; }
    void SetMemberNullable(int value) { memberNullable_ = value; }
    // For a key: "native" (the database assigns it), "assigned" (the
    // application does), or empty (memberIsInteger decides).
    const std::string& GetKeyGenerator() const { return keyGenerator_; }
    void SetKeyGenerator(const std::string& value) { keyGenerator_ = value; }
    // For a 定点数: digits in all and after the point; 0 when not given.
    int GetMemberPrecision() const { return memberPrecision_; }
    void SetMemberPrecision(int value) { memberPrecision_ = value; }
    int GetMemberScale() const { return memberScale_; }
    void SetMemberScale(int value) { memberScale_ = value; }
    // Whether the database fills the column: "default" (its default when
    // the page leaves it empty), "always" (ON UPDATE or a generated column:
    // the application never writes it), or empty.
    const std::string& GetColumnFilled() const { return columnFilled_; }
    void SetColumnFilled(const std::string& value) { columnFilled_ = value; }
    // For a text: the values it may take ("red|green", from an ENUM), or
    // empty for any text.
    const std::string& GetMemberChoices() const { return memberChoices_; }
    void SetMemberChoices(const std::string& value) { memberChoices_ = value; }
    // A many-to-many member (its type a class): the link table that holds
    // the pairs and its column that names this class's object; the column
    // naming the other class's object is the column name. Empty otherwise.
    // "several" when a text with choices holds several of them joined by
    // "," (a SET column); empty when it holds one.
    const std::string& GetChoiceMode() const { return choiceMode_; }
    void SetChoiceMode(const std::string& value) { choiceMode_ = value; }
    const std::string& GetLinkTable() const { return linkTable_; }
    void SetLinkTable(const std::string& value) { linkTable_ = value; }
    const std::string& GetLinkColumn() const { return linkColumn_; }
    void SetLinkColumn(const std::string& value) { linkColumn_ = value; }

private:
    int memberId_ = 0;
    int projectId_ = 0;
    int classId_ = 0;
    std::string memberName_;
    std::string memberType_;
    int memberLength_ = 0;
    int memberIsPri_ = 0;
    std::string memberComment_;
    int memberIsMust_ = 0;
    int memberIsInteger_ = 0;
    int memberIsFloat_ = 0;
    int queryFlag_ = 0;
    int memberIsDisplay_ = 0;
    int memberQueryDisplay_ = 1;
    std::string columnName_;
    int memberNullable_ = 0;
    std::string keyGenerator_;
    int memberPrecision_ = 0;
    int memberScale_ = 0;
    std::string columnFilled_;
    std::string memberChoices_;
    std::string linkTable_;
    std::string linkColumn_;
    std::string choiceMode_;
};
