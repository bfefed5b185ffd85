#include "platform/QtText.h"

#include "platform/CodePage.h"

QString ToQString(const std::string& codePageText) {
    return QString::fromStdString(codepage::ToUtf8(codePageText));
}

std::string FromQString(const QString& text) {
    return codepage::FromUtf8(text.toStdString());
}
