#pragma once
#include <string>

// A model database read or changed through a connection of the test's own,
// as another program would, never through the program's shared connection.
// Failures throw std::runtime_error.

// The first column of the first row as a number; -1 when there is no row.
long long SqlNumber(const std::string& dbPath, const std::string& sql);
// Every row as a line, its columns joined by '|'; null as "NULL".
std::string SqlRows(const std::string& dbPath, const std::string& sql);
void SqlExecute(const std::string& dbPath, const std::string& sql);
// Every row of the model's tables and their key sequences: all a command
// can have stored.
std::string ModelContents(const std::string& dbPath);
