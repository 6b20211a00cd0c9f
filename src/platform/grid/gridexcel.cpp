#include "platform/grid/gridexcel.h"
#include "platform/grid/gridview.h"
#include "platform/grid/widgets.h"

#include "platform/datetime.h"
#include "platform/localtable.h"
#include "platform/seams.h"

#include <QFileInfo>
#include <QHash>

#include <xlsxwriter.h>


namespace pel {

namespace {

QStringList splitSections(const QString& pattern)
{
    QStringList out;
    QString cur;
    QChar quote;
    for (QChar ch : pattern) {
        if (!quote.isNull()) {
            cur += ch;
            if (ch == quote)
                quote = QChar();
        } else if (ch == u'\'' || ch == u'"') {
            quote = ch;
            cur += ch;
        } else if (ch == u';') {
            out << cur;
            cur.clear();
        } else {
            cur += ch;
        }
    }
    out << cur;
    return out;
}

QString quoteLiteral(const QString& lit)
{
    if (lit.isEmpty())
        return {};
    QString s = lit;
    s.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString convertSection(const QString& sec)
{
    QString prefix, suffix, digits;
    bool inDigits = false, afterDigits = false;
    QChar quote;
    for (QChar ch : sec) {
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
            else
                (afterDigits || inDigits ? suffix : prefix) += ch;
            continue;
        }
        if (ch == u'\'' || ch == u'"') {
            quote = ch;
            if (inDigits) {
                inDigits = false;
                afterDigits = true;
            }
            continue;
        }
        const bool placeholder = ch == u'0' || ch == u'#' || ch == u',' || ch == u'.';
        if (placeholder && !afterDigits) {
            inDigits = true;
            digits += ch;
            continue;
        }
        if (inDigits) {
            inDigits = false;
            afterDigits = true;
        }
        (afterDigits ? suffix : prefix) += ch;
    }
    const int dot = digits.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? digits : digits.left(dot);
    const QString decPart = dot < 0 ? QString() : digits.mid(dot + 1);
    const bool grouping = intPart.contains(QLatin1Char(','));
    const int intZeros = int(intPart.count(QLatin1Char('0')));
    QString num;
    if (digits.isEmpty()) {
        num.clear();
    } else if (grouping) {
        num = intZeros == 0 ? QStringLiteral("#,###") : QStringLiteral("#,##0");
        if (intZeros > 1)
            num = QString(intZeros - 1, QLatin1Char('0')) + num;
    } else {
        num = intZeros == 0 ? QStringLiteral("#") : QString(intZeros, QLatin1Char('0'));
    }
    const int decZeros = int(decPart.count(QLatin1Char('0')));
    const int decHashes = int(decPart.count(QLatin1Char('#')));
    if (decZeros + decHashes > 0)
        num += QLatin1Char('.') + QString(decZeros, QLatin1Char('0')) +
               QString(decHashes, QLatin1Char('#'));
    return quoteLiteral(prefix) + num + quoteLiteral(suffix);
}

} // namespace

QString excelNumberFormat(const QString& pattern)
{
    if (pattern.trimmed().isEmpty())
        return QStringLiteral("General");
    QStringList out;
    for (const QString& sec : splitSections(pattern))
        out << convertSection(sec);
    return out.join(QLatin1Char(';'));
}

QString excelFileName(const QString& chosen)
{
    if (chosen.isEmpty())
        return chosen;
    const QFileInfo fi(chosen);
    const QString suffix = fi.suffix().toLower();
    if (suffix == u"xlsx")
        return chosen;
    if (suffix.startsWith(u"xls"))
        return chosen.left(chosen.size() - suffix.size()) + QStringLiteral("xlsx");
    if (chosen.endsWith(QLatin1Char('.')))
        return chosen + QStringLiteral("xlsx");
    return chosen + QStringLiteral(".xlsx");
}

bool GridView::exportExcel(const QString& path, QString* error) const
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new(file.constData());
    if (!wb)
        return fail(QStringLiteral("Excel dosyası oluşturulamadı."));
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Sayfa1");
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    QHash<QString, lxw_format*> formats;
    auto numFormat = [&](const QString& excel, bool isBold) -> lxw_format* {
        const QString key = excel + (isBold ? QStringLiteral("|b") : QString());
        if (auto it = formats.find(key); it != formats.end())
            return *it;
        lxw_format* f = workbook_add_format(wb);
        if (excel != u"General")
            format_set_num_format(f, excel.toUtf8().constData());
        if (isBold)
            format_set_bold(f);
        formats.insert(key, f);
        return f;
    };

    const GridModel* m = m_model;
    const LocalTable* t = m->table();
    const std::vector<int> cols = visibleColumns();
    for (size_t i = 0; i < cols.size(); ++i) {
        const QByteArray h = column(cols[i]).headerText().toUtf8();
        worksheet_write_string(ws, 0, lxw_col_t(i), h.constData(), bold);
        worksheet_set_column(ws, lxw_col_t(i), lxw_col_t(i),
                             std::max(4.0, columnWidth(cols[i]) / 7.0), nullptr);
    }
    lxw_row_t row = 1;
    auto writeSummary = [&](lxw_col_t x, int c, const SummaryDef& s, const QVariant& v) {
        if (!v.isValid())
            return;
        QString pattern = s.format;
        if (pattern.isEmpty() && s.kind != Summary::Count)
            pattern = m->numberPattern(c);
        worksheet_write_number(ws, row, x, v.toDouble(), numFormat(excelNumberFormat(pattern), true));
    };
    auto writeData = [&](int tr) {
        for (size_t i = 0; i < cols.size(); ++i) {
            const int c = cols[i];
            const GridColumn& col = column(c);
            const lxw_col_t x = lxw_col_t(i);
            const int f = m->fieldOf(c);
            if (col.type == ColumnKind::Picture)
                continue;
            if (col.textHandler || f < 0) {
                const QByteArray s = m->cellText(tr, c).toUtf8();
                if (!s.isEmpty())
                    worksheet_write_string(ws, row, x, s.constData(), nullptr);
                continue;
            }
            if (t->isNull(tr, f))
                continue;
            const FieldType type = t->field(f).type;
            if (isNumericType(type) || type == FieldType::Boolean) {
                worksheet_write_number(ws, row, x, t->data().numberAt(tr, f),
                                       numFormat(excelNumberFormat(m->numberPattern(c)), false));
            } else if (isDateTimeType(type)) {
                const char* fmt = type == FieldType::Date   ? "dd.mm.yyyy"
                                  : type == FieldType::Time ? "hh:mm:ss"
                                                            : "dd.mm.yyyy hh:mm:ss";
                worksheet_write_number(ws, row, x, t->data().realAt(tr, f),
                                       numFormat(QString::fromLatin1(fmt), false));
            } else if (storageOf(type) == Storage::Bytes) {
                continue;
            } else {
                const QByteArray s = m->cellText(tr, c).toUtf8();
                worksheet_write_string(ws, row, x, s.constData(), nullptr);
            }
        }
        ++row;
    };
    if (t && m->isAttached()) {
        const std::vector<int>& order = m->orderedRows();
        if (m->groupColumn() < 0) {
            for (int tr : order)
                writeData(tr);
        } else {
            for (int g = 0; g < m->groupCount(); ++g) {
                const GridModel::Group& grp = m->group(g);
                const QByteArray h = m->groupHeaderText(g).toUtf8();
                worksheet_write_string(ws, row++, 0, h.constData(), bold);
                for (int i = grp.first; i < grp.first + grp.count; ++i)
                    writeData(order[size_t(i)]);
                bool any = false;
                for (size_t i = 0; i < cols.size(); ++i) {
                    const SummaryDef& s = column(cols[i]).groupSummary;
                    if (s.kind == Summary::None)
                        continue;
                    any = true;
                    writeSummary(lxw_col_t(i), cols[i], s, m->groupFooterValue(g, cols[i]));
                }
                if (any)
                    ++row;
            }
        }
        if (isFooterVisible()) {
            for (size_t i = 0; i < cols.size(); ++i) {
                const SummaryDef& s = column(cols[i]).footerSummary;
                if (s.kind != Summary::None)
                    writeSummary(lxw_col_t(i), cols[i], s, m->footerValue(cols[i]));
            }
        }
    }
    const lxw_error err = workbook_close(wb);
    if (err != LXW_NO_ERROR)
        return fail(QStringLiteral("Excel dosyası yazılamadı: %1 (%2)")
                        .arg(path, QString::fromUtf8(lxw_strerror(err))));
    return true;
}

QString GridView::saveExcelAs(QWidget* parent)
{
    const QString chosen = askSaveFileName(parent ? parent : this, QStringLiteral("Excel Kaydet"),
                                           QStringLiteral("Excel|*.xls*"), QStringLiteral("xlsx"));
    if (chosen.isEmpty())
        return {};
    const QString path = excelFileName(chosen);
    QString error;
    if (!exportExcel(path, &error)) {
        plainMessage(error, this);
        return {};
    }
    return path;
}

} // namespace pel
