#include "editor/FindingsPanel.h"

#include "editor/FindingsModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace telm {

namespace {

// A tree view lays a row out at one line whatever its text: this gives each
// row the height its text takes wrapped at the column's width.
class WrappingDelegate : public QStyledItemDelegate
{
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize plain = QStyledItemDelegate::sizeHint(option, index);
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        int width = m_view->columnWidth(index.column());
        if (index.column() == 0) {
            int depth = 1;
            for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
                ++depth;
            width -= m_view->indentation() * depth;
        }
        const int margin = 2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        width = std::max(40, width - margin);
        const QRect text =
            item.fontMetrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, item.text);
        return QSize(plain.width(), std::max(plain.height(), text.height() + 4));
    }

private:
    QTreeView* m_view;
};

} // namespace

FindingsPanel::FindingsPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("FindingsPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(QStringLiteral("Констатации от контролите"));
    setAccessibleDescription(
        QStringLiteral("Разликите, които контролите намират в документа и спрямо другите "
                       "документи на предприятието за периода. Enter или двоен щрак върху "
                       "констатация води до реда. F9 проверява отново."));

    m_model = new FindingsModel(this);
    m_heading = new QLabel(QStringLiteral("Констатации от контролите"), this);
    m_heading->setObjectName(QStringLiteral("lblFindings"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblFindingsSummary"));
    m_cmdHide = new QPushButton(QStringLiteral("С&крий"), this);
    m_cmdHide->setObjectName(QStringLiteral("cmdHideFindings"));
    m_cmdHide->setAccessibleDescription(QStringLiteral("Скрива констатациите от контролите"));
    m_cmdHide->setAutoDefault(false);
    connect(m_cmdHide, &QPushButton::clicked, this, &QWidget::hide);

    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("lstFindings"));
    m_view->setAccessibleName(QStringLiteral("Констатации от контролите"));
    m_view->setAccessibleDescription(accessibleDescription());
    m_view->setModel(m_model);
    // A finding is a sentence: read whole, on as many lines as it takes.
    m_view->setWordWrap(true);
    m_view->setTextElideMode(Qt::ElideNone);
    m_view->setItemDelegate(new WrappingDelegate(m_view));
    // Wider or narrower, each row takes the lines its text needs there.
    connect(m_view->header(), &QHeaderView::sectionResized, m_view,
            [this] { m_view->doItemsLayout(); });
    m_view->setUniformRowHeights(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_view->installEventFilter(this);
    connect(m_view, &QTreeView::doubleClicked, this, &FindingsPanel::choose);
    m_heading->setBuddy(m_view);

    auto* top = new QHBoxLayout;
    top->addWidget(m_heading);
    top->addWidget(m_summary, 1);
    top->addWidget(m_cmdHide);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    setFindings({});
}

void FindingsPanel::setFindings(std::vector<Finding> findings)
{
    const size_t count = findings.size();
    m_model->setFindings(std::move(findings));
    m_checked = count == 0 ? QStringLiteral("Контролите не откриват разлики.")
                           : QStringLiteral("Разлики: %1. Enter или двоен щрак върху ред води до "
                                            "него.")
                                 .arg(count);
    m_summary->setText(m_checked);
    m_view->setVisible(count != 0);
    updateGeometry();
    m_view->expandAll();
    if (count != 0)
        m_view->setCurrentIndex(m_model->index(0, 0));
}

void FindingsPanel::markOutdated()
{
    m_summary->setText(QStringLiteral("Документът е променен след проверката – F9 проверява "
                                      "отново. ")
                       + m_checked);
}

bool FindingsPanel::hasFindings() const
{
    return m_model->rowCount() > 0;
}

void FindingsPanel::choose(const QModelIndex& index)
{
    if (const std::optional<RowTarget> target = m_model->targetAt(index.siblingAtColumn(0)))
        emit rowChosen(*target);
}

bool FindingsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_view->currentIndex());
            return true;
        }
        if (key == Qt::Key_Escape) {
            emit leaveRequested();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace telm
