// catalog_table.cpp — table objects: rows in columns in memory, lazy hash indexes, compiled
// filters and write-through edits.
#include "catalog/catalog_table.h"

#include <QHash>
#include <QMetaType>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>
#include <unordered_map>

#include "catalog/filter_expression.h"
#include "common/error.h"
#include "common/format.h"

namespace qx {

namespace {

QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// The storage class of a declared SQLite type, by SQLite's own affinity rules; dates are texts.
ColumnType typeFromDeclared(const QString& declared) {
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT"))) return ColumnType::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return ColumnType::Text;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")) ||
        t.contains(QLatin1String("DEC")) || t.contains(QLatin1String("NUM")) || t.contains(QLatin1String("MONEY")))
        return ColumnType::Real;
    return ColumnType::Text;
}

bool isIntegral(double v) {
    return std::isfinite(v) && std::trunc(v) == v && std::fabs(v) < 9.2e18;
}

// A text as a number: blanks around are ignored, "." or "," as decimal separator.
bool parseNumber(const QString& text, double& value) {
    QString t = text.trimmed();
    bool ok = false;
    value = t.toDouble(&ok);
    if (ok) return true;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    value = t.toDouble(&ok);
    return ok;
}

bool isNumericVariant(const QVariant& v) {
    switch (v.metaType().id()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
    }
}

bool isMoneyVariant(const QVariant& v) {
    return v.metaType() == QMetaType::fromType<Money>();
}

// Values as the table compares them: to an integer column's value (false: cannot be equal).
bool variantToInt(const QVariant& v, int64_t& out) {
    if (v.isNull()) {
        out = 0;
        return true;
    }
    if (isMoneyVariant(v)) {
        const Money m = v.value<Money>();
        if (m.Raw % Money::Scale != 0) return false;
        out = m.Raw / Money::Scale;
        return true;
    }
    if (isNumericVariant(v)) {
        if (v.metaType().id() == QMetaType::Double || v.metaType().id() == QMetaType::Float) {
            const double d = v.toDouble();
            if (!isIntegral(d)) return false;
            out = static_cast<int64_t>(d);
            return true;
        }
        out = v.toLongLong();
        return true;
    }
    const QString t = v.toString().trimmed();
    if (t.isEmpty()) {
        out = 0;
        return true;
    }
    bool ok = false;
    const qlonglong i = t.toLongLong(&ok);
    if (ok) {
        out = i;
        return true;
    }
    double d = 0;
    if (!parseNumber(t, d) || !isIntegral(d)) return false;
    out = static_cast<int64_t>(d);
    return true;
}

bool variantToReal(const QVariant& v, double& out) {
    if (v.isNull()) {
        out = 0;
        return true;
    }
    if (isMoneyVariant(v)) {
        out = v.value<Money>().ToDouble();
        return true;
    }
    if (isNumericVariant(v)) {
        out = v.toDouble();
        return true;
    }
    const QString t = v.toString().trimmed();
    if (t.isEmpty()) {
        out = 0;
        return true;
    }
    return parseNumber(t, out);
}

QString variantToText(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDate) return v.toDate().toString(Qt::ISODate);
    if (isMoneyVariant(v)) return MoneyToText(v.value<Money>());
    return v.toString();
}

struct ColumnData {
    QString name;
    ColumnType type = ColumnType::Text;
    bool autoInc = false;
    std::vector<int64_t> ints;
    std::vector<double> reals;
    std::vector<QString> texts;
    std::vector<uint8_t> nulls;
};

// Keys of hash indexes: the typed bytes of each column's value, one after another.
void appendIntKey(std::string& key, int64_t v) {
    key.push_back('i');
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
}
void appendRealKey(std::string& key, double v) {
    if (v == 0) v = 0;  // -0 and 0 are one key
    key.push_back('r');
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
}
void appendTextKey(std::string& key, const QString& v) {
    const uint32_t n = static_cast<uint32_t>(v.size());
    key.push_back('t');
    key.append(reinterpret_cast<const char*>(&n), sizeof n);
    key.append(reinterpret_cast<const char*>(v.utf16()), size_t(n) * 2);
}

// ---- compiled filters ----

enum class Mode { IntConst, NumConst, TextConst, IntCol, NumCol, TextCol, Const };

struct CNode {
    FilterNode::Kind kind = FilterNode::Kind::Compare;
    std::vector<CNode> children;
    FilterOp op = FilterOp::Eq;
    Mode mode = Mode::Const;
    int lcol = -1, rcol = -1;
    int64_t ival = 0;
    double rval = 0;
    QString tval;
    bool constResult = false;
};

struct Equality {
    int column = -1;
    std::string key;
    bool impossible = false;  // an integer column against a fraction: no row can pass
};

struct CompiledFilter {
    bool empty = true;
    CNode root;
    std::vector<Equality> equalities;  // equalities of the top-level conjunction
};

template <class T>
bool applyOp(FilterOp op, const T& a, const T& b) {
    switch (op) {
        case FilterOp::Eq:
            return a == b;
        case FilterOp::Ne:
            return a != b;
        case FilterOp::Lt:
            return a < b;
        case FilterOp::Le:
            return a <= b;
        case FilterOp::Gt:
            return a > b;
        case FilterOp::Ge:
            return a >= b;
    }
    return false;
}

bool applyTextOp(FilterOp op, const QString& a, const QString& b) {
    if (op == FilterOp::Eq) return a == b;
    if (op == FilterOp::Ne) return a != b;
    return applyOp(op, QString::compare(a, b, Qt::CaseSensitive), 0);
}

FilterOp flipOp(FilterOp op) {
    switch (op) {
        case FilterOp::Lt:
            return FilterOp::Gt;
        case FilterOp::Le:
            return FilterOp::Ge;
        case FilterOp::Gt:
            return FilterOp::Lt;
        case FilterOp::Ge:
            return FilterOp::Le;
        default:
            return op;
    }
}

struct HashIndex {
    std::unordered_map<std::string, std::vector<int>> buckets;
};

constexpr int kCompiledCacheLimit = 1024;

}  // namespace

struct CatalogTable::Impl {
    QString name, objectName;
    QString connection;
    QString permanentFilter;
    QString orderText;
    bool orderCaseInsensitive = false;
    bool open = false;

    std::vector<ColumnData> cols;
    QHash<QString, int> colByLower;
    QHash<QString, int> colByName;  // the names as the table spells them: most look-ups need no lowering
    std::vector<int> keyCols;
    std::vector<int> orderCols;
    std::vector<int64_t> rowids;

    mutable int current = -1;
    mutable std::map<std::vector<int>, HashIndex> indexes;
    mutable QHash<QString, std::shared_ptr<const CompiledFilter>> compiled;
    mutable QHash<QString, std::vector<int>> columnLists;
    std::shared_ptr<const CompiledFilter> permanent;

    DataSetState state = DataSetState::Browse;
    std::map<int, QVariant> pending;

    int rows() const { return int(rowids.size()); }

    QSqlDatabase db() const { return QSqlDatabase::database(connection, false); }

    [[noreturn]] void fail(const QString& message) const { throw TqxfError(message); }

    void requireOpen() const {
        if (!open) fail(Format("Таблица [%s] не открыта!", name));
    }
    void requireRow(int row) const {
        requireOpen();
        if (row < 0 || row >= rows()) fail(Format("Нет записи %d в таблице [%s]!", row, name));
    }
    int columnIndex(const QString& columnName) const {
        const auto it = colByName.constFind(columnName);
        return it != colByName.cend() ? it.value() : colByLower.value(columnName.toLower(), -1);
    }
    int column(const QString& columnName) const {
        const int c = columnIndex(columnName);
        if (c < 0) fail(Format("Поле [%s] не найдено в таблице [%s]!", columnName, name));
        return c;
    }
    void requireColumn(int c) const {
        if (c < 0 || c >= int(cols.size())) fail(Format("Нет поля %d в таблице [%s]!", c, name));
    }

    void invalidate() { indexes.clear(); }

    // ---- storage ----
    void appendCell(ColumnData& c, const QVariant& v, QSet<QString>* interner) {
        const bool null = v.isNull();
        c.nulls.push_back(null ? 1 : 0);
        switch (c.type) {
            case ColumnType::Integer: {
                int64_t i = 0;
                if (!null && !variantToInt(v, i)) {
                    double d = 0;
                    i = variantToReal(v, d) ? static_cast<int64_t>(std::llrint(d)) : 0;
                }
                c.ints.push_back(i);
                break;
            }
            case ColumnType::Real: {
                double d = 0;
                if (!null && !variantToReal(v, d)) d = 0;
                c.reals.push_back(d);
                break;
            }
            case ColumnType::Text: {
                if (null) {
                    c.texts.emplace_back();
                } else {
                    QString s = v.toString();
                    if (interner && !s.isEmpty()) {
                        auto it = interner->constFind(s);
                        if (it == interner->constEnd()) it = interner->insert(s);
                        c.texts.push_back(*it);
                    } else {
                        c.texts.push_back(std::move(s));
                    }
                }
                break;
            }
        }
    }

    void popBack() {
        rowids.pop_back();
        for (auto& c : cols) {
            c.nulls.pop_back();
            if (c.type == ColumnType::Integer) c.ints.pop_back();
            if (c.type == ColumnType::Real) c.reals.pop_back();
            if (c.type == ColumnType::Text) c.texts.pop_back();
        }
    }

    template <class V>
    static void eraseAt(V& v, int r) {
        v.erase(v.begin() + r);
    }
    void eraseRow(int r) {
        eraseAt(rowids, r);
        for (auto& c : cols) {
            eraseAt(c.nulls, r);
            if (c.type == ColumnType::Integer) eraseAt(c.ints, r);
            if (c.type == ColumnType::Real) eraseAt(c.reals, r);
            if (c.type == ColumnType::Text) eraseAt(c.texts, r);
        }
    }

    template <class V>
    static void moveAt(V& v, int from, int to) {
        if (from > to)
            std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
        else
            std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
    }
    void moveRow(int from, int to) {
        if (from == to) return;
        moveAt(rowids, from, to);
        for (auto& c : cols) {
            moveAt(c.nulls, from, to);
            if (c.type == ColumnType::Integer) moveAt(c.ints, from, to);
            if (c.type == ColumnType::Real) moveAt(c.reals, from, to);
            if (c.type == ColumnType::Text) moveAt(c.texts, from, to);
        }
    }

    template <class V>
    static void permuteVec(V& v, const std::vector<int>& order) {
        V out;
        out.reserve(v.size());
        for (int i : order)
            out.push_back(std::move(v[size_t(i)]));
        v = std::move(out);
    }
    void permute(const std::vector<int>& order) {
        permuteVec(rowids, order);
        for (auto& c : cols) {
            permuteVec(c.nulls, order);
            if (c.type == ColumnType::Integer) permuteVec(c.ints, order);
            if (c.type == ColumnType::Real) permuteVec(c.reals, order);
            if (c.type == ColumnType::Text) permuteVec(c.texts, order);
        }
    }

    void clearRows() {
        rowids.clear();
        for (auto& c : cols) {
            c.nulls.clear();
            c.ints.clear();
            c.reals.clear();
            c.texts.clear();
        }
    }

    // ---- order ----
    int compareCells(int c, int a, int b, bool caseInsensitive) const {
        const ColumnData& col = cols[size_t(c)];
        switch (col.type) {
            case ColumnType::Integer:
                return col.ints[size_t(a)] < col.ints[size_t(b)] ? -1
                                                                 : (col.ints[size_t(a)] > col.ints[size_t(b)] ? 1 : 0);
            case ColumnType::Real:
                return col.reals[size_t(a)] < col.reals[size_t(b)]
                           ? -1
                           : (col.reals[size_t(a)] > col.reals[size_t(b)] ? 1 : 0);
            case ColumnType::Text:
                return QString::compare(col.texts[size_t(a)], col.texts[size_t(b)],
                                        caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
        }
        return 0;
    }
    bool rowLess(int a, int b) const {
        for (int c : orderCols) {
            const int r = compareCells(c, a, b, orderCaseInsensitive);
            if (r) return r < 0;
        }
        for (int c : keyCols) {
            const int r = compareCells(c, a, b, false);
            if (r) return r < 0;
        }
        return rowids[size_t(a)] < rowids[size_t(b)];
    }
    void sortRows() {
        std::vector<int> order(static_cast<size_t>(rows()));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return rowLess(a, b); });
        permute(order);
    }
    std::vector<int> resolveColumns(const QString& text) const {
        std::vector<int> out;
        for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString n = part.trimmed();
            if (!n.isEmpty()) out.push_back(column(n));
        }
        return out;
    }

    int indexOfRowid(int64_t rowid) const {
        for (int i = 0; i < rows(); ++i)
            if (rowids[size_t(i)] == rowid) return i;
        return -1;
    }

    // ---- values ----
    QVariant value(int r, int c) const {
        const ColumnData& col = cols[size_t(c)];
        switch (col.type) {
            case ColumnType::Integer:
                return QVariant(qlonglong(col.ints[size_t(r)]));
            case ColumnType::Real:
                return QVariant(col.reals[size_t(r)]);
            case ColumnType::Text:
                return QVariant(col.texts[size_t(r)]);
        }
        return {};
    }

    // A value to bind for a column; a value the column cannot hold raises TqxfError.
    QVariant toDbValue(int c, const QVariant& v) const {
        const ColumnData& col = cols[size_t(c)];
        if (!v.isValid() || v.isNull()) return QVariant();
        auto bad = [&]() -> QVariant {
            fail(Format("Значение [%s] не подходит для поля [%s] таблицы [%s]!", variantToText(v), col.name, name));
        };
        switch (col.type) {
            case ColumnType::Integer: {
                if (v.metaType().id() == QMetaType::QDate) return bad();
                if (v.metaType().id() == QMetaType::Bool) return QVariant(qlonglong(v.toBool() ? 1 : 0));
                if (v.metaType().id() == QMetaType::QString && v.toString().trimmed().isEmpty()) return QVariant();
                int64_t i = 0;
                if (variantToInt(v, i)) return QVariant(qlonglong(i));
                double d = 0;
                if (variantToReal(v, d) && std::isfinite(d) && std::fabs(d) < 9.2e18)
                    return QVariant(qlonglong(std::llrint(d)));
                return bad();
            }
            case ColumnType::Real: {
                if (v.metaType().id() == QMetaType::QDate) return bad();
                if (v.metaType().id() == QMetaType::Bool) return QVariant(v.toBool() ? 1.0 : 0.0);
                if (v.metaType().id() == QMetaType::QString && v.toString().trimmed().isEmpty()) return QVariant();
                double d = 0;
                if (variantToReal(v, d) && std::isfinite(d)) return QVariant(d);
                return bad();
            }
            case ColumnType::Text:
                if (v.metaType().id() == QMetaType::Bool) return QVariant(QString::number(v.toBool() ? 1 : 0));
                return QVariant(variantToText(v));
        }
        return bad();
    }

    // ---- keys and indexes ----
    void appendCellKey(std::string& key, int c, int r) const {
        const ColumnData& col = cols[size_t(c)];
        switch (col.type) {
            case ColumnType::Integer:
                appendIntKey(key, col.ints[size_t(r)]);
                break;
            case ColumnType::Real:
                appendRealKey(key, col.reals[size_t(r)]);
                break;
            case ColumnType::Text:
                appendTextKey(key, col.texts[size_t(r)]);
                break;
        }
    }
    bool appendValueKey(std::string& key, int c, const QVariant& v) const {
        const ColumnData& col = cols[size_t(c)];
        switch (col.type) {
            case ColumnType::Integer: {
                int64_t i = 0;
                if (!variantToInt(v, i)) return false;
                appendIntKey(key, i);
                return true;
            }
            case ColumnType::Real: {
                double d = 0;
                if (!variantToReal(v, d)) return false;
                appendRealKey(key, d);
                return true;
            }
            case ColumnType::Text:
                appendTextKey(key, v.isNull() ? QString() : variantToText(v));
                return true;
        }
        return false;
    }
    const HashIndex& index(const std::vector<int>& columns) const {
        auto it = indexes.find(columns);
        if (it != indexes.end()) return it->second;
        HashIndex& idx = indexes[columns];
        idx.buckets.reserve(size_t(rows()));
        std::string key;
        for (int r = 0; r < rows(); ++r) {
            key.clear();
            for (int c : columns)
                appendCellKey(key, c, r);
            idx.buckets[key].push_back(r);
        }
        return idx;
    }

    // ---- filters ----
    CNode compileNode(const FilterNode& n, const QString& text) const {
        CNode out;
        out.kind = n.kind;
        if (n.kind != FilterNode::Kind::Compare) {
            out.children.reserve(n.children.size());
            for (const auto& child : n.children)
                out.children.push_back(compileNode(child, text));
            return out;
        }
        FilterOperand l = n.left, r = n.right;
        FilterOp op = n.op;
        if (!l.isColumn() && r.isColumn()) {
            std::swap(l, r);
            op = flipOp(op);
        }
        out.op = op;
        auto columnOf = [&](const FilterOperand& o) {
            const int c = colByLower.value(o.text.toLower(), -1);
            if (c < 0) ThrowFilterError(text, Format("поле [%s] не найдено в таблице [%s]", o.text, name));
            return c;
        };
        if (!l.isColumn()) {  // two literals: a constant
            out.mode = Mode::Const;
            if (l.isNumber() && r.isNumber())
                out.constResult = applyOp(op, l.number, r.number);
            else
                out.constResult = applyTextOp(op, l.text, r.text);
            return out;
        }
        out.lcol = columnOf(l);
        const ColumnType lt = cols[size_t(out.lcol)].type;
        if (r.isColumn()) {
            out.rcol = columnOf(r);
            const ColumnType rt = cols[size_t(out.rcol)].type;
            if ((lt == ColumnType::Text) != (rt == ColumnType::Text))
                ThrowFilterError(text, Format("поля [%s] и [%s] нельзя сравнивать", l.text, r.text));
            if (lt == ColumnType::Text)
                out.mode = Mode::TextCol;
            else if (lt == ColumnType::Integer && rt == ColumnType::Integer)
                out.mode = Mode::IntCol;
            else
                out.mode = Mode::NumCol;
            return out;
        }
        if (lt == ColumnType::Text) {
            out.mode = Mode::TextConst;
            out.tval = r.text;
            return out;
        }
        double number = r.number;
        if (r.kind == FilterOperand::Kind::Text) {
            if (r.text.trimmed().isEmpty()) {
                number = 0;  // '' against a number is the blank value
            } else if (!parseNumber(r.text, number) || !std::isfinite(number)) {
                ThrowFilterError(text, Format("значение '%s' поля [%s] не является числом", r.text, l.text));
            }
        }
        if (lt == ColumnType::Integer && r.kind == FilterOperand::Kind::Integer) {
            out.mode = Mode::IntConst;
            out.ival = r.integer;
        } else if (lt == ColumnType::Integer && isIntegral(number)) {
            out.mode = Mode::IntConst;
            out.ival = static_cast<int64_t>(number);
        } else {
            out.mode = Mode::NumConst;
            out.rval = number;
        }
        return out;
    }

    Equality equalityOf(const CNode& n) const {
        Equality e;
        e.column = n.lcol;
        switch (n.mode) {
            case Mode::IntConst:
                appendIntKey(e.key, n.ival);
                break;
            case Mode::TextConst:
                appendTextKey(e.key, n.tval);
                break;
            case Mode::NumConst:
                if (cols[size_t(n.lcol)].type == ColumnType::Integer)
                    e.impossible = true;  // an integer column never equals a fraction
                else
                    appendRealKey(e.key, n.rval);
                break;
            default:
                e.column = -1;
        }
        return e;
    }

    std::shared_ptr<const CompiledFilter> compile(const QString& text) const {
        auto it = compiled.constFind(text);
        if (it != compiled.constEnd()) return it.value();
        std::shared_ptr<const FilterExpression> parsed = ParseFilter(text);
        auto result = std::make_shared<CompiledFilter>();
        result->empty = parsed->Empty;
        if (!parsed->Empty) {
            result->root = compileNode(parsed->Root, text);
            auto consider = [&](const CNode& n) {
                if (n.kind == FilterNode::Kind::Compare && n.op == FilterOp::Eq && n.lcol >= 0 && n.rcol < 0) {
                    Equality e = equalityOf(n);
                    if (e.column >= 0) result->equalities.push_back(std::move(e));
                }
            };
            if (result->root.kind == FilterNode::Kind::And)
                for (const auto& child : result->root.children)
                    consider(child);
            else
                consider(result->root);
        }
        if (compiled.size() >= kCompiledCacheLimit) compiled.clear();
        compiled.insert(text, result);
        return result;
    }

    bool eval(const CNode& n, int r) const {
        switch (n.kind) {
            case FilterNode::Kind::And:
                for (const auto& c : n.children)
                    if (!eval(c, r)) return false;
                return true;
            case FilterNode::Kind::Or:
                for (const auto& c : n.children)
                    if (eval(c, r)) return true;
                return false;
            case FilterNode::Kind::Compare:
                break;
        }
        const size_t row = size_t(r);
        switch (n.mode) {
            case Mode::IntConst: {
                const ColumnData& c = cols[size_t(n.lcol)];
                return applyOp(n.op, c.ints[row], n.ival);
            }
            case Mode::NumConst: {
                const ColumnData& c = cols[size_t(n.lcol)];
                const double v = c.type == ColumnType::Integer ? double(c.ints[row]) : c.reals[row];
                return applyOp(n.op, v, n.rval);
            }
            case Mode::TextConst:
                return applyTextOp(n.op, cols[size_t(n.lcol)].texts[row], n.tval);
            case Mode::IntCol:
                return applyOp(n.op, cols[size_t(n.lcol)].ints[row], cols[size_t(n.rcol)].ints[row]);
            case Mode::NumCol: {
                const ColumnData& a = cols[size_t(n.lcol)];
                const ColumnData& b = cols[size_t(n.rcol)];
                const double x = a.type == ColumnType::Integer ? double(a.ints[row]) : a.reals[row];
                const double y = b.type == ColumnType::Integer ? double(b.ints[row]) : b.reals[row];
                return applyOp(n.op, x, y);
            }
            case Mode::TextCol:
                return applyTextOp(n.op, cols[size_t(n.lcol)].texts[row], cols[size_t(n.rcol)].texts[row]);
            case Mode::Const:
                return n.constResult;
        }
        return false;
    }

    std::vector<int> filter(const CompiledFilter& f) const {
        std::vector<int> out;
        if (f.empty) {
            out.resize(size_t(rows()));
            std::iota(out.begin(), out.end(), 0);
            return out;
        }
        const std::vector<int>* best = nullptr;
        for (const Equality& e : f.equalities) {
            if (e.impossible) return out;
            const HashIndex& idx = index({e.column});
            auto it = idx.buckets.find(e.key);
            if (it == idx.buckets.end()) return out;
            if (!best || it->second.size() < best->size()) best = &it->second;
        }
        if (best) {
            for (int r : *best)
                if (eval(f.root, r)) out.push_back(r);
            return out;
        }
        for (int r = 0; r < rows(); ++r)
            if (eval(f.root, r)) out.push_back(r);
        return out;
    }

    // ---- loading ----
    QString selectList() const {
        QStringList names;
        for (const auto& c : cols)
            names << quoteIdent(c.name);
        return QStringLiteral("rowid, ") + names.join(QStringLiteral(", "));
    }

    void readRow(const QSqlQuery& q, std::vector<QSet<QString>>* interners) {
        rowids.push_back(q.value(0).toLongLong());
        for (size_t c = 0; c < cols.size(); ++c)
            appendCell(cols[c], q.value(int(c) + 1), interners ? &(*interners)[c] : nullptr);
    }

    bool passesPermanent(int r) const { return !permanent || permanent->empty || eval(permanent->root, r); }

    void load() {
        QSqlDatabase database = db();
        if (!database.isValid() || !database.isOpen()) fail(Format("База данных таблицы [%s] не открыта!", name));
        cols.clear();
        colByLower.clear();
        colByName.clear();
        keyCols.clear();
        orderCols.clear();
        rowids.clear();
        indexes.clear();
        compiled.clear();
        columnLists.clear();
        permanent.reset();

        QSqlQuery info(database);
        info.setForwardOnly(true);
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdent(name)))) fail(info.lastError().text());
        std::vector<std::pair<int, int>> keyParts;  // (position in key, column)
        while (info.next()) {
            ColumnData c;
            c.name = info.value(1).toString();
            const QString declared = info.value(2).toString();
            c.type = typeFromDeclared(declared);
            c.autoInc = c.type == ColumnType::Integer && declared.toUpper().contains(QLatin1String("AUTOINC"));
            const int pk = info.value(5).toInt();
            if (pk > 0) keyParts.emplace_back(pk, int(cols.size()));
            colByLower.insert(c.name.toLower(), int(cols.size()));
            colByName.insert(c.name, int(cols.size()));
            cols.push_back(std::move(c));
        }
        if (cols.empty()) fail(Format("Таблица [%s] не найдена в базе данных [%s]", name, database.databaseName()));
        std::sort(keyParts.begin(), keyParts.end());
        for (const auto& kp : keyParts)
            keyCols.push_back(kp.second);
        if (!orderText.isEmpty()) orderCols = resolveColumns(orderText);
        if (!permanentFilter.trimmed().isEmpty()) permanent = compile(permanentFilter);

        const QString select = QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(selectList(), quoteIdent(name));
        std::vector<QSet<QString>> interners(cols.size());
        if (!loadDirect(database, select, interners)) {
            QSqlQuery q(database);
            q.setForwardOnly(true);
            if (!q.exec(select)) fail(q.lastError().text());
            while (q.next()) {
                readRow(q, &interners);
                if (!passesPermanent(rows() - 1)) popBack();
            }
            if (q.lastError().isValid()) fail(q.lastError().text());
        }
        sortRows();
    }

    // SQLite's own statement API reads big tables without a QVariant per cell; values that need a
    // conversion take the general path, so both readers keep the same rows. False when the
    // connection is not SQLite.
    bool loadDirect(const QSqlDatabase& database, const QString& select, std::vector<QSet<QString>>& interners) {
        const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return false;
        sqlite3* connection = *static_cast<sqlite3* const*>(handle.data());
        if (!connection) return false;
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = select.toUtf8();
        if (sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            fail(QString::fromUtf8(sqlite3_errmsg(connection)));
        struct Finalizer {
            sqlite3_stmt* s;
            ~Finalizer() { sqlite3_finalize(s); }
        } finalizer{statement};
        auto general = [&](int c) -> QVariant {
            switch (sqlite3_column_type(statement, c)) {
                case SQLITE_INTEGER:
                    return QVariant(qlonglong(sqlite3_column_int64(statement, c)));
                case SQLITE_FLOAT:
                    return QVariant(sqlite3_column_double(statement, c));
                case SQLITE_NULL:
                    return QVariant();
                case SQLITE_BLOB:
                    return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, c)),
                                               sqlite3_column_bytes(statement, c)));
                default:
                    return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)),
                                                      sqlite3_column_bytes(statement, c)));
            }
        };
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            rowids.push_back(sqlite3_column_int64(statement, 0));
            for (size_t c = 0; c < cols.size(); ++c) {
                ColumnData& col = cols[c];
                const int i = int(c) + 1;
                const int type = sqlite3_column_type(statement, i);
                if (type == SQLITE_NULL) {
                    appendCell(col, QVariant(), nullptr);
                } else if (col.type == ColumnType::Integer && type == SQLITE_INTEGER) {
                    col.nulls.push_back(0);
                    col.ints.push_back(sqlite3_column_int64(statement, i));
                } else if (col.type == ColumnType::Real && (type == SQLITE_FLOAT || type == SQLITE_INTEGER)) {
                    col.nulls.push_back(0);
                    col.reals.push_back(type == SQLITE_FLOAT ? sqlite3_column_double(statement, i)
                                                             : double(sqlite3_column_int64(statement, i)));
                } else if (col.type == ColumnType::Text && type == SQLITE_TEXT) {
                    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                    appendCell(col, QVariant(QString::fromUtf8(text, sqlite3_column_bytes(statement, i))),
                               &interners[c]);
                } else {
                    appendCell(col, general(i), &interners[c]);
                }
            }
            if (!passesPermanent(rows() - 1)) popBack();
        }
        if (rc != SQLITE_DONE) fail(QString::fromUtf8(sqlite3_errmsg(connection)));
        return true;
    }

    // Reads one stored row into memory at its place in table order; -1 when the permanent filter
    // hides it or it no longer exists.
    int fetchRow(int64_t rowid) {
        QSqlQuery q(db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectList(), quoteIdent(name)));
        q.addBindValue(qlonglong(rowid));
        if (!q.exec()) fail(Format("Ошибка чтения таблицы [%s]\r\n(%s)", name, q.lastError().text()));
        if (!q.next()) return -1;
        readRow(q, nullptr);
        const int last = rows() - 1;
        invalidate();
        if (!passesPermanent(last)) {
            popBack();
            return -1;
        }
        int lo = 0, hi = last;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (rowLess(last, mid))
                hi = mid;
            else
                lo = mid + 1;
        }
        moveRow(last, lo);
        return lo;
    }

    void execWrite(QSqlQuery& q) const {
        if (!q.exec()) fail(Format("Ошибка записи в таблицу [%s]\r\n(%s)", name, q.lastError().text()));
    }

    std::vector<std::pair<int, QVariant>> resolveValues(const QVariantMap& values) const {
        std::map<int, QVariant> byColumn;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
            const int c = column(it.key());
            byColumn[c] = toDbValue(c, it.value());
        }
        return {byColumn.begin(), byColumn.end()};
    }
};

CatalogTable::CatalogTable(QString name, QString objectName) : d(std::make_unique<Impl>()) {
    d->name = std::move(name);
    d->objectName = std::move(objectName);
}

CatalogTable::~CatalogTable() = default;

const QString& CatalogTable::Name() const {
    return d->name;
}
const QString& CatalogTable::ObjectName() const {
    return d->objectName;
}

void CatalogTable::SetDatabase(const QSqlDatabase& db) {
    if (d->open) Close();
    d->connection = db.connectionName();
}

void CatalogTable::Open(const QSqlDatabase& db) {
    if (d->open && d->connection == db.connectionName()) return;
    SetDatabase(db);
    Open();
}

void CatalogTable::Open() {
    if (d->open) return;
    try {
        d->load();
    } catch (...) {
        d->cols.clear();
        d->colByLower.clear();
        d->colByName.clear();
        d->rowids.clear();
        d->indexes.clear();
        d->compiled.clear();
        throw;
    }
    d->open = true;
    d->current = d->rows() > 0 ? 0 : -1;
    d->state = DataSetState::Browse;
    d->pending.clear();
}

void CatalogTable::Close() {
    d->open = false;
    d->cols.clear();
    d->colByLower.clear();
    d->colByName.clear();
    d->keyCols.clear();
    d->orderCols.clear();
    d->rowids.clear();
    d->indexes.clear();
    d->compiled.clear();
    d->columnLists.clear();
    d->permanent.reset();
    d->current = -1;
    d->state = DataSetState::Browse;
    d->pending.clear();
}

bool CatalogTable::IsOpen() const {
    return d->open;
}

void CatalogTable::Refresh() {
    if (!d->open) return;
    const int64_t currentRowid = d->current >= 0 ? d->rowids[size_t(d->current)] : -1;
    const int oldCurrent = d->current;
    d->open = false;
    try {
        d->load();
    } catch (...) {
        Close();
        throw;
    }
    d->open = true;
    int cur = currentRowid >= 0 ? d->indexOfRowid(currentRowid) : -1;
    if (cur < 0 && d->rows() > 0) cur = std::clamp(oldCurrent, 0, d->rows() - 1);
    d->current = cur;
}

void CatalogTable::SetPermanentFilter(const QString& expression) {
    d->permanentFilter = expression;
    if (d->open) Refresh();
}
const QString& CatalogTable::PermanentFilter() const {
    return d->permanentFilter;
}

void CatalogTable::SetOrder(const QString& columns, bool caseInsensitive) {
    if (!d->open) {
        d->orderText = columns;
        d->orderCaseInsensitive = caseInsensitive;
        return;
    }
    std::vector<int> resolved = d->resolveColumns(columns);
    const int64_t currentRowid = d->current >= 0 ? d->rowids[size_t(d->current)] : -1;
    d->orderText = columns;
    d->orderCaseInsensitive = caseInsensitive;
    d->orderCols = std::move(resolved);
    d->sortRows();
    d->invalidate();
    if (currentRowid >= 0) d->current = d->indexOfRowid(currentRowid);
}
const QString& CatalogTable::Order() const {
    return d->orderText;
}

int CatalogTable::RowCount() const {
    return d->open ? d->rows() : 0;
}
int CatalogTable::ColumnCount() const {
    return int(d->cols.size());
}

QString CatalogTable::ColumnName(int column) const {
    d->requireColumn(column);
    return d->cols[size_t(column)].name;
}
int CatalogTable::ColumnIndex(const QString& name) const {
    return d->columnIndex(name);
}
bool CatalogTable::HasColumn(const QString& name) const {
    return ColumnIndex(name) >= 0;
}
ColumnType CatalogTable::TypeOfColumn(int column) const {
    d->requireColumn(column);
    return d->cols[size_t(column)].type;
}
bool CatalogTable::IsAutoIncrement(int column) const {
    d->requireColumn(column);
    return d->cols[size_t(column)].autoInc;
}

QVariant CatalogTable::Value(int row, int column) const {
    d->requireRow(row);
    d->requireColumn(column);
    return d->value(row, column);
}
QVariant CatalogTable::Value(int row, const QString& column) const {
    return Value(row, d->column(column));
}

int64_t CatalogTable::Int(int row, int column) const {
    d->requireRow(row);
    d->requireColumn(column);
    const ColumnData& c = d->cols[size_t(column)];
    switch (c.type) {
        case ColumnType::Integer:
            return c.ints[size_t(row)];
        case ColumnType::Real:
            return std::isfinite(c.reals[size_t(row)]) ? std::llrint(c.reals[size_t(row)]) : 0;
        case ColumnType::Text: {
            const QString& t = c.texts[size_t(row)];
            double v = 0;
            if (t.trimmed().isEmpty()) return 0;
            bool ok = false;
            const qlonglong i = t.trimmed().toLongLong(&ok);
            if (ok) return i;
            if (parseNumber(t, v) && std::isfinite(v) && std::fabs(v) < 9.2e18) return std::llrint(v);
            d->fail(Format("Значение [%s] поля [%s] таблицы [%s] не является числом!", t, c.name, d->name));
        }
    }
    return 0;
}
int64_t CatalogTable::Int(int row, const QString& column) const {
    return Int(row, d->column(column));
}

double CatalogTable::Real(int row, int column) const {
    d->requireRow(row);
    d->requireColumn(column);
    const ColumnData& c = d->cols[size_t(column)];
    switch (c.type) {
        case ColumnType::Integer:
            return double(c.ints[size_t(row)]);
        case ColumnType::Real:
            return c.reals[size_t(row)];
        case ColumnType::Text: {
            const QString& t = c.texts[size_t(row)];
            double v = 0;
            if (t.trimmed().isEmpty()) return 0;
            if (parseNumber(t, v)) return v;
            d->fail(Format("Значение [%s] поля [%s] таблицы [%s] не является числом!", t, c.name, d->name));
        }
    }
    return 0;
}
double CatalogTable::Real(int row, const QString& column) const {
    return Real(row, d->column(column));
}

QString CatalogTable::Text(int row, int column) const {
    d->requireRow(row);
    d->requireColumn(column);
    const ColumnData& c = d->cols[size_t(column)];
    switch (c.type) {
        case ColumnType::Integer:
            return QString::number(c.ints[size_t(row)]);
        case ColumnType::Real: {
            QString t = QString::number(c.reals[size_t(row)], 'g', 15);
            t.replace(QLatin1Char('.'), Formats().DecimalSeparator);
            return t;
        }
        case ColumnType::Text:
            return c.texts[size_t(row)];
    }
    return {};
}
QString CatalogTable::Text(int row, const QString& column) const {
    return Text(row, d->column(column));
}

Money CatalogTable::MoneyValue(int row, int column) const {
    d->requireRow(row);
    d->requireColumn(column);
    const ColumnData& c = d->cols[size_t(column)];
    if (c.type == ColumnType::Integer) return Money::FromInt(c.ints[size_t(row)]);
    return RoundMoney(static_cast<long double>(Real(row, column)));
}
Money CatalogTable::MoneyValue(int row, const QString& column) const {
    return MoneyValue(row, d->column(column));
}

bool CatalogTable::IsNull(int row, int column) const {
    d->requireRow(row);
    d->requireColumn(column);
    return d->cols[size_t(column)].nulls[size_t(row)] != 0;
}

QDate CatalogTable::DateValue(int row, const QString& column) const {
    const int c = d->column(column);
    d->requireRow(row);
    if (IsNull(row, c)) return {};
    const ColumnData& col = d->cols[size_t(c)];
    if (col.type != ColumnType::Text) return QDate(1899, 12, 30).addDays(Int(row, c));
    return QDate::fromString(col.texts[size_t(row)].left(10), Qt::ISODate);
}

int CatalogTable::Locate(const QString& columns, const QVariantList& values) const {
    d->requireOpen();
    auto it = d->columnLists.constFind(columns);
    if (it == d->columnLists.constEnd()) it = d->columnLists.insert(columns, d->resolveColumns(columns));
    const std::vector<int>& cs = it.value();
    if (cs.empty() || size_t(values.size()) != cs.size())
        d->fail(Format("Неверный поиск в таблице [%s]: поля [%s], значений %d", d->name, columns, int(values.size())));
    std::string key;
    for (size_t i = 0; i < cs.size(); ++i)
        if (!d->appendValueKey(key, cs[i], values[qsizetype(i)])) return -1;
    const HashIndex& idx = d->index(cs);
    auto found = idx.buckets.find(key);
    return found == idx.buckets.end() ? -1 : found->second.front();
}

int CatalogTable::Locate(const QString& columns, const QVariantList& values, int options) const {
    if (options == 0) return Locate(columns, values);
    d->requireOpen();
    const std::vector<int> cs = d->resolveColumns(columns);
    if (cs.empty() || size_t(values.size()) != cs.size())
        d->fail(Format("Неверный поиск в таблице [%s]: поля [%s], значений %d", d->name, columns, int(values.size())));
    const Qt::CaseSensitivity cse = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool partial = (options & loPartialKey) != 0;
    std::vector<std::string> numericKeys(cs.size());
    std::vector<QString> texts(cs.size());
    for (size_t i = 0; i < cs.size(); ++i) {
        if (d->cols[size_t(cs[i])].type == ColumnType::Text) {
            texts[i] = values[qsizetype(i)].isNull() ? QString() : variantToText(values[qsizetype(i)]);
        } else if (!d->appendValueKey(numericKeys[i], cs[i], values[qsizetype(i)])) {
            return -1;
        }
    }
    std::string key;
    for (int r = 0; r < d->rows(); ++r) {
        bool match = true;
        for (size_t i = 0; i < cs.size() && match; ++i) {
            const ColumnData& c = d->cols[size_t(cs[i])];
            if (c.type == ColumnType::Text) {
                const QString& v = c.texts[size_t(r)];
                match = partial ? v.startsWith(texts[i], cse) : v.compare(texts[i], cse) == 0;
            } else {
                key.clear();
                d->appendCellKey(key, cs[i], r);
                match = key == numericKeys[i];
            }
        }
        if (match) return r;
    }
    return -1;
}

std::vector<int> CatalogTable::Filter(const QString& expression) const {
    d->requireOpen();
    return d->filter(*d->compile(expression));
}

int CatalogTable::FilterCount(const QString& expression) const {
    return int(Filter(expression).size());
}

int CatalogTable::Current() const {
    return d->open ? d->current : -1;
}

void CatalogTable::SetCurrent(int row) const {
    if (row != -1) d->requireRow(row);
    d->current = row;
}

int CatalogTable::AppendRow(const QVariantMap& values) {
    d->requireOpen();
    const auto resolved = d->resolveValues(values);
    QSqlQuery q(d->db());
    if (resolved.empty()) {
        q.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdent(d->name)));
    } else {
        QStringList names, marks;
        for (const auto& [c, v] : resolved) {
            names << quoteIdent(d->cols[size_t(c)].name);
            marks << QStringLiteral("?");
        }
        q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoteIdent(d->name), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const auto& [c, v] : resolved)
            q.addBindValue(v);
    }
    d->execWrite(q);
    const int64_t rowid = q.lastInsertId().toLongLong();
    const int64_t currentRowid = d->current >= 0 ? d->rowids[size_t(d->current)] : -1;
    const int row = d->fetchRow(rowid);
    if (row >= 0)
        d->current = row;
    else if (currentRowid >= 0)
        d->current = d->indexOfRowid(currentRowid);
    return row;
}

void CatalogTable::UpdateRow(int row, const QVariantMap& values) {
    d->requireRow(row);
    const auto resolved = d->resolveValues(values);
    if (resolved.empty()) return;
    QStringList sets;
    for (const auto& [c, v] : resolved)
        sets << quoteIdent(d->cols[size_t(c)].name) + QStringLiteral(" = ?");
    QSqlQuery q(d->db());
    q.prepare(
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoteIdent(d->name), sets.join(QStringLiteral(", "))));
    for (const auto& [c, v] : resolved)
        q.addBindValue(v);
    const int64_t rowid = d->rowids[size_t(row)];
    q.addBindValue(qlonglong(rowid));
    d->execWrite(q);
    const int64_t currentRowid = d->current >= 0 ? d->rowids[size_t(d->current)] : -1;
    d->eraseRow(row);
    d->invalidate();
    const int placed = d->fetchRow(rowid);
    if (currentRowid == rowid) {
        d->current = placed >= 0 ? placed : std::min(row, d->rows() - 1);
    } else if (currentRowid >= 0) {
        d->current = d->indexOfRowid(currentRowid);
    }
    if (q.numRowsAffected() == 0) d->fail(Format("Запись таблицы [%s] удалена другим пользователем!", d->name));
}

void CatalogTable::DeleteRow(int row) {
    d->requireRow(row);
    QSqlQuery q(d->db());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdent(d->name)));
    q.addBindValue(qlonglong(d->rowids[size_t(row)]));
    d->execWrite(q);
    d->eraseRow(row);
    d->invalidate();
    if (d->current > row)
        --d->current;
    else if (d->current == row)
        d->current = std::min(row, d->rows() - 1);
}

void CatalogTable::DeleteAll() {
    d->requireOpen();
    QSqlDatabase database = d->db();
    if (!d->permanent) {
        QSqlQuery q(database);
        q.prepare(QStringLiteral("DELETE FROM %1").arg(quoteIdent(d->name)));
        d->execWrite(q);
    } else {
        if (!database.transaction())
            d->fail(Format("Ошибка записи в таблицу [%s]\r\n(%s)", d->name, database.lastError().text()));
        try {
            QSqlQuery q(database);
            q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdent(d->name)));
            for (int64_t rowid : d->rowids) {
                q.addBindValue(qlonglong(rowid));
                d->execWrite(q);
            }
        } catch (...) {
            database.rollback();
            throw;
        }
        if (!database.commit()) {
            const QString err = database.lastError().text();
            database.rollback();
            d->fail(Format("Ошибка записи в таблицу [%s]\r\n(%s)", d->name, err));
        }
    }
    d->clearRows();
    d->invalidate();
    d->current = -1;
}

void CatalogTable::EmptyTable() {
    if (d->open) {
        DeleteAll();
        return;
    }
    Open();
    try {
        DeleteAll();
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

DataSetState CatalogTable::State() const {
    return d->open ? d->state : DataSetState::Browse;
}

void CatalogTable::Edit() {
    d->requireOpen();
    if (d->state != DataSetState::Browse) return;
    if (d->rows() == 0) {
        Insert();
        return;
    }
    d->requireRow(d->current);
    d->pending.clear();
    d->state = DataSetState::Edit;
}

void CatalogTable::Insert() {
    d->requireOpen();
    if (d->state != DataSetState::Browse) Post();
    d->pending.clear();
    d->state = DataSetState::Insert;
}

void CatalogTable::SetFieldValue(const QString& column, const QVariant& value) {
    d->requireOpen();
    if (d->state == DataSetState::Browse)
        d->fail(Format("Таблица [%s] не находится в режиме редактирования!", d->name));
    const int c = d->column(column);
    if (d->cols[size_t(c)].autoInc)
        d->fail(Format("Поле [%s] таблицы [%s] не может быть изменено!", d->cols[size_t(c)].name, d->name));
    d->toDbValue(c, value);  // a value the column cannot hold is refused now, not at Post
    d->pending[c] = value;
}

QVariant CatalogTable::FieldValue(const QString& column) const {
    d->requireOpen();
    const int c = d->column(column);
    auto it = d->pending.find(c);
    if (d->state != DataSetState::Browse && it != d->pending.end()) return it->second;
    if (d->state == DataSetState::Insert) return QVariant();
    d->requireRow(d->current);
    if (d->cols[size_t(c)].nulls[size_t(d->current)]) return QVariant();
    return d->value(d->current, c);
}

int CatalogTable::Post() {
    d->requireOpen();
    if (d->state == DataSetState::Browse) return d->current;
    QVariantMap values;
    for (const auto& [c, v] : d->pending)
        values.insert(d->cols[size_t(c)].name, v);
    int row = d->current;
    if (d->state == DataSetState::Edit) {
        UpdateRow(d->current, values);
        row = d->current;
    } else {
        row = AppendRow(values);
    }
    d->pending.clear();
    d->state = DataSetState::Browse;
    return row;
}

void CatalogTable::Cancel() {
    d->pending.clear();
    d->state = DataSetState::Browse;
}

}  // namespace qx
