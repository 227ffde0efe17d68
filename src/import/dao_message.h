#pragma once
// Tells the user of a database failure where the table is worked: the exception's description in
// a message box with an OK button, and its code and description in the diagnostic log. The
// statements refused after a failure that undid the transaction are not told again.

#include <string>

class CDaoException;
class CDaoRecordset;

void ShowDaoError(const CDaoException& e);
// Writes the exception's code and description into the company's diagnostic log.
void LogDaoError(const CDaoException& e);

// Whether the engine refused a row for a duplicate in a unique index, reported either as its plain
// number or in its error-code form.
bool IsDuplicateKey(const CDaoException& e);

// (Re)opens a recordset on a query; a database failure is shown and answers false.
bool OpenShowingErrors(CDaoRecordset& recordset, const std::string& sql);
