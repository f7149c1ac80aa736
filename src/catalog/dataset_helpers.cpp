// dataset_helpers.cpp — OpenDataSet, CloseDataSet and EmptyTableClosed.
#include "catalog/dataset_helpers.h"

#include <QSqlError>

#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"

namespace qx {

bool OpenDataSet(CatalogTable& table) {
    try {
        table.Open();
        return true;
    } catch (const TqxfError& e) {
        ShowError(Format("Ошибка открытия файла [%s]\r\n(%s)", table.Name(), e.message()));
        return false;
    }
}

bool OpenDataSet(QSqlQuery& query) {
    if (query.exec()) return true;
    ShowError(
        Format("Ошибка открытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)", query.lastError().text(), query.lastQuery()));
    return false;
}

bool CloseDataSet(CatalogTable& table) {
    try {
        table.Close();
        return true;
    } catch (const TqxfError& e) {
        ShowError(Format("Ошибка закрытия файла [%s]\r\n(%s)", table.Name(), e.message()));
        return false;
    }
}

bool CloseDataSet(QSqlQuery& query) {
    // Releasing the results of a query the driver has run cannot fail.
    query.finish();
    return true;
}

void EmptyTableClosed(CatalogTable& table) {
    if (!table.IsOpen()) {
        table.EmptyTable();
        return;
    }
    table.Close();
    try {
        table.EmptyTable();
    } catch (...) {
        try {
            table.Open();
        } catch (const TqxfError&) {
            // the emptying error is the one to report
        }
        throw;
    }
    table.Open();
}

}  // namespace qx
