#pragma once

#include <QString>
#include <string>

// The game's strings are Windows-1252 bytes; the toolkit speaks QString.
QString ToQString(const std::string& codePageText);
std::string FromQString(const QString& text);
