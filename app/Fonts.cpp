#include "app/Fonts.h"

#include <QStringList>

namespace {

QFont WithFallbacks(const QString& family, int pixels) {
  QFont f;
  f.setFamilies({family, QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                 QStringLiteral("Droid Sans Fallback")});
  f.setPixelSize(pixels);
  return f;
}

}  // namespace

QFont YaHeiFont(int pixels) {
  return WithFallbacks(QStringLiteral("微软雅黑"), pixels);
}

QFont SongFont(int pixels) {
  return WithFallbacks(QStringLiteral("宋体"), pixels);
}
