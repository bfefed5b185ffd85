#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("About Globule"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* icon = new QLabel;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/globule.png")).pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("Globule Version " GLOBULE_VERSION_LABEL));
    text->setObjectName(QStringLiteral("version"));
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 12, 16);
    layout->setSpacing(14);
    layout->addWidget(icon);
    layout->addWidget(text, 1);
    layout->addWidget(ok, 0, Qt::AlignVCenter);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}
