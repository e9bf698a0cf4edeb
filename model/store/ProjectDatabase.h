#pragma once
#include <string>

// The database the application of a project imported from one talks to;
// all empty for a project made in the dialogs. Never a password: the
// generated configuration leaves it for the user to fill in.
struct TProjectDatabase {
    std::string url; // jdbc:mysql://host:port/database?useUnicode=true&characterEncoding=UTF-8
    std::string user;
    std::string driver; // com.mysql.jdbc.Driver
    std::string dialect; // org.hibernate.dialect.MySQL5InnoDBDialect
    // The kind of database: "" for MariaDB/MySQL (the default), else a
    // name of DatabaseKinds(). A setting of its own: neither Empty() nor
    // == looks at it.
    std::string kind {};

    bool Empty() const { return url.empty() && user.empty() && driver.empty() && dialect.empty(); }
    bool operator==(const TProjectDatabase& other) const
    {
        return url == other.url && user == other.user && driver == other.driver && dialect == other.dialect;
    }
};
