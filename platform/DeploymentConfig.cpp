#include "DeploymentConfig.h"

namespace platform {

QString deploymentConfigFolder() {
    return QStringLiteral("/etc/mendra");
}

} // namespace platform
