#pragma once
#include <string>

// What the member dialog holds when "确定" is pressed.
struct TMemberEntry {
    std::string name;
    std::string type; // the type list's text: a simple type or a class name
    std::string lengthText; // read only for "字符串"
    bool isPri = false;
    bool isMust = false;
    bool queryFlag = false;
    bool isDisplay = false;
    bool queryDisplay = true;
    std::string comment;
    // What an import (or a model file) knows of the member's column; empty
    // for the dialogs.
    std::string columnName;
    bool nullable = false;
    std::string keyGenerator; // "", "native" or "assigned"
    std::string precision; // 定点数 only; empty or "0" when not given
    std::string scale;
    std::string filled; // "", "default" or "always": see TMember::GetColumnFilled
    std::string choices; // "red|green" or empty: see TMember::GetMemberChoices
    std::string linkTable; // a many-to-many member's: see TMember::GetLinkTable
    std::string linkColumn;
    std::string choiceMode; // "" or "several": see TMember::GetChoiceMode
};
