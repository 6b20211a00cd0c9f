#include "platform/grid/picturerows.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <vector>

namespace pel {

class PictureRowsModel : public QAbstractTableModel {
public:
    struct Row {
        QImage picture;
        QStringList texts;
    };
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : int(rows.size()); }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!i.isValid() || role != Qt::DecorationRole)
            return {};
        return rows[size_t(i.row())].picture;
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        return i.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }
    void clear()
    {
        beginResetModel();
        rows.clear();
        endResetModel();
    }
    int append(Row r)
    {
        const int n = int(rows.size());
        beginInsertRows({}, n, n);
        rows.push_back(std::move(r));
        endInsertRows();
        return n;
    }
    std::vector<Row> rows;
};

namespace {
class PictureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& idx) const override
    {
        const bool sel = opt.state & QStyle::State_Selected;
        p->fillRect(opt.rect, sel ? QColor(210, 240, 249) : QColor(Qt::white));
        const QImage img = idx.data(Qt::DecorationRole).value<QImage>();
        if (!img.isNull()) {
            const QSize s = img.size().scaled(opt.rect.size() - QSize(8, 8), Qt::KeepAspectRatio);
            QRect r(QPoint(), s);
            r.moveCenter(opt.rect.center());
            p->setRenderHint(QPainter::SmoothPixmapTransform);
            p->drawImage(r, img);
        }
        p->setPen(QColor(224, 224, 224));
        p->drawLine(opt.rect.bottomLeft(), opt.rect.bottomRight());
    }
};
} // namespace

PictureRowsView::PictureRowsView(const QStringList& textNames, QWidget* parent)
    : QTableView(parent), m_model(new PictureRowsModel(this)), m_names(textNames)
{
    setModel(m_model);
    setItemDelegate(new PictureDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionsMovable(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(m_rowHeight);
    setSortingEnabled(false);
    setShowGrid(false);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            Q_EMIT rowDoubleClicked();
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) { Q_EMIT focusedRowChanged(now.isValid() ? now.row() : -1); });
}

void PictureRowsView::clearRows()
{
    m_model->clear();
}

int PictureRowsView::appendRow(const QByteArray& pictureBytes, const QStringList& texts)
{
    QImage img;
    if (!pictureBytes.isEmpty())
        img.loadFromData(pictureBytes);
    return appendRow(img, texts);
}

int PictureRowsView::appendRow(const QImage& picture, const QStringList& texts)
{
    const int r = m_model->append({picture, texts});
    if (r == 0)
        setFocusedRow(0);
    return r;
}

int PictureRowsView::rowCount() const
{
    return m_model->rowCount();
}

QImage PictureRowsView::picture(int row) const
{
    return row >= 0 && row < rowCount() ? m_model->rows[size_t(row)].picture : QImage();
}

QString PictureRowsView::text(int row, int textIndex) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_model->rows[size_t(row)].texts.value(textIndex);
}

QString PictureRowsView::text(int row, const QString& textName) const
{
    return text(row, int(m_names.indexOf(textName)));
}

void PictureRowsView::setPictureRowHeight(int px)
{
    m_rowHeight = std::max(1, px);
    verticalHeader()->setDefaultSectionSize(m_rowHeight);
}

int PictureRowsView::focusedRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void PictureRowsView::setFocusedRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void PictureRowsView::beginUpdate()
{
    if (m_lock++ == 0)
        setUpdatesEnabled(false);
}

void PictureRowsView::endUpdate()
{
    if (m_lock > 0 && --m_lock == 0) {
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

void PictureRowsView::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    verticalScrollBar()->setSingleStep(20);
}

} // namespace pel
