// catalog_fixture.cpp — temporary catalog databases for tests.
#include "support/catalog_fixture.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

#include "catalog/catalog_admin.h"
#include "common/error.h"

namespace qx {

CatalogFixture::CatalogFixture(const QString& catalogSql, bool open) {
    if (!dir_.isValid()) throw std::runtime_error("CatalogFixture: no temporary directory");
    CreateDatabase(DatabaseKind::Catalog, CatalogDir());
    CreateDatabase(DatabaseKind::Registry, RegistryDir());
    CreateDatabase(DatabaseKind::Reports, ReportDir());
    dm_ = std::make_unique<TDM>();
    dm_->Connect(CatalogDir(), RegistryDir(), ReportDir());
    if (!catalogSql.isEmpty()) ExecSqlScript(dm_->CatalogDb(), catalogSql);
    if (open) Open();
}

CatalogFixture::~CatalogFixture() {
    if (HasDM() && &DM() == dm_.get()) SetDM(nullptr);
    dm_.reset();
}

QString CatalogFixture::CatalogDir() const {
    return QDir(dir_.path()).filePath(QStringLiteral("catalog"));
}
QString CatalogFixture::RegistryDir() const {
    return QDir(dir_.path()).filePath(QStringLiteral("server"));
}
QString CatalogFixture::ReportDir() const {
    return QDir(dir_.path()).filePath(QStringLiteral("reports"));
}

void CatalogFixture::refreshOpenTables() {
    for (CatalogTable* t : dm_->CatalogTables())
        t->Refresh();
    dm_->T_OrderList.Refresh();
}

void CatalogFixture::Exec(const QString& sql) {
    ExecSqlScript(dm_->CatalogDb(), sql);
    refreshOpenTables();
}

void CatalogFixture::ExecRegistry(const QString& sql) {
    ExecSqlScript(dm_->RegistryDb(), sql);
    dm_->T_OrderList.Refresh();
}

void CatalogFixture::ExecReports(const QString& sql) {
    ExecSqlScript(dm_->ReportDb(), sql);
}

void CatalogFixture::Insert(const QString& table, const QVariantMap& values) {
    QStringList names, marks;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        names << QLatin1Char('"') + it.key() + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    {
        QSqlQuery q(dm_->CatalogDb());
        q.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                      .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec()) throw TqxfError(QStringLiteral("CatalogFixture::Insert: ") + q.lastError().text());
    }
    refreshOpenTables();
}

int CatalogFixture::Open() {
    const int failed = dm_->OpenCatalogTables();
    SetDM(dm_.get());
    return failed;
}

void CatalogFixture::Close() {
    if (HasDM() && &DM() == dm_.get()) SetDM(nullptr);
    for (CatalogTable* t : dm_->CatalogTables())
        t->Close();
}

}  // namespace qx
