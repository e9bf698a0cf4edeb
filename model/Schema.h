#pragma once
#include <string>

struct sqlite3;

// Opens the model database at path: creates it with the three tables when
// the file is missing; refuses (TDbError naming the file) a file that is not
// an SQLite 3 database or lacks a table or column, and never alters it.
sqlite3* OpenModelDatabase(const std::string& path);
