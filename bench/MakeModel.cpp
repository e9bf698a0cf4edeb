// Writes a benchmark model straight into a new projects.mdb: CLASSES classes
// of 20 members each (a key, a display member, a third of them query
// members, some references to earlier classes).
//   bench_make_model FILE CLASSES
#include "Schema.h"
#include "Statement.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error ? error : "sqlite error");
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_make_model FILE CLASSES\n");
        return 2;
    }
    std::remove(argv[1]);
    int classes = std::atoi(argv[2]);
    // The program's own schema: a missing file is created with its tables.
    sqlite3* db = OpenModelDatabase(argv[1]);
    Exec(db, "begin; insert into t_project(projectName) values ('Bench');");
    sqlite3_stmt* cls = nullptr;
    sqlite3_stmt* mem = nullptr;
    sqlite3_prepare_v2(db, "insert into t_class(projectId,className,friendName) values (1,?,?)", -1, &cls, nullptr);
    sqlite3_prepare_v2(db,
        "insert into t_member(projectId,classId,memberName,memberType,memberLength,memberIsPri,"
        "memberComment,memberIsMust,memberIsInteger,memberIsFloat,queryFlag,memberIsDisplay,"
        "memberQueryDisplay) values (1,?,?,?,?,?,?,?,?,?,?,?,1)",
        -1, &mem, nullptr);
    static const char* const simple[] = { "字符串", "整型", "浮点型", "日期型" };
    for (int c = 1; c <= classes; ++c) {
        std::string name = "Entity" + std::to_string(c);
        sqlite3_bind_text(cls, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(cls, 2, ("实体" + std::to_string(c)).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(cls);
        sqlite3_reset(cls);
        for (int m = 0; m < 20; ++m) {
            std::string type = simple[m % 4];
            bool reference = m % 7 == 6 && c > 1;
            if (reference)
                type = "Entity" + std::to_string(1 + (c * 31 + m) % (c - 1));
            if (m == 0)
                type = c % 2 ? "整型" : "字符串";
            bool query = (m % 3 == 1) && (type == "字符串" || type == "日期型" || reference);
            std::string memberName = (m == 0 ? "key" : "field") + std::to_string(m);
            sqlite3_bind_int(mem, 1, c);
            sqlite3_bind_text(mem, 2, memberName.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(mem, 3, type.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(mem, 4, type == "字符串" ? 40 : 0);
            sqlite3_bind_int(mem, 5, m == 0);
            sqlite3_bind_text(mem, 6, ("成员注释 " + std::to_string(m)).c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(mem, 7, type != "字符串");
            sqlite3_bind_int(mem, 8, type == "整型");
            sqlite3_bind_int(mem, 9, type == "浮点型");
            sqlite3_bind_int(mem, 10, query);
            sqlite3_bind_int(mem, 11, m == 1);
            sqlite3_step(mem);
            sqlite3_reset(mem);
        }
    }
    sqlite3_finalize(cls);
    sqlite3_finalize(mem);
    Exec(db, "commit");
    ClearStatementCache(db);
    sqlite3_close(db);
    return 0;
}
