#include "gui/qt_text.h"

#include "foundations/charset.h"

namespace malvex {

QString ToQt(const std::string& cp1250) { return QString::fromStdString(ToUtf8(cp1250)); }

std::string FromQt(const QString& text) { return FromUtf8(text.toStdString()); }

}  // namespace malvex
