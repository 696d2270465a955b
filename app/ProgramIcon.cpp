#include "app/ProgramIcon.h"

// The resources live in a static library: their registration has to be pulled in by hand.
static void LoadResources() {
  Q_INIT_RESOURCE(resources);
}

QIcon ProgramIcon() {
  static const bool loaded = (LoadResources(), true);
  (void)loaded;
  QIcon icon;
  for (int size : {48, 32, 24, 16})
    icon.addFile(QStringLiteral(":/icons/program-%1.png").arg(size), QSize(size, size));
  return icon;
}
