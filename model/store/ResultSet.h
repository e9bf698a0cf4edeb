#pragma once
#include <optional>
#include <string>
#include <vector>

// The rows of one select, read into memory when the query is opened, so a
// result set stays readable while other statements run on the connection.
class TResultSet {
public:
    using TRow = std::vector<std::optional<std::string>>;

    TResultSet(std::vector<std::string> columns, std::vector<TRow> rows);

    bool Eof() const { return position_ >= rows_.size(); }
    void Next();
    void First() { position_ = 0; }
    int RecordCount() const { return static_cast<int>(rows_.size()); }

    // Value of a column of the current row; a null or a missing column is
    // an error (TDbError), as is a text that is not a whole number.
    std::string AsText(const std::string& column) const;
    int AsInteger(const std::string& column) const;
    // By position, for the first-column lookups.
    std::string AsText(size_t index) const;
    int AsInteger(size_t index) const;

private:
    size_t ColumnIndex(const std::string& column) const;
    const std::string& Cell(size_t index, const std::string& column) const;

    std::vector<std::string> columns_;
    std::vector<TRow> rows_;
    size_t position_ = 0;
};

// A column's text as a 32-bit integer: a whole number in decimal, else
// TDbError naming the column.
int ParseInteger(const std::string& text, const std::string& column);
