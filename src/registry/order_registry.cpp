// order_registry.cpp — the registry table through short transactions, and the registry commands.
#include "registry/order_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <exception>

#include "catalog/catalog_admin.h"
#include "common/datetime.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "shell/paths.h"
#include "shell/setup.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace qx {

namespace {

std::atomic<int> connectionCounter{0};

// A writer waits this long for another process's transaction before it gives up.
constexpr int kBusyTimeoutMs = 10000;
// The highest "~n" tried for a free name in the recycle or archive folder.
constexpr int kMaxCollisionIndex = 10000;

const char* const kSelectColumns =
    "SELECT rowid, \"No\", \"RegDate\", \"Customer\", \"Object\", \"Address\", \"Phone\", \"Cost\", \"Currency\", "
    "\"OrderFile\", \"Note\" FROM \"OrderLst\"";

// The columns that registration writes, in the order the system writes them.
const QStringList kRegisterColumns{"No",      "RegDate", "Customer", "Phone",    "Object",
                                   "Address", "Cost",    "Currency", "OrderFile"};
// Refreshing keeps the number and the file.
const QStringList kRefreshColumns{"RegDate", "Customer", "Phone", "Object", "Address", "Cost", "Currency"};

const char* const kNoNumberText = "Не указан номер заказа!";
const char* const kNumberTakenText = "Заказ с номером %s был зарегистрирован %s!\r\nУкажите другой номер заказа.";
const char* const kRegisterQuestion = "Зарегистрировать заказ / обновить данные в реестре?";
const char* const kRegisterNoNumberText = "Заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера.";
const char* const kImportNoNumberText =
    "Загружаемый заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера.";
const char* const kImportExistsText =
    "Загружаемый заказ № %s уже существует\r\nв реестре заказов, Вы можете только\r\nобновить данные!";
const char* const kImportFailedQuestion = "Ошибка добавления заказа в реестр!\r\n(%s)\r\n\r\nПродолжать регистрацию?";
const char* const kFileMissingText = "Невозможно найти файл заказа № %s!\r\nФайл: %s.";
const char* const kDeleteFailedText = "Ошибка удаления из реестра!\r\n(%s)";
const char* const kMoveFailedText = "Ошибка %d переноса файла\r\n%s\r\nв %s!";
const char* const kRefreshQuestion = "Обновить данные по заказу?";
const char* const kNumberChangedText = "Изменился номер заказ, обновить данные невозможно!\r\nПеререгистрируйте заказ.";
const char* const kRefreshFailedText = "Ошибка обновления заказа в реестр!\r\n(%s)";
const char* const kClearQuestion = "Очистить реестр заказов не удаляя файлы заказов?";
const char* const kClearFailedText = "Ошибка очистки реестра";

QString shortDate(const QDate& date) {
    return date.isValid() ? FormatShortDate(DateFromQt(date)) : QString();
}

QString errorText(const QSqlQuery& q) {
    const QSqlError e = q.lastError();
    return e.text().trimmed().isEmpty() ? QStringLiteral("ошибка базы данных") : e.text();
}

QSqlQuery runQuery(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw TqxfError(errorText(q));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) throw TqxfError(errorText(q));
    return q;
}

QString textOf(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

TRegRow rowFromQuery(const QSqlQuery& q) {
    TRegRow row;
    row.RowId = q.value(0).toLongLong();
    row.No = textOf(q.value(1));
    row.RegDate = QDate::fromString(textOf(q.value(2)).left(10), Qt::ISODate);
    row.Customer = textOf(q.value(3));
    row.Object = textOf(q.value(4));
    row.Address = textOf(q.value(5));
    row.Phone = textOf(q.value(6));
    row.Cost = q.value(7).isNull() ? Money() : RoundMoney(static_cast<long double>(q.value(7).toDouble()));
    row.Currency = q.value(8).toInt();
    row.OrderFile = textOf(q.value(9));
    row.Note = textOf(q.value(10));
    return row;
}

QVariant columnValue(const TRegRow& row, const QString& column) {
    if (column == QLatin1String("No")) return row.No;
    if (column == QLatin1String("RegDate"))
        return row.RegDate.isValid() ? QVariant(row.RegDate.toString(Qt::ISODate))
                                     : QVariant(QMetaType::fromType<QString>());
    if (column == QLatin1String("Customer")) return row.Customer;
    if (column == QLatin1String("Object")) return row.Object;
    if (column == QLatin1String("Address")) return row.Address;
    if (column == QLatin1String("Phone")) return row.Phone;
    if (column == QLatin1String("Cost")) return row.Cost.ToDouble();
    if (column == QLatin1String("Currency")) return row.Currency;
    if (column == QLatin1String("OrderFile")) return row.OrderFile;
    if (column == QLatin1String("Note")) return row.Note;
    throw TqxfError(Format("В реестре заказов нет поля [%s]!", column));
}

int compareText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive);
}

bool sameNo(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Moves a file without ever replacing an existing one; 0 or the system's error code.
int moveFileNoReplace(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    const std::wstring source = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring target = QDir::toNativeSeparators(to).toStdWString();
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED)) return 0;
    return static_cast<int>(GetLastError());
#else
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) return 0;
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        // A file system without no-replace renames: a hard link fails when the name is taken.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return 0;
        }
        error = errno;
        if (error != EPERM && error != ENOTSUP && error != EXDEV) return error;
    } else if (error != EXDEV) {
        return error;
    }
    // Another device, or no links: copy (never over an existing file), then remove the source.
    if (QFileInfo::exists(to)) return EEXIST;
    if (!QFile::copy(from, to)) return QFileInfo::exists(to) ? EEXIST : EIO;
    if (!QFile::remove(from)) {
        QFile::remove(to);
        return EACCES;
    }
    return 0;
#endif
}

bool isNameTaken(int error) {
#ifdef Q_OS_WIN
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
#else
    return error == EEXIST || error == ENOTEMPTY;
#endif
}

enum class MoveKind { Recycle, Archive };

}  // namespace

// --- The table ---

QString TqxfOrderRegistry::DatabaseFile(const QString& registryDir) {
    return QDir(registryDir).filePath(DatabaseFileName(DatabaseKind::Registry));
}

void TqxfOrderRegistry::CreateIfMissing(const QString& registryDir) {
    if (QFileInfo(DatabaseFile(registryDir)).isFile()) return;
    try {
        CreateDatabase(DatabaseKind::Registry, registryDir);
    } catch (const TqxfError&) {
        // Another process may have created it meanwhile.
        if (!QFileInfo(DatabaseFile(registryDir)).isFile()) throw;
    }
}

TqxfOrderRegistry::TqxfOrderRegistry(const QString& registryDir)
    : connection_(QStringLiteral("QX_OrderRegistry#%1").arg(++connectionCounter)) {
    const QString path = DatabaseFile(registryDir);
    if (registryDir.isEmpty() || !QFileInfo(path).isFile())
        throw TqxfError(
            Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(path), "файл не найден"));
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!db.open()) error = db.lastError().text();
    }
    if (!error.isEmpty()) {
        QSqlDatabase::removeDatabase(connection_);
        throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(path), error));
    }
}

TqxfOrderRegistry::~TqxfOrderRegistry() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QSqlDatabase TqxfOrderRegistry::Database() const {
    return QSqlDatabase::database(connection_, false);
}

int TqxfOrderRegistry::Count() const {
    QSqlQuery q = runQuery(Database(), QStringLiteral("SELECT COUNT(*) FROM \"OrderLst\""));
    return q.next() ? q.value(0).toInt() : 0;
}

std::vector<TRegRow> TqxfOrderRegistry::List(TRegSortOrder order) const {
    std::vector<TRegRow> rows;
    {
        QSqlQuery q = runQuery(Database(), QString::fromLatin1(kSelectColumns));
        while (q.next())
            rows.push_back(rowFromQuery(q));
    }
    const auto byNo = [](const TRegRow& a, const TRegRow& b) { return compareText(a.No, b.No) < 0; };
    switch (order) {
        case TRegSortOrder::ByNo:
            std::stable_sort(rows.begin(), rows.end(), byNo);
            break;
        case TRegSortOrder::ByDate:
            std::stable_sort(rows.begin(), rows.end(), [&](const TRegRow& a, const TRegRow& b) {
                if (a.RegDate != b.RegDate) return a.RegDate < b.RegDate;
                return byNo(a, b);
            });
            break;
        case TRegSortOrder::ByCustName:
            std::stable_sort(rows.begin(), rows.end(), [&](const TRegRow& a, const TRegRow& b) {
                const int c = compareText(a.Customer, b.Customer);
                return c != 0 ? c < 0 : byNo(a, b);
            });
            break;
        case TRegSortOrder::ByObjName:
            std::stable_sort(rows.begin(), rows.end(), [&](const TRegRow& a, const TRegRow& b) {
                const int c = compareText(a.Object, b.Object);
                return c != 0 ? c < 0 : byNo(a, b);
            });
            break;
    }
    return rows;
}

int64_t TqxfOrderRegistry::RowIdOf(const QString& no) const {
    {
        QSqlQuery q =
            runQuery(Database(), QStringLiteral("SELECT rowid FROM \"OrderLst\" WHERE \"No\" = ? LIMIT 1"), {no});
        if (q.next()) return q.value(0).toLongLong();
    }
    // The database compares letter case only for Latin letters: other spellings are found here.
    QSqlQuery q = runQuery(Database(), QStringLiteral("SELECT rowid, \"No\" FROM \"OrderLst\" ORDER BY rowid"));
    while (q.next())
        if (sameNo(textOf(q.value(1)), no)) return q.value(0).toLongLong();
    return -1;
}

std::optional<TRegRow> TqxfOrderRegistry::RowById(int64_t rowId) const {
    QSqlQuery q = runQuery(Database(), QString::fromLatin1(kSelectColumns) + QStringLiteral(" WHERE rowid = ?"),
                           {QVariant::fromValue<qlonglong>(rowId)});
    if (!q.next()) return std::nullopt;
    return rowFromQuery(q);
}

std::optional<TRegRow> TqxfOrderRegistry::Find(const QString& no) const {
    const int64_t id = RowIdOf(no);
    if (id < 0) return std::nullopt;
    return RowById(id);
}

bool TqxfOrderRegistry::WriteTransaction(const std::function<bool()>& work) {
    if (transactionDepth_ > 0) return work();
    const QSqlDatabase db = Database();
    // Taking the write lock at the start: a reader that later wants to write could meet another
    // writer halfway and fail at once instead of waiting.
    runQuery(db, QStringLiteral("BEGIN IMMEDIATE"));
    ++transactionDepth_;
    bool commit = false;
    try {
        commit = work();
    } catch (...) {
        --transactionDepth_;
        try {
            runQuery(db, QStringLiteral("ROLLBACK"));
        } catch (const TqxfError&) {
        }
        throw;
    }
    --transactionDepth_;
    if (!commit) {
        runQuery(db, QStringLiteral("ROLLBACK"));
        return false;
    }
    try {
        runQuery(db, QStringLiteral("COMMIT"));
    } catch (const TqxfError&) {
        try {
            runQuery(db, QStringLiteral("ROLLBACK"));
        } catch (const TqxfError&) {
        }
        throw;
    }
    return true;
}

void TqxfOrderRegistry::InsertRow(const TRegRow& row) {
    QStringList names, marks;
    QVariantList values;
    for (const QString& column : kRegisterColumns + QStringList{QStringLiteral("Note")}) {
        if (column == QLatin1String("Note") && row.Note.isEmpty()) continue;
        names << QLatin1Char('"') + column + QLatin1Char('"');
        marks << QStringLiteral("?");
        values << columnValue(row, column);
    }
    runQuery(Database(),
             QStringLiteral("INSERT INTO \"OrderLst\" (%1) VALUES (%2)").arg(names.join(", "), marks.join(", ")),
             values);
}

void TqxfOrderRegistry::UpdateRow(int64_t rowId, const TRegRow& row, const QStringList& columns) {
    QStringList sets;
    QVariantList values;
    for (const QString& column : columns) {
        sets << QLatin1Char('"') + column + QStringLiteral("\" = ?");
        values << columnValue(row, column);
    }
    values << QVariant::fromValue<qlonglong>(rowId);
    runQuery(Database(), QStringLiteral("UPDATE \"OrderLst\" SET %1 WHERE rowid = ?").arg(sets.join(", ")), values);
}

bool TqxfOrderRegistry::DeleteRow(int64_t rowId) {
    QSqlQuery q = runQuery(Database(), QStringLiteral("DELETE FROM \"OrderLst\" WHERE rowid = ?"),
                           {QVariant::fromValue<qlonglong>(rowId)});
    return q.numRowsAffected() > 0;
}

void TqxfOrderRegistry::DeleteAll() {
    runQuery(Database(), QStringLiteral("DELETE FROM \"OrderLst\""));
}

// --- Paths and rows ---

QString RegFileName(const QString& fileName) {
    return MakeRelativePath(Paths().OrdersDir, fileName);
}

QString RegFileToPath(const QString& orderFile) {
    return ResolveExistingPath(MakeAbsolutePath(Paths().OrdersDir, orderFile));
}

TRegRow RegRowFromOrder(const TqxfOrder& order, const QString& fileName) {
    TRegRow row;
    row.No = order.No;
    row.RegDate = DateToQt(order.RegDate);
    row.Customer = order.Customer;
    row.Object = order.ObjectName;
    row.Address = order.Address;
    row.Phone = order.Phone;
    row.Cost = order.OrderTotal();
    row.Currency = order.Currency;
    row.OrderFile = RegFileName(fileName);
    return row;
}

// --- Commands ---

bool CheckOrderNo(TqxfOrderRegistry& registry, const TqxfOrder& order, bool untitled) {
    if (order.No.isEmpty()) {
        ShowError(QString::fromUtf8(kNoNumberText));
        return false;
    }
    if (!untitled) return true;
    if (const std::optional<TRegRow> row = registry.Find(order.No)) {
        ShowError(Format(QString::fromUtf8(kNumberTakenText), order.No, shortDate(row->RegDate)));
        return false;
    }
    return true;
}

bool RegisterOrder(TqxfOrderRegistry& registry, const TqxfOrder& order, const QString& fileName, const QString& prevNo,
                   bool untitled, bool silent) {
    if (!silent && !AskConfirm(QString::fromUtf8(kRegisterQuestion))) return false;
    if (order.No.isEmpty()) {
        ShowError(QString::fromUtf8(kRegisterNoNumberText));
        return false;
    }
    const TRegRow row = RegRowFromOrder(order, fileName);
    const bool renumbered = !prevNo.isEmpty() && !sameNo(prevNo, order.No);
    std::optional<TRegRow> taken;  // another order's row that holds the number
    // No question or message is shown while the write lock is held: other workstations wait for it.
    const bool written = registry.WriteTransaction([&] {
        const int64_t current = registry.RowIdOf(order.No);
        const int64_t previous = renumbered ? registry.RowIdOf(prevNo) : -1;
        if (previous >= 0) {
            if (current >= 0) {
                taken = registry.RowById(current);
                return false;
            }
            registry.UpdateRow(previous, row, kRegisterColumns);
            return true;
        }
        if (current >= 0) {
            if (untitled) {
                taken = registry.RowById(current);
                return false;
            }
            registry.UpdateRow(current, row, kRegisterColumns);
            return true;
        }
        registry.InsertRow(row);
        return true;
    });
    if (!written && taken) ShowError(Format(QString::fromUtf8(kNumberTakenText), order.No, shortDate(taken->RegDate)));
    return written;
}

int ImportOrders(TqxfOrderRegistry& registry, const QStringList& fileNames) {
    WaitCursorGuard cursor;
    int imported = 0;
    for (const QString& fileName : fileNames) {
        TqxfOrder order;
        bool converted = false;
        // A file that does not load has been reported by the loader; a half-read order is not registered.
        if (!LoadOrderFromFile(order, fileName, converted)) continue;
        if (order.No.isEmpty()) {
            ShowError(QString::fromUtf8(kImportNoNumberText));
            continue;
        }
        bool exists = false;
        try {
            const TRegRow row = RegRowFromOrder(order, fileName);
            registry.WriteTransaction([&] {
                exists = registry.RowIdOf(row.No) >= 0;
                if (exists) return false;
                registry.InsertRow(row);
                return true;
            });
        } catch (const std::exception& e) {
            if (!AskConfirmAbort(Format(QString::fromUtf8(kImportFailedQuestion), ExceptionText(e)))) break;
            continue;
        }
        if (exists) {
            ShowError(Format(QString::fromUtf8(kImportExistsText), order.No));
            continue;
        }
        ++imported;
    }
    return imported;
}

QString OpenRegOrder(const TRegRow& row) {
    const QString file = RegFileToPath(row.OrderFile);
    if (!file.isEmpty() && QFileInfo(file).isFile()) return file;
    ShowError(Format(QString::fromUtf8(kFileMissingText), row.No,
                     QDir::toNativeSeparators(MakeAbsolutePath(Paths().OrdersDir, row.OrderFile))));
    return QString();
}

QString RegMoveTarget(const QString& targetDir, const QString& fileName) {
    QString name = MakeSafeFileName(SplitFileName(fileName, false, true, false));
    name.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString base = QDir(targetDir).filePath(name);
    QString candidate = base;
    for (int i = 1; i <= kMaxCollisionIndex && QFileInfo::exists(candidate + QStringLiteral(".qfo")); ++i)
        candidate = base + QLatin1Char('~') + QString::number(i);
    return candidate + QStringLiteral(".qfo");
}

bool MoveOrderFile(const QString& fileName, const QString& targetDir) {
    if (!QFileInfo(targetDir).isDir()) {
        ForceDirectories(targetDir);
        SetHiddenAttribute(targetDir);
    }
    QString target;
    int error = 0;
    // A name taken by another workstation between the look and the move: the next free one.
    for (int attempt = 0; attempt < 16; ++attempt) {
        target = RegMoveTarget(targetDir, fileName);
        error = moveFileNoReplace(fileName, target);
        if (error == 0) return true;
        if (!isNameTaken(error)) break;
    }
    ShowError(Format(QString::fromUtf8(kMoveFailedText), error, QDir::toNativeSeparators(fileName),
                     QDir::toNativeSeparators(target)));
    return false;
}

namespace {

int removeRegOrders(TqxfOrderRegistry& registry, const QStringList& numbers, bool confirm, MoveKind kind) {
    if (registry.IsEmpty()) return 0;
    const bool archive = kind == MoveKind::Archive;
    if (confirm && !AskConfirm(archive ? QStringLiteral("Поместить заказ в архив и удалить его из реестра?")
                                       : QStringLiteral("Удалить заказ?")))
        return 0;
    WaitCursorGuard cursor;
    QStringList files;
    int removed = 0;
    try {
        for (const QString& no : numbers) {
            // Only the process whose delete removed the row moves its file.
            QString file;
            const bool deleted = registry.WriteTransaction([&] {
                const int64_t id = registry.RowIdOf(no);
                if (id < 0) return false;
                const std::optional<TRegRow> row = registry.RowById(id);
                if (!row || !registry.DeleteRow(id)) return false;
                file = MakeAbsolutePath(Paths().OrdersDir, row->OrderFile);
                return true;
            });
            if (!deleted) continue;
            files << file;
            ++removed;
        }
    } catch (const std::exception& e) {
        files.clear();
        ShowError(Format(QString::fromUtf8(kDeleteFailedText), ExceptionText(e)));
    }
    if (!archive && !Setup().MoveToRecycled) return removed;
    const QString targetDir = archive ? Paths().ArchiveDir : Paths().RecycledDir;
    for (const QString& file : files) {
        const QString existing = ResolveExistingPath(file);
        if (!QFileInfo(existing).isFile()) {
            ShowWarning(
                Format(archive ? QStringLiteral("Заказ не был помещен в архив,\r\nт.к. не найден соответствующий ему "
                                                "файл:\r\n%s.")
                               : QStringLiteral("Заказ не был помещен в мусорку,\r\nт.к. не найден соответствующий ему "
                                                "файл:\r\n%s."),
                       QDir::toNativeSeparators(file)));
            continue;
        }
        if (targetDir.isEmpty()) continue;
        MoveOrderFile(existing, targetDir);
    }
    return removed;
}

}  // namespace

int DeleteRegOrders(TqxfOrderRegistry& registry, const QStringList& numbers, bool confirm) {
    return removeRegOrders(registry, numbers, confirm, MoveKind::Recycle);
}

int ArchiveRegOrders(TqxfOrderRegistry& registry, const QStringList& numbers, bool confirm) {
    return removeRegOrders(registry, numbers, confirm, MoveKind::Archive);
}

bool RefreshRegOrder(TqxfOrderRegistry& registry, const QString& no) {
    if (registry.IsEmpty()) return false;
    const std::optional<TRegRow> row = registry.Find(no);
    if (!row) return false;
    if (!AskConfirm(QString::fromUtf8(kRefreshQuestion))) return false;
    const QString file = RegFileToPath(row->OrderFile);
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        ShowError(Format(QString::fromUtf8(kFileMissingText), row->No,
                         QDir::toNativeSeparators(MakeAbsolutePath(Paths().OrdersDir, row->OrderFile))));
        return false;
    }
    TqxfOrder order;
    {
        WaitCursorGuard cursor;
        bool converted = false;
        // A file that does not load has been reported; its half-read data never reach the row.
        if (!LoadOrderFromFile(order, file, converted)) return false;
    }
    if (order.No != row->No) {
        ShowError(QString::fromUtf8(kNumberChangedText));
        return false;
    }
    try {
        const TRegRow fresh = RegRowFromOrder(order, file);
        bool updated = false;
        registry.WriteTransaction([&] {
            const std::optional<TRegRow> current = registry.RowById(row->RowId);
            // The row may have been renumbered or removed by another workstation meanwhile.
            if (!current || current->No != row->No) return false;
            registry.UpdateRow(row->RowId, fresh, kRefreshColumns);
            updated = true;
            return true;
        });
        if (!updated) throw TqxfError(Format("Заказ № %s отсутствует в реестре", row->No));
        return true;
    } catch (const std::exception& e) {
        ShowError(Format(QString::fromUtf8(kRefreshFailedText), ExceptionText(e)));
        return false;
    }
}

bool ClearRegistry(TqxfOrderRegistry& registry) {
    if (registry.IsEmpty()) return false;
    if (!AskConfirm(QString::fromUtf8(kClearQuestion))) return false;
    try {
        registry.DeleteAll();
        return true;
    } catch (const std::exception& e) {
        ShowErrorDetail(QString::fromUtf8(kClearFailedText), ExceptionText(e));
        return false;
    }
}

QString FindRegOrderCaption() {
    return QStringLiteral("Поиск");
}

QString FindRegOrderPrompt(TRegFindField field) {
    switch (field) {
        case TRegFindField::Customer:
            return QStringLiteral("Заказчик");
        case TRegFindField::Object:
            return QStringLiteral("Объект");
        case TRegFindField::No:
            break;
    }
    return QStringLiteral("Номер заказа");
}

int FindRegOrder(const std::vector<TRegRow>& rows, TRegFindField field, const QString& text) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const TRegRow& row = rows[i];
        const QString& value =
            field == TRegFindField::Customer ? row.Customer : (field == TRegFindField::Object ? row.Object : row.No);
        if (value.startsWith(text, Qt::CaseInsensitive)) return static_cast<int>(i);
    }
    return -1;
}

QString RegStatusText(int count) {
    return Format("Заказов: %d", count);
}

}  // namespace qx
