// demo_reports.h — the demo report templates built into the program and their registration in a
// report directory's report table.
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

namespace qx {

// One demo template as it is registered.
struct TDemoReport {
    QString Name;
    QString File;  // file name in the report directory
    int Default = 0;
    int Copies = 1;
    int Group = 0;
};

// The demo templates: "Коммерческое предложение", "Спецификация фурнитуры", "Ведомость материалов"
// for orders and "Ведомость материалов по выборке" for selections.
const std::vector<TDemoReport>& DemoReports();
// The files that go with the templates (the logo picture).
QStringList DemoReportExtraFiles();

// Writes the demo templates and their pictures into reportDir (made when missing; files of the
// same names are replaced), creates reports.sqlite there when it is missing, and registers each
// template in the Report table as "%\" + file name, in use, replacing a row of the same file.
// Failures raise TqxfError naming the file.
void RegisterDemoReports(const QString& reportDir);

}  // namespace qx
