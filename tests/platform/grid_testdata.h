#pragma once
// A small stock list shared by the grid tests.

#include "platform/grid/gridview.h"
#include "platform/localtable.h"

namespace gridtest {

inline QList<pel::FieldDef> stockFields()
{
    using pel::FieldType;
    return {{QStringLiteral("STOK_STOKNO"), FieldType::Int32},
            {QStringLiteral("ADI"), FieldType::WideString, 100},
            {QStringLiteral("MARKA"), FieldType::String, 30},
            {QStringLiteral("FIYAT"), FieldType::Double},
            {QStringLiteral("MIKTAR"), FieldType::Int32},
            {QStringLiteral("SATICI"), FieldType::String, 30},
            {QStringLiteral("TARIH"), FieldType::Date},
            {QStringLiteral("SEC"), FieldType::Int32}};
}

struct Row {
    int no;
    const char* name;
    const char* brand; // nullptr: null
    double price;
    int qty;
    const char* seller;
};

inline const Row kRows[] = {
    {10, "FREN BALATASI", "BOSCH", 120.5, 2, "Ahmet"},
    {11, "FAR AMPULÜ", "OSRAM", 15.25, 10, "Mehmet"},
    {12, "FİLTRE YAĞ", "BOSCH", 40.0, 5, "Ahmet"},
    {13, "FREN DİSKİ", "TRW", 300.0, 1, "Mehmet"},
    {14, "AMORTİSÖR", nullptr, 850.75, 4, "Ahmet"},
};

inline void fill(pel::LocalTable& t)
{
    t.setFields(stockFields());
    t.disableControls();
    int i = 0;
    for (const Row& r : kRows) {
        const int row = t.appendRow();
        t.setValue(row, 0, r.no);
        t.setValue(row, 1, QString::fromUtf8(r.name));
        if (r.brand)
            t.setValue(row, 2, QString::fromUtf8(r.brand));
        t.setValue(row, 3, r.price);
        t.setValue(row, 4, r.qty);
        t.setValue(row, 5, QString::fromUtf8(r.seller));
        t.setValue(row, 6, 46000.0 + i);
        t.setValue(row, 7, i % 2);
        ++i;
    }
    t.enableControls();
    t.first();
}

inline std::vector<pel::GridColumn> stockColumns()
{
    using pel::ColumnKind;
    using pel::GridColumn;
    using pel::Summary;
    return {
        GridColumn("colSEC", "SEC").caption(QStringLiteral("Seç")).kind(ColumnKind::Check).offered(false),
        GridColumn("colNO", "STOK_STOKNO").technical(),
        GridColumn("colADI", "ADI").caption(QStringLiteral("Açıklama")).kind(ColumnKind::WrappedText).tag(3),
        GridColumn("colMARKA", "MARKA").caption(QStringLiteral("Marka")).tag(2).footer(Summary::Count),
        GridColumn("colFIYAT", "FIYAT").caption(QStringLiteral("Fiyat")).amount().tag(1)
            .footer(Summary::Average).groupFooter(Summary::Sum),
        GridColumn("colMIKTAR", "MIKTAR").caption(QStringLiteral("Miktar")).kind(ColumnKind::Number)
            .footer(Summary::Sum).groupFooter(Summary::Count),
        GridColumn("colSATICI", "SATICI").visible(false),
        GridColumn("colTARIH", "TARIH").caption(QStringLiteral("Tarih")).visible(false).offered(true),
    };
}

} // namespace gridtest
