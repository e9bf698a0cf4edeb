#pragma once

// Marks the window's lists as being filled by the program for as long as it
// lives, so that their change signals do not act as the user's choices.
class TFillingScope {
public:
    explicit TFillingScope(bool& flag)
        : flag_(flag)
        , old_(flag)
    {
        flag_ = true;
    }
    ~TFillingScope() { flag_ = old_; }
    TFillingScope(const TFillingScope&) = delete;
    TFillingScope& operator=(const TFillingScope&) = delete;

private:
    bool& flag_;
    bool old_;
};
