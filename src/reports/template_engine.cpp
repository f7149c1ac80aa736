// template_engine.cpp — parsing of report templates, filling them with data, page layout and output.
#include "reports/template_engine.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QScreen>
#include <QTextDocument>
#include <QTime>
#include <QUrl>
#include <cmath>
#include <optional>

#include "common/datetime.h"
#include "common/error.h"
#include "common/format.h"
#include "reports/page_layout.h"

namespace qx {

QString TemplateFaultText(const QString& templateName, int line, const QString& fault) {
    return Format("Шаблон отчета [%s], строка %d:\r\n%s", templateName, line, fault);
}

QSizeF TReportPageSetup::PaperMm() const {
    const QSizeF size = PageSize.size(QPageSize::Millimeter);
    return Orientation == QPageLayout::Landscape ? size.transposed() : size;
}

namespace {

// A fault already named with its template and line.
class TemplateError : public TqxfError {
public:
    using TqxfError::TqxfError;
};

constexpr int kMaxRecordsPerBand = 1000000;
constexpr int kMaxNesting = 200;
constexpr qreal kDefaultSketchWidthMm = 60;
constexpr qreal kDefaultSketchHeightMm = 45;
constexpr qreal kMinBodyHeightMm = 20;

// ---------------------------------------------------------------------------------------------
// The template tree

struct Segment {
    QString Literal;  // HTML text as written, used when not an expression
    bool IsExpression = false;
    Expression Expr;
    int Line = 0;
};
using Segments = std::vector<Segment>;

struct Attribute {
    QString Name;  // lower case
    Segments Value;
    bool HasValue = false;
    int Line = 0;
};

struct Node {
    enum class Kind { Root, Element, Text };
    Kind NodeKind = Kind::Element;
    int Line = 0;
    QString Tag;  // lower case
    std::vector<Attribute> Attributes;
    Segments Text;         // a text node
    bool RawText = false;  // style, script, title, textarea: the content is written as it is
    QString RawContent;
    bool Void = false;
    std::vector<std::unique_ptr<Node>> Children;
    Node* Parent = nullptr;

    QString Band;  // data-band
    bool HasCondition = false;
    Expression Condition;  // data-if
    int ConditionLine = 0;
    TReportObject* Object = nullptr;  // data-object

    const Attribute* attribute(const QString& name) const {
        for (const Attribute& a : Attributes)
            if (a.Name == name) return &a;
        return nullptr;
    }
};

const QStringList& voidTags() {
    static const QStringList tags = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                     "input", "link", "meta", "param", "source", "track", "wbr"};
    return tags;
}

const QStringList& rawTextTags() {
    static const QStringList tags = {"style", "script", "title", "textarea"};
    return tags;
}

bool isPageBand(const QString& band) {
    return band.compare(QLatin1String(kPageHeaderBand), Qt::CaseInsensitive) == 0 ||
           band.compare(QLatin1String(kPageFooterBand), Qt::CaseInsensitive) == 0;
}

// Character references of HTML in the text of an expression or an attribute.
QString decodeEntities(const QString& text) {
    if (!text.contains(QLatin1Char('&'))) return text;
    static const QHash<QString, QString> named = {{"lt", "<"},
                                                  {"gt", ">"},
                                                  {"amp", "&"},
                                                  {"quot", "\""},
                                                  {"apos", "'"},
                                                  {"nbsp", QString(QChar(0xA0))},
                                                  {"laquo", QString(QChar(0xAB))},
                                                  {"raquo", QString(QChar(0xBB))},
                                                  {"mdash", QString(QChar(0x2014))},
                                                  {"ndash", QString(QChar(0x2013))},
                                                  {"numero", QString(QChar(0x2116))}};
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            const qsizetype semi = text.indexOf(QLatin1Char(';'), i + 1);
            if (semi > i + 1 && semi - i <= 10) {
                const QString name = text.mid(i + 1, semi - i - 1);
                QString replacement;
                if (name.startsWith(QLatin1Char('#'))) {
                    bool ok = false;
                    const uint code = (name.size() > 1 && (name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X')))
                                          ? name.mid(2).toUInt(&ok, 16)
                                          : name.mid(1).toUInt(&ok, 10);
                    if (ok && code > 0 && code < 0x110000)
                        replacement = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
                } else {
                    replacement = named.value(name);
                }
                if (!replacement.isEmpty()) {
                    out += replacement;
                    i = semi;
                    continue;
                }
            }
        }
        out += text[i];
    }
    return out;
}

// The literal text of segments without expressions; nullopt when one is an expression.
std::optional<QString> literalOf(const Segments& segments) {
    QString text;
    for (const Segment& s : segments) {
        if (s.IsExpression) return std::nullopt;
        text += s.Literal;
    }
    return decodeEntities(text);
}

class TemplateParser {
public:
    TemplateParser(const QString& text, const QString& name) : s_(text), name_(name) {}

    std::unique_ptr<Node> Parse() {
        auto root = std::make_unique<Node>();
        root->NodeKind = Node::Kind::Root;
        stack_.push_back(root.get());
        while (pos_ < s_.size()) {
            if (s_[pos_] == QLatin1Char('<') && isTagStart()) {
                parseMarkup();
            } else {
                auto text = std::make_unique<Node>();
                text->NodeKind = Node::Kind::Text;
                text->Line = line_;
                text->Text = readText();
                append(std::move(text));
            }
        }
        return root;
    }

private:
    const QString& s_;
    QString name_;
    qsizetype pos_ = 0;
    int line_ = 1;
    std::vector<Node*> stack_;

    [[noreturn]] void fail(int line, const QString& fault) const {
        throw TemplateError(TemplateFaultText(name_, line, fault));
    }

    QChar at(qsizetype i) const { return i < s_.size() ? s_[i] : QChar(); }
    void advance() {
        if (s_[pos_] == QLatin1Char('\n')) ++line_;
        ++pos_;
    }

    bool isTagStart() const {
        const QChar c = at(pos_ + 1);
        return c.isLetter() || c == QLatin1Char('/') || c == QLatin1Char('!') || c == QLatin1Char('?');
    }

    void append(std::unique_ptr<Node> node) {
        Node* parent = stack_.back();
        node->Parent = parent;
        parent->Children.push_back(std::move(node));
    }

    // An [expression] starting at the current "[". stopQuote: the quote that ends the attribute
    // value being read (null in text).
    Segment readExpression(QChar stopQuote) {
        const int startLine = line_;
        advance();  // "["
        QString raw;
        bool inQuote = false;
        for (;;) {
            if (pos_ >= s_.size()) {
                if (inQuote) fail(startLine, QStringLiteral("не закрыта кавычка ' в выражении [%1").arg(raw));
                fail(startLine, QStringLiteral("не закрыта скобка [ выражения [%1").arg(raw.left(40)));
            }
            const QChar c = s_[pos_];
            if (inQuote) {
                if (c == QLatin1Char('\'')) inQuote = false;
                raw += c;
                advance();
                continue;
            }
            if (c == QLatin1Char('\'')) {
                inQuote = true;
                raw += c;
                advance();
                continue;
            }
            if (c == QLatin1Char(']')) {
                advance();
                break;
            }
            if (c == QLatin1Char('[') || (c == QLatin1Char('<') && at(pos_ + 1) == QLatin1Char('/')) ||
                (!stopQuote.isNull() && c == stopQuote))
                fail(startLine, QStringLiteral("не закрыта скобка [ выражения [%1").arg(raw.trimmed().left(40)));
            raw += c;
            advance();
        }
        Segment segment;
        segment.IsExpression = true;
        segment.Line = startLine;
        const QString text = decodeEntities(raw).trimmed();
        if (text.isEmpty()) fail(startLine, QStringLiteral("пустое выражение []"));
        try {
            segment.Expr = Expression::Parse(text);
        } catch (const TqxfError& e) {
            fail(startLine, e.Message);
        }
        return segment;
    }

    static void flush(Segments& out, QString& literal, int line) {
        if (literal.isEmpty()) return;
        Segment segment;
        segment.Literal = literal;
        segment.Line = line;
        out.push_back(std::move(segment));
        literal.clear();
    }

    // Text up to the next tag, with its [expressions] and "[[".
    Segments readText() {
        Segments out;
        QString literal;
        int literalLine = line_;
        while (pos_ < s_.size()) {
            const QChar c = s_[pos_];
            if (c == QLatin1Char('<') && isTagStart()) break;
            if (c == QLatin1Char('[')) {
                if (at(pos_ + 1) == QLatin1Char('[')) {
                    if (literal.isEmpty()) literalLine = line_;
                    literal += QLatin1Char('[');
                    pos_ += 2;
                    continue;
                }
                flush(out, literal, literalLine);
                out.push_back(readExpression(QChar()));
                literalLine = line_;
                continue;
            }
            if (literal.isEmpty()) literalLine = line_;
            literal += c;
            advance();
        }
        flush(out, literal, literalLine);
        return out;
    }

    Segments readAttributeValue(int tagLine, const QString& tag) {
        Segments out;
        QString literal;
        const int valueLine = line_;
        const QChar quote = at(pos_);
        const bool quoted = quote == QLatin1Char('"') || quote == QLatin1Char('\'');
        if (quoted) advance();
        for (;;) {
            if (pos_ >= s_.size()) fail(tagLine, QStringLiteral("не закрыт тег <%1").arg(tag));
            const QChar c = s_[pos_];
            if (quoted && c == quote) {
                advance();
                break;
            }
            if (!quoted && (c.isSpace() || c == QLatin1Char('>'))) break;
            if (c == QLatin1Char('[')) {
                if (at(pos_ + 1) == QLatin1Char('[')) {
                    literal += QLatin1Char('[');
                    pos_ += 2;
                    continue;
                }
                flush(out, literal, valueLine);
                out.push_back(readExpression(quoted ? quote : QChar(QLatin1Char('>'))));
                continue;
            }
            if (c == QLatin1Char('"')) {
                literal += QStringLiteral("&quot;");  // written inside double quotes
                advance();
                continue;
            }
            literal += c;
            advance();
        }
        flush(out, literal, valueLine);
        return out;
    }

    QString readName() {
        QString name;
        while (pos_ < s_.size()) {
            const QChar c = s_[pos_];
            if (c.isSpace() || c == QLatin1Char('>') || c == QLatin1Char('/') || c == QLatin1Char('=')) break;
            name += c;
            advance();
        }
        return name.toLower();
    }

    void skipSpaces() {
        while (pos_ < s_.size() && s_[pos_].isSpace())
            advance();
    }

    void skipPast(const QString& end, int startLine, const QString& fault) {
        const qsizetype found = s_.indexOf(end, pos_);
        if (found < 0) fail(startLine, fault);
        while (pos_ < found + end.size())
            advance();
    }

    void parseMarkup() {
        const int tagLine = line_;
        if (s_.mid(pos_, 4) == QLatin1String("<!--")) {
            skipPast(QStringLiteral("-->"), tagLine, QStringLiteral("не закрыт комментарий <!--"));
            return;
        }
        if (at(pos_ + 1) == QLatin1Char('!') || at(pos_ + 1) == QLatin1Char('?')) {
            skipPast(QStringLiteral(">"), tagLine, QStringLiteral("не закрыт тег <!"));
            return;
        }
        if (at(pos_ + 1) == QLatin1Char('/')) {
            advance();
            advance();
            const QString tag = readName();
            skipPast(QStringLiteral(">"), tagLine, QStringLiteral("не закрыт тег </%1").arg(tag));
            closeElement(tag);
            return;
        }
        advance();  // "<"
        auto node = std::make_unique<Node>();
        node->Line = tagLine;
        node->Tag = readName();
        bool selfClosing = false;
        for (;;) {
            skipSpaces();
            if (pos_ >= s_.size()) fail(tagLine, QStringLiteral("не закрыт тег <%1").arg(node->Tag));
            const QChar c = s_[pos_];
            if (c == QLatin1Char('>')) {
                advance();
                break;
            }
            if (c == QLatin1Char('/')) {
                advance();
                if (at(pos_) == QLatin1Char('>')) {
                    advance();
                    selfClosing = true;
                    break;
                }
                continue;
            }
            Attribute attribute;
            attribute.Line = line_;
            attribute.Name = readName();
            if (attribute.Name.isEmpty()) {  // a stray character such as "="
                advance();
                continue;
            }
            skipSpaces();
            if (at(pos_) == QLatin1Char('=')) {
                advance();
                skipSpaces();
                attribute.HasValue = true;
                attribute.Value = readAttributeValue(tagLine, node->Tag);
            }
            node->Attributes.push_back(std::move(attribute));
        }
        node->Void = voidTags().contains(node->Tag);
        readDataAttributes(*node);
        if (rawTextTags().contains(node->Tag) && !selfClosing) {
            node->RawText = true;
            const QRegularExpression end(QStringLiteral("</%1\\s*>").arg(node->Tag),
                                         QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch match = end.match(s_, pos_);
            if (!match.hasMatch()) fail(tagLine, QStringLiteral("не закрыт элемент <%1>").arg(node->Tag));
            node->RawContent = s_.mid(pos_, match.capturedStart() - pos_);
            while (pos_ < match.capturedEnd())
                advance();
        }
        impliedEnds(node->Tag);
        Node* raw = node.get();
        append(std::move(node));
        if (!raw->Void && !selfClosing && !raw->RawText) {
            if (static_cast<int>(stack_.size()) > kMaxNesting)
                fail(tagLine, QStringLiteral("слишком глубокая вложенность элементов"));
            stack_.push_back(raw);
        }
    }

    void readDataAttributes(Node& node) {
        for (const Attribute& a : node.Attributes) {
            if (a.Name == QLatin1String("data-band")) {
                const std::optional<QString> band = literalOf(a.Value);
                if (!band) fail(a.Line, QStringLiteral("имя источника бэнда не может быть выражением"));
                node.Band = band->trimmed();
                if (node.Band.isEmpty()) fail(a.Line, QStringLiteral("не указан источник данных бэнда"));
            } else if (a.Name == QLatin1String("data-if")) {
                node.HasCondition = true;
                node.ConditionLine = a.Line;
                if (a.Value.size() == 1 && a.Value.front().IsExpression) {
                    node.Condition = a.Value.front().Expr;
                    continue;
                }
                const std::optional<QString> text = literalOf(a.Value);
                if (!text || text->trimmed().isEmpty()) fail(a.Line, QStringLiteral("неверное условие data-if"));
                try {
                    node.Condition = Expression::Parse(text->trimmed());
                } catch (const TqxfError& e) {
                    fail(a.Line, e.Message);
                }
            }
        }
    }

    void popTo(qsizetype index) {
        while (static_cast<qsizetype>(stack_.size()) > index)
            stack_.pop_back();
    }

    // The index in the stack of the innermost open element named one of tags, searching no
    // further out than an element named one of boundaries; -1 when none.
    qsizetype openIndex(const QStringList& tags, const QStringList& boundaries) const {
        for (qsizetype i = static_cast<qsizetype>(stack_.size()) - 1; i > 0; --i) {
            if (tags.contains(stack_[i]->Tag)) return i;
            if (boundaries.contains(stack_[i]->Tag)) return -1;
        }
        return -1;
    }

    // End tags that HTML lets a template leave out.
    void impliedEnds(const QString& tag) {
        static const QStringList cells = {"td", "th"};
        static const QStringList sections = {"tbody", "thead", "tfoot"};
        static const QStringList blocks = {"p",  "div", "table", "h1", "h2",  "h3", "h4",
                                           "h5", "h6",  "ul",    "ol", "pre", "hr", "blockquote"};
        qsizetype i = -1;
        if (cells.contains(tag))
            i = openIndex(cells, {"tr", "table"});
        else if (tag == QLatin1String("tr"))
            i = openIndex({"tr"}, {"table", "tbody", "thead", "tfoot"});
        else if (sections.contains(tag))
            i = openIndex(sections, {"table"});
        else if (tag == QLatin1String("li"))
            i = openIndex({"li"}, {"ul", "ol"});
        else if (blocks.contains(tag) && stack_.back()->Tag == QLatin1String("p"))
            i = static_cast<qsizetype>(stack_.size()) - 1;
        if (i > 0) popTo(i);
    }

    void closeElement(const QString& tag) {
        for (qsizetype i = static_cast<qsizetype>(stack_.size()) - 1; i > 0; --i) {
            if (stack_[i]->Tag == tag) {
                popTo(i);
                return;
            }
        }
        // an end tag without its start tag is left out, as browsers do
    }
};

// A length of an attribute in CSS pixels: a number, or a number with "px", "mm", "cm", "in", "pt".
std::optional<qreal> parseLength(const QString& text, qreal layoutDpi) {
    static const QRegularExpression re(QStringLiteral("^\\s*([0-9]+(?:[.,][0-9]+)?)\\s*(px|mm|cm|in|pt)?\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const qreal value = m.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    const QString unit = m.captured(2).toLower();
    if (unit == QLatin1String("mm")) return value / 25.4 * layoutDpi;
    if (unit == QLatin1String("cm")) return value / 2.54 * layoutDpi;
    if (unit == QLatin1String("in")) return value * layoutDpi;
    if (unit == QLatin1String("pt")) return value / 72 * layoutDpi;
    return value;
}

// Whether a template has anything to print: an element other than the head's, or text.
bool hasContent(const Node& node) {
    for (const auto& child : node.Children) {
        if (child->NodeKind == Node::Kind::Text) {
            for (const Segment& s : child->Text)
                if (s.IsExpression || !decodeEntities(s.Literal).trimmed().isEmpty()) return true;
            continue;
        }
        if (child->Tag == QLatin1String("head")) continue;
        if (child->Tag == QLatin1String("html") || child->Tag == QLatin1String("body")) {
            if (hasContent(*child)) return true;
            continue;
        }
        return true;
    }
    return false;
}

// Reports are laid out at 96 dots per inch whatever the screen: the same pages on every machine.
constexpr qreal kLayoutDpi = 96;

// The resolution QTextDocument takes sizes of pictures in (the screen's logical resolution).
qreal screenDpi() {
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi)) return 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const qreal dpi = std::round(screen->logicalDotsPerInchY());
        if (dpi > 0) return dpi;
    }
    return 96;
}

// The paint device the report documents are laid out for.
QPaintDevice& layoutDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kLayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QFont defaultReportFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(10);
    return font;
}

QString numberText(qreal value) {
    return QString::number(value, 'f', 2);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

struct TqxfReport::Impl {
    QString fileName;
    QString baseDir;
    QString title;
    TReportPageSetup setup;
    std::unique_ptr<Node> root;
    const Node* head = nullptr;
    const Node* body = nullptr;
    const Node* pageHeader = nullptr;
    const Node* pageFooter = nullptr;
    std::vector<std::unique_ptr<TReportObject>> objects;
    QHash<QString, TReportDataSource*> sources;  // upper-cased names

    // The prepared report.
    bool prepared = false;
    qreal layoutDpi = kLayoutDpi;
    qreal imageScale = 1;  // picture sizes as QTextDocument reads them: layout pixels × this
    QHash<QString, QImage> resources;
    QString bodyHtml;
    QStringList headerHtml, footerHtml;
    std::unique_ptr<QTextDocument> bodyDoc;
    std::vector<TPageSlice> pages;
    std::vector<std::unique_ptr<QTextDocument>> headerDocs, footerDocs;
    qreal headerHeight = 0, footerHeight = 0, bodyHeight = 0;
    QSizeF paper;       // layout pixels
    QMarginsF margins;  // layout pixels
    int pageCount = 0;

    [[noreturn]] void fail(int line, const QString& fault) const {
        throw TemplateError(TemplateFaultText(fileName, line, fault));
    }

    void clearPrepared() {
        prepared = false;
        resources.clear();
        bodyHtml.clear();
        headerHtml.clear();
        footerHtml.clear();
        headerDocs.clear();
        footerDocs.clear();
        bodyDoc.reset();
        pages.clear();
        pageCount = 0;
    }

    void clear() {
        clearPrepared();
        root.reset();
        head = body = pageHeader = pageFooter = nullptr;
        objects.clear();
        title.clear();
        setup = TReportPageSetup();
    }

    void scan(const Node& node, const Node* enclosingBand);
    void readPageSetup(const Node& meta);
    void validate(const Node& node, QStringList& openSources) const;
    std::unique_ptr<QTextDocument> makeDocument(const QString& html) const;
    void paintPage(QPainter& painter, int page) const;
};

// Finds head, body, the page bands and the objects; checks the page bands' places.
void TqxfReport::Impl::scan(const Node& node, const Node* enclosingBand) {
    for (const auto& childPtr : node.Children) {
        Node& child = *childPtr;
        if (child.NodeKind != Node::Kind::Element) continue;
        if (child.Tag == QLatin1String("head") && !head) head = &child;
        if (child.Tag == QLatin1String("body") && !body) body = &child;
        if (child.Tag == QLatin1String("title") && title.isEmpty()) title = decodeEntities(child.RawContent).trimmed();
        if (child.Tag == QLatin1String("meta")) readPageSetup(child);
        const Node* band = enclosingBand;
        if (!child.Band.isEmpty()) {
            if (child.Tag == QLatin1String("html") || child.Tag == QLatin1String("head") ||
                child.Tag == QLatin1String("body"))
                fail(child.Line, QStringLiteral("бэнд не может быть элементом <%1>").arg(child.Tag));
            if (isPageBand(child.Band)) {
                if (enclosingBand)
                    fail(child.Line,
                         QStringLiteral("бэнд %1 не может находиться внутри другого бэнда").arg(child.Band));
                const bool header = child.Band.compare(QLatin1String(kPageHeaderBand), Qt::CaseInsensitive) == 0;
                const Node*& slot = header ? pageHeader : pageFooter;
                if (slot) fail(child.Line, QStringLiteral("второй бэнд %1 в шаблоне").arg(child.Band));
                slot = &child;
            }
            band = &child;
        }
        const Attribute* objectAttribute = child.attribute(QStringLiteral("data-object"));
        if (objectAttribute) {
            const std::optional<QString> kind = literalOf(objectAttribute->Value);
            if (!kind || kind->trimmed().isEmpty())
                fail(child.Line, QStringLiteral("неверное имя объекта data-object"));
            if (child.Tag != QLatin1String("img"))
                fail(child.Line, QStringLiteral("объект отчета [%1] должен быть рисунком <img>").arg(kind->trimmed()));
            QString name;
            if (const Attribute* a = child.attribute(QStringLiteral("name")))
                name = literalOf(a->Value).value_or(QString()).trimmed();
            std::unique_ptr<TReportObject> object;
            if (kind->trimmed().compare(QLatin1String(kSketchObjectBaseName), Qt::CaseInsensitive) == 0) {
                object = std::make_unique<TqxfFRDrawView>();
                if (name.isEmpty()) {
                    int n = 1;
                    for (const auto& o : objects)
                        if (dynamic_cast<const TqxfFRDrawView*>(o.get())) ++n;
                    name = QString::fromLatin1(kSketchObjectBaseName) + QString::number(n);
                }
            } else {
                auto picture = std::make_unique<TReportPicture>();
                name = kind->trimmed();
                if (const Attribute* src = child.attribute(QStringLiteral("src"))) {
                    const std::optional<QString> file = literalOf(src->Value);
                    if (!file)
                        fail(child.Line, QStringLiteral("рисунок объекта [%1] не может быть выражением").arg(name));
                    if (!file->trimmed().isEmpty()) {
                        const QString path = QDir(baseDir).absoluteFilePath(file->trimmed());
                        if (!picture->LoadFromFile(path))
                            fail(child.Line, QStringLiteral("не найден файл рисунка [%1]").arg(file->trimmed()));
                    }
                }
                object = std::move(picture);
            }
            for (const auto& o : objects)
                if (o->Name.compare(name, Qt::CaseInsensitive) == 0)
                    fail(child.Line, QStringLiteral("второй объект с именем [%1]").arg(name));
            object->Name = name;
            object->Line = child.Line;
            child.Object = object.get();
            objects.push_back(std::move(object));
        }
        scan(child, band);
    }
}

void TqxfReport::Impl::readPageSetup(const Node& meta) {
    const Attribute* nameAttribute = meta.attribute(QStringLiteral("name"));
    const Attribute* contentAttribute = meta.attribute(QStringLiteral("content"));
    if (!nameAttribute || !contentAttribute) return;
    const QString name = literalOf(nameAttribute->Value).value_or(QString()).trimmed().toLower();
    if (!name.startsWith(QLatin1String("page-"))) return;
    const std::optional<QString> contentText = literalOf(contentAttribute->Value);
    if (!contentText) fail(meta.Line, QStringLiteral("значение %1 не может быть выражением").arg(name));
    const QString content = contentText->trimmed();
    if (name == QLatin1String("page-size")) {
        static const QHash<QString, QPageSize::PageSizeId> sizes = {
            {"A3", QPageSize::A3}, {"A4", QPageSize::A4},         {"A5", QPageSize::A5},      {"A6", QPageSize::A6},
            {"B5", QPageSize::B5}, {"LETTER", QPageSize::Letter}, {"LEGAL", QPageSize::Legal}};
        const QString key = content.toUpper();
        if (sizes.contains(key)) {
            setup.PageSize = QPageSize(sizes.value(key));
            return;
        }
        static const QRegularExpression re(
            QStringLiteral("^([0-9]+(?:[.,][0-9]+)?)\\s*[xх×*]\\s*([0-9]+(?:[.,][0-9]+)?)$"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = re.match(content);
        if (m.hasMatch()) {
            const qreal w = m.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            const qreal h = m.captured(2).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            if (w >= 50 && h >= 50 && w <= 2000 && h <= 2000) {
                setup.PageSize = QPageSize(QSizeF(w, h), QPageSize::Millimeter);
                return;
            }
        }
        fail(meta.Line, QStringLiteral("неверный размер страницы [%1] (A3, A4, A5, A6, B5, Letter, Legal или "
                                       "ширина x высота в мм)")
                            .arg(content));
    } else if (name == QLatin1String("page-orientation")) {
        const QString key = content.toLower();
        if (key == QLatin1String("portrait"))
            setup.Orientation = QPageLayout::Portrait;
        else if (key == QLatin1String("landscape"))
            setup.Orientation = QPageLayout::Landscape;
        else
            fail(meta.Line, QStringLiteral("неверная ориентация страницы [%1] (portrait или landscape)").arg(content));
    } else if (name == QLatin1String("page-margins")) {
        const QStringList parts = content.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        std::vector<qreal> values;
        bool valid = !parts.isEmpty() && parts.size() <= 4;
        for (QString part : parts) {
            if (part.endsWith(QLatin1String("mm"), Qt::CaseInsensitive)) part.chop(2);
            bool ok = false;
            const qreal v = part.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            valid = valid && ok && v >= 0 && v <= 100;
            values.push_back(v);
        }
        if (!valid)
            fail(meta.Line, QStringLiteral("неверные поля страницы [%1] (от 1 до 4 чисел в мм: сверху справа снизу "
                                           "слева)")
                                .arg(content));
        // CSS order: top, right, bottom, left
        const qreal top = values[0];
        const qreal right = values.size() > 1 ? values[1] : top;
        const qreal bottom = values.size() > 2 ? values[2] : top;
        const qreal left = values.size() > 3 ? values[3] : right;
        setup.Margins = QMarginsF(left, top, right, bottom);
    }
}

// Every band source must be known, and no band may repeat inside a band of its own source.
void TqxfReport::Impl::validate(const Node& node, QStringList& openSources) const {
    for (const auto& child : node.Children) {
        if (child->NodeKind != Node::Kind::Element) continue;
        bool opened = false;
        if (!child->Band.isEmpty() && !isPageBand(child->Band)) {
            const QString key = child->Band.toUpper();
            if (!sources.value(key))
                fail(child->Line, QStringLiteral("неизвестный источник данных бэнда [%1]").arg(child->Band));
            if (openSources.contains(key))
                fail(child->Line,
                     QStringLiteral("бэнд источника [%1] вложен в бэнд того же источника").arg(child->Band));
            openSources << key;
            opened = true;
        }
        validate(*child, openSources);
        if (opened) openSources.removeLast();
    }
}

std::unique_ptr<QTextDocument> TqxfReport::Impl::makeDocument(const QString& html) const {
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(&layoutDevice());
    doc->setDocumentMargin(0);
    doc->setUseDesignMetrics(true);
    doc->setDefaultFont(defaultReportFont());
    for (auto it = resources.cbegin(); it != resources.cend(); ++it)
        doc->addResource(QTextDocument::ImageResource, QUrl(it.key()), QVariant(it.value()));
    doc->setHtml(html);
    return doc;
}

void TqxfReport::Impl::paintPage(QPainter& painter, int page) const {
    const qreal width = paper.width() - margins.left() - margins.right();
    const qreal height = paper.height() - margins.top() - margins.bottom();
    painter.save();
    painter.translate(margins.left(), margins.top());
    if (page < static_cast<int>(headerDocs.size()) && headerDocs[page]) {
        painter.save();
        headerDocs[page]->drawContents(&painter, QRectF(0, 0, width, headerHeight));
        painter.restore();
    }
    painter.save();
    painter.translate(0, headerHeight);
    PaintPageSlice(painter, *bodyDoc, pages[page], width);
    painter.restore();
    if (page < static_cast<int>(footerDocs.size()) && footerDocs[page]) {
        painter.save();
        painter.translate(0, height - footerHeight);
        footerDocs[page]->drawContents(&painter, QRectF(0, 0, width, footerHeight));
        painter.restore();
    }
    painter.restore();
}

// ---------------------------------------------------------------------------------------------
// Filling a template with data

namespace {

class Expander final : public ExpressionContext {
public:
    Expander(TqxfReport::Impl& report, const TqxfReport& owner, int objectDpi)
        : r_(report), owner_(owner), objectDpi_(objectDpi) {}

    QString Out;
    int Page = 0;  // 1-based while a page band is filled
    int Pages = 0;
    bool SkipPageBands = true;

    bool Variable(const QString& name, ExprValue& value) override {
        if (owner_.OnGetValue && owner_.OnGetValue(name, value)) return true;
        const QString upper = name.toUpper();
        if (upper == QLatin1String("LINE")) {
            value = ExprValue::Number(frames_.empty() ? 0 : frames_.back().Record);
            return true;
        }
        if (Page > 0 && upper == QLatin1String("PAGE")) {
            value = ExprValue::Number(Page);
            return true;
        }
        if (Page > 0 && upper == QLatin1String("PAGES")) {
            value = ExprValue::Number(Pages);
            return true;
        }
        if (upper == QLatin1String("DATE")) {
            value = ExprValue::Text(FormatShortDate(Today()));
            return true;
        }
        if (upper == QLatin1String("TIME")) {
            value = ExprValue::Text(QTime::currentTime().toString(QStringLiteral("hh:mm")));
            return true;
        }
        return false;
    }

    bool Function(const QString& name, const ExprArgs& args, ExprValue& result) override {
        if (owner_.OnUserFunction && owner_.OnUserFunction(name, args, result)) return true;
        const QString upper = name.toUpper();
        if (upper != QLatin1String("SUM") && upper != QLatin1String("COUNT")) return false;
        const bool sum = upper == QLatin1String("SUM");
        if (args.count() != (sum ? 2 : 1))
            throw TqxfError(Format(sum ? "Функция SUM ожидает два аргумента: SUM(источник, выражение)"
                                       : "Функция COUNT ожидает один аргумент: COUNT(источник)"));
        const QString sourceName = args.source(0).trimmed();
        TReportDataSource* source = r_.sources.value(sourceName.toUpper());
        if (!source) throw TqxfError(Format("Неизвестный источник данных [%s] в функции %s", sourceName, upper));
        for (const Frame& f : frames_)
            if (f.Source == source)
                throw TqxfError(Format("Функцию %s нельзя вызывать внутри бэнда ее источника [%s]", upper, sourceName));
        long double total = 0;
        int count = 0;
        source->First();
        while (!source->Eof()) {
            if (++count > kMaxRecordsPerBand) throw TqxfError(Format("Слишком много записей в [%s]", sourceName));
            if (sum) total += args.value(1).toNumber();
            source->Next();
        }
        result = ExprValue::Number(sum ? total : count);
        return true;
    }

    ExprValue Evaluate(const Expression& expression, int line) {
        try {
            return expression.Evaluate(*this);
        } catch (const TemplateError&) {
            throw;
        } catch (const TqxfError& e) {
            r_.fail(line, e.Message);
        }
    }

    void Children(const Node& node) {
        for (const auto& child : node.Children)
            Emit(*child);
    }

    void Emit(const Node& node) {
        switch (node.NodeKind) {
            case Node::Kind::Root:
                Children(node);
                return;
            case Node::Kind::Text:
                for (const Segment& s : node.Text)
                    Out += s.IsExpression ? textHtml(Evaluate(s.Expr, s.Line).toText()) : s.Literal;
                return;
            case Node::Kind::Element:
                break;
        }
        if (!node.Band.isEmpty()) {
            if (isPageBand(node.Band)) {
                if (!SkipPageBands) element(node);
                return;
            }
            band(node);
            return;
        }
        element(node);
    }

private:
    struct Frame {
        TReportDataSource* Source;
        int Record;
    };

    TqxfReport::Impl& r_;
    const TqxfReport& owner_;
    int objectDpi_;
    std::vector<Frame> frames_;

    static QString textHtml(const QString& text) {
        QString html = text.toHtmlEscaped();
        html.replace(QLatin1String("\r\n"), QLatin1String("<br/>"));
        html.replace(QLatin1Char('\n'), QLatin1String("<br/>"));
        html.replace(QLatin1Char('\r'), QLatin1String("<br/>"));
        return html;
    }

    QString attributeText(const Attribute& a) {
        QString text;
        for (const Segment& s : a.Value)
            text += s.IsExpression ? Evaluate(s.Expr, s.Line).toText().toHtmlEscaped() : s.Literal;
        return text;
    }

    QString plainAttribute(const Node& node, const QString& name) {
        const Attribute* a = node.attribute(name);
        return a ? decodeEntities(attributeText(*a)).trimmed() : QString();
    }

    void band(const Node& node) {
        TReportDataSource* source = r_.sources.value(node.Band.toUpper());
        if (!source) r_.fail(node.Line, QStringLiteral("неизвестный источник данных бэнда [%1]").arg(node.Band));
        try {
            source->First();
        } catch (const TqxfError& e) {
            r_.fail(node.Line, e.Message);
        }
        int record = 0;
        for (;;) {
            bool eof = false;
            try {
                eof = source->Eof();
            } catch (const TqxfError& e) {
                r_.fail(node.Line, e.Message);
            }
            if (eof) break;
            if (++record > kMaxRecordsPerBand)
                r_.fail(node.Line, QStringLiteral("слишком много записей в источнике [%1]").arg(node.Band));
            frames_.push_back(Frame{source, record});
            element(node);
            frames_.pop_back();
            try {
                source->Next();
            } catch (const TqxfError& e) {
                r_.fail(node.Line, e.Message);
            }
        }
    }

    bool condition(const Node& node) {
        if (!node.HasCondition) return true;
        const ExprValue value = Evaluate(node.Condition, node.ConditionLine);
        try {
            return value.toBoolean();
        } catch (const TqxfError& e) {
            r_.fail(node.ConditionLine, e.Message);
        }
    }

    static bool dataAttribute(const QString& name) {
        return name == QLatin1String("data-band") || name == QLatin1String("data-if") ||
               name == QLatin1String("data-object");
    }

    void openTag(const Node& node, const QStringList& skip = {}) {
        Out += QLatin1Char('<') + node.Tag;
        for (const Attribute& a : node.Attributes) {
            if (dataAttribute(a.Name) || skip.contains(a.Name)) continue;
            Out += QLatin1Char(' ') + a.Name;
            if (a.HasValue) Out += QStringLiteral("=\"") + attributeText(a) + QLatin1Char('"');
        }
    }

    void element(const Node& node) {
        if (!condition(node)) return;
        if (node.Object) {
            object(node);
            return;
        }
        if (node.Tag == QLatin1String("img")) {
            image(node);
            return;
        }
        if (node.Tag == QLatin1String("meta")) return;
        openTag(node);
        Out += QLatin1Char('>');
        if (node.Void) return;
        if (node.RawText)
            Out += node.RawContent;
        else
            Children(node);
        Out += QStringLiteral("</") + node.Tag + QLatin1Char('>');
    }

    std::optional<qreal> length(const Node& node, const QString& name) {
        const QString text = plainAttribute(node, name);
        if (text.isEmpty()) return std::nullopt;
        const std::optional<qreal> value = parseLength(text, r_.layoutDpi);
        if (!value || *value <= 0 || *value > 20000)
            r_.fail(node.Line,
                    QStringLiteral("неверный размер %1=\"%2\" (число пикселей или мм, например 40mm)").arg(name, text));
        return value;
    }

    QString addResource(const QImage& image) {
        const QString key = QStringLiteral("qxres:%1").arg(r_.resources.size() + 1);
        r_.resources.insert(key, image);
        return key;
    }

    void writeImage(const Node& node, const QString& key, qreal width, qreal height) {
        openTag(node, {"src", "width", "height", "name"});
        Out += QStringLiteral(" src=\"%1\" width=\"%2\" height=\"%3\">")
                   .arg(key, numberText(width * r_.imageScale), numberText(height * r_.imageScale));
    }

    // Sizes from the attributes; a missing one keeps the aspect of natural, or is fallback.
    void sizes(const Node& node, const QSizeF& natural, const QSizeF& fallback, qreal& width, qreal& height) {
        const std::optional<qreal> w = length(node, QStringLiteral("width"));
        const std::optional<qreal> h = length(node, QStringLiteral("height"));
        if (w && h) {
            width = *w;
            height = *h;
        } else if (w) {
            width = *w;
            height = natural.width() > 0 ? *w * natural.height() / natural.width() : fallback.height();
        } else if (h) {
            height = *h;
            width = natural.height() > 0 ? *h * natural.width() / natural.height() : fallback.width();
        } else if (!natural.isEmpty()) {
            width = natural.width();
            height = natural.height();
        } else {
            width = fallback.width();
            height = fallback.height();
        }
    }

    void object(const Node& node) {
        TReportObject& object = *node.Object;
        if (owner_.OnBeforePrint) owner_.OnBeforePrint(object);
        if (auto* sketch = dynamic_cast<TqxfFRDrawView*>(&object)) {
            const qreal mm = r_.layoutDpi / 25.4;
            sizes(node, QSizeF(), QSizeF(kDefaultSketchWidthMm * mm, kDefaultSketchHeightMm * mm), object.Width,
                  object.Height);
            const qreal factor = objectDpi_ / r_.layoutDpi;
            const QSize pixels(qMax(1, qRound(object.Width * factor)), qMax(1, qRound(object.Height * factor)));
            writeImage(node, addResource(sketch->Render(pixels, objectDpi_)), object.Width, object.Height);
            return;
        }
        auto* picture = dynamic_cast<TReportPicture*>(&object);
        if (!picture || picture->Picture.isNull()) return;
        sizes(node, naturalSize(picture->Picture), QSizeF(), object.Width, object.Height);
        writeImage(node, addResource(picture->Picture), object.Width, object.Height);
    }

    // The size of an image in CSS pixels from its own resolution (96 dpi when it has none).
    QSizeF naturalSize(const QImage& image) const {
        const qreal dpiX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * 0.0254 : 96;
        const qreal dpiY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() * 0.0254 : 96;
        return QSizeF(image.width() * r_.layoutDpi / dpiX, image.height() * r_.layoutDpi / dpiY);
    }

    void image(const Node& node) {
        const QString src = plainAttribute(node, QStringLiteral("src"));
        if (src.isEmpty()) r_.fail(node.Line, QStringLiteral("у рисунка <img> не указан src"));
        const QUrl url(src);
        const bool local = url.scheme().size() <= 1 || url.isLocalFile();  // "C:\…" reads as scheme "c"
        if (!local) {
            openTag(node);
            Out += QLatin1Char('>');
            return;
        }
        const QString path = QDir(r_.baseDir).absoluteFilePath(url.isLocalFile() ? url.toLocalFile() : src);
        QImage picture;
        if (!picture.load(path)) r_.fail(node.Line, QStringLiteral("не найден файл рисунка [%1]").arg(src));
        qreal width = 0, height = 0;
        sizes(node, naturalSize(picture), QSizeF(), width, height);
        writeImage(node, addResource(picture), width, height);
    }
};

}  // namespace

// ---------------------------------------------------------------------------------------------

TqxfReport::TqxfReport() : d(std::make_unique<Impl>()) {}
TqxfReport::~TqxfReport() = default;

void TqxfReport::LoadFromFile(const QString& fileName) {
    d->clear();
    d->fileName = fileName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TqxfError(Format("Невозможно открыть шаблон отчета [%s]!\r\n(%s)", fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    LoadFromText(QString::fromUtf8(bytes), fileName, QFileInfo(fileName).absolutePath());
}

void TqxfReport::LoadFromText(const QString& html, const QString& name, const QString& baseDir) {
    d->clear();
    d->fileName = name;
    d->baseDir = baseDir.isEmpty() ? QDir::currentPath() : baseDir;
    try {
        TemplateParser parser(html, name);
        d->root = parser.Parse();
        d->scan(*d->root, nullptr);
        if (!hasContent(*d->root)) d->fail(1, QStringLiteral("шаблон пуст: в нем нечего печатать"));
    } catch (...) {
        d->clear();
        throw;
    }
}

bool TqxfReport::Loaded() const {
    return d->root != nullptr;
}

const QString& TqxfReport::FileName() const {
    return d->fileName;
}

QString TqxfReport::Title() const {
    return d->title.isEmpty() ? QFileInfo(d->fileName).completeBaseName() : d->title;
}

const TReportPageSetup& TqxfReport::PageSetup() const {
    return d->setup;
}

void TqxfReport::SetDataSource(const QString& name, TReportDataSource* source) {
    if (source)
        d->sources.insert(name.toUpper(), source);
    else
        d->sources.remove(name.toUpper());
}

TReportDataSource* TqxfReport::DataSource(const QString& name) const {
    return d->sources.value(name.toUpper());
}

TReportObject* TqxfReport::FindObject(const QString& name) const {
    for (const auto& o : d->objects)
        if (o->Name.compare(name, Qt::CaseInsensitive) == 0) return o.get();
    return nullptr;
}

std::vector<TReportObject*> TqxfReport::Objects() const {
    std::vector<TReportObject*> out;
    for (const auto& o : d->objects)
        out.push_back(o.get());
    return out;
}

void TqxfReport::PrepareReport() {
    d->clearPrepared();
    if (!d->root) throw TqxfError(QStringLiteral("Шаблон отчета не загружен!"));
    try {
        QStringList open;
        d->validate(*d->root, open);
        d->layoutDpi = kLayoutDpi;
        d->imageScale = screenDpi() / kLayoutDpi;
        const qreal mm = d->layoutDpi / 25.4;
        const QSizeF paperMm = d->setup.PaperMm();
        d->paper = QSizeF(paperMm.width() * mm, paperMm.height() * mm);
        const QMarginsF& m = d->setup.Margins;
        d->margins = QMarginsF(m.left() * mm, m.top() * mm, m.right() * mm, m.bottom() * mm);
        const qreal width = d->paper.width() - d->margins.left() - d->margins.right();
        const qreal height = d->paper.height() - d->margins.top() - d->margins.bottom();
        if (width < 20 * mm || height < kMinBodyHeightMm * mm)
            d->fail(1, QStringLiteral("поля страницы не оставляют места для отчета"));

        Expander body(*d, *this, ObjectDpi);
        body.Emit(*d->root);
        d->bodyHtml = body.Out;

        // The head of the template serves the page bands too.
        QString headHtml;
        if (d->head) {
            Expander head(*d, *this, ObjectDpi);
            head.Children(*d->head);
            headHtml = head.Out;
        }
        QString bodyOpen = QStringLiteral("<body>");
        if (d->body) {
            Expander open(*d, *this, ObjectDpi);
            for (const Attribute& a : d->body->Attributes) {
                if (a.Name.startsWith(QLatin1String("data-"))) continue;
                QString value;
                for (const Segment& s : a.Value)
                    value += s.IsExpression ? open.Evaluate(s.Expr, s.Line).toText().toHtmlEscaped() : s.Literal;
                bodyOpen.insert(bodyOpen.size() - 1, QStringLiteral(" %1=\"%2\"").arg(a.Name, value));
            }
        }
        auto pageBand = [&](const Node* band, int page, int pages) {
            Expander e(*d, *this, ObjectDpi);
            e.Page = page;
            e.Pages = pages;
            e.SkipPageBands = false;
            e.Emit(*band);
            return QStringLiteral("<html><head>%1</head>%2%3</body></html>").arg(headHtml, bodyOpen, e.Out);
        };
        // Page bands are filled for every page; their height is reserved from the tallest.
        auto fillPageBands = [&](int pages, qreal& headerHeight, qreal& footerHeight) {
            d->headerHtml.clear();
            d->footerHtml.clear();
            d->headerDocs.clear();
            d->footerDocs.clear();
            headerHeight = footerHeight = 0;
            for (int page = 1; page <= pages; ++page) {
                if (d->pageHeader) {
                    d->headerHtml << pageBand(d->pageHeader, page, pages);
                    d->headerDocs.push_back(d->makeDocument(d->headerHtml.back()));
                    d->headerDocs.back()->setTextWidth(width);
                    headerHeight = qMax(headerHeight, d->headerDocs.back()->size().height());
                }
                if (d->pageFooter) {
                    d->footerHtml << pageBand(d->pageFooter, page, pages);
                    d->footerDocs.push_back(d->makeDocument(d->footerHtml.back()));
                    d->footerDocs.back()->setTextWidth(width);
                    footerHeight = qMax(footerHeight, d->footerDocs.back()->size().height());
                }
            }
        };
        d->bodyDoc = d->makeDocument(d->bodyHtml);
        d->bodyDoc->setTextWidth(width);
        qreal reservedHeader = 0, reservedFooter = 0;
        fillPageBands(1, reservedHeader, reservedFooter);
        for (int attempt = 0;; ++attempt) {
            d->headerHeight = reservedHeader;
            d->footerHeight = reservedFooter;
            d->bodyHeight = height - reservedHeader - reservedFooter;
            if (d->bodyHeight < kMinBodyHeightMm * mm)
                d->fail(d->pageHeader ? d->pageHeader->Line : d->pageFooter->Line,
                        QStringLiteral("колонтитулы не оставляют места на странице"));
            d->pages = PaginateDocument(*d->bodyDoc, d->bodyHeight);
            d->pageCount = static_cast<int>(d->pages.size());
            if (!d->pageHeader && !d->pageFooter) break;
            qreal headerHeight = 0, footerHeight = 0;
            fillPageBands(d->pageCount, headerHeight, footerHeight);
            if ((headerHeight <= reservedHeader && footerHeight <= reservedFooter) || attempt >= 3) {
                d->headerHeight = qMax(headerHeight, reservedHeader);
                d->footerHeight = qMax(footerHeight, reservedFooter);
                break;
            }
            reservedHeader = qMax(reservedHeader, headerHeight);
            reservedFooter = qMax(reservedFooter, footerHeight);
        }
        d->prepared = true;
    } catch (...) {
        d->clearPrepared();
        throw;
    }
}

bool TqxfReport::Prepared() const {
    return d->prepared;
}

int TqxfReport::PageCount() const {
    return d->prepared ? d->pageCount : 0;
}

QString TqxfReport::PreparedHtml() const {
    return d->bodyHtml;
}

QString TqxfReport::PageHeaderHtml(int page) const {
    return page >= 1 && page <= d->headerHtml.size() ? d->headerHtml[page - 1] : QString();
}

QString TqxfReport::PageFooterHtml(int page) const {
    return page >= 1 && page <= d->footerHtml.size() ? d->footerHtml[page - 1] : QString();
}

void TqxfReport::Print(QPagedPaintDevice& device, int copies) const {
    if (!d->prepared) throw TqxfError(QStringLiteral("Отчет не подготовлен к печати!"));
    device.setPageLayout(QPageLayout(d->setup.PageSize, d->setup.Orientation, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&device)) throw TqxfError(Format("Невозможно начать печать отчета [%s]!", Title()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(device.logicalDpiX() / d->layoutDpi, device.logicalDpiY() / d->layoutDpi);
    bool first = true;
    for (int copy = 0; copy < qMax(1, copies); ++copy) {
        for (int page = 0; page < d->pageCount; ++page) {
            if (!first && !device.newPage()) {
                painter.end();
                throw TqxfError(Format("Ошибка печати отчета [%s]!", Title()));
            }
            first = false;
            d->paintPage(painter, page);
        }
    }
    painter.end();
}

void TqxfReport::ExportToPdf(const QString& fileName) const {
    if (!d->prepared) throw TqxfError(QStringLiteral("Отчет не подготовлен к печати!"));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw TqxfError(Format("Невозможно создать файл [%s]!\r\n(%s)", fileName, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(Title());
        writer.setCreator(QStringLiteral("Quarnix ФУРНИТУРА"));
        Print(writer, 1);
    }
    if (file.error() != QFileDevice::NoError) {
        const QString error = file.errorString();
        file.close();
        file.remove();
        throw TqxfError(Format("Ошибка записи файла [%s]!\r\n(%s)", fileName, error));
    }
    file.close();
}

QImage TqxfReport::RenderPage(int page, int dpi) const {
    if (!d->prepared || page < 0 || page >= d->pageCount) return QImage();
    const QSizeF paperMm = d->setup.PaperMm();
    QImage image(qRound(paperMm.width() / 25.4 * dpi), qRound(paperMm.height() / 25.4 * dpi), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(dpi / d->layoutDpi, dpi / d->layoutDpi);
    d->paintPage(painter, page);
    painter.end();
    return image;
}

}  // namespace qx
