// Conversions between the engine's code page 1250 texts and Qt strings.
#pragma once

#include <QString>
#include <string>

namespace malvex {

QString ToQt(const std::string& cp1250);
std::string FromQt(const QString& text);

}  // namespace malvex
