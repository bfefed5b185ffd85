#pragma once

#include "document/ChangeNamesDlg.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The Change Player Names dialog on screen. Each row is bound by the id its boxes have always
// had, used as their object names: current names 1000..1005, new names 1006, 1008, 1007,
// 1009, 1010, 1011 for rows 1..6 (rows 2 and 3 are not in id order).
class QtChangeNamesDlg : public QDialog, public CChangeNamesDlg {
    Q_OBJECT
public:
    static constexpr int kCurrentNameIds[6] = {1000, 1001, 1002, 1003, 1004, 1005};
    static constexpr int kNewNameIds[6] = {1006, 1008, 1007, 1009, 1010, 1011};

    explicit QtChangeNamesDlg(QWidget* parent = nullptr);

    int DoModal() override;

    // The strings into the boxes, and back; DoModal does both around running the dialog.
    void LoadBoxes();
    void StoreBoxes();

    QLineEdit* CurrentNameBox(int row) const { return m_current[row]; }
    QLineEdit* NewNameBox(int row) const { return m_new[row]; }

private:
    QLineEdit* m_current[6]{};
    QLineEdit* m_new[6]{};
    QPushButton* m_ok = nullptr;
};
