// paradox_import.cpp — Paradox tables into the catalog database, through pxlib.
#include "catalog/paradox_import.h"

// pxlib declares its functions without C linkage markers.
extern "C" {
#include <paradox.h>
}

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <memory>

#include "catalog/catalog_admin.h"
#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"

namespace qx {

namespace {

// Paradox dates count days from 1 January of year 1; pxlib's day numbers from the Julian epoch.
constexpr long kParadoxDateToSdn = 1721425;

std::atomic<int> connectionCounter{0};

class ImportConnection {
public:
    explicit ImportConnection(const QString& path) : name_(QStringLiteral("qx_pximport#%1").arg(++connectionCounter)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open())
            throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(path),
                                   db.lastError().text()));
    }
    ~ImportConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    ImportConnection(const ImportConnection&) = delete;
    ImportConnection& operator=(const ImportConnection&) = delete;
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

// pxlib reports through a handler; the last message is kept for the table's report.
void recordPxError(pxdoc_t*, int, const char* message, void* data) {
    if (data && message) *static_cast<QString*>(data) = QString::fromLocal8Bit(message).trimmed();
}

struct PxDocDeleter {
    void operator()(pxdoc_t* doc) const {
        PX_close(doc);
        PX_delete(doc);
    }
};

bool carriedType(char type) {
    switch (type) {
        case pxfAlpha:
        case pxfDate:
        case pxfShort:
        case pxfLong:
        case pxfAutoInc:
        case pxfCurrency:
        case pxfNumber:
        case pxfLogical:
        case pxfBCD:
        case pxfTime:
        case pxfTimestamp:
            return true;
        default:
            return false;
    }
}

QString typeName(char type) {
    switch (type) {
        case pxfMemoBLOb:
        case pxfFmtMemoBLOb:
            return QStringLiteral("мемо");
        case pxfBLOb:
        case pxfOLE:
        case pxfGraphic:
        case pxfBytes:
            return QStringLiteral("двоичное");
        default:
            return Format("тип %d", int(type));
    }
}

// The schema's columns of a table, in order.
QStringList schemaColumns(const QSqlDatabase& db, const QString& table) {
    QStringList columns;
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        while (q.next())
            columns << q.value(1).toString();
    return columns;
}

// The file of a table in the source directory, its name's letter case ignored.
QString findTableFile(const QDir& source, const QString& table) {
    const QString wanted = table + QStringLiteral(".db");
    for (const QString& name : source.entryList(QDir::Files))
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) return source.absoluteFilePath(name);
    return QString();
}

class TableReader {
public:
    TableReader(pxdoc_t* doc, bool utf8) : doc_(doc), utf8_(utf8) {}

    // The value of one field of a record, or a null QVariant for an empty field.
    QVariant value(char* data, const pxfield_t& field) const {
        // An empty Paradox field is all zero bytes (pxlib reads an empty long as its smallest value).
        if (std::all_of(data, data + field.px_flen, [](char c) { return c == 0; })) return QVariant();
        switch (field.px_ftype) {
            case pxfAlpha: {
                char* text = nullptr;
                const int rc = PX_get_data_alpha(doc_, data, field.px_flen, &text);
                QVariant v;
                if (rc > 0 && text) v = utf8_ ? QString::fromUtf8(text) : FromCp1251(QByteArray(text));
                if (rc < 0) v = FromCp1251(QByteArray(data, qstrnlen(data, field.px_flen)));
                if (text) doc_->free(doc_, text);
                return v;
            }
            case pxfShort: {
                short v = 0;
                return PX_get_data_short(doc_, data, field.px_flen, &v) > 0 ? QVariant(int(v)) : QVariant();
            }
            case pxfLong:
            case pxfAutoInc: {
                long v = 0;
                return PX_get_data_long(doc_, data, field.px_flen, &v) > 0 ? QVariant(qlonglong(v)) : QVariant();
            }
            case pxfDate: {
                long days = 0;
                if (PX_get_data_long(doc_, data, field.px_flen, &days) <= 0) return QVariant();
                int y = 0, m = 0, d = 0;
                PX_SdnToGregorian(days + kParadoxDateToSdn, &y, &m, &d);
                const QDate date(y, m, d);
                return date.isValid() ? QVariant(date.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
            }
            case pxfTime: {
                long ms = 0;
                if (PX_get_data_long(doc_, data, field.px_flen, &ms) <= 0) return QVariant();
                return QTime::fromMSecsSinceStartOfDay(int(ms)).toString(QStringLiteral("HH:mm:ss"));
            }
            case pxfTimestamp: {
                double ms = 0;
                if (PX_get_data_double(doc_, data, field.px_flen, &ms) <= 0) return QVariant();
                const long days = long(ms / 86400000.0);
                int y = 0, m = 0, d = 0;
                PX_SdnToGregorian(days + kParadoxDateToSdn, &y, &m, &d);
                const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms - double(days) * 86400000.0));
                return QStringLiteral("%1 %2").arg(QDate(y, m, d).toString(QStringLiteral("yyyy-MM-dd")),
                                                   time.toString(QStringLiteral("HH:mm:ss")));
            }
            case pxfCurrency:
            case pxfNumber: {
                double v = 0;
                return PX_get_data_double(doc_, data, field.px_flen, &v) > 0 ? QVariant(v) : QVariant();
            }
            case pxfLogical: {
                char v = 0;
                return PX_get_data_byte(doc_, data, field.px_flen, &v) > 0 ? QVariant(v != 0 ? 1 : 0) : QVariant();
            }
            case pxfBCD: {
                char* text = nullptr;
                const int rc = PX_get_data_bcd(doc_, reinterpret_cast<unsigned char*>(data), field.px_fdc, &text);
                QVariant v;
                if (rc > 0 && text) {
                    bool ok = false;
                    const double d = QString::fromLatin1(text).toDouble(&ok);
                    if (ok) v = d;
                }
                if (text) doc_->free(doc_, text);
                return v;
            }
            default:
                return QVariant();
        }
    }

private:
    pxdoc_t* doc_;
    bool utf8_;
};

void importTable(const QSqlDatabase& db, const QString& file, TParadoxTableImport& report) {
    QString pxMessage;
    std::unique_ptr<pxdoc_t, PxDocDeleter> doc(PX_new3(recordPxError, nullptr, nullptr, nullptr, &pxMessage));
    if (!doc) throw TqxfError(QStringLiteral("не хватает памяти для чтения таблицы"));
    if (PX_open_file(doc.get(), QFile::encodeName(file).constData()) < 0)
        throw TqxfError(pxMessage.isEmpty() ? QStringLiteral("файл не читается как таблица Paradox") : pxMessage);
    // Texts are converted from the table's code page; a table that names none is Windows-1251.
    const bool utf8 =
        doc->px_head && doc->px_head->px_doscodepage > 0 && PX_set_targetencoding(doc.get(), "UTF-8") >= 0;

    const QStringList columns = schemaColumns(db, report.Table);
    QHash<QString, QString> columnByLower;
    for (const QString& c : columns)
        columnByLower.insert(c.toLower(), c);

    const int fieldCount = PX_get_num_fields(doc.get());
    pxfield_t* fields = PX_get_fields(doc.get());
    if (fieldCount <= 0 || !fields) throw TqxfError(QStringLiteral("в таблице нет полей"));
    struct Mapping {
        int Field;
        int Offset;
    };
    std::vector<Mapping> mapped;
    QStringList targetColumns;
    QSet<QString> covered;
    int offset = 0;
    for (int i = 0; i < fieldCount; ++i) {
        const pxfield_t& f = fields[i];
        const QString name = utf8 ? QString::fromUtf8(f.px_fname) : FromCp1251(QByteArray(f.px_fname));
        const QString column = columnByLower.value(name.toLower());
        if (column.isEmpty() || covered.contains(column))
            report.UnmappedFields << name;
        else if (!carriedType(f.px_ftype))
            report.UnmappedFields << Format("%s (%s)", name, typeName(f.px_ftype));
        else {
            mapped.push_back({i, offset});
            targetColumns << column;
            covered.insert(column);
        }
        offset += f.px_flen;
    }
    for (const QString& c : columns)
        if (!covered.contains(c)) report.MissingColumns << c;
    if (mapped.empty()) throw TqxfError(QStringLiteral("ни одно поле не совпадает со столбцами таблицы"));

    QStringList quoted, marks;
    for (const QString& c : targetColumns) {
        quoted << QLatin1Char('"') + c + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    QSqlDatabase database = db;
    if (!database.transaction()) throw TqxfError(database.lastError().text());
    try {
        QSqlQuery insert(database);
        if (!insert.prepare(
                QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                    .arg(report.Table, quoted.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))))
            throw TqxfError(insert.lastError().text());
        const TableReader reader(doc.get(), utf8);
        const int records = PX_get_num_records(doc.get());
        QByteArray buffer(PX_get_recordsize(doc.get()), '\0');
        long long rows = 0;
        for (int r = 0; r < records; ++r) {
            if (!PX_get_record(doc.get(), r, buffer.data()))
                throw TqxfError(Format("запись %d не читается%s", r + 1,
                                       pxMessage.isEmpty() ? QString() : QStringLiteral(": ") + pxMessage));
            for (size_t i = 0; i < mapped.size(); ++i)
                insert.bindValue(int(i), reader.value(buffer.data() + mapped[i].Offset, fields[mapped[i].Field]));
            if (!insert.exec()) throw TqxfError(Format("запись %d: %s", r + 1, insert.lastError().text()));
            ++rows;
        }
        if (!database.commit()) throw TqxfError(database.lastError().text());
        report.RowsRead = rows;
    } catch (...) {
        database.rollback();
        throw;
    }
}

}  // namespace

int TParadoxImport::FailedCount() const {
    int n = 0;
    for (const TParadoxTableImport& t : Tables)
        if (!t.Error.isEmpty()) ++n;
    return n;
}

TParadoxImport ImportParadoxCatalog(const QString& sourceDir, const QString& targetDir) {
    const QDir source(sourceDir);
    if (!source.exists()) throw TqxfError(Format("Папка [%s] не найдена!", QDir::toNativeSeparators(sourceDir)));
    static const bool booted = (PX_boot(), true);
    (void)booted;

    TParadoxImport result;
    result.CatalogFile = CreateDatabase(DatabaseKind::Catalog, targetDir);
    const std::vector<TTableInfo> tables = ListTables(result.CatalogFile);
    ImportConnection connection(result.CatalogFile);
    for (const TTableInfo& info : tables) {
        TParadoxTableImport report;
        report.Table = info.Name;
        report.SourceFile = findTableFile(source, info.Name);
        if (report.SourceFile.isEmpty()) {
            report.Error = Format("файл %s.DB не найден", info.Name);
        } else {
            try {
                importTable(connection.db(), report.SourceFile, report);
            } catch (const TqxfError& e) {
                report.Error = e.message();
                report.RowsRead = 0;
            }
        }
        result.Tables.push_back(std::move(report));
    }
    return result;
}

}  // namespace qx
