#include "platform/grid/gridview.h"

#include "platform/columnwidths.h"
#include "platform/localtable.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace pel {

namespace {
constexpr int kFilterButton = 14;
constexpr int kIndicatorWidth = 12;
constexpr int kBestFitRows = 2000;

bool sameValue(const QVariant& a, const QVariant& b)
{
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA), y = b.toDouble(&okB);
    if (okA && okB)
        return x == y;
    return a.toString() == b.toString();
}

void drawTriangle(QPainter* p, const QRectF& r, bool down, const QColor& c)
{
    QPainterPath path;
    if (down) {
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right(), r.top());
        path.lineTo(r.center().x(), r.bottom());
    } else {
        path.moveTo(r.left(), r.bottom());
        path.lineTo(r.right(), r.bottom());
        path.lineTo(r.center().x(), r.top());
    }
    path.closeSubpath();
    p->fillPath(path, c);
}
} // namespace

// ---------------------------------------------------------------- delegate

class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(GridView* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& idx) const override
    {
        const GridModel* m = m_grid->m_model;
        const GridStyle& st = m_grid->m_style;
        const int vr = idx.row(), c = idx.column();
        const GridColumn& col = m->column(c);
        const bool sel = opt.state & QStyle::State_Selected;
        const QRect r = opt.rect;
        QColor bg = sel ? st.selection : (vr % 2 == 0 ? st.evenRow : st.oddRow);
        QColor fg = sel ? st.selectionText : st.text;
        p->save();
        switch (m->rowKind(vr)) {
        case GridModel::RowKind::GroupHeader: {
            const int g = m->groupOf(vr);
            p->fillRect(r, sel ? st.selection : st.groupRow);
            const QRect box(r.left() + 6, r.center().y() - 5, 10, 10);
            p->setPen(fg);
            p->drawRect(box);
            p->drawLine(box.left() + 2, box.center().y(), box.right() - 2, box.center().y());
            if (!m->group(g).expanded)
                p->drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);
            QFont f = opt.font;
            f.setBold(true);
            p->setFont(f);
            p->drawText(r.adjusted(24, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        m->groupHeaderText(g));
            break;
        }
        case GridModel::RowKind::GroupFooter: {
            p->fillRect(r, st.footer);
            p->setPen(st.footerText);
            p->drawText(r.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                        m->groupFooterText(m->groupOf(vr), c));
            break;
        }
        case GridModel::RowKind::Data: {
            if (sel && st.selectionBold) {
                QStyleOptionViewItem bold(opt);
                bold.font.setBold(true);
                bold.fontMetrics = QFontMetrics(bold.font);
                paintData(p, bold, m, col, m->tableRow(vr), c, vr, sel, bg, fg);
            } else {
                paintData(p, opt, m, col, m->tableRow(vr), c, vr, sel, bg, fg);
            }
            break;
        }
        }
        p->setPen(st.gridLine);
        p->drawLine(r.topRight(), r.bottomRight());
        p->drawLine(r.bottomLeft(), r.bottomRight());
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& opt, const QModelIndex& idx) const override
    {
        return {m_grid->m_model->column(idx.column()).widthPx, m_grid->m_rowHeight};
    }

    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return nullptr;
    }

private:
    void paintData(QPainter* p, const QStyleOptionViewItem& opt, const GridModel* m,
                   const GridColumn& col, int tr, int c, int vr, bool sel, const QColor& bg,
                   const QColor& fg) const
    {
        const QRect r = opt.rect;
        p->fillRect(r, bg);
        const LocalTable* t = m->table();
        if (!t || tr < 0)
            return;
        const int f = m->fieldOf(c);
        Qt::Alignment align = col.align;
        if (!align)
            align = col.type == ColumnKind::Number ? (Qt::AlignRight | Qt::AlignVCenter)
                    : col.type == ColumnKind::Icon ? Qt::Alignment(Qt::AlignCenter)
                                                   : (Qt::AlignLeft | Qt::AlignVCenter);
        switch (col.type) {
        case ColumnKind::Drawn: {
            if (!col.drawHandler)
                return;
            const GridRow row(t, tr);
            p->save();
            p->setFont(opt.font);
            p->setPen(fg);
            col.drawHandler(DrawCell{*p, r, row, sel, vr, bg, fg});
            p->restore();
            return;
        }
        case ColumnKind::Check: {
            QStyleOptionButton b;
            const int s = 14;
            b.rect = QRect(r.center().x() - s / 2, r.center().y() - s / 2, s, s);
            b.state = QStyle::State_Enabled |
                      (m->cellNumber(tr, c) != 0 ? QStyle::State_On : QStyle::State_Off);
            QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &b, p);
            return;
        }
        case ColumnKind::Icon: {
            QIcon icon = col.neutralIcon;
            if (f >= 0 && !t->isNull(tr, f)) {
                const QVariant v = t->value(tr, f);
                if (!v.toString().isEmpty())
                    for (const auto& [value, i] : col.icons)
                        if (sameValue(value, v)) {
                            icon = i;
                            break;
                        }
            }
            if (icon.isNull())
                return;
            const int s = std::max(8, std::min({r.height() - 4, r.width() - 4, 24}));
            QRect ir(0, 0, s, s);
            ir.moveCenter(r.center());
            if (align & Qt::AlignLeft)
                ir.moveLeft(r.left() + 3);
            else if (align & Qt::AlignRight)
                ir.moveRight(r.right() - 3);
            icon.paint(p, ir);
            return;
        }
        case ColumnKind::Picture: {
            if (f < 0 || t->isNull(tr, f))
                return;
            const QByteArray bytes = t->data().bytesAt(tr, f);
            const QString key = QStringLiteral("pelgrid:%1:%2")
                                    .arg(qHash(bytes))
                                    .arg(bytes.size());
            QPixmap pm;
            if (!QPixmapCache::find(key, &pm)) {
                pm.loadFromData(bytes);
                QPixmapCache::insert(key, pm);
            }
            if (pm.isNull())
                return;
            const QPixmap scaled =
                pm.scaled(r.size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            QRect pr(QPoint(), scaled.size());
            pr.moveCenter(r.center());
            p->drawPixmap(pr, scaled);
            return;
        }
        case ColumnKind::Text:
        case ColumnKind::WrappedText:
        case ColumnKind::MultiLineText:
        case ColumnKind::Number: {
            const QString text = m->cellText(tr, c);
            if (text.isEmpty())
                return;
            p->setFont(opt.font);
            p->setPen(fg);
            const QRect tr2 = r.adjusted(4, 1, -4, -1);
            if (col.type == ColumnKind::WrappedText || col.type == ColumnKind::MultiLineText) {
                p->drawText(tr2, int(align) | Qt::TextWordWrap, text);
            } else {
                const QString el = opt.fontMetrics.elidedText(text, Qt::ElideRight, tr2.width());
                p->drawText(tr2, int(align), el);
            }
            return;
        }
        }
    }

    GridView* m_grid;
};

// ----------------------------------------------------------------- headers

class GridHeader : public QHeaderView {
public:
    explicit GridHeader(GridView* grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid)
    {
        setSectionsClickable(true);
        setSectionsMovable(true);
        setHighlightSections(false);
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setMinimumSectionSize(8);
    }

    QSize sizeHint() const override
    {
        QSize s = QHeaderView::sizeHint();
        s.setHeight(m_grid->m_headerHeight);
        return s;
    }

    QRect filterButtonRect(const QRect& section) const
    {
        return QRect(section.right() - kFilterButton, section.top(), kFilterButton,
                     section.height());
    }

protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override
    {
        const GridStyle& st = m_grid->m_style;
        const GridModel* m = m_grid->m_model;
        p->save();
        p->fillRect(rect, st.header);
        p->setPen(st.header.lighter(150));
        p->drawLine(rect.topRight(), rect.bottomRight());
        QFont f = font();
        f.setBold(st.headerBold);
        p->setFont(f);
        p->setPen(st.headerText);
        int right = 4;
        if (m_grid->m_filterButtons)
            right += kFilterButton;
        if (m->sortColumn() == logical)
            right += 10;
        const QRect textRect = rect.adjusted(4, 1, -right, -1);
        const GridColumn& col = m->column(logical);
        const Qt::Alignment ha = (col.align & Qt::AlignHorizontal_Mask) ? (col.align & Qt::AlignHorizontal_Mask) : Qt::AlignLeft;
        p->drawText(textRect, int(ha | Qt::AlignVCenter) | Qt::TextWordWrap, col.headerText());
        int x = rect.right() - 4 - (m_grid->m_filterButtons ? kFilterButton : 0);
        if (m->sortColumn() == logical) {
            drawTriangle(p, QRectF(x - 8, rect.center().y() - 3, 7, 5),
                         m->sortOrder() == Qt::DescendingOrder, st.headerText);
        }
        if (m_grid->m_filterButtons) {
            const QRect b = filterButtonRect(rect);
            const bool on = m->isFiltered(logical);
            if (on)
                p->fillRect(b.adjusted(1, 4, -1, -4), st.header.lighter(170));
            drawTriangle(p, QRectF(b.center().x() - 3.5, b.center().y() - 2, 7, 4), true,
                         on ? QColor(255, 210, 0) : st.headerText);
        }
        p->restore();
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        const int logical = logicalIndexAt(e->pos());
        if (e->button() == Qt::LeftButton && logical >= 0 && m_grid->m_filterButtons) {
            const QRect sec(sectionViewportPosition(logical), 0, sectionSize(logical), height());
            if (filterButtonRect(sec).contains(e->pos())) {
                m_grid->showFilterMenu(logical, mapToGlobal(QPoint(sec.left(), height())));
                return;
            }
        }
        QHeaderView::mousePressEvent(e);
    }

private:
    GridView* m_grid;
};

class GridRowIndicator : public QHeaderView {
public:
    explicit GridRowIndicator(GridView* grid) : QHeaderView(Qt::Vertical, grid), m_grid(grid)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
    }
    QSize sizeHint() const override { return {kIndicatorWidth, 0}; }

protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override
    {
        const GridStyle& st = m_grid->m_style;
        p->fillRect(rect, st.indicator);
        p->setPen(st.indicator.lighter(140));
        p->drawLine(rect.bottomLeft(), rect.bottomRight());
        if (logical == m_grid->focusedRow()) {
            QPainterPath path;
            const QPointF c = QRectF(rect).center();
            path.moveTo(c.x() - 2.5, c.y() - 4);
            path.lineTo(c.x() + 2.5, c.y());
            path.lineTo(c.x() - 2.5, c.y() + 4);
            path.closeSubpath();
            p->fillPath(path, Qt::white);
        }
    }

private:
    GridView* m_grid;
};

// ------------------------------------------------------------------ footer

class GridFooterBar : public QWidget {
public:
    explicit GridFooterBar(GridView* grid) : QWidget(grid), m_grid(grid)
    {
        setFixedHeight(26);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const GridStyle& st = m_grid->m_style;
        p.fillRect(rect(), st.footer);
        const QHeaderView* h = m_grid->tableView()->horizontalHeader();
        const int offset = m_grid->tableView()->viewport()->x();
        p.setPen(st.footerText);
        for (int c = 0; c < m_grid->columnCount(); ++c) {
            if (h->isSectionHidden(c))
                continue;
            const QRect cell(offset + h->sectionViewportPosition(c), 0, h->sectionSize(c),
                             height());
            if (cell.right() < 0 || cell.left() > width())
                continue;
            const QString t = m_grid->footerText(c);
            p.setPen(st.gridLine.darker(120));
            p.drawRect(cell.adjusted(1, 2, -2, -3));
            if (!t.isEmpty()) {
                p.setPen(st.footerText);
                p.drawText(cell.adjusted(4, 0, -5, 0), Qt::AlignRight | Qt::AlignVCenter, t);
            }
        }
    }

private:
    GridView* m_grid;
};

// --------------------------------------------------------------- the view

class GridTableView : public QTableView {
public:
    explicit GridTableView(GridView* grid) : QTableView(grid), m_grid(grid) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        const QString t = e->text();
        const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && !t.isEmpty() && t.at(0).isPrint()) {
            m_grid->incrementalSearch(t);
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Backspace && !m_grid->m_search.isEmpty()) {
            QString s = m_grid->m_search;
            s.chop(1);
            m_grid->m_search.clear();
            if (!s.isEmpty())
                m_grid->incrementalSearch(s);
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Escape && !m_grid->m_search.isEmpty()) {
            m_grid->m_search.clear();
            e->accept();
            return;
        }
        QTableView::keyPressEvent(e);
    }

    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        const QModelIndex idx = indexAt(e->pos());
        if (idx.isValid() &&
            m_grid->m_model->rowKind(idx.row()) == GridModel::RowKind::GroupHeader) {
            const int g = m_grid->m_model->groupOf(idx.row());
            m_grid->m_model->setGroupExpanded(g, !m_grid->m_model->group(g).expanded);
            return;
        }
        QTableView::mouseDoubleClickEvent(e);
        if (idx.isValid() && m_grid->m_model->rowKind(idx.row()) == GridModel::RowKind::Data)
            Q_EMIT m_grid->rowDoubleClicked();
    }

    void scrollContentsBy(int dx, int dy) override
    {
        QTableView::scrollContentsBy(dx, dy);
        if (dx != 0)
            m_grid->m_footer->update();
    }

private:
    GridView* m_grid;
};

GridView::GridView(QWidget* parent)
    : QWidget(parent),
      m_model(new GridModel(this)),
      m_view(new GridTableView(this)),
      m_header(new GridHeader(this)),
      m_indicator(new GridRowIndicator(this)),
      m_footer(new GridFooterBar(this))
{
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(m_view);
    lay->addWidget(m_footer);
    m_footer->hide();

    m_view->setHorizontalHeader(m_header);
    m_view->setVerticalHeader(m_indicator);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new GridDelegate(this));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setShowGrid(false);
    m_view->setWordWrap(true);
    m_view->setTabKeyNavigation(false);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setFrameShape(QFrame::NoFrame);
    m_indicator->setDefaultSectionSize(m_rowHeight);
    m_indicator->setMinimumSectionSize(4);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    m_header->setFixedHeight(m_headerHeight);

    connect(m_header, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int logical = m_header->logicalIndexAt(pos);
        if (logical >= 0)
            showHeaderMenu(logical, m_header->mapToGlobal(pos));
    });
    connect(m_header, &QHeaderView::sectionClicked, this, [this](int logical) {
        if (!m_sortingAllowed || !m_model->canSort(logical))
            return;
        const bool asc = m_model->sortColumn() == logical &&
                         m_model->sortOrder() == Qt::AscendingOrder;
        sortBy(logical, asc ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    auto footerUpdate = [this] { m_footer->update(); };
    connect(m_header, &QHeaderView::sectionResized, this, footerUpdate);
    connect(m_header, &QHeaderView::sectionMoved, this, footerUpdate);
    connect(m_header, &QHeaderView::geometriesChanged, this, footerUpdate);
    connect(m_model, &GridModel::summariesChanged, this, footerUpdate);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &GridView::beforeReset);
    connect(m_model, &QAbstractItemModel::modelReset, this, &GridView::afterReset);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GridView::onCurrentChanged);
    m_view->viewport()->installEventFilter(this);
    applyStyle();
}

GridView::~GridView()
{
    // the inner views ask this object for sizes and colours: they go first
    disconnect(m_model, nullptr, this, nullptr);
    m_view->viewport()->removeEventFilter(this);
    delete m_chooser;
    delete m_view;
    delete m_footer;
}

bool GridView::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_view->viewport() && e->type() == QEvent::Resize &&
        m_widthRule == WidthRule::FillWidth)
        applyWidthRule();
    return QWidget::eventFilter(o, e);
}

QTableView* GridView::tableView() const
{
    return m_view;
}

void GridView::setColumns(std::vector<GridColumn> columns)
{
    m_model->setColumns(std::move(columns));
    for (int c = 0; c < columnCount(); ++c) {
        const GridColumn& col = column(c);
        m_header->resizeSection(c, col.widthPx);
        m_view->setColumnHidden(c, !col.isVisible);
    }
    applySpans();
    applyWidthRule();
}

int GridView::columnCount() const
{
    return m_model->columnCount();
}

const GridColumn& GridView::column(int c) const
{
    return m_model->column(c);
}

int GridView::columnIndex(QStringView name) const
{
    return m_model->columnIndex(name);
}

void GridView::setColumnVisible(int c, bool visible)
{
    if (c < 0 || c >= columnCount() || m_view->isColumnHidden(c) == !visible)
        return;
    m_view->setColumnHidden(c, !visible);
    if (visible && m_header->sectionSize(c) == 0)
        m_header->resizeSection(c, std::max(20, column(c).widthPx));
    applyWidthRule();
    m_footer->update();
}

bool GridView::isColumnVisible(int c) const
{
    return c >= 0 && c < columnCount() && !m_view->isColumnHidden(c);
}

void GridView::setColumnWidth(int c, int width)
{
    if (c >= 0 && c < columnCount())
        m_header->resizeSection(c, std::max(0, width));
}

int GridView::columnWidth(int c) const
{
    return c >= 0 && c < columnCount() ? m_header->sectionSize(c) : 0;
}

void GridView::setColumnCaption(int c, const QString& caption)
{
    m_model->setColumnTitle(c, caption);
}

std::vector<int> GridView::visibleColumns() const
{
    std::vector<int> out;
    for (int v = 0; v < m_header->count(); ++v) {
        const int c = m_header->logicalIndex(v);
        if (!m_header->isSectionHidden(c))
            out.push_back(c);
    }
    return out;
}

// ---------------------------------------------------------------- binding

void GridView::setTable(LocalTable* table)
{
    if (LocalTable* old = m_model->table())
        disconnect(old, nullptr, this, nullptr);
    m_model->setTable(table);
    if (table && m_model->isAttached())
        connect(table, &LocalTable::currentRowChanged, this, &GridView::onTableCurrentRow);
    applySpans();
}

LocalTable* GridView::table() const
{
    return m_model->table();
}

void GridView::detach()
{
    if (LocalTable* t = m_model->table())
        disconnect(t, nullptr, this, nullptr);
    m_model->setAttached(false);
}

void GridView::attach()
{
    if (m_model->isAttached())
        return;
    m_model->setAttached(true);
    if (LocalTable* t = m_model->table())
        connect(t, &LocalTable::currentRowChanged, this, &GridView::onTableCurrentRow,
                Qt::UniqueConnection);
    applySpans();
}

bool GridView::isAttached() const
{
    return m_model->isAttached();
}

void GridView::beginUpdate()
{
    if (m_updateLock++ == 0)
        setUpdatesEnabled(false);
}

void GridView::endUpdate()
{
    if (m_updateLock == 0)
        return;
    if (--m_updateLock == 0) {
        setUpdatesEnabled(true);
        // at once: an update request queued while drawing was suspended may be dropped
        if (m_view->isVisible())
            m_view->viewport()->repaint();
        m_header->viewport()->update();
        m_indicator->viewport()->update();
        m_footer->update();
    }
}

void GridView::beforeReset()
{
    m_keepColumn = focusedColumn();
}

void GridView::afterReset()
{
    applySpans();
    if (m_model->rowCount() == 0)
        return;
    int vr = -1;
    if (LocalTable* t = m_model->table())
        vr = m_model->viewRow(t->currentRow());
    const bool fromTop = vr < 0;
    if (vr < 0)
        for (int r = 0; r < m_model->rowCount() && vr < 0; ++r)
            if (m_model->rowKind(r) == GridModel::RowKind::Data)
                vr = r;
    if (vr < 0)
        vr = 0;
    int c = m_keepColumn;
    if (c < 0 || m_view->isColumnHidden(c)) {
        const auto vis = visibleColumns();
        c = vis.empty() ? 0 : vis.front();
    }
    setFocusedRow(vr);
    setFocusedColumn(c);
    if (fromTop)
        m_view->scrollToTop();
}

void GridView::applySpans()
{
    m_view->clearSpans();
    if (m_model->groupColumn() < 0)
        return;
    const int cols = columnCount();
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->rowKind(r) == GridModel::RowKind::GroupHeader)
            m_view->setSpan(r, 0, 1, cols);
}

// ---------------------------------------------------------------- options

void GridView::setRowHeight(int px)
{
    m_rowHeight = std::max(4, px);
    m_indicator->setDefaultSectionSize(m_rowHeight);
}

void GridView::setHeaderHeight(int px)
{
    m_headerHeight = std::max(4, px);
    m_header->setFixedHeight(m_headerHeight);
}

void GridView::setIndicatorVisible(bool on)
{
    m_indicator->setVisible(on);
}

void GridView::setHeaderVisible(bool on)
{
    m_header->setVisible(on);
}

void GridView::setFooterVisible(bool on)
{
    m_footer->setVisible(on);
}

bool GridView::isFooterVisible() const
{
    return !m_footer->isHidden();
}

void GridView::setSortingAllowed(bool on)
{
    m_sortingAllowed = on;
    if (!on && m_model->sortColumn() >= 0)
        m_model->sortBy(-1, Qt::AscendingOrder);
}

void GridView::setFilterButtons(bool on)
{
    m_filterButtons = on;
    m_header->viewport()->update();
}

void GridView::setGridStyle(const GridStyle& style)
{
    m_style = style;
    applyStyle();
}

void GridView::applyStyle()
{
    QPalette pal = m_view->palette();
    pal.setColor(QPalette::Base, m_style.background);
    pal.setColor(QPalette::Window, m_style.background);
    m_view->setPalette(pal);
    m_view->viewport()->update();
    m_header->viewport()->update();
    m_indicator->viewport()->update();
    m_footer->update();
}

void GridView::setLocale(const QLocale& locale)
{
    m_model->setLocale(locale);
}

// ------------------------------------------------------------------ focus

int GridView::focusedRow() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? i.row() : -1;
}

int GridView::focusedTableRow() const
{
    return m_model->tableRow(focusedRow());
}

int GridView::focusedColumn() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? i.column() : -1;
}

QVariant GridView::keyValue() const
{
    const int tr = focusedTableRow();
    LocalTable* t = m_model->table();
    if (tr < 0 || !t || m_keyField.isEmpty())
        return {};
    const int f = t->fieldIndex(m_keyField);
    return f < 0 ? QVariant() : t->value(tr, f);
}

void GridView::setFocusedRow(int viewRow)
{
    if (viewRow < 0 || viewRow >= m_model->rowCount())
        return;
    int c = focusedColumn();
    if (c < 0 || m_view->isColumnHidden(c)) {
        const auto vis = visibleColumns();
        c = vis.empty() ? 0 : vis.front();
    }
    const QModelIndex idx = m_model->index(viewRow, c);
    m_view->selectionModel()->setCurrentIndex(
        idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(idx);
}

void GridView::setFocusedColumn(int c)
{
    const int r = focusedRow();
    if (r < 0 || c < 0 || c >= columnCount())
        return;
    m_view->selectionModel()->setCurrentIndex(
        m_model->index(r, c), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool GridView::focusTableRow(int tableRow)
{
    const int vr = m_model->viewRow(tableRow);
    if (vr < 0)
        return false;
    setFocusedRow(vr);
    return true;
}

int GridView::rowCount() const
{
    return m_model->rowCount();
}

QString GridView::cellText(int viewRow, int c) const
{
    return m_model->data(m_model->index(viewRow, c), Qt::DisplayRole).toString();
}

void GridView::onCurrentChanged(const QModelIndex& now, const QModelIndex& before)
{
    if (!m_searching)
        m_search.clear();
    m_indicator->viewport()->update();
    if (now.row() == before.row() && before.isValid())
        return;
    const int tr = m_model->tableRow(now.row());
    LocalTable* t = m_model->table();
    if (tr >= 0 && t && m_model->isAttached() && t->currentRow() != tr) {
        m_syncing = true;
        t->setCurrentRow(tr);
        m_syncing = false;
    }
    Q_EMIT focusedRowChanged(tr);
}

void GridView::onTableCurrentRow(int row)
{
    if (m_syncing || !m_model->isAttached())
        return;
    const int vr = m_model->viewRow(row);
    if (vr >= 0 && vr != focusedRow())
        setFocusedRow(vr);
}

// ------------------------------------------------- sort, filter, grouping

void GridView::sortBy(int c, Qt::SortOrder order)
{
    if (c >= 0 && !m_sortingAllowed)
        return;
    m_model->sortBy(c, order);
    m_header->viewport()->update();
}

void GridView::setFilter(int c, const QStringList& allowed)
{
    m_model->setFilter(c, allowed);
    m_header->viewport()->update();
}

void GridView::clearFilter(int c)
{
    m_model->clearFilter(c);
    m_header->viewport()->update();
}

void GridView::clearAllFilters()
{
    m_model->clearAllFilters();
    m_header->viewport()->update();
}

QStringList GridView::filterValues(int c) const
{
    return m_model->filterValues(c);
}

void GridView::groupBy(int c)
{
    m_model->groupBy(c);
    m_header->setSectionsMovable(m_model->groupColumn() < 0);
}

void GridView::collapseAll()
{
    m_model->setAllExpanded(false);
}

void GridView::expandAll()
{
    m_model->setAllExpanded(true);
}

// ------------------------------------------------------ incremental search

bool GridView::incrementalSearch(const QString& typed)
{
    const int rows = m_model->rowCount();
    if (rows == 0 || typed.isEmpty())
        return false;
    int c = focusedColumn();
    if (c < 0 || m_view->isColumnHidden(c)) {
        const auto vis = visibleColumns();
        if (vis.empty())
            return false;
        c = vis.front();
    }
    const QString wanted = m_search + typed;
    const int start = std::max(0, focusedRow());
    for (int i = 0; i < rows; ++i) {
        const int vr = (start + i) % rows;
        const int tr = m_model->tableRow(vr);
        if (tr < 0)
            continue;
        if (startsWithText(m_model->cellText(tr, c), wanted)) {
            m_searching = true;
            const QModelIndex idx = m_model->index(vr, c);
            m_view->selectionModel()->setCurrentIndex(
                idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            m_view->scrollTo(idx);
            m_searching = false;
            m_search = wanted;
            return true;
        }
    }
    return false;
}

// ----------------------------------------------------------------- footer

QString GridView::footerText(int c) const
{
    return c >= 0 && c < columnCount() ? m_model->footerText(c) : QString();
}

QVariant GridView::footerValue(int c) const
{
    return c >= 0 && c < columnCount() ? m_model->footerValue(c) : QVariant();
}

// ----------------------------------------------------------------- widths

int GridView::contentWidth(int c) const
{
    const GridColumn& col = column(c);
    QFont hf = m_header->font();
    hf.setBold(m_style.headerBold);
    int w = QFontMetrics(hf).horizontalAdvance(col.headerText()) + 12 +
            (m_filterButtons ? kFilterButton : 0) + (m_model->sortColumn() == c ? 10 : 0);
    const QFontMetrics fm(m_view->font());
    switch (col.type) {
    case ColumnKind::Check:
    case ColumnKind::Icon:
        return std::max(w, 30);
    case ColumnKind::Picture:
        return std::max(w, m_rowHeight * 3 / 2);
    case ColumnKind::Drawn:
        if (!col.textHandler)
            return std::max(w, columnWidth(c));
        break;
    default:
        break;
    }
    const int rows = std::min(m_model->rowCount(), kBestFitRows);
    for (int vr = 0; vr < rows; ++vr) {
        const int tr = m_model->tableRow(vr);
        if (tr < 0)
            continue;
        const QString t = m_model->cellText(tr, c);
        if (t.isEmpty())
            continue;
        if (t.contains(QLatin1Char('\n'))) {
            for (const QString& line : t.split(QLatin1Char('\n')))
                w = std::max(w, fm.horizontalAdvance(line) + 10);
        } else {
            w = std::max(w, fm.horizontalAdvance(t) + 10);
        }
    }
    return w;
}

void GridView::bestFit(int c)
{
    if (c >= 0 && c < columnCount())
        m_header->resizeSection(c, contentWidth(c));
}

void GridView::bestFitAll()
{
    for (int c : visibleColumns())
        bestFit(c);
}

void GridView::fillWidth()
{
    const auto vis = visibleColumns();
    if (vis.empty())
        return;
    int avail = m_view->viewport()->width();
    if (avail <= 0)
        return;
    double total = 0;
    for (int c : vis)
        total += std::max(1, columnWidth(c));
    int used = 0;
    for (size_t i = 0; i < vis.size(); ++i) {
        int w;
        if (i + 1 == vis.size())
            w = std::max(8, avail - used);
        else
            w = std::max(8, int(avail * std::max(1, columnWidth(vis[i])) / total));
        used += w;
        m_header->resizeSection(vis[i], w);
    }
}

void GridView::distributeWidths(bool screenTest)
{
    if (screenTest && screenIsNarrow(screenWidth())) {
        bestFitAll();
        return;
    }
    const auto vis = visibleColumns();
    std::vector<int> weights;
    weights.reserve(vis.size());
    for (int c : vis)
        weights.push_back(column(c).weight);
    const std::vector<int> widths = weightedWidths(weights, width());
    if (widths.size() != vis.size())
        return;
    for (size_t i = 0; i < vis.size(); ++i)
        m_header->resizeSection(vis[i], widths[i]);
}

int GridView::screenWidth() const
{
    if (m_screenWidth)
        return m_screenWidth();
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

void GridView::setWidthRule(WidthRule rule)
{
    m_widthRule = rule;
    applyWidthRule();
}

void GridView::applyWidthRule()
{
    if (m_applyingWidths)
        return;
    m_applyingWidths = true;
    switch (m_widthRule) {
    case WidthRule::Keep:
        break;
    case WidthRule::FillWidth:
        fillWidth();
        break;
    case WidthRule::Weighted:
        distributeWidths(false);
        break;
    case WidthRule::WeightedScreenTest:
        distributeWidths(true);
        break;
    }
    m_applyingWidths = false;
}

void GridView::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    applyWidthRule();
    Q_EMIT resized();
}

// ------------------------------------------------------ menus and chooser

QMenu* GridView::createHeaderMenu(int c, QWidget* parent)
{
    auto* menu = new QMenu(parent ? parent : this);
    if (c < 0 || c >= columnCount())
        c = -1;
    if (m_sortingAllowed && c >= 0 && m_model->canSort(c)) {
        menu->addAction(QStringLiteral("Artan Sırala"), this,
                        [this, c] { sortBy(c, Qt::AscendingOrder); });
        menu->addAction(QStringLiteral("Azalan Sırala"), this,
                        [this, c] { sortBy(c, Qt::DescendingOrder); });
        if (m_model->sortColumn() >= 0)
            menu->addAction(QStringLiteral("Sıralamayı Kaldır"), this,
                            [this] { sortBy(-1); });
        menu->addSeparator();
    }
    if (c >= 0) {
        QMenu* values = createFilterMenu(c, menu);
        values->setTitle(QStringLiteral("Filtre"));
        menu->addMenu(values);
    }
    QAction* clear = menu->addAction(QStringLiteral("Tüm Filtreleri Temizle"), this,
                                     [this] { clearAllFilters(); });
    clear->setEnabled(m_model->hasFilters());
    if (m_groupingAllowed) {
        menu->addSeparator();
        if (c >= 0 && m_model->fieldOf(c) >= 0 && m_model->groupColumn() != c)
            menu->addAction(QStringLiteral("Bu Sütuna Göre Grupla"), this,
                            [this, c] { groupBy(c); });
        if (m_model->groupColumn() >= 0) {
            menu->addAction(QStringLiteral("Gruplamayı Kaldır"), this, [this] { groupBy(-1); });
            menu->addAction(QStringLiteral("Tümünü Daralt"), this, [this] { collapseAll(); });
            menu->addAction(QStringLiteral("Tümünü Genişlet"), this, [this] { expandAll(); });
        }
    }
    menu->addSeparator();
    if (c >= 0)
        menu->addAction(QStringLiteral("En Uygun Genişlik"), this, [this, c] { bestFit(c); });
    menu->addAction(QStringLiteral("Tüm Sütunlara En Uygun Genişlik"), this,
                    [this] { bestFitAll(); });
    menu->addAction(QStringLiteral("Sütun Seçici"), this, [this] { showColumnChooser(); });
    return menu;
}

QMenu* GridView::createFilterMenu(int c, QWidget* parent)
{
    auto* menu = new QMenu(parent ? parent : this);
    if (c < 0 || c >= columnCount())
        return menu;
    const QStringList active = m_model->activeFilter(c);
    QAction* all = menu->addAction(QStringLiteral("(Tümü)"), this, [this, c] { clearFilter(c); });
    all->setCheckable(true);
    all->setChecked(active.isEmpty());
    menu->addSeparator();
    constexpr int kMaxValues = 500;
    const QStringList values = m_model->filterValues(c);
    for (int i = 0; i < values.size() && i < kMaxValues; ++i) {
        const QString v = values[i];
        QAction* a = menu->addAction(v.isEmpty() ? QStringLiteral("(Boş)") : v, this,
                                     [this, c, v] { setFilter(c, {v}); });
        a->setCheckable(true);
        a->setChecked(active.contains(v));
        a->setData(v);
    }
    return menu;
}

void GridView::showHeaderMenu(int section, const QPoint& globalPos)
{
    QMenu* menu = createHeaderMenu(section);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void GridView::showFilterMenu(int section, const QPoint& globalPos)
{
    QMenu* menu = createFilterMenu(section);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

QStringList GridView::columnChooserCaptions() const
{
    QStringList out;
    for (int c = 0; c < columnCount(); ++c)
        if (column(c).isOffered)
            out << column(c).headerText();
    return out;
}

QDialog* GridView::showColumnChooser()
{
    if (m_chooser) {
        m_chooser->raise();
        return m_chooser;
    }
    auto* dlg = new QDialog(this, Qt::Tool);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowTitle(QStringLiteral("Sütun Seçici"));
    auto* lay = new QVBoxLayout(dlg);
    auto* list = new QListWidget(dlg);
    list->setObjectName(QStringLiteral("columnChooserList"));
    for (int c = 0; c < columnCount(); ++c) {
        if (!column(c).isOffered)
            continue;
        auto* item = new QListWidgetItem(column(c).headerText(), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(isColumnVisible(c) ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, c);
    }
    connect(list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        setColumnVisible(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    });
    lay->addWidget(list);
    dlg->resize(220, 320);
    m_chooser = dlg;
    dlg->show();
    return dlg;
}

} // namespace pel
