#include "platform/QtText.h"

#include "platform/Gbk.h"

QString ToQString(std::string_view gbk) {
  return QString::fromStdString(ToUtf8(gbk));
}

Text FromQString(const QString& s) {
  return ToGbk(s.toStdString());
}
