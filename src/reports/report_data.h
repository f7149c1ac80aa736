// report_data.h — TDM_Report, the report data module: hands one order or selection to report
// templates through five record sources, the variables, the user functions and the binding of
// sketch objects to the position being printed.
#pragma once
#include <QString>
#include <QStringList>
#include <cstddef>
#include <memory>

#include "common/expression.h"
#include "documents/mat_list.h"

namespace qx {

class TqxfOrder;
class TqxfOrderSelection;
class TqxfOrderSelectionItem;
class TqxfConstruction;
class TqxfFurnComp;
class TqxfReport;
class TReportObject;
class TReportDataSource;

// The record sources as templates name them.
inline constexpr const char* kOrderPosSpec = "frdOrderPosSpec";
inline constexpr const char* kSelPosSpec = "frdSelPosSpec";
inline constexpr const char* kFrameFurnCompSpec = "frdFrameFurnCompSpec";
inline constexpr const char* kFurnCompItemSpec = "frdFurnCompItemSpec";
inline constexpr const char* kOrderMatList = "frdOrderMatList";

class TDM_Report {
public:
    TDM_Report();
    ~TDM_Report();
    TDM_Report(const TDM_Report&) = delete;
    TDM_Report& operator=(const TDM_Report&) = delete;

    // The document of the next print (borrowed). Each call first forgets the previous document,
    // its current position and selection item; nullptr leaves no document.
    void SetDocument(TqxfOrder* order);
    void SetDocument(TqxfOrderSelection* selection);
    void SetDocument(std::nullptr_t);
    // Installs the variable, user function and before-print handlers and the five record
    // sources in the report, and remembers it.
    void AttachReport(TqxfReport& report);
    // Forgets the document, every current record and the report (whose handlers and sources are
    // removed and whose sketch objects are unbound), and frees the material list.
    void ReleaseDocument();

    // The handlers AttachReport installs.
    // A variable by name in any letter case; true when the module knows the name (a name the
    // module knows but cannot answer now gives an empty value).
    bool GetValue(const QString& name, ExprValue& value);
    // A user function; true when the name is one of the module's functions.
    bool UserFunction(const QString& name, const ExprArgs& args, ExprValue& result);
    // Binds a sketch object to the current position; other objects are not touched.
    void BeforePrint(TReportObject& object);

    // The record sources.
    TReportDataSource& OrderPosSpec();
    TReportDataSource& SelPosSpec();
    TReportDataSource& FrameFurnCompSpec();
    TReportDataSource& FurnCompItemSpec();
    TReportDataSource& OrderMatList();

    // The state the sources walk.
    TqxfOrder* Order() const;
    TqxfOrderSelection* Selection() const;
    TqxfReport* Report() const;
    int PositionIndex() const;
    int SelectionItemIndex() const;
    TqxfConstruction* CurrentPosition() const;
    TqxfOrderSelectionItem* CurrentSelectionItem() const;
    TqxfFurnComp* CurrentKit() const;
    int KitItemIndex() const;
    // nullptr until "_INIT_ORDERMATLIST" or "_INIT_SELMATLIST" builds it.
    const TqxfMatList* MaterialList() const;
    int MaterialRowIndex() const;

    struct Impl;  // the module's state

private:
    std::unique_ptr<Impl> d;
};

// The option value IDs of a kit's property lines ("digit=ID") that SysProp holds (with
// printableOnly, only those whose Printable is 1), each once, joined by ";".
QString KitPropertyList(const TqxfFurnComp& kit, bool printableOnly);

}  // namespace qx
