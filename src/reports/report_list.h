// report_list.h — the report list: the templates registered for orders or for selections in the
// report table, their paths, and preview, print and print group through the report data module.
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

namespace qx {

class TqxfOrder;
class TqxfOrderSelection;
class TqxfReport;
class TDM_Report;

// Report table groups.
inline constexpr int kOrderReportGroup = 11;
inline constexpr int kSelectionReportGroup = 12;

// One row of the report table.
struct TReportListRow {
    QString Name;
    QString FileName;  // "%" in front: relative to the report directory
    int Default = 0;   // 1: the template belongs to the print group
    int Copies = 1;
    int Group = 0;
    int Use = 0;  // the "USE" column
};

// Where a prepared report goes.
class TReportOutput {
public:
    virtual ~TReportOutput() = default;
    // Shows the report, from where the user may print it.
    virtual void Preview(TqxfReport& report) = 0;
    // Prints the report without a further dialog; an empty printer name is the default printer.
    virtual void Print(TqxfReport& report, const QString& printerName, int copies) = 0;
};

// The system's printers: prints through QPrinter; the preview is a PDF file in the temporary
// folder handed to the system's viewer (the desktop program shows its own preview window).
class TSystemReportOutput : public TReportOutput {
public:
    void Preview(TqxfReport& report) override;
    void Print(TqxfReport& report, const QString& printerName, int copies) override;
};

// The names of the system's printers and the default one (empty when there is none).
QStringList ReportPrinterNames();
QString DefaultReportPrinterName();
// Prints a prepared report with copies on the named printer (empty: the default printer). A
// printer that does not exist, or none at all, raises TqxfError.
void PrintReportOnPrinter(TqxfReport& report, const QString& printerName, int copies);

// The report list of one document, as the print dialog holds it.
class TReportList {
public:
    TReportList(TDM_Report& data, TReportOutput& output);

    // The templates of the document's group (orders 11, selections 12) become the list.
    void Execute(TqxfOrder& order);
    void Execute(TqxfOrderSelection& selection);
    int Group() const { return group_; }

    // "Показать все": the templates not in use are listed too. Changing it reopens the list.
    bool ShowAll() const { return showAll_; }
    void SetShowAll(bool showAll);
    // The list query as it is run, one text per line.
    QStringList QueryLines() const;
    // Reads the list from the report table; the changes made to the list are dropped.
    void OpenList();
    // Drops the list and its changes (the dialog closes).
    void CloseList();

    // The list in table order; Default and Copies may be changed for this opening only.
    std::vector<TReportListRow>& Rows() { return rows_; }
    const std::vector<TReportListRow>& Rows() const { return rows_; }
    int CurrentRow = 0;
    // The printer chosen for printing; empty: the default printer.
    QString PrinterName;

    // The template file of a row: "%" + name is taken in the report directory.
    static QString TemplatePath(const TReportListRow& row);

    // The actions on the current row (Preview, Print) and on the rows marked Default (PrintGroup),
    // with their messages and questions.
    void Preview();
    void Print();
    void PrintGroup();

private:
    enum class Action { Preview, Print };
    // The template at `path` prepared with the document; false after the preparation error box.
    bool prepare(TqxfReport& report, const QString& path);
    void setDocument();
    void runOne(Action action);

    TDM_Report& data_;
    TReportOutput& output_;
    TqxfOrder* order_ = nullptr;
    TqxfOrderSelection* selection_ = nullptr;
    int group_ = kOrderReportGroup;
    bool showAll_ = false;
    std::vector<TReportListRow> rows_;
};

}  // namespace qx
