#pragma once
// A tab control whose tabs wrap into several rows: fixed-size tab buttons
// above a stack of pages. Pages can leave the tab row without being
// destroyed; showing a page tells its listeners every time.

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QStackedWidget;

namespace pel {

class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    int addPage(QWidget* page, const QString& caption);
    int count() const;
    QWidget* page(int index) const;
    int indexOf(QWidget* page) const;

    void setCaption(QWidget* page, const QString& caption);
    QString caption(QWidget* page) const;

    // A page out of the tab row cannot be chosen; its widget stays.
    void setTabVisible(QWidget* page, bool visible);
    bool isTabVisible(QWidget* page) const;
    QStringList visibleCaptions() const; // tab row, in order

    QWidget* activePage() const;
    void setActivePage(QWidget* page);

    void setTabSize(const QSize& size);
    QAbstractButton* tabButton(QWidget* page) const;

Q_SIGNALS:
    void pageShown(QWidget* page);  // every time a page becomes active
    void pageHidden(QWidget* page); // the page that was active before

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void relayoutTabs();

    QWidget* m_tabArea;
    QStackedWidget* m_stack;
    QButtonGroup* m_group;
    QList<QAbstractButton*> m_buttons;
    QSize m_tabSize{120, 45};
    QWidget* m_active = nullptr;
};

} // namespace pel
