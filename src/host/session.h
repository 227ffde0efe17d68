#pragma once
// The company the stand-in host has open: its folder, its application object and the company
// databases it holds open for the plug-in.

#include <map>
#include <memory>
#include <string>

#include "host/application.h"
#include "platform/db/dao.h"

namespace host {

struct Session {
    std::string folder;   // ends with '/'
    std::string library;  // the service library's database, as the driver opens it
    CHostApp app;
    std::map<int, std::unique_ptr<CDaoDatabase>> databases;  // by mdMDBEnum
};

// The open company, or null.
Session* CurrentSession();
// Puts session in place of the open company (null: none); the previous one is closed.
void SetCurrentSession(std::unique_ptr<Session> session);

// Opens database, when it is not open yet, on the open company's file that holds table.
// Throws CDaoException when no company is open.
void OpenCompanyDatabase(CDaoDatabase& database, const std::string& table);

}  // namespace host
