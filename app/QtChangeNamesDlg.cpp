#include "app/QtChangeNamesDlg.h"

#include "platform/CodePage.h"
#include "platform/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Names are stored in Windows-1252; a character it cannot hold would silently become "?".
class CodePageValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (const char32_t c : input.toUcs4()) {
            if (c != U'?' && codepage::FromUnicode(c) == '?') {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

} // namespace

QtChangeNamesDlg::QtChangeNamesDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("131"));
    setWindowTitle(QStringLiteral("Change Player Names"));
    // A caption bar and nothing to close it with but OK and Cancel.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(40);
    grid->setVerticalSpacing(12);
    auto* currentHeading = new QLabel(QStringLiteral("Current Name"));
    auto* newHeading = new QLabel(QStringLiteral("New Name"));
    currentHeading->setAlignment(Qt::AlignCenter);
    newHeading->setAlignment(Qt::AlignCenter);
    grid->addWidget(currentHeading, 0, 0);
    grid->addWidget(newHeading, 0, 1);

    auto* validator = new CodePageValidator(this);
    for (int row = 0; row < 6; ++row) {
        auto* current = new QLineEdit;
        current->setObjectName(QString::number(kCurrentNameIds[row]));
        current->setReadOnly(true);
        current->setFocusPolicy(Qt::ClickFocus); // out of the tab order, still selectable
        QPalette shaded = current->palette();
        shaded.setColor(QPalette::Base, shaded.color(QPalette::Window));
        current->setPalette(shaded);
        auto* name = new QLineEdit;
        name->setObjectName(QString::number(kNewNameIds[row]));
        name->setMaxLength(kNewNameLimit);
        name->setValidator(validator);
        grid->addWidget(current, row + 1, 0);
        grid->addWidget(name, row + 1, 1);
        m_current[row] = current;
        m_new[row] = name;
    }

    auto* hint = new QLabel(QStringLiteral(
        "Change one or more names and click on OK to put the new names into effect."));
    hint->setWordWrap(true);

    // Plain buttons, not a button box: a box hands its focus to its first button, and real Tab
    // presses then went from Cancel back to OK for ever instead of on to the names.
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    ok->setObjectName(QStringLiteral("1"));
    cancel->setObjectName(QStringLiteral("2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ok->setDefault(true);
    m_ok = ok;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(hint);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    for (int row = 0; row + 1 < 6; ++row) {
        setTabOrder(m_new[row], m_new[row + 1]);
    }
    setTabOrder(m_new[5], ok);
    setTabOrder(ok, cancel);
    setFixedSize(sizeHint());
}

void QtChangeNamesDlg::LoadBoxes() {
    for (int row = 0; row < 6; ++row) {
        m_current[row]->setText(ToQString(m_strCurrentName[row]));
        m_current[row]->setCursorPosition(0);
        m_new[row]->setText(ToQString(m_strNewName[row]));
    }
    m_new[0]->setFocus();
    // A button that had the focus in an earlier showing may still hold the default.
    m_ok->setDefault(true);
}

void QtChangeNamesDlg::StoreBoxes() {
    for (int row = 0; row < 6; ++row) {
        m_strNewName[row] = FromQString(m_new[row]->text());
    }
}

int QtChangeNamesDlg::DoModal() {
    LoadBoxes();
    if (exec() != QDialog::Accepted) {
        return IDCANCEL;
    }
    StoreBoxes();
    return IDOK;
}
