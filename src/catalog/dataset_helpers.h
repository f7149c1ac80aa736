// dataset_helpers.h — guarded opening and closing of table objects and queries, and emptying a table.
#pragma once
#include <QSqlQuery>

#include "catalog/catalog_table.h"

namespace qx {

// Opens a table object; on failure shows "Ошибка открытия файла [%s]\r\n(%s)" (the table, the
// error text) and returns false, the table staying closed.
bool OpenDataSet(CatalogTable& table);
// Runs a prepared query (values bound); on failure shows
// "Ошибка открытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)" and returns false.
bool OpenDataSet(QSqlQuery& query);

// Closes a table object; on failure "Ошибка закрытия файла [%s]\r\n(%s)" and false.
bool CloseDataSet(CatalogTable& table);
// Releases a query's results (always true: releasing cannot fail).
bool CloseDataSet(QSqlQuery& query);

// Removes all rows of a table; an open table is closed first and reopened afterwards (also when
// emptying fails, in which case the error propagates).
void EmptyTableClosed(CatalogTable& table);

}  // namespace qx
