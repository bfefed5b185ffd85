#pragma once

#include "document/HallOfFame.h"

#include <QDialog>
#include <vector>

class QTableWidget;

// The hall of fame: the ten best games in a table, best first, a note on the hall's file when
// there is one, and a Close button; Escape closes it too.
class CHallOfFameDlg : public QDialog {
    Q_OBJECT
public:
    CHallOfFameDlg(const std::vector<hall::Entry>& entries, const QString& note,
                   QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }

private:
    QTableWidget* m_table;
};
