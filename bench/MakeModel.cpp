// Writes a benchmark model straight into a new projects.mdb: CLASSES classes
// of 20 members each (a key, a display member, simple members of every type,
// a third of the text members searchable), in one of three shapes:
//   none   no references between classes;
//   chain  each class refers to the one before it;
//   web    each class refers to 1 to 3 random earlier classes, some of the
//          references searchable.
//   bench_make_model FILE CLASSES [none|chain|web]
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

void Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error ? error : "sqlite error");
        std::exit(1);
    }
}

const char* const kSchema = R"SQL(
create table t_project(projectId integer primary key autoincrement, projectName text not null default '');
create table t_class(classId integer primary key autoincrement, projectId integer not null default 0,
    className text not null default '', friendName text not null default '');
create table t_member(memberId integer primary key autoincrement, projectId integer not null default 0,
    classId integer not null default 0, memberName text not null default '', memberType text not null default '',
    memberLength integer not null default 0, memberIsPri integer not null default 0,
    memberComment text not null default '', memberIsMust integer not null default 0,
    memberIsInteger integer not null default 0, memberIsFloat integer not null default 0,
    queryFlag integer not null default 0, memberIsDisplay integer not null default 0,
    memberQueryDisplay integer not null default 1);
create index ix_class_project on t_class(projectId, className);
create index ix_member_class on t_member(classId);
)SQL";

struct TRow {
    std::string name;
    std::string type;
    bool query = false;
};

// The 20 members of class c (1-based).
std::vector<TRow> Members(int c, const std::string& shape, std::mt19937& random)
{
    static const char* const simple[] = { "字符串", "整型", "浮点型", "日期型" };
    std::vector<TRow> rows;
    rows.push_back({ "key0", c % 2 ? "整型" : "字符串" });
    rows.push_back({ "field1", "字符串" });
    std::vector<int> targets;
    if (shape == "chain" && c > 1)
        targets.push_back(c - 1);
    if (shape == "web" && c > 1) {
        int count = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < count; ++i)
            targets.push_back(1 + static_cast<int>(random() % static_cast<unsigned>(c - 1)));
    }
    for (size_t i = 0; i < targets.size(); ++i)
        rows.push_back({ "ref" + std::to_string(i), "Entity" + std::to_string(targets[i]), random() % 2 == 0 });
    for (int m = static_cast<int>(rows.size()); m < 20; ++m) {
        std::string type = simple[m % 4];
        bool textLike = type == "字符串" || type == "日期型";
        rows.push_back({ "field" + std::to_string(m), type, textLike && m % 3 == 1 });
    }
    return rows;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: bench_make_model FILE CLASSES [none|chain|web]\n");
        return 2;
    }
    std::remove(argv[1]);
    int classes = std::atoi(argv[2]);
    std::string shape = argc == 4 ? argv[3] : "none";
    sqlite3* db = nullptr;
    if (sqlite3_open(argv[1], &db) != SQLITE_OK)
        return 1;
    Exec(db, kSchema);
    Exec(db, "begin; insert into t_project(projectName) values ('Bench');");
    sqlite3_stmt* cls = nullptr;
    sqlite3_stmt* mem = nullptr;
    sqlite3_prepare_v2(db, "insert into t_class(projectId,className,friendName) values (1,?,?)", -1, &cls, nullptr);
    sqlite3_prepare_v2(db,
        "insert into t_member(projectId,classId,memberName,memberType,memberLength,memberIsPri,"
        "memberComment,memberIsMust,memberIsInteger,memberIsFloat,queryFlag,memberIsDisplay,"
        "memberQueryDisplay) values (1,?,?,?,?,?,?,?,?,?,?,?,1)",
        -1, &mem, nullptr);
    std::mt19937 random(20261208);
    for (int c = 1; c <= classes; ++c) {
        std::string name = "Entity" + std::to_string(c);
        sqlite3_bind_text(cls, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(cls, 2, ("实体" + std::to_string(c)).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(cls);
        sqlite3_reset(cls);
        int m = 0;
        for (const TRow& row : Members(c, shape, random)) {
            sqlite3_bind_int(mem, 1, c);
            sqlite3_bind_text(mem, 2, row.name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(mem, 3, row.type.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(mem, 4, row.type == "字符串" ? 40 : 0);
            sqlite3_bind_int(mem, 5, m == 0);
            sqlite3_bind_text(mem, 6, ("成员注释 " + std::to_string(m)).c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(mem, 7, row.type != "字符串");
            sqlite3_bind_int(mem, 8, row.type == "整型");
            sqlite3_bind_int(mem, 9, row.type == "浮点型");
            sqlite3_bind_int(mem, 10, row.query);
            sqlite3_bind_int(mem, 11, m == 1);
            sqlite3_step(mem);
            sqlite3_reset(mem);
            ++m;
        }
    }
    sqlite3_finalize(cls);
    sqlite3_finalize(mem);
    Exec(db, "commit");
    sqlite3_close(db);
    return 0;
}
