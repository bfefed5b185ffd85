#include "app/HallOfFameDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { kPlace, kScore, kPlayer, kSpeed, kDate, kColumns };

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

CHallOfFameDlg::CHallOfFameDlg(const std::vector<hall::Entry>& entries, const QString& note,
                               QWidget* parent)
    : QDialog(parent), m_table(new QTableWidget(static_cast<int>(entries.size()), kColumns)) {
    setWindowTitle(QStringLiteral("Hall of Fame"));
    setObjectName(QStringLiteral("hallOfFame"));

    m_table->setHorizontalHeaderLabels({QStringLiteral("Place"), QStringLiteral("Score"),
                                        QStringLiteral("Player"), QStringLiteral("Speed"),
                                        QStringLiteral("Date")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const hall::Entry& entry = entries[static_cast<std::size_t>(row)];
        m_table->setItem(row, kPlace, Cell(QString::number(row + 1), Qt::AlignRight));
        m_table->setItem(row, kScore, Cell(QString::number(entry.score), Qt::AlignRight));
        m_table->setItem(row, kPlayer, Cell(QString::fromStdString(entry.name), Qt::AlignLeft));
        m_table->setItem(
            row, kSpeed,
            Cell(QString::fromStdString(hall::SpeedName(entry.intervalMs)), Qt::AlignLeft));
        m_table->setItem(row, kDate,
                         Cell(QString::fromStdString(hall::DateText(entry.when)), Qt::AlignLeft));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    if (entries.empty()) {
        layout->addWidget(new QLabel(QStringLiteral("No game has been scored yet.")));
    }
    if (!note.isEmpty()) {
        auto* told = new QLabel(note);
        told->setObjectName(QStringLiteral("note"));
        told->setWordWrap(true);
        layout->addWidget(told);
    }
    layout->addWidget(m_table, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    layout->addWidget(buttons);

    // The whole table where the desktop has room for it; scroll bars where it has not.
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    QSize wanted = sizeHint();
    if (const QScreen* shown = parent != nullptr ? parent->screen() : screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() * 9 / 10);
    }
    resize(wanted);
}
