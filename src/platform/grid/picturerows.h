#pragma once
// PictureRowsView: an unbound list whose rows each show one large picture,
// with hidden text cells per row (the announcements list). No header, no
// row indicator, scrolled by pixel; nothing can be sorted, filtered,
// grouped, moved or sized by the user.

#include <QImage>
#include <QStringList>
#include <QTableView>

namespace pel {

class PictureRowsModel;

class PictureRowsView : public QTableView {
    Q_OBJECT
public:
    // `textNames`: names of the hidden text cells of each row.
    explicit PictureRowsView(const QStringList& textNames = {}, QWidget* parent = nullptr);

    void clearRows();
    // Appends a row; an empty or undecodable picture shows an empty cell.
    int appendRow(const QByteArray& pictureBytes, const QStringList& texts);
    int appendRow(const QImage& picture, const QStringList& texts);
    int rowCount() const;
    QImage picture(int row) const;
    QString text(int row, int textIndex) const;
    QString text(int row, const QString& textName) const;

    void setPictureRowHeight(int px);
    int pictureRowHeight() const { return m_rowHeight; }

    int focusedRow() const;
    void setFocusedRow(int row);
    bool hasFocusedRow() const { return focusedRow() >= 0; }

    void beginUpdate();
    void endUpdate();

Q_SIGNALS:
    void rowDoubleClicked();
    void focusedRowChanged(int row);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    PictureRowsModel* m_model;
    QStringList m_names;
    int m_rowHeight = 405;
    int m_lock = 0;
};

} // namespace pel
