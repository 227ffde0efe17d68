#pragma once
// The schema of the company databases: which file holds which tables, and the statements that
// make them with an index for every lookup the plug-in and the host make.

#include <string>
#include <vector>

namespace host {

struct DatabaseSchema {
    std::string file;                 // inside the company folder
    int which;                        // the mdMDBEnum it is opened as; 0 for the service library
    std::vector<std::string> tables;  // the tables it holds
    // CREATE TABLE and CREATE INDEX statements of the Jet dialect, ';'-separated; they leave
    // tables and indexes that exist as they are.
    std::string statements;
    // An INSERT of the company's own row, whose '?' placeholders all take the company code; it
    // adds nothing when the row exists. Empty when the database has no such row.
    std::string companyRow;
};

// The company's databases, the service library first.
const std::vector<DatabaseSchema>& CompanyDatabases();

}  // namespace host
