#pragma once
// The demo store: a deterministic, Turkish data set of an automotive parts
// wholesaler (items, customers, baskets, orders, statements, screens).

#include "magaza.h"

#include <QDate>
#include <QList>

namespace pelsrv {

// The workstations every demo store knows.
QList<CihazKaydi> demoCihazlari();

// Replaces the store's data by the demo data with `stokAdedi` items. The
// same count and day give the same data; dates lie before `bugun`.
// Workstations registered by hand stay registered when their customer
// still exists. Runs in one transaction.
void ornekVeriKur(Magaza& m, int stokAdedi = 20000, QDate bugun = QDate::currentDate());

} // namespace pelsrv
