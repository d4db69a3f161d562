#include "ui/AppIcon.h"

// The resources live in a static library: nothing would pull them into the program unless
// they are registered explicitly, and Q_INIT_RESOURCE must stand outside any namespace.
static void RegisterBrevantoResources() {
    Q_INIT_RESOURCE(brevanto);
}

namespace brevanto::ui {

QIcon AppIcon() {
    static const bool registered = (RegisterBrevantoResources(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/brevanto/brevanto.png"));
}

}  // namespace brevanto::ui
