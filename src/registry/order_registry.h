// order_registry.h — the shared order registry: the table of registered orders that several
// workstations use at once, and the commands that register, import, refresh, delete and archive
// orders with the moves of their files.
#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "common/money.h"

namespace qx {

class TqxfOrder;

// One row of the registry table, under the table's column names.
struct TRegRow {
    QString No;  // the key, compared ignoring letter case
    QDate RegDate;
    QString Customer;
    QString Object;
    QString Address;
    QString Phone;
    Money Cost;  // OrderTotal in the order's currency
    int32_t Currency = 0;
    QString OrderFile;  // registry form of the order file's path
    QString Note;
    int64_t RowId = -1;  // the row in the table; -1 for a row not read from it
};

// The four display orders: primary index, "Date", "CustName", "ObjName".
enum class TRegSortOrder { ByNo, ByDate, ByCustName, ByObjName };

// The registry table of one data directory. Every call is one short transaction of its own with
// bound values, so that several processes may share the file: nothing is held in memory, a
// listing re-reads the table, and a writer waits (busy timeout) instead of failing while another
// one writes. Database errors raise TqxfError with the database's text.
class TqxfOrderRegistry {
public:
    // The registry file in a directory.
    static QString DatabaseFile(const QString& registryDir);
    // Creates an empty registry database in the directory (made when missing) unless one exists;
    // another process creating it at the same time is no error.
    static void CreateIfMissing(const QString& registryDir);

    // Opens its own connection to registry.sqlite in the directory; a missing file raises
    // "Ошибка открытия базы данных [%s]\r\n(файл не найден)".
    explicit TqxfOrderRegistry(const QString& registryDir);
    ~TqxfOrderRegistry();
    TqxfOrderRegistry(const TqxfOrderRegistry&) = delete;
    TqxfOrderRegistry& operator=(const TqxfOrderRegistry&) = delete;

    QSqlDatabase Database() const;

    int Count() const;
    bool IsEmpty() const { return Count() == 0; }
    // Every row in a display order; ties by the number. Texts compare ignoring letter case.
    std::vector<TRegRow> List(TRegSortOrder order = TRegSortOrder::ByNo) const;
    // The row whose number equals `no` ignoring letter case (Cyrillic too).
    std::optional<TRegRow> Find(const QString& no) const;

    // Runs `work` inside one write transaction (taken at once, so that two writers never meet
    // halfway); `work` returns whether to commit. An exception rolls back and propagates.
    bool WriteTransaction(const std::function<bool()>& work);

    // --- Row operations, each its own transaction unless called inside WriteTransaction ---
    // The rowid of the row with the number (letter case ignored); -1 when none.
    int64_t RowIdOf(const QString& no) const;
    void InsertRow(const TRegRow& row);
    // Writes the fields named (column names) of `row` into the row `rowId`.
    void UpdateRow(int64_t rowId, const TRegRow& row, const QStringList& columns);
    // True when the row existed and was removed.
    bool DeleteRow(int64_t rowId);
    void DeleteAll();
    // The row `rowId`; nullopt when it no longer exists.
    std::optional<TRegRow> RowById(int64_t rowId) const;

private:
    QString connection_;
    int transactionDepth_ = 0;
};

// The registry row of an order: its header, OrderTotal and the file in registry form.
TRegRow RegRowFromOrder(const TqxfOrder& order, const QString& fileName);

// The registry form of an order file's path and back (OrdersDir of the run's paths); the
// absolute path is looked up ignoring letter case when it does not exist as written.
QString RegFileName(const QString& fileName);
QString RegFileToPath(const QString& orderFile);

// The number check made before every save of an order window: an empty number is refused with
// "Не указан номер заказа!"; a never-saved (untitled) order whose number is registered already
// is refused with the registration date. False after the error box.
bool CheckOrderNo(TqxfOrderRegistry& registry, const TqxfOrder& order, bool untitled);

// Registers or updates the order of a window: `fileName` is the window's file, `prevNo` the number
// the order had when it was opened or last saved, `untitled` whether it was never saved. Unless
// silent, asks first. A renumbered order renames its row; a number held by another registered
// order is refused (for a renumbered or a never-saved order) instead of overwriting that order's
// row. True when a row was written.
bool RegisterOrder(TqxfOrderRegistry& registry, const TqxfOrder& order, const QString& fileName, const QString& prevNo,
                   bool untitled, bool silent);

// Registers order files chosen in the open dialog, in order. A file that does not load, has no
// number or whose number is registered already is reported and skipped; a failed insert asks
// whether to go on. Returns the number of files registered.
int ImportOrders(TqxfOrderRegistry& registry, const QStringList& fileNames);

// The file of a registered order, for opening it; empty after the error box
// "Невозможно найти файл заказа № %s!\r\nФайл: %s." when it is missing.
QString OpenRegOrder(const TRegRow& row);

// Remove the rows of the given numbers (the selected rows in the order of selection, or the
// current row) and move their files: deleted orders to RecycledDir when MoveToRecycled is set,
// archived ones to ArchiveDir always. With `confirm` the question is asked first. Returns the
// number of rows removed (0 also when the question was answered Cancel).
int DeleteRegOrders(TqxfOrderRegistry& registry, const QStringList& numbers, bool confirm);
int ArchiveRegOrders(TqxfOrderRegistry& registry, const QStringList& numbers, bool confirm);

// The name an order file gets in the recycle or archive folder: the folder + the file's safe
// name + ("~" + n when that name is taken) + ".qfo".
QString RegMoveTarget(const QString& targetDir, const QString& fileName);
// Moves a file to the folder (created hidden when missing) under RegMoveTarget's name; a failure
// shows "Ошибка %d переноса файла\r\n%s\r\nв %s!" and gives false. An existing file is never replaced.
bool MoveOrderFile(const QString& fileName, const QString& targetDir);

// Asks, then re-reads a registered order's file and updates its row (not its number or file). A
// missing file, a file that does not load or one that now holds another number is refused.
bool RefreshRegOrder(TqxfOrderRegistry& registry, const QString& no);

// Asks, then empties the registry; the order files stay. True when the table was emptied.
bool ClearRegistry(TqxfOrderRegistry& registry);

// The columns the find command searches by: the focused grid column.
enum class TRegFindField { No, Customer, Object };
// The input prompt of the find command ("Поиск" / "Заказчик", "Объект", "Номер заказа").
QString FindRegOrderCaption();
QString FindRegOrderPrompt(TRegFindField field);
// The first row (in the order given) whose field begins with the text, letter case ignored; -1.
int FindRegOrder(const std::vector<TRegRow>& rows, TRegFindField field, const QString& text);

// The status line of the registry window: "Заказов: %d".
QString RegStatusText(int count);

}  // namespace qx
