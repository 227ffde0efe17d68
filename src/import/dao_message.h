#pragma once
// Tells the user of a database failure where the table is worked: the exception's description in
// a message box with an OK button.

class CDaoException;

void ShowDaoError(const CDaoException& e);
