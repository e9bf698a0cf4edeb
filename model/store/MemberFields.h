#pragma once
#include "model/store/Member.h"

#include <string>
#include <vector>

struct TMemberEntry;

// The value columns of t_member, described once. The schema and its
// migrations, the store's SQL, the snapshot's read, the record the dialogs
// build, the model file, javagen-cli's options and listing, and the
// window's member table and check boxes all walk this table, so a new
// member field is a row here, a field of TMember and, when the user enters
// it, a field of TMemberEntry.
enum class TFieldKind {
    Text,
    Integer,
    Flag, // an integer holding 0 or 1
};

struct TMemberField {
    const char* column; // column of t_member
    TFieldKind kind;
    const char* sqlDefault; // the column's default in the schema
    int since; // schema version that added the column (0: the original table)

    // Access to the record's value: the text accessors for Text, the
    // integer ones otherwise.
    const std::string& (TMember::*getText)() const;
    void (TMember::*setText)(const std::string&);
    int (TMember::*getInt)() const;
    void (TMember::*setInt)(int);

    const char* jsonKey; // key in a model file; null when derived from another field
    const char* cliOption; // javagen-cli option ("primary" gives --primary and --no-primary); null when none
    const char* tableCaption; // column of the window's member table; null when not shown
    int tableWidth; // its width in pixels; 0 for the toolkit's default
    const char* checkBox; // object name of the dialogs' check box; null when none
    const char* checkCaption; // its caption
    bool TMemberEntry::*entryFlag; // what the check box or option sets in the entry; null when none
    int newValue; // what a new record holds
    // A value beside the flags that an entry carries as text (an option
    // --<cliOption> VALUE, a model-file key); null for the fields the
    // entry rules handle themselves (name, type, length, comment).
    std::string TMemberEntry::*entryText = nullptr;
    // The model file version that carries the field's key.
    int fileVersion = 1;
    // The CLI's help text of --<cliOption> VALUE (entry texts only).
    const char* cliHelp = nullptr;
};

// Every value column, in the order of the store's insert statement.
const std::vector<TMemberField>& MemberFields();

// The flags the user sets (check boxes, options, model file), in dialog order.
std::vector<const TMemberField*> EntryFlagFields();
// The flags the member table and javagen-cli's member list show.
std::vector<const TMemberField*> ListedFlagFields();
// The fields an entry carries as text beside the flags, in table order.
std::vector<const TMemberField*> EntryTextFields();

// "memberName,memberType,..." in table order.
std::string MemberValueColumnList();
