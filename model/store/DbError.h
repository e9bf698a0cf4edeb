#pragma once
#include <stdexcept>
#include <string>

// Every failure of the model database: carries a message meant for the user
// (Chinese, naming the file or the engine's own text).
class TDbError : public std::runtime_error {
public:
    explicit TDbError(const std::string& message, int code = 0)
        : std::runtime_error(message)
        , code_(code)
    {
    }
    int Code() const { return code_; }

private:
    int code_;
};
