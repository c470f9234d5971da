#include "frm_mesajlar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kClientWidth = 674;
constexpr int kClientHeight = 563;
constexpr int kListHeight = 161;
constexpr int kPanelHeight = 33;
} // namespace

// ---- MessageHeadingDelegate ------------------------------------------------

void MessageHeadingDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!isHeading(option->text))
        return;
    option->text = option->text.mid(headingPrefix().size());
    option->font.setBold(true);
    option->fontMetrics = QFontMetrics(option->font);
    option->palette.setColor(QPalette::Text, headingColor());
}

QStyleOptionViewItem MessageHeadingDelegate::shownOption(const QStyleOptionViewItem &base,
                                                         const QModelIndex &index) const
{
    QStyleOptionViewItem opt = base;
    initStyleOption(&opt, index);
    return opt;
}

void MessageHeadingDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!isHeading(index.data(Qt::DisplayRole).toString()))
        return;
    // A thin rule under each heading separates the messages.
    painter->save();
    QColor rule = headingColor();
    rule.setAlpha(90);
    painter->setPen(rule);
    const QRect r = option.rect;
    painter->drawLine(r.left() + 2, r.bottom(), r.right() - 2, r.bottom());
    painter->restore();
}

QSize MessageHeadingDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    if (isHeading(index.data(Qt::DisplayRole).toString()))
        s.rheight() += 4;
    return s;
}

// ---- TFrmMesajlar ------------------------------------------------------------

TFrmMesajlar::TFrmMesajlar(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TFrmMesajlar"));
    setWindowTitle(tr("Mesajlar"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("RzListBox1"));
    m_list->setAccessibleName(tr("Mesajlar"));
    m_list->setFixedHeight(kListHeight);
    m_list->setItemDelegate(new MessageHeadingDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(false);
    lay->addWidget(m_list);

    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("RichEdit1"));
    m_text->setAccessibleName(tr("Mesaj"));
    m_text->setReadOnly(true);
    m_text->setAcceptRichText(true);
    QPalette textPal = m_text->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        textPal.setColor(g, QPalette::Base, textBackground());
        textPal.setColor(g, QPalette::Text, textForeground());
    }
    m_text->setPalette(textPal);
    m_text->setTextColor(textForeground());
    lay->addWidget(m_text, 1);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFixedHeight(kPanelHeight);
    m_panel->setAutoFillBackground(true);
    QPalette panelPal = m_panel->palette();
    panelPal.setColor(QPalette::Window, Qt::black);
    m_panel->setPalette(panelPal);
    auto *bar = new QHBoxLayout(m_panel);
    bar->setContentsMargins(6, 4, 6, 4);
    bar->setSpacing(6);
    m_check = new QPushButton(tr("Yeni Mesajları Kontrol Et"), m_panel);
    m_check->setObjectName(QStringLiteral("BitBtn2"));
    m_close = new QPushButton(tr("Kapat"), m_panel);
    m_close->setObjectName(QStringLiteral("BitBtn1"));
    // The buttons take the button palette, not the black bar's.
    for (QPushButton *b : {m_check, m_close}) {
        b->setPalette(palette());
        b->setFixedHeight(kPanelHeight - 8);
        b->setMinimumWidth(qMax(90, b->sizeHint().width() + 20));
    }
    bar->addWidget(m_check);
    bar->addStretch(1);
    bar->addWidget(m_close);
    lay->addWidget(m_panel);

    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_check, &QPushButton::clicked, this, &TFrmMesajlar::newMessagesRequested);

    resize(kClientWidth, kClientHeight);
}

void TFrmMesajlar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A restore from the task bar is a spontaneous show: no new request then.
    if (!event->spontaneous())
        emit newMessagesRequested();
}
