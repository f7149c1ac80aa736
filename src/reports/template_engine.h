// template_engine.h — report templates: HTML whose bands repeat per record of a data source,
// whose [expression] fields take the values of the report data module, with sketch and picture
// objects, a page header and footer on every page, laid out into pages for PDF files and printers.
#pragma once
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "common/expression.h"
#include "reports/sketch_object.h"

class QPagedPaintDevice;

namespace qx {

// A record source that a band walks (the report data module's user datasets).
class TReportDataSource {
public:
    virtual ~TReportDataSource() = default;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
    virtual bool Eof() const = 0;
};

// The bands painted on every page.
inline constexpr const char* kPageHeaderBand = "PageHeader";
inline constexpr const char* kPageFooterBand = "PageFooter";

// Paper, orientation and margins of a template (meta "page-size", "page-orientation", "page-margins").
struct TReportPageSetup {
    QPageSize PageSize{QPageSize::A4};
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    QMarginsF Margins{20, 15, 10, 15};  // millimetres: left, top, right, bottom
    // The paper in millimetres, turned by the orientation.
    QSizeF PaperMm() const;
};

class TqxfReport {
public:
    // Answers a variable by name (true: answered).
    using TGetValueHandler = std::function<bool(const QString& name, ExprValue& value)>;
    // Carries out a user function (true: the function is known and result is set).
    using TUserFunctionHandler = std::function<bool(const QString& name, const ExprArgs& args, ExprValue& result)>;
    // Looks at an object just before it prints.
    using TBeforePrintHandler = std::function<void(TReportObject& object)>;

    TqxfReport();
    ~TqxfReport();
    TqxfReport(const TqxfReport&) = delete;
    TqxfReport& operator=(const TqxfReport&) = delete;

    // Reads a template file (UTF-8). A fault of the template (unbalanced bracket, bad expression,
    // wrong object or page set-up, a missing picture file) raises TqxfError naming the template,
    // the line and the fault; the report is then empty.
    void LoadFromFile(const QString& fileName);
    // The same from text; pictures are looked for in baseDir.
    void LoadFromText(const QString& html, const QString& name, const QString& baseDir = QString());
    bool Loaded() const;
    const QString& FileName() const;
    // The template's <title>, or its file's name.
    QString Title() const;
    const TReportPageSetup& PageSetup() const;

    // The handlers and record sources of the report data module (AttachReport installs them).
    TGetValueHandler OnGetValue;
    TUserFunctionHandler OnUserFunction;
    TBeforePrintHandler OnBeforePrint;
    // Record sources by name, letter case ignored; a null source removes the name.
    void SetDataSource(const QString& name, TReportDataSource* source);
    TReportDataSource* DataSource(const QString& name) const;

    // The template's objects in template order; nullptr when no object has the name.
    TReportObject* FindObject(const QString& name) const;
    std::vector<TReportObject*> Objects() const;

    // Dots per inch at which sketches are drawn when the report is prepared.
    int ObjectDpi = 300;

    // Fills the template with the data: bands repeated per record, fields evaluated, objects
    // drawn, the pages laid out with their header and footer. Faults raise TqxfError naming the
    // template, the line and the fault (an unknown band source, an unknown name, a failing
    // lookup); nothing is prepared then.
    void PrepareReport();
    bool Prepared() const;
    int PageCount() const;
    // The filled body, page header and page footer of a page (1-based) as HTML.
    QString PreparedHtml() const;
    QString PageHeaderHtml(int page) const;
    QString PageFooterHtml(int page) const;

    // Paints the prepared pages on an inactive paged device (a PDF writer, a printer in full-page
    // mode) `copies` times in a row; the device gets the template's paper with no margins.
    void Print(QPagedPaintDevice& device, int copies = 1) const;
    // Writes the prepared report as a PDF file; raises TqxfError when the file cannot be written.
    void ExportToPdf(const QString& fileName) const;
    // One prepared page (0-based) on a white image at dpi dots per inch.
    QImage RenderPage(int page, int dpi) const;

    struct Impl;  // the template and its prepared pages

private:
    std::unique_ptr<Impl> d;
};

// The text of a template fault: "Шаблон отчета [name], строка N:\r\nfault".
QString TemplateFaultText(const QString& templateName, int line, const QString& fault);

}  // namespace qx
