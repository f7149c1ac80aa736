// catalog_check.h — finds in a hardware catalog what would make a hardware selection fail or
// silently miss hardware, naming the kit, element and article concerned.
#pragma once
#include <QJsonObject>
#include <QString>
#include <vector>

namespace qx {

class TDM;

enum class TCheckSeverity {
    Error,    // a selection fails, hardware is silently missing, or an article cannot be priced
    Warning,  // catalog rows that can never take effect
};

struct TCatalogFinding {
    TCheckSeverity Severity = TCheckSeverity::Error;
    QString Table;        // the catalog table of the faulty row ("FrnSet")
    QString Kit;          // kit code, when the finding concerns a kit or one of its rules
    QString KitName;      // its FrnComp name (empty when the kit is missing)
    QString Element;      // element code (FrnItem)
    QString ElementName;  // its FrnItem name
    QString Article;      // article code (Catalog)
    QString Message;      // what is wrong and what it does to a selection
};

// Checks the open catalog tables of the data module:
//  * set rules whose side, corner or partner-side numbers exceed what a sash within the kit's
//    side limits can have, partner conditions in single-sash kits, scaling without a step,
//    length formulas that do not parse or read unknown names;
//  * elements missing from FrnItem or without article rows, required elements none of whose
//    articles can match the parameter lists (rebate, backset, mullion types, keeper systems,
//    colours, hands) or the rule's computation principle, gaps in the size ranges of the articles;
//  * articles missing from Catalog, articles whose currency has no rate or whose price group is
//    missing;
//  * main kits without side limits or with side limits no sash can meet;
//  * property keys without properties and property values missing from SysProp.
// Findings come grouped by table, in table order.
std::vector<TCatalogFinding> CheckCatalog(const TDM& dm);

int ErrorCount(const std::vector<TCatalogFinding>& findings);
int WarningCount(const std::vector<TCatalogFinding>& findings);

// One readable line: "Ошибка [FrnSet] комплект [W-TT-L] «…», элемент [E110] «…»: …".
QString FindingText(const TCatalogFinding& finding);
// {"Severity": "error" | "warning", "Table", "Kit", "KitName", "Element", "ElementName",
//  "Article", "Message"}.
QJsonObject FindingJson(const TCatalogFinding& finding);

}  // namespace qx
