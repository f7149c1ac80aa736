// demo_reports.cpp — copies the built-in demo templates into a report directory and registers them.
#include "reports/demo_reports.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "catalog/catalog_admin.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "reports/report_list.h"

static void initDemoReportResources() {
    Q_INIT_RESOURCE(demo_reports);
}

namespace qx {

namespace {

const QString kResourceFolder = QStringLiteral(":/qx/demo_reports/");

void copyResource(const QString& name, const QString& reportDir) {
    const QString target = QDir(reportDir).filePath(name);
    if (QFile::exists(target)) {
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        if (!QFile::remove(target)) throw TqxfError(Format("Невозможно заменить файл [%s]!", target));
    }
    QFile source(kResourceFolder + name);
    if (!source.copy(target))
        throw TqxfError(Format("Невозможно записать файл [%s]!\r\n(%s)", target, source.errorString()));
    // a copy out of the program's resources is read-only
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}

void registerRows(const QString& databaseFile) {
    const QString connection = QStringLiteral("qx_demo_reports_") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databaseFile);
        if (!db.open())
            throw TqxfError(Format("Ошибка открытия базы отчетов [%s]!\r\n(%s)", databaseFile, db.lastError().text()));
        db.transaction();
        QSqlQuery query(db);
        auto run = [&](const QString& file, const TDemoReport* report) {
            if (!report) {
                query.prepare(QStringLiteral("DELETE FROM \"Report\" WHERE \"FileName\" = ?"));
                query.addBindValue(file);
            } else {
                query.prepare(
                    QStringLiteral("INSERT INTO \"Report\" (\"Name\", \"FileName\", \"Default\", \"Copies\", "
                                   "\"Group\", \"USE\") VALUES (?, ?, ?, ?, ?, 1)"));
                query.addBindValue(report->Name);
                query.addBindValue(file);
                query.addBindValue(report->Default);
                query.addBindValue(report->Copies);
                query.addBindValue(report->Group);
            }
            if (!query.exec()) {
                const QString error = query.lastError().text();
                db.rollback();
                throw TqxfError(Format("Ошибка записи в базу отчетов [%s]!\r\n(%s)", databaseFile, error));
            }
        };
        for (const TDemoReport& report : DemoReports()) {
            const QString file = QStringLiteral("%\\") + report.File;
            run(file, nullptr);
            run(file, &report);
        }
        if (!db.commit())
            throw TqxfError(Format("Ошибка записи в базу отчетов [%s]!\r\n(%s)", databaseFile, db.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

}  // namespace

const std::vector<TDemoReport>& DemoReports() {
    static const std::vector<TDemoReport> reports = {
        {QStringLiteral("Коммерческое предложение"), QStringLiteral("offer.html"), 1, 2, kOrderReportGroup},
        {QStringLiteral("Спецификация фурнитуры"), QStringLiteral("hardware_spec.html"), 1, 1, kOrderReportGroup},
        {QStringLiteral("Ведомость материалов"), QStringLiteral("materials.html"), 0, 1, kOrderReportGroup},
        {QStringLiteral("Ведомость материалов по выборке"), QStringLiteral("selection_materials.html"), 1, 1,
         kSelectionReportGroup}};
    return reports;
}

QStringList DemoReportExtraFiles() {
    return {QStringLiteral("logo.png")};
}

void RegisterDemoReports(const QString& reportDir) {
    initDemoReportResources();
    if (!ForceDirectories(reportDir)) throw TqxfError(Format("Невозможно создать папку [%s]!", reportDir));
    for (const TDemoReport& report : DemoReports())
        copyResource(report.File, reportDir);
    for (const QString& file : DemoReportExtraFiles())
        copyResource(file, reportDir);
    const QString database = QDir(reportDir).filePath(DatabaseFileName(DatabaseKind::Reports));
    if (!QFile::exists(database)) CreateDatabase(DatabaseKind::Reports, reportDir);
    registerRows(database);
}

}  // namespace qx
