// catalog_fixture.h — a temporary catalog for tests: empty databases made from the schema, the
// test's own SQL, and a data module opened on them and installed as the run's module.
#pragma once
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

#include "catalog/data_module.h"
#include "common/messages.h"

namespace qx {

// Usage:
//   CatalogFixture cat(R"(INSERT INTO Catalog (ID, Name) VALUES ('A-1', 'Петля');)");
//   EXPECT_EQ(GetArticleName("A-1", false), "Петля");      // DM() is the fixture's module
// Messages shown while the fixture lives (table open failures, lookups) land in cat.Messages.
class CatalogFixture {
  public:
    // Creates catalog.sqlite, registry.sqlite and reports.sqlite in a temporary directory, runs
    // `catalogSql` on the catalog and connects a data module; with `open` it also opens the
    // catalog tables and installs the module with SetDM (see Open).
    explicit CatalogFixture(const QString& catalogSql = QString(), bool open = true);
    ~CatalogFixture();
    CatalogFixture(const CatalogFixture&) = delete;
    CatalogFixture& operator=(const CatalogFixture&) = delete;

    // Runs an SQL script on the catalog (registry, report) database; open tables are re-read.
    void Exec(const QString& sql);
    void ExecRegistry(const QString& sql);
    void ExecReports(const QString& sql);
    // Inserts one row with bound values into a catalog table; open tables are re-read.
    void Insert(const QString& table, const QVariantMap& values);

    // Opens the catalog tables and installs the module as DM(); returns the number of tables that
    // failed to open (each reported into Messages).
    int Open();
    // Closes the tables and uninstalls the module.
    void Close();

    TDM& dm() { return *dm_; }
    QString Root() const { return dir_.path(); }
    QString CatalogDir() const;
    QString RegistryDir() const;
    QString ReportDir() const;

  private:
    QTemporaryDir dir_;

  public:
    RecordingMessageHandler Messages;

  private:
    ScopedMessageHandler scopedHandler_{Messages};
    std::unique_ptr<TDM> dm_;
    void refreshOpenTables();
};

}  // namespace qx
