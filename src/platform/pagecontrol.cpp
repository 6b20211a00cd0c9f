#include "pagecontrol.h"

#include <QButtonGroup>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace pel {

PageControl::PageControl(QWidget* parent)
    : QWidget(parent), m_tabArea(new QWidget(this)), m_stack(new QStackedWidget(this)),
      m_group(new QButtonGroup(this))
{
    m_tabArea->setObjectName(QStringLiteral("sekmeSatirlari"));
    m_group->setExclusive(true);
    auto* kok = new QVBoxLayout(this);
    kok->setContentsMargins(0, 0, 0, 0);
    kok->setSpacing(0);
    kok->addWidget(m_tabArea);
    kok->addWidget(m_stack, 1);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) { setActivePage(page(id)); });
}

int PageControl::addPage(QWidget* p, const QString& caption)
{
    const int index = m_stack->addWidget(p);
    auto* b = new QToolButton(m_tabArea);
    b->setObjectName(QStringLiteral("sekme_") + p->objectName());
    b->setText(caption);
    b->setCheckable(true);
    b->setFixedSize(m_tabSize);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setProperty("sekme", true);
    m_group->addButton(b, index);
    m_buttons.append(b);
    if (!m_active)
        setActivePage(p);
    relayoutTabs();
    return index;
}

int PageControl::count() const
{
    return m_stack->count();
}

QWidget* PageControl::page(int index) const
{
    return m_stack->widget(index);
}

int PageControl::indexOf(QWidget* p) const
{
    return m_stack->indexOf(p);
}

QAbstractButton* PageControl::tabButton(QWidget* p) const
{
    const int i = indexOf(p);
    return i >= 0 ? m_buttons.value(i) : nullptr;
}

void PageControl::setCaption(QWidget* p, const QString& caption)
{
    if (auto* b = tabButton(p))
        b->setText(caption);
}

QString PageControl::caption(QWidget* p) const
{
    auto* b = tabButton(p);
    return b ? b->text() : QString();
}

void PageControl::setTabVisible(QWidget* p, bool visible)
{
    auto* b = tabButton(p);
    if (!b)
        return;
    b->setProperty("gizli", !visible);
    if (!visible && p == m_active) {
        for (int i = 0; i < count(); ++i)
            if (isTabVisible(page(i))) {
                setActivePage(page(i));
                break;
            }
    }
    relayoutTabs();
}

bool PageControl::isTabVisible(QWidget* p) const
{
    auto* b = tabButton(p);
    return b && !b->property("gizli").toBool();
}

QStringList PageControl::visibleCaptions() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(page(i)))
            out << m_buttons[i]->text();
    return out;
}

QWidget* PageControl::activePage() const
{
    return m_active;
}

void PageControl::setActivePage(QWidget* p)
{
    const int i = indexOf(p);
    if (i < 0 || !isTabVisible(p))
        return;
    m_buttons[i]->setChecked(true);
    if (p == m_active)
        return;
    QWidget* old = m_active;
    m_active = p;
    m_stack->setCurrentIndex(i);
    if (old)
        Q_EMIT pageHidden(old);
    Q_EMIT pageShown(p);
}

void PageControl::setTabSize(const QSize& size)
{
    m_tabSize = size;
    for (auto* b : m_buttons)
        b->setFixedSize(size);
    relayoutTabs();
}

void PageControl::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    relayoutTabs();
}

void PageControl::relayoutTabs()
{
    // Tabs flow left to right and wrap into as many rows as needed.
    const int w = std::max(width(), m_tabSize.width());
    int x = 0, y = 0;
    for (auto* b : m_buttons) {
        if (b->property("gizli").toBool()) {
            b->hide();
            continue;
        }
        if (x > 0 && x + m_tabSize.width() > w) {
            x = 0;
            y += m_tabSize.height();
        }
        b->move(x, y);
        b->show();
        x += m_tabSize.width();
    }
    m_tabArea->setFixedHeight(m_buttons.isEmpty() ? 0 : y + m_tabSize.height());
}

} // namespace pel
