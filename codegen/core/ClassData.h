#pragma once
#include "model/commands/ModelSnapshot.h"
#include "model/store/Member.h"

#include <string>
#include <vector>

// A query member as the DAO and Action generators need it, with what the
// referenced class's primary member tells about its key.
struct TQueryMember {
    std::string name;
    std::string type;
    std::string comment;
    bool textLike = false; // 字符串 or 日期型: String parameter, like condition
    bool integerKey = false; // reference whose class has an 整型 (or 长整型) key
    bool longKey = false; // that key is 长整型
    std::string keyName; // member name of the referenced primary member
    std::string keyCapital; // its capitalised form
    std::string displayName; // the referenced class's display member, shown for its objects
};

// A reference member and its referenced class's key.
struct TReferenceMember {
    std::string name;
    std::string type; // the referenced class name
    int queryFlag = 0;
    std::string comment;
    std::string keyName;
    std::string keyCapital;
    bool optional = false; // its column may hold NULL: an empty selection stores none
    bool textKey = false; // the referenced key is 字符串
    std::string displayName; // the referenced class's display member, shown for its objects
};

// A many-to-many member: a set of objects of another class, kept as pairs
// in a link table, chosen on the pages from a multiple selection.
struct TCollectionMember {
    std::string name;
    std::string type; // the other class
    std::string comment;
    std::string linkTable;
    std::string ownerColumn; // the link table's column naming this class's object
    std::string column; // the one naming the other class's object
    std::string keyName; // the other class's key member
    std::string keyCapital;
    std::string keyType; // its member type
    std::string displayName; // the other class's display member
};

// A member of the class, with what the mapping file needs: whether it is
// mapped as a property (memberIsPri 0) and, for a reference, the name of
// the referenced class's key (its foreign-key column).
struct TClassMember {
    TMember member;
    bool isNonPrimary = false;
    std::string referencedKey;
};

// One class as the generators see it: everything they write about the class
// is read from here, nothing from the database, and it owns all of it.
struct TClassData {
    int classId = 0;
    std::string name;
    std::string friendName;
    std::vector<TClassMember> members; // all members, in the store's order
    TMember primary; // the first primary member
    std::vector<TMember> keys; // every primary member: several for a table's composite key
    std::vector<TQueryMember> queryMembers; // queryFlag 1
    std::vector<TReferenceMember> references; // member type not a simple type
    std::vector<TCollectionMember> collections; // many-to-many: in none of the lists above
    bool cascade = false; // many-to-one lines carry cascade="save-update"
    std::string tableName; // imported from a database: the table it maps to
    bool readOnly = false; // a view: listed and queried, never written

    // An imported table whose key is several columns: an object is found
    // by an object of the class holding them.
    bool CompositeKey() const { return keys.size() > 1; }
    // The key members: all of a composite key, else the primary member.
    std::vector<TMember> KeyMembers() const { return CompositeKey() ? keys : std::vector<TMember> { primary }; }
};

// Whether a key is a number, and how it is made: "native" (the database
// assigns it) or "assigned" (the program gives it): an imported key says so,
// otherwise memberIsInteger decides, as the mapping file's identifier does.
bool IsNumberKey(const TMember& key);
std::string KeyGeneratorOf(const TMember& key);

// The generators' input for every class of a snapshot, in class order; the
// snapshot's rows move into it. Call after the run's checks have passed:
// every class has its primary member and every reference member's class
// has one. Throws TGenerationError otherwise.
std::vector<TClassData> BuildClassData(TModelSnapshot snapshot);
// The same for the class at one position of the snapshot only (a preview).
TClassData BuildOneClassData(const TModelSnapshot& snapshot, size_t index);
