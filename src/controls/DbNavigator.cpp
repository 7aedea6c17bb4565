#include "DbNavigator.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

using namespace dataset;

namespace controls {

namespace {

// Small standard symbols: bars and triangles, a plus and a cross.
QIcon symbol(DbNavigator::Button b) {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    const auto triangle = [&](qreal x, bool left) {
        QPainterPath path;
        if (left) {
            path.moveTo(x + 5, 2);
            path.lineTo(x, 6);
            path.lineTo(x + 5, 10);
        } else {
            path.moveTo(x, 2);
            path.lineTo(x + 5, 6);
            path.lineTo(x, 10);
        }
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (b) {
    case DbNavigator::First: p.drawRect(QRectF(2, 2, 1.5, 8)); triangle(4.5, true); break;
    case DbNavigator::Prior: triangle(3.5, true); break;
    case DbNavigator::Next: triangle(3.5, false); break;
    case DbNavigator::Last: triangle(2.5, false); p.drawRect(QRectF(8.5, 2, 1.5, 8)); break;
    case DbNavigator::Insert: p.drawRect(QRectF(5, 1.5, 2, 9)); p.drawRect(QRectF(1.5, 5, 9, 2)); break;
    case DbNavigator::Cancel:
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
        p.drawLine(QPointF(2.5, 2.5), QPointF(9.5, 9.5));
        p.drawLine(QPointF(9.5, 2.5), QPointF(2.5, 9.5));
        break;
    default: break;
    }
    return QIcon(pm);
}

const char* const hints[] = {"Erster Datensatz", "Vorheriger Datensatz", "Nächster Datensatz",
                             "Letzter Datensatz", "Datensatz einfügen", "Bearbeiten abbrechen"};
const char* const names[] = {"nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbCancel"};

} // namespace

DbNavigator::DbNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setIcon(symbol(Button(i)));
        b->setToolTip(QString::fromUtf8(hints[i]));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(20, 22);
        b->setEnabled(false);
        if (i == Prior || i == Next) {
            // Held down, the move repeats.
            b->setAutoRepeat(true);
            b->setAutoRepeatDelay(400);
            b->setAutoRepeatInterval(80);
        }
        connect(b, &QToolButton::clicked, this, [this, i] { clicked(Button(i)); });
        layout->addWidget(b);
        m_buttons[i] = b;
    }
    setFixedSize(120, 22);
}

void DbNavigator::setDataSource(DataSource* source) {
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source)
        connect(m_source, &DataSource::dataSetChanged, this, &DbNavigator::attach);
    attach();
}

void DbNavigator::attach() {
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = m_source ? m_source->dataSet() : nullptr;
    if (m_table) {
        connect(m_table, &DaoTable::stateChanged, this, &DbNavigator::updateButtons);
        connect(m_table, &DaoTable::recordChanged, this, &DbNavigator::updateButtons);
        connect(m_table, &DaoTable::rowsChanged, this, &DbNavigator::updateButtons);
    }
    updateButtons();
}

void DbNavigator::updateButtons() {
    const bool open = m_table && m_table->active() && (!m_source || m_source->enabled);
    const bool bof = open && m_table->bof();
    const bool eof = open && m_table->eof();
    const bool canModify = open && m_table->canModify();
    const bool pending = open && (m_table->state() == DataSetState::Edit || m_table->state() == DataSetState::Insert);
    m_buttons[First]->setEnabled(open && !bof);
    m_buttons[Prior]->setEnabled(open && !bof);
    m_buttons[Next]->setEnabled(open && !eof);
    m_buttons[Last]->setEnabled(open && !eof);
    m_buttons[Insert]->setEnabled(canModify);
    m_buttons[Cancel]->setEnabled(canModify && pending);
}

void DbNavigator::clicked(Button b) {
    if (!m_table || !m_table->active())
        return;
    switch (b) {
    case First: m_table->first(); break;
    case Prior: m_table->prior(); break;
    case Next: m_table->next(); break;
    case Last: m_table->last(); break;
    case Insert: m_table->insert(); break;
    case Cancel: m_table->cancel(); break;
    default: break;
    }
}

} // namespace controls
