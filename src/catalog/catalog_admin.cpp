// catalog_admin.cpp — schema resources, the script splitter, database creation and table listing.
#include "catalog/catalog_admin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "common/error.h"
#include "common/format.h"

// The schema texts live in the engine library's resources; a static library has to ask for them.
static void initSchemaResource() {
    Q_INIT_RESOURCE(schema);
}

namespace qx {

namespace {

std::atomic<int> connectionCounter{0};

// A private connection to one database file, removed when it goes out of scope.
class ScopedConnection {
  public:
    explicit ScopedConnection(const QString& path) : name_(QStringLiteral("qx_admin#%1").arg(++connectionCounter)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open()) error_ = db.lastError().text();
    }
    ~ScopedConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    const QString& error() const { return error_; }

  private:
    QString name_;
    QString error_;
};

QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

QString DatabaseFileName(DatabaseKind kind) {
    switch (kind) {
        case DatabaseKind::Catalog:
            return QStringLiteral("catalog.sqlite");
        case DatabaseKind::Registry:
            return QStringLiteral("registry.sqlite");
        case DatabaseKind::Reports:
            return QStringLiteral("reports.sqlite");
    }
    return {};
}

QString SchemaText(DatabaseKind kind) {
    static const bool initialised = (initSchemaResource(), true);
    (void)initialised;
    QString name;
    switch (kind) {
        case DatabaseKind::Catalog:
            name = QStringLiteral("catalog.sql");
            break;
        case DatabaseKind::Registry:
            name = QStringLiteral("registry.sql");
            break;
        case DatabaseKind::Reports:
            name = QStringLiteral("reports.sql");
            break;
    }
    QFile file(QStringLiteral(":/qx/schema/") + name);
    if (!file.open(QIODevice::ReadOnly)) throw TqxfError(Format("Не найдена схема базы данных [%s]!", name));
    return QString::fromUtf8(file.readAll());
}

QStringList SplitSqlScript(const QString& script) {
    QStringList statements;
    QString current;
    QString word;      // the identifier being read
    QString lastWord;  // the last complete identifier of the statement (upper case)
    int wordsInStatement = 0;
    bool trigger = false;  // CREATE [TEMP] TRIGGER … BEGIN … END: semicolons inside do not end it
    const int n = int(script.size());

    auto endWord = [&]() {
        if (word.isEmpty()) return;
        lastWord = word.toUpper();
        if (++wordsInStatement <= 4 && lastWord == QLatin1String("TRIGGER")) trigger = true;
        word.clear();
    };
    auto finish = [&]() {
        const QString s = current.trimmed();
        if (!s.isEmpty()) statements << s;
        current.clear();
        lastWord.clear();
        wordsInStatement = 0;
        trigger = false;
    };

    for (int i = 0; i < n; ++i) {
        const QChar c = script[i];
        const QChar next = i + 1 < n ? script[i + 1] : QChar();
        if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            endWord();
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            endWord();
            const int close = int(script.indexOf(QLatin1String("*/"), i + 2));
            i = close < 0 ? n : close + 1;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            endWord();
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            current += c;
            ++i;
            while (i < n) {
                current += script[i];
                if (script[i] == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && script[i + 1] == close) {
                        current += script[++i];  // a doubled quote stays inside
                    } else {
                        break;
                    }
                }
                ++i;
            }
            continue;
        }
        if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            word += c;
            current += c;
            continue;
        }
        endWord();
        if (c == QLatin1Char(';') && (!trigger || lastWord == QLatin1String("END"))) {
            finish();
            continue;
        }
        current += c;
    }
    endWord();
    finish();
    return statements;
}

void ExecSqlScript(const QSqlDatabase& db, const QString& script) {
    const QStringList statements = SplitSqlScript(script);
    QSqlDatabase database = db;
    if (!database.transaction())
        throw TqxfError(Format("Ошибка выполнения SQL-сценария\r\n(%s)", database.lastError().text()));
    for (const QString& statement : statements) {
        QSqlQuery q(database);
        if (!q.exec(statement)) {
            const QString err = q.lastError().text();
            q = QSqlQuery();
            database.rollback();
            throw TqxfError(Format("Ошибка выполнения SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)", err, statement));
        }
    }
    if (!database.commit()) {
        const QString err = database.lastError().text();
        database.rollback();
        throw TqxfError(Format("Ошибка выполнения SQL-сценария\r\n(%s)", err));
    }
}

QString CreateDatabase(DatabaseKind kind, const QString& directory) {
    const QString schema = SchemaText(kind);
    if (!QDir().mkpath(directory))
        throw TqxfError(Format("Невозможно создать папку [%s]!", QDir::toNativeSeparators(directory)));
    const QString path = QDir(directory).absoluteFilePath(DatabaseFileName(kind));
    if (QFileInfo::exists(path))
        throw TqxfError(Format("Файл базы данных [%s] уже существует!", QDir::toNativeSeparators(path)));
    try {
        ScopedConnection connection(path);
        if (!connection.error().isEmpty()) throw TqxfError(connection.error());
        ExecSqlScript(connection.db(), schema);
    } catch (const TqxfError& e) {
        QFile::remove(path);
        throw TqxfError(
            Format("Ошибка создания базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(path), e.message()));
    }
    return path;
}

std::vector<TTableInfo> ListTables(const QString& databaseFile) {
    if (!QFileInfo(databaseFile).isFile())
        throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(databaseFile),
                               "файл не найден"));
    ScopedConnection connection(databaseFile);
    if (!connection.error().isEmpty())
        throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(databaseFile),
                               connection.error()));
    std::vector<TTableInfo> tables;
    {
        QSqlQuery q(connection.db());
        if (!q.exec(QStringLiteral(
                "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid")))
            throw TqxfError(q.lastError().text());
        while (q.next())
            tables.push_back({q.value(0).toString(), 0});
    }
    for (TTableInfo& t : tables) {
        QSqlQuery q(connection.db());
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoteIdent(t.Name))) || !q.next())
            throw TqxfError(Format("Ошибка чтения таблицы [%s]\r\n(%s)", t.Name, q.lastError().text()));
        t.Rows = q.value(0).toLongLong();
    }
    return tables;
}

}  // namespace qx
